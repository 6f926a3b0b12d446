// A store file of arbitrary text is loaded as at start-up, then a game is played through the
// real engine, view and painter with the built-in cells, offscreen and on a fake clock. The last
// bytes of the input (up to 64) are the player's script of ticks and keys.
#include "engine/GameEngine.h"
#include "settings/SettingsIo.h"
#include "settings/SettingsStore.h"
#include "view/CellImages.h"
#include "view/WellPainter.h"
#include "view/WellView.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace
{

class TFakeClock : public IClock
{
public:
    uint32_t Milliseconds() override { return Now += 5; }
    uint32_t Now = 0;
};

QTemporaryDir* Config = nullptr;

void WriteStore(const char* text, qsizetype size)
{
    const QString folder = Config->filePath(QStringLiteral("Hollin"));
    QDir().mkpath(folder);
    QFile file(folder + QStringLiteral("/Pelmo2000.conf"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(text, size);
}

// The window's parts without the window: engine, view and painter, as the game window joins them.
struct TGame
{
    TGame(TSettings& settings, uint32_t seed)
        : View(Painter, settings), Engine(settings, View, Clock, seed), Painter(Engine, settings, Cells)
    {
        Cells.LoadCellImages(settings.BlockPicture, settings.BlockWidth);
        Cells.LoadSolveImages(settings.BlockWidth);
        // A window paints once per burst of invalidations, as the event loop would.
        Painter.InvalidateRequested = [this] { PaintPending = true; };
        Painter.FormResize(800, 600);
        Painter.UpdateGeometry();
        Painter.LoadOuterPicture();
        Engine.Start();
    }

    void PaintIfAsked()
    {
        if (PaintPending)
            Painter.PaintWindow();
        PaintPending = false;
    }

    bool PaintPending = false;
    TFakeClock Clock;
    TCellImages Cells;
    TWellView View;
    TGameEngine Engine;
    TWellPainter Painter;
};

void Play(TGame& game, const TSettings& settings, const uint8_t* script, size_t length)
{
    TGameEngine& engine = game.Engine;
    const uint16_t keys[] = {settings.LeftKey, settings.RightKey, settings.DropKey, settings.RColorKey,
                             settings.RBlockKey};
    engine.NewGame();
    for (size_t i = 0; i < length; ++i)
    {
        const uint8_t step = script[i];
        switch (step % 8)
        {
        case 0: // a run of ticks
            for (int tick = 0; tick < 8 * (step / 8 + 1); ++tick)
                engine.TimerTick();
            break;
        case 1: engine.FormKeyDown(keys[(step / 8) % 5]); break;
        case 2: engine.FormKeyUp(keys[(step / 8) % 5]); break;
        case 3: engine.PauseMenuClick(); break;
        case 4: engine.FocusLost(); break;
        case 5: engine.SelectGameMode(step / 8 % 9); break; // 0 and 8 are no mode: the default one
        case 6: engine.NewGame(); break;
        default: engine.FormKeyDown(step); break; // any key code at all
        }
        game.PaintIfAsked();
    }
    // Play on until the game is over, as a player who gives up would.
    for (int tick = 0; tick < 3000 && engine.GameState != gsStopped; ++tick)
    {
        if (engine.GameState == gsPaused)
            engine.PauseMenuClick();
        engine.TimerTick();
    }
    game.PaintIfAsked();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    Config = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/pelmo-fuzz-XXXXXX"));
    setenv("XDG_CONFIG_HOME", QFile::encodeName(Config->path()).constData(), 1);
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const size_t scriptLength = std::min<size_t>(size / 2, 64);
    WriteStore(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size - scriptLength));

    const TDisplayFacts display{1280, 32, "/nonexistent/"};
    TSettings settings;
    bool showNext = true;
    TSettingsStore store;
    LoadSettings(settings, showNext, display, store);
    ClampStoredSettings(settings, display);
    settings.SoundOn = false;
    settings.MusicOn = false;

    TGame game(settings, data[0]);
    Play(game, settings, data + size - scriptLength, scriptLength);
    return 0;
}
