#include "engine/GameEngine.h"
#include "tests/engine/EngineRig.h"
#include "tests/engine/WellText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

std::vector<std::string> FullColumn(int col, int colNumber, int rowNumber)
{
    std::vector<std::string> rows;
    for (int row = 0; row < rowNumber; ++row)
    {
        std::string text(static_cast<size_t>(colNumber), '.');
        text[static_cast<size_t>(col)] = static_cast<char>('1' + row % 2);
        rows.push_back(text);
    }
    return rows;
}

TViewEvent Redraw(int c, int r, int w, int h) { return {TViewCall::RedrawPieceArea, c, r, w, h}; }

TEST(GameLoopTest, NewGameFromAnyState)
{
    enum { AfterStartUp, Running, Paused, AfterGameOver };
    for (int from : {AfterStartUp, Running, Paused, AfterGameOver})
    {
        SCOPED_TRACE(testing::Message() << "from " << from);
        TSettings settings = TEngineRig::ModeSettings(1, 7, 5, 15, 1);
        settings.StartLevel = 2;
        TEngineRig rig(settings);
        if (from != AfterStartUp)
        {
            rig.Engine.NewGame();
            rig.Engine.TimerTick();
            rig.Engine.Score = 1234;
            rig.Engine.Level = 7;
            rig.Engine.LevelCounter = 9;
            rig.Engine.FallDelay = 8;
            rig.Engine.DropKeyHeld = true;
            rig.Engine.TickCounter = 6;
            if (from == Paused)
                rig.Engine.PauseMenuClick();
            if (from == AfterGameOver)
                rig.Engine.GameState = gsStopped;
        }
        // Every byte of the grid, also outside this 5 x 15 well.
        for (int row = 0; row < MaxRows; ++row)
            for (int col = 0; col < MaxCols; ++col)
                rig.Engine.Board.At(row, col) = static_cast<uint8_t>(1 + (row + col) % 7);
        const TBlock next = rig.Engine.NextBlock;
        const uint32_t seed = rig.Engine.Random.Seed;
        rig.View.Clear();

        rig.Engine.NewGame();

        EXPECT_EQ(rig.Engine.GameState, gsNextBlock);
        EXPECT_EQ(rig.Engine.Score, 0);
        EXPECT_EQ(rig.Engine.Level, 2);
        EXPECT_EQ(rig.Engine.LevelCounter, 0);
        EXPECT_EQ(rig.Engine.FallDelay, 13);
        EXPECT_EQ(rig.Engine.TickCounter, 0);
        EXPECT_FALSE(rig.Engine.DropKeyHeld);
        EXPECT_EQ(rig.Engine.BlockX, 0);
        EXPECT_EQ(rig.Engine.BlockY, 0);
        EXPECT_EQ(rig.Engine.Board, TGrid{}) << GridText(rig.Engine.Board);
        EXPECT_EQ(rig.Engine.NextBlock.Count, next.Count);
        EXPECT_EQ(rig.Engine.NextBlock.Colors[0], next.Colors[0]);
        EXPECT_EQ(rig.Engine.Random.Seed, seed) << "the waiting piece is not drawn again";
        const std::vector<TViewEvent> expected = {
            {TViewCall::StartMusic},
            {TViewCall::StartGameTimer},
            {TViewCall::ShowLevel, 2},
            {TViewCall::SetPauseCaptions, 0},
            {TViewCall::ShowScore, 0},
            {TViewCall::ShowEmptyWell},
            {TViewCall::PlayEffect, static_cast<int>(TEffect::Drop)},
            {TViewCall::RepaintPreview},
        };
        EXPECT_EQ(rig.View.Events, expected) << rig.View.Dump();
        EXPECT_TRUE(rig.View.TimerRunning);
    }
}

