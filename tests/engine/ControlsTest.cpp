#include "engine/GameEngine.h"
#include "tests/engine/EngineRig.h"
#include "tests/engine/WellText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

constexpr uint16_t LeftKey = 100;
constexpr uint16_t RightKey = 102;
constexpr uint16_t DropKey = 98;
constexpr uint16_t RColorKey = 104;
constexpr uint16_t RBlockKey = 101;

std::vector<std::string> Column(int col, int fromRow, int rowNumber = 17, int colNumber = 9)
{
    std::vector<std::string> rows;
    for (int row = fromRow; row < rowNumber; ++row)
    {
        std::string text(static_cast<size_t>(colNumber), '.');
        text[static_cast<size_t>(col)] = static_cast<char>('1' + row % 2);
        rows.push_back(text);
    }
    return rows;
}

std::vector<int> ColorsOf(const TBlock& block)
{
    return std::vector<int>(block.Colors, block.Colors + block.Count);
}

struct TMoveCase
{
    std::string Name;
    int32_t ColNumber;
    std::vector<std::string> Bottom;
    TBlock Block;
    int32_t X;
    int32_t Y;
    uint16_t Key;
    int32_t ExpectedX;
    std::vector<TViewEvent> Redraws;
};

TEST(ControlsTest, SidewaysMovesStopAtWallsAndSettledCells)
{
    const TBlock row3 = MakeBlock({1, 2, 3}, true);
    const TBlock column3 = MakeBlock({1, 2, 3}, false);
    const TBlock row9 = MakeBlock({1, 2, 3, 4, 5, 6, 7, 1, 2}, true);
    const auto redraw = [](int c, int r, int w, int h) { return TViewEvent{TViewCall::RedrawPieceArea, c, r, w, h}; };
    const TMoveCase cases[] = {
        {"lying piece at the left wall", 9, {}, row3, 0, 5, LeftKey, 0, {}},
        {"lying piece at the right wall", 9, {}, row3, 6, 5, RightKey, 6, {}},
        {"lying piece at the right wall of a small well", 5, {}, row3, 2, 5, RightKey, 2, {}},
        {"lying piece moves left", 9, {}, row3, 4, 5, LeftKey, 3, {redraw(3, 5, 4, 1)}},
        {"lying piece moves right", 9, {}, row3, 4, 5, RightKey, 5, {redraw(4, 5, 4, 1)}},
        {"standing piece moves left", 9, {}, column3, 4, 5, LeftKey, 3, {redraw(3, 5, 2, 3)}},
        {"standing piece moves right", 9, {}, column3, 4, 5, RightKey, 5, {redraw(4, 5, 2, 3)}},
        {"standing piece in the rightmost column", 9, {}, column3, 8, 5, RightKey, 8, {}},
        {"standing piece against a settled cell", 9, Column(3, 7), column3, 4, 5, LeftKey, 4, {}},
        {"standing piece beside the stack's top", 9, Column(3, 8), column3, 4, 5, LeftKey, 3, {redraw(3, 5, 2, 3)}},
        {"entering piece passes over a stack below row 0", 9, Column(3, 1), column3, 4, -2, LeftKey, 3,
         {redraw(3, -2, 2, 3)}},
        {"entering piece stopped by a stack in row 0", 9, Column(3, 0), column3, 4, -2, LeftKey, 4, {}},
        {"lying piece against a settled cell", 9, Column(7, 10), row3, 4, 10, RightKey, 4, {}},
        {"nine-cell row cannot move left", 9, {}, row9, 0, 3, LeftKey, 0, {}},
        {"nine-cell row cannot move right", 9, {}, row9, 0, 3, RightKey, 0, {}},
    };
    for (const TMoveCase& c : cases)
    {
        SCOPED_TRACE(c.Name);
        TEngineRig rig(TEngineRig::ModeSettings(3, 7, c.ColNumber, 17, 3));
        rig.Play(c.Block, c.X, c.Y);
        rig.Engine.Board = GridFromBottom(17, c.Bottom);
        rig.View.Clear();
        rig.Engine.FormKeyDown(c.Key);
        EXPECT_EQ(rig.Engine.BlockX, c.ExpectedX);
        EXPECT_EQ(rig.Engine.BlockY, c.Y);
        EXPECT_EQ(rig.View.Events, c.Redraws) << rig.View.Dump();
    }
}

