#pragma once

#include "app/Dialogs.h"
#include "scores/dialog/FormScore.h"

#include <QLabel>
#include <QStringList>

// Answers every dialog at once and remembers what it was asked.
class TRecordingDialogs : public TDialogs
{
public:
    void Information(QWidget*, const QString& text) override { Shown << "information: " + text; }
    void Error(QWidget*, const QString& text) override { Shown << "error: " + text; }
    bool Question(QWidget*, const QString& text) override
    {
        Shown << "question: " + text;
        return Answer;
    }
    std::optional<QString> AskName(QWidget*, const QString& current) override
    {
        Shown << "name: " + current;
        return NameAnswer;
    }
    // Records the mode and the rows in blue (a new entry), as "scores: 7 blue 1".
    void ShowScores(TFormScore& scores) override
    {
        QString line = "scores: " + QString::number(scores.TableMode());
        for (int r = 1; r <= ScoreRanks; ++r)
            if (scores.NameLabel(r)->palette().color(QPalette::WindowText) == QColor(Qt::blue))
                line += " blue " + QString::number(r);
        Shown << line;
    }
    void ShowAbout(QWidget*) override { Shown << "about"; }
    std::optional<TPreferences> EditPreferences(QWidget*, const TPreferences&, const TDisplayFacts&) override
    {
        Shown << "preferences";
        return std::nullopt;
    }

    QStringList Shown;
    bool Answer = true;
    std::optional<QString> NameAnswer;
};