TEST(GameLoopTest, NewGameWithoutMusicOrSound)
{
    TSettings settings;
    settings.MusicOn = false;
    settings.SoundOn = false;
    TEngineRig rig(settings);
    rig.Engine.NewGame();
    EXPECT_EQ(rig.View.CountOf(TViewCall::StartMusic), 0);
    EXPECT_TRUE(rig.View.Effects().empty());
    EXPECT_EQ(rig.View.CountOf(TViewCall::StartGameTimer), 1);
}

struct TEntryCase
{
    std::string Name;
    int32_t ColNumber;
    TBlock Next;
    int32_t X;
    int32_t Y;
};

TEST(GameLoopTest, NextPieceEntersAtTheTop)
{
    const TEntryCase cases[] = {
        {"lying three", 9, MakeBlock({1, 2, 3}, true), 4, 0},
        {"standing three", 9, MakeBlock({1, 2, 3}, false), 4, -2},
        {"standing four", 9, MakeBlock({1, 2, 3, 4}, false), 4, -3},
        {"standing two in a 7-column well", 7, MakeBlock({1, 2}, false), 3, -1},
        {"standing one", 9, MakeBlock({5}, false), 4, 0},
        {"lying one in a 5-column well", 5, MakeBlock({5}, true), 2, 0},
        {"lying two in a 7-column well", 7, MakeBlock({1, 2}, true), 3, 0},
        {"seven-cell row", 7, MakeBlock({1, 2, 3, 4, 5, 1, 2}, true), 0, 0},
        {"nine-cell row", 9, MakeBlock({1, 2, 3, 4, 5, 6, 7, 1, 2}, true), 0, 0},
    };
    for (const TEntryCase& c : cases)
    {
        SCOPED_TRACE(c.Name);
        TEngineRig rig(TEngineRig::ModeSettings(5, 7, c.ColNumber, 17, 3));
        rig.Engine.NewGame();
        rig.Engine.NextBlock = c.Next;
        rig.View.Clear();

        rig.Engine.TimerTick();

        EXPECT_EQ(rig.Engine.GameState, gsPlaying);
        EXPECT_EQ(rig.Engine.CurrentBlock.Count, c.Next.Count);
        EXPECT_EQ(rig.Engine.CurrentBlock.Horizontal, c.Next.Horizontal);
        EXPECT_EQ(rig.Engine.BlockX, c.X);
        EXPECT_EQ(rig.Engine.BlockY, c.Y);
        const TViewEvent drawn =
            c.Next.Horizontal ? Redraw(c.X, 0, c.Next.Count, 1) : Redraw(c.X, c.Y, 1, c.Next.Count);
        EXPECT_EQ(rig.View.Only(TViewCall::RedrawPieceArea), std::vector<TViewEvent>{drawn});
        ASSERT_EQ(rig.View.CountOf(TViewCall::ShowNextBlock), 1);
        EXPECT_LT(rig.View.IndexOf(TViewCall::RedrawPieceArea), rig.View.IndexOf(TViewCall::ShowNextBlock));
        EXPECT_EQ(rig.View.Preview.Count, rig.Engine.NextBlock.Count);
        EXPECT_EQ(rig.View.Preview.Colors[0], rig.Engine.NextBlock.Colors[0]);
        EXPECT_EQ(rig.Engine.Board, TGrid{});
        EXPECT_EQ(rig.View.GameOvers, 0);
    }
}

