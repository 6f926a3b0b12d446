#include "engine/GameEngine.h"
#include "tests/engine/EngineRig.h"
#include "tests/engine/WellText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

struct TFitCase
{
    std::string Name;
    int32_t ColNumber;
    int32_t RowNumber;
    std::vector<std::string> Bottom; // bottom rows of the well
    TBlock Block;
    int32_t X;
    int32_t Y;
    bool Collides;
    bool Landed;
};

TEST(BlockFitTest, WallsFloorAndSettledCells)
{
    const TBlock row3 = MakeBlock({1, 2, 3}, true);
    const TBlock column3 = MakeBlock({1, 2, 3}, false);
    const TBlock column4 = MakeBlock({1, 2, 3, 4}, false);
    const TBlock row9 = MakeBlock({1, 2, 3, 4, 5, 6, 7, 1, 2}, true);
    const std::vector<std::string> empty;
    // Column 4 filled from row 1 down, row 0 free.
    std::vector<std::string> column4FromRow1(16, "....1....");
    // Column 4 filled up to row 0.
    std::vector<std::string> column4Full(17, "....2....");

    const TFitCase cases[] = {
        {"lying row touching the right wall", 9, 17, empty, row3, 6, 5, false, false},
        {"lying row one column further right", 9, 17, empty, row3, 7, 5, true, false},
        {"lying row at the left wall", 9, 17, empty, row3, 0, 5, false, false},
        {"lying row past the left wall", 9, 17, empty, row3, -1, 5, true, false},
        {"lying row touching the right wall of a small well", 5, 15, empty, row3, 2, 3, false, false},
        {"lying row past the right wall of a small well", 5, 15, empty, row3, 3, 3, true, false},
        {"nine-cell row filling the well", 9, 17, empty, row9, 0, 0, false, false},
        {"nine-cell row moved right", 9, 17, empty, row9, 1, 0, true, false},
        {"lying row in the bottom row", 9, 17, empty, row3, 3, 16, false, false},
        {"lying row below the floor", 9, 17, empty, row3, 3, 17, false, true},
        {"lying row below the floor of a short well", 5, 15, empty, row3, 1, 15, false, true},
        {"lying row above the well", 9, 17, empty, row3, 3, -1, false, false},
        {"lying row on a settled cell", 9, 17, {"..4......"}, row3, 1, 16, true, true},
        {"lying row beside a settled cell", 9, 17, {"..4......"}, row3, 3, 16, false, false},
        {"standing piece in the rightmost column", 9, 17, empty, column3, 8, 5, false, false},
        {"standing piece past the right wall", 9, 17, empty, column3, 9, 5, true, false},
        {"standing piece past the left wall", 9, 17, empty, column3, -1, 5, true, false},
        {"standing piece reaching the floor", 9, 17, empty, column3, 4, 14, false, false},
        {"standing piece reaching below the floor", 9, 17, empty, column3, 4, 15, false, true},
        {"standing four reaching below a short floor", 7, 16, empty, column4, 2, 13, false, true},
        {"entering piece above a free row 0", 9, 17, column4FromRow1, column3, 4, -2, false, false},
        {"entering piece on an occupied row 0", 9, 17, column4Full, column3, 4, -2, true, true},
        {"standing piece with its bottom on the stack", 9, 17, {"....5....", "....6...."}, column3, 4, 13, true, true},
        {"standing piece just above the stack", 9, 17, {"....5....", "....6...."}, column3, 4, 12, false, false},
        // Only the bottom cell is looked at by the landing test.
        {"standing piece with only a middle cell on a settled cell", 9, 17, {"....5....", "........."}, column3, 4, 14,
         true, false},
    };
    for (const TFitCase& c : cases)
    {
        TSettings settings = TEngineRig::ModeSettings(3, 7, c.ColNumber, c.RowNumber, 3);
        TEngineRig rig(settings);
        rig.Play(c.Block, c.X, c.Y);
        rig.Engine.Board = GridFromBottom(c.RowNumber, c.Bottom);
        const TGrid before = rig.Engine.Board;
        EXPECT_EQ(rig.Engine.BlockCollides(), c.Collides) << c.Name;
        EXPECT_EQ(rig.Engine.BlockLanded(), c.Landed) << c.Name;
        EXPECT_EQ(rig.Engine.Board, before) << c.Name << ": the tests change nothing";
        EXPECT_EQ(rig.Engine.BlockX, c.X) << c.Name;
        EXPECT_EQ(rig.Engine.BlockY, c.Y) << c.Name;
    }
}

} // namespace
