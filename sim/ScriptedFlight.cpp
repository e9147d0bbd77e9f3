#include "sim/ScriptedFlight.h"

#include <algorithm>
#include <cmath>

namespace quorvel::sim {

namespace {

constexpr double kBodyRadius = 6371010;   // m
constexpr double kRollTime = 20;          // s of take-off roll
constexpr double kRollAcceleration = 5;   // m/s^2 on the runway
constexpr double kClimbAcceleration = 8;  // m/s^2 along the path once airborne
constexpr double kClimbAngle = 0.5;       // rad of flight-path angle
constexpr double kPi = 3.14159265358979;

// A rough exponential atmosphere: enough for a moving airspeed dial.
void Air(double altitude, double& density, double& pressure, double& speedOfSound) {
    const double h = std::max(altitude, 0.0);
    density = 1.225 * std::exp(-h / 8500);
    pressure = 101325 * std::exp(-h / 8000);
    speedOfSound = 340.3 - 0.0039 * std::min(h, 11000.0);
}

}  // namespace

void ScriptedFlightState(double t, VesselState& s) {
    t = std::max(t, 0.0);
    double speed = 0;
    double distance = 0;
    double altitude = 0;
    double pathAngle = 0;
    if (t <= kRollTime) {
        speed = kRollAcceleration * t;
    } else {
        const double climb = t - kRollTime;
        const double rollSpeed = kRollAcceleration * kRollTime;
        speed = rollSpeed + kClimbAcceleration * climb;
        pathAngle = kClimbAngle * std::min(climb / 10, 1.0);
        distance = (rollSpeed + kClimbAcceleration * climb / 2) * climb;
        altitude = distance * std::sin(kClimbAngle) * std::min(climb / 20, 1.0);
    }

    double density = 0, pressure = 0, speedOfSound = 0;
    Air(altitude, density, pressure, speedOfSound);
    const double aoa = t > kRollTime ? 0.05 : 0.0;
    const double vertical = speed * std::sin(pathAngle);
    const double horizontal = speed * std::cos(pathAngle);

    s.altitude = altitude;
    s.airspeed = speed;
    s.mach = speed / speedOfSound;
    s.atmDensity = density;
    s.atmPressure = pressure;
    s.pitch = pathAngle + aoa;
    s.bank = 0.1 * std::sin(t / 7);
    s.heading = 90 * kPi / 180;  // runway heading east
    s.aoa = aoa;
    s.slip = 0;
    s.shipAirspeed = {0, -speed * std::sin(aoa), speed * std::cos(aoa)};
    s.horizonAirspeed = {horizontal, vertical, 0};
    s.angularVelocity = {t > kRollTime && t < kRollTime + 10 ? kClimbAngle / 10 : 0.0, 0, 0.1 / 7 * std::cos(t / 7)};
    s.mainEngineLevel = 1;
    s.position = {kBodyRadius + altitude, 0, 0};
    s.velocity = {vertical, horizontal, 0};
    s.landed = t <= kRollTime;
    s.hasApoapsis = true;
    s.apoapsisDistance = kBodyRadius + altitude + vertical * vertical / (2 * 9.8);
    s.tanks = {{std::max(8000 - 32 * t, 0.0), 8000}, {150 - 0.1 * t, 150}};
    s.thrusters = {{262000, 2736, 0}, {1000, 1000, 1}};
}

}  // namespace quorvel::sim
