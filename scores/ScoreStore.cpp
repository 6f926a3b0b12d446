#include "scores/ScoreStore.h"

#include "settings/SettingsStore.h"

TScoreStore::TScoreStore(TSettingsStore& store)
    : Store(store)
{
}

std::string TScoreStore::NameKey(int mode, int rank)
{
    return "CName" + std::to_string(mode) + std::to_string(rank);
}

std::string TScoreStore::ScoreKey(int mode, int rank)
{
    return "CScore" + std::to_string(mode) + std::to_string(rank);
}

TScoreTable TScoreStore::Load(int mode)
{
    if (Unsaved[mode - 1])
        return *Unsaved[mode - 1];
    TScoreTable table;
    if (!Store.Open())
        return table;
    for (int rank = 1; rank <= ScoreRanks; ++rank)
    {
        TScoreEntry& entry = table.At(rank);
        // A value of another type than text shows as empty, like a missing one.
        if (!Store.ReadString(NameKey(mode, rank), entry.Name))
            entry.Name.clear();
        if (!Store.ReadString(ScoreKey(mode, rank), entry.ScoreText))
            entry.ScoreText.clear();
        entry.Score = TScoreTable::ScoreValue(entry.ScoreText);
    }
    Store.Close();
    return table;
}

bool TScoreStore::Save(int mode, const TScoreTable& table)
{
    bool written = Store.Open();
    for (int rank = 1; written && rank <= ScoreRanks; ++rank)
        written = Store.WriteString(NameKey(mode, rank), table.At(rank).Name) &&
                  Store.WriteString(ScoreKey(mode, rank), table.At(rank).ScoreText);
    written = Store.Close() && written;
    if (written)
        Unsaved[mode - 1].reset();
    else
        Unsaved[mode - 1] = table;
    return written;
}
