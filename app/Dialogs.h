#pragma once

#include "settings/Preferences.h"

#include <QString>

#include <optional>

class QWidget;

// The modal message boxes of the game window, all titled "Pelmo 2000". Tests put a recorder
// in their place so that nothing waits for a click.
class TDialogs
{
public:
    virtual ~TDialogs() = default;
    virtual void Information(QWidget* parent, const QString& text);
    virtual void Error(QWidget* parent, const QString& text);
    // Yes is true.
    virtual bool Question(QWidget* parent, const QString& text);

    static constexpr const char* Title = "Pelmo 2000";

    // The Preferences dialog, filled with now; what the player chose when it closes with OK.
    virtual std::optional<TPreferences> EditPreferences(QWidget* parent, const TPreferences& now,
                                                        const TDisplayFacts& display);
};
