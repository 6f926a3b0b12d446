// The cost of waiting for game controllers: the real game window, shown and idle before any
// game, first with no controller, then with one attached (an SDL virtual controller, found by
// the window's own input path). Prints the CPU share of each period, from the process's own
// user and system time.
// Usage: GamepadIdleBench [seconds per period, default 20]
#include "app/FormTumbla.h"
#include "input/Gamepads.h"
#include "tests/input/VirtualPad.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

namespace
{
double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The share of one core the process used while its event loop ran for the given time.
// The event loop alone, with nothing of its own waking it (QTest::qWait would poll).
void Wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

double IdlePercent(int seconds)
{
    Wait(1000); // let start-up work settle
    const double before = CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    Wait(seconds * 1000);
    return 100.0 * (CpuSeconds() - before) / (double(wall.elapsed()) / 1000.0);
}
} // namespace

int main(int argc, char** argv)
{
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    QTemporaryDir configHome;
    setenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit().constData(), 1);
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;

    TFormTumbla window;
    window.show();
    const double none = IdlePercent(seconds);
    TVirtualPad pad;
    window.Parts().Gamepads.Pump(); // as the device watch does when a controller appears
    const int attached = window.Parts().Gamepads.Count();
    const double one = IdlePercent(seconds);
    std::printf("idle CPU before a game, no controller: %.3f %%\n", none);
    std::printf("idle CPU before a game, %d controller attached: %.3f %% (polled every %d ms)\n", attached, one,
                window.Parts().Gamepads.PollInterval());
    return attached == 1 ? 0 : 1;
}
