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

    double altitude = 0;          // m above the surface
    double airspeed = 0;          // m/s, true airspeed
    double forwardAirspeed = 0;   // m/s along the vessel's nose (z), never negative
    double verticalSpeed = 0;     // m/s, climbing positive
    double verticalSpeedFpm = 0;  // ft/min, climbing positive
    double pitch = 0;             // deg, nose above the horizon positive
    double bank = 0;              // deg, left wing down positive (as the host's GetBank: a right bank reads negative)
    double heading = 0;           // deg, 0 to 360 from north through east
    double pitchRate = 0;         // deg/s, nose rising positive
    double rollRate = 0;          // deg/s, right wing going down positive
    double yawRate = 0;           // deg/s, nose swinging right positive
    double mach = 0;
    double eas = 0;               // kt, equivalent airspeed
    double altitudeFt = 0;        // ft above the surface
    double easRate = 0;           // kt/s, gaining speed positive
    double aoa = 0;               // deg, nose above the airflow positive
    double slip = 0;              // deg, nose right of the airflow positive
    double engineLevel = 0;       // main engines' throttle, 0 to 1
    VECTOR3 horizonAirspeed{};    // m/s in the horizon frame: x east, y up, z north
    double gLoad = 1.0;           // g (9.81 m/s^2), the specific force's magnitude
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

}  // namespace quorvel
