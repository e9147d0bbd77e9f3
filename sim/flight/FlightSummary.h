// Figures of a flight, gathered step by step: burn-out, the highest
// point, extremes of speed and load. For the bench host's report and for
// tests.
#pragma once

#include "sim/flight/FlightModel.h"

namespace quorvel::flight {

struct FlightSummary {
    bool tookOff = false;
    double takeOffTimeS = 0;
    bool burntOut = false;
    double burnOutTimeS = 0;
    double burnOutAltitudeM = 0;
    double burnOutSpeedMps = 0;
    double burnOutApoapsisAltitudeM = 0;  // predicted at burn-out; 0 if unbound
    double maxAltitudeM = 0;
    double maxAltitudeTimeS = 0;
    double maxMach = 0;
    double maxGLoad = 0;  // from the specific force, g0 = 9.80665 m/s^2
    double maxDynamicPressurePa = 0;
    double finalAltitudeM = 0;

    // Call after each step.
    void Update(const FlightModel& model);
};

}  // namespace quorvel::flight
