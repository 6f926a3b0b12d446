#include "engine/GameEngine.h"
#include "core/GameModes.h"
#include "tests/engine/EngineRig.h"
#include "tests/engine/HandDraws.h"
#include "tests/engine/WellText.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

struct TExpectedMode
{
    int Number;
    std::string Button;
    std::string Menu;
    uint8_t NumOfBlock;
    int32_t NumOfColor;
    int32_t ColNumber;
    int32_t RowNumber;
    uint8_t GameMode;
};

const TExpectedMode ExpectedModes[] = {
    {1, "Single", "&Single (no rotation)", 1, 7, 5, 15, 1},
    {2, "DuoBlock", "&DuoBlock", 2, 7, 7, 16, 3},
    {3, "TrioBlock", "&TrioBlock (no rotation)", 3, 7, 9, 17, 1},
    {4, "Column", "&Column (no rotation)", 3, 7, 9, 17, 2},
    {5, "QuartetBlock", "&QuartetBlock", 4, 7, 9, 17, 3},
    {6, "RowBlock", "&RowBlock", 7, 5, 7, 17, 1},
    {7, "Pelmo 2000", "Pelmo &2000", 5, 7, 9, 17, 3},
};

TEST(GameModesTest, PresetsOfTheSevenModes)
{
    for (const TExpectedMode& m : ExpectedModes)
    {
        const TModePreset& preset = ModePreset(m.Number);
        SCOPED_TRACE(m.Button);
        EXPECT_EQ(preset.Number, m.Number);
        EXPECT_EQ(ModePresets[m.Number - 1].Number, m.Number);
        EXPECT_EQ(std::string(preset.ButtonCaption), m.Button);
        EXPECT_EQ(std::string(preset.MenuCaption), m.Menu);
        EXPECT_EQ(preset.NumOfBlock, m.NumOfBlock);
        EXPECT_EQ(preset.NumOfColor, m.NumOfColor);
        EXPECT_EQ(preset.ColNumber, m.ColNumber);
        EXPECT_EQ(preset.RowNumber, m.RowNumber);
        EXPECT_EQ(preset.GameMode, m.GameMode);

        TSettings settings;
        settings.SoundOn = false;
        settings.LeftKey = 37;
        ApplyModePreset(settings, preset);
        EXPECT_EQ(settings.NumOfBlock, m.NumOfBlock);
        EXPECT_EQ(settings.NumOfColor, m.NumOfColor);
        EXPECT_EQ(settings.ColNumber, m.ColNumber);
        EXPECT_EQ(settings.RowNumber, m.RowNumber);
        EXPECT_EQ(settings.GameMode, m.GameMode);
        EXPECT_FALSE(settings.SoundOn) << "other settings stay";
        EXPECT_EQ(settings.LeftKey, 37) << "other settings stay";
    }
}

TEST(GameModesTest, DefaultSettingsAreThePelmo2000Preset)
{
    const TSettings defaults;
    const TModePreset& preset = ModePreset(gmPelmo2000);
    EXPECT_EQ(defaults.NumOfBlock, preset.NumOfBlock);
    EXPECT_EQ(defaults.NumOfColor, preset.NumOfColor);
    EXPECT_EQ(defaults.ColNumber, preset.ColNumber);
    EXPECT_EQ(defaults.RowNumber, preset.RowNumber);
    EXPECT_EQ(defaults.GameMode, preset.GameMode);
}