TEST(ControlsTest, RepeatedKeyMovesUntilTheWall)
{
    TEngineRig rig(TEngineRig::ModeSettings(3, 7, 9, 17, 3));
    rig.Play(MakeBlock({1, 2, 3}, true), 4, 2);
    rig.View.Clear();
    for (int i = 0; i < 10; ++i)
        rig.Engine.FormKeyDown(LeftKey);
    EXPECT_EQ(rig.Engine.BlockX, 0);
    EXPECT_EQ(rig.View.CountOf(TViewCall::RedrawPieceArea), 4);
    for (int i = 0; i < 10; ++i)
        rig.Engine.FormKeyDown(RightKey);
    EXPECT_EQ(rig.Engine.BlockX, 6);
    EXPECT_EQ(rig.View.CountOf(TViewCall::RedrawPieceArea), 10);
    EXPECT_TRUE(rig.View.Effects().empty());
}

struct THardDropCase
{
    std::string Name;
    std::vector<std::string> Before;
    TBlock Block;
    int32_t X;
    int32_t Y;
    int32_t Points;
    std::vector<std::string> After;
};

TEST(ControlsTest, HardDropEarnsOnePointPerRowFallen)
{
    const THardDropCase cases[] = {
        {"from row 0 to the floor", {}, MakeBlock({1, 2, 3}, true), 4, 0, 16, {"....123.."}},
        {"already resting on the floor", {}, MakeBlock({1, 2, 3}, true), 4, 16, 0, {"....123.."}},
        {"standing piece entering above the well", {}, MakeBlock({1, 2, 3}, false), 4, -2, 16,
         {"....1....", "....2....", "....3...."}},
        {"onto the stack, hanging ends dropping", {"....1....", "....2...."}, MakeBlock({4, 5, 6}, true), 3, 0, 14,
         {"....5....", "....1....", "...426..."}},
        {"already resting on the stack", {"....1....", "....2...."}, MakeBlock({4, 5}, false), 4, 13, 0,
         {"....4....", "....5....", "....1....", "....2...."}},
    };
    for (const THardDropCase& c : cases)
    {
        SCOPED_TRACE(c.Name);
        TEngineRig rig(TEngineRig::ModeSettings(3, 7, 9, 17, 3));
        rig.Play(c.Block, c.X, c.Y);
        rig.Engine.Board = GridFromBottom(17, c.Before);
        rig.Engine.Score = 500;
        rig.View.Clear();
        const uint32_t clockBefore = rig.Clock.Now;

        rig.Engine.FormKeyDown(DropKey);

        EXPECT_EQ(rig.Engine.Score, 500 + c.Points);
        EXPECT_EQ(rig.View.Only(TViewCall::ShowScore), (std::vector<TViewEvent>{{TViewCall::ShowScore, 500 + c.Points}}));
        EXPECT_EQ(rig.Engine.Board, GridFromBottom(17, c.After)) << GridText(rig.Engine.Board);
        EXPECT_EQ(rig.Engine.GameState, gsNextBlock);
        EXPECT_EQ(rig.View.Effects(), std::vector<TEffect>{TEffect::Drop});
        EXPECT_GE(rig.Clock.Now - clockBefore, 10u * (c.Points + 1)) << "10 ms per row";
    }
}

