// The pilot's keyboard and game controller as the flight model's control
// demands (sim/flight/ControlInputs.h), by the layout of
// sim/live/KeyboardLayout.h. A pure function of what is held, so that it
// is tested without a window; a thin step reads a controller's state.
//
// A held key asks for full deflection; opposite keys cancel. A stick's
// deflection past a dead zone of a tenth of its travel asks in proportion.
// Keys and sticks add, limited to -1 to 1. The throttle moves at half its
// range a second while its keys are held, and in proportion to a trigger's
// pull; full and cut are presses (events), for the caller to apply.
#pragma once

#include <SDL2/SDL_gamecontroller.h>
#include <SDL2/SDL_scancode.h>

#include <bitset>
#include <cstdint>

#include "sim/flight/ControlInputs.h"

namespace quorvel::live {

// The keys held down now, by scancode.
class HeldKeys {
public:
    void Press(SDL_Scancode key);
    void Release(SDL_Scancode key);
    // As when the window loses the keyboard: nothing is held any more.
    void ReleaseAll() { keys.reset(); }
    bool Held(SDL_Scancode key) const;
    bool ShiftHeld() const { return Held(SDL_SCANCODE_LSHIFT) || Held(SDL_SCANCODE_RSHIFT); }

private:
    std::bitset<SDL_NUM_SCANCODES> keys;
};

// A game controller's sticks and triggers, each -1 to 1 (triggers 0 to 1)
// with SDL's signs: a stick pushed right or back (down) is positive.
struct PadState {
    double leftX = 0;
    double leftY = 0;
    double rightX = 0;
    double leftTrigger = 0;
    double rightTrigger = 0;
};

// An SDL axis value (-32768 to 32767) as -1 to 1, 0 inside the dead zone
// and rising from 0 at its edge.
double PadAxis(std::int16_t raw);
// The controller's sticks and triggers now; all 0 for none.
PadState ReadPad(SDL_GameController* controller);

// Nose up, roll right and yaw right are positive, as in ControlInputs.
// The throttle starts at `throttle` and moves over `dtS` seconds of held
// throttle keys and triggers, staying within 0 to 1.
flight::ControlInputs PilotDemands(const HeldKeys& keys, const PadState& pad, double throttle, double dtS);

}  // namespace quorvel::live
