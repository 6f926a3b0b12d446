#pragma once

#include "app/ColumnScaling.h"
#include "app/SteadyClock.h"
#include "audio/AudioDevice.h"
#include "audio/GameMusic.h"
#include "audio/SoundEffects.h"
#include "engine/GameEngine.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"
#include "view/CellImages.h"
#include "view/WellPainter.h"
#include "view/WellView.h"

#include <QBasicTimer>
#include <QTimer>
#include <QMainWindow>

#include <array>
#include <memory>

class QAction;
class QMenu;
class QLabel;
class TBevelPanel;
class TClientArea;
class TDialogs;
class TFlatButton;
class TFormScore;
class THelpWindow;
class TNextPreview;
class TSevenSegment;

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

    // The high-score window, created after this window and before it is first shown.
    void SetFormScore(TFormScore* formScore);

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

    // For tests and for the dialogs to come.
    TGameEngine& Engine() { return *Game; }
    TSettings& Config() { return Settings; }
    TWellPainter& Painter() { return WellPainter; }
    TGameMusic& Music() { return GameMusic; }
    TSoundEffects& Effects() { return SoundEffects; }
    TNextPreview* Preview() const { return NextPreview; }
    TSevenSegment* ScoreDisplay() const { return SevenScore; }
    TSevenSegment* LevelDisplay() const { return SevenLevel; }
    TSevenSegment* HighDisplay() const { return SevenHigh; }
    QAction* PauseAction() const { return PauseMenu; }
    TFlatButton* PauseButton() const { return SpeedPause; }
    QAction* ModeAction(int modeNumber) const { return ModeMenus[modeNumber - 1]; }
    TFlatButton* ModeButton(int modeNumber) const { return ModeButtons[modeNumber - 1]; }
    QWidget* ClientArea() const;
    THelpWindow* HelpWindow() const { return Help; }
    bool GameTimerActive() const { return GameTimer.isActive(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* AddCommand(QMenu* menu, const char* name, const char* glyph, const QString& caption,
                        const QString& hint, void (TFormTumbla::*handler)());
    TFlatButton* AddButton(const QString& caption, const char* glyph, QPoint position, QAction* twin,
                           void (TFormTumbla::*handler)());
    void RemoveRestoreCommand();
    void ApplyMinimumSize();
    bool FillsScreen() const;
    void ScoresNotSaved();
    void BuildMenus();
    void BuildLeftColumn();
    void BuildRightColumn();
    void FormResize(int clientWidth, int clientHeight);
    void FormShow();
    void ShowBestScore(int modeNumber);
    TDisplayFacts DisplayFacts() const;
    void PrepareCells();

    std::unique_ptr<TDialogs> OwnDialogs;
    TDialogs* Dialogs;

    TSettings Settings;
    TSettingsStore Store;
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
    bool ScoreSaveReported = false;
    TFormScore* FormScore = nullptr;
    THelpWindow* Help = nullptr;

    TClientArea* Client = nullptr;
    QLabel* LabelNext = nullptr;
    QLabel* LabelScore = nullptr;
    QLabel* LabelLevel = nullptr;
    QLabel* LabelHigh = nullptr;
    TBevelPanel* PanelNext = nullptr;
    TBevelPanel* PanelScore = nullptr;
    TBevelPanel* PanelLevel = nullptr;
    TBevelPanel* PanelHigh = nullptr;
    TNextPreview* NextPreview = nullptr;
    TSevenSegment* SevenScore = nullptr;
    TSevenSegment* SevenLevel = nullptr;
    TSevenSegment* SevenHigh = nullptr;
    QAction* NewMenu = nullptr;
    QAction* PauseMenu = nullptr;
    QAction* HiScoresMenu = nullptr;
    QAction* Preferences1 = nullptr;
    QAction* Keluar1 = nullptr;
    TFlatButton* SpeedPause = nullptr;
    std::array<QAction*, ModeCount> ModeMenus{};
    std::array<TFlatButton*, ModeCount> ModeButtons{};
};
