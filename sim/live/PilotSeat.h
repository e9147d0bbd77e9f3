// Who flies a flown vessel in the live window: the scenario's own pilot
// (the default autopilot, or its schedule of controls) or the hands on the
// keyboard and game controller. The hands take over the moment they ask
// for anything; the autopilot key gives the controls back, or takes them
// again. Whoever takes over starts from the throttle the other left.
#pragma once

#include "sim/flight/ControlInputs.h"
#include "sim/flight/DefaultFlight.h"

namespace quorvel::live {

class PilotSeat {
public:
    // The autopilot flies at first.
    explicit PilotSeat(flight::ControlLaw autopilot);

    // The controls for the next step, as the flight model's control law.
    flight::ControlInputs Controls(double timeS, const flight::FlightModel& model);

    // The hands' demands for the next step (sim/live/PilotControls.h):
    // any deflection, or a throttle other than the last, takes over.
    void Hands(const flight::ControlInputs& demands);
    // Full throttle or cut: taking over, too.
    void SetThrottle(double throttle);
    void ToggleAutopilot();

    bool AutopilotFlying() const { return autopilotFlying; }
    // Where the throttle was left by the last step.
    double Throttle() const { return last.throttle; }

private:
    flight::ControlLaw autopilot;
    bool autopilotFlying = true;
    flight::ControlInputs hands;
    flight::ControlInputs last;
};

}  // namespace quorvel::live
