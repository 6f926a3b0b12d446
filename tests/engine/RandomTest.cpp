#include "engine/Random.h"
#include "tests/engine/HandDraws.h"

#include <gtest/gtest.h>

namespace
{

TEST(RandomTest, DrawsFollowTheLinearCongruentialFormula)
{
    for (uint32_t seed : {0u, 1u, 12345u, 0xFFFFFFFFu, 86399999u})
    {
        TRandom random(seed);
        THandDraws hand{seed};
        for (uint32_t n : {15u, 4u, 7u, 2u, 5u, 1u, 7u, 15u})
            EXPECT_EQ(random.Draw(n), hand.Draw(n)) << "seed " << seed << " n " << n;
        EXPECT_EQ(random.Seed, hand.Seed);
    }
}

TEST(RandomTest, KnownValues)
{
    TRandom random(0);
    EXPECT_EQ(random.Draw(15), 0u); // seed 1: 15 >> 32
    EXPECT_EQ(random.Seed, 1u);
    EXPECT_EQ(random.Draw(1u << 31), 134775814u >> 1); // seed 134775814
    EXPECT_EQ(random.Seed, 134775814u);
}

TEST(RandomTest, SeedIsMillisecondsSinceMidnight)
{
    EXPECT_EQ(TRandom::SeedFromTimeOfDay(0, 0, 0, 0), 0u);
    EXPECT_EQ(TRandom::SeedFromTimeOfDay(0, 0, 1, 5), 1005u);
    EXPECT_EQ(TRandom::SeedFromTimeOfDay(1, 2, 3, 4), 3723004u);
    EXPECT_EQ(TRandom::SeedFromTimeOfDay(23, 59, 59, 999), 86399999u);
}

} // namespace
