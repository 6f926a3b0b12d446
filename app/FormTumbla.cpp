#include "FormTumbla.h"

#include "app/BevelPanel.h"
#include "app/ClientArea.h"
#include "app/Dialogs.h"
#include "app/FlatButton.h"
#include "app/GlyphIcon.h"
#include "app/Fonts.h"
#include "app/HelpWindow.h"
#include "app/KeyCodes.h"
#include "app/MenuCheckStyle.h"
#include "app/WebAddresses.h"
#include "app/WebPage.h"
#include "resources/BuiltInImages.h"
#include "scores/FormScore.h"
#include "app/PreferencesApply.h"
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
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QTimerEvent>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace
{
const QColor ModeColour(255, 255, 0);
const QColor CurrentModeColour(0, 255, 0);

const char* const ModeGlyphs[ModeCount] = {"single", "duo", "trio", "column", "quartet", "row", "pelmo"};
const char* const ModeMenuNames[ModeCount] = {"SingleMenu",  "DuoMenu", "TrioMenu", "ColumnMenu",
                                              "QuartetMenu", "RowMenu", "PelmoMenu"};
const char* const ModeButtonNames[ModeCount] = {"SingleButton",  "DuoButton", "TrioButton", "ColumnButton",
                                                "QuartetButton", "RowButton", "PelmoButton"};

// Below the Pelmo 2000 button of the left column, with a margin.
constexpr int LeftColumnBottom = 400;

uint32_t SeedFromClock()
{
    const QTime now = QDateTime::currentDateTimeUtc().time();
    return TRandom::SeedFromTimeOfDay(now.hour(), now.minute(), now.second(), now.msec());
}

QString Glyph(const char* name)
{
    return BuiltInImages::GlyphPath(QLatin1String(name));
}

void AddSeparator(QMenu* menu, const char* name)
{
    menu->addSeparator()->setObjectName(QLatin1String(name));
}

QLabel* MakeLabel(QWidget* parent, const QString& caption, const QFont& font, QPoint position)
{
    auto* label = new QLabel(caption, parent);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->adjustSize();
    label->move(position);
    return label;
}

void StyleDisplay(TSevenSegment* display, int digits)
{
    display->SetThickness(3);
    display->SetSpace(1);
    display->SetHorzSpace(4);
    display->SetVertSpace(4);
    display->SetColor(Qt::black);
    display->SetOnColor(QColor(255, 255, 0));
    display->SetOffColor(QColor(64, 64, 64));
    display->SetNumberOfDecimals(0);
    display->SetShowDecimalPoint(false);
    display->SetShowPlusMinus(false);
    display->SetLeadingZeros(false);
    display->SetValueType(ssNumeric);
    display->SetNumberOfDigits(digits);
    display->SetValue(QStringLiteral("0"));
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
      GameMusic(AudioDevice, [this](const QString&, const QString& text) { Dialogs->Error(this, text); })
{
    setWindowTitle(QStringLiteral("Pelmo 2000"));
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(BuiltInImages::IconPath(size), QSize(size, size));
    setWindowIcon(icon);
    setFont(SansFont(11, false));
    setFocusPolicy(Qt::StrongFocus);
    move(0, 0);
    RemoveRestoreCommand();

    Client = new TClientArea(WellPainter, this);
    setCentralWidget(Client);
    BuildMenus();
    BuildLeftColumn();
    BuildRightColumn();
    WellView.SetPreview(NextPreview);

    WellPainter.SetFont(font());
    WellPainter.WindowChanged = [this](const QRect& rect) { Client->repaint(rect); };
    WellPainter.InvalidateRequested = [this] { Client->update(); };
    WellPainter.PreviewRepaintRequested = [this] { NextPreview->update(); };
    WellPainter.MessageRequested = [this](const QString& text) { Dialogs->Information(this, text); };
    Client->Resized = [this](int width, int height) { FormResize(width, height); };
    SettleTimer.setSingleShot(true);
    SettleTimer.setInterval(150);
    connect(&SettleTimer, &QTimer::timeout, this, &TFormTumbla::SettleSize);

    LoadSettings(Settings, NextPreview->ShowNext, DisplayFacts(), Store);
    ClampStoredSettings(Settings, DisplayFacts());

    WellPainter.FormResize(Client->width(), Client->height());
    WellPainter.BuildWellBackground();
    WellPainter.LoadOuterPicture();
    PrepareCells();
    SoundEffects.Preload();

    connect(&GameMusic.MediaPlayer1(), &TMediaPlayer::Notify, this, &TFormTumbla::MediaPlayer1Notify);

    Game->Start();
    ApplyMinimumSize();
    resize(minimumSize()); // the size it first takes when restored from maximised
}

void TFormTumbla::SetFormScore(TFormScore* formScore)
{
    FormScore = formScore;
    FormScore->AskName = [this](const QString& current) { return Dialogs->AskName(this, current); };
    FormScore->SaveFailed = [this] { ScoresNotSaved(); };
}

// The window menu loses its Restore command where the program owns that menu (Windows). X11,
// Wayland and macOS leave the window manager's menu to the window manager; there this does
// nothing, and the minimum size (ApplyMinimumSize) keeps a restored window whole.
void TFormTumbla::RemoveRestoreCommand()
{
#ifdef Q_OS_WIN
    if (HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(winId()), FALSE))
        DeleteMenu(menu, SC_RESTORE, MF_BYCOMMAND);
#endif
}

TFormTumbla::~TFormTumbla()
{
    GameTimer.stop();
    SaveSettings(Settings, NextPreview->ShowNext, Store);
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

QWidget* TFormTumbla::ClientArea() const
{
    return Client;
}

QAction* TFormTumbla::AddCommand(QMenu* menu, const char* name, const char* glyph, const QString& caption,
                                const QString& hint, void (TFormTumbla::*handler)())
{
    QAction* action = menu->addAction(glyph ? GlyphIcon(Glyph(glyph)) : QIcon(), caption, this, handler);
    action->setObjectName(QLatin1String(name));
    action->setToolTip(hint);
    action->setStatusTip(hint);
    return action;
}

TFlatButton* TFormTumbla::AddButton(const QString& caption, const char* glyph, QPoint position, QAction* twin,
                                    void (TFormTumbla::*handler)())
{
    auto* button = new TFlatButton(Client, caption, Glyph(glyph), position);
    // A menu item without a hint reports its caption as its tooltip; the button then has none.
    if (!twin->statusTip().isEmpty())
        button->setToolTip(twin->statusTip());
    connect(button, &QToolButton::clicked, this, handler);
    Columns.AddLeft(button);
    return button;
}

void TFormTumbla::BuildMenus()
{
    QMenu* gameMenu = menuBar()->addMenu(QStringLiteral("&Game"));
    gameMenu->setObjectName(QStringLiteral("GameMenu"));
    NewMenu = AddCommand(gameMenu, "NewMenu", "newgame", QStringLiteral("&New game"),
                         QStringLiteral("Start a new game"), &TFormTumbla::NewMenuClick);
    NewMenu->setShortcut(QKeySequence(Qt::Key_F2));
    PauseMenu = AddCommand(gameMenu, "PauseMenu", "pause", QStringLiteral("&Pause"),
                           QStringLiteral("Pause current game"), &TFormTumbla::PauseMenuClick);
    PauseMenu->setShortcut(QKeySequence(Qt::Key_F3));
    AddSeparator(gameMenu, "N1");
    HiScoresMenu = AddCommand(gameMenu, "HiScoresMenu", "highscores", QStringLiteral("&High scores..."),
                              QStringLiteral("Display High Scores dialog box"), &TFormTumbla::HiScoresMenuClick);
    AddSeparator(gameMenu, "N2");
    Preferences1 = AddCommand(gameMenu, "Preferences1", "preferences", QStringLiteral("&Preferences..."), {},
                              &TFormTumbla::Preferences1Click);
    AddSeparator(gameMenu, "N4");
    Keluar1 = AddCommand(gameMenu, "Keluar1", "exit", QStringLiteral("E&xit"), QStringLiteral("Exit from this program"),
                         &TFormTumbla::Keluar1Click);

    QMenu* modeMenu = menuBar()->addMenu(QStringLiteral("&Mode"));
    modeMenu->setObjectName(QStringLiteral("ModeMenu"));
    auto* checkStyle = new TMenuCheckStyle;
    checkStyle->setParent(modeMenu);
    modeMenu->setStyle(checkStyle);
    for (int m = 1; m <= ModeCount; ++m)
    {
        QAction* action = modeMenu->addAction(GlyphIcon(Glyph(ModeGlyphs[m - 1])),
                                              QString::fromLatin1(ModePreset(m).MenuCaption), this,
                                              [this, m] { ModeClick(m); });
        action->setObjectName(QLatin1String(ModeMenuNames[m - 1]));
        action->setCheckable(true);
        ModeMenus[m - 1] = action;
    }

    QMenu* helpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
    helpMenu->setObjectName(QStringLiteral("HelpMenu"));
    QAction* contents = AddCommand(helpMenu, "HelpContentsMenu", "help", QStringLiteral("&Help contents"),
                                   QStringLiteral("Display the contents of the help file"),
                                   &TFormTumbla::HelpContentsMenuClick);
    contents->setShortcut(QKeySequence(Qt::Key_F1));
    AddSeparator(helpMenu, "N6");
    AddCommand(helpMenu, "Hollinhomepage1", nullptr, QStringLiteral("Hollin &home page"), {},
               &TFormTumbla::Hollinhomepage1Click);
    AddCommand(helpMenu, "WebSiteMenu", nullptr, QStringLiteral("&Pelmo 2000 home page"),
               QStringLiteral("Visit Pelmo 2000 Web site on the Internet"), &TFormTumbla::WebSiteMenuClick);
    AddSeparator(helpMenu, "N3");
    AddCommand(helpMenu, "AboutMenu", nullptr, QStringLiteral("&About..."), QStringLiteral("Display About dialog box"),
               &TFormTumbla::Tentang1Click);

    for (QAction* action : menuBar()->actions())
        action->menu()->setToolTipsVisible(true);
}

void TFormTumbla::BuildLeftColumn()
{
    const QFont labelFont = SansFont(15, true);
    Columns.AddLeft(MakeLabel(Client, QStringLiteral("Game"), labelFont, {16, 12}));
    AddButton(QStringLiteral("New game"), "newgame", {16, 35}, NewMenu, &TFormTumbla::NewMenuClick)
        ->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedPause = AddButton(QStringLiteral("Pause"), "pause", {16, 62}, PauseMenu, &TFormTumbla::PauseMenuClick);
    SpeedPause->setObjectName(QStringLiteral("SpeedPause"));
    AddButton(QStringLiteral("High scores"), "highscores", {16, 88}, HiScoresMenu, &TFormTumbla::HiScoresMenuClick)
        ->setObjectName(QStringLiteral("SpeedButton6"));
    AddButton(QStringLiteral("Preferences"), "preferences", {16, 114}, Preferences1,
              &TFormTumbla::Preferences1Click)
        ->setObjectName(QStringLiteral("SpeedButton2"));
    AddButton(QStringLiteral("Exit"), "exit", {16, 140}, Keluar1, &TFormTumbla::Keluar1Click)
        ->setObjectName(QStringLiteral("SpeedButton4"));

    Columns.AddLeft(MakeLabel(Client, QStringLiteral("Mode"), labelFont, {16, 188}));
    for (int m = 1; m <= ModeCount; ++m)
    {
        auto* button = new TFlatButton(Client, QString::fromLatin1(ModePreset(m).ButtonCaption),
                                       Glyph(ModeGlyphs[m - 1]), {16, 208 + 26 * (m - 1)});
        button->setObjectName(QLatin1String(ModeButtonNames[m - 1]));
        connect(button, &QToolButton::clicked, this, [this, m] { ModeClick(m); });
        ModeButtons[m - 1] = button;
        Columns.AddLeft(button);
    }
}

void TFormTumbla::BuildRightColumn()
{
    const QFont labelFont = SerifFont(16, true);
    LabelNext = MakeLabel(Client, QStringLiteral("Next block"), labelFont, {0, 8});
    PanelNext = new TBevelPanel(Client, true, 5);
    PanelNext->setGeometry(0, 30, 133, 131);
    NextPreview = new TNextPreview(Cells);
    PanelNext->SetContent(NextPreview);

    auto addDisplay = [&](const QString& caption, int top, int width, int digits, QLabel*& label,
                          TBevelPanel*& panel, TSevenSegment*& display) {
        label = MakeLabel(Client, caption, labelFont, {0, top});
        panel = new TBevelPanel(Client, false, 3);
        panel->setGeometry(0, top + 18, width, 37);
        display = new TSevenSegment;
        StyleDisplay(display, digits);
        panel->SetContent(display);
    };
    addDisplay(QStringLiteral("Score"), 182, 121, 6, LabelScore, PanelScore, SevenScore);
    addDisplay(QStringLiteral("Level"), 254, 42, 2, LabelLevel, PanelLevel, SevenLevel);
    addDisplay(QStringLiteral("Highest Score"), 326, 121, 6, LabelHigh, PanelHigh, SevenHigh);
    for (QWidget* control : std::initializer_list<QWidget*>{LabelNext, LabelScore, LabelLevel, LabelHigh, PanelNext,
                                                            PanelScore, PanelLevel, PanelHigh})
        Columns.AddRight(control);
    for (TSevenSegment* display : {SevenScore, SevenLevel, SevenHigh})
        Columns.AddDisplay(display);
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
        NextPreview->UseCells(nullptr, 0, 0);
        return;
    }
    const int w = static_cast<int>(std::lround(TNextPreview::PreviewCellWidth * scale));
    const int h = static_cast<int>(std::lround(TNextPreview::PreviewCellHeight * scale));
    PreviewCells.MakeCellImages(skin, w, h);
    NextPreview->UseCells(&PreviewCells, w, h);
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
    QFont banner = font();
    if (banner.pixelSize() > 0)
        banner.setPixelSize(static_cast<int>(std::lround(banner.pixelSize() * Columns.Scale())));
    WellPainter.SetFont(banner);
    PrepareCells();
    WellPainter.UpdateGeometry();
    ApplyMinimumSize();
}

// A window that is not maximised keeps the whole well and both columns in view; a maximised
// one takes the screen as it is. The limits are outer sizes, the frame included.
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
    const int outerWidth = TWindowLimits::MinimumOuterWidth(false, PanelNext->width(), wellWidth).value_or(0);
    const int clientHeight = std::max(wellHeight + 25, LeftColumnBottom);
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
    if (!FormScore)
        return; // still being created: FormShow shows it

    FormScore->SelectMode(modeNumber);
    SevenHigh->SetValue(QString::number(FormScore->ScoreAt(1)));
}

