#include "RecordingDialogs.h"

#include "app/FlatButton.h"
#include "app/FormTumbla.h"
#include "app/HelpWindow.h"
#include "app/KeyCodes.h"
#include "scores/FormScore.h"
#include "settings/SettingsStore.h"
#include "tests/settings/StoreTestSupport.h"
#include "view/NextPreview.h"
#include "view/Seven.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryFile>
#include <QTextBrowser>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace
{
class GameWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QSettings(QSettings::NativeFormat, QSettings::UserScope, "Hollin", "Pelmo2000").clear();
        OpenWindow();
    }

    // In the order of program start: the game window, then the high-score window, then showing.
    void OpenWindow()
    {
        Window = std::make_unique<TFormTumbla>(&Dialogs);
        Scores = new TFormScore(Window.get()); // the game window owns it
        Window->SetFormScore(Scores);
        Window->resize(1280, 800);
        Window->show();
    }

    void CloseWindow() { Window.reset(); }

    int FrameWidth() const { return Window->frameGeometry().width() - Window->width(); }

    // Ends the game at the next tick, with the given score.
    void EndGameWith(int32_t score)
    {
        Window->NewMenuClick();
        TGameEngine& game = Window->Engine();
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

    static QVariant Stored(const char* name)
    {
        return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Hollin", "Pelmo2000").value(name);
    }

    TRecordingDialogs Dialogs;
    std::unique_ptr<TFormTumbla> Window;
    TFormScore* Scores = nullptr;
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

TEST_F(GameWindowTest, StartsWithoutAGameInTheDerivedModeWithItsMarks)
{
    EXPECT_EQ(Window->windowTitle(), "Pelmo 2000");
    EXPECT_EQ(Window->Engine().GameState, gsStopped);
    EXPECT_FALSE(Window->GameTimerActive());
    EXPECT_EQ(Window->ScoreDisplay()->Value(), "0");
    EXPECT_EQ(Window->LevelDisplay()->Value(), "1");
    EXPECT_EQ(Window->HighDisplay()->Value(), "0");
    for (int m = 1; m <= ModeCount; ++m)
    {
        EXPECT_EQ(Window->ModeAction(m)->isChecked(), m == gmPelmo2000) << m;
        EXPECT_EQ(Window->ModeButton(m)->CaptionColor(), m == gmPelmo2000 ? QColor(0, 255, 0) : QColor(255, 255, 0))
            << m;
    }

    // Before any game the game keys and the pause command do nothing.
    Press(Qt::Key_4, Qt::KeypadModifier);
    Window->PauseMenuClick();
    EXPECT_EQ(Window->Engine().GameState, gsStopped);
    EXPECT_EQ(Window->PauseAction()->text(), "&Pause");
}

TEST_F(GameWindowTest, KeypadMovesThePieceWithNumLockOff)
{
    Window->NewMenuClick();
    EXPECT_TRUE(Window->GameTimerActive());
    TGameEngine& game = Window->Engine();
    game.NextBlock.Generate(1, game.Random, 7, 1);
    Window->Engine().TimerTick(); // the first piece enters
    ASSERT_EQ(game.GameState, gsPlaying);
    const int startX = game.BlockX;

    Press(Qt::Key_Left, Qt::KeypadModifier); // keypad 4 with Num Lock off
    EXPECT_EQ(game.BlockX, startX - 1);
    Press(Qt::Key_6, Qt::KeypadModifier);
    EXPECT_EQ(game.BlockX, startX);
    Press(Qt::Key_Left); // the arrow key is not bound by default
    EXPECT_EQ(game.BlockX, startX);
}

TEST_F(GameWindowTest, PauseAndResumeChangeCaptionsAndTimer)
{
    Window->NewMenuClick();
    Window->Engine().TimerTick();
    Window->PauseMenuClick();
    EXPECT_EQ(Window->Engine().GameState, gsPaused);
    EXPECT_FALSE(Window->GameTimerActive());
    EXPECT_EQ(Window->PauseAction()->text(), "&Replay");
    EXPECT_EQ(Window->PauseButton()->text(), "Replay");

    Window->PauseMenuClick();
    EXPECT_EQ(Window->Engine().GameState, gsPlaying);
    EXPECT_TRUE(Window->GameTimerActive());
    EXPECT_EQ(Window->PauseAction()->text(), "&Pause");
    EXPECT_EQ(Window->PauseButton()->text(), "Pause");
}

TEST_F(GameWindowTest, LosingTheFocusPausesARunningGame)
{
    Window->NewMenuClick();
    Window->Engine().TimerTick();
    ASSERT_FALSE(Window->isActiveWindow());
    QEvent deactivate(QEvent::ActivationChange);
    QApplication::sendEvent(Window.get(), &deactivate);
    EXPECT_EQ(Window->Engine().GameState, gsPaused);
    EXPECT_EQ(Window->PauseAction()->text(), "&Replay");
}

TEST_F(GameWindowTest, ExitAsksFirstNoKeepsTheGamePausedYesSavesTheSettings)
{
    Window->NewMenuClick();
    Window->Engine().TimerTick();
    Dialogs.Answer = false;
    Window->Keluar1Click();
    EXPECT_TRUE(Window->isVisible());
    EXPECT_EQ(Window->Engine().GameState, gsPaused);
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
        EXPECT_EQ(Window->HighDisplay()->Value(), c.High);
        EXPECT_NE(Window->Music().MediaPlayer1().Mode(), TMediaMode::Playing);
    }
    EXPECT_EQ(Stored("CScore73").toString(), "100");
}

