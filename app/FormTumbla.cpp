#include "FormTumbla.h"

#include "app/BevelPanel.h"
#include "app/ClientArea.h"
#include "app/Dialogs.h"
#include "app/FlatButton.h"
#include "app/GlyphIcon.h"
#include "app/Fonts.h"
#include "app/HelpWindow.h"
#include "input/Gamepads.h"
#include "input/KeyCodes.h"
#include "app/PreferencesApply.h"
#include "app/SystemMenu.h"
#include "app/WebAddresses.h"
#include "app/WebPage.h"
#include "resources/BuiltInImages.h"
#include "scores/dialog/FormScore.h"
#include "settings/SettingsIo.h"
#include "view/NextPreview.h"
#include "view/Seven.h"
#include "view/WellFit.h"
#include "view/WindowLimits.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QTimerEvent>

namespace
{
const QColor ModeColour(255, 255, 0);
const QColor CurrentModeColour(0, 255, 0);

uint32_t SeedFromClock()
{
    const QTime now = QDateTime::currentDateTimeUtc().time();
    return TRandom::SeedFromTimeOfDay(now.hour(), now.minute(), now.second(), now.msec());
}
} // namespace

TFormTumbla::TFormTumbla(TDialogs* dialogs, QWidget* parent, IClock* clock)
    : QMainWindow(parent),
      OwnDialogs(dialogs ? nullptr : std::make_unique<TDialogs>()),
      Dialogs(dialogs ? dialogs : OwnDialogs.get()),
      Game(std::make_unique<TGameEngine>(Settings, *this, clock ? *clock : Clock, SeedFromClock())),
      WellPainter(*Game, Settings, Cells),
      WellView(WellPainter, Settings),
      SoundEffects(AudioDevice, Settings.SoundOn),
      GameMusic(AudioDevice,
                [this](const QString&, const QString& text) { Dialogs->Error(this, text, GameMusic.FailureDetails()); }),
      ScorePrompts(*Dialogs, *this),
      PadGame(*Game, *this)
{
    setWindowTitle(QStringLiteral("Pelmo 2000"));
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(BuiltInImages::IconPath(size), QSize(size, size));
    setWindowIcon(icon);
    setFont(SansFont(11, false));
    setFocusPolicy(Qt::StrongFocus);
    move(0, 0);
    RemoveRestoreCommand(*this);

    Client = new TClientArea(WellPainter, this);
    setCentralWidget(Client);
    Menus = BuildGameMenus(*menuBar(), *this);
    Buttons = BuildButtonColumn(*Client, *this, Menus);
    Displays = BuildDisplayColumn(*Client, Cells);
    WellView.SetPreview(Displays.Preview);
    RegisterColumns();

    WellPainter.SetFont(font());
    WellPainter.WindowChanged = [this](const QRect& rect) { Client->repaint(rect); };
    WellPainter.InvalidateRequested = [this] { Client->update(); };
    WellPainter.PreviewRepaintRequested = [this] { Displays.Preview->update(); };
    WellPainter.MessageRequested = [this](const QString& text)
    { Dialogs->Information(this, text, WellPainter.FailureReason()); };
    Client->Resized = [this](int width, int height) { FormResize(width, height); };
    SettleTimer.setSingleShot(true);
    SettleTimer.setInterval(150);
    connect(&SettleTimer, &QTimer::timeout, this, &TFormTumbla::SettleSize);

    LoadSettings(Settings, Displays.Preview->ShowNext, DisplayFacts(), Store);
    ClampStoredSettings(Settings, DisplayFacts());

    WellPainter.FormResize(Client->width(), Client->height());
    WellPainter.BuildWellBackground();
    WellPainter.LoadOuterPicture();
    PrepareCells();
    SoundEffects.Preload();

    connect(&GameMusic.MediaPlayer1(), &TMediaPlayer::Notify, this, &TFormTumbla::MediaPlayer1Notify);

    Game->Start();
    Gamepads = new TGamepads(PadGame, clock ? *clock : Clock, this);
    FormScore = std::make_unique<TFormScore>(ScoreStore, ScorePrompts, this);
    ApplyMinimumSize();
    resize(minimumSize()); // the size it first takes when restored from maximised
}

