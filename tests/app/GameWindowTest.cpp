#include "RecordingDialogs.h"

#include "app/FlatButton.h"
#include "app/FormTumbla.h"
#include "app/KeyCodes.h"
#include "settings/SettingsStore.h"
#include "view/NextPreview.h"
#include "view/Seven.h"

#include <QAction>
#include <QKeyEvent>
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

    void OpenWindow()
    {
        Window = std::make_unique<TFormTumbla>(&Dialogs);
        Window->resize(1280, 800);
        Window->show();
    }

    void CloseWindow() { Window.reset(); }

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

TEST_F(GameWindowTest, ExitAsksFirstAndNoKeepsTheWindow)
{
    Dialogs.Answer = false;
    Window->Keluar1Click();
    EXPECT_TRUE(Window->isVisible());
    ASSERT_EQ(Dialogs.Shown.size(), 1);
    EXPECT_EQ(Dialogs.Shown[0], "question: Do you really want to exit Pelmo 2000?");

    Dialogs.Answer = true;
    Window->Keluar1Click();
    EXPECT_FALSE(Window->isVisible());
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
} // namespace