TEST_F(GameWindowTest, HighScoreDisplayFollowsTheModeAndTheCommandShowsItsTable)
{
    RawStore()->setValue("CScore41", "321");
    Window->ModeClick(gmColumn);
    EXPECT_EQ(Window->HighDisplay()->Value(), "321");
    Window->ModeClick(gmRowBlock);
    EXPECT_EQ(Window->HighDisplay()->Value(), "0");

    Window->ModeClick(gmColumn);
    Window->PauseMenuClick();
    Window->HiScoresMenuClick();
    EXPECT_EQ(Dialogs.Shown.last(), "scores: 4");
    EXPECT_EQ(Window->Engine().GameState, gsPaused);
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
    EXPECT_EQ(Window->HighDisplay()->Value(), "70");
    EXPECT_EQ(Scores->NameLabel(2)->text() + Scores->ScoreLabel(2)->text(), "Ann60");
    EXPECT_EQ(Dialogs.Shown.count("error: Cannot save the high scores. They are kept until Pelmo 2000 closes."), 1);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, qEnvironmentVariable("XDG_CONFIG_HOME"));
}

TEST_F(GameWindowTest, MenuTreeAsTheProgramDescribesIt)
{
    // Name|caption|shortcut|hint|picture|check mark, menu by menu.
    const QStringList expected{
        "GameMenu &Game",
        "NewMenu|&New game|F2|Start a new game|picture|",
        "PauseMenu|&Pause|F3|Pause current game|picture|",
        "N1|||||",
        "HiScoresMenu|&High scores...||Display High Scores dialog box|picture|",
        "N2|||||",
        "Preferences1|&Preferences...|||picture|",
        "N4|||||",
        "Keluar1|E&xit||Exit from this program|picture|",
        "ModeMenu &Mode",
        "SingleMenu|&Single (no rotation)|||picture|",
        "DuoMenu|&DuoBlock|||picture|",
        "TrioMenu|&TrioBlock (no rotation)|||picture|",
        "ColumnMenu|&Column (no rotation)|||picture|",
        "QuartetMenu|&QuartetBlock|||picture|",
        "RowMenu|&RowBlock|||picture|",
        "PelmoMenu|Pelmo &2000|||picture|checked",
        "HelpMenu &Help",
        "HelpContentsMenu|&Help contents|F1|Display the contents of the help file|picture|",
        "N6|||||",
        "Hollinhomepage1|Hollin &home page||||",
        "WebSiteMenu|&Pelmo 2000 home page||Visit Pelmo 2000 Web site on the Internet||",
        "N3|||||",
        "AboutMenu|&About...||Display About dialog box||",
    };
    QStringList shown;
    for (QAction* top : Window->menuBar()->actions())
    {
        shown << top->menu()->objectName() + " " + top->text();
        for (const QAction* a : top->menu()->actions())
            shown << QStringList{a->objectName(), a->text(), a->shortcut().toString(), a->statusTip(),
                                 a->icon().isNull() ? "" : "picture", a->isChecked() ? "checked" : ""}
                         .join('|');
    }
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(Window->findChild<TFlatButton*>("SpeedButton6")->toolTip(), "Display High Scores dialog box");
    EXPECT_EQ(Window->findChild<TFlatButton*>("SpeedButton2")->toolTip(), "");
    Window->findChild<QAction*>("QuartetMenu")->trigger();
    EXPECT_TRUE(Window->ModeAction(gmQuartetBlock)->isChecked() && !Window->ModeAction(gmPelmo2000)->isChecked());
}

TEST_F(GameWindowTest, F1OpensTheManualOnItsContentsPage)
{
    Window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
    QTest::keyClick(Window.get(), Qt::Key_F1);
    ASSERT_NE(Window->HelpWindow(), nullptr);
    EXPECT_TRUE(Window->HelpWindow()->isVisible());
    QTextBrowser* pages = Window->HelpWindow()->Browser();
    EXPECT_EQ(pages->source().toString(), "qrc:/help/index.html");
    EXPECT_TRUE(pages->toHtml().contains("scoring.html")); // loaded, with its links
}

