#include "RecordingDialogs.h"

#include "app/BevelPanel.h"
#include "app/FlatButton.h"
#include "app/FormTumbla.h"
#include "app/HelpWindow.h"
#include "app/MenuCheckStyle.h"
#include "input/Gamepads.h"
#include "input/KeyCodes.h"
#include "scores/dialog/FormScore.h"
#include "tests/input/VirtualPad.h"
#include "tests/support/TempStore.h"
#include "view/NextPreview.h"
#include "view/Seven.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryFile>
#include <QTextBrowser>
#include <QSettings>
#include <QStyleOptionMenuItem>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace
{
class GameWindowTest : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        OpenWindow();
    }

    void OpenWindow()
    {
        Window = std::make_unique<TFormTumbla>(&Dialogs);
        Window->resize(1280, 800);
        Window->show();
    }

    void CloseWindow() { Window.reset(); }

    // Ends the game at the next tick, with the given score.
    void EndGameWith(int32_t score)
    {
        Window->NewMenuClick();
        TGameEngine& game = Window->Parts().Engine;
        for (int col = 0; col < 9; ++col)
            game.Board.At(0, col) = 1;
        game.Score = score;
        game.TimerTick();
    }

    void Press(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent press(QEvent::KeyPress, qtKey, modifiers);
        QApplication::sendEvent(Window.get(), &press);
        QKeyEvent release(QEvent::KeyRelease, qtKey, modifiers);
        QApplication::sendEvent(Window.get(), &release);
    }

    // The command found by the captions the player reads, "&Game" then "&New game".
    QAction* Command(const QString& menu, const QString& item) const
    {
        for (QAction* top : Window->menuBar()->actions())
            if (top->text() == menu)
                for (QAction* action : top->menu()->actions())
                    if (action->text() == item && action->isVisible() && action->isEnabled())
                        return action;
        return nullptr;
    }

    TRecordingDialogs Dialogs;
    std::unique_ptr<TFormTumbla> Window;
};

TEST(KeyCodes, KeypadKeysGiveTheirKeypadCodesWithNumLockOnOrOff)
{
    struct Row
    {
        int QtKey;
        bool Keypad;
        uint16_t Expected;
    };
    const Row rows[] = {
        {Qt::Key_4, true, 100},        {Qt::Key_Left, true, 100},   {Qt::Key_6, true, 102},
        {Qt::Key_Right, true, 102},    {Qt::Key_2, true, 98},       {Qt::Key_Down, true, 98},
        {Qt::Key_8, true, 104},        {Qt::Key_Up, true, 104},     {Qt::Key_5, true, 101},
        {Qt::Key_Clear, true, 101},    {Qt::Key_0, true, 96},       {Qt::Key_Insert, true, 96},
        {Qt::Key_Asterisk, true, 106}, {Qt::Key_Plus, true, 107},   {Qt::Key_Minus, true, 109},
        {Qt::Key_Period, true, 110},   {Qt::Key_Delete, true, 110}, {Qt::Key_Slash, true, 111},
        {Qt::Key_Left, false, 37},     {Qt::Key_Up, false, 38},     {Qt::Key_Right, false, 39},
        {Qt::Key_Down, false, 40},     {Qt::Key_Space, false, 32},  {Qt::Key_Return, false, 13},
        {Qt::Key_PageUp, false, 33},   {Qt::Key_PageDown, false, 34}, {Qt::Key_End, false, 35},
        {Qt::Key_Home, false, 36},     {Qt::Key_Insert, false, 45}, {Qt::Key_Delete, false, 46},
        {Qt::Key_A, false, 65},        {Qt::Key_Z, false, 90},
    };
    for (const Row& row : rows)
        EXPECT_EQ(VirtualKeyFromQtKey(row.QtKey, row.Keypad), row.Expected)
            << "Qt key " << row.QtKey << (row.Keypad ? " on the keypad" : "");
}

// X11 names the keypad keys by keysym, Num Lock on or off; each gives its own keypad code.
TEST(KeyCodes, KeypadKeysymsGiveTheirKeypadCodes)
{
    const std::pair<quint32, uint16_t> rows[] = {{0xff9e, 96},  {0xff9c, 97},  {0xff99, 98},  {0xff9b, 99},
                                                 {0xff96, 100}, {0xff9d, 101}, {0xff98, 102}, {0xff95, 103},
                                                 {0xff97, 104}, {0xff9a, 105}, {0xffb9, 105}, {0xff9f, 110}};
    for (const auto& [keysym, code] : rows)
    {
        const QKeyEvent event(QEvent::KeyPress, Qt::Key_unknown, Qt::KeypadModifier, 0, keysym, 0);
        EXPECT_EQ(VirtualKeyFromEvent(event), code) << std::hex << keysym;
    }
}

