#include "view/WellPainter.h"

#include "core/Settings.h"
#include "view/CellImages.h"
#include "view/ColorRef.h"
#include "view/PauseBanner.h"
#include "pictures/PictureLoader.h"
#include "view/RasterOps.h"

#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <cmath>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace
{

constexpr QRgb HighlightColour = qRgb(255, 255, 255);
constexpr QRgb ShadowColour = qRgb(128, 128, 128);
constexpr QRgb FrameColour = qRgb(192, 192, 192);

// Pictures of the well's size, freed after a rebuild, go back to the system at once: glibc
// keeps freed heap pages otherwise, and at 4K such a picture is ten megabytes.
void ReleaseFreedMemory()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

} // namespace

TWellPainter::TWellPainter(const TGameEngine& engine, TSettings& settings, TCellImages& cells)
    : TWellPainter(TWellState::Of(engine), settings, cells)
{
}

TWellPainter::TWellPainter(const TWellState& state, TSettings& settings, TCellImages& cells)
    : State(state), Settings(settings), Cells(cells), WellCells(cells)
{
    Cells.SetWellBackground(&Inner.Image(), Well.Origin(), Inner.IsTiled());
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
    AlignWell();
    Cells.SetWellBackground(&Inner.Image(), Well.Origin(), Inner.IsTiled());
    Invalidate();
}

void TWellPainter::AlignWell()
{
    // The window asks for repaints in its own coordinates: a well that starts on a whole one
    // keeps the repaint of a changed cell from reaching a pixel into its neighbours.
    if (Ratio == 1.0)
        return;
    Well.WellLeft = Device(static_cast<int>(std::floor(Well.WellLeft / Ratio)));
    Well.WellTop = Device(static_cast<int>(std::floor(Well.WellTop / Ratio)));
}

void TWellPainter::UpdateGeometry()
{
    if (Device(ClientWidth) != WindowWidth || Device(ClientHeight) != WindowHeight)
        FormResize(ClientWidth, ClientHeight); // a new pixel ratio
    Well.Update(Columns(), Rows(), CellWidth(), CellHeight(), WindowWidth, WindowHeight);
    AlignWell();
    ResizeWellImages();
    Cells.SetWellBackground(&Inner.Image(), Well.Origin(), Inner.IsTiled());
    BuildWellBackground();
}

void TWellPainter::ResizeWellImages()
{
    WellCells.SetSize(Columns(), Rows(), CellWidth(), CellHeight());
}

QImage TWellPainter::LayerImage(const TWellCells::TLayer& layer) const
{
    if (Well.WellWidth <= 0 || Well.WellHeight <= 0)
        return {};
    QImage image(Well.WellWidth, Well.WellHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    WellCells.Paint(image, QPoint(0, 0), layer);
    return image;
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
        QImage part = TRasterOps::View(target, inside.translated(-area.topLeft()));
        Paint(part, inside);
        return;
    }
    // The well covers its own rectangle whole, so the background is drawn only around it: each
    // pixel is written once.
    const QRegion around = Well.WellRect().contains(area) ? QRegion() : QRegion(area) - QRegion(Well.WellRect());
    for (const QRect& rect : around)
    {
        QImage part = TRasterOps::View(target, rect.translated(-area.topLeft()));
        EraseBackground(part, rect);
    }
    // The well over the silver band, as the paint handler puts it there.
    const QRect well = area & Well.WellRect();
    if (well.isEmpty())
        return;
    QImage part = TRasterOps::View(target, well.translated(-area.topLeft()));
    WellCells.Paint(part, Well.Origin() - well.topLeft(), Shown);
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
        if (!BannerValid)
            MakeBanner();
        WellCells.ShowBanner(Settled);
        ShowWell();
    }
    if (state == gsStopped)
        RedrawWell(true);
    if (PreviewRepaintRequested)
        PreviewRepaintRequested();
}

