// The body the bench host flies about: a sphere of the module's own
// reference radius, not rotating, with inverse-square gravity. Its centre
// is the origin of the inertial frame every position and velocity is in.
#pragma once

#include "sim/flight/Vector.h"

namespace quorvel::flight {

inline constexpr double kBodyRadiusM = 6371010;
inline constexpr double kGravityParameterM3ps2 = 3.986004418e14;
inline constexpr double kStandardGravityMps2 = 9.80665;

// Gravitational acceleration at a position (m from the centre), m/s^2;
// zero at the centre itself, where it has no direction.
inline Vec3 GravityAt(const Vec3& positionM) {
    const double r = Norm(positionM);
    if (!(r > 0)) return {};
    return (-kGravityParameterM3ps2 / (r * r * r)) * positionM;
}

inline double AltitudeOf(const Vec3& positionM) { return Norm(positionM) - kBodyRadiusM; }

}  // namespace quorvel::flight
