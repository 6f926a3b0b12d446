#pragma once

#include "engine/GameView.h"
#include "input/PadControls.h"

#include <QLoggingCategory>
#include <QObject>
#include <QTimer>

#include <map>
#include <memory>

Q_DECLARE_LOGGING_CATEGORY(GamepadLog)

class TDeviceWatch;
union SDL_Event;
struct _SDL_GameController;

// Game controllers through SDL's game-controller API and its mapping database. Qt owns the event
// loop, so SDL is only asked when something may have happened: when a device node changes, and
// while a controller is attached, on a timer that runs fast only during a game or while a control
// is held. With no controller attached the program sleeps.
class TGamepads : public QObject
{
public:
    // How often an attached controller is read (ms): often while a piece falls or a control is
    // held, less while paused (only Start matters), seldom before a game (a long Back).
    static constexpr int PlayingPoll = 15;
    static constexpr int PausedPoll = 100;
    static constexpr int StoppedPoll = 500;
    enum class TGamePace : uint8_t
    {
        Stopped,
        Paused,
        Playing,
    };

    // clock: the milliseconds that time the repeats and the long press of Back.
    TGamepads(IPadTarget& target, IClock& clock, QObject* parent = nullptr);
    ~TGamepads() override;

    // Reads everything the controllers did since the last look.
    void Pump();
    void SetGamePace(TGamePace pace);
    int Count() const { return int(Pads.size()); }
    // The poll period now; 0 when nothing is polled.
    int PollInterval() const { return Poll.isActive() ? Poll.interval() : 0; }

private:
    struct TPad
    {
        _SDL_GameController* Controller = nullptr;
        std::unique_ptr<TPadControls> Controls;
    };

    void Handle(const SDL_Event& event, uint32_t now);
    void Open(int deviceIndex);
    void Remove(int32_t instance);
    void IgnoreUnmapped(int deviceIndex);
    void SchedulePoll();

    IPadTarget& Target;
    bool Started = false;
    TGamePace Pace = TGamePace::Stopped;
    std::map<int32_t, TPad> Pads;
    QTimer Poll;
    IClock& Clock;
    TDeviceWatch* Watch = nullptr;
};