TFormTumbla::~TFormTumbla()
{
    GameTimer.stop();
    delete Gamepads; // it speaks to the game, which goes first
    Gamepads = nullptr;
    SaveSettings(Settings, Displays.Preview->ShowNext, Store);
    GameMusic.Close();
}

TDisplayFacts TFormTumbla::DisplayFacts() const
{
    TDisplayFacts facts;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
    {
        facts.ScreenWidth = screen->geometry().width();
        facts.ColorDepth = screen->depth();
    }
    facts.ProgramFolder = (QCoreApplication::applicationDirPath() + QLatin1Char('/')).toStdString();
    return facts;
}

TWindowParts TFormTumbla::Parts()
{
    return {*Game,
            Settings,
            WellPainter,
            GameMusic,
            SoundEffects,
            *FormScore,
            *Displays.Preview,
            *Displays.Score,
            *Displays.Level,
            *Displays.High,
            *Menus.PauseMenu,
            *Buttons.SpeedPause,
            Menus.ModeMenus,
            Buttons.ModeButtons,
            *Client,
            Help,
            GameTimer,
            *Gamepads};
}

// The controls that grow with fitted cells: the right column as the display column placed it, the
// left column every other caption and button on the client area.
void TFormTumbla::RegisterColumns()
{
    for (QWidget* control : Displays.Placed)
        Columns.AddRight(control);
    for (TSevenSegment* display : {Displays.Score, Displays.Level, Displays.High})
        Columns.AddDisplay(display);
    for (QWidget* control : Client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (std::find(Displays.Placed.begin(), Displays.Placed.end(), control) == Displays.Placed.end())
            Columns.AddLeft(control);
}

void TFormTumbla::FormResize(int clientWidth, int clientHeight)
{
    WellPainter.FormResize(clientWidth, clientHeight);
    ApplyMinimumSize();
    Columns.Apply(Columns.Scale(), clientWidth);
    if (Shown && (Settings.FitToWindow || devicePixelRatioF() != WellPainter.PixelRatio()))
        SettleTimer.start();
}

// Cells for the size in use at the screen's own pixels, for the well and for the preview.
void TFormTumbla::PrepareCells()
{
    const double ratio = WellPainter.PixelRatio();
    const int skin = Settings.BlockPicture;
    const int maskUnit = std::max(1, static_cast<int>(std::lround(WellPainter.LogicalCellHeight() / 37.0)));
    Cells.Prepare(skin, Settings.BlockWidth, Settings.BlockHeight, WellPainter.CellWidth(), WellPainter.CellHeight(),
                  maskUnit);
    const double scale = Columns.Scale() * ratio;
    if (scale == 1.0)
    {
        Displays.Preview->UseCells(nullptr, 0, 0);
        return;
    }
    const int w = static_cast<int>(std::lround(TNextPreview::PreviewCellWidth * scale));
    const int h = static_cast<int>(std::lround(TNextPreview::PreviewCellHeight * scale));
    PreviewCells.MakeCellImages(skin, w, h);
    Displays.Preview->UseCells(&PreviewCells, w, h);
}

// Runs from the event loop only, so never inside a clearing pass: its dissolve frames wait without
// handling events, and a resize reaches the window between passes at the earliest.
void TFormTumbla::SettleSize()
{
    const double ratio = WellPainter.PixelRatio();
    const double scale = Columns.Scale();
    const TWellFit fit = TWellFit::For(Client->width(), Client->height(), Settings.ColNumber, Settings.RowNumber);
    if (devicePixelRatioF() == ratio && (!Settings.FitToWindow || (fit.CellHeight == WellPainter.LogicalCellHeight()
                                                                   && fit.ColumnScale == scale)))
        return;
    UpdateGeometry();
    if (Game->GameState == gsStopped || Game->GameState == gsPaused)
        return; // a stopped well and the pause banner are painted anew with the window
    // Settled cells are drawn again from the well; the falling piece over them.
    WellView.RedrawWell(true);
    if (Game->GameState == gsPlaying)
        WellView.RedrawPieceArea(Game->BlockX, Game->BlockY, Game->CurrentBlock.Count, Game->CurrentBlock.Count);
}

void TFormTumbla::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!Shown)
    {
        Shown = true;
        FormShow();
    }
}

