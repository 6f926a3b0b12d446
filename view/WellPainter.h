#pragma once

#include "view/InnerBackground.h"
#include "view/WellCells.h"
#include "view/WellGeometry.h"
#include "view/WellState.h"

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <functional>

struct TSettings;
class TCellImages;

// Paints the game window's client area: the outer background, the bevelled frame and the
// double-buffered well. The window asks for any rectangle of it (Paint) straight into its own
// backing store, so no client-sized copy is kept here; it is told, through the callbacks, what
// changed. The board and compose images are kept as records of what each cell shows (TWellCells),
// drawn into the backing store only when it is painted, so a change writes each pixel once.
class TWellPainter
{
public:
    TWellPainter(const TGameEngine& engine, TSettings& settings, TCellImages& cells);
    TWellPainter(const TWellState& state, TSettings& settings, TCellImages& cells);
    TWellPainter(const TWellPainter&) = delete;
    TWellPainter& operator=(const TWellPainter&) = delete;

    // A rectangle of the window image changed and should reach the screen now: the clearing
    // animation and the hard drop are watched during busy waits.
    std::function<void(const QRect&)> WindowChanged;
    // The whole window needs its erase and paint (PaintWindow) at the next paint event.
    // Without it an invalidation paints at once.
    std::function<void()> InvalidateRequested;
    std::function<void()> PreviewRepaintRequested;
    // "Cannot open <path>" for a background picture that failed; the window shows it in a box.
    std::function<void(const QString&)> MessageRequested;
    // Why the picture of the last "Cannot open" did not load, in one line.
    QString FailureReason() const { return FailureReasonValue; }

    // The window's font: the pause banner's typeface.
    void SetFont(const QFont& font)
    {
        Font = font;
        BannerValid = false;
    }

    // The client area changed size: the well keeps its size and is centred again. The size is in
    // the window's coordinates; the images hold PixelRatio() pixels for each of those.
    void FormResize(int clientWidth, int clientHeight);

    // Device pixels per window coordinate; takes effect at the next FormResize and UpdateGeometry.
    void SetPixelRatio(double ratio);
    double PixelRatio() const { return Ratio; }
    // The cell size in window coordinates when it is not the settings' (a well fitted to the
    // window); 0 x 0 goes back to the settings' size.
    void SetCellSize(int width, int height);
    // The cell size in use, in window coordinates and in the images' pixels.
    int LogicalCellWidth() const;
    int LogicalCellHeight() const;
    int CellWidth() const;
    int CellHeight() const;
    // The well's size follows the settings: images resized, background rebuilt, window invalidated.
    void UpdateGeometry();

    void Invalidate();
    bool PaintPending() const { return PendingPaint; }
    // What an invalidation leads to: FormPaint, after which every pixel of the window is painted
    // anew (EraseBackground and the shown well) as the window asks for them.
    void PaintWindow();

    // The client area's rectangle area, in the images' pixels, drawn onto target with area's
    // top-left corner at target's (0, 0): EraseBackground, then the well as shown.
    void Paint(QImage& target, const QRect& area) const;
    void EraseBackground(QImage& target, const QRect& area) const;
    void FormPaint();
    void ShowWell();
    void DrawBoardCell(int colour, int column, int row);
    void RedrawWell(bool full);
    void RedrawPieceArea(int x, int y, int width, int height);
    void CaptureWell();
    void ShowEmptyWell();
    void DrawDissolveFrame(int step);
    void BuildWellBackground();
    void LoadOuterPicture();

    const TWellGeometry& Geometry() const { return Well; }
    // The whole client area as the window shows it.
    QImage WindowImage() const;
    QRect WindowRect() const { return QRect(0, 0, WindowWidth, WindowHeight); }
    // The inner background over the whole well.
    QImage WellBackground() const;
    // The inner background with every settled cell as last redrawn or captured; never the piece.
    QImage BoardImage() const { return LayerImage(Settled); }
    // The well exactly as the window shows it, whole even where the window cuts it off.
    QImage ComposeImage() const { return LayerImage(Shown); }
    const QImage& OuterPicture() const { return Outer; }

private:
    int Rows() const;
    int Columns() const;
    void AlignWell();
    void ResizeWellImages();
    QImage LayerImage(const TWellCells::TLayer& layer) const;
    // The banner drawn over the background, cut to the pixels it changes.
    void MakeBanner();
    void Changed(const QRect& rect);
    void ReportFailure(const QString& path, const QString& reason);
    QString FailureReasonValue;
    void ShowCompose(const QRect& rect);
    int Device(int logical) const;

    TWellState State;
    TSettings& Settings;
    TCellImages& Cells;
    TWellGeometry Well;
    QFont Font;
    double Ratio = 1.0;
    int FittedWidth = 0;
    int FittedHeight = 0;
    int ClientWidth = 0;
    int ClientHeight = 0;

    // The client area's size in the images' pixels.
    int WindowWidth = 0;
    int WindowHeight = 0;

    // The inner background: the whole well, or one period of it repeated from the well's corner.
    TInnerBackground Inner;
    TWellCells WellCells;
    // BoardImage as a record: the background and the settled cells.
    TWellCells::TLayer Settled{};
    // What the window's well rectangle shows: the piece is composed here, the dissolve drawn
    // here, and landed pieces are taken back from here.
    TWellCells::TLayer Shown{};
    bool BannerValid = false;
    QImage Outer;

    bool PendingPaint = false;
    bool Painting = false;
};
