#include "view/WellView.h"

#include "core/Settings.h"
#include "view/NextPreview.h"
#include "view/WellPainter.h"

TWellView::TWellView(TWellPainter& painter, const TSettings& settings, TNextPreview* preview)
    : Painter(painter), Settings(settings), Preview(preview)
{
}

void TWellView::RedrawPieceArea(int column, int row, int width, int height)
{
    const int w = Painter.CellWidth();
    const int h = Painter.CellHeight();
    Painter.RedrawPieceArea(column * w, row * h, width * w, height * h);
}

void TWellView::RedrawWell(bool full)
{
    Painter.RedrawWell(full);
}

void TWellView::CaptureWell()
{
    Painter.CaptureWell();
}

void TWellView::ShowEmptyWell()
{
    Painter.ShowEmptyWell();
}

void TWellView::DrawDissolveFrame(int step)
{
    Painter.DrawDissolveFrame(step);
}

void TWellView::InvalidateWindow()
{
    Painter.Invalidate();
}

void TWellView::ShowNextBlock(const TBlock& next)
{
    if (!Preview)
        return;
    Preview->SetBlock(next);
    Preview->update();
}

void TWellView::RepaintPreview()
{
    if (Preview)
        Preview->update();
}
