#include "sim/flight/AeroForces.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <utility>

namespace quorvel::flight {

namespace {

constexpr double kSubsonicLiftSlope = 3.5;
constexpr double kMinLiftSlope = 1.0;
constexpr double kCrossflowDrag = 1.2;

constexpr std::array<std::pair<double, double>, 6> kZeroLiftDrag{{
    {0.0, 0.07},
    {0.8, 0.07},
    {1.1, 0.12},
    {2.0, 0.09},
    {3.0, 0.07},
    {6.0, 0.05},
}};

}  // namespace

AirflowAngles AirflowAnglesOf(const Vec3& airVelocityBody) {
    const Vec3& v = airVelocityBody;
    if (!IsFinite(v)) return {};
    return {std::atan2(v.z, v.x), std::atan2(v.y, std::hypot(v.x, v.z))};
}

double LiftCurveSlopePerRad(double mach) {
    if (!(mach > 1)) return kSubsonicLiftSlope;
    const double supersonic = 4 / std::sqrt(mach * mach - 1);
    return std::clamp(supersonic, kMinLiftSlope, kSubsonicLiftSlope);
}

double ZeroLiftDragCoefficient(double mach) {
    if (!(mach > kZeroLiftDrag.front().first)) return kZeroLiftDrag.front().second;
    for (std::size_t i = 1; i < kZeroLiftDrag.size(); ++i) {
        const auto [m1, c1] = kZeroLiftDrag[i];
        if (mach <= m1) {
            const auto [m0, c0] = kZeroLiftDrag[i - 1];
            return c0 + (c1 - c0) * (mach - m0) / (m1 - m0);
        }
    }
    return kZeroLiftDrag.back().second;
}

Vec3 AeroForceBody(const Aerodynamics& aero, const Vec3& airVelocityBody, double densityKgpm3, double mach) {
    const double speedMps = Norm(airVelocityBody);
    if (!(speedMps > 0) || !(densityKgpm3 > 0) || !std::isfinite(speedMps)) return {};
    const double qS = 0.5 * densityKgpm3 * speedMps * speedMps * aero.wingAreaM2;
    const AirflowAngles angles = AirflowAnglesOf(airVelocityBody);
    const double sa = std::sin(angles.aoaRad), ca = std::cos(angles.aoaRad);

    const double lift = LiftCurveSlopePerRad(mach) * sa * ca;
    const double drag = ZeroLiftDragCoefficient(mach) +
                        lift * lift / (std::numbers::pi * aero.aspectRatio * aero.oswaldFactor) +
                        kCrossflowDrag * std::fabs(sa * sa * sa);
    const double side = aero.sideForceSlopePerRad * angles.sideslipRad;

    // Lift is square to the airflow in the plane of symmetry, towards the
    // vessel's top at positive angles of attack.
    const Vec3 liftAxis{sa, 0, -ca};
    const Vec3 dragAxis = (-1 / speedMps) * airVelocityBody;
    return qS * (lift * liftAxis + drag * dragAxis + Vec3{0, side, 0});
}

}  // namespace quorvel::flight
