#include "engine/GameEngine.h"
#include "tests/engine/EngineRig.h"
#include "tests/engine/RandomPlayer.h"
#include "tests/engine/WellInvariants.h"
#include "tests/support/TimeBound.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

struct TGameSummary
{
    bool Ended = false;
    std::string Broken;
    int Events = 0;
};

// One game from "New game" until game over or the event budget runs out, checking the well
// after every message.
TGameSummary PlayOneGame(TEngineRig& rig, uint64_t seed, int budget)
{
    TRandomPlayer player(seed);
    TGameSummary summary;
    rig.Engine.NewGame();
    const int gameOversBefore = rig.View.GameOvers;
    int32_t lastScore = 0;
    for (; summary.Events < budget; ++summary.Events)
    {
        player.Step(rig.Engine, rig.Settings);
        summary.Broken = BrokenWellRule(rig.Engine, rig.Settings);
        if (summary.Broken.empty() && rig.Engine.Score < lastScore)
            summary.Broken = "score fell from " + std::to_string(lastScore) + " to " + std::to_string(rig.Engine.Score);
        if (!summary.Broken.empty())
            return summary;
        lastScore = rig.Engine.Score;
        if (rig.View.GameOvers != gameOversBefore)
        {
            summary.Ended = true;
            if (rig.Engine.GameState != gsStopped)
                summary.Broken = "game over outside gsStopped";
            return summary;
        }
    }
    return summary;
}

struct TModeRow
{
    uint8_t NumOfBlock;
    int32_t NumOfColor;
    int32_t ColNumber;
    int32_t RowNumber;
    uint8_t GameMode;
};

TEST(RandomGamesTest, WellStaysCompactInEveryMode)
{
    const TModeRow modes[] = {
        {1, 7, 5, 15, 1}, {2, 7, 7, 16, 3}, {3, 7, 9, 17, 1}, {3, 7, 9, 17, 2},
        {4, 7, 9, 17, 3}, {7, 5, 7, 17, 1}, {5, 7, 9, 17, 3},
    };
    int games = 0;
    int ended = 0;
    for (int mode = 1; mode <= 7; ++mode)
        for (bool fastDropping : {true, false})
        {
            const TModeRow& m = modes[mode - 1];
            TSettings settings = TEngineRig::ModeSettings(m.NumOfBlock, m.NumOfColor, m.ColNumber, m.RowNumber,
                                                          m.GameMode);
            settings.FastDropping = fastDropping;
            // One engine plays game after game, as the player does.
            TEngineRig rig(settings, 1000u * mode + fastDropping);
            rig.View.Recording = false;
            for (uint64_t seed = 0; seed < uint64_t(SoakRounds(160)); ++seed)
            {
                const TGameSummary game = PlayOneGame(rig, seed * 31 + mode, 30000);
                ++games;
                ended += game.Ended;
                ASSERT_TRUE(game.Broken.empty()) << "mode " << mode << (fastDropping ? " fast" : " held") << " game "
                                                 << seed << " after " << game.Events << " events: " << game.Broken;
            }
        }
    EXPECT_EQ(games, 7 * 2 * SoakRounds(160));
    EXPECT_GT(ended, games * 9 / 10) << "most random games should reach game over";
}

// Settings that no mode command writes but that the engine still has to take.
TEST(RandomGamesTest, UnusualButAllowedSettingsPlaySafely)
{
    struct Case
    {
        std::string Name;
        TModeRow Mode;
        uint8_t StartLevel;
    };
    const Case cases[] = {
        {"one-cell well", {1, 7, 1, 1, 1}, 1},
        {"one column", {3, 7, 1, 17, 3}, 1},
        {"one row", {2, 7, 9, 1, 3}, 1},
        {"one colour", {3, 1, 9, 17, 3}, 1},
        {"one colour, one-cell pieces", {1, 1, 5, 15, 1}, 1},
        {"two colours, mixed lengths", {5, 2, 9, 17, 3}, 1},
        {"pieces wider than the well", {7, 5, 5, 15, 1}, 1},
        {"nine-cell standing rule", {9, 7, 9, 17, 2}, 1},
        {"six cells, random orientation", {6, 7, 9, 17, 3}, 1},
        {"eight cells in a short well", {8, 7, 9, 5, 3}, 1},
        {"unknown orientation rule", {3, 7, 9, 17, 0}, 1},
        {"fastest level", {5, 7, 9, 17, 3}, 12},
        {"level eleven", {2, 3, 7, 16, 3}, 11},
    };
    for (const Case& c : cases)
        for (bool fastDropping : {true, false})
        {
            SCOPED_TRACE(c.Name + (fastDropping ? ", fast drop" : ", held drop"));
            TSettings settings = TEngineRig::ModeSettings(c.Mode.NumOfBlock, c.Mode.NumOfColor, c.Mode.ColNumber,
                                                          c.Mode.RowNumber, c.Mode.GameMode);
            settings.StartLevel = c.StartLevel;
            settings.FastDropping = fastDropping;
            TEngineRig rig(settings, 7);
            rig.View.Recording = false;
            for (uint64_t seed = 0; seed < uint64_t(SoakRounds(40)); ++seed)
            {
                const TGameSummary game = PlayOneGame(rig, seed, 20000);
                ASSERT_TRUE(game.Broken.empty()) << "game " << seed << " after " << game.Events << ": " << game.Broken;
            }
        }
}

} // namespace
