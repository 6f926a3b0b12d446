#pragma once

#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QTemporaryDir>

#include <array>
#include <memory>
#include <optional>
#include <vector>

// Plays the real program the way a player does: its own X server (Xvfb on a free display) with a
// small window manager, real key presses and mouse clicks through xdotool, and the screen read
// back pixel by pixel. Everything it starts it ends, by process id. Screenshots go to a folder
// under the build tree and stay there when the test fails.
class TGameDriver
{
public:
    explicit TGameDriver(const QString& testName);
    ~TGameDriver();

    // The settings file the program will use (nothing is there until the program writes it).
    QString StorePath() const;
    void WriteStore(const QString& text);

    // Starts the program and waits for its window; false after the time bound.
    bool Launch(const QString& program = {});
    bool WaitForMainWindow();
    // Waits up to the bound for the program to end by itself; true when it did (and it must end cleanly).
    bool WaitForExit(int milliseconds = 5000);
    bool Running() const;

    // xdotool key names (KP_Home, F2, n ...) or X key codes ("83": the keypad's 4 key).
    void Key(const QString& keys);
    void Click(QPoint client);
    bool NumLockOn();
    // Another window of the program is up (a dialog) within the bound; it gets the keyboard focus.
    bool DialogActive(int milliseconds = 10000);
    QString ActiveTitle();
    // Asks the window manager to close the game window (Alt+F4); true once the program's dialog is up.
    bool CloseByWindowManager();

    QImage Shot(const QString& label);
    static void Pause(int milliseconds);

    // The client area's top left on the screen, found by the outer texture's first tile.
    QPoint ClientOrigin() const { return Client.topLeft(); }
    QRect ClientRect() const { return Client; }
    // The top-left-most place where a texture's first tile shows: the client's corner for the outer
    // texture, the well's for the inner one.
    static std::optional<QPoint> FindTile(const QImage& screen, const QImage& tile);

    static const QImage& OuterTexture();
    static const QImage& InnerTexture();

    // The default cell on a screen 1280 pixels wide.
    int CellWidth = 44;
    int CellHeight = 37;

private:
    bool StartServer();
    QString Run(const QString& program, const QStringList& arguments, int milliseconds = 5000);
    QProcessEnvironment Environment() const;

    QString ShotDir;
    int ShotCount = 0;
    QTemporaryDir ConfigHome;
    QString Display;
    std::unique_ptr<QProcess> Server;
    std::unique_ptr<QProcess> WindowManager;
    std::unique_ptr<QProcess> Program;
    QString MainWindowId;
    QRect Client;
};

// The well as the player sees it: cells by colour index (0 empty, -1 not a cell of the skin).
class TScreenWell
{
public:
    // skin: the stem of the large cell pictures the well is drawn with ("SOLID256", "PYRAMID" ...).
    TScreenWell(const QImage& screen, QPoint origin, int columns, int rows, int cellWidth, int cellHeight,
                const QString& skin = QStringLiteral("SOLID256"));
    int At(int row, int column) const { return Cells[row * Columns + column]; }
    // Cells holding colours, as (row, column) pairs in reading order.
    std::vector<QPoint> Filled() const;
    int Columns;
    int Rows;

private:
    std::vector<int> Cells;
};