TEST(GameLoopTest, PieceFallsOneRowEveryFallDelayTicks)
{
    struct Case
    {
        uint8_t StartLevel;
        int Ticks;
    };
    for (const Case c : {Case{1, 14}, Case{2, 13}, Case{6, 9}, Case{12, 3}})
        for (bool horizontal : {true, false})
        {
            SCOPED_TRACE(testing::Message() << "level " << int(c.StartLevel) << " horizontal " << horizontal);
            TSettings settings = TEngineRig::ModeSettings(3, 7, 9, 17, 3);
            settings.StartLevel = c.StartLevel;
            TEngineRig rig(settings);
            rig.Engine.NewGame();
            rig.Engine.NextBlock = MakeBlock({1, 2, 3}, horizontal);
            rig.Engine.TimerTick();
            const int32_t y = rig.Engine.BlockY;
            rig.View.Clear();
            for (int tick = 1; tick < c.Ticks; ++tick)
                rig.Engine.TimerTick();
            EXPECT_EQ(rig.Engine.BlockY, y);
            EXPECT_TRUE(rig.View.Events.empty()) << rig.View.Dump();
            rig.Engine.TimerTick();
            EXPECT_EQ(rig.Engine.BlockY, y + 1);
            const TViewEvent expected = horizontal ? Redraw(4, y, 3, 2) : Redraw(4, y, 1, 4);
            EXPECT_EQ(rig.View.Events, std::vector<TViewEvent>{expected});
            for (int tick = 0; tick < c.Ticks; ++tick)
                rig.Engine.TimerTick();
            EXPECT_EQ(rig.Engine.BlockY, y + 2);
            EXPECT_EQ(rig.Engine.Score, 0) << "falling by itself earns nothing";
        }
}

TEST(GameLoopTest, TicksCountedBeforeAHardDropCarryOverToTheNextPiece)
{
    TEngineRig rig;
    rig.Play(MakeBlock({1, 2, 3}, true), 4, 3);
    rig.Engine.TickCounter = 5;
    rig.Engine.FormKeyDown(rig.Settings.DropKey);
    ASSERT_EQ(rig.Engine.GameState, gsNextBlock);
    rig.Engine.NextBlock = MakeBlock({4, 5}, true);
    rig.Engine.TimerTick();
    ASSERT_EQ(rig.Engine.GameState, gsPlaying);
    for (int tick = 0; tick < 8; ++tick)
        rig.Engine.TimerTick();
    EXPECT_EQ(rig.Engine.BlockY, 0);
    rig.Engine.TimerTick();
    EXPECT_EQ(rig.Engine.BlockY, 1);
}

struct TGameOverCase
{
    std::string Name;
    int32_t ColNumber;
    int32_t RowNumber;
    int FullColumn;
    TBlock Next;
    bool Over;
};