// The preview's panel: raised outside, a silver border, lowered inside, lit from the top left.
TEST(BevelPanel, EachEdgeHasItsLineOutsideAndInside)
{
    TBevelPanel panel(nullptr, true, 5);
    panel.resize(40, 30);
    const QImage image = panel.grab().toImage();
    const QRgb white = qRgb(255, 255, 255), grey = qRgb(128, 128, 128), silver = qRgb(192, 192, 192);
    const std::pair<QPoint, QRgb> rows[] = {{{20, 0}, white}, {{0, 15}, white},  {{20, 29}, grey}, {{39, 15}, grey},
                                            {{3, 15}, silver}, {{20, 6}, grey},  {{6, 15}, grey},  {{20, 23}, white},
                                            {{33, 15}, white}};
    for (const auto& [at, colour] : rows)
        EXPECT_EQ(image.pixel(at), colour) << at.x() << "," << at.y();
}

// The modes' menu keeps their pictures and puts the check mark in a column of its own.
TEST(MenuCheckStyle, OnlyCheckableCommandsGetTheCheckColumn)
{
    TMenuCheckStyle style;
    QStyleOptionMenuItem item;
    item.menuItemType = QStyleOptionMenuItem::Normal;
    item.text = QStringLiteral("&Single (no rotation)");
    for (const auto check : {QStyleOptionMenuItem::Exclusive, QStyleOptionMenuItem::NotCheckable})
    {
        item.checkType = check;
        const QSize base = style.baseStyle()->sizeFromContents(QStyle::CT_MenuItem, &item, QSize(120, 20), nullptr);
        EXPECT_EQ(style.sizeFromContents(QStyle::CT_MenuItem, &item, QSize(120, 20), nullptr).width() - base.width(),
                  check == QStyleOptionMenuItem::Exclusive ? TMenuCheckStyle::CheckColumn : 0);
    }
}

TEST_F(GameWindowTest, StartsWithoutAGameInTheDerivedModeWithItsMarks)
{
    EXPECT_EQ(Window->windowTitle(), "Pelmo 2000");
    EXPECT_EQ(Window->Parts().Engine.GameState, gsStopped);
    EXPECT_FALSE(Window->Parts().GameTimer.isActive());
    EXPECT_EQ(Window->Parts().ScoreDisplay.Value(), "0");
    EXPECT_EQ(Window->Parts().LevelDisplay.Value(), "1");
    EXPECT_EQ(Window->Parts().HighDisplay.Value(), "0");
    for (int m = 1; m <= ModeCount; ++m)
    {
        EXPECT_EQ(Window->Parts().ModeAction(m).isChecked(), m == gmPelmo2000) << m;
        EXPECT_EQ(Window->Parts().ModeButton(m).CaptionColor(), m == gmPelmo2000 ? QColor(0, 255, 0) : QColor(255, 255, 0))
            << m;
    }

    // Before any game the game keys and the pause command do nothing.
    Press(Qt::Key_4, Qt::KeypadModifier);
    Window->PauseMenuClick();
    EXPECT_EQ(Window->Parts().Engine.GameState, gsStopped);
    EXPECT_EQ(Window->Parts().PauseAction.text(), "&Pause");
}

TEST_F(GameWindowTest, KeypadMovesThePieceWithNumLockOff)
{
    Window->NewMenuClick();
    EXPECT_TRUE(Window->Parts().GameTimer.isActive());
    TGameEngine& game = Window->Parts().Engine;
    game.NextBlock.Generate(1, game.Random, 7, 1);
    Window->Parts().Engine.TimerTick(); // the first piece enters
    ASSERT_EQ(game.GameState, gsPlaying);
    const int startX = game.BlockX;

    Press(Qt::Key_Left, Qt::KeypadModifier); // keypad 4 with Num Lock off
    EXPECT_EQ(game.BlockX, startX - 1);
    Press(Qt::Key_6, Qt::KeypadModifier);
    EXPECT_EQ(game.BlockX, startX);
    Press(Qt::Key_Left); // the arrow key, bound to nothing, moves too
    EXPECT_EQ(game.BlockX, startX - 1);
}

