#include "input/Gamepads.h"

#include "input/DeviceWatch.h"

#include <SDL.h>

Q_LOGGING_CATEGORY(GamepadLog, "pelmo.input.gamepad", QtWarningMsg)

namespace
{
// A stick counts as pushed past half-way and as let go below 40 %, so it does not flicker.
constexpr int StickPushed = 16384;
constexpr int StickLetGo = 13107;

struct TButtonRole
{
    TPadControl Control;
    TPadSource Source;
};

bool RoleOf(uint8_t button, TButtonRole& role)
{
    switch (button)
    {
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: role = {TPadControl::Left, TPadSource::DPad}; return true;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: role = {TPadControl::Right, TPadSource::DPad}; return true;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: role = {TPadControl::Down, TPadSource::DPad}; return true;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER: role = {TPadControl::Left, TPadSource::Shoulder}; return true;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER: role = {TPadControl::Right, TPadSource::Shoulder}; return true;
    case SDL_CONTROLLER_BUTTON_A: role = {TPadControl::South, TPadSource::Button}; return true;
    case SDL_CONTROLLER_BUTTON_B: role = {TPadControl::East, TPadSource::Button}; return true;
    case SDL_CONTROLLER_BUTTON_START: role = {TPadControl::Start, TPadSource::Button}; return true;
    case SDL_CONTROLLER_BUTTON_BACK: role = {TPadControl::Back, TPadSource::Button}; return true;
    default: return false;
    }
}

// Whether a stick direction is pushed now, given whether it was.
bool Pushed(int value, bool was)
{
    return value >= (was ? StickLetGo : StickPushed);
}
} // namespace

TGamepads::TGamepads(IPadTarget& target, IClock& clock, QObject* parent)
    : QObject(parent), Target(target), Clock(clock)
{
    // SDL must not take the program's Ctrl+C and termination signals.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0)
    {
        qCInfo(GamepadLog, "No game controllers: %s", SDL_GetError());
        return;
    }
    Started = true;
    connect(&Poll, &QTimer::timeout, this, &TGamepads::Pump);
    Watch = new TDeviceWatch(
        [this] {
            // The device node comes first; the system's device manager opens it to us a moment later.
            Pump();
            for (int delay : {250, 1000, 3000})
                QTimer::singleShot(delay, this, &TGamepads::Pump);
        },
        this);
    Pump(); // the controllers already attached
}

TGamepads::~TGamepads()
{
    if (!Started)
        return;
    for (auto& [instance, pad] : Pads)
        SDL_GameControllerClose(pad.Controller);
    Pads.clear();
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void TGamepads::Pump()
{
    if (!Started)
        return;
    SDL_PumpEvents();
    const uint32_t now = Clock.Milliseconds();
    SDL_Event event;
    while (SDL_PollEvent(&event))
        Handle(event, now);
    for (auto& [instance, pad] : Pads)
        pad.Controls->Tick(now);
    SchedulePoll();
}

void TGamepads::Handle(const SDL_Event& event, uint32_t now)
{
    switch (event.type)
    {
    case SDL_JOYDEVICEADDED: IgnoreUnmapped(event.jdevice.which); return;
    case SDL_CONTROLLERDEVICEADDED: Open(event.cdevice.which); return;
    case SDL_CONTROLLERDEVICEREMOVED: Remove(event.cdevice.which); return;
    default: break;
    }
    const bool isButton = event.type == SDL_CONTROLLERBUTTONDOWN || event.type == SDL_CONTROLLERBUTTONUP;
    const int32_t instance = isButton ? event.cbutton.which : event.caxis.which;
    const auto pad = Pads.find(instance);
    if (pad == Pads.end() || (!isButton && event.type != SDL_CONTROLLERAXISMOTION))
        return;
    TPadControls& controls = *pad->second.Controls;
    TButtonRole role{};
    if (isButton && RoleOf(event.cbutton.button, role))
        controls.Set(role.Control, role.Source, event.cbutton.state == SDL_PRESSED, now);
    if (isButton)
        return;
    if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX)
    {
        const bool wasLeft = controls.IsDown(TPadControl::Left, TPadSource::Stick);
        const bool wasRight = controls.IsDown(TPadControl::Right, TPadSource::Stick);
        controls.Set(TPadControl::Left, TPadSource::Stick, Pushed(-event.caxis.value, wasLeft), now);
        controls.Set(TPadControl::Right, TPadSource::Stick, Pushed(event.caxis.value, wasRight), now);
    }
    else if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY)
        controls.Set(TPadControl::Down, TPadSource::Stick,
                     Pushed(event.caxis.value, controls.IsDown(TPadControl::Down, TPadSource::Stick)), now);
}

void TGamepads::Open(int deviceIndex)
{
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (!controller)
    {
        qCInfo(GamepadLog, "Cannot open game controller %d: %s", deviceIndex, SDL_GetError());
        return;
    }
    const int32_t instance = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    if (Pads.count(instance))
    {
        SDL_GameControllerClose(controller); // opened twice: SDL counts the references
        return;
    }
    qCInfo(GamepadLog, "Game controller attached: %s", SDL_GameControllerName(controller));
    Pads[instance] = TPad{controller, std::make_unique<TPadControls>(Target)};
}

void TGamepads::Remove(int32_t instance)
{
    const auto pad = Pads.find(instance);
    if (pad == Pads.end())
        return;
    SDL_GameControllerClose(pad->second.Controller);
    Pads.erase(pad);
    Target.PadDisconnected();
}

void TGamepads::IgnoreUnmapped(int deviceIndex)
{
    if (SDL_IsGameController(deviceIndex))
        return;
    char guid[33] = {};
    SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(deviceIndex), guid, sizeof guid);
    const char* name = SDL_JoystickNameForIndex(deviceIndex);
    qCInfo(GamepadLog, "Ignoring joystick without a controller mapping: %s (%s)", name ? name : "?", guid);
}

void TGamepads::SetGamePace(TGamePace pace)
{
    Pace = pace;
    SchedulePoll();
}

void TGamepads::SchedulePoll()
{
    bool held = false;
    for (const auto& [instance, pad] : Pads)
        held = held || pad.Controls->AnyHeld();
    if (Pads.empty())
        Poll.stop();
    else
    {
        const int interval = Pace == TGamePace::Playing || held ? PlayingPoll
                             : Pace == TGamePace::Paused      ? PausedPoll
                                                              : StoppedPoll;
        if (!Poll.isActive() || Poll.interval() != interval)
            Poll.start(interval);
    }
}