TEST_F(GameWindowTest, ModeCommandMovesTheMarksAndIsRememberedAtTheNextStart)
{
    Window->ModeClick(gmSingle);
    EXPECT_TRUE(Window->ModeAction(gmSingle)->isChecked());
    EXPECT_FALSE(Window->ModeAction(gmPelmo2000)->isChecked());
    EXPECT_EQ(Window->ModeButton(gmSingle)->CaptionColor(), QColor(0, 255, 0));
    EXPECT_EQ(Window->ModeButton(gmPelmo2000)->CaptionColor(), QColor(255, 255, 0));
    EXPECT_EQ(Window->Engine().GameState, gsNextBlock);
    EXPECT_EQ(Window->Painter().Geometry().WellWidth, 5 * Window->Config().BlockWidth);

    CloseWindow();
    EXPECT_EQ(Stored("NumOfBlock").toInt(), 1);
    EXPECT_EQ(Stored("ColNumber").toInt(), 5);
    EXPECT_EQ(Stored("RowNumber").toInt(), 15);
    EXPECT_EQ(Stored("Version").toString(), "1.0");

    OpenWindow();
    EXPECT_EQ(Window->Engine().ModeNumber, gmSingle);
    EXPECT_TRUE(Window->ModeAction(gmSingle)->isChecked());
}

TEST_F(GameWindowTest, BlockedEntryEndsTheGameWithTheMessage)
{
    Window->NewMenuClick();
    TGameEngine& game = Window->Engine();
    for (int col = 0; col < 9; ++col)
        game.Board.At(0, col) = 1;
    game.TimerTick();
    EXPECT_EQ(game.GameState, gsStopped);
    EXPECT_FALSE(Window->GameTimerActive());
    EXPECT_TRUE(Dialogs.Shown.contains("information: Game over"));
    EXPECT_NE(Window->Music().MediaPlayer1().Mode(), TMediaMode::Playing);
}

TEST_F(GameWindowTest, HardDropShowsThePieceInTheWellOnTheWindow)
{
    Window->NewMenuClick();
    TGameEngine& game = Window->Engine();
    game.NextBlock.Generate(1, game.Random, 7, 1);
    game.NextBlock.Colors[0] = 6;
    game.TimerTick();
    Press(Qt::Key_2, Qt::KeypadModifier);
    EXPECT_EQ(game.Board.At(16, game.BlockX), 6);
    EXPECT_EQ(game.Score, 16);
    EXPECT_EQ(Window->ScoreDisplay()->Value(), "16");

    // The cell's middle pixel on the window image is the red cell, not the well background.
    const TWellGeometry& well = Window->Painter().Geometry();
    const int w = Window->Config().BlockWidth;
    const int h = Window->Config().BlockHeight;
    const QPoint centre(well.WellLeft + game.BlockX * w + w / 2, well.WellTop + 16 * h + h / 2);
    const QColor pixel = Window->Painter().WindowImage().pixelColor(centre);
    EXPECT_GT(pixel.red(), 150);
    EXPECT_LT(pixel.green(), 100);
}

TEST_F(GameWindowTest, MissingOuterPictureIsReportedOnceAndFallsBackToColour)
{
    CloseWindow();
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, "Hollin", "Pelmo2000");
    store.clear();
    store.sync();
    Dialogs.Shown.clear();
    OpenWindow(); // first run: the defaults, whose textures lie beside the program
    Window->Config().OuterMode = 2;
    Window->Config().OuterImage = "/nonexistent/texture1.bmp";
    CloseWindow();

    Dialogs.Shown.clear();
    OpenWindow();
    EXPECT_EQ(Dialogs.Shown.count("information: Cannot open /nonexistent/texture1.bmp"), 1);
    EXPECT_EQ(Window->Config().OuterMode, 1);
    EXPECT_EQ(Window->Config().OuterImage, "");
    CloseWindow();
    EXPECT_EQ(Stored("OuterMode").toInt(), 1);
}

TEST_F(GameWindowTest, ARestoredWindowKeepsTheWholeWellAndBothColumns)
{
    struct Case
    {
        int Mode;
        int Columns;
        int Rows;
    };
    const Case cases[] = {{gmPelmo2000, 9, 17}, {gmSingle, 5, 15}, {gmRowBlock, 7, 17}};
    const int w = Window->Config().BlockWidth;
    const int h = Window->Config().BlockHeight;
    const int menu = Window->menuBar()->height();
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.Mode);
        Window->ModeClick(c.Mode);
        EXPECT_EQ(Window->minimumWidth() + FrameWidth(), 2 * 133 + c.Columns * w + 100);
        EXPECT_EQ(Window->minimumHeight(), menu + std::max(c.Rows * h + 25, 400));
    }
    Window->resize(300, 200);
    EXPECT_GE(Window->ClientArea()->height(), 15 * h + 25);

    Window->showMaximized();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Window->minimumSize() == QSize(0, 0); }, 2000));
    Window->showNormal();
    EXPECT_EQ(Window->minimumWidth() + FrameWidth(), 2 * 133 + 7 * w + 100);
}
} // namespace