void TFormTumbla::ScoresNotSaved()
{
    if (ScoreSaveReported)
        return;
    ScoreSaveReported = true;
    Dialogs->Error(this, QStringLiteral("Cannot save the high scores. They are kept until Pelmo 2000 closes."));
}

void TFormTumbla::NewMenuClick()
{
    Game->NewGame();
}

void TFormTumbla::PauseMenuClick()
{
    Game->PauseMenuClick();
}

void TFormTumbla::HiScoresMenuClick()
{
    FormScore->SelectMode(Game->ModeNumber);
    Dialogs->ShowScores(*FormScore);
}

void TFormTumbla::Preferences1Click()
{
    // A game in progress waits, paused, as for any dialog that takes the focus.
    Game->FocusLost();
    const auto chosen = Dialogs->EditPreferences(this, PreferencesOf(Settings, NextPreview->ShowNext), DisplayFacts());
    if (!chosen)
        return;
    TGameParts parts{Settings, NextPreview->ShowNext, Game->GameState == gsStopped, Cells, WellPainter, GameMusic,
                     [this] { UpdateGeometry(); }};
    ApplyPreferences(*chosen, parts);
    // Fitted cells, and cells for a screen with more pixels, are drawn for their size.
    PrepareCells();
    WellPainter.Invalidate();
}

