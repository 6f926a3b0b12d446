#include "view/PauseBanner.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace
{

const QColor Highlight(255, 255, 255);
const QColor Shadow(128, 128, 128);
const QColor Band(192, 192, 192);
const QColor FieldColour(255, 255, 255);
const QColor Ink(0, 0, 0);

// The largest font tried: the text of a well fitted to a 4K screen stays well below it.
constexpr int LargestPixelSize = 512;

// Everything of the banner whose size follows the font's.
struct TSizes
{
    QFont Font;
    QSize Text;
    int Band = 1;
    int PadX = 0;
    int PadY = 0;

    QSize Field() const { return Text + QSize(2 * PadX, 2 * PadY); }
    QSize Panel(int line) const { return Field() + QSize(2 * (2 * line + Band), 2 * (2 * line + Band)); }
};

TSizes SizesAt(const QFont& typeface, int pixelSize, int line)
{
    TSizes sizes;
    sizes.Font = typeface;
    sizes.Font.setPixelSize(pixelSize);
    const QFontMetricsF metrics(sizes.Font);
    const QString text = TPauseBanner::Text();
    // Some glyphs reach past their advance; the field holds the ink as well as the advance.
    const QRectF ink = metrics.boundingRect(text);
    const double width = std::max(metrics.horizontalAdvance(text), ink.right()) - std::min(0.0, ink.left());
    sizes.Text = QSize(static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(metrics.height())));
    sizes.Band = std::max(line, static_cast<int>(std::lround(pixelSize * 0.25)));
    sizes.PadX = static_cast<int>(std::lround(pixelSize * 0.6));
    sizes.PadY = static_cast<int>(std::lround(pixelSize * 0.2));
    return sizes;
}

bool Fits(const QSize& size, const QSize& room)
{
    return size.width() <= room.width() && size.height() <= room.height();
}

// The panel Draw fills, and the font its text is drawn in.
struct TLayout
{
    QRect Panel;
    QRect Field;
    QFont Font;
    int Line = 1;
    // Below 1 only when even the smallest font is too wide for the well: the text is then drawn
    // scaled down about the field's centre.
    double TextScale = 1.0;
};

// Raised (light top left) or sunken (dark top left) edges of line pixels inside rect.
void Bevel(QPainter& painter, const QRect& rect, int line, const QColor& topLeft, const QColor& bottomRight)
{
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width() - line, line), topLeft);
    painter.fillRect(QRect(rect.left(), rect.top() + line, line, rect.height() - 2 * line), topLeft);
    painter.fillRect(QRect(rect.right() + 1 - line, rect.top(), line, rect.height()), bottomRight);
    painter.fillRect(QRect(rect.left(), rect.bottom() + 1 - line, rect.width() - line, line), bottomRight);
}

TLayout Layout(const QRect& well, double ratio, const QFont& typeface)
{
    TLayout layout;
    layout.Line = std::max(1, static_cast<int>(std::lround(ratio)));
    const int line = layout.Line;
    const int margin = std::max(line, well.width() / 16);
    const QSize room(well.width() - 2 * margin, well.height() - 2 * margin);
    if (room.width() <= 0 || room.height() <= 0)
        return layout;

    // The largest font whose panel fits; the panel grows with the font.
    int low = 1;
    int high = LargestPixelSize;
    while (low < high)
    {
        const int middle = (low + high + 1) / 2;
        if (Fits(SizesAt(typeface, middle, line).Panel(line), room))
            low = middle;
        else
            high = middle - 1;
    }
    TSizes sizes = SizesAt(typeface, low, line);
    QSize panel = sizes.Panel(line);
    if (!Fits(panel, room))
    {
        // A well of a column or two: the text is shrunk below the smallest font to stay inside.
        sizes.PadX = 0;
        sizes.Band = line;
        const int fieldWidth = room.width() - (sizes.Panel(line).width() - sizes.Field().width());
        layout.TextScale = std::max(0.0, static_cast<double>(fieldWidth) / sizes.Text.width());
        sizes.Text.setWidth(std::max(0, fieldWidth));
        panel = sizes.Panel(line).boundedTo(room);
    }
    layout.Font = sizes.Font;
    layout.Panel = QRect(well.x() + (well.width() - panel.width()) / 2, well.y() + (well.height() - panel.height()) / 2,
                         panel.width(), panel.height());
    const int edge = 2 * line + sizes.Band;
    layout.Field = layout.Panel.adjusted(edge, edge, -edge, -edge);
    return layout;
}

} // namespace

QString TPauseBanner::Text()
{
    return QStringLiteral("* * * P A U S E D * * *");
}

void TPauseBanner::Draw(QPainter& painter, const QRect& well, double ratio, const QFont& typeface)
{
    const TLayout layout = Layout(well, ratio, typeface);
    if (layout.Panel.isEmpty())
        return;
    const int line = layout.Line;
    painter.save();
    painter.setClipRect(well);
    painter.fillRect(layout.Panel, Band);
    // Light from the top left, as on the well's frame; the field sunk into the panel.
    Bevel(painter, layout.Panel, line, Highlight, Shadow);
    Bevel(painter, layout.Field.adjusted(-line, -line, line, line), line, Shadow, Highlight);
    painter.fillRect(layout.Field, FieldColour);

    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(layout.Font);
    painter.setPen(Ink);
    QRectF text(layout.Field);
    if (layout.TextScale < 1.0 && layout.TextScale > 0.0)
    {
        const QPointF centre = text.center();
        painter.translate(centre);
        painter.scale(layout.TextScale, layout.TextScale);
        painter.translate(-centre);
        const QSizeF size = text.size() / layout.TextScale;
        text = QRectF(centre - QPointF(size.width() / 2, size.height() / 2), size);
    }
    painter.drawText(text, Qt::AlignCenter | Qt::TextSingleLine, Text());
    painter.restore();
}