TEST_F(GameWindowTest, GamepadPlaysAndPausesWhenUnplugged)
{
    Window->NewMenuClick();
    TGameEngine& game = Window->Parts().Engine;
    game.NextBlock.Generate(1, game.Random, 7, 1);
    game.TimerTick();
    ASSERT_EQ(game.GameState, gsPlaying);
    const int startX = game.BlockX;
    TVirtualPad pad;
    TGamepads& pads = Window->Parts().Gamepads;
    pads.Pump();
    pad.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    pads.Pump();
    pad.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
    pads.Pump();
    EXPECT_EQ(game.BlockX, startX - 1);
    pad.Button(SDL_CONTROLLER_BUTTON_START, true);
    pads.Pump();
    EXPECT_EQ(game.GameState, gsPaused);
    pad.Button(SDL_CONTROLLER_BUTTON_START, false);
    pads.Pump();
    pad.Button(SDL_CONTROLLER_BUTTON_START, true);
    pads.Pump();
    EXPECT_EQ(game.GameState, gsPlaying);
    pad.Unplug();
    pads.Pump();
    EXPECT_EQ(game.GameState, gsPaused);
    EXPECT_EQ(Window->Parts().PauseAction.text(), "&Replay");
}

TEST_F(GameWindowTest, PauseAndResumeChangeCaptionsAndTimer)
{
    Window->NewMenuClick();
    Window->Parts().Engine.TimerTick();
    Window->PauseMenuClick();
    EXPECT_EQ(Window->Parts().Engine.GameState, gsPaused);
    EXPECT_FALSE(Window->Parts().GameTimer.isActive());
    EXPECT_EQ(Window->Parts().PauseAction.text(), "&Replay");
    EXPECT_EQ(Window->Parts().PauseButton.text(), "Replay");

    Window->PauseMenuClick();
    EXPECT_EQ(Window->Parts().Engine.GameState, gsPlaying);
    EXPECT_TRUE(Window->Parts().GameTimer.isActive());
    EXPECT_EQ(Window->Parts().PauseAction.text(), "&Pause");
    EXPECT_EQ(Window->Parts().PauseButton.text(), "Pause");
}

TEST_F(GameWindowTest, LosingTheFocusPausesARunningGame)
{
    Window->NewMenuClick();
    Window->Parts().Engine.TimerTick();
    ASSERT_FALSE(Window->isActiveWindow());
    QEvent deactivate(QEvent::ActivationChange);
    QApplication::sendEvent(Window.get(), &deactivate);
    EXPECT_EQ(Window->Parts().Engine.GameState, gsPaused);
    EXPECT_EQ(Window->Parts().PauseAction.text(), "&Replay");
}

// Not left to the desktop's focus handling: each pauses the game when it opens.
TEST_F(GameWindowTest, HighScoresAboutAndHelpPauseARunningGame)
{
    const std::pair<const char*, void (TFormTumbla::*)()> commands[] = {
        {"high scores", &TFormTumbla::HiScoresMenuClick},
        {"about", &TFormTumbla::Tentang1Click},
        {"help", &TFormTumbla::HelpContentsMenuClick},
    };
    for (const auto& [name, command] : commands)
    {
        SCOPED_TRACE(name);
        Window->NewMenuClick();
        Window->Parts().Engine.TimerTick();
        ASSERT_EQ(Window->Parts().Engine.GameState, gsPlaying);
        (Window.get()->*command)();
        EXPECT_EQ(Window->Parts().Engine.GameState, gsPaused);
    }
}

TEST_F(GameWindowTest, EveryButtonOfTheLeftColumnHasATooltip)
{
    const auto buttons = Window->Parts().Client.findChildren<TFlatButton*>();
    EXPECT_EQ(buttons.size(), 12);
    for (const TFlatButton* button : buttons)
        EXPECT_FALSE(button->toolTip().isEmpty()) << button->objectName().toStdString();
}

TEST_F(GameWindowTest, ExitAsksFirstNoKeepsTheGamePausedYesSavesTheSettings)
{
    Window->NewMenuClick();
    Window->Parts().Engine.TimerTick();
    Dialogs.Answer = false;
    Window->Keluar1Click();
    EXPECT_TRUE(Window->isVisible());
    EXPECT_EQ(Window->Parts().Engine.GameState, gsPaused);
    EXPECT_EQ(Dialogs.Shown, QStringList{"question: Do you really want to exit Pelmo 2000?"});

    Dialogs.Answer = true;
    Window->close(); // the window's own close button takes the same road
    EXPECT_FALSE(Window->isVisible());
    EXPECT_EQ(Dialogs.Shown.size(), 2);
    CloseWindow();
    // The settings alone: the high-score tables are written when they change, never at exit.
    EXPECT_EQ(RawStore()->allKeys().size(), 28);
}

