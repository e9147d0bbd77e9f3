// What the bench host's keys and game-controller buttons do. The keyboard
// is shared by place: the keys around the letters (arrows, the block above
// them, the keypad and the function keys) fly the vessel and run the
// window; the main block (letters, digits, punctuation, Space, Enter,
// Backspace) goes to the MFD that has the keyboard, numbered as in
// sim/live/KeyNumbering.h. So an MFD's keys never fly, and flying never
// reaches a page.
//
//   flying, while held           keyboard                  controller
//   nose up / down               Down, KP2 / Up, KP8       left stick back / forward
//   roll left / right            Left, KP4 / Right, KP6    left stick left / right
//   yaw left / right             KP1 / KP3,                right stick left / right
//                                Shift+Left / Shift+Right
//   throttle up / down           Page Up, KP+ / Page Down, KP-   right / left trigger
//   on a press
//   throttle full / cut          Home, KP* / End, KP/      Y / B
//   autopilot on / off           F6                        A
//   pause / run                  F1                        Start
//   time 1x, 10x, 100x           F2, F3, F4
//   one step, while paused       F5
//   keyboard to the next MFD     Tab (or a click on an MFD)
//   that MFD off / on            F7
//   that MFD to its mode list    F8
//   end the session              Escape (or closing the window)
// Shift, Ctrl, Alt and the logo keys go nowhere by themselves.
#pragma once

#include <SDL2/SDL_gamecontroller.h>
#include <SDL2/SDL_scancode.h>

namespace quorvel::live {

enum class HostAction {
    None,      // a key for the MFD that has the keyboard
    Modifier,  // Shift, Ctrl, Alt, the logo keys: only with other keys
    // Held.
    NoseUp,
    NoseDown,
    RollLeft,
    RollRight,
    YawLeft,
    YawRight,
    ThrottleUp,
    ThrottleDown,
    // Pressed.
    ThrottleFull,
    ThrottleCut,
    AutopilotToggle,
    PauseToggle,
    RealTime,
    TimesTen,
    TimesHundred,
    SingleStep,
    NextMfd,
    MfdPower,
    MfdModeList,
    Quit,
};

// What a key does; `shift` is whether either Shift key is held.
HostAction KeyAction(SDL_Scancode key, bool shift);
// What a controller button does on a press; None for the rest.
HostAction ButtonAction(SDL_GameControllerButton button);
// Whether the action lasts as long as its key is held.
bool IsHeldAction(HostAction action);

}  // namespace quorvel::live
