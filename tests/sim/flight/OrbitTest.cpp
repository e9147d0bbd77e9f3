#include "sim/flight/Orbit.h"

#include <gtest/gtest.h>

#include <limits>

namespace quorvel::flight {
namespace {

struct OrbitCase {
    const char* name;
    Vec3 positionM;
    Vec3 velocityMps;
    double energyJpkg;
    double eccentricity;
    double apoapsisM;  // 0 for none
};

// Five orbits through a point on the x axis, their figures worked out by
// hand: a circle at 7000 km, an ellipse from 6778 km at 8 km/s, a
// suborbital hop, a hyperbola at 11 km/s and a straight radial climb.
constexpr OrbitCase kCases[] = {
    {"circular", {7e6, 0, 0}, {0, 7546.053, 0}, -2.847146e7, 0, 7000000},
    {"ellipse", {6778137, 0, 0}, {0, 8000, 0}, -2.680678e7, 0.0883098, 8091249.6},
    {"suborbital", {6424000, 0, 0}, {1100, 1300, 0}, -6.059864e7, 0.9730363, 6489033.2},
    {"hyperbolic", {6778137, 0, 0}, {0, 11000, 0}, +1.693216e6, 1.0576, 0},
    {"radial", {6471000, 0, 0}, {2000, 0, 0}, -5.959797e7, 1, 6688155.1},
};

TEST(OrbitTest, EnergyEccentricityAndApoapsisOfFiveOrbits) {
    for (const OrbitCase& example : kCases) {
        const OrbitShape shape = OrbitThrough(example.positionM, example.velocityMps);
        EXPECT_NEAR(shape.specificEnergyJpkg, example.energyJpkg, std::fabs(example.energyJpkg) * 1e-6)
            << example.name;
        EXPECT_NEAR(shape.eccentricity, example.eccentricity, 1e-4) << example.name;
        if (example.apoapsisM == 0) {
            EXPECT_FALSE(shape.apoapsisDistanceM) << example.name;
        } else {
            ASSERT_TRUE(shape.apoapsisDistanceM) << example.name;
            EXPECT_NEAR(*shape.apoapsisDistanceM, example.apoapsisM, 1.0) << example.name;
        }
    }
}

TEST(OrbitTest, TheSameOrbitFromAnyDirection) {
    // The suborbital case turned into the y-z plane and falling: the orbit
    // does not care where it is or which way it goes round.
    const OrbitShape shape = OrbitThrough({0, 0, 6424000}, {0, -1300, -1100});
    ASSERT_TRUE(shape.apoapsisDistanceM);
    EXPECT_NEAR(*shape.apoapsisDistanceM, 6489033.2, 1.0);
}

TEST(OrbitTest, EscapeSpeedOrDegenerateStatesHaveNoApoapsis) {
    const double r = 7e6;
    const double escape = std::sqrt(2 * kGravityParameterM3ps2 / r);
    EXPECT_FALSE(OrbitThrough({r, 0, 0}, {0, escape * (1 + 1e-12), 0}).apoapsisDistanceM);
    EXPECT_TRUE(OrbitThrough({r, 0, 0}, {0, escape * (1 - 1e-9), 0}).apoapsisDistanceM);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(OrbitThrough({}, {0, 100, 0}).apoapsisDistanceM);
    EXPECT_FALSE(OrbitThrough({nan, 0, 0}, {}).apoapsisDistanceM);
    EXPECT_FALSE(OrbitThrough({r, 0, 0}, {0, nan, 0}).apoapsisDistanceM);
}

}  // namespace
}  // namespace quorvel::flight
