#include "GameDriver.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/prctl.h>

namespace
{
constexpr int WindowBound = 15000;

QImage Load(const QString& path)
{
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

// The centre pixel of each colour's cell in a skin at the default (large) size: what a cell of
// that colour shows in its middle.
std::array<QRgb, 8> CellCentres(const QString& skin)
{
    std::array<QRgb, 8> result{};
    for (int colour = 1; colour <= 7; ++colour)
    {
        const QImage cell = Load(QStringLiteral(":/cells/%1%2").arg(skin).arg(colour));
        result[colour] = cell.isNull() ? 0 : cell.pixel(cell.width() / 2, cell.height() / 2) & 0xFFFFFF;
    }
    return result;
}

// How far the outer texture runs right and down from the client's corner, along its first
// pixels (no control lies there): the client's size, whatever the window frame adds.
QSize TextureExtent(const QImage& screen, QPoint origin, QSize fallback)
{
    const QImage& tile = TGameDriver::OuterTexture();
    auto matches = [&](int x, int y) {
        const QRgb expected = tile.pixel((x - origin.x()) % tile.width(), (y - origin.y()) % tile.height());
        return x < screen.width() && y < screen.height() && ((screen.pixel(x, y) ^ expected) & 0xFFFFFF) == 0;
    };
    if (!matches(origin.x(), origin.y()))
        return fallback;
    int width = 0;
    while (matches(origin.x() + width, origin.y() + 1))
        ++width;
    int height = 0;
    while (matches(origin.x() + 1, origin.y() + height))
        ++height;
    return {width, height};
}

// Whatever ends the test (a crash, CTest's time bound), what it started ends with it.
std::unique_ptr<QProcess> ChildProcess()
{
    auto process = std::make_unique<QProcess>();
    process->setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
    return process;
}

void Stop(std::unique_ptr<QProcess>& process)
{
    if (!process)
        return;
    if (process->state() != QProcess::NotRunning)
    {
        process->kill();
        process->waitForFinished(3000);
    }
    process.reset();
}
} // namespace

TGameDriver::TGameDriver(const QString& testName)
    : ShotDir(QStringLiteral(PELMO_SHOT_DIR "/") + testName)
{
    QDir(ShotDir).removeRecursively();
    QDir().mkpath(ShotDir);
    if (!StartServer())
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
    // The server picks a free display itself and names it on the descriptor given.
    Server = ChildProcess();
    Server->setProcessChannelMode(QProcess::SeparateChannels);
    Server->start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                           QStringLiteral("0"), QStringLiteral("1280x1024x24"),
                                           QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    QElapsedTimer clock;
    clock.start();
    QByteArray number;
    while (!number.contains('\n') && clock.elapsed() < 10000 && Server->state() != QProcess::NotRunning)
    {
        Server->waitForReadyRead(200);
        number += Server->readAllStandardOutput();
    }
    if (!number.contains('\n'))
        return false;
    Display = QStringLiteral(":") + QString::fromLatin1(number.trimmed());

    WindowManager = ChildProcess();
    WindowManager->setProcessEnvironment(Environment());
    WindowManager->start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    // The manager is ready once it owns the screen's window-manager selection.
    while (clock.elapsed() < 10000)
    {
        if (Run(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
                .contains(QStringLiteral("window id")))
            return true;
        Pause(100);
    }
    return false;
}

QProcessEnvironment TGameDriver::Environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), Display);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), ConfigHome.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    return environment;
}

QString TGameDriver::Run(const QString& program, const QStringList& arguments, int milliseconds)
{
    QProcess process;
    process.setProcessEnvironment(Environment());
    process.start(program, arguments);
    if (!process.waitForFinished(milliseconds))
    {
        process.kill();
        process.waitForFinished(1000);
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

QString TGameDriver::StorePath() const
{
    return ConfigHome.filePath(QStringLiteral("Hollin/Pelmo2000.conf"));
}

void TGameDriver::WriteStore(const QString& text)
{
    QDir().mkpath(ConfigHome.filePath(QStringLiteral("Hollin")));
    QFile file(StorePath());
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(text.toUtf8());
}

bool TGameDriver::Launch(const QString& program)
{
    Program = ChildProcess();
    Program->setProcessEnvironment(Environment());
    Program->setProcessChannelMode(QProcess::ForwardedChannels);
    Program->start(program.isEmpty() ? QStringLiteral(PELMO_PROGRAM) : program, {});
    return Program->waitForStarted(5000);
}

bool TGameDriver::WaitForMainWindow()
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < WindowBound && Running())
    {
        // The game window: maximised to the screen's width, with the well painted.
        const QString id = Run(QStringLiteral("xdotool"), {QStringLiteral("getactivewindow")}).trimmed();
        if (!id.isEmpty())
        {
            const QString geometry =
                Run(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), id});
            int x = 0, y = 0, width = 0, height = 0;
            for (const QString& line : geometry.split(QLatin1Char('\n')))
            {
                const QString value = line.section(QLatin1Char('='), 1);
                if (line.startsWith(QStringLiteral("X=")))
                    x = value.toInt();
                else if (line.startsWith(QStringLiteral("Y=")))
                    y = value.toInt();
                else if (line.startsWith(QStringLiteral("WIDTH=")))
                    width = value.toInt();
                else if (line.startsWith(QStringLiteral("HEIGHT=")))
                    height = value.toInt();
            }
            if (width >= 1200)
            {
                // Painted once the well's texture shows; the outer texture, when shown, marks the client's corner.
                const QImage screen = Shot(QStringLiteral("window"));
                if (FindTile(screen, InnerTexture()))
                {
                    MainWindowId = id;
                    // A busy machine may map the window before the manager hands it the focus.
                    Run(QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), QStringLiteral("--sync"), id});
                    const QPoint origin = FindTile(screen, OuterTexture()).value_or(QPoint(x, y));
                    Client = QRect(origin, TextureExtent(screen, origin, QSize(x + width, y + height) -
                                                                            QSize(origin.x(), origin.y())));
                    return true;
                }
            }
        }
        Pause(100);
    }
    return false;
}