TEST(GameLoopTest, GameEndsWhenTheEntryCellsAreOccupied)
{
    const TGameOverCase cases[] = {
        {"lying three on a full middle column", 9, 17, 4, MakeBlock({1, 2, 3}, true), true},
        {"lying three on a full column under its last cell", 9, 17, 6, MakeBlock({1, 2, 3}, true), true},
        {"lying three beside a full column", 9, 17, 3, MakeBlock({1, 2, 3}, true), false},
        {"lying three beside a full column on the right", 9, 17, 7, MakeBlock({1, 2, 3}, true), false},
        {"standing three on a full middle column", 9, 17, 4, MakeBlock({1, 2, 3}, false), true},
        {"standing three beside a full column", 9, 17, 5, MakeBlock({1, 2, 3}, false), false},
        {"seven-cell row on any full column", 7, 17, 6, MakeBlock({1, 2, 3, 4, 5, 1, 2}, true), true},
        {"nine-cell row on the first column", 9, 17, 0, MakeBlock({1, 2, 3, 4, 5, 6, 7, 1, 2}, true), true},
        {"one cell on the middle of a small well", 5, 15, 2, MakeBlock({3}, true), true},
        {"one cell beside a full column of a small well", 5, 15, 1, MakeBlock({3}, true), false},
    };
    for (const TGameOverCase& c : cases)
    {
        SCOPED_TRACE(c.Name);
        TEngineRig rig(TEngineRig::ModeSettings(3, 5, c.ColNumber, c.RowNumber, 3));
        rig.Engine.NewGame();
        rig.Engine.Score = 4321;
        rig.Engine.Board = GridFromBottom(c.RowNumber, FullColumn(c.FullColumn, c.ColNumber, c.RowNumber));
        const TGrid before = rig.Engine.Board;
        rig.Engine.NextBlock = c.Next;
        TGameState stateAtGameOver = gsPlaying;
        bool timerAtGameOver = true;
        rig.View.OnCall = [&](const TViewEvent& e) {
            if (e.Call == TViewCall::GameOver)
            {
                stateAtGameOver = rig.Engine.GameState;
                timerAtGameOver = rig.View.TimerRunning;
            }
        };
        rig.View.Clear();

        rig.Engine.TimerTick();
        rig.View.OnCall = nullptr;

        EXPECT_EQ(rig.Engine.Board, before) << "the entering piece never joins the well";
        if (!c.Over)
        {
            EXPECT_EQ(rig.Engine.GameState, gsPlaying);
            EXPECT_EQ(rig.View.GameOvers, 0);
            EXPECT_TRUE(rig.View.TimerRunning);
            continue;
        }
        EXPECT_EQ(rig.Engine.GameState, gsStopped);
        EXPECT_EQ(rig.View.Only(TViewCall::GameOver), (std::vector<TViewEvent>{{TViewCall::GameOver, 4321}}));
        EXPECT_EQ(stateAtGameOver, gsStopped);
        EXPECT_FALSE(timerAtGameOver) << "the timer is stopped first";
        EXPECT_FALSE(rig.View.TimerRunning);
        EXPECT_TRUE(rig.View.Effects().empty()) << "game over is silent";
        // The piece is shown over the stack and the picture kept.
        const int redraw = rig.View.IndexOf(TViewCall::RedrawPieceArea);
        const int capture = rig.View.IndexOf(TViewCall::CaptureWell);
        const int gameOver = rig.View.IndexOf(TViewCall::GameOver);
        EXPECT_LE(0, redraw);
        EXPECT_LT(redraw, capture);
        EXPECT_LT(capture, gameOver);
        EXPECT_EQ(rig.View.Only(TViewCall::RedrawWell), (std::vector<TViewEvent>{{TViewCall::RedrawWell, 0}}));

        // Nothing moves any more.
        rig.View.Clear();
        for (int tick = 0; tick < 50; ++tick)
            rig.Engine.TimerTick();
        rig.Engine.FormKeyDown(rig.Settings.LeftKey);
        rig.Engine.PauseMenuClick();
        rig.Engine.FocusLost();
        EXPECT_EQ(rig.Engine.GameState, gsStopped);
        EXPECT_EQ(rig.Engine.Board, before);
        EXPECT_TRUE(rig.View.Events.empty()) << rig.View.Dump();
    }
}

TEST(GameLoopTest, NothingHappensBeforeTheFirstGame)
{
    TEngineRig rig;
    rig.View.Clear();
    for (int tick = 0; tick < 40; ++tick)
        rig.Engine.TimerTick();
    rig.Engine.PauseMenuClick();
    rig.Engine.FocusLost();
    EXPECT_EQ(rig.Engine.GameState, gsStopped);
    EXPECT_TRUE(rig.View.Events.empty()) << rig.View.Dump();
}

