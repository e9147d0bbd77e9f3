// The two-body orbit through a state vector about the body's centre.
#pragma once

#include <optional>

#include "sim/flight/Body.h"
#include "sim/flight/Vector.h"

namespace quorvel::flight {

struct OrbitShape {
    double specificEnergyJpkg = 0;  // v^2/2 - mu/r
    double eccentricity = 0;        // |e|; 1 on a radial path
    // Distance of the highest point from the centre, m; empty when the path
    // is not bound (energy zero or more) or the state is degenerate (at the
    // centre, or not finite).
    std::optional<double> apoapsisDistanceM;
};

// Position (m) and velocity (m/s) relative to the centre, inertial frame.
OrbitShape OrbitThrough(const Vec3& positionM, const Vec3& velocityMps,
                        double gravityParameterM3ps2 = kGravityParameterM3ps2);

}  // namespace quorvel::flight
