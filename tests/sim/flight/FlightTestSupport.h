// Vessels placed for the flight-model tests: over the equator at
// longitude 0, where east is inertial +y and north +z.
#pragma once

#include <cmath>

#include "sim/flight/Angles.h"
#include "sim/flight/Body.h"
#include "sim/flight/FlightModel.h"
#include "sim/flight/HorizonFrame.h"

namespace quorvel::test {

// Flying east at a speed along the local horizontal, nose pitched and
// turned as given, tanks as given.
inline flight::FlightModel InFlight(double altitudeM, double speedMps,
                                    flight::EulerAngles attitude = {0, 0, 90 * flight::kRadiansPerDegree},
                                    double mainKg = 0, double rcsKg = 150) {
    flight::FlightState s;
    s.positionM = {flight::kBodyRadiusM + altitudeM, 0, 0};
    const flight::HorizonFrame horizon = flight::HorizonAt(s.positionM);
    s.velocityMps = speedMps * horizon.east;
    s.attitude = flight::AttitudeFrom(horizon, attitude);
    s.mainPropellantKg = mainKg;
    s.rcsPropellantKg = rcsKg;
    flight::FlightModel model;
    model.PlaceInFlight(s);
    return model;
}

inline double SpecificEnergy(const flight::FlightModel& model) {
    const flight::FlightState& s = model.State();
    return Dot(s.velocityMps, s.velocityMps) / 2 - flight::kGravityParameterM3ps2 / Norm(s.positionM);
}

inline double AngleBetween(const flight::Vec3& a, const flight::Vec3& b) {
    return std::atan2(Norm(Cross(a, b)), Dot(a, b));
}

}  // namespace quorvel::test