TEST(GameLoopTest, PauseAndResume)
{
    TEngineRig rig;
    rig.Engine.NewGame();
    rig.Engine.NextBlock = MakeBlock({1, 2, 3}, true);
    rig.Engine.TimerTick();
    for (int tick = 0; tick < 20; ++tick)
        rig.Engine.TimerTick();
    const int32_t y = rig.Engine.BlockY;
    const uint8_t ticks = rig.Engine.TickCounter;
    rig.View.Clear();

    rig.Engine.PauseMenuClick();
    EXPECT_EQ(rig.Engine.GameState, gsPaused);
    EXPECT_FALSE(rig.View.TimerRunning);
    EXPECT_EQ(rig.View.Only(TViewCall::SetPauseCaptions), (std::vector<TViewEvent>{{TViewCall::SetPauseCaptions, 1}}));
    EXPECT_EQ(rig.View.CountOf(TViewCall::InvalidateWindow), 1) << "the banner is painted";
    EXPECT_EQ(rig.View.CountOf(TViewCall::PauseMusic), 1);
    EXPECT_TRUE(rig.View.Effects().empty());

    // A tick still queued, and keys, change nothing.
    for (int tick = 0; tick < 30; ++tick)
        rig.Engine.TimerTick();
    rig.Engine.FormKeyDown(rig.Settings.LeftKey);
    EXPECT_EQ(rig.Engine.BlockY, y);
    EXPECT_EQ(rig.Engine.BlockX, 4);
    EXPECT_EQ(rig.Engine.TickCounter, ticks);

    rig.View.Clear();
    rig.Engine.PauseMenuClick();
    EXPECT_EQ(rig.Engine.GameState, gsPlaying);
    EXPECT_TRUE(rig.View.TimerRunning);
    EXPECT_EQ(rig.View.Only(TViewCall::SetPauseCaptions), (std::vector<TViewEvent>{{TViewCall::SetPauseCaptions, 0}}));
    EXPECT_EQ(rig.View.Only(TViewCall::RedrawWell), (std::vector<TViewEvent>{{TViewCall::RedrawWell, 1}}));
    EXPECT_EQ(rig.View.Only(TViewCall::RedrawPieceArea), std::vector<TViewEvent>{Redraw(4, y, 3, 3)});
    EXPECT_EQ(rig.View.CountOf(TViewCall::ResumeMusic), 1);
    EXPECT_TRUE(rig.View.Effects().empty());

    // The fall goes on where it stopped.
    for (int tick = ticks + 1; tick < 14; ++tick)
        rig.Engine.TimerTick();
    EXPECT_EQ(rig.Engine.BlockY, y);
    rig.Engine.TimerTick();
    EXPECT_EQ(rig.Engine.BlockY, y + 1);
}

// However the game was paused, and whatever was held or opened meanwhile, the first row after
// the resume comes when the ticks left of the fall period have passed, and earns nothing.
TEST(GameLoopTest, AResumeNeverFallsFasterThanTheFallPeriod)
{
    struct Case
    {
        const char* Name;
        bool DropHeld; // the drop key was down when the focus went; its release went elsewhere
        int FocusLosses;
        bool ByMenu;
    };
    for (const Case c : {Case{"pause command", false, 0, true}, Case{"dialog", false, 1, false},
                         Case{"dialogs over a paused game", false, 3, true}, Case{"drop key held", true, 1, false},
                         Case{"drop key held, paused by F3", true, 0, true}})
    {
        SCOPED_TRACE(c.Name);
        TSettings settings = TEngineRig::ModeSettings(3, 7, 9, 17, 3);
        settings.FastDropping = false;
        TEngineRig rig(settings);
        rig.Engine.NewGame();
        rig.Engine.NextBlock = MakeBlock({1, 2, 3}, true);
        for (int tick = 0; tick < 6; ++tick)
            rig.Engine.TimerTick();
        if (c.DropHeld)
            rig.Engine.FormKeyDown(rig.Settings.DropKey);
        if (c.ByMenu)
            rig.Engine.PauseMenuClick();
        for (int loss = 0; loss < c.FocusLosses; ++loss)
            rig.Engine.FocusLost();
        const int32_t y = rig.Engine.BlockY;
        const int32_t score = rig.Engine.Score;
        const int left = rig.Engine.FallDelay - rig.Engine.TickCounter;
        rig.Engine.PauseMenuClick();
        ASSERT_EQ(rig.Engine.GameState, gsPlaying);
        for (int tick = 1; tick < left; ++tick)
            rig.Engine.TimerTick();
        EXPECT_EQ(rig.Engine.BlockY, y);
        rig.Engine.TimerTick();
        EXPECT_EQ(std::make_pair(rig.Engine.BlockY, rig.Engine.Score), std::make_pair(y + 1, score));
    }
}