TEST(ControlsTest, HeldDropFallsEveryTickUntilAKeyIsReleased)
{
    TSettings settings = TEngineRig::ModeSettings(3, 7, 9, 17, 3);
    settings.FastDropping = false;
    TEngineRig rig(settings);
    rig.Play(MakeBlock({1, 2, 3}, true), 4, 10);
    rig.Engine.TickCounter = 0;

    rig.Engine.FormKeyDown(DropKey);
    EXPECT_TRUE(rig.Engine.DropKeyHeld);
    EXPECT_EQ(rig.Engine.BlockY, 10) << "the key itself does not move the piece";
    EXPECT_EQ(rig.Engine.Score, 0);

    rig.Engine.TimerTick();
    EXPECT_EQ(rig.Engine.BlockY, 11);
    EXPECT_EQ(rig.Engine.Score, 1);
    EXPECT_EQ(rig.View.ShownScore, 1);
    rig.Engine.TimerTick();
    EXPECT_EQ(rig.Engine.BlockY, 12);
    EXPECT_EQ(rig.Engine.Score, 2);

    // Another key pressed and released ends the fast fall although the drop key is still down.
    rig.Engine.FormKeyDown(LeftKey);
    rig.Engine.FormKeyUp(LeftKey);
    EXPECT_FALSE(rig.Engine.DropKeyHeld);
    EXPECT_EQ(rig.Engine.BlockX, 3);
    for (int tick = 0; tick < 5; ++tick)
        rig.Engine.TimerTick();
    EXPECT_EQ(rig.Engine.BlockY, 12);
    EXPECT_EQ(rig.Engine.Score, 2);

    // Held again down to the floor: the landing tick counts too.
    rig.Engine.FormKeyDown(DropKey);
    for (int tick = 0; tick < 5; ++tick)
        rig.Engine.TimerTick();
    EXPECT_EQ(rig.Engine.GameState, gsNextBlock);
    EXPECT_EQ(rig.Engine.Score, 7);
    EXPECT_EQ(rig.Engine.Board, GridFromBottom(17, {"...123..."}));
    EXPECT_TRUE(rig.Engine.DropKeyHeld) << "the held key survives the landing";

    // And hurries the next piece from its first tick.
    rig.Engine.TimerTick();
    ASSERT_EQ(rig.Engine.GameState, gsPlaying);
    const int32_t entryY = rig.Engine.BlockY;
    rig.Engine.TimerTick();
    EXPECT_EQ(rig.Engine.BlockY, entryY + 1);
    EXPECT_EQ(rig.Engine.Score, 8);

    rig.Engine.NewGame();
    EXPECT_FALSE(rig.Engine.DropKeyHeld) << "a new game clears it";
}

TEST(ControlsTest, ReleasingAnyKeyInAnyStateEndsTheHeldDrop)
{
    TSettings settings;
    settings.FastDropping = false;
    for (TGameState state : {gsPlaying, gsPaused, gsNextBlock, gsStopped})
    {
        TEngineRig rig(settings);
        rig.Play(MakeBlock({1, 2}, true), 3, 3);
        rig.Engine.FormKeyDown(DropKey);
        ASSERT_TRUE(rig.Engine.DropKeyHeld);
        rig.Engine.GameState = state;
        rig.Engine.FormKeyUp(65);
        EXPECT_FALSE(rig.Engine.DropKeyHeld) << "state " << int(state);
    }
}

struct TColorCase
{
    std::string Name;
    uint8_t GameMode;
    TBlock Block;
    std::vector<int> Expected;
    std::vector<TViewEvent> Redraws;
    std::vector<TEffect> Effects;
};

