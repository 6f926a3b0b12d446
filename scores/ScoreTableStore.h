#pragma once

#include "scores/ScoreTable.h"

// Where the seven tables last from one run to the next; mode is 1 to 7.
class IScoreTableStore
{
public:
    virtual ~IScoreTableStore() = default;
    // Missing values read as empty texts.
    virtual TScoreTable Load(int mode) = 0;
    // False when the store refused the table.
    virtual bool Save(int mode, const TScoreTable& table) = 0;
};
