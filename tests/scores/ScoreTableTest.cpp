#include "scores/ScoreTable.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
TScoreTable TableOf(const std::vector<int32_t>& scores)
{
    TScoreTable table;
    for (int r = 1; r <= static_cast<int>(scores.size()); ++r)
        table.At(r) = {std::string(1, char('A' + r - 1)), std::to_string(scores[r - 1]), scores[r - 1]};
    return table;
}

std::string Names(const TScoreTable& table)
{
    std::string names;
    for (int r = 1; r <= ScoreRanks; ++r)
        names += table.At(r).Name.empty() ? "-" : table.At(r).Name;
    return names;
}

TEST(ScoreTable, NewScoresTakeTheirRankWithTheNewestFirstAmongEquals)
{
    struct Case
    {
        const char* Name;
        std::vector<int32_t> Before;
        int32_t Score;
        int Rank;
        const char* NamesAfter;
    };
    const Case cases[] = {
        {"empty table", {}, 10, 1, "N----"},
        {"nothing scored", {}, 0, 0, "-----"},
        {"equal to the fifth", {500, 400, 300, 200, 100}, 100, 0, "ABCDE"},
        {"above the fifth", {500, 400, 300, 200, 100}, 101, 5, "ABCDN"},
        {"equal to the third", {500, 400, 300, 200, 100}, 300, 3, "ABNCD"},
        {"equal to the first", {500, 400, 300, 200, 100}, 500, 1, "NABCD"},
        {"first place", {500, 400, 300, 200, 100}, 600, 1, "NABCD"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.Name);
        TScoreTable table = TableOf(c.Before);
        EXPECT_EQ(table.Insert(c.Score, "N"), c.Rank);
        EXPECT_EQ(Names(table), c.NamesAfter);
        if (c.Rank != 0)
            EXPECT_EQ(table.At(c.Rank), (TScoreEntry{"N", std::to_string(c.Score), c.Score}));
    }
}

TEST(ScoreTable, StoredTextsCountAsTheirNumberOrZero)
{
    const std::pair<const char*, int32_t> texts[] = {
        {"1234", 1234}, {"-7", -7}, {"", 0}, {"lots", 0}, {"12x", 0}, {"2147483648", 0}, {"2147483647", 2147483647},
    };
    for (const auto& [text, value] : texts)
        EXPECT_EQ(TScoreTable::ScoreValue(text), value) << text;
}
} // namespace