void TFormTumbla::Keluar1Click()
{
    close();
}

void TFormTumbla::HelpContentsMenuClick()
{
    if (!Help)
        Help = new THelpWindow(this);
    Help->ShowContents();
}

void TFormTumbla::Hollinhomepage1Click()
{
    OpenWebPage(TWebAddresses::Maker);
}

void TFormTumbla::WebSiteMenuClick()
{
    OpenWebPage(TWebAddresses::Program);
}

void TFormTumbla::Tentang1Click()
{
    Dialogs->ShowAbout(this);
}

void TFormTumbla::ModeClick(int modeNumber)
{
    Game->SelectGameMode(modeNumber);
}

void TFormTumbla::MediaPlayer1Notify()
{
    GameMusic.MediaPlayer1Notify(Settings.MusicOn, Game->GameState == gsStopped);
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
}

void TFormTumbla::StopGameTimer()
{
    GameTimer.stop();
}

void TFormTumbla::RedrawPieceArea(int column, int row, int width, int height)
{
    WellView.RedrawPieceArea(column, row, width, height);
}

void TFormTumbla::RedrawWell(bool full)
{
    WellView.RedrawWell(full);
}

void TFormTumbla::CaptureWell()
{
    WellView.CaptureWell();
}

void TFormTumbla::ShowEmptyWell()
{
    WellView.ShowEmptyWell();
}

