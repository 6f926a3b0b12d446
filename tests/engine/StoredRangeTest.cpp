#include "engine/GameEngine.h"
#include "core/SettingsFields.h"
#include "tests/engine/EngineRig.h"
#include "tests/engine/RandomPlayer.h"
#include "tests/engine/WellInvariants.h"
#include "tests/support/TimeBound.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

struct TStoredCase
{
    std::string Name;
    int32_t ColNumber;
    int32_t RowNumber;
    uint8_t NumOfBlock;
    int32_t NumOfColor;
    uint8_t GameMode;
    uint8_t StartLevel;
};

// Values a damaged or hand-edited store may hold, after the settings' own clamping at load.
TEST(StoredRangeTest, OutOfRangeStoredValuesPlaySafely)
{
    const TStoredCase cases[] = {
        {"huge well", 1000, 1000, 5, 7, 3, 1},
        {"negative well", -4, -17, 3, 7, 3, 1},
        {"empty well", 0, 0, 1, 7, 1, 1},
        {"just too big", 10, 18, 4, 8, 3, 1},
        {"no colours", 9, 17, 3, 0, 3, 1},
        {"negative colours", 9, 17, 3, -7, 2, 1},
        {"many colours", 9, 17, 2, 1000, 3, 1},
        {"pieces of no cells", 9, 17, 0, 7, 3, 1},
        {"pieces of ten cells", 9, 17, 10, 7, 3, 1},
        {"pieces of 255 cells", 9, 17, 255, 7, 1, 1},
        {"unknown orientation rule", 9, 17, 3, 7, 255, 1},
        {"level zero", 9, 17, 5, 7, 3, 0},
        {"level thirteen", 9, 17, 5, 7, 3, 13},
        {"level fifteen", 9, 17, 5, 7, 3, 15},
        {"level 255", 9, 17, 5, 7, 3, 255},
    };
    for (const TStoredCase& c : cases)
    {
        SCOPED_TRACE(c.Name);
        TSettings settings;
        settings.ColNumber = c.ColNumber;
        settings.RowNumber = c.RowNumber;
        settings.NumOfBlock = c.NumOfBlock;
        settings.NumOfColor = c.NumOfColor;
        settings.GameMode = c.GameMode;
        settings.StartLevel = c.StartLevel;
        ClampStoredSettings(settings, TDisplayFacts{});
        ASSERT_GE(settings.ColNumber, 1);
        ASSERT_LE(settings.ColNumber, MaxCols);
        ASSERT_GE(settings.RowNumber, 1);
        ASSERT_LE(settings.RowNumber, MaxRows);
        ASSERT_GE(settings.NumOfColor, 1);
        ASSERT_LE(settings.NumOfColor, 7);

        for (bool fastDropping : {true, false})
        {
            settings.FastDropping = fastDropping;
            TEngineRig rig(settings, 99);
            rig.View.Recording = false;
            ASSERT_GE(rig.Engine.NextBlock.Count, 1);
            ASSERT_LE(rig.Engine.NextBlock.Count, TBlock::MaxCells);
            for (uint64_t game = 0; game < uint64_t(SoakRounds(30)); ++game)
            {
                TRandomPlayer player(game);
                rig.Engine.NewGame();
                EXPECT_GE(rig.Engine.Level, 1);
                EXPECT_LE(rig.Engine.Level, 12);
                const int gameOvers = rig.View.GameOvers;
                for (int event = 0; event < 20000 && rig.View.GameOvers == gameOvers; ++event)
                {
                    player.Step(rig.Engine, rig.Settings);
                    const std::string broken = BrokenWellRule(rig.Engine, rig.Settings);
                    ASSERT_TRUE(broken.empty()) << "game " << game << " event " << event << ": " << broken;
                }
            }
        }
    }
}

} // namespace
