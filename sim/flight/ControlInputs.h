// What the pilot, an autopilot or a script sets for one step.
#pragma once

namespace quorvel::flight {

struct ControlInputs {
    double pitch = 0;     // -1 to 1, nose up
    double roll = 0;      // -1 to 1, right wing down
    double yaw = 0;       // -1 to 1, nose right
    double throttle = 0;  // 0 to 1, main engine
};

}  // namespace quorvel::flight
