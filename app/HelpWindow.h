#pragma once

#include <QWidget>

class QTextBrowser;

// The program's manual: linked HTML pages compiled into the program, shown in a window of its
// own beside the game. It needs no network and no help viewer of the desktop.
class THelpWindow : public QWidget
{
public:
    explicit THelpWindow(QWidget* parent);

    // Shows the contents page and brings the window to the front.
    void ShowContents();

    QTextBrowser* Browser() const { return Pages; }

private:
    QTextBrowser* Pages = nullptr;
};