TEST(ControlsTest, RotateColoursCyclesTowardsCellZero)
{
    const auto redraw = [](int c, int r, int w, int h) { return TViewEvent{TViewCall::RedrawPieceArea, c, r, w, h}; };
    const TColorCase cases[] = {
        {"lying three", 3, MakeBlock({1, 2, 3}, true), {2, 3, 1}, {redraw(2, 4, 3, 1)}, {TEffect::Rotate}},
        {"standing two", 3, MakeBlock({4, 5}, false), {5, 4}, {redraw(2, 4, 1, 2)}, {TEffect::Rotate}},
        {"lying three, no turning in this mode", 1, MakeBlock({1, 1, 2}, true), {1, 2, 1}, {redraw(2, 4, 3, 1)},
         {TEffect::Rotate}},
        {"nine-cell row", 3, MakeBlock({1, 2, 3, 4, 5, 6, 7, 1, 2}, true), {2, 3, 4, 5, 6, 7, 1, 2, 1},
         {redraw(2, 4, 9, 1)}, {TEffect::Rotate}},
        {"one cell", 3, MakeBlock({6}, true), {6}, {}, {}},
    };
    for (const TColorCase& c : cases)
    {
        SCOPED_TRACE(c.Name);
        TEngineRig rig(TEngineRig::ModeSettings(3, 7, 9, 17, c.GameMode));
        rig.Play(c.Block, 2, 4);
        rig.View.Clear();
        rig.Engine.FormKeyDown(RColorKey);
        EXPECT_EQ(ColorsOf(rig.Engine.CurrentBlock), c.Expected);
        EXPECT_EQ(rig.Engine.CurrentBlock.Horizontal, c.Block.Horizontal);
        EXPECT_EQ(rig.View.Only(TViewCall::RedrawPieceArea), c.Redraws);
        EXPECT_EQ(rig.View.Effects(), c.Effects);
        if (!c.Effects.empty())
        {
            EXPECT_LT(rig.View.IndexOf(TViewCall::PlayEffect), rig.View.IndexOf(TViewCall::RedrawPieceArea));
        }
    }
}

struct TTurnCase
{
    std::string Name;
    int32_t ColNumber;
    uint8_t GameMode;
    std::vector<std::string> Bottom;
    TBlock Block;
    int32_t X;
    int32_t Y;
    bool Turned;
    int32_t ExpectedX;
};

