// Soak: complete games played at full speed through the real game window (offscreen), with every
// redraw and dissolve frame really drawn, to show that memory stays flat over many games.
// Prints its figures; fails (exit 1) when resident memory grew more than the bound after warm-up.
// Usage: SoakBench [games] [--no-music]
#include "app/Dialogs.h"
#include "app/FormTumbla.h"
#include "engine/GameView.h"
#include "scores/dialog/FormScore.h"
#include "tests/support/FakeClock.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTemporaryDir>

#include <cstdio>
#include <malloc.h>
#include <cstdlib>
#include <random>
#include <unistd.h>

namespace
{
constexpr int WarmUpGames = 10;
constexpr int DefaultSoakGames = 200;
constexpr long GrowthBoundKiB = 2048;

class TSilentDialogs : public TDialogs
{
public:
    void Information(QWidget*, const QString&) override {}
    void Error(QWidget*, const QString&) override {}
    bool Question(QWidget*, const QString&) override { return true; }
    std::optional<QString> AskName(QWidget*, const QString&) override { return QStringLiteral("Soak"); }
    void ShowScores(TFormScore&) override {}
};

long HeapInUseKiB()
{
    return static_cast<long>(mallinfo2().uordblks / 1024);
}

long ResidentKiB()
{
    malloc_trim(0);
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r"))
    {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

struct TSoakFigures
{
    long Pieces = 0;
    long Score = 0;
    long Clearings = 0;
};

void Press(QWidget& window, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::KeypadModifier);
    QApplication::sendEvent(&window, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::KeypadModifier);
    QApplication::sendEvent(&window, &release);
}

// A careless player in every mode by turns: it turns the piece and its colours at random, slides it
// to a random column and drops it.
void PlayGames(TFormTumbla& window, int games, std::mt19937& random, TSoakFigures& figures)
{
    TGameEngine& game = window.Parts().Engine;
    for (int g = 0; g < games; ++g)
    {
        window.ModeClick(1 + g % ModeCount);
        while (game.GameState != gsStopped)
        {
            game.TimerTick();
            if (game.GameState == gsPlaying && game.BlockY >= 0)
            {
                for (int k = random() % 4; k > 0; --k)
                    Press(window, random() % 2 ? Qt::Key_8 : Qt::Key_5);
                const int target = random() % window.Parts().Settings.ColNumber;
                for (int x = -1; x != game.BlockX && game.BlockX != target;)
                {
                    x = game.BlockX;
                    Press(window, game.BlockX < target ? Qt::Key_6 : Qt::Key_4);
                }
                Press(window, Qt::Key_2);
                ++figures.Pieces;
            }
            QApplication::processEvents();
        }
        figures.Score += game.Score;
        figures.Clearings += (game.Level - 1) * 16 + game.LevelCounter;
    }
}
} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    QTemporaryDir configHome;
    setenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit().constData(), 1);
    QApplication application(argc, argv);
    const int SoakGames = argc > 1 && std::atoi(argv[1]) > 0 ? std::atoi(argv[1]) : DefaultSoakGames;

    TSilentDialogs dialogs;
    TFakeClock clock{5}; // busy waits end after a few reads
    TFormTumbla window(&dialogs, nullptr, &clock);
    window.resize(1280, 800);
    window.show();
    QApplication::processEvents();
    std::mt19937 random(2000);
    // --no-music tells the game's own memory apart from what the MIDI synthesiser keeps per song loaded.
    if (application.arguments().contains(QStringLiteral("--no-music")))
        window.Parts().Settings.MusicOn = false;

    TSoakFigures warmUp;
    PlayGames(window, WarmUpGames, random, warmUp);
    const long before = ResidentKiB();
    const long heapBefore = HeapInUseKiB();
    QElapsedTimer elapsed;
    elapsed.start();
    TSoakFigures soak;
    PlayGames(window, SoakGames, random, soak);
    const double seconds = elapsed.elapsed() / 1000.0;
    const long after = ResidentKiB();
    const long heapAfter = HeapInUseKiB();

    std::printf("games                %d (after %d warm-up games)\n", SoakGames, WarmUpGames);
    std::printf("pieces               %ld (%.1f per game)\n", soak.Pieces, double(soak.Pieces) / SoakGames);
    std::printf("clearing passes      %ld (%.1f per game, each drawn in dissolve frames)\n", soak.Clearings,
                double(soak.Clearings) / SoakGames);
    std::printf("score                %ld (%.1f per game)\n", soak.Score, double(soak.Score) / SoakGames);
    std::printf("wall time            %.2f s (%.1f ms per game)\n", seconds, seconds * 1000 / SoakGames);
    std::printf("resident after warm-up %ld KiB, after soak %ld KiB, growth %ld KiB (bound %ld KiB)\n", before,
                after, after - before, GrowthBoundKiB);
    std::printf("heap in use after warm-up %ld KiB, after soak %ld KiB, growth %ld KiB\n", heapBefore, heapAfter,
                heapAfter - heapBefore);
    const bool flat = after - before <= GrowthBoundKiB;
    std::printf("%s\n", flat ? "memory flat" : "MEMORY GREW");
    return flat ? 0 : 1;
}