bool TGameDriver::WaitForExit(int milliseconds)
{
    if (!Program || (Program->state() != QProcess::NotRunning && !Program->waitForFinished(milliseconds)))
        return false;
    // A clean end: under the sanitizers a leak or an error at exit shows here as a failure code.
    EXPECT_EQ(Program->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(Program->exitCode(), 0);
    return true;
}

bool TGameDriver::Running() const
{
    return Program && Program->state() != QProcess::NotRunning;
}

void TGameDriver::Key(const QString& keys)
{
    QStringList arguments = {QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("40")};
    arguments += keys.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    Run(QStringLiteral("xdotool"), arguments);
}

void TGameDriver::Click(QPoint client)
{
    const QPoint at = Client.topLeft() + client;
    Run(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                                    QStringLiteral("click"), QStringLiteral("1")});
}

bool TGameDriver::DialogActive(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds)
    {
        if (!Running())
            return false;
        const QStringList ids = Run(QStringLiteral("xdotool"),
                                    {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                                     QString::number(Program->processId())})
                                    .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const QString& id : ids)
            if (id != MainWindowId)
            {
                // A box that comes up before its window is shown may not get the focus: the player clicks it.
                Run(QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), QStringLiteral("--sync"), id});
                return true;
            }
        Pause(100);
    }
    return false;
}

bool TGameDriver::NumLockOn()
{
    static const QRegularExpression on(QStringLiteral("Num Lock:\\s+on"));
    return Run(QStringLiteral("xset"), {QStringLiteral("q")}).contains(on);
}

bool TGameDriver::CloseByWindowManager()
{
    // The manager's Alt+F4 acts on the window it believes focused; on a busy machine that belief
    // can lag behind, so the game window is activated first and the keystroke tried twice.
    for (int attempt = 0; attempt < 2; ++attempt)
    {
        Run(QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), QStringLiteral("--sync"), MainWindowId});
        Key(QStringLiteral("alt+F4"));
        if (DialogActive(4000))
            return true;
    }
    return false;
}

QString TGameDriver::ActiveTitle()
{
    return Run(QStringLiteral("xdotool"), {QStringLiteral("getactivewindow"), QStringLiteral("getwindowname")})
        .trimmed();
}

QImage TGameDriver::Shot(const QString& label)
{
    const QString path =
        QStringLiteral("%1/%2-%3.png").arg(ShotDir).arg(++ShotCount, 2, 10, QLatin1Char('0')).arg(label);
    Run(QStringLiteral("import"), {QStringLiteral("-display"), Display, QStringLiteral("-window"),
                                   QStringLiteral("root"), QStringLiteral("-quality"), QStringLiteral("10"), path});
    return Load(path);
}

void TGameDriver::Pause(int milliseconds)
{
    QThread::msleep(static_cast<unsigned long>(milliseconds));
}

std::optional<QPoint> TGameDriver::FindTile(const QImage& screen, const QImage& tile)
{
    constexpr int Patch = 6;
    if (screen.isNull() || tile.width() < Patch || tile.height() < Patch)
        return std::nullopt;
    for (int y = 0; y + Patch <= screen.height(); ++y)
        for (int x = 0; x + Patch <= screen.width(); ++x)
        {
            bool same = true;
            for (int dy = 0; dy < Patch && same; ++dy)
                for (int dx = 0; dx < Patch && same; ++dx)
                    same = (screen.pixel(x + dx, y + dy) & 0xFFFFFF) == (tile.pixel(dx, dy) & 0xFFFFFF);
            if (same)
                return QPoint(x, y);
        }
    return std::nullopt;
}

const QImage& TGameDriver::OuterTexture()
{
    static const QImage texture = Load(QStringLiteral(PELMO_SOURCE_DIR "/data/texture1.bmp"));
    return texture;
}

const QImage& TGameDriver::InnerTexture()
{
    static const QImage texture = Load(QStringLiteral(PELMO_SOURCE_DIR "/data/texture2.bmp"));
    return texture;
}

TScreenWell::TScreenWell(const QImage& screen, QPoint origin, int columns, int rows, int cellWidth, int cellHeight,
                         const QString& skin)
    : Columns(columns), Rows(rows), Cells(static_cast<size_t>(columns * rows), -1)
{
    const std::array<QRgb, 8> centres = CellCentres(skin);
    const QImage& inner = TGameDriver::InnerTexture();
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
        {
            const int x = c * cellWidth + cellWidth / 2;
            const int y = r * cellHeight + cellHeight / 2;
            const QRgb seen = screen.pixel(origin.x() + x, origin.y() + y) & 0xFFFFFF;
            int& cell = Cells[r * columns + c];
            if (seen == (inner.pixel(x % inner.width(), y % inner.height()) & 0xFFFFFF))
                cell = 0;
            for (int colour = 1; colour <= 7; ++colour)
                if (seen == centres[colour])
                    cell = colour;
        }
}

std::vector<QPoint> TScreenWell::Filled() const
{
    std::vector<QPoint> filled;
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Columns; ++c)
            if (At(r, c) > 0)
                filled.emplace_back(r, c);
    return filled;
}
