#pragma once

#include "settings/Preferences.h"

#include <QMessageBox>
#include <QString>

#include <memory>
#include <optional>

class QWidget;
class TFormScore;

// The modal message boxes of the game window, all titled "Pelmo 2000". Tests put a recorder
// in their place so that nothing waits for a click.
class TDialogs
{
public:
    virtual ~TDialogs() = default;
    // details, when given, sit behind the box's "Show Details..." button.
    virtual void Information(QWidget* parent, const QString& text, const QString& details = QString());
    virtual void Error(QWidget* parent, const QString& text, const QString& details = QString());
    // Yes is true, and the default button.
    virtual bool Question(QWidget* parent, const QString& text);

    static constexpr const char* Title = "Pelmo 2000";
    // Wide enough that a window manager shows the title whole beside its own buttons.
    static constexpr int MessageBoxWidth = 300;

    // The box the three message kinds show, built but not shown.
    static std::unique_ptr<QMessageBox> MessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                                   const QString& details, QMessageBox::StandardButtons buttons);

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
