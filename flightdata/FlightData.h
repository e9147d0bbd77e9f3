// The page's per-step sample of its vessel, in display units.
//
// sample() is called once per simulation step and is the only place the
// vessel is queried for these values; painting reads the fields directly.
// It derives three values itself: the equivalent airspeed from pressure and
// density, its rate (refreshed at gaps of more than 0.1 s) and the g-load
// from successive velocities and an inverse-square gravity model. Values
// are stored as the host gives them, non-finite ones included.
#pragma once

#include "host/HostTypes.h"

class VESSEL;

namespace quorvel {

class FlightData {
public:
    explicit FlightData(VESSEL* vessel);

    void sample(double simTime);
    double computeGLoad(double simTime);

    double altitude = 0;          // m
    double airspeed = 0;          // m/s, true airspeed
    double forwardAirspeed = 0;   // m/s, vessel z, never negative
    double verticalSpeed = 0;     // m/s
    double verticalSpeedFpm = 0;  // ft/min
    double pitch = 0;             // deg
    double bank = 0;              // deg
    double heading = 0;           // deg
    double pitchRate = 0;         // deg/s
    double rollRate = 0;          // deg/s
    double yawRate = 0;           // deg/s, positive to the right
    double mach = 0;
    double eas = 0;               // kt, equivalent airspeed
    double altitudeFt = 0;        // ft
    double easRate = 0;           // kt/s
    double aoa = 0;               // deg
    double slip = 0;              // deg
    double engineLevel = 0;
    VECTOR3 horizonAirspeed{};    // m/s
    double gLoad = 1.0;           // g (9.81 m/s^2)
    VESSEL* vessel;
    double easAtRateSample = 0;   // kt
    double rateSampleTime = 0;    // s
    VECTOR3 prevVelocity{};       // m/s
    double prevSampleTime = 0;    // s

private:
    // The steps of sample(), in their order.
    void sampleSpeeds();
    void sampleAttitude();
    void sampleAirData();
    double equivalentAirspeed() const;
    void updateEasRate(double simTime);
};

// Conversion factors of the display units.
inline constexpr double kDegreesPerRadian = 57.29577951308238;
inline constexpr double kKnotsPerMetrePerSecond = 1.94384449;
inline constexpr double kFeetPerMetre = 3.2808399;

}  // namespace quorvel
