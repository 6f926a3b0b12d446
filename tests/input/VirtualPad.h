#pragma once

#include <SDL.h>

// A game controller made by SDL itself, which the real input path finds as it finds a plugged
// one. SDL gives a virtual joystick of the controller type a mapping of its own.
class TVirtualPad
{
public:
    explicit TVirtualPad(bool mapped = true, const char* name = "Virtual pad")
    {
        SDL_VirtualJoystickDesc desc;
        SDL_zero(desc);
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = mapped ? SDL_JOYSTICK_TYPE_GAMECONTROLLER : SDL_JOYSTICK_TYPE_UNKNOWN;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = name;
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        Joystick = index >= 0 ? SDL_JoystickOpen(index) : nullptr;
        Instance = Joystick ? SDL_JoystickInstanceID(Joystick) : -1;
    }
    ~TVirtualPad() { Unplug(); }

    bool Attached() const { return Joystick != nullptr; }
    void Button(SDL_GameControllerButton button, bool down) { SDL_JoystickSetVirtualButton(Joystick, button, down); }
    void Axis(SDL_GameControllerAxis axis, int16_t value) { SDL_JoystickSetVirtualAxis(Joystick, axis, value); }

    void Unplug()
    {
        if (!Joystick)
            return;
        SDL_JoystickClose(Joystick);
        Joystick = nullptr;
        for (int i = 0; i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == Instance)
                SDL_JoystickDetachVirtual(i);
    }

private:
    SDL_Joystick* Joystick = nullptr;
    SDL_JoystickID Instance = -1;
};
