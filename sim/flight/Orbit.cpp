#include "sim/flight/Orbit.h"

#include <cmath>

namespace quorvel::flight {

OrbitShape OrbitThrough(const Vec3& positionM, const Vec3& velocityMps, double gravityParameterM3ps2) {
    OrbitShape shape;
    const double mu = gravityParameterM3ps2;
    const double r = Norm(positionM);
    if (!(r > 0) || !IsFinite(positionM) || !IsFinite(velocityMps) || !(mu > 0) || !std::isfinite(mu)) return shape;

    const double v2 = Dot(velocityMps, velocityMps);
    shape.specificEnergyJpkg = v2 / 2 - mu / r;
    const Vec3 e = (1 / mu) * ((v2 - mu / r) * positionM - Dot(positionM, velocityMps) * velocityMps);
    shape.eccentricity = Norm(e);
    // A radial path needs no special case: the formula gives |e| = 1 there,
    // and r_a = 2a follows.
    if (shape.specificEnergyJpkg < 0) {
        const double semiMajorAxisM = -mu / (2 * shape.specificEnergyJpkg);
        shape.apoapsisDistanceM = semiMajorAxisM * (1 + shape.eccentricity);
    }
    return shape;
}

}  // namespace quorvel::flight
