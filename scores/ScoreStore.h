#pragma once

#include "scores/ScoreTableStore.h"

#include <optional>
#include <string>

class TSettingsStore;

// Reads and writes the seven tables in the settings store, as the string values "CName" and
// "CScore" followed by the mode and the rank ("CName75", "CScore75"). A table that could not be
// written is kept here for the rest of the run and offered again at its next save, so that a
// store that refuses writes never takes a score off the screen.
class TScoreStore : public IScoreTableStore
{
public:
    explicit TScoreStore(TSettingsStore& store);

    static std::string NameKey(int mode, int rank);
    static std::string ScoreKey(int mode, int rank);

    // mode is 1 to 7. Missing values read as empty texts.
    TScoreTable Load(int mode) override;
    // False when the store refused the table; it is then kept unsaved.
    bool Save(int mode, const TScoreTable& table) override;

private:
    TSettingsStore& Store;
    std::optional<TScoreTable> Unsaved[7];
};
