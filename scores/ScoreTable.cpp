#include "scores/ScoreTable.h"

#include <charconv>

int32_t TScoreTable::ScoreValue(const std::string& text)
{
    int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end ? value : 0;
}

int TScoreTable::RankFor(int32_t score) const
{
    if (score <= At(ScoreRanks).Score)
        return 0;
    for (int rank = ScoreRanks - 1; rank >= 1; --rank)
        if (At(rank).Score > score)
            return rank + 1;
    return 1;
}

int TScoreTable::Insert(int32_t score, const std::string& name)
{
    const int rank = RankFor(score);
    if (rank == 0)
        return 0;
    for (int r = ScoreRanks; r > rank; --r)
        At(r) = At(r - 1);
    At(rank) = {name, std::to_string(score), score};
    return rank;
}
