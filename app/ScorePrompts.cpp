#include "app/ScorePrompts.h"

#include "app/Dialogs.h"

TScorePrompts::TScorePrompts(TDialogs& dialogs, QWidget& parent)
    : Dialogs(dialogs),
      Parent(parent)
{
}

std::optional<QString> TScorePrompts::AskName(const QString& current)
{
    return Dialogs.AskName(&Parent, current);
}

void TScorePrompts::ScoresNotSaved()
{
    if (Reported)
        return;
    Reported = true;
    Dialogs.Error(&Parent, QStringLiteral("Cannot save the high scores. They are kept until Pelmo 2000 closes."));
}
