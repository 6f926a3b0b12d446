#include "engine/GameEngine.h"
#include "tests/engine/EngineRig.h"
#include "tests/engine/HandDraws.h"
#include "tests/engine/WellText.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

TBlock HandGenerate(THandDraws& hand, uint8_t n, const TSettings& s)
{
    TBlock block;
    block.Count = n;
    for (int i = 0; i < n; ++i)
        block.Colors[i] = static_cast<uint8_t>(hand.Draw(static_cast<uint32_t>(s.NumOfColor)) + 1);
    if (s.GameMode == 1)
        block.Horizontal = true;
    else if (s.GameMode == 2)
        block.Horizontal = false;
    else if (s.GameMode == 3)
        block.Horizontal = n > 5 ? true : hand.Draw(2) == 1;
    return block;
}

// The piece generated at start-up and by a mode command.
TBlock HandFirstPiece(THandDraws& hand, const TSettings& s)
{
    const uint8_t n = s.NumOfBlock == 5 ? static_cast<uint8_t>(hand.Draw(4) + 1) : s.NumOfBlock;
    return HandGenerate(hand, n, s);
}

// The piece generated at every entry.
TBlock HandNextPiece(THandDraws& hand, const TSettings& s)
{
    if (s.NumOfBlock != 5)
        return HandGenerate(hand, s.NumOfBlock, s);
    if (hand.Draw(15) == 0)
        return HandGenerate(hand, 9, s);
    return HandGenerate(hand, static_cast<uint8_t>(hand.Draw(4) + 1), s);
}

void ExpectSamePiece(const TBlock& actual, const TBlock& expected, const std::string& where)
{
    SCOPED_TRACE(where);
    ASSERT_EQ(actual.Count, expected.Count);
    EXPECT_EQ(actual.Horizontal, expected.Horizontal);
    for (int i = 0; i < expected.Count; ++i)
        EXPECT_EQ(actual.Colors[i], expected.Colors[i]) << "cell " << i;
}

struct TModeRow
{
    uint8_t NumOfBlock;
    int32_t NumOfColor;
    int32_t ColNumber;
    int32_t RowNumber;
    uint8_t GameMode;
};

const TModeRow Modes[] = {
    {1, 7, 5, 15, 1}, {2, 7, 7, 16, 3}, {3, 7, 9, 17, 1}, {3, 7, 9, 17, 2},
    {4, 7, 9, 17, 3}, {7, 5, 7, 17, 1}, {5, 7, 9, 17, 3},
};

TEST(GeneratorTest, PiecesComeInTheDrawOrderOfEveryMode)
{
    for (int mode = 1; mode <= 7; ++mode)
        for (uint32_t seed : {0u, 1u, 2024u, 0xCAFEBABEu})
        {
            const TModeRow& m = Modes[mode - 1];
            TEngineRig rig(TEngineRig::ModeSettings(m.NumOfBlock, m.NumOfColor, m.ColNumber, m.RowNumber, m.GameMode),
                           seed);
            THandDraws hand{seed};
            const std::string where = "mode " + std::to_string(mode) + " seed " + std::to_string(seed);
            ExpectSamePiece(rig.Engine.NextBlock, HandFirstPiece(hand, rig.Settings), where + " first piece");

            const TBlock first = rig.Engine.NextBlock;
            rig.Engine.NewGame();
            ExpectSamePiece(rig.Engine.NextBlock, first, where + " a new game keeps the waiting piece");
            int nineCellRows = 0;
            for (int entry = 0; entry < 120; ++entry)
            {
                const TBlock waiting = rig.Engine.NextBlock;
                rig.Engine.Board.Clear();
                rig.Engine.GameState = gsNextBlock;
                rig.Engine.TimerTick();
                ASSERT_EQ(rig.Engine.GameState, gsPlaying) << where;
                ExpectSamePiece(rig.Engine.CurrentBlock, waiting, where + " entering piece");
                const TBlock expected = HandNextPiece(hand, rig.Settings);
                ExpectSamePiece(rig.Engine.NextBlock, expected, where + " entry " + std::to_string(entry));
                ExpectSamePiece(rig.View.Preview, expected, where + " preview");
                nineCellRows += expected.Count == 9;
            }
            if (mode == 7)
            {
                EXPECT_GT(nineCellRows, 0) << where << ": 120 entries should bring a 9-cell row";
            }
        }
}

TEST(GeneratorTest, MixedLengthsAreOneToFourOrTheLyingNineCellRow)
{
    TEngineRig rig(TSettings{}, 31337);
    rig.Engine.NewGame();
    int counts[10] = {};
    for (int entry = 0; entry < 1500; ++entry)
    {
        rig.Engine.Board.Clear();
        rig.Engine.GameState = gsNextBlock;
        rig.Engine.TimerTick();
        const TBlock& next = rig.Engine.NextBlock;
        ASSERT_TRUE((next.Count >= 1 && next.Count <= 4) || next.Count == 9) << int(next.Count);
        if (next.Count == 9)
        {
            EXPECT_TRUE(next.Horizontal);
        }
        ++counts[next.Count];
    }
    // About one in fifteen is the long row, the rest split evenly.
    EXPECT_GT(counts[9], 60);
    EXPECT_LT(counts[9], 150);
    for (int n = 1; n <= 4; ++n)
    {
        EXPECT_GT(counts[n], 260) << n;
        EXPECT_LT(counts[n], 440) << n;
    }
}

// Seed 0 makes the first draw(15) come out 0, so a first piece taken from the entry rule
// would be the 9-cell row.
TEST(GeneratorTest, FirstPieceIsNeverTheNineCellRow)
{
    {
        TEngineRig rig(TSettings{}, 0);
        EXPECT_EQ(rig.Engine.NextBlock.Count, 1) << "start-up";
    }
    {
        TEngineRig rig(TSettings{}, 5);
        rig.Engine.Random.Seed = 0;
        rig.Engine.SelectGameMode(gmPelmo2000);
        EXPECT_EQ(rig.Engine.NextBlock.Count, 1) << "mode command";
    }
    for (uint32_t seed = 0; seed < 400; ++seed)
    {
        TEngineRig rig(TSettings{}, seed);
        ASSERT_GE(rig.Engine.NextBlock.Count, 1);
        ASSERT_LE(rig.Engine.NextBlock.Count, 4) << "seed " << seed;
        rig.Engine.Random.Seed = seed * 7919u;
        rig.Engine.SelectGameMode(gmPelmo2000);
        ASSERT_LE(rig.Engine.NextBlock.Count, 4) << "seed " << seed;
    }
}

TEST(GeneratorTest, RowBlockBringsFullWidthRowsAtTheLeftWall)
{
    TEngineRig rig(TEngineRig::ModeSettings(7, 5, 7, 17, 1), 77);
    rig.Engine.NewGame();
    for (int entry = 0; entry < 20; ++entry)
    {
        rig.Engine.Board.Clear();
        rig.Engine.GameState = gsNextBlock;
        rig.Engine.TimerTick();
        const TBlock& piece = rig.Engine.CurrentBlock;
        EXPECT_EQ(piece.Count, 7);
        EXPECT_TRUE(piece.Horizontal);
        EXPECT_EQ(rig.Engine.BlockX, 0);
        EXPECT_EQ(rig.Engine.BlockY, 0);
        for (int i = 0; i < piece.Count; ++i)
        {
            EXPECT_GE(piece.Colors[i], 1);
            EXPECT_LE(piece.Colors[i], 5);
        }
    }
}

} // namespace