void TFormTumbla::DrawDissolveFrame(int step)
{
    WellView.DrawDissolveFrame(step);
}

void TFormTumbla::InvalidateWindow()
{
    WellView.InvalidateWindow();
}

void TFormTumbla::ShowScore(int32_t score)
{
    SevenScore->SetValue(QString::number(score));
}

void TFormTumbla::ShowLevel(int level)
{
    SevenLevel->SetValue(QString::number(level));
}

void TFormTumbla::ShowNextBlock(const TBlock& next)
{
    WellView.ShowNextBlock(next);
}

void TFormTumbla::RepaintPreview()
{
    WellView.RepaintPreview();
}

void TFormTumbla::SetPauseCaptions(bool paused)
{
    PauseMenu->setText(paused ? QStringLiteral("&Replay") : QStringLiteral("&Pause"));
    SpeedPause->setText(paused ? QStringLiteral("Replay") : QStringLiteral("Pause"));
}

void TFormTumbla::PlayEffect(TEffect effect)
{
    SoundEffects.PlayEffect(effect);
}

void TFormTumbla::StartMusic()
{
    GameMusic.StartForNewGame(Settings.MusicOn, QString::fromStdString(Settings.MusicFile));
}

void TFormTumbla::PauseMusic()
{
    GameMusic.PauseWithGame();
}

void TFormTumbla::ResumeMusic()
{
    GameMusic.ResumeWithGame(Settings.MusicOn);
}

void TFormTumbla::MarkMode(int modeNumber)
{
    for (int m = 1; m <= ModeCount; ++m)
    {
        ModeMenus[m - 1]->setChecked(m == modeNumber);
        ModeButtons[m - 1]->SetCaptionColor(m == modeNumber ? CurrentModeColour : ModeColour);
    }
}

void TFormTumbla::ModeChanged(int modeNumber)
{
    NextPreview->update();
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
    SevenHigh->SetValue(QString::number(best));
}