TEST_F(GameWindowTest, GameOverAsksTheNameThenShowsTheTableAndTheNewBest)
{
    struct Case
    {
        int32_t Score;
        QStringList Dialogs;
        const char* High;
    };
    const Case cases[] = {
        {0, {"information: Game over"}, "0"},
        {250, {"name: ", "scores: 7 blue 1"}, "250"},
        {100, {"name: Ann", "scores: 7 blue 2"}, "250"},
        {100, {"name: Ann", "scores: 7 blue 2"}, "250"},
    };
    Dialogs.NameAnswer = "Ann";
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.Score);
        Dialogs.Shown.clear();
        EndGameWith(c.Score);
        EXPECT_EQ(Dialogs.Shown, c.Dialogs);
        EXPECT_EQ(Window->Parts().HighDisplay.Value(), c.High);
        EXPECT_NE(Window->Parts().Music.MediaPlayer1().Mode(), TMediaMode::Playing);
    }
    EXPECT_EQ(RawStore()->value("CScore73").toString(), "100");
}

TEST_F(GameWindowTest, HighScoreDisplayFollowsTheModeAndTheCommandShowsItsTable)
{
    RawStore()->setValue("CScore41", "321");
    Window->ModeClick(gmColumn);
    EXPECT_EQ(Window->Parts().HighDisplay.Value(), "321");
    Window->ModeClick(gmRowBlock);
    EXPECT_EQ(Window->Parts().HighDisplay.Value(), "0");

    Window->ModeClick(gmColumn);
    Window->PauseMenuClick();
    Window->HiScoresMenuClick();
    EXPECT_EQ(Dialogs.Shown.last(), "scores: 4");
    EXPECT_EQ(Window->Parts().Engine.GameState, gsPaused);
}

TEST_F(GameWindowTest, AStoreThatCannotBeWrittenLosesNothingOnScreen)
{
    QTemporaryFile notAFolder;
    ASSERT_TRUE(notAFolder.open());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, notAFolder.fileName() + "/config");
    Dialogs.NameAnswer = "Ann";
    EndGameWith(70);
    EndGameWith(60);
    Window->ModeClick(gmSingle);
    Window->ModeClick(gmPelmo2000);
    EXPECT_EQ(Window->Parts().HighDisplay.Value(), "70");
    const TFormScore& scores = Window->Parts().Scores;
    EXPECT_EQ(scores.NameLabel(2)->text() + scores.ScoreLabel(2)->text(), "Ann60");
    EXPECT_EQ(Dialogs.Shown.count("error: Cannot save the high scores. They are kept until Pelmo 2000 closes."), 1);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, qEnvironmentVariable("XDG_CONFIG_HOME"));
}

// Each command found by its captions does its work, and the Mode menu checks the current mode only.
TEST_F(GameWindowTest, EveryCommandIsReachableFromTheMenuBarWithItsOwnShortcut)
{
    struct Case
    {
        const char* Menu;
        const char* Item;
        const char* Shown; // by the dialogs
        TGameState State;
        int Mode;
    };
    const Case cases[] = {
        {"&Game", "&New game", "", gsNextBlock, gmPelmo2000},
        {"&Game", "&Pause", "", gsPaused, gmPelmo2000},
        {"&Game", "&High scores...", "scores: 7", gsPaused, gmPelmo2000},
        {"&Game", "&Preferences...", "preferences", gsPaused, gmPelmo2000},
        {"&Game", "E&xit", "question: Do you really want to exit Pelmo 2000?", gsPaused, gmPelmo2000},
        {"&Mode", "&Single (no rotation)", "", gsNextBlock, gmSingle},
        {"&Mode", "&DuoBlock", "", gsNextBlock, gmDuoBlock},
        {"&Mode", "&TrioBlock (no rotation)", "", gsNextBlock, gmTrioBlock},
        {"&Mode", "&Column (no rotation)", "", gsNextBlock, gmColumn},
        {"&Mode", "&QuartetBlock", "", gsNextBlock, gmQuartetBlock},
        {"&Mode", "&RowBlock", "", gsNextBlock, gmRowBlock},
        {"&Mode", "Pelmo &2000", "", gsNextBlock, gmPelmo2000},
        {"&Help", "&Help contents", "", gsPaused, gmPelmo2000},
        {"&Help", "&About...", "about", gsPaused, gmPelmo2000},
    };
    Dialogs.Answer = false;
    const TWindowParts parts = Window->Parts();
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.Menu) + " " + c.Item);
        Dialogs.Shown.clear();
        QAction* action = Command(c.Menu, c.Item);
        ASSERT_NE(action, nullptr);
        action->trigger();
        EXPECT_EQ(Dialogs.Shown.join(""), c.Shown);
        EXPECT_EQ(std::make_pair(parts.Engine.GameState, int(parts.Engine.ModeNumber)), std::make_pair(c.State, c.Mode));
        for (int m = 1; m <= ModeCount; ++m)
            EXPECT_EQ(parts.ModeAction(m).isChecked(), m == c.Mode) << m;
    }
    EXPECT_TRUE(Window->isVisible() && Window->Parts().Help->isVisible());
    // The web pages open in the desktop's browser; here they only have to be there.
    EXPECT_TRUE(Command("&Help", "Hollin &home page") && Command("&Help", "&Pelmo 2000 home page"));

    QStringList shortcuts; // each bound once
    for (const QAction* action : Window->menuBar()->findChildren<QAction*>())
        if (!action->shortcut().isEmpty())
            shortcuts << action->shortcut().toString();
    shortcuts.sort();
    EXPECT_EQ(shortcuts, (QStringList{"F1", "F2", "F3"}));
}

