#include "sim/flight/Angles.h"
#include "sim/flight/HorizonFrame.h"

#include <algorithm>
#include <cmath>

namespace quorvel::flight {

namespace {

// cos(pitch) below this counts as nose straight up or down (0.0026 deg).
constexpr double kVerticalCosPitch = 1e-6;

double WrapHeading(double headingRad) {
    double h = std::fmod(headingRad, kTurnRad);
    if (h < 0) h += kTurnRad;
    return h < kTurnRad ? h : 0.0;  // -tiny wraps up to 2 pi itself
}

}  // namespace

HorizonFrame HorizonAt(const Vec3& positionM) {
    const Vec3 up = Normalized(positionM);
    if (Norm(up) == 0) return {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    Vec3 east = Normalized(Cross({0, 0, 1}, up));
    if (Norm(east) == 0) east = {0, 1, 0};
    return {east, Cross(up, east), up};
}

Quaternion AttitudeFrom(const HorizonFrame& horizon, const EulerAngles& angles) {
    const double cp = std::cos(angles.pitchRad), sp = std::sin(angles.pitchRad);
    const double ch = std::cos(angles.headingRad), sh = std::sin(angles.headingRad);
    const double cb = std::cos(angles.bankRad), sb = std::sin(angles.bankRad);
    const Vec3 level = ch * horizon.north + sh * horizon.east;
    const Vec3 forward = cp * level + sp * horizon.up;
    const Vec3 rightLevel = -sh * horizon.north + ch * horizon.east;
    const Vec3 downUnbanked = Cross(forward, rightLevel);
    // Banking right turns the right wing towards the belly.
    const Vec3 right = cb * rightLevel + sb * downUnbanked;
    const Vec3 down = -sb * rightLevel + cb * downUnbanked;
    return FromAxes(forward, right, down);
}

EulerAngles EulerAnglesOf(const HorizonFrame& horizon, const Quaternion& attitude) {
    const Vec3 forward = Rotate(attitude, {1, 0, 0});
    const Vec3 right = Rotate(attitude, {0, 1, 0});
    const Vec3 down = Rotate(attitude, {0, 0, 1});
    EulerAngles angles;
    const double sinPitch = std::clamp(Dot(forward, horizon.up), -1.0, 1.0);
    angles.pitchRad = std::asin(sinPitch);
    if (std::sqrt(1 - sinPitch * sinPitch) < kVerticalCosPitch) {
        // Pitched up from level the belly faces the old heading; pitched
        // down, the back does.
        const Vec3 belly = sinPitch > 0 ? down : -down;
        angles.headingRad = WrapHeading(std::atan2(Dot(belly, horizon.east), Dot(belly, horizon.north)));
        return angles;
    }
    angles.headingRad = WrapHeading(std::atan2(Dot(forward, horizon.east), Dot(forward, horizon.north)));
    angles.bankRad = std::atan2(-Dot(right, horizon.up), -Dot(down, horizon.up));
    return angles;
}

}  // namespace quorvel::flight
