#pragma once

#include "settings/Preferences.h"

#include <QString>

#include <optional>

class QWidget;
class TFormScore;

// The modal message boxes of the game window, all titled "Pelmo 2000". Tests put a recorder
// in their place so that nothing waits for a click.
class TDialogs
{
public:
    virtual ~TDialogs() = default;
    virtual void Information(QWidget* parent, const QString& text);
    virtual void Error(QWidget* parent, const QString& text);
    // Yes is true, and the default button.
    virtual bool Question(QWidget* parent, const QString& text);

    static constexpr const char* Title = "Pelmo 2000";

    // The name prompt of a new high score, pre-filled with the last name; nothing on Cancel.
    virtual std::optional<QString> AskName(QWidget* parent, const QString& current);
    // The high-score window, modal, as it stands.
    virtual void ShowScores(TFormScore& scores);
    // The About box, created for the occasion and destroyed when it closes.
    virtual void ShowAbout(QWidget* parent);
    // The Preferences dialog, filled with now; what the player chose when it closes with OK.
    virtual std::optional<TPreferences> EditPreferences(QWidget* parent, const TPreferences& now,
                                                        const TDisplayFacts& display);
};
