// The plain record a bench-host vessel answers the module's queries from.
// The flight model (or a test) writes it; the VESSEL queries only read it.
#pragma once

#include <vector>

#include "host/HostTypes.h"

namespace quorvel::sim {

struct PropellantTank {
    double mass = 0;     // kg
    double maxMass = 0;  // kg
};

struct Thruster {
    double maxThrust = 0;        // N, in vacuum
    double exhaustVelocity = 0;  // m/s, in vacuum
    int tank = 0;                // index of the tank it burns, or -1
};

struct VesselState {
    double altitude = 0;             // m above the mean radius
    double airspeed = 0;             // m/s, true airspeed
    double mach = 0;
    double atmDensity = 0;           // kg/m^3
    double atmPressure = 0;          // Pa
    double pitch = 0;                // rad
    double bank = 0;                 // rad, right wing down (GetBank answers minus this)
    double heading = 0;              // rad
    double aoa = 0;                  // rad
    double slip = 0;                 // rad
    VECTOR3 shipAirspeed{};          // m/s, vessel frame, z forward
    VECTOR3 horizonAirspeed{};       // m/s, horizon frame, y up
    bool hasAirspeedVectors = true;  // false above the atmosphere's edge
    VECTOR3 angularVelocity{};       // rad/s about x, y, z of the vessel
    double mainEngineLevel = 0;      // 0 to 1
    VECTOR3 position{};              // m from the body centre
    VECTOR3 velocity{};              // m/s
    bool landed = false;
    bool hasApoapsis = false;
    double apoapsisDistance = 0;     // m from the body centre
    bool headingAvailable = true;    // whether hlvGetHeading succeeds
    std::vector<PropellantTank> tanks;
    std::vector<Thruster> thrusters;
};

}  // namespace quorvel::sim