TEST(GameModesTest, ModeIsRecognisedFromTheStoredPieceRules)
{
    struct Case
    {
        uint8_t NumOfBlock;
        uint8_t GameMode;
        int Mode;
    };
    const Case cases[] = {
        {1, 1, 1}, {1, 3, 1}, {2, 3, 2}, {2, 1, 2}, {3, 1, 3}, {3, 2, 4}, {3, 3, 7}, {4, 3, 5},
        {4, 1, 5}, {7, 1, 6}, {7, 3, 6}, {5, 3, 7}, {5, 1, 7}, {0, 1, 7}, {6, 1, 7}, {9, 3, 7},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(DeriveModeNumber(c.NumOfBlock, c.GameMode), c.Mode)
            << "NumOfBlock " << int(c.NumOfBlock) << " GameMode " << int(c.GameMode);

        if (c.NumOfBlock == 0)
            continue; // no piece length: only the recognition itself
        TSettings settings;
        settings.NumOfBlock = c.NumOfBlock;
        settings.GameMode = c.GameMode;
        TEngineRig rig(settings);
        EXPECT_EQ(rig.Engine.ModeNumber, c.Mode);
        ASSERT_EQ(rig.View.CountOf(TViewCall::MarkMode), 1);
        EXPECT_EQ(rig.View.Only(TViewCall::MarkMode)[0].A, c.Mode);
        EXPECT_EQ(rig.View.CountOf(TViewCall::ModeChanged), 0) << "start-up only marks the mode";
        EXPECT_EQ(rig.Settings.NumOfBlock, c.NumOfBlock) << "start-up changes no setting";
        EXPECT_EQ(rig.Settings.GameMode, c.GameMode) << "start-up changes no setting";
    }
}

TEST(GameModesTest, StartUpStartsNoGame)
{
    TSettings settings;
    settings.StartLevel = 4;
    TEngineRig rig(settings);
    EXPECT_EQ(rig.Engine.GameState, gsStopped);
    EXPECT_EQ(rig.Engine.FallDelay, 25);
    EXPECT_EQ(rig.Engine.Level, 4);
    EXPECT_EQ(rig.Engine.Score, 0);
    EXPECT_EQ(rig.Engine.TickCounter, 0);
    EXPECT_EQ(rig.Engine.LevelCounter, 0);
    EXPECT_EQ(rig.Engine.BlockX, 0);
    EXPECT_EQ(rig.Engine.BlockY, 0);
    EXPECT_FALSE(rig.Engine.DropKeyHeld);
    EXPECT_EQ(rig.View.CountOf(TViewCall::StartGameTimer), 0);
    EXPECT_TRUE(rig.View.Effects().empty());
}

// A stored QuartetBlock with lying pieces plays as QuartetBlock with lying pieces that never turn.
TEST(GameModesTest, UnusualStoredCombinationKeepsItsOwnRules)
{
    TSettings settings = TEngineRig::ModeSettings(4, 7, 9, 17, 1);
    TEngineRig rig(settings, 4242);
    EXPECT_EQ(rig.Engine.ModeNumber, gmQuartetBlock);
    rig.Engine.NewGame();
    for (int entry = 0; entry < 30; ++entry)
    {
        rig.Engine.Board.Clear();
        rig.Engine.GameState = gsNextBlock;
        rig.Engine.TimerTick();
        ASSERT_EQ(rig.Engine.CurrentBlock.Count, 4);
        ASSERT_TRUE(rig.Engine.CurrentBlock.Horizontal);
        rig.Engine.FormKeyDown(settings.RBlockKey);
        ASSERT_TRUE(rig.Engine.CurrentBlock.Horizontal) << "no turn with lying pieces";
    }
}

