#include "cellart/DigitArt.h"

#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QTransform>
#include <cmath>

namespace {

// Centre lines on a 10 x 16 design box: a sturdy sans-serif with open, round bowls.
QPainterPath DigitCentreLine(int digit)
{
    QPainterPath p;
    switch (digit) {
    case 1:
        p.moveTo(2.0, 3.6);
        p.lineTo(5.6, 0.0);
        p.lineTo(5.6, 16.0);
        p.moveTo(1.6, 16.0);
        p.lineTo(9.6, 16.0);
        break;
    case 2:
        p.moveTo(1.0, 4.4);
        p.cubicTo(1.0, 1.5, 2.9, 0.0, 5.2, 0.0);
        p.cubicTo(7.6, 0.0, 9.2, 1.6, 9.2, 4.0);
        p.cubicTo(9.2, 6.6, 7.4, 8.0, 5.2, 9.6);
        p.cubicTo(3.2, 11.1, 1.2, 12.8, 1.0, 16.0);
        p.lineTo(9.6, 16.0);
        break;
    case 3:
        p.moveTo(1.0, 3.0);
        p.cubicTo(1.8, 1.0, 3.2, 0.0, 5.1, 0.0);
        p.cubicTo(7.5, 0.0, 8.9, 1.5, 8.9, 3.7);
        p.cubicTo(8.9, 6.0, 7.2, 7.4, 4.4, 7.4);
        p.moveTo(4.4, 7.4);
        p.cubicTo(7.6, 7.4, 9.4, 9.0, 9.4, 11.6);
        p.cubicTo(9.4, 14.4, 7.4, 16.0, 5.0, 16.0);
        p.cubicTo(2.9, 16.0, 1.4, 15.0, 0.7, 13.0);
        break;
    case 4:
        p.moveTo(7.2, 16.0);
        p.lineTo(7.2, 0.0);
        p.lineTo(0.6, 11.0);
        p.lineTo(9.8, 11.0);
        break;
    case 5:
        p.moveTo(9.0, 0.0);
        p.lineTo(2.2, 0.0);
        p.lineTo(1.6, 7.4);
        p.cubicTo(2.6, 6.5, 3.8, 6.1, 5.1, 6.1);
        p.cubicTo(7.7, 6.1, 9.4, 8.0, 9.4, 10.9);
        p.cubicTo(9.4, 14.1, 7.4, 16.0, 4.9, 16.0);
        p.cubicTo(3.0, 16.0, 1.5, 15.1, 0.7, 13.2);
        break;
    case 6:
        p.moveTo(8.6, 1.6);
        p.cubicTo(7.7, 0.5, 6.6, 0.0, 5.3, 0.0);
        p.cubicTo(2.4, 0.0, 1.0, 3.0, 1.0, 8.4);
        p.lineTo(1.0, 10.8);
        p.addEllipse(QRectF(1.0, 6.4, 8.4, 9.6));
        break;
    case 7:
        p.moveTo(0.6, 0.0);
        p.lineTo(9.6, 0.0);
        p.cubicTo(6.8, 3.8, 4.8, 9.0, 4.2, 16.0);
        break;
    default:
        break;
    }
    return p;
}

// 8 x 12 digits for the smallest cells, with two-pixel strokes both ways.
const char* const SmallDigits[7][12] = {
    {"...##...", "..###...", ".####...", "...##...", "...##...", "...##...",
     "...##...", "...##...", "...##...", "...##...", ".######.", ".######."},
    {".######.", "########", "##....##", "......##", ".....###", "...####.",
     ".####...", "###.....", "##......", "##......", "########", "########"},
    {".######.", "########", "##....##", "......##", "...####.", "...####.",
     "......##", "......##", "##....##", "##....##", "########", ".######."},
    {".....##.", "....###.", "...####.", "..##.##.", ".##..##.", "##...##.",
     "########", "########", ".....##.", ".....##.", ".....##.", ".....##."},
    {"########", "########", "##......", "##......", "#######.", "########",
     "......##", "......##", "##....##", "##....##", "########", ".######."},
    {".######.", "########", "##....##", "##......", "#######.", "########",
     "##....##", "##....##", "##....##", "##....##", "########", ".######."},
    {"########", "########", "......##", ".....##.", ".....##.", "....##..",
     "....##..", "...##...", "...##...", "..##....", "..##....", "..##...."},
};
constexpr int SmallDigitWidth = 8;
constexpr int SmallDigitHeight = 12;

} // namespace

QImage DigitArt::Coverage(int digit, int width, int height)
{
    return width >= 34 ? Outline(digit, width, height) : PixelFont(digit, width, height);
}

QImage DigitArt::Outline(int digit, int width, int height)
{
    // Above the largest shipped cell the Large digit grows with the height.
    const double grow = width > 44 && height > 37 ? height / 37.0 : 1.0;
    const double digitHeight = width >= 44 ? 21.0 * grow : 16.0;
    const double stroke = width >= 44 ? 3.7 * grow : 3.0;
    const double scale = (digitHeight - stroke) / 16.0;

    const QPainterPath centre = QTransform::fromScale(scale, scale).map(DigitCentreLine(digit));
    QPainterPathStroker stroker;
    stroker.setWidth(stroke);
    stroker.setCapStyle(Qt::FlatCap);
    stroker.setJoinStyle(Qt::MiterJoin);
    QPainterPath shape = stroker.createStroke(centre).simplified();

    // Centre on the face, on whole pixels so that straight stems keep sharp edges.
    const QRectF box = shape.boundingRect();
    const double dx = std::round((width - box.width()) / 2.0 - box.left());
    const double dy = std::round((height - box.height()) / 2.0 - box.top() - 0.5);
    shape.translate(dx, dy);

    QImage coverage(width, height, QImage::Format_Alpha8);
    coverage.fill(0);
    QPainter painter(&coverage);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(shape, QColor(0, 0, 0, 255));
    painter.end();
    return coverage;
}

QImage DigitArt::PixelFont(int digit, int width, int height)
{
    QImage coverage(width, height, QImage::Format_Alpha8);
    coverage.fill(0);
    if (digit < 1 || digit > 7)
        return coverage;
    const int left = (width - SmallDigitWidth) / 2;
    const int top = (height - SmallDigitHeight) / 2;
    for (int row = 0; row < SmallDigitHeight; ++row)
        for (int col = 0; col < SmallDigitWidth; ++col)
            if (SmallDigits[digit - 1][row][col] == '#')
                coverage.scanLine(top + row)[left + col] = 255;
    return coverage;
}
