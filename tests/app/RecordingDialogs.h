#pragma once

#include "app/Dialogs.h"

#include <QStringList>

// Answers every message box at once and remembers what it was asked.
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

    QStringList Shown;
    bool Answer = true;
};
