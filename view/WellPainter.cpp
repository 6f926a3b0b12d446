#include "view/WellPainter.h"

#include "core/Settings.h"
#include "view/CellImages.h"
#include "view/ColorRef.h"
#include "view/ImageCellSurface.h"
#include "view/PauseBanner.h"
#include "pictures/PictureLoader.h"
#include "view/PictureFill.h"
#include "view/RasterOps.h"

#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <cmath>

namespace
{

constexpr QRgb HighlightColour = qRgb(255, 255, 255);
constexpr QRgb ShadowColour = qRgb(128, 128, 128);
constexpr QRgb FrameColour = qRgb(192, 192, 192);

void Resize(QImage& image, int width, int height)
{
    if (image.width() == width && image.height() == height && !image.isNull())
        return;
    image = width > 0 && height > 0 ? QImage(width, height, QImage::Format_RGB32) : QImage();
    if (!image.isNull())
        image.fill(Qt::black);
}

} // namespace

TWellPainter::TWellPainter(const TGameEngine& engine, TSettings& settings, TCellImages& cells)
    : TWellPainter(TWellState::Of(engine), settings, cells)
{
}

TWellPainter::TWellPainter(const TWellState& state, TSettings& settings, TCellImages& cells)
    : State(state), Settings(settings), Cells(cells)
{
    Cells.SetWellBackground(&Background, Well.Origin(), BackgroundTiled);
}

int TWellPainter::Rows() const
{
    return std::clamp(Settings.RowNumber, 0, MaxRows);
}

int TWellPainter::Columns() const
{
    return std::clamp(Settings.ColNumber, 0, MaxCols);
}

void TWellPainter::Changed(const QRect& rect)
{
    const QRect visible = rect & WindowRect();
    if (Painting || visible.isEmpty() || !WindowChanged)
        return;
    if (Ratio == 1.0)
        WindowChanged(visible);
    else
        WindowChanged(QRectF(visible.x() / Ratio, visible.y() / Ratio, visible.width() / Ratio,
                             visible.height() / Ratio).toAlignedRect());
}

int TWellPainter::Device(int logical) const
{
    return Ratio == 1.0 ? logical : static_cast<int>(std::lround(logical * Ratio));
}

void TWellPainter::SetPixelRatio(double ratio)
{
    Ratio = ratio > 0 ? ratio : 1.0;
}

void TWellPainter::SetCellSize(int width, int height)
{
    FittedWidth = std::max(0, width);
    FittedHeight = std::max(0, height);
}

int TWellPainter::LogicalCellWidth() const
{
    return FittedWidth > 0 ? FittedWidth : Settings.BlockWidth;
}

int TWellPainter::LogicalCellHeight() const
{
    return FittedHeight > 0 ? FittedHeight : Settings.BlockHeight;
}

int TWellPainter::CellWidth() const
{
    return Device(LogicalCellWidth());
}

int TWellPainter::CellHeight() const
{
    return Device(LogicalCellHeight());
}

void TWellPainter::FormResize(int clientWidth, int clientHeight)
{
    ClientWidth = clientWidth;
    ClientHeight = clientHeight;
    WindowWidth = std::max(0, Device(clientWidth));
    WindowHeight = std::max(0, Device(clientHeight));
    Well.Recentre(WindowWidth, WindowHeight);
    Cells.SetWellBackground(&Background, Well.Origin(), BackgroundTiled);
    Invalidate();
}

void TWellPainter::UpdateGeometry()
{
    if (Device(ClientWidth) != WindowWidth || Device(ClientHeight) != WindowHeight)
        FormResize(ClientWidth, ClientHeight); // a new pixel ratio
    Well.Update(Columns(), Rows(), CellWidth(), CellHeight(), WindowWidth, WindowHeight);
    ResizeWellImages();
    Cells.SetWellBackground(&Background, Well.Origin(), BackgroundTiled);
    BuildWellBackground();
}

void TWellPainter::ResizeWellImages()
{
    Resize(Board, Well.WellWidth, Well.WellHeight);
    Resize(Compose, Well.WellWidth, Well.WellHeight);
}

void TWellPainter::Invalidate()
{
    PendingPaint = true;
    if (InvalidateRequested)
    {
        InvalidateRequested();
        return;
    }
    PaintWindow();
    Changed(WindowRect());
}

void TWellPainter::PaintWindow()
{
    PendingPaint = false;
    Painting = true;
    FormPaint();
    Painting = false;
}

QImage TWellPainter::WindowImage() const
{
    QImage image(WindowWidth, WindowHeight, QImage::Format_RGB32);
    if (!image.isNull())
        Paint(image, image.rect());
    return image;
}

