#pragma once

#include <QDialog>

#include <functional>

class QLabel;

// "Press a key for Move left...": the next key pressed chooses the binding when the key lists
// offer it; another key is refused with a word and the prompt waits on. Escape cancels.
class TKeyPrompt : public QDialog
{
public:
    // chosen: gets the KeyTable index of the key pressed.
    TKeyPrompt(const QString& action, std::function<void(int)> chosen, QWidget* parent);

    QLabel* Message = nullptr;

protected:
    bool event(QEvent* event) override;

private:
    void KeyPressed(const class QKeyEvent& key);

    QString Question;
    std::function<void(int)> Chosen;
};
