#pragma once

#include <QWidget>

class QTextBrowser;
struct TSettings;

// The program's manual: linked HTML pages compiled into the program, shown in a window of its
// own beside the game. It needs no network and no help viewer of the desktop.
class THelpWindow : public QWidget
{
public:
    // settings: the game's, whose keys the pages name; they outlive the window.
    THelpWindow(QWidget* parent, const TSettings& settings);

    // Loads the page shown again, after the keys may have changed.
    void Refresh();

    // Shows the contents page and brings the window to the front.
    void ShowContents();

    QTextBrowser* Browser() const { return Pages; }

private:
    QTextBrowser* Pages = nullptr;
};