TEST(ControlsTest, TurningThePiece)
{
    const TBlock column2 = MakeBlock({1, 2}, false);
    const TBlock column3 = MakeBlock({1, 2, 3}, false);
    const TBlock column4 = MakeBlock({1, 2, 3, 4}, false);
    const TBlock row2 = MakeBlock({1, 2}, true);
    const TBlock row3 = MakeBlock({1, 2, 3}, true);
    const TBlock row4 = MakeBlock({1, 2, 3, 4}, true);
    const TTurnCase cases[] = {
        {"standing two lies down", 9, 3, {}, column2, 3, 5, true, 3},
        {"lying two stands up", 9, 3, {}, row2, 3, 5, true, 3},
        {"lying four stands up", 9, 3, {}, row4, 5, 5, true, 5},
        {"standing four at the right wall kicks to column 5", 9, 3, {}, column4, 8, 5, true, 5},
        {"standing four kicked near the floor", 9, 3, {}, column4, 8, 13, true, 5},
        {"standing three at column 7 kicks to column 6", 9, 3, {}, column3, 7, 5, true, 6},
        {"standing two at the right wall kicks to column 7", 9, 3, {}, column2, 8, 5, true, 7},
        {"standing four in a 7-column well kicks to column 3", 7, 3, {}, column4, 6, 5, true, 3},
        {"kick blocked by a settled cell", 9, 3, Column(6, 5), column4, 8, 5, false, 8},
        {"lying three in the bottom row", 9, 3, {}, row3, 3, 16, false, 3},
        {"lying three one row above the bottom", 9, 3, {}, row3, 3, 15, false, 3},
        {"lying three two rows above the bottom", 9, 3, {}, row3, 3, 14, true, 3},
        {"lying four two rows above the bottom", 9, 3, {}, row4, 3, 14, false, 3},
        {"settled cell right of the third cell", 9, 3, Column(4, 12), column3, 3, 10, false, 3},
        {"settled cell right of the second cell only after moving", 9, 3, Column(4, 13), column3, 3, 10, true, 3},
        {"settled cell below a lying piece", 9, 3, Column(4, 11), row3, 3, 10, false, 3},
        {"standing three still above the well", 9, 3, {}, column3, 4, -2, true, 4},
        {"above the well beside a full column", 9, 3, Column(5, 0), column3, 4, -2, false, 4},
        {"above the well beside a column full to row 1", 9, 3, Column(5, 1), column3, 4, -2, true, 4},
        {"lying pieces never turn", 9, 1, {}, row3, 3, 5, false, 3},
        {"standing pieces never turn", 9, 2, {}, column3, 3, 5, false, 3},
        {"one cell never turns", 9, 3, {}, MakeBlock({1}, false), 3, 5, false, 3},
        {"five cells never turn", 9, 3, {}, MakeBlock({1, 2, 3, 4, 5}, false), 3, 5, false, 3},
        {"nine-cell row never turns", 9, 3, {}, MakeBlock({1, 2, 3, 4, 5, 6, 7, 1, 2}, true), 0, 5, false, 0},
    };
    for (const TTurnCase& c : cases)
    {
        SCOPED_TRACE(c.Name);
        TEngineRig rig(TEngineRig::ModeSettings(c.Block.Count, 7, c.ColNumber, 17, c.GameMode));
        rig.Play(c.Block, c.X, c.Y);
        rig.Engine.Board = GridFromBottom(17, c.Bottom);
        rig.View.Clear();
        rig.Engine.FormKeyDown(RBlockKey);
        EXPECT_EQ(rig.Engine.CurrentBlock.Horizontal, c.Turned ? !c.Block.Horizontal : c.Block.Horizontal);
        EXPECT_EQ(rig.Engine.BlockX, c.ExpectedX);
        EXPECT_EQ(rig.Engine.BlockY, c.Y);
        EXPECT_EQ(ColorsOf(rig.Engine.CurrentBlock), ColorsOf(c.Block)) << "colours keep their order";
        EXPECT_EQ(rig.View.Effects(), c.Turned ? std::vector<TEffect>{TEffect::Move} : std::vector<TEffect>{});
        if (!c.Turned)
        {
            EXPECT_TRUE(rig.View.Events.empty()) << rig.View.Dump();
        }
    }
}

TEST(ControlsTest, TurnRedrawsOldAndNewCells)
{
    const auto redraw = [](int c, int r, int w, int h) { return TViewEvent{TViewCall::RedrawPieceArea, c, r, w, h}; };
    {
        TEngineRig rig;
        rig.Play(MakeBlock({1, 2, 3, 4}, false), 8, 5);
        rig.View.Clear();
        rig.Engine.FormKeyDown(RBlockKey);
        const std::vector<TViewEvent> expected = {redraw(8, 5, 1, 4), {TViewCall::PlayEffect, int(TEffect::Move)},
                                                  redraw(5, 5, 1, 4), redraw(5, 5, 4, 1)};
        EXPECT_EQ(rig.View.Events, expected) << rig.View.Dump();
    }
    {
        TEngineRig rig;
        rig.Play(MakeBlock({1, 2, 3}, true), 2, 6);
        rig.View.Clear();
        rig.Engine.FormKeyDown(RBlockKey);
        const std::vector<TViewEvent> expected = {{TViewCall::PlayEffect, int(TEffect::Move)}, redraw(2, 6, 1, 3),
                                                  redraw(2, 6, 3, 1)};
        EXPECT_EQ(rig.View.Events, expected) << rig.View.Dump();
    }
}