TEST(GameLoopTest, FocusLossPausesAndAPausedGameStaysPaused)
{
    TEngineRig rig;
    rig.Engine.NewGame();
    rig.Engine.TimerTick();
    rig.View.Clear();

    rig.Engine.FocusLost();
    EXPECT_EQ(rig.Engine.GameState, gsPaused);
    EXPECT_FALSE(rig.View.TimerRunning);
    EXPECT_EQ(rig.View.Only(TViewCall::SetPauseCaptions).back().A, 1);

    // A second dialog while paused keeps it paused.
    rig.Engine.FocusLost();
    EXPECT_EQ(rig.Engine.GameState, gsPaused);
    EXPECT_FALSE(rig.View.TimerRunning);
    EXPECT_EQ(rig.View.Only(TViewCall::SetPauseCaptions).back().A, 1);

    // One pause command resumes.
    rig.Engine.PauseMenuClick();
    EXPECT_EQ(rig.Engine.GameState, gsPlaying);
    EXPECT_TRUE(rig.View.TimerRunning);
    EXPECT_EQ(rig.View.Only(TViewCall::SetPauseCaptions).back().A, 0);
}

// Pausing between a landing and the next entry resumes into the entry, so the landed piece is
// not taken for a falling one.
TEST(GameLoopTest, PauseBeforeTheNextPieceResumesIntoItsEntry)
{
    for (bool byFocus : {false, true})
    {
        SCOPED_TRACE(byFocus ? "focus loss" : "pause command");
        TEngineRig rig(TEngineRig::ModeSettings(3, 7, 9, 17, 3));
        rig.LandAt(MakeBlock({1, 2, 3}, true), 4, 16);
        ASSERT_EQ(rig.Engine.GameState, gsNextBlock);
        const TGrid landed = rig.Engine.Board;
        ASSERT_EQ(landed, GridFromBottom(17, {"....123.."}));
        rig.Engine.NextBlock = MakeBlock({4, 5, 6}, true);

        if (byFocus)
            rig.Engine.FocusLost();
        else
            rig.Engine.PauseMenuClick();
        ASSERT_EQ(rig.Engine.GameState, gsPaused);
        rig.Engine.FocusLost(); // a dialog opened while paused
        ASSERT_EQ(rig.Engine.GameState, gsPaused);
        rig.Engine.PauseMenuClick();
        EXPECT_EQ(rig.Engine.GameState, gsNextBlock);
        EXPECT_TRUE(rig.View.TimerRunning);
        EXPECT_EQ(rig.View.CountOf(TViewCall::GameOver), 0);

        rig.Engine.TimerTick();
        EXPECT_EQ(rig.Engine.GameState, gsPlaying);
        EXPECT_EQ(rig.Engine.CurrentBlock.Colors[0], 4);
        EXPECT_EQ(rig.Engine.BlockX, 4);
        EXPECT_EQ(rig.Engine.BlockY, 0);
        for (int tick = 0; tick < 14 * 20; ++tick)
            rig.Engine.TimerTick();
        EXPECT_EQ(rig.Engine.Board, GridFromBottom(17, {"....456..", "....123.."})) << GridText(rig.Engine.Board);
    }
}

TEST(GameLoopTest, PauseRightAfterANewGameResumesIntoTheFirstEntry)
{
    TEngineRig rig;
    rig.Engine.NewGame();
    const TBlock first = rig.Engine.NextBlock;
    rig.Engine.PauseMenuClick();
    ASSERT_EQ(rig.Engine.GameState, gsPaused);
    rig.Engine.PauseMenuClick();
    EXPECT_EQ(rig.Engine.GameState, gsNextBlock);
    rig.Engine.TimerTick();
    EXPECT_EQ(rig.Engine.GameState, gsPlaying);
    EXPECT_EQ(rig.Engine.CurrentBlock.Count, first.Count);
    EXPECT_EQ(rig.Engine.CurrentBlock.Colors[0], first.Colors[0]);
}

} // namespace