TEST_F(GameWindowTest, F1OpensTheManualOnItsContentsPage)
{
    Window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
    QTest::keyClick(Window.get(), Qt::Key_F1);
    ASSERT_NE(Window->Parts().Help, nullptr);
    EXPECT_TRUE(Window->Parts().Help->isVisible());
    QTextBrowser* pages = Window->Parts().Help->Browser();
    EXPECT_EQ(pages->source().toString(), "qrc:/help/index.html");
    EXPECT_TRUE(pages->toHtml().contains("scoring.html")); // loaded, with its links
}

TEST_F(GameWindowTest, TheManualNamesTheKeysBoundNow)
{
    Window->HelpContentsMenuClick();
    QTextBrowser* pages = Window->Parts().Help->Browser();
    const auto quickStart = [pages] {
        const QString text = pages->toPlainText().simplified();
        const qsizetype from = text.indexOf("Move the falling piece");
        return text.mid(from, text.indexOf(". F3") - from);
    };
    EXPECT_EQ(quickStart(), "Move the falling piece left with Numpad 4 or Left arrow and right with Numpad 6 or "
                            "Right arrow, cycle its colours with Numpad 8 or Up arrow, turn it with Numpad 5 or "
                            "Space and drop it with Numpad 2 or Down arrow");

    TSettings& settings = Window->Parts().Settings;
    settings.LeftKey = 65;
    settings.RBlockKey = 37;
    settings.DropKey = 108; // stored by hand, not offered by the lists
    Window->Parts().Help->Refresh();
    EXPECT_EQ(quickStart(), "Move the falling piece left with A and right with Numpad 6 or Right arrow, cycle its "
                            "colours with Numpad 8 or Up arrow, turn it with Left arrow or Space and drop it with "
                            "key code 108 or Down arrow");

    pages->setSource(QUrl("qrc:/help/controls.html"));
    EXPECT_TRUE(pages->toPlainText().contains("Move left\nA\n")) << pages->toPlainText().toStdString();
    EXPECT_FALSE(pages->toHtml().contains("{{"));
}

TEST_F(GameWindowTest, ModeCommandMovesTheMarksAndIsRememberedAtTheNextStart)
{
    Window->ModeClick(gmSingle);
    EXPECT_TRUE(Window->Parts().ModeAction(gmSingle).isChecked());
    EXPECT_FALSE(Window->Parts().ModeAction(gmPelmo2000).isChecked());
    EXPECT_EQ(Window->Parts().ModeButton(gmSingle).CaptionColor(), QColor(0, 255, 0));
    EXPECT_EQ(Window->Parts().ModeButton(gmPelmo2000).CaptionColor(), QColor(255, 255, 0));
    EXPECT_EQ(Window->Parts().Engine.GameState, gsNextBlock);
    EXPECT_EQ(Window->Parts().Painter.Geometry().WellWidth, 5 * Window->Parts().Settings.BlockWidth);

    CloseWindow();
    EXPECT_EQ(RawStore()->value("NumOfBlock").toInt(), 1);
    EXPECT_EQ(RawStore()->value("ColNumber").toInt(), 5);
    EXPECT_EQ(RawStore()->value("RowNumber").toInt(), 15);
    EXPECT_EQ(RawStore()->value("Version").toString(), "1.0");

    OpenWindow();
    EXPECT_EQ(Window->Parts().Engine.ModeNumber, gmSingle);
    EXPECT_TRUE(Window->Parts().ModeAction(gmSingle).isChecked());
}

