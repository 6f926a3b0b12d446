#include "GameDriver.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QThread>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <csignal>
#include <sys/prctl.h>

namespace
{
// Every picture as 0xffRRGGBB, so that pixels compare as they are.
QImage Load(const QString& path)
{
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

// How far the outer texture runs right and down from the client's corner, along its first
// pixels (no control lies there): the client's size, whatever the window frame adds.
QSize TextureExtent(const QImage& screen, QPoint corner)
{
    const QImage tile = Texture(1);
    const auto matches = [&](int x, int y) {
        return x < screen.width() && y < screen.height() &&
               screen.pixel(x, y) == tile.pixel((x - corner.x()) % tile.width(), (y - corner.y()) % tile.height());
    };
    QSize size(0, 0);
    while (matches(corner.x() + size.width(), corner.y() + 1))
        size.rwidth()++;
    while (matches(corner.x() + 1, corner.y() + size.height()))
        size.rheight()++;
    return size;
}

// Whatever ends the test (a crash, CTest's time bound), what it started ends with it.
std::unique_ptr<QProcess> ChildProcess(const QProcessEnvironment& environment)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment);
    process->setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
    return process;
}

void Stop(std::unique_ptr<QProcess>& process)
{
    if (process && process->state() != QProcess::NotRunning)
    {
        process->kill();
        process->waitForFinished(3000);
    }
    process.reset();
}
} // namespace

TGameDriver::TGameDriver(const QString& testName) : ShotDir(PELMO_SHOT_DIR "/" + testName)
{
    QDir(ShotDir).removeRecursively();
    QDir().mkpath(ShotDir);
    Environment.insert("XDG_CONFIG_HOME", ConfigHome.path());
    Environment.insert("QT_QPA_PLATFORM", "xcb");
    Environment.insert("SDL_AUDIODRIVER", "dummy");
    // A machine busy compiling may miss the bound once; a second server gets a fresh one.
    if (!StartServer() && !StartServer())
        ADD_FAILURE() << "no X server with a window manager could be started";
}

TGameDriver::~TGameDriver()
{
    Stop(Program);
    Stop(WindowManager);
    Stop(Server);
    if (!::testing::Test::HasFailure() && qEnvironmentVariableIsEmpty("PELMO_E2E_KEEP_SHOTS"))
        QDir(ShotDir).removeRecursively();
}

bool TGameDriver::StartServer()
{
    Stop(WindowManager);
    Stop(Server);
    // The server picks a free display itself and names it, in one write, on the descriptor given.
    Server = ChildProcess(Environment);
    Server->start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    if (!Server->waitForReadyRead(10000))
        return false;
    Environment.insert("DISPLAY", ":" + QString::fromLatin1(Server->readAllStandardOutput().trimmed()));
    WindowManager = ChildProcess(Environment);
    WindowManager->start("openbox", {"--sm-disable"});
    // The manager is ready once it owns the screen's window-manager selection.
    return WaitUntil(10000,
                     [this] { return Run("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id"); });
}

