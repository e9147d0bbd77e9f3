// Vessels placed for the flight-model tests: over the equator at
// longitude 0, where east is inertial +y and north +z.
#pragma once

#include <cmath>

#include "sim/flight/Angles.h"
#include "sim/flight/Body.h"
#include "sim/flight/FlightModel.h"
#include "sim/flight/HorizonFrame.h"

namespace quorvel::flight {

// Flying east at a speed along the local horizontal, nose pitched and
// turned as given, tanks as given.
inline FlightModel InFlight(double altitudeM, double speedMps, EulerAngles attitude = {0, 0, 90 * kRadiansPerDegree},
                            double mainKg = 0, double rcsKg = 150) {
    FlightState s;
    s.positionM = {kBodyRadiusM + altitudeM, 0, 0};
    const HorizonFrame horizon = HorizonAt(s.positionM);
    s.velocityMps = speedMps * horizon.east;
    s.attitude = AttitudeFrom(horizon, attitude);
    s.mainPropellantKg = mainKg;
    s.rcsPropellantKg = rcsKg;
    FlightModel model;
    model.PlaceInFlight(s);
    return model;
}

inline double SpecificEnergy(const FlightModel& model) {
    const FlightState& s = model.State();
    return Dot(s.velocityMps, s.velocityMps) / 2 - kGravityParameterM3ps2 / Norm(s.positionM);
}

inline double AngleBetween(const Vec3& a, const Vec3& b) {
    return std::atan2(Norm(Cross(a, b)), Dot(a, b));
}

}  // namespace quorvel::flight
