#include "input/DeviceWatch.h"

#include <QSocketNotifier>

#include <sys/inotify.h>
#include <unistd.h>

namespace
{
constexpr const char* InputFolder = "/dev/input";
}

TDeviceWatch::TDeviceWatch(std::function<void()> changed, QObject* parent)
    : QObject(parent), Changed(std::move(changed))
{
    Fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (Fd < 0)
        return;
    WatchFolders();
    Notifier = new QSocketNotifier(Fd, QSocketNotifier::Read, this);
    connect(Notifier, &QSocketNotifier::activated, this, &TDeviceWatch::Readable);
}

TDeviceWatch::~TDeviceWatch()
{
    if (Fd >= 0)
        close(Fd);
}

void TDeviceWatch::WatchFolders()
{
    InputWatch = inotify_add_watch(Fd, InputFolder, IN_CREATE | IN_DELETE | IN_ATTRIB);
    // A machine without any input device yet: wait for the folder itself to appear.
    if (InputWatch < 0)
        inotify_add_watch(Fd, "/dev", IN_CREATE | IN_ONLYDIR);
}

void TDeviceWatch::Readable()
{
    alignas(inotify_event) char buffer[4096];
    while (read(Fd, buffer, sizeof buffer) > 0)
    {
    }
    if (InputWatch < 0)
        WatchFolders();
    if (Changed)
        Changed();
}
