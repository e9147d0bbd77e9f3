// What the flight model knows of a vessel: masses, engines, wing and
// control power. DemoVessel() is the rocket research aircraft the bench
// host flies; figures marked rough are estimates that only need to give a
// credible flight.
#pragma once

#include <array>

namespace quorvel::flight {

// Body axes (x forward, y right, z down) by index.
enum Axis : int { kRoll = 0, kPitch = 1, kYaw = 2 };

struct MainEngine {
    double vacuumThrustN = 262000;
    double vacuumExhaustVelocityMps = 2736;  // 279 s
    double nozzleExitAreaM2 = 0.371;         // thrust = vacuum thrust - p * area
    double minThrottle = 0.5;                // lowest level it burns at once lit
};

// One reaction-control thruster: a pure couple about one body axis.
struct RcsThruster {
    int axis = kPitch;
    double sign = 1;  // direction of the angular acceleration it gives
    double thrustN = 0;
    double armM = 0;
    double exhaustVelocityMps = 0;
};

struct Aerodynamics {
    double wingAreaM2 = 18.6;
    double aspectRatio = 2.5;
    double oswaldFactor = 0.8;
    double sideForceSlopePerRad = -0.8;  // rough, fuselage and fins
};

struct VesselConfig {
    double emptyMassKg = 6600;
    double mainTankCapacityKg = 10500;
    double rcsTankCapacityKg = 150;
    MainEngine engine;
    std::array<RcsThruster, 6> rcs{{
        // Hydrogen peroxide, about 140 s: nose pitch and yaw, wing-tip roll.
        {kPitch, +1, 500, 7.0, 1373},
        {kPitch, -1, 500, 7.0, 1373},
        {kYaw, +1, 500, 7.0, 1373},
        {kYaw, -1, 500, 7.0, 1373},
        {kRoll, +1, 400, 3.3, 1373},
        {kRoll, -1, 400, 3.3, 1373},
    }};
    Aerodynamics aero;

    // Rotation (rough). The control system holds the demanded body rate:
    // demand 1 asks for maxRateRadps, reached with a first-order lag of
    // rateTimeConstantS as far as the control surfaces and the RCS can
    // push. Surfaces give an angular acceleration that grows with the
    // dynamic pressure: surfaceAccelPerPa[axis] * q.
    std::array<double, 3> momentOfInertiaKgm2{4950, 108500, 111000};
    std::array<double, 3> maxRateRadps{0.8, 0.15, 0.1};
    double rateTimeConstantS = 0.5;
    std::array<double, 3> surfaceAccelPerPa{5.0e-4, 5.8e-5, 1.1e-5};  // rad/s^2 per Pa

    // On the runway.
    double rollingFriction = 0.02;
    double maxGroundPitchRad = 0.26;  // tail on the runway at about 15 deg
};

inline VesselConfig DemoVessel() { return {}; }

}  // namespace quorvel::flight
