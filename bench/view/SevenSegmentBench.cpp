#include "view/Seven.h"

#include <benchmark/benchmark.h>

namespace
{

// The score display as the game sets it up.
void SetUpScoreDisplay(TSevenSegment& display)
{
    display.resize(113, 29);
    display.SetThickness(3);
    display.SetSpace(1);
    display.SetHorzSpace(4);
    display.SetVertSpace(4);
    display.SetOnColor(QColor(255, 255, 0));
    display.SetOffColor(QColor(64, 64, 64));
    display.SetShowDecimalPoint(false);
    display.SetNumberOfDigits(6);
}

// One whole paint of a six-digit score: format, draw every cell off-screen, copy once.
void BM_PaintScoreDisplay(benchmark::State& state)
{
    TSevenSegment display;
    SetUpScoreDisplay(display);
    QImage target(display.size(), QImage::Format_RGB32);
    int score = 123456;
    for (auto _ : state)
    {
        display.SetValue(QString::number(score++));
        display.render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_PaintScoreDisplay);

// The off-screen image alone, without the copy to the target.
void BM_RenderScoreDisplay(benchmark::State& state)
{
    TSevenSegment display;
    SetUpScoreDisplay(display);
    display.SetValue("987654");
    for (auto _ : state)
    {
        QImage image = display.Render();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_RenderScoreDisplay);

} // namespace
