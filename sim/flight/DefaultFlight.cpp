#include "sim/flight/DefaultFlight.h"

#include <algorithm>
#include <cmath>

#include "sim/flight/Angles.h"
#include "sim/flight/Body.h"
#include "sim/flight/HorizonFrame.h"

namespace quorvel::flight {

namespace {


constexpr double kRunwayHeadingRad = 90 * kRadiansPerDegree;
// A few seconds at rest with the engine off before the roll.
constexpr double kEngineStartS = 5;
constexpr double kRotateSpeedMps = 115;
constexpr double kRotatePitchRad = 12 * kRadiansPerDegree;
constexpr double kPullUpAoaRad = 12 * kRadiansPerDegree;
constexpr double kClimbPitchRad = 60 * kRadiansPerDegree;
constexpr double kPullUpGLimit = 3.5;
constexpr double kEntryAoaRad = 30 * kRadiansPerDegree;
constexpr double kEntryGLimit = 4.5;
constexpr double kGlideAoaRad = 5 * kRadiansPerDegree;
constexpr double kGlidePathRad = -3 * kRadiansPerDegree;
constexpr double kGlidePathGain = 2;  // angle of attack per flight-path error
// Seconds for each attitude error to close at the rate it asks for.
constexpr double kPitchTimeS = 1.5;
constexpr double kRollTimeS = 1.0;
constexpr double kYawTimeS = 3.0;

double WrapAngle(double rad) { return std::remainder(rad, kTurnRad); }

double GLoad(const FlightModel& model) {
    return Norm(model.Readings().specificForceMps2) / kStandardGravityMps2;
}

// An angle of attack, eased off in proportion as the load passes a limit.
double LimitedAoa(double aoaRad, double gLoad, double gLimit) {
    return aoaRad * std::clamp(1 - (gLoad - gLimit) / 1.5, 0.0, 1.0);
}

}  // namespace

FlightModel DefaultFlightStart() {
    FlightModel model;
    model.PlaceOnRunway(0, 0, kRunwayHeadingRad);
    return model;
}

double FlightPathAngle(const FlightModel& model) {
    const FlightState& s = model.State();
    const double speed = Norm(s.velocityMps);
    if (!(speed > 1e-6)) return 0;
    return std::asin(std::clamp(Dot(s.velocityMps, Normalized(s.positionM)) / speed, -1.0, 1.0));
}

ControlInputs SteerTowards(const FlightModel& model, double pitchRad, double headingRad) {
    const VesselConfig& config = model.Config();
    const EulerAngles now = EulerAnglesOf(HorizonAt(model.State().positionM), model.State().attitude);
    auto demand = [](double error, double timeS, double maxRate) {
        return std::clamp(error / timeS / maxRate, -1.0, 1.0);
    };
    ControlInputs c;
    c.pitch = demand(pitchRad - now.pitchRad, kPitchTimeS, config.maxRateRadps[kPitch]);
    c.roll = demand(-now.bankRad, kRollTimeS, config.maxRateRadps[kRoll]);
    c.yaw = demand(WrapAngle(headingRad - now.headingRad), kYawTimeS, config.maxRateRadps[kYaw]);
    return c;
}

ControlInputs DefaultFlightControls(double timeS, const FlightModel& model) {
    const FlightReadings& r = model.Readings();
    const double gamma = FlightPathAngle(model);
    const bool powered = model.State().mainPropellantKg > 0;
    const double g = GLoad(model);

    double pitch = 0;
    if (r.landed) {
        pitch = r.airspeedMps < kRotateSpeedMps ? 0 : kRotatePitchRad;
    } else if (powered) {
        pitch = std::min(kClimbPitchRad, gamma + LimitedAoa(kPullUpAoaRad, g, kPullUpGLimit));
    } else if (gamma > 0 && r.altitudeM > 30000) {
        pitch = gamma;  // coast up with the nose on the flight path
    } else if (gamma < kGlidePathRad) {
        pitch = gamma + LimitedAoa(kEntryAoaRad, g, kEntryGLimit);
    } else {
        const double aoa = kGlideAoaRad + kGlidePathGain * (kGlidePathRad - gamma);
        pitch = gamma + std::clamp(aoa, -2 * kRadiansPerDegree, kEntryAoaRad);
    }

    ControlInputs c = SteerTowards(model, pitch, kRunwayHeadingRad);
    c.throttle = powered && timeS >= kEngineStartS ? 1 : 0;
    return c;
}

}  // namespace quorvel::flight
