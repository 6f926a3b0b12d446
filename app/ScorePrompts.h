#pragma once

#include "scores/dialog/ScorePrompts.h"

class QWidget;
class TDialogs;

// The high-score window's questions as the game window's dialogs; a store that refuses the
// tables is reported once a run.
class TScorePrompts : public IScorePrompts
{
public:
    TScorePrompts(TDialogs& dialogs, QWidget& parent);

    std::optional<QString> AskName(const QString& current) override;
    void ScoresNotSaved() override;

private:
    TDialogs& Dialogs;
    QWidget& Parent;
    bool Reported = false;
};