TEST(ControlsTest, PieceTurnedAboveTheWellFallsIntoView)
{
    TEngineRig rig;
    rig.Play(MakeBlock({1, 2, 3}, false), 4, -2);
    rig.Engine.TickCounter = 0;
    rig.Engine.FormKeyDown(RBlockKey);
    ASSERT_TRUE(rig.Engine.CurrentBlock.Horizontal);
    for (int tick = 0; tick < 2 * 14; ++tick)
        rig.Engine.TimerTick();
    EXPECT_EQ(rig.Engine.GameState, gsPlaying);
    EXPECT_EQ(rig.Engine.BlockY, 0);
    EXPECT_EQ(rig.Engine.BlockX, 4);
    EXPECT_EQ(rig.Engine.Board, TGrid{});
}

TEST(ControlsTest, FirstMatchingBindingActs)
{
    TSettings settings;
    settings.RColorKey = LeftKey;
    TEngineRig rig(settings);
    rig.Play(MakeBlock({1, 2, 3}, true), 4, 4);
    rig.Engine.FormKeyDown(LeftKey);
    EXPECT_EQ(rig.Engine.BlockX, 3);
    EXPECT_EQ(ColorsOf(rig.Engine.CurrentBlock), (std::vector<int>{1, 2, 3}));

    rig.Engine.FormKeyDown(65); // bound to nothing
    EXPECT_EQ(rig.Engine.BlockX, 3);
    EXPECT_EQ(rig.Engine.BlockY, 4);
}

TEST(ControlsTest, KeysDoNothingUnlessAPieceFalls)
{
    for (TGameState state : {gsStopped, gsPaused, gsNextBlock})
        for (uint16_t key : {LeftKey, RightKey, DropKey, RColorKey, RBlockKey})
        {
            TSettings settings;
            settings.FastDropping = key == DropKey && state == gsPaused;
            TEngineRig rig(settings);
            rig.Play(MakeBlock({1, 2, 3}, false), 4, 4);
            rig.Engine.GameState = state;
            const int32_t score = rig.Engine.Score;
            rig.View.Clear();
            rig.Engine.FormKeyDown(key);
            SCOPED_TRACE(testing::Message() << "state " << int(state) << " key " << key);
            EXPECT_EQ(rig.Engine.GameState, state);
            EXPECT_EQ(rig.Engine.BlockX, 4);
            EXPECT_EQ(rig.Engine.BlockY, 4);
            EXPECT_FALSE(rig.Engine.CurrentBlock.Horizontal);
            EXPECT_EQ(ColorsOf(rig.Engine.CurrentBlock), (std::vector<int>{1, 2, 3}));
            EXPECT_EQ(rig.Engine.Score, score);
            EXPECT_FALSE(rig.Engine.DropKeyHeld);
            EXPECT_TRUE(rig.View.Events.empty()) << rig.View.Dump();
        }
}

TEST(ControlsTest, KeysBeforeTheFirstGameDoNothing)
{
    TEngineRig rig;
    const TBlock next = rig.Engine.NextBlock;
    for (uint16_t key : {LeftKey, RightKey, DropKey, RColorKey, RBlockKey})
        rig.Engine.FormKeyDown(key);
    EXPECT_EQ(rig.Engine.GameState, gsStopped);
    EXPECT_EQ(rig.Engine.Board, TGrid{});
    EXPECT_EQ(rig.Engine.Score, 0);
    EXPECT_EQ(rig.Engine.NextBlock.Count, next.Count);
    EXPECT_EQ(rig.View.CountOf(TViewCall::RedrawPieceArea), 0);
    EXPECT_TRUE(rig.View.Effects().empty());
}

} // namespace