void TWellPainter::MakeBanner()
{
    BannerValid = true;
    WellCells.SetBanner(QImage(), QPoint());
    if (Well.WellWidth <= 0 || Well.WellHeight <= 0)
        return;
    // Drawn on the whole background as the paint handler draws it, then cut to the rows and
    // columns it changed: only the banner's own pixels are kept while paused.
    QImage well(Well.WellWidth, Well.WellHeight, QImage::Format_RGB32);
    Cells.CopyBackground(well, well.rect(), QPoint(0, 0));
    {
        QPainter painter(&well);
        TPauseBanner::Draw(painter, well.rect(), Ratio, Font);
    }
    WellCells.TakeBanner(well);
    well = QImage();
    ReleaseFreedMemory();
}

void TWellPainter::ShowWell()
{
    Shown = Settled;
    Changed(Well.WellRect());
}

void TWellPainter::DrawBoardCell(int colour, int column, int row)
{
    if (column < 0 || column >= WellCells.Columns() || row < 0 || row >= WellCells.Rows())
        return;
    // A picture that was never loaded draws nothing.
    if (colour == 0 || !Cells.CellImage(colour).isNull())
        Settled[row][column] = TShownCell{static_cast<uint8_t>(colour), 0, false};
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
    // Whole cells: the engine asks for rectangles of them.
    const QRect cells = WellCells.CellsMeeting(QRect(x, y, width, height));
    const QRect asked(x, y, width, height);
    const QRect rect = cells.isEmpty() ? asked : WellCells.PixelsOf(cells).united(asked);
    if (state != gsPaused)
    {
        // Composed in place: only the rectangle changes, so the piece's cells outside it are
        // left out, as the window would not have shown them.
        for (int row = cells.top(); row <= cells.bottom(); ++row)
            for (int column = cells.left(); column <= cells.right(); ++column)
                Shown[row][column] = Settled[row][column];
        if (state != gsStopped && !cells.isEmpty())
        {
            TLayerCellSurface surface(WellCells, Cells, Shown, WellCells.PixelsOf(cells));
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
    Settled = Shown;
}

void TWellPainter::ShowEmptyWell()
{
    Settled = {};
    ShowWell();
}

void TWellPainter::DrawDissolveFrame(int step)
{
    const TGrid& board = *State.Board;
    const TGrid& marks = *State.ClearMarks;
    QRect changed;
    for (int row = 0; row < WellCells.Rows(); ++row)
    {
        for (int column = 0; column < WellCells.Columns(); ++column)
        {
            if (marks.At(row, column) == 0)
                continue;
            Shown[row][column] = {board.At(row, column), static_cast<uint8_t>(std::clamp(step, 0, 255)), false};
            changed |= QRect(column, row, 1, 1);
        }
    }
    Changed(WellCells.PixelsOf(changed).translated(Well.Origin()) & Well.WellRect());
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
    const QSize well(Well.WellWidth, Well.WellHeight);
    const QRgb colour = RgbFromColorRef(Settings.InnerColor);
    if (well.isEmpty())
        Inner.Clear();
    if (Settings.InnerMode == 1 || path.isEmpty())
    {
        if (!well.isEmpty())
            Inner.SetColour(colour);
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
            if (!well.isEmpty())
                Inner.SetColour(colour);
        }
        else if (!well.isEmpty())
        {
            // Transparent parts of icons show the stretched picture through the tiles.
            Inner.SetPicture(picture, well, Settings.InnerTile,
                             !TPictureLoader::IsJpegPath(path) && picture.hasAlphaChannel());
        }
    }
    Cells.SetWellBackground(&Inner.Image(), Well.Origin(), Inner.IsTiled());
    BannerValid = false;
    Settled = {};
    ReleaseFreedMemory();
    Invalidate();
}

QImage TWellPainter::WellBackground() const
{
    if (!Inner.IsTiled())
        return Inner.Image();
    QImage whole(Well.WellWidth, Well.WellHeight, QImage::Format_RGB32);
    Cells.CopyBackground(whole, whole.rect(), QPoint(0, 0));
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