void TFormTumbla::FormShow()
{
    if (!isMaximized())
        move(0, 0);
    ShowBestScore(Game->ModeNumber);
    ShowLevel(Game->Level);
    ShowScore(Game->Score);
    UpdateGeometry();
    setFocus();
}

void TFormTumbla::UpdateGeometry()
{
    WellPainter.SetPixelRatio(devicePixelRatioF());
    TWellFit fit;
    if (Settings.FitToWindow)
        fit = TWellFit::For(Client->width(), Client->height(), Settings.ColNumber, Settings.RowNumber);
    WellPainter.SetCellSize(Settings.FitToWindow ? fit.CellWidth : 0, Settings.FitToWindow ? fit.CellHeight : 0);
    Columns.Apply(Settings.FitToWindow ? fit.ColumnScale : 1.0, Client->width());
    PrepareCells();
    WellPainter.UpdateGeometry();
    ApplyMinimumSize();
}

// A window that is not maximised keeps the whole well and both columns in view; a maximised
// one takes the screen as it is. The limits are outer sizes, the frame included.
// The height is set at every geometry change, not only once the client area has become shorter
// than the well, and it never drops below the button column: a minimum that waits for the well
// to be cut first lets the player shrink the window until the Mode buttons vanish, and one kept
// from an earlier, larger well would hold a small well's window too tall.
void TFormTumbla::ApplyMinimumSize()
{
    if (FillsScreen())
    {
        setMinimumSize(0, 0);
        return;
    }
    // A fitted well may shrink down to small cells.
    const int wellWidth = Settings.ColNumber * (Settings.FitToWindow ? 26 : Settings.BlockWidth);
    const int wellHeight = Settings.RowNumber * (Settings.FitToWindow ? 22 : Settings.BlockHeight);
    const QSize frame = frameGeometry().size() - size();
    const int outerWidth = TWindowLimits::MinimumOuterWidth(false, Displays.PanelNext->width(), wellWidth).value_or(0);
    const int clientHeight = std::max(wellHeight + 25, TButtonColumn::Bottom);
    setMinimumSize(outerWidth - frame.width(), menuBar()->sizeHint().height() + clientHeight);
}

// Maximised as the screen shows it: without a window manager a window asked to maximise keeps
// its size while still calling itself maximised.
bool TFormTumbla::FillsScreen() const
{
    const QScreen* display = screen();
    if (!isMaximized() || !display)
        return false;
    const QSize available = display->availableGeometry().size();
    const QSize outer = frameGeometry().size();
    return outer.width() >= available.width() * 9 / 10 && outer.height() >= available.height() * 9 / 10;
}

// The best score of a mode as its high-score table holds it; the table is the mode's from now on.
void TFormTumbla::ShowBestScore(int modeNumber)
{
    FormScore->SelectMode(modeNumber);
    Displays.High->SetValue(QString::number(FormScore->ScoreAt(1)));
}

// The high scores, the About box and the help pause a running game themselves rather than
// relying on the desktop to move the focus.
void TFormTumbla::HiScoresMenuClick()
{
    Game->FocusLost();
    FormScore->SelectMode(Game->ModeNumber);
    Dialogs->ShowScores(*FormScore);
}

void TFormTumbla::Preferences1Click()
{
    // A game in progress waits, paused, as for any dialog that takes the focus.
    Game->FocusLost();
    const auto chosen = Dialogs->EditPreferences(this, PreferencesOf(Settings, Displays.Preview->ShowNext), DisplayFacts());
    if (!chosen)
        return;
    TGameParts parts{Settings, Displays.Preview->ShowNext, Game->GameState == gsStopped, Cells, WellPainter, GameMusic,
                     [this] { UpdateGeometry(); }};
    ApplyPreferences(*chosen, parts);
    // Fitted cells, and cells for a screen with more pixels, are drawn for their size.
    PrepareCells();
    WellPainter.Invalidate();
    if (Help)
        Help->Refresh();
}

