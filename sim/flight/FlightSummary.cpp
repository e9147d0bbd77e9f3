#include "sim/flight/FlightSummary.h"

#include <algorithm>

#include "sim/flight/Body.h"
#include "sim/flight/Orbit.h"

namespace quorvel::flight {

void FlightSummary::Update(const FlightModel& model) {
    const FlightReadings& r = model.Readings();
    const FlightState& s = model.State();
    const double t = model.TimeS();
    if (!tookOff && !r.landed) {
        tookOff = true;
        takeOffTimeS = t;
    }
    if (!burntOut && s.mainPropellantKg <= 0) {
        burntOut = true;
        burnOutTimeS = t;
        burnOutAltitudeM = r.altitudeM;
        burnOutSpeedMps = r.airspeedMps;
        const OrbitShape orbit = OrbitThrough(s.positionM, s.velocityMps);
        burnOutApoapsisAltitudeM = orbit.apoapsisDistanceM ? *orbit.apoapsisDistanceM - kBodyRadiusM : 0;
    }
    if (r.altitudeM > maxAltitudeM) {
        maxAltitudeM = r.altitudeM;
        maxAltitudeTimeS = t;
    }
    maxMach = std::max(maxMach, r.mach);
    maxGLoad = std::max(maxGLoad, Norm(r.specificForceMps2) / kStandardGravityMps2);
    maxDynamicPressurePa = std::max(maxDynamicPressurePa, r.dynamicPressurePa);
    finalAltitudeM = r.altitudeM;
}

}  // namespace quorvel::flight