void TWellPainter::Paint(QImage& target, const QRect& area) const
{
    // Nothing is drawn outside the client area, which a client-sized picture would cut off.
    const QRect inside = area & WindowRect();
    if (inside != area)
    {
        if (inside.isEmpty())
            return;
        const QPoint at = inside.topLeft() - area.topLeft();
        QImage part(target.bits() + at.y() * target.bytesPerLine() + at.x() * 4, inside.width(), inside.height(),
                    target.bytesPerLine(), target.format());
        Paint(part, inside);
        return;
    }
    // The well covers its own rectangle whole, so the background is drawn only around it: each
    // pixel is written once.
    const QRegion around = QRegion(area) - QRegion(Well.WellRect());
    for (const QRect& rect : around)
    {
        const QPoint at = rect.topLeft() - area.topLeft();
        QImage part(target.bits() + at.y() * target.bytesPerLine() + at.x() * 4, rect.width(), rect.height(),
                    target.bytesPerLine(), target.format());
        EraseBackground(part, rect);
    }
    // The well over the silver band, as the paint handler puts it there.
    TRasterOps::Copy(target, Well.WellLeft - area.x(), Well.WellTop - area.y(), Compose, 0, 0, Compose.width(),
                     Compose.height());
}

void TWellPainter::EraseBackground(QImage& target, const QRect& area) const
{
    // The client area moved so that area's corner lies at the target's (0, 0).
    const QRect client = WindowRect().translated(-area.topLeft());
    // An outer picture that was never loaded falls back to the outer colour rather than
    // leaving whatever the image held.
    if (Settings.OuterMode == 1 || Outer.isNull())
        TRasterOps::Fill(target, client, RgbFromColorRef(Settings.OuterColor));
    else if (Settings.OuterTile)
        TRasterOps::Tile(target, Outer, area.topLeft());
    else
        TRasterOps::Stretch(target, client, Outer);

    const int l = Well.WellLeft - area.x();
    const int t = Well.WellTop - area.y();
    const int w = Well.WellWidth;
    const int h = Well.WellHeight;
    // 6 and 1 window pixels: the frame's reach and its lines, in the images' own pixels.
    const int f = Device(6);
    const int s = std::max(1, Device(1));
    // Light from the top left: white on the left and top, grey on the right and bottom.
    TRasterOps::Fill(target, QRect(l - f, t - f + s, s, h + 2 * f), HighlightColour);
    TRasterOps::Fill(target, QRect(l - f, t - f, w + 2 * f, s), HighlightColour);
    TRasterOps::Fill(target, QRect(l + w + f + 1 - s, t - f, s, h + 2 * f), ShadowColour);
    TRasterOps::Fill(target, QRect(l - f + s, t + h + f + 1 - s, w + 2 * f, s), ShadowColour);
    TRasterOps::Fill(target, QRect(l - f + s, t - f + s, w + 2 * f - s, h + 2 * f - s), FrameColour);
}

void TWellPainter::FormPaint()
{
    ShowWell();
    const TGameState state = *State.GameState;
    if (state == gsPaused)
    {
        CopyBackground(Board, 0, 0, Board.width(), Board.height());
        if (!Board.isNull())
        {
            QPainter painter(&Board);
            TPauseBanner::Draw(painter, Board.rect(), Ratio, Font);
        }
        ShowWell();
    }
    if (state == gsStopped)
        RedrawWell(true);
    if (PreviewRepaintRequested)
        PreviewRepaintRequested();
}

void TWellPainter::ShowWell()
{
    TRasterOps::Copy(Compose, 0, 0, Board, 0, 0, Board.width(), Board.height());
    Changed(Well.WellRect());
}

void TWellPainter::DrawBoardCell(int colour, int column, int row)
{
    const int w = CellWidth();
    const int h = CellHeight();
    if (colour != 0)
        Cells.DrawCell(Board, column * w, row * h, w, h, colour, 0);
    else
        CopyBackground(Board, column * w, row * h, w, h);
}

void TWellPainter::RedrawWell(bool full)
{
    const TGrid& board = *State.Board;
    const TGrid& newBoard = *State.NewBoard;
    const TGrid& marks = *State.ClearMarks;
    for (int row = 0; row < Rows(); ++row)
    {
        for (int column = 0; column < Columns(); ++column)
        {
            if (full)
                DrawBoardCell(board.At(row, column), column, row);
            else if (board.At(row, column) != newBoard.At(row, column) || marks.At(row, column) != 0)
                DrawBoardCell(newBoard.At(row, column), column, row);
        }
    }
    ShowWell();
}

void TWellPainter::RedrawPieceArea(int x, int y, int width, int height)
{
    const TGameState state = *State.GameState;
    const QRect rect(x, y, width, height);
    if (state != gsPaused)
    {
        // Composed in place: only the rectangle changes, so the piece's cells outside it are
        // left out, as the window would not have shown them.
        TRasterOps::Copy(Compose, x, y, Board, x, y, width, height);
        if (state != gsStopped)
        {
            TImageCellSurface surface(Cells, Compose, rect);
            State.CurrentBlock->Draw(surface, *State.BlockX, *State.BlockY, CellWidth(), CellHeight());
        }
    }
    ShowCompose(rect);
}

void TWellPainter::ShowCompose(const QRect& rect)
{
    Changed(rect.translated(Well.Origin()));
}

