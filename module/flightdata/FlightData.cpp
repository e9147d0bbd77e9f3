#include "module/flightdata/FlightData.h"

#include <cmath>

#include "host/HostFunctions.h"
#include "host/Vessel.h"
#include "module/units/Units.h"

namespace quorvel {

namespace {

constexpr double kEasRateGap = 0.1;            // s; the rate refreshes after longer gaps
constexpr double kMinDensity = 1e-6;           // kg/m^3; below it there is no air
constexpr double kMinSpeedOfSound = 1e-6;      // kt
constexpr double kSeaLevelSpeedOfSound = 661.47;  // kt
constexpr double kReferencePressure = 101400;  // Pa
constexpr double kGravityParameterKm = 397779730;  // m/s^2 times km^2: 9.8 m/s^2 at 6371.01 km

}  // namespace

FlightData::FlightData(VESSEL* vessel) : vessel(vessel) {}

void FlightData::sample(double simTime) {
    sampleSpeeds();
    sampleAttitude();
    sampleAirData();
    eas = equivalentAirspeed();
    updateEasRate(simTime);
    gLoad = computeGLoad(simTime);
}

void FlightData::sampleSpeeds() {
    altitude = vessel->GetAltitude();
    VECTOR3 shipAirspeed{};
    vessel->GetShipAirspeedVector(shipAirspeed);
    forwardAirspeed = shipAirspeed.z >= 0 ? shipAirspeed.z : 0;
    airspeed = vessel->GetAirspeed();
}

void FlightData::sampleAttitude() {
    const double D = kDegreesPerRadian;
    pitch = vessel->GetPitch() * D;
    bank = vessel->GetBank() * D;

    // A failed heading query leaves the last heading in place rather than
    // converting whatever the call left behind once more.
    double headingRadians = 0;
    if (hlvGetHeading(vessel->GetHandle(), &headingRadians) != 0) heading = headingRadians * D;

    VECTOR3 w{};
    vessel->GetAngularVel(w);
    pitchRate = w.x * D;
    rollRate = w.z * D;
    yawRate = -(w.y * D);
}

void FlightData::sampleAirData() {
    const double D = kDegreesPerRadian;
    mach = vessel->GetMachNumber();
    aoa = vessel->GetAOA() * D;
    slip = vessel->GetSlipAngle() * D;

    vessel->GetHorizonAirspeedVector(horizonAirspeed);
    verticalSpeed = horizonAirspeed.y;
    verticalSpeedFpm = horizonAirspeed.y * 60 * kFeetPerMetre;

    engineLevel = vessel->GetEngineLevel(ENGINE_MAIN);
    altitudeFt = altitude * kFeetPerMetre;
}

// The sea-level speed of sound times the Mach number of the longitudinal
// airspeed times the root of the pressure ratio; 0 without air.
double FlightData::equivalentAirspeed() const {
    if (vessel->GetAtmDensity() < kMinDensity) return 0;
    const double speedOfSound =
        std::sqrt(1.4 * vessel->GetAtmPressure() / vessel->GetAtmDensity()) * kKnotsPerMetrePerSecond;
    if (!(speedOfSound > kMinSpeedOfSound)) return 0;
    return kSeaLevelSpeedOfSound * std::sqrt(vessel->GetAtmPressure() / kReferencePressure) / speedOfSound *
           (forwardAirspeed * kKnotsPerMetrePerSecond);
}

void FlightData::updateEasRate(double simTime) {
    const double rateGap = simTime - rateSampleTime;
    if (rateGap > kEasRateGap) {
        easRate = (eas - easAtRateSample) / rateGap;
        easAtRateSample = eas;
        rateSampleTime = simTime;
    } else if (!(rateGap >= 0)) {
        // Time went backwards (a reloaded scenario) or is not a number:
        // measure the next rate from here instead of waiting for the old
        // time to come round again.
        easAtRateSample = eas;
        rateSampleTime = simTime;
    }
}

double FlightData::computeGLoad(double simTime) {
    VESSELSTATUS status{};
    vessel->GetStatus(status);
    const VECTOR3& P = status.position;
    const VECTOR3& V = status.velocity;

    const double dt = simTime - prevSampleTime;
    if (!(dt > 0)) {
        // No time has passed (or it ran back): there is no acceleration to
        // difference, so keep the last reading and start again from here.
        prevVelocity = V;
        prevSampleTime = simTime;
        return gLoad;
    }
    const VECTOR3 A{(V.x - prevVelocity.x) / dt, (V.y - prevVelocity.y) / dt, (V.z - prevVelocity.z) / dt};
    const double r = std::sqrt(P.x * P.x + P.y * P.y + P.z * P.z);
    const double rKm = r / 1000;
    prevVelocity = V;

    // The specific force is the acceleration less gravity; gravity points
    // to the centre, so its negative is the outward radial unit vector
    // scaled by gr. At the very centre there is no direction to scale.
    VECTOR3 S = A;
    if (r > 0) {
        const double gr = kGravityParameterKm / rKm / rKm;
        S = VECTOR3{A.x + P.x / r * gr, A.y + P.y / r * gr, A.z + P.z / r * gr};
    }
    prevSampleTime = simTime;
    return std::sqrt(S.x * S.x + S.y * S.y + S.z * S.z) / kMetresPerSecondSquaredPerG;
}

}  // namespace quorvel
