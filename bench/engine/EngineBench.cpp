// Speed of the engine alone: drawing, sound and the busy waits are faked out.
#include "engine/Block.h"
#include "engine/GameEngine.h"
#include "engine/GameView.h"
#include "core/Settings.h"
#include "tests/support/FakeClock.h"
#include "tests/engine/RandomPlayer.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>

namespace
{

class TNullView : public IGameView
{
public:
    void StartGameTimer() override {}
    void StopGameTimer() override {}
    void RedrawPieceArea(int, int, int, int) override {}
    void RedrawWell(bool) override {}
    void CaptureWell() override {}
    void ShowEmptyWell() override {}
    void DrawDissolveFrame(int) override {}
    void InvalidateWindow() override {}
    void ShowScore(int32_t) override {}
    void ShowLevel(int) override {}
    void ShowNextBlock(const TBlock&) override {}
    void RepaintPreview() override {}
    void SetPauseCaptions(bool) override {}
    void PlayEffect(TEffect) override {}
    void StartMusic() override {}
    void PauseMusic() override {}
    void ResumeMusic() override {}
    void ModeChanged(int) override {}
    void MarkMode(int) override {}
    void GameOver(int32_t) override { ++GameOvers; }

    int64_t GameOvers = 0;
};

struct TBenchRig
{
    explicit TBenchRig(const TSettings& settings, uint32_t seed = 1) : Settings(settings), Engine(Settings, View, Clock, seed)
    {
        Engine.Start();
    }
    TSettings Settings;
    TNullView View;
    TFakeClock Clock{1000}; // every busy wait ends after its first poll
    TGameEngine Engine;
};

void FallStep(benchmark::State& state)
{
    TBenchRig rig(TSettings{});
    rig.Engine.NewGame();
    rig.Engine.GameState = gsPlaying;
    rig.Engine.CurrentBlock.Count = 3;
    rig.Engine.CurrentBlock.Horizontal = true;
    rig.Engine.BlockX = 3;
    rig.Engine.BlockY = 0;
    for (auto _ : state)
    {
        if (rig.Engine.BlockY >= 15)
            rig.Engine.BlockY = 0;
        rig.Engine.TickCounter = static_cast<uint8_t>(rig.Engine.FallDelay - 1);
        rig.Engine.TimerTick();
    }
    benchmark::DoNotOptimize(rig.Engine.BlockY);
}
BENCHMARK(FallStep);

// A crowded 9 x 17 well without runs and a piece whose landing sets off a chain of passes,
// found once by trying pieces on random wells.
struct TChainSetup
{
    TGrid Board;
    TBlock Piece;
    int32_t X = 0;
    int32_t Y = 0;
    int Passes = 0;
};

TChainSetup FindChain(int wantedPasses)
{
    TBenchRig rig(TSettings{});
    std::mt19937 random(2000);
    TChainSetup best;
    for (int attempt = 0; attempt < 20000 && best.Passes < wantedPasses; ++attempt)
    {
        TGrid board;
        for (int row = 3; row < MaxRows; ++row)
            for (int col = 0; col < MaxCols; ++col)
            {
                // Colours 1..4, avoiding any run of three already in place.
                for (int tries = 0; tries < 20; ++tries)
                {
                    const auto colour = static_cast<uint8_t>(1 + random() % 4);
                    const auto same = [&](int r, int c) {
                        return r >= 0 && c >= 0 && c < MaxCols && board.At(r, c) == colour;
                    };
                    const bool run = (same(row, col - 1) && same(row, col - 2))
                                     || (same(row - 1, col) && same(row - 2, col))
                                     || (same(row - 1, col - 1) && same(row - 2, col - 2))
                                     || (same(row - 1, col + 1) && same(row - 2, col + 2));
                    if (!run)
                    {
                        board.At(row, col) = colour;
                        break;
                    }
                }
            }
        TBlock piece;
        piece.Count = 3;
        piece.Horizontal = true;
        for (int i = 0; i < 3; ++i)
            piece.Colors[i] = static_cast<uint8_t>(1 + random() % 4);
        const int32_t x = static_cast<int32_t>(random() % 7);

        rig.Engine.NewGame();
        rig.Engine.Board = board;
        rig.Engine.GameState = gsPlaying;
        rig.Engine.CurrentBlock = piece;
        rig.Engine.BlockX = x;
        rig.Engine.BlockY = 3; // resting on row 3, one row above
        rig.Engine.LandPiece();
        const int passes = rig.Engine.LevelCounter + 16 * (rig.Engine.Level - 1);
        if (passes > best.Passes)
            best = {board, piece, x, 3, passes};
    }
    return best;
}

void LandPieceWithChain(benchmark::State& state)
{
    const TChainSetup chain = FindChain(4);
    TBenchRig rig(TSettings{});
    rig.Engine.NewGame();
    for (auto _ : state)
    {
        rig.Engine.Board = chain.Board;
        rig.Engine.GameState = gsPlaying;
        rig.Engine.CurrentBlock = chain.Piece;
        rig.Engine.BlockX = chain.X;
        rig.Engine.BlockY = chain.Y;
        rig.Engine.Level = 1;
        rig.Engine.LevelCounter = 0;
        rig.Engine.Score = 0;
        rig.Engine.LandPiece();
    }
    state.counters["passes_per_landing"] = chain.Passes;
    state.counters["passes"] = benchmark::Counter(static_cast<double>(chain.Passes) * state.iterations(),
                                                  benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(LandPieceWithChain);

// One pass on the crowded well: a run found, marked, removed and scored.
void OneClearingPass(benchmark::State& state)
{
    const TChainSetup chain = FindChain(1);
    TBenchRig rig(TSettings{});
    rig.Engine.NewGame();
    rig.Engine.Board = chain.Board;
    rig.Engine.GameState = gsPlaying;
    rig.Engine.CurrentBlock = chain.Piece;
    rig.Engine.BlockX = chain.X;
    rig.Engine.BlockY = chain.Y;
    rig.Engine.LandPiece();
    // Put the landed piece back in place and time the first pass alone.
    TGrid landed = chain.Board;
    for (int i = 0; i < chain.Piece.Count; ++i)
        landed.At(chain.Y - 1, chain.X + i) = chain.Piece.Colors[i];
    for (auto _ : state)
    {
        rig.Engine.Board = landed;
        rig.Engine.LevelCounter = 0;
        int32_t points = 0;
        int32_t cells = 0;
        benchmark::DoNotOptimize(rig.Engine.ClearPass(points, cells));
    }
}
BENCHMARK(OneClearingPass);

void RandomGames(benchmark::State& state)
{
    TSettings settings;
    settings.FastDropping = state.range(0) != 0;
    TBenchRig rig(settings, 5);
    uint64_t seed = 0;
    int64_t events = 0;
    for (auto _ : state)
    {
        TRandomPlayer player(seed++);
        rig.Engine.NewGame();
        const int64_t gameOvers = rig.View.GameOvers;
        for (int event = 0; event < 100000 && rig.View.GameOvers == gameOvers; ++event, ++events)
            player.Step(rig.Engine, rig.Settings);
    }
    state.counters["games"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["events_per_game"] = static_cast<double>(events) / static_cast<double>(state.iterations());
}
BENCHMARK(RandomGames)->Arg(1)->Arg(0)->ArgName("fast_dropping");

} // namespace

BENCHMARK_MAIN();
