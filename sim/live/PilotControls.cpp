#include "sim/live/PilotControls.h"

#include <SDL2/SDL_gamecontroller.h>

#include <algorithm>

#include "sim/live/KeyboardLayout.h"

namespace quorvel::live {

namespace {

constexpr double kDeadZone = 0.1;           // of a stick's travel
constexpr double kThrottlePerSecond = 0.5;  // with a key held or a trigger pulled fully

}  // namespace

void HeldKeys::Press(SDL_Scancode key) {
    if (key > SDL_SCANCODE_UNKNOWN && key < SDL_NUM_SCANCODES) keys.set(static_cast<std::size_t>(key));
}

void HeldKeys::Release(SDL_Scancode key) {
    if (key > SDL_SCANCODE_UNKNOWN && key < SDL_NUM_SCANCODES) keys.reset(static_cast<std::size_t>(key));
}

bool HeldKeys::Held(SDL_Scancode key) const {
    return key > SDL_SCANCODE_UNKNOWN && key < SDL_NUM_SCANCODES && keys.test(static_cast<std::size_t>(key));
}

double PadAxis(std::int16_t raw) {
    const double value = std::clamp(static_cast<double>(raw) / 32767.0, -1.0, 1.0);
    const double beyond = std::max(0.0, std::abs(value) - kDeadZone) / (1.0 - kDeadZone);
    return value < 0 ? -beyond : beyond;
}

PadState ReadPad(SDL_GameController* controller) {
    if (controller == nullptr) return {};
    const auto axis = [controller](SDL_GameControllerAxis which) {
        return PadAxis(SDL_GameControllerGetAxis(controller, which));
    };
    return {axis(SDL_CONTROLLER_AXIS_LEFTX), axis(SDL_CONTROLLER_AXIS_LEFTY), axis(SDL_CONTROLLER_AXIS_RIGHTX),
            axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT), axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT)};
}

flight::ControlInputs PilotDemands(const HeldKeys& keys, const PadState& pad, double throttle, double dtS) {
    double pitch = pad.leftY;  // stick back, nose up
    double roll = pad.leftX;
    double yaw = pad.rightX;
    double throttleRate = pad.rightTrigger - pad.leftTrigger;
    const bool shift = keys.ShiftHeld();
    for (int code = SDL_SCANCODE_UNKNOWN + 1; code < SDL_NUM_SCANCODES; ++code) {
        const auto key = static_cast<SDL_Scancode>(code);
        if (!keys.Held(key)) continue;
        switch (KeyAction(key, shift)) {
            case HostAction::NoseUp: pitch += 1; break;
            case HostAction::NoseDown: pitch -= 1; break;
            case HostAction::RollLeft: roll -= 1; break;
            case HostAction::RollRight: roll += 1; break;
            case HostAction::YawLeft: yaw -= 1; break;
            case HostAction::YawRight: yaw += 1; break;
            case HostAction::ThrottleUp: throttleRate += 1; break;
            case HostAction::ThrottleDown: throttleRate -= 1; break;
            default: break;
        }
    }
    flight::ControlInputs demands;
    demands.pitch = std::clamp(pitch, -1.0, 1.0);
    demands.roll = std::clamp(roll, -1.0, 1.0);
    demands.yaw = std::clamp(yaw, -1.0, 1.0);
    const double step = std::clamp(throttleRate, -1.0, 1.0) * kThrottlePerSecond * std::max(dtS, 0.0);
    demands.throttle = std::clamp(throttle + step, 0.0, 1.0);
    return demands;
}

}  // namespace quorvel::live