void TFormTumbla::HelpContentsMenuClick()
{
    Game->FocusLost();
    if (!Help)
        Help = new THelpWindow(this, Settings);
    Help->ShowContents();
}

void TFormTumbla::Tentang1Click()
{
    Game->FocusLost();
    Dialogs->ShowAbout(this);
}

void TFormTumbla::Hollinhomepage1Click()
{
    OpenWebPage(TWebAddresses::Maker);
}

void TFormTumbla::WebSiteMenuClick()
{
    OpenWebPage(TWebAddresses::Program);
}

void TFormTumbla::ShowScore(int32_t score)
{
    Displays.Score->SetValue(QString::number(score));
}

void TFormTumbla::ShowLevel(int level)
{
    Displays.Level->SetValue(QString::number(level));
}

void TFormTumbla::keyPressEvent(QKeyEvent* event)
{
    if (const uint16_t key = VirtualKeyFromEvent(*event))
        Game->FormKeyDown(key);
}

void TFormTumbla::keyReleaseEvent(QKeyEvent* event)
{
    // A held key repeats as press/release pairs on some desktops; only the real release counts.
    if (!event->isAutoRepeat())
        Game->FormKeyUp(VirtualKeyFromEvent(*event));
}

void TFormTumbla::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == GameTimer.timerId())
        Game->TimerTick();
    else
        QMainWindow::timerEvent(event);
}

void TFormTumbla::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        Game->FocusLost();
    else if (event->type() == QEvent::WindowStateChange)
    {
        if (isMinimized())
            Game->FocusLost();
        ApplyMinimumSize();
    }
}

void TFormTumbla::closeEvent(QCloseEvent* event)
{
    // The question takes the focus, which pauses a running game; pausing first keeps that true
    // where a desktop leaves the focus where it was.
    Game->FocusLost();
    if (Dialogs->Question(this, QStringLiteral("Do you really want to exit Pelmo 2000?")))
        event->accept();
    else
        event->ignore();
}

void TFormTumbla::StartGameTimer()
{
    GameTimer.start(TickInterval, Qt::PreciseTimer, this);
    if (Gamepads)
        Gamepads->SetGamePace(TGamepads::TGamePace::Playing);
}

void TFormTumbla::StopGameTimer()
{
    GameTimer.stop();
    // A pause stops the timer after entering its state; the end of a game before leaving its own.
    if (Gamepads)
        Gamepads->SetGamePace(Game->GameState == gsPaused ? TGamepads::TGamePace::Paused
                                                          : TGamepads::TGamePace::Stopped);
}

void TFormTumbla::SetPauseCaptions(bool paused)
{
    Menus.PauseMenu->setText(paused ? QStringLiteral("&Replay") : QStringLiteral("&Pause"));
    Buttons.SpeedPause->setText(paused ? QStringLiteral("Replay") : QStringLiteral("Pause"));
}

void TFormTumbla::MarkMode(int modeNumber)
{
    for (int m = 1; m <= ModeCount; ++m)
    {
        Menus.ModeMenus[m - 1]->setChecked(m == modeNumber);
        Buttons.ModeButtons[m - 1]->SetCaptionColor(m == modeNumber ? CurrentModeColour : ModeColour);
    }
}

void TFormTumbla::ModeChanged(int modeNumber)
{
    Displays.Preview->update();
    UpdateGeometry();
    ShowBestScore(modeNumber);
}

// The engine has stopped the timer and the game; the name prompt comes while the music plays.
void TFormTumbla::GameOver(int32_t score)
{
    FormScore->SelectMode(Game->ModeNumber);
    const int32_t best = FormScore->AddScore(score);
    GameMusic.StopAtGameOver();
    if (best == 0)
    {
        Dialogs->Information(this, QStringLiteral("Game over"));
        return;
    }
    Dialogs->ShowScores(*FormScore);
    Displays.High->SetValue(QString::number(best));
}
