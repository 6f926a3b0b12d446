#pragma once

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QTemporaryDir>

#include <functional>
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

    // The settings file the program uses (nothing is there until the program writes it).
    QString StorePath() const { return ConfigHome.filePath("Hollin/Pelmo2000.conf"); }
    void WriteStore(const QByteArray& text);

    bool Launch(const QString& program = PELMO_PROGRAM);
    // The game window maximised and painted, with the keyboard focus; false after the time bound.
    bool WaitForMainWindow();
    // True when the program ended by itself within the bound (and it must end cleanly).
    bool WaitForExit();
    bool Running() const { return Program && Program->state() != QProcess::NotRunning; }

    // xdotool key names (F2, Num_Lock, y ...) or X key codes ("83": the keypad's 4 key).
    void Key(const QString& keys) { Xdo("key --delay 40 " + keys); }
    void Click(QPoint client);
    bool NumLockOn() { return Run("xset", {"q"}).simplified().contains("Num Lock: on"); }
    // Another window of the program (a dialog) is up within the bound; it gets the keyboard focus.
    bool DialogActive(int milliseconds = 10000);
    QString ActiveTitle() { return Xdo("getactivewindow getwindowname").trimmed(); }
    // Asks the window manager to close the game window (Alt+F4); true once the program's question is up.
    bool CloseByWindowManager();

    QImage Shot(const QString& label);

    // On the screen: the client area (from the outer texture's first tile when it shows) and the
    // default cell on a screen 1280 pixels wide.
    QRect Client;
    const QSize Cell{44, 37};

private:
    bool StartServer();
    QString Run(const QString& program, const QStringList& arguments);
    QString Xdo(const QString& arguments) { return Run("xdotool", arguments.split(' ', Qt::SkipEmptyParts)); }

    QString ShotDir;
    int ShotCount = 0;
    QTemporaryDir ConfigHome;
    QProcessEnvironment Environment = QProcessEnvironment::systemEnvironment();
    std::unique_ptr<QProcess> Server;
    std::unique_ptr<QProcess> WindowManager;
    std::unique_ptr<QProcess> Program;
    QString MainWindowId;
};

// Polls until done() holds or the bound passes; true when it held.
bool WaitUntil(int milliseconds, const std::function<bool()>& done);
// data/texture<number>.bmp: 1 the outer texture, 2 the well's.
QImage Texture(int number);
// The top-left-most place where a texture's first tile shows: the client's corner for the outer
// texture, the well's for the inner one.
std::optional<QPoint> FindTile(const QImage& screen, const QImage& tile);

// The well as the player sees it: cells by colour index (0 empty, -1 not a cell of the skin).
struct TScreenWell
{
    // skin: the stem of the large cell pictures the well is drawn with ("SOLID256", "PYRAMID" ...).
    TScreenWell(const QImage& screen, QPoint origin, int columns, int rows, QSize cell, const QString& skin);
    int At(QPoint cell) const { return Cells[cell.x() * Columns + cell.y()]; }
    // Cells holding colours, as (row, column) pairs in reading order.
    std::vector<QPoint> Filled() const;

    int Columns;
    std::vector<int> Cells;
};