void TWellPainter::CaptureWell()
{
    TRasterOps::Copy(Board, 0, 0, Compose, 0, 0, Compose.width(), Compose.height());
}

void TWellPainter::ShowEmptyWell()
{
    CopyBackground(Board, 0, 0, Board.width(), Board.height());
    ShowWell();
}

void TWellPainter::DrawDissolveFrame(int step)
{
    const TGrid& board = *State.Board;
    const TGrid& marks = *State.ClearMarks;
    const int w = CellWidth();
    const int h = CellHeight();
    const QPoint origin = Well.Origin();
    QRect changed;
    for (int row = 0; row < Rows(); ++row)
    {
        for (int column = 0; column < Columns(); ++column)
        {
            if (marks.At(row, column) == 0)
                continue;
            const int colour = board.At(row, column);
            Cells.DrawCell(Compose, QPoint(0, 0), column * w, row * h, w, h, colour, step);
            changed |= QRect(origin.x() + column * w, origin.y() + row * h, w, h);
        }
    }
    Changed(changed);
}

void TWellPainter::ReportFailure(const QString& path, const QString& reason)
{
    FailureReasonValue = reason;
    if (MessageRequested)
        MessageRequested(QStringLiteral("Cannot open ") + path);
}

void TWellPainter::BuildWellBackground()
{
    const QString path = QString::fromStdString(Settings.InnerImage);
    // A plain colour and an opaque picture tiled from the well's corner repeat with a short
    // period: one period is kept instead of a well-sized picture.
    const auto plain = [this] {
        BackgroundTiled = true;
        Background = QImage(64, 64, QImage::Format_RGB32);
        TRasterOps::Fill(Background, Background.rect(), RgbFromColorRef(Settings.InnerColor));
    };
    BackgroundTiled = false;
    if (Well.WellWidth <= 0 || Well.WellHeight <= 0)
        Background = QImage();
    else
        Resize(Background, Well.WellWidth, Well.WellHeight);
    if (Settings.InnerMode == 1 || path.isEmpty())
    {
        if (!Background.isNull())
            plain();
    }
    else
    {
        QImage picture;
        QString reason;
        if (!TPictureLoader::Load(path, picture, &reason))
        {
            ReportFailure(path, reason);
            Settings.InnerImage.clear();
            Settings.InnerMode = 1;
            // The colour shows at once instead of waiting for the next rebuild.
            if (!Background.isNull())
                plain();
        }
        else if (!Background.isNull() && Settings.InnerTile && picture.width() > 0 && picture.height() > 0
                 && !picture.hasAlphaChannel() && picture.depth() == 32)
        {
            BackgroundTiled = true;
            Background = picture;
        }
        else
        {
            const bool tile = Settings.InnerTile && picture.width() > 0 && picture.height() > 0;
            // Transparent parts of icons show the stretched picture through the tiles.
            if (!TPictureLoader::IsJpegPath(path) && picture.hasAlphaChannel())
                TPictureFill::Draw(Background, picture, false);
            TPictureFill::Draw(Background, picture, tile);
        }
    }
    Cells.SetWellBackground(&Background, Well.Origin(), BackgroundTiled);
    CopyBackground(Board, 0, 0, Board.width(), Board.height());
    Invalidate();
}

void TWellPainter::CopyBackground(QImage& target, int x, int y, int w, int h) const
{
    if (!BackgroundTiled)
    {
        TRasterOps::Copy(target, x, y, Background, x, y, w, h);
        return;
    }
    const QRect rect = QRect(x, y, w, h) & target.rect();
    if (rect.isEmpty() || target.depth() != 32)
        return;
    QImage part(target.bits() + rect.y() * target.bytesPerLine() + rect.x() * 4, rect.width(), rect.height(),
                target.bytesPerLine(), target.format());
    TRasterOps::Tile(part, Background, rect.topLeft());
}

QImage TWellPainter::WellBackground() const
{
    if (!BackgroundTiled)
        return Background;
    QImage whole(Well.WellWidth, Well.WellHeight, QImage::Format_RGB32);
    CopyBackground(whole, 0, 0, whole.width(), whole.height());
    return whole;
}

void TWellPainter::LoadOuterPicture()
{
    const QString path = QString::fromStdString(Settings.OuterImage);
    if (Settings.OuterMode == 1 || path.isEmpty())
    {
        Invalidate();
        return;
    }
    QImage picture;
    QString reason;
    if (!TPictureLoader::Load(path, picture, &reason))
    {
        ReportFailure(path, reason);
        Settings.OuterImage.clear();
        Settings.OuterMode = 1;
    }
    else if (picture.hasAlphaChannel())
    {
        // Transparent parts show white, as on a fresh bitmap.
        Outer = QImage(picture.size(), QImage::Format_RGB32);
        Outer.fill(Qt::white);
        QPainter painter(&Outer);
        painter.drawImage(QPoint(0, 0), picture);
    }
    else
    {
        Outer = picture;
    }
    Invalidate();
}
