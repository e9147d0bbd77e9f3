#include "sim/live/PilotSeat.h"

#include <algorithm>

namespace quorvel::live {

PilotSeat::PilotSeat(flight::ControlLaw autopilot) : autopilot(std::move(autopilot)) {}

flight::ControlInputs PilotSeat::Controls(double timeS, const flight::FlightModel& model) {
    last = autopilotFlying ? autopilot(timeS, model) : hands;
    return last;
}

void PilotSeat::Hands(const flight::ControlInputs& demands) {
    const bool asking =
        demands.pitch != 0 || demands.roll != 0 || demands.yaw != 0 || demands.throttle != last.throttle;
    if (autopilotFlying && !asking) return;
    autopilotFlying = false;
    hands = demands;
}

void PilotSeat::SetThrottle(double throttle) {
    autopilotFlying = false;
    hands.throttle = std::clamp(throttle, 0.0, 1.0);
    // Until the next step, the throttle the hands move on from.
    last.throttle = hands.throttle;
}

void PilotSeat::ToggleAutopilot() {
    autopilotFlying = !autopilotFlying;
    // Let go, with the throttle where the autopilot left it.
    if (!autopilotFlying) hands = {0, 0, 0, last.throttle};
}

}  // namespace quorvel::live