namespace
{
constexpr uint16_t LeftArrow = 37;
constexpr uint16_t UpArrow = 38;
constexpr uint16_t RightArrow = 39;
constexpr uint16_t DownArrow = 40;
constexpr uint16_t Space = 32;

// What one key press did to a lying 2-cell piece falling at (4, 4) in a turnable mode.
std::string Outcome(const TEngineRig& rig)
{
    const TGameEngine& game = rig.Engine;
    if (game.GameState == gsNextBlock)
        return "hard drop";
    if (game.DropKeyHeld)
        return "held drop";
    if (game.BlockX != 4)
        return game.BlockX < 4 ? "left" : "right";
    if (!game.CurrentBlock.Horizontal)
        return "turn";
    if (ColorsOf(game.CurrentBlock) != std::vector<int>{1, 2})
        return "colours";
    return "nothing";
}

struct TBindingCase
{
    std::string Name;
    TSettings Settings;
    uint16_t Key;
    std::string Expected;
};

TSettings With(uint16_t TSettings::*field, uint16_t key, bool fastDropping = true)
{
    TSettings settings;
    settings.*field = key;
    settings.FastDropping = fastDropping;
    return settings;
}
} // namespace

TEST(ControlsTest, AlternateKeysActWhileNoActionIsBoundToThem)
{
    TSettings slowDrop;
    slowDrop.FastDropping = false;
    const TBindingCase cases[] = {
        {"fresh store: left arrow", {}, LeftArrow, "left"},
        {"fresh store: right arrow", {}, RightArrow, "right"},
        {"fresh store: down arrow", {}, DownArrow, "hard drop"},
        {"fresh store: up arrow", {}, UpArrow, "colours"},
        {"fresh store: space", {}, Space, "turn"},
        {"fresh store: the bound keypad key", {}, LeftKey, "left"},
        {"fresh store: a key with no role", {}, 65, "nothing"},
        {"held down arrow with fast dropping off", slowDrop, DownArrow, "held drop"},
        {"left arrow bound to rotate colours", With(&TSettings::RColorKey, LeftArrow), LeftArrow, "colours"},
        {"keypad 4 still moves when the arrow is bound elsewhere", With(&TSettings::RColorKey, LeftArrow), LeftKey,
         "left"},
        {"space bound to drop", With(&TSettings::DropKey, Space), Space, "hard drop"},
        {"space bound to drop, fast dropping off", With(&TSettings::DropKey, Space, false), Space, "held drop"},
        {"up arrow bound to turn", With(&TSettings::RBlockKey, UpArrow), UpArrow, "turn"},
        {"down arrow bound to move right", With(&TSettings::RightKey, DownArrow), DownArrow, "right"},
        {"right arrow bound to move right", With(&TSettings::RightKey, RightArrow), RightArrow, "right"},
    };
    for (const TBindingCase& c : cases)
    {
        SCOPED_TRACE(c.Name);
        TSettings settings = c.Settings;
        settings.GameMode = 3;
        TEngineRig rig(settings);
        rig.Play(MakeBlock({1, 2}, true), 4, 4);
        rig.Engine.FormKeyDown(c.Key);
        EXPECT_EQ(Outcome(rig), c.Expected);
    }
}

TEST(ControlsTest, KeysOfAnActionNameTheBindingAndTheFreeAlternate)
{
    struct TCase
    {
        std::string Name;
        TSettings Settings;
        TPlayerAction Action;
        std::vector<uint16_t> Expected;
    };
    TSettings shared;
    shared.LeftKey = shared.RColorKey = 65;
    const TCase cases[] = {
        {"fresh store", {}, TPlayerAction::MoveLeft, {LeftKey, LeftArrow}},
        {"fresh store, turn", {}, TPlayerAction::RotateBlock, {RBlockKey, Space}},
        {"the arrow bound to its own action", With(&TSettings::LeftKey, LeftArrow), TPlayerAction::MoveLeft,
         {LeftArrow}},
        {"the arrow taken by another action", With(&TSettings::RColorKey, LeftArrow), TPlayerAction::MoveLeft,
         {LeftKey}},
        {"the action that took it", With(&TSettings::RColorKey, LeftArrow), TPlayerAction::RotateColor,
         {LeftArrow, UpArrow}},
        {"a key bound twice acts for the first action only", shared, TPlayerAction::RotateColor, {UpArrow}},
    };
    for (const TCase& c : cases)
    {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(KeysOfAction(c.Settings, c.Action), c.Expected);
    }
}
