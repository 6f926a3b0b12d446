// Costs of cells drawn for the screen's own pixels: making a cell set for a well fitted to a 4K
// screen at device pixel ratio 2, and the fall step and full repaint at that size (compare with
// FallStep and FullRepaint of ViewBench at 1920 x 1080, ratio 1).

#include "engine/GameEngine.h"
#include "core/Settings.h"
#include "view/CellImages.h"
#include "view/WellFit.h"
#include "view/WellPainter.h"
#include "PaintRig.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{

// 3840 x 2160 at ratio 2: a client area of 1920 x 1055 below a 25-pixel menu bar.
constexpr int ClientWidth = 1920;
constexpr int ClientHeight = 1055;
constexpr double Ratio = 2.0;

const TWellFit Fit = TWellFit::For(ClientWidth, ClientHeight, 9, 17);

int Device(int logical)
{
    return static_cast<int>(std::lround(logical * Ratio));
}

// Seven cells of the skin and the four masks, as a size or skin change makes them.
void MakeCellSet(benchmark::State& state)
{
    const int skin = static_cast<int>(state.range(0));
    TCellImages cells;
    for (auto _ : state)
    {
        cells.MakeCellImages(skin, Device(Fit.CellWidth), Device(Fit.CellHeight));
        cells.MakeSolveImages(Device(Fit.CellWidth), Device(Fit.CellHeight), std::lround(Fit.CellHeight / 37.0));
    }
    state.SetLabel(std::to_string(Device(Fit.CellWidth)) + " x " + std::to_string(Device(Fit.CellHeight)) + " pixels");
}
BENCHMARK(MakeCellSet)->DenseRange(1, 4)->Unit(benchmark::kMillisecond);

struct TRig : TPaintRig
{
    TRig()
    {
        const QString folder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
        Settings.InnerImage = (folder + QStringLiteral("texture2.bmp")).toStdString();
        Settings.OuterImage = (folder + QStringLiteral("texture1.bmp")).toStdString();
        Painter.WindowChanged = [this](const QRect& rect) { PaintScreen(rect); };
        Painter.SetPixelRatio(Ratio);
        Painter.SetCellSize(Fit.CellWidth, Fit.CellHeight);
        Cells.MakeCellImages(1, Painter.CellWidth(), Painter.CellHeight());
        Cells.MakeSolveImages(Painter.CellWidth(), Painter.CellHeight(), 2);
        Painter.FormResize(ClientWidth, ClientHeight);
        Painter.UpdateGeometry();
        Painter.LoadOuterPicture();
        FillLowerRows();
    }
};

void FallStepAt4K(benchmark::State& state)
{
    TRig rig;
    rig.Piece.Horizontal = true;
    rig.Piece.Count = 4;
    for (int i = 0; i < 4; ++i)
        rig.Piece.Colors[i] = static_cast<uint8_t>(i + 1);
    const int w = rig.Painter.CellWidth();
    const int h = rig.Painter.CellHeight();
    for (auto _ : state)
    {
        rig.BlockY = rig.BlockY % 9 + 1;
        rig.Painter.RedrawPieceArea(rig.BlockX * w, (rig.BlockY - 1) * h, 4 * w, 2 * h);
    }
}
BENCHMARK(FallStepAt4K)->Unit(benchmark::kMicrosecond);

// What the machine allows: the pixels of a fall step (two rows of four cells) and of a full
// repaint written by plain row copies into a store of the window's size, from a source that
// stays in the cache as the cell pictures and textures do. The painting's figures above cannot
// beat these.
void StoreFloorAt4K(benchmark::State& state)
{
    const bool wholeWindow = state.range(0) != 0;
    QImage screen(Device(ClientWidth), Device(ClientHeight), QImage::Format_RGB32);
    screen.fill(Qt::black);
    const int w = Device(Fit.CellWidth);
    const int h = Device(Fit.CellHeight);
    QImage source(wholeWindow ? 256 : 4 * w, wholeWindow ? 256 : h, QImage::Format_RGB32);
    source.fill(Qt::gray);
    const int width = wholeWindow ? screen.width() : 4 * w;
    const int height = wholeWindow ? screen.height() : 2 * h;
    const int left = wholeWindow ? 0 : (screen.width() - 9 * w) / 2 + 2 * w;
    uchar* bits = screen.bits();
    int step = 0;
    for (auto _ : state)
    {
        const int top = wholeWindow ? 0 : (step++ % 9) * h;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; x += source.width())
                std::memcpy(bits + (top + y) * screen.bytesPerLine() + (left + x) * 4,
                            source.constScanLine(y % source.height()),
                            static_cast<size_t>(std::min(source.width(), width - x)) * 4);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * int64_t(width) * height * 4);
    state.SetLabel(wholeWindow ? "full repaint's pixels" : "fall step's pixels");
}
BENCHMARK(StoreFloorAt4K)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void FullRepaintAt4K(benchmark::State& state)
{
    TRig rig;
    for (auto _ : state)
        rig.FullRepaint();
    benchmark::DoNotOptimize(rig.Screen.constBits());
}
BENCHMARK(FullRepaintAt4K)->Unit(benchmark::kMillisecond);

void DissolveFrameAt4K(benchmark::State& state)
{
    TRig rig;
    for (int column = 0; column < 9; ++column)
        rig.Marks.At(16, column) = 1;
    int step = 0;
    for (auto _ : state)
    {
        step = step % 5 + 1;
        rig.Painter.DrawDissolveFrame(step);
    }
}
BENCHMARK(DissolveFrameAt4K)->Unit(benchmark::kMicrosecond);

} // namespace
