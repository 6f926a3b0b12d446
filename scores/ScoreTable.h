#pragma once

#include <array>
#include <cstdint>
#include <string>

constexpr int ScoreRanks = 5;

// One row of a high-score table as the player sees it: the texts are shown as stored, the
// number is what new scores are compared with.
struct TScoreEntry
{
    std::string Name;
    std::string ScoreText;
    int32_t Score = 0;

    bool operator==(const TScoreEntry&) const = default;
};

// The five best scores of one game mode, rank 1 the best.
class TScoreTable
{
public:
    // The number a stored score text counts as: its decimal value, or 0 when it is not a 32-bit integer.
    static int32_t ScoreValue(const std::string& text);

    // The rank a new score would take, 0 when it does not enter. Among equal scores the newest
    // ranks highest; a score equal to the fifth does not enter.
    int RankFor(int32_t score) const;

    // Puts the score in at RankFor(score) and returns that rank (0: nothing changed).
    int Insert(int32_t score, const std::string& name);

    // rank is 1 to 5.
    const TScoreEntry& At(int rank) const { return Rows[rank - 1]; }
    TScoreEntry& At(int rank) { return Rows[rank - 1]; }

    bool operator==(const TScoreTable&) const = default;

private:
    std::array<TScoreEntry, ScoreRanks> Rows;
};
