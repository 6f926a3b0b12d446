// Costs of the well painting at the sizes a player meets: one fall step, a full repaint of a
// large window with both textures, and one dissolve frame of a cleared row.

#include "engine/GameEngine.h"
#include "core/Settings.h"
#include "view/CellImages.h"
#include "view/WellPainter.h"
#include "PaintRig.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace
{

// Cells from the program's resources when they are linked in, otherwise generated.
void LoadCells(TCellImages& cells, int width, int height)
{
    cells.LoadCellImages(1, width);
    cells.LoadSolveImages(width);
    if (!cells.CellImage(1).isNull() && !cells.SolveImage(1).isNull())
        return;
    for (int colour = 1; colour <= 7; ++colour)
    {
        QImage cell(44, 37, QImage::Format_RGB32);
        for (int y = 0; y < 37; ++y)
            for (int x = 0; x < 44; ++x)
                cell.setPixel(x, y, qRgb(colour * 30, x * 5, y * 6));
        cells.SetCellImage(colour, cell);
    }
    for (int step = 1; step <= 4; ++step)
    {
        QImage mask(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                mask.setPixel(x, y, ((x / 2 + y / 2 + step) % 2) ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        cells.SetSolveImage(step, mask);
    }
    cells.ResizeMaskImage();
}

// The texture beside the program, or a generated one of a typical size.
std::string Texture(const char* name, int seed)
{
    const QString beside = QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(name);
    if (QFileInfo::exists(beside))
        return beside.toStdString();
    static QTemporaryDir standInFolder;
    QImage texture(256, 256, QImage::Format_RGB32);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            texture.setPixel(x, y, qRgb((x * seed) & 0xff, (y * 3) & 0xff, (x ^ y) & 0xff));
    const QString path = standInFolder.filePath(QLatin1String(name));
    texture.save(path, "BMP");
    return path.toStdString();
}

struct TBench : TPaintRig
{
    TBench(int clientWidth, int clientHeight)
    {
        Settings.BlockWidth = 44;
        Settings.BlockHeight = 37;
        Settings.InnerMode = 2;
        Settings.OuterMode = 2;
        Settings.InnerTile = true;
        Settings.OuterTile = true;
        Settings.InnerImage = Texture("texture2.bmp", 3);
        Settings.OuterImage = Texture("texture1.bmp", 5);
        LoadCells(Cells, Settings.BlockWidth, Settings.BlockHeight);
        Painter.WindowChanged = [this](const QRect& rect)
        {
            Shown += rect.width();
            PaintScreen(rect);
        };
        Painter.FormResize(clientWidth, clientHeight);
        Painter.UpdateGeometry();
        Painter.LoadOuterPicture();
        FillLowerRows();
    }

    int64_t Shown = 0;
};

// A lying four-cell piece one row lower: its two rows recomposed and copied to the window.
void FallStep(benchmark::State& state)
{
    TBench bench(1920, 1080);
    bench.Piece.Horizontal = true;
    bench.Piece.Count = 4;
    for (int i = 0; i < 4; ++i)
        bench.Piece.Colors[i] = static_cast<uint8_t>(i + 1);
    const int w = bench.Settings.BlockWidth;
    const int h = bench.Settings.BlockHeight;
    for (auto _ : state)
    {
        bench.BlockY = bench.BlockY % 9 + 1;
        bench.Painter.RedrawPieceArea(bench.BlockX * w, (bench.BlockY - 1) * h, 4 * w, 2 * h);
    }
    benchmark::DoNotOptimize(bench.Shown);
}
BENCHMARK(FallStep)->Unit(benchmark::kMicrosecond);

// Erase (tiled outer texture, frame, band) and paint (the well) of a 1920 x 1080 client area.
void FullRepaint(benchmark::State& state)
{
    TBench bench(1920, 1080);
    for (auto _ : state)
        bench.FullRepaint();
    benchmark::DoNotOptimize(bench.Screen.constBits());
}
BENCHMARK(FullRepaint)->Unit(benchmark::kMillisecond);

// The same while stopped: every cell is redrawn from the board as well.
void FullRepaintStopped(benchmark::State& state)
{
    TBench bench(1920, 1080);
    bench.State = gsStopped;
    for (auto _ : state)
        bench.FullRepaint();
    benchmark::DoNotOptimize(bench.Screen.constBits());
}
BENCHMARK(FullRepaintStopped)->Unit(benchmark::kMillisecond);

// One frame of the dissolve of a full row of nine cells.
void DissolveFrame(benchmark::State& state)
{
    TBench bench(1920, 1080);
    for (int column = 0; column < 9; ++column)
        bench.Marks.At(16, column) = 1;
    int step = 0;
    for (auto _ : state)
    {
        step = step % 5 + 1;
        bench.Painter.DrawDissolveFrame(step);
    }
    benchmark::DoNotOptimize(bench.Shown);
}
BENCHMARK(DissolveFrame)->Unit(benchmark::kMicrosecond);

} // namespace
