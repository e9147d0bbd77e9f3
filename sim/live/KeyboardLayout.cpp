#include "sim/live/KeyboardLayout.h"

namespace quorvel::live {

HostAction KeyAction(SDL_Scancode key, bool shift) {
    switch (key) {
        case SDL_SCANCODE_DOWN:
        case SDL_SCANCODE_KP_2: return HostAction::NoseUp;
        case SDL_SCANCODE_UP:
        case SDL_SCANCODE_KP_8: return HostAction::NoseDown;
        case SDL_SCANCODE_LEFT: return shift ? HostAction::YawLeft : HostAction::RollLeft;
        case SDL_SCANCODE_RIGHT: return shift ? HostAction::YawRight : HostAction::RollRight;
        case SDL_SCANCODE_KP_4: return HostAction::RollLeft;
        case SDL_SCANCODE_KP_6: return HostAction::RollRight;
        case SDL_SCANCODE_KP_1: return HostAction::YawLeft;
        case SDL_SCANCODE_KP_3: return HostAction::YawRight;
        case SDL_SCANCODE_PAGEUP:
        case SDL_SCANCODE_KP_PLUS: return HostAction::ThrottleUp;
        case SDL_SCANCODE_PAGEDOWN:
        case SDL_SCANCODE_KP_MINUS: return HostAction::ThrottleDown;
        case SDL_SCANCODE_HOME:
        case SDL_SCANCODE_KP_MULTIPLY: return HostAction::ThrottleFull;
        case SDL_SCANCODE_END:
        case SDL_SCANCODE_KP_DIVIDE: return HostAction::ThrottleCut;
        case SDL_SCANCODE_F6: return HostAction::AutopilotToggle;
        case SDL_SCANCODE_F1: return HostAction::PauseToggle;
        case SDL_SCANCODE_F2: return HostAction::RealTime;
        case SDL_SCANCODE_F3: return HostAction::TimesTen;
        case SDL_SCANCODE_F4: return HostAction::TimesHundred;
        case SDL_SCANCODE_F5: return HostAction::SingleStep;
        case SDL_SCANCODE_TAB: return HostAction::NextMfd;
        case SDL_SCANCODE_F7: return HostAction::MfdPower;
        case SDL_SCANCODE_F8: return HostAction::MfdModeList;
        case SDL_SCANCODE_ESCAPE: return HostAction::Quit;
        case SDL_SCANCODE_LSHIFT:
        case SDL_SCANCODE_RSHIFT:
        case SDL_SCANCODE_LCTRL:
        case SDL_SCANCODE_RCTRL:
        case SDL_SCANCODE_LALT:
        case SDL_SCANCODE_RALT:
        case SDL_SCANCODE_LGUI:
        case SDL_SCANCODE_RGUI: return HostAction::Modifier;
        default: return HostAction::None;
    }
}

HostAction ButtonAction(SDL_GameControllerButton button) {
    switch (button) {
        case SDL_CONTROLLER_BUTTON_A: return HostAction::AutopilotToggle;
        case SDL_CONTROLLER_BUTTON_Y: return HostAction::ThrottleFull;
        case SDL_CONTROLLER_BUTTON_B: return HostAction::ThrottleCut;
        case SDL_CONTROLLER_BUTTON_START: return HostAction::PauseToggle;
        default: return HostAction::None;
    }
}

bool IsHeldAction(HostAction action) {
    return action >= HostAction::NoseUp && action <= HostAction::ThrottleDown;
}

}  // namespace quorvel::live
