#include "scores/ScoreTable.h"

#include <gtest/gtest.h>

namespace
{
// The rank rule is checked through the high-score window's AddScore (FormScoreTest).
TEST(ScoreTable, StoredTextsCountAsTheirNumberOrZero)
{
    const std::pair<const char*, int32_t> texts[] = {
        {"1234", 1234}, {"-7", -7}, {"", 0}, {"lots", 0}, {"12x", 0}, {"2147483648", 0}, {"2147483647", 2147483647},
    };
    for (const auto& [text, value] : texts)
        EXPECT_EQ(TScoreTable::ScoreValue(text), value) << text;
}
} // namespace
