// The pilot's keys and controller as control demands and MFD keys, with no
// window: the host's key numbering, the layout's split between flying and
// the MFDs, the demands a held key or a stick gives, and who flies.

#include <gtest/gtest.h>

#include <SDL2/SDL_keyboard.h>

#include "sim/live/KeyNumbering.h"
#include "sim/live/KeyboardLayout.h"
#include "sim/live/PilotControls.h"
#include "sim/live/PilotSeat.h"

namespace quorvel::live {
namespace {

TEST(KeyNumberingTest, KeysGetTheirPcScanCodes) {
    EXPECT_EQ(HostKeyCode(SDL_SCANCODE_Z), 44u) << "selects QuorvelMFD on the mode list";
    EXPECT_EQ(HostKeyCode(SDL_SCANCODE_V), 47u) << "steps the ball's scale";
    EXPECT_EQ(HostKeyCode(SDL_SCANCODE_A), 0x1Eu);
    EXPECT_EQ(HostKeyCode(SDL_SCANCODE_P), 0x19u);
    EXPECT_EQ(HostKeyCode(SDL_SCANCODE_0), 0x0Bu) << "0 follows 9 on the top row";
    EXPECT_EQ(HostKeyCode(SDL_SCANCODE_F10), 0x44u);
    EXPECT_EQ(HostKeyCode(SDL_SCANCODE_SPACE), 0x39u);
    EXPECT_EQ(HostKeyCode(SDL_SCANCODE_KP_8), 0x48u);
    EXPECT_EQ(HostKeyCode(SDL_SCANCODE_UP), 0xC8u) << "its 0xE0 twin, 0x80 up";
    EXPECT_EQ(HostKeyCode(SDL_SCANCODE_F13), 0u);
    EXPECT_EQ(HostKeyName(44), "Z") << "SDL's keymap without a display is the US one";
    EXPECT_EQ(HostKeyName(0xC8), "Up");
    EXPECT_EQ(HostKeyName(0x7F), "");
}

// Every key the MFDs get has a code, and no key both flies and reaches a page.
TEST(KeyboardLayoutTest, TheMainBlockGoesToTheMfdsAndTheRestFlies) {
    for (SDL_Scancode key : {SDL_SCANCODE_Z, SDL_SCANCODE_V, SDL_SCANCODE_1, SDL_SCANCODE_SPACE, SDL_SCANCODE_RETURN,
                             SDL_SCANCODE_SLASH, SDL_SCANCODE_LEFTBRACKET}) {
        EXPECT_EQ(KeyAction(key, false), HostAction::None) << SDL_GetScancodeName(key);
        EXPECT_EQ(KeyAction(key, true), HostAction::None) << SDL_GetScancodeName(key);
        EXPECT_NE(HostKeyCode(key), 0u) << SDL_GetScancodeName(key);
    }
    EXPECT_EQ(KeyAction(SDL_SCANCODE_LSHIFT, false), HostAction::Modifier) << "Shift alone reaches no page";
}

TEST(PilotControlsTest, HeldKeysAndSticksGiveDemandsAndMoveTheThrottle) {
    HeldKeys keys;
    const PadState centred;
    flight::ControlInputs demands = PilotDemands(keys, centred, 0.3, 0.02);
    EXPECT_EQ(demands.pitch, 0);
    EXPECT_EQ(demands.throttle, 0.3);

    keys.Press(SDL_SCANCODE_DOWN);
    keys.Press(SDL_SCANCODE_RIGHT);
    keys.Press(SDL_SCANCODE_PAGEUP);
    demands = PilotDemands(keys, centred, 0.3, 0.2);
    EXPECT_EQ(demands.pitch, 1) << "Down pulls the nose up";
    EXPECT_EQ(demands.roll, 1);
    EXPECT_EQ(demands.yaw, 0);
    EXPECT_NEAR(demands.throttle, 0.4, 1e-12) << "half the range a second";

    // Shift turns the held Right into a yaw, and letting Shift go turns it
    // back: nothing stays held by the order of releases.
    keys.Press(SDL_SCANCODE_RSHIFT);
    demands = PilotDemands(keys, centred, 0.99, 1.0);
    EXPECT_EQ(demands.roll, 0);
    EXPECT_EQ(demands.yaw, 1);
    EXPECT_EQ(demands.throttle, 1) << "held at full";
    keys.Release(SDL_SCANCODE_RSHIFT);
    keys.Press(SDL_SCANCODE_KP_8);
    demands = PilotDemands(keys, centred, 0, 1.0);
    EXPECT_EQ(demands.roll, 1);
    EXPECT_EQ(demands.pitch, 0) << "Down and KP8 cancel";

    keys.ReleaseAll();
    PadState pad;
    pad.leftY = PadAxis(32767);   // stick fully back
    pad.leftX = PadAxis(-16384);  // half left
    pad.rightX = PadAxis(2000);   // inside the dead zone
    pad.leftTrigger = PadAxis(32767);
    demands = PilotDemands(keys, pad, 0.5, 0.1);
    EXPECT_EQ(demands.pitch, 1);
    EXPECT_NEAR(demands.roll, -(0.5 - 0.1) / 0.9, 1e-4);
    EXPECT_EQ(demands.yaw, 0);
    EXPECT_NEAR(demands.throttle, 0.45, 1e-12);
    EXPECT_EQ(PadAxis(-32768), -1);
}

// Taking over must not cut or jump the engine: the hands start from the
// autopilot's throttle, and letting go keeps their own.
TEST(PilotSeatTest, TheHandsTakeOverAtTheAutopilotsThrottleAndGiveTheControlsBack) {
    const flight::FlightModel model = flight::DefaultFlightStart();
    PilotSeat seat([](double, const flight::FlightModel&) { return flight::ControlInputs{0.5, 0, 0, 0.8}; });
    EXPECT_EQ(seat.Controls(0, model).pitch, 0.5);
    seat.Hands(PilotDemands(HeldKeys{}, PadState{}, seat.Throttle(), 0.02));
    EXPECT_TRUE(seat.AutopilotFlying()) << "hands that ask nothing leave it flying";

    HeldKeys keys;
    keys.Press(SDL_SCANCODE_LEFT);
    seat.Hands(PilotDemands(keys, PadState{}, seat.Throttle(), 0.02));
    EXPECT_FALSE(seat.AutopilotFlying());
    const flight::ControlInputs flown = seat.Controls(0.02, model);
    EXPECT_EQ(flown.roll, -1);
    EXPECT_EQ(flown.pitch, 0);
    EXPECT_EQ(flown.throttle, 0.8);

    seat.ToggleAutopilot();
    EXPECT_EQ(seat.Controls(0.04, model).pitch, 0.5) << "given back";
    seat.ToggleAutopilot();
    EXPECT_EQ(seat.Controls(0.06, model).roll, 0) << "taken again, with nothing held";
    EXPECT_EQ(seat.Controls(0.08, model).throttle, 0.8);
    seat.SetThrottle(0);
    EXPECT_EQ(seat.Controls(0.1, model).throttle, 0);
}

}  // namespace
}  // namespace quorvel::live