QString TGameDriver::Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessEnvironment(Environment);
    process.start(program, arguments);
    if (!process.waitForFinished(5000))
    {
        process.kill();
        process.waitForFinished(1000);
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

void TGameDriver::WriteStore(const QByteArray& text)
{
    QDir().mkpath(ConfigHome.filePath("Hollin"));
    QFile file(StorePath());
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(text);
}

bool TGameDriver::Launch(const QString& program)
{
    Program = ChildProcess(Environment);
    Program->setProcessChannelMode(QProcess::ForwardedChannels);
    Program->start(program, {});
    return Program->waitForStarted(5000);
}

bool TGameDriver::WaitForMainWindow()
{
    static const QRegularExpression shell("WINDOW=(\\d+)\\s+X=(-?\\d+)\\s+Y=(-?\\d+)\\s+WIDTH=(\\d+)\\s+HEIGHT=(\\d+)");
    QRegularExpressionMatch window;
    QImage screen;
    // The game window: maximised to the screen's width, and painted once the well's texture shows.
    WaitUntil(15000, [&] {
        window = shell.match(Xdo("getactivewindow getwindowgeometry --shell"));
        screen = window.hasMatch() && window.captured(4).toInt() >= 1200 ? Shot("window") : QImage();
        return !Running() || FindTile(screen, Texture(2));
    });
    if (!Running() || !FindTile(screen, Texture(2)))
        return false;
    MainWindowId = window.captured(1);
    // A busy machine may map the window before the manager hands it the focus.
    Xdo("windowactivate --sync " + MainWindowId);
    const std::optional<QPoint> corner = FindTile(screen, Texture(1));
    Client = corner ? QRect(*corner, TextureExtent(screen, *corner))
                    : QRect(window.captured(2).toInt(), window.captured(3).toInt(), window.captured(4).toInt(),
                            window.captured(5).toInt());
    return true;
}

bool TGameDriver::WaitForExit()
{
    if (!Program || (Running() && !Program->waitForFinished(5000)))
        return false;
    // A clean end: under the sanitizers a leak or an error at exit shows here as a failure code.
    EXPECT_EQ(Program->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(Program->exitCode(), 0);
    return true;
}

void TGameDriver::Click(QPoint client)
{
    const QPoint at = Client.topLeft() + client;
    Xdo(QString("mousemove %1 %2 click 1").arg(at.x()).arg(at.y()));
}

bool TGameDriver::DialogActive(int milliseconds)
{
    QString dialog;
    WaitUntil(milliseconds, [&] {
        if (!Running())
            return true;
        QStringList ids = Xdo("search --onlyvisible --pid " + QString::number(Program->processId())).split('\n');
        ids.removeAll(MainWindowId);
        ids.removeAll({});
        dialog = ids.value(0);
        return !dialog.isEmpty();
    });
    // A box that comes up before its window is shown may not get the focus: the player clicks it.
    if (!dialog.isEmpty() && Running())
        Xdo("windowactivate --sync " + dialog);
    return !dialog.isEmpty() && Running();
}

bool TGameDriver::CloseByWindowManager()
{
    // The manager's Alt+F4 acts on the window it believes focused; on a busy machine that belief
    // can lag behind, so the game window is activated first and the keystroke tried twice.
    for (int attempt = 0; attempt < 2; ++attempt)
    {
        Xdo("windowactivate --sync " + MainWindowId);
        Key("alt+F4");
        if (DialogActive(4000))
            return true;
    }
    return false;
}

QImage TGameDriver::Shot(const QString& label)
{
    const QString path = QString("%1/%2-%3.png").arg(ShotDir).arg(++ShotCount, 2, 10, QChar('0')).arg(label);
    Run("import", {"-window", "root", "-quality", "10", path});
    return Load(path);
}

bool WaitUntil(int milliseconds, const std::function<bool()>& done)
{
    QElapsedTimer clock;
    clock.start();
    for (; !done(); QThread::msleep(50))
        if (clock.hasExpired(milliseconds))
            return false;
    return true;
}

QImage Texture(int number)
{
    return Load(QString(PELMO_SOURCE_DIR "/data/texture%1.bmp").arg(number));
}

std::optional<QPoint> FindTile(const QImage& screen, const QImage& tile)
{
    // A patch of the tile's corner is enough to tell it from anything else on the screen.
    constexpr int Patch = 6;
    const auto same = [&](int x, int y) {
        for (int i = 0; i < Patch * Patch; ++i)
            if (screen.pixel(x + i % Patch, y + i / Patch) != tile.pixel(i % Patch, i / Patch))
                return false;
        return true;
    };
    for (int y = 0; y + Patch <= screen.height(); ++y)
        for (int x = 0; x + Patch <= screen.width(); ++x)
            if (same(x, y))
                return QPoint(x, y);
    return std::nullopt;
}

TScreenWell::TScreenWell(const QImage& screen, QPoint origin, int columns, int rows, QSize cell, const QString& skin)
    : Columns(columns), Cells(static_cast<size_t>(columns * rows), -1)
{
    // A cell is told by its centre pixel: the well's texture there, or the middle of a colour's picture.
    std::array<QRgb, 8> centres{};
    const QPoint middle(cell.width() / 2, cell.height() / 2);
    for (int colour = 1; colour <= 7; ++colour)
        centres[colour] = Load(QString(":/cells/%1%2").arg(skin).arg(colour)).pixel(middle);
    const QImage inner = Texture(2);
    for (int i = 0; i < columns * rows; ++i)
    {
        const QPoint centre = QPoint(i % columns * cell.width(), i / columns * cell.height()) + middle;
        centres[0] = inner.pixel(centre.x() % inner.width(), centre.y() % inner.height());
        const auto found = std::find(centres.begin(), centres.end(), screen.pixel(origin + centre));
        Cells[i] = found == centres.end() ? -1 : static_cast<int>(found - centres.begin());
    }
}

std::vector<QPoint> TScreenWell::Filled() const
{
    std::vector<QPoint> filled;
    for (int i = 0; i < static_cast<int>(Cells.size()); ++i)
        if (Cells[i] > 0)
            filled.emplace_back(i / Columns, i % Columns);
    return filled;
}