TEST_F(GameWindowTest, BlockedEntryEndsTheGameWithTheMessage)
{
    EndGameWith(0);
    EXPECT_EQ(Window->Parts().Engine.GameState, gsStopped);
    EXPECT_FALSE(Window->Parts().GameTimer.isActive());
    EXPECT_TRUE(Dialogs.Shown.contains("information: Game over"));
    EXPECT_NE(Window->Parts().Music.MediaPlayer1().Mode(), TMediaMode::Playing);
}

TEST_F(GameWindowTest, HardDropShowsThePieceInTheWellOnTheWindow)
{
    Window->NewMenuClick();
    TGameEngine& game = Window->Parts().Engine;
    game.NextBlock.Generate(1, game.Random, 7, 1);
    game.NextBlock.Colors[0] = 6;
    game.TimerTick();
    Press(Qt::Key_2, Qt::KeypadModifier);
    EXPECT_EQ(game.Board.At(16, game.BlockX), 6);
    EXPECT_EQ(game.Score, 16);
    EXPECT_EQ(Window->Parts().ScoreDisplay.Value(), "16");

    // The cell's middle pixel on the window image is the red cell, not the well background.
    const TWellGeometry& well = Window->Parts().Painter.Geometry();
    const int w = Window->Parts().Settings.BlockWidth;
    const int h = Window->Parts().Settings.BlockHeight;
    const QPoint centre(well.WellLeft + game.BlockX * w + w / 2, well.WellTop + 16 * h + h / 2);
    const QColor pixel = Window->Parts().Painter.WindowImage().pixelColor(centre);
    EXPECT_GT(pixel.red(), 150);
    EXPECT_LT(pixel.green(), 100);
}

TEST_F(GameWindowTest, MissingOuterPictureIsReportedOnceAndFallsBackToColour)
{
    CloseWindow();
    ClearStore();
    Dialogs.Shown.clear();
    OpenWindow(); // first run: the defaults, whose textures lie beside the program
    Window->Parts().Settings.OuterMode = 2;
    Window->Parts().Settings.OuterImage = "/nonexistent/texture1.bmp";
    CloseWindow();

    Dialogs.Shown.clear();
    OpenWindow();
    EXPECT_EQ(Dialogs.Shown.count("information: Cannot open /nonexistent/texture1.bmp"), 1);
    EXPECT_EQ(Dialogs.Details.last(), "No such file or directory");
    EXPECT_EQ(Window->Parts().Settings.OuterMode, 1);
    EXPECT_EQ(Window->Parts().Settings.OuterImage, "");
    CloseWindow();
    EXPECT_EQ(RawStore()->value("OuterMode").toInt(), 1);
}

// At its smallest, a restored window shows the whole well, clear of every caption, button and
// panel of the two columns, and those whole too.
void ExpectEverythingInView(TFormTumbla& window)
{
    window.resize(1, 1);
    const QWidget& client = window.Parts().Client;
    const QRect well = window.Parts().Painter.Geometry().WellRect();
    EXPECT_TRUE(client.rect().contains(well));
    for (const QWidget* control : client.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        EXPECT_TRUE(client.rect().contains(control->geometry()) && !control->geometry().intersects(well))
            << control->objectName().toStdString() << " " << control->metaObject()->className();
}

TEST_F(GameWindowTest, ARestoredWindowKeepsTheWholeWellAndBothColumns)
{
    const QSize cells[] = {{44, 37}, {34, 29}, {26, 22}};
    for (const QSize cell : cells)
        for (int m = 1; m <= ModeCount; ++m)
        {
            SCOPED_TRACE(std::to_string(cell.width()) + " mode " + std::to_string(m));
            Window->Parts().Settings.BlockWidth = cell.width();
            Window->Parts().Settings.BlockHeight = cell.height();
            Window->ModeClick(m);
            ExpectEverythingInView(*Window);
        }

    Window->showMaximized();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Window->minimumSize() == QSize(0, 0); }, 2000));
    Window->showNormal();
    ExpectEverythingInView(*Window);
}
} // namespace
