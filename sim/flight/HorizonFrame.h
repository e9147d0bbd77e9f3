// The local horizon at a position over the body, and the vessel's attitude
// against it. Vessel body axes are x forward, y right, z down (right-
// handed); the horizon frame is east, north, up (right-handed), with north
// towards the inertial +z pole. Attitudes are quaternions taking body
// components to inertial ones.
#pragma once

#include "sim/flight/Vector.h"

namespace quorvel::flight {

struct HorizonFrame {
    Vec3 east;
    Vec3 north;
    Vec3 up;
};

// The horizon at a position (inertial, from the centre). At the poles,
// where east is undefined, east is taken along inertial +y; at the centre
// the frame is the inertial axes.
HorizonFrame HorizonAt(const Vec3& positionM);

struct EulerAngles {
    double pitchRad = 0;    // nose above the horizon, -pi/2 to pi/2
    double bankRad = 0;     // right wing down, -pi to pi
    double headingRad = 0;  // nose from north towards east, 0 to 2 pi
};

Quaternion AttitudeFrom(const HorizonFrame& horizon, const EulerAngles& angles);
// With the nose straight up or down, heading and bank are one rotation;
// it is given to the heading, and the bank reads 0.
EulerAngles EulerAnglesOf(const HorizonFrame& horizon, const Quaternion& attitude);

}  // namespace quorvel::flight
