#pragma once

#include "app/ButtonColumn.h"
#include "app/ColumnScaling.h"
#include "app/DisplayColumn.h"
#include "app/GameMenus.h"
#include "app/PadGame.h"
#include "app/ScorePrompts.h"
#include "app/SteadyClock.h"
#include "app/WindowParts.h"
#include "audio/AudioDevice.h"
#include "audio/GameMusic.h"
#include "audio/SoundEffects.h"
#include "engine/GameEngine.h"
#include "core/Settings.h"
#include "scores/ScoreStore.h"
#include "settings/SettingsStore.h"
#include "view/CellImages.h"
#include "view/WellPainter.h"
#include "view/WellView.h"

#include <QBasicTimer>
#include <QTimer>
#include <QMainWindow>

#include <memory>

class TClientArea;
class TDialogs;
class TFormScore;
class TGamepads;
class THelpWindow;

// The game window: turns window events into engine calls and carries out what the engine asks
// of the screen, the sound and the player.
class TFormTumbla : public QMainWindow, public IGameView
{
    Q_OBJECT

public:
    // dialogs: the message boxes to use; null shows the real ones.
    // clock: the millisecond counter of the busy waits; null uses the steady clock.
    explicit TFormTumbla(TDialogs* dialogs = nullptr, QWidget* parent = nullptr, IClock* clock = nullptr);
    ~TFormTumbla() override;

    // Commands of the menus and flat buttons.
    void NewMenuClick();
    void PauseMenuClick();
    void HiScoresMenuClick();
    void Preferences1Click();
    void Keluar1Click();
    void ModeClick(int modeNumber);
    void HelpContentsMenuClick();
    void Hollinhomepage1Click();
    void WebSiteMenuClick();
    void Tentang1Click();
    void MediaPlayer1Notify();

    // The engine's requests.
    void StartGameTimer() override;
    void StopGameTimer() override;
    void RedrawPieceArea(int column, int row, int width, int height) override;
    void RedrawWell(bool full) override;
    void CaptureWell() override;
    void ShowEmptyWell() override;
    void DrawDissolveFrame(int step) override;
    void InvalidateWindow() override;
    void ShowScore(int32_t score) override;
    void ShowLevel(int level) override;
    void ShowNextBlock(const TBlock& next) override;
    void RepaintPreview() override;
    void SetPauseCaptions(bool paused) override;
    void PlayEffect(TEffect effect) override;
    void StartMusic() override;
    void PauseMusic() override;
    void ResumeMusic() override;
    void ModeChanged(int modeNumber) override;
    void MarkMode(int modeNumber) override;
    void GameOver(int32_t score) override;

    void UpdateGeometry();
    // A well fitted to the window takes its new size once the resizing has settled.
    void SettleSize();

    TWindowParts Parts();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ApplyMinimumSize();
    bool FillsScreen() const;
    void FormResize(int clientWidth, int clientHeight);
    void FormShow();
    void ShowBestScore(int modeNumber);
    TDisplayFacts DisplayFacts() const;
    void PrepareCells();
    void RegisterColumns();

    std::unique_ptr<TDialogs> OwnDialogs;
    TDialogs* Dialogs;

    TSettings Settings;
    TSettingsStore Store;
    TScoreStore ScoreStore{Store};
    TSteadyClock Clock;
    std::unique_ptr<TGameEngine> Game;
    TCellImages Cells;
    TCellImages PreviewCells;
    TColumnScaling Columns;
    QTimer SettleTimer;
    TWellPainter WellPainter;
    TWellView WellView;
    TAudioDevice AudioDevice;
    TSoundEffects SoundEffects;
    TGameMusic GameMusic;
    QBasicTimer GameTimer;
    bool Shown = false;

    TClientArea* Client = nullptr;
    TGameMenus Menus;
    TButtonColumn Buttons;
    TDisplayColumn Displays;
    THelpWindow* Help = nullptr;
    TScorePrompts ScorePrompts;
    TPadGame PadGame;
    TGamepads* Gamepads = nullptr;
    // The high-score window lives from the end of this window's creation to the start of its
    // destruction, as a child window that goes before it.
    std::unique_ptr<TFormScore> FormScore;
};