TEST(GameModesTest, ModeCommandAppliesPresetAndStartsNewGame)
{
    for (const TExpectedMode& m : ExpectedModes)
    {
        SCOPED_TRACE(m.Button);
        // Start from another mode, in the middle of a game.
        const int from = m.Number == 3 ? 6 : 3;
        TSettings settings;
        ApplyModePreset(settings, ModePreset(from));
        TEngineRig rig(settings, 1000u + m.Number);
        rig.Engine.NewGame();
        rig.Engine.TimerTick();
        rig.Engine.Score = 321;
        rig.Engine.Level = 5;
        rig.Engine.Board = GridFromBottom(17, {"12.......", "21......."});
        rig.View.Clear();

        THandDraws hand{rig.Engine.Random.Seed};
        rig.Engine.SelectGameMode(m.Number);

        EXPECT_EQ(rig.Settings.NumOfBlock, m.NumOfBlock);
        EXPECT_EQ(rig.Settings.NumOfColor, m.NumOfColor);
        EXPECT_EQ(rig.Settings.ColNumber, m.ColNumber);
        EXPECT_EQ(rig.Settings.RowNumber, m.RowNumber);
        EXPECT_EQ(rig.Settings.GameMode, m.GameMode);
        EXPECT_EQ(rig.Engine.ModeNumber, m.Number);

        // The next piece by the first-piece rule, with the new settings.
        const uint8_t n = m.NumOfBlock == 5 ? static_cast<uint8_t>(hand.Draw(4) + 1) : m.NumOfBlock;
        EXPECT_EQ(rig.Engine.NextBlock.Count, n);
        for (int i = 0; i < n; ++i)
            EXPECT_EQ(rig.Engine.NextBlock.Colors[i], hand.Draw(static_cast<uint32_t>(m.NumOfColor)) + 1);
        if (m.GameMode == 3)
        {
            EXPECT_EQ(rig.Engine.NextBlock.Horizontal, hand.Draw(2) == 1);
        }
        else
        {
            EXPECT_EQ(rig.Engine.NextBlock.Horizontal, m.GameMode == 1);
        }
        EXPECT_EQ(rig.Engine.Random.Seed, hand.Seed) << "no other draws";

        // Then the new game.
        ASSERT_EQ(rig.View.CountOf(TViewCall::ModeChanged), 1);
        EXPECT_EQ(rig.View.Only(TViewCall::ModeChanged)[0].A, m.Number);
        EXPECT_LT(rig.View.IndexOf(TViewCall::ModeChanged), rig.View.IndexOf(TViewCall::StartGameTimer))
            << rig.View.Dump();
        EXPECT_EQ(rig.Engine.GameState, gsNextBlock);
        EXPECT_EQ(rig.Engine.Score, 0);
        EXPECT_EQ(rig.Engine.Level, 1);
        EXPECT_EQ(rig.Engine.Board, TGrid{});
        EXPECT_EQ(rig.View.CountOf(TViewCall::ShowEmptyWell), 1);

        // The first piece of the game is that next piece.
        const TBlock next = rig.Engine.NextBlock;
        rig.Engine.TimerTick();
        EXPECT_EQ(rig.Engine.GameState, gsPlaying);
        EXPECT_EQ(rig.Engine.CurrentBlock.Count, next.Count);
        EXPECT_EQ(rig.Engine.CurrentBlock.Colors[0], next.Colors[0]);
    }
}

TEST(GameModesTest, ChoosingTheCurrentModeAgainRestarts)
{
    TEngineRig rig(TSettings{}, 99);
    rig.Engine.SelectGameMode(gmColumn);
    rig.Engine.TimerTick();
    rig.Engine.Score = 77;
    rig.Engine.Board = GridFromBottom(17, {"....1....", "....2...."});
    rig.Engine.PauseMenuClick();
    ASSERT_EQ(rig.Engine.GameState, gsPaused);
    rig.View.Clear();

    THandDraws hand{rig.Engine.Random.Seed};
    rig.Engine.SelectGameMode(gmColumn);

    EXPECT_EQ(rig.Engine.ModeNumber, gmColumn);
    EXPECT_EQ(rig.Engine.GameState, gsNextBlock);
    EXPECT_EQ(rig.Engine.Score, 0);
    EXPECT_EQ(rig.Engine.Board, TGrid{});
    EXPECT_EQ(rig.View.CountOf(TViewCall::ModeChanged), 1);
    EXPECT_EQ(rig.View.CountOf(TViewCall::StartGameTimer), 1);
    EXPECT_EQ(rig.View.Only(TViewCall::SetPauseCaptions).back().A, 0) << "captions back to Pause";
    // The next piece is drawn again: three standing cells of fresh colours.
    EXPECT_EQ(rig.Engine.NextBlock.Count, 3);
    EXPECT_FALSE(rig.Engine.NextBlock.Horizontal);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(rig.Engine.NextBlock.Colors[i], hand.Draw(7) + 1);
    EXPECT_EQ(rig.Engine.Random.Seed, hand.Seed);
}

} // namespace
