#include "FormTumbla.h"

#include "app/BevelPanel.h"
#include "app/ClientArea.h"
#include "app/Dialogs.h"
#include "app/FlatButton.h"
#include "app/Fonts.h"
#include "app/KeyCodes.h"
#include "app/PreferencesApply.h"
#include "settings/SettingsIo.h"
#include "view/NextPreview.h"
#include "view/Seven.h"
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

namespace
{
const QColor ModeColour(255, 255, 0);
const QColor CurrentModeColour(0, 255, 0);

const char* const ModeGlyphs[ModeCount] = {"single", "duo", "trio", "column", "quartet", "row", "pelmo"};

uint32_t SeedFromClock()
{
    const QTime now = QDateTime::currentDateTimeUtc().time();
    return TRandom::SeedFromTimeOfDay(now.hour(), now.minute(), now.second(), now.msec());
}

QString Glyph(const char* name)
{
    return QStringLiteral(":/glyphs/%1.png").arg(QLatin1String(name));
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

TFormTumbla::TFormTumbla(TDialogs* dialogs, QWidget* parent)
    : QMainWindow(parent),
      OwnDialogs(dialogs ? nullptr : std::make_unique<TDialogs>()),
      Dialogs(dialogs ? dialogs : OwnDialogs.get()),
      Game(std::make_unique<TGameEngine>(Settings, *this, Clock, SeedFromClock())),
      WellPainter(*Game, Settings, Cells),
      WellView(WellPainter, Settings),
      SoundEffects(AudioDevice, Settings.SoundOn),
      GameMusic(AudioDevice, [this](const QString&, const QString& text) { Dialogs->Error(this, text); })
{
    setWindowTitle(QStringLiteral("Pelmo 2000"));
    setWindowIcon(QIcon(QStringLiteral(":/icon/pelmo2000.png")));
    setFont(SansFont(11, false));
    setFocusPolicy(Qt::StrongFocus);
    resize(625, 442);

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

    LoadSettings(Settings, NextPreview->ShowNext, DisplayFacts(), Store);
    ClampStoredSettings(Settings, DisplayFacts());

    WellPainter.FormResize(Client->width(), Client->height());
    WellPainter.BuildWellBackground();
    WellPainter.LoadOuterPicture();
    Cells.LoadCellImages(Settings.BlockPicture, Settings.BlockWidth);
    Cells.LoadSolveImages(Settings.BlockWidth);
    SoundEffects.Preload();

    connect(&GameMusic.MediaPlayer1(), &TMediaPlayer::Notify, this, &TFormTumbla::MediaPlayer1Notify);

    Game->Start();
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

void TFormTumbla::BuildMenus()
{
    QMenu* gameMenu = menuBar()->addMenu(QStringLiteral("&Game"));
    NewMenu = gameMenu->addAction(QIcon(Glyph("newgame")), QStringLiteral("&New game"), this,
                                  &TFormTumbla::NewMenuClick);
    NewMenu->setShortcut(QKeySequence(Qt::Key_F2));
    NewMenu->setStatusTip(QStringLiteral("Start a new game"));
    PauseMenu = gameMenu->addAction(QIcon(Glyph("pause")), QStringLiteral("&Pause"), this,
                                    &TFormTumbla::PauseMenuClick);
    PauseMenu->setShortcut(QKeySequence(Qt::Key_F3));
    PauseMenu->setStatusTip(QStringLiteral("Pause current game"));
    // Until the shell's menus arrive: the way to the Preferences dialog.
    gameMenu->addAction(QStringLiteral("&Preferences..."), this, &TFormTumbla::Preferences1Click);
    gameMenu->addSeparator();
    QAction* exitMenu = gameMenu->addAction(QIcon(Glyph("exit")), QStringLiteral("E&xit"), this,
                                            &TFormTumbla::Keluar1Click);
    exitMenu->setStatusTip(QStringLiteral("Exit from this program"));

    QMenu* modeMenu = menuBar()->addMenu(QStringLiteral("&Mode"));
    for (int m = 1; m <= ModeCount; ++m)
    {
        const TModePreset& preset = ModePreset(m);
        QAction* action = modeMenu->addAction(QIcon(Glyph(ModeGlyphs[m - 1])),
                                              QString::fromLatin1(preset.MenuCaption), this,
                                              [this, m] { ModeClick(m); });
        action->setCheckable(true);
        ModeMenus[m - 1] = action;
    }
    for (QAction* action : menuBar()->actions())
        action->menu()->setToolTipsVisible(true);
}

void TFormTumbla::BuildLeftColumn()
{
    const QFont labelFont = SansFont(15, true);
    MakeLabel(Client, QStringLiteral("Game"), labelFont, {16, 12});
    auto* newButton = new TFlatButton(Client, QStringLiteral("New game"), Glyph("newgame"), {16, 35});
    SpeedPause = new TFlatButton(Client, QStringLiteral("Pause"), Glyph("pause"), {16, 62});
    auto* exitButton = new TFlatButton(Client, QStringLiteral("Exit"), Glyph("exit"), {16, 140});
    connect(newButton, &QToolButton::clicked, this, &TFormTumbla::NewMenuClick);
    connect(SpeedPause, &QToolButton::clicked, this, &TFormTumbla::PauseMenuClick);
    connect(exitButton, &QToolButton::clicked, this, &TFormTumbla::Keluar1Click);

    MakeLabel(Client, QStringLiteral("Mode"), labelFont, {16, 188});
    for (int m = 1; m <= ModeCount; ++m)
    {
        auto* button = new TFlatButton(Client, QString::fromLatin1(ModePreset(m).ButtonCaption),
                                       Glyph(ModeGlyphs[m - 1]), {16, 208 + 26 * (m - 1)});
        connect(button, &QToolButton::clicked, this, [this, m] { ModeClick(m); });
        ModeButtons[m - 1] = button;
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
}

void TFormTumbla::FormResize(int clientWidth, int clientHeight)
{
    WellPainter.FormResize(clientWidth, clientHeight);
    for (QWidget* control : std::initializer_list<QWidget*>{LabelNext, LabelScore, LabelLevel, LabelHigh, PanelNext,
                                                            PanelScore, PanelLevel, PanelHigh})
        control->move(TWindowLimits::RightColumnLeft(clientWidth, control->width()), control->y());
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
    ShowBestScore(Game->ModeNumber);
    ShowLevel(Game->Level);
    ShowScore(Game->Score);
    UpdateGeometry();
    setFocus();
}

void TFormTumbla::UpdateGeometry()
{
    WellPainter.UpdateGeometry();
    const TWellGeometry& well = WellPainter.Geometry();
    const bool maximised = isMaximized();
    if (const auto width = TWindowLimits::MinimumOuterWidth(maximised, PanelNext->width(), well.WellWidth))
        setMinimumWidth(*width);
    if (const auto height = TWindowLimits::MinimumOuterHeight(maximised, this->height(), Client->height(),
                                                              well.WellHeight))
        setMinimumHeight(*height);
}

// The best score of a mode as the high-score table keeps it.
void TFormTumbla::ShowBestScore(int modeNumber)
{
    std::string best;
    if (Store.Open())
    {
        Store.ReadString("CScore" + std::to_string(modeNumber) + "1", best);
        Store.Close();
    }
    bool ok = false;
    const int value = QString::fromStdString(best).toInt(&ok);
    SevenHigh->SetValue(QString::number(ok ? value : 0));
}

void TFormTumbla::NewMenuClick()
{
    Game->NewGame();
}

void TFormTumbla::PauseMenuClick()
{
    Game->PauseMenuClick();
}

void TFormTumbla::Keluar1Click()
{
    close();
}

void TFormTumbla::ModeClick(int modeNumber)
{
    Game->SelectGameMode(modeNumber);
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
    else if (event->type() == QEvent::WindowStateChange && isMinimized())
        Game->FocusLost();
}

void TFormTumbla::closeEvent(QCloseEvent* event)
{
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

void TFormTumbla::GameOver(int32_t)
{
    GameMusic.StopAtGameOver();
    Dialogs->Information(this, QStringLiteral("Game over"));
}
