#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

// Wakes the program when input devices come or go (a node appears, leaves or changes its
// permissions under /dev/input), so nothing has to poll for new controllers. Inert where the
// folder cannot be watched.
class TDeviceWatch : public QObject
{
public:
    explicit TDeviceWatch(std::function<void()> changed, QObject* parent = nullptr);
    ~TDeviceWatch() override;

    bool Watching() const { return Fd >= 0; }

private:
    void WatchFolders();
    void Readable();

    std::function<void()> Changed;
    int Fd = -1;
    int InputWatch = -1;
    QSocketNotifier* Notifier = nullptr;
};
