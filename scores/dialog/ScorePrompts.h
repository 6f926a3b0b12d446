#pragma once

#include <QString>

#include <optional>

// What the high-score window asks of the player around a new entry.
class IScorePrompts
{
public:
    virtual ~IScorePrompts() = default;
    // The name of a new entry, pre-filled with the last one; nothing on Cancel.
    virtual std::optional<QString> AskName(const QString& current) = 0;
    // The store refused a table (it stays on screen regardless).
    virtual void ScoresNotSaved() = 0;
};
