#include "engine/Block.h"
#include "engine/Random.h"
#include "tests/engine/HandDraws.h"
#include "tests/engine/WellText.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

std::vector<int> ColorsOf(const TBlock& block, int count)
{
    return std::vector<int>(block.Colors, block.Colors + count);
}

TEST(BlockTest, NewPieceHasThreeStandingCellsWithoutColour)
{
    const TBlock block;
    EXPECT_EQ(block.Count, 3);
    EXPECT_FALSE(block.IsHorizontal());
    EXPECT_EQ(ColorsOf(block, TBlock::MaxCells), std::vector<int>(9, 0));
}

TEST(BlockTest, AssignFromOneCellPieceKeepsTheLaterColours)
{
    TBlock target = MakeBlock({4, 5, 6}, false);
    const TBlock source = MakeBlock({2}, true);
    target.Assign(source);
    EXPECT_EQ(target.Count, 1);
    EXPECT_TRUE(target.IsHorizontal());
    EXPECT_EQ(ColorsOf(target, 3), (std::vector<int>{2, 5, 6}));
}

TEST(BlockTest, AssignCopiesCountColoursAndOrientation)
{
    TBlock target = MakeBlock({1}, true);
    const TBlock source = MakeBlock({7, 6, 5, 4, 3, 2, 1, 7, 6}, false);
    target.Assign(source);
    EXPECT_EQ(target.Count, 9);
    EXPECT_FALSE(target.IsHorizontal());
    EXPECT_EQ(ColorsOf(target, 9), (std::vector<int>{7, 6, 5, 4, 3, 2, 1, 7, 6}));
}

TEST(BlockTest, RotateColorMovesEveryColourTowardsCellZero)
{
    struct Case
    {
        TBlock Block;
        std::vector<int> Expected;
    };
    const Case cases[] = {
        {MakeBlock({1, 2, 3}, true), {2, 3, 1}},
        {MakeBlock({4, 5}, false), {5, 4}},
        {MakeBlock({1, 2, 3, 4}, false), {2, 3, 4, 1}},
        {MakeBlock({1, 1, 2, 3, 4, 5, 1}, true), {1, 2, 3, 4, 5, 1, 1}},
        {MakeBlock({1, 2, 3, 4, 5, 6, 7, 1, 2}, true), {2, 3, 4, 5, 6, 7, 1, 2, 1}},
    };
    for (const Case& c : cases)
    {
        TBlock block = c.Block;
        block.RotateColor();
        EXPECT_EQ(ColorsOf(block, block.Count), c.Expected);
        EXPECT_EQ(block.Horizontal, c.Block.Horizontal);
    }
}

TEST(BlockTest, RotateBlockTogglesOrientationOnly)
{
    TBlock block = MakeBlock({1, 2, 3}, false);
    block.RotateBlock();
    EXPECT_TRUE(block.IsHorizontal());
    block.RotateBlock();
    EXPECT_FALSE(block.IsHorizontal());
    EXPECT_EQ(ColorsOf(block, 3), (std::vector<int>{1, 2, 3}));
}

TEST(BlockTest, GenerateDrawsColoursCellByCellThenOrientation)
{
    struct Case
    {
        uint8_t N;
        int32_t NumOfColor;
        uint8_t GameMode;
    };
    const Case cases[] = {
        {1, 7, 1}, {3, 7, 1}, {3, 7, 2}, {4, 7, 2}, {1, 7, 3}, {2, 7, 3}, {4, 7, 3}, {7, 5, 1}, {7, 5, 3}, {9, 7, 3},
        {3, 1, 3}, {6, 7, 3},
    };
    for (uint32_t seed : {3u, 777u, 4000000000u})
        for (const Case& c : cases)
        {
            TRandom random(seed);
            THandDraws hand{seed};
            TBlock block;
            block.Generate(c.N, random, c.NumOfColor, c.GameMode);

            std::vector<int> colors;
            for (int i = 0; i < c.N; ++i)
                colors.push_back(static_cast<int>(hand.Draw(c.NumOfColor)) + 1);
            bool horizontal = c.GameMode == 1;
            if (c.GameMode == 3)
                horizontal = c.N > 5 ? true : hand.Draw(2) == 1;

            SCOPED_TRACE(testing::Message() << "seed " << seed << " n " << int(c.N) << " mode " << int(c.GameMode));
            EXPECT_EQ(block.Count, c.N);
            EXPECT_EQ(ColorsOf(block, c.N), colors);
            EXPECT_EQ(block.Horizontal, horizontal);
            EXPECT_EQ(random.Seed, hand.Seed) << "wrong number of draws";
        }
}

TEST(BlockTest, GenerateWithUnknownOrientationRuleKeepsOrientation)
{
    for (bool before : {false, true})
    {
        TRandom random(99);
        THandDraws hand{99};
        TBlock block;
        block.Horizontal = before;
        block.Generate(2, random, 7, 0);
        hand.Draw(7);
        hand.Draw(7);
        EXPECT_EQ(block.Horizontal, before);
        EXPECT_EQ(random.Seed, hand.Seed);
    }
}

} // namespace
