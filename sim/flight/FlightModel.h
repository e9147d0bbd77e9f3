// The bench host's flight model: one rigid vessel over a spherical,
// non-rotating body with inverse-square gravity and the standard
// atmosphere.
//
// Step() advances the state by kStepS with fourth-order Runge-Kutta,
// holding the controls and the delivered throttle over the step. The
// state is position and velocity in the inertial frame of the body
// centre, the attitude as a unit quaternion (no gimbal lock at any
// pitch), the body rates, and the two tanks. Translation takes gravity,
// thrust, lift and drag, and on the ground the surface's normal force and
// rolling friction. Rotation is a rate-command control system: each body
// rate follows its demand with a first-order lag, as far as the control
// surfaces (their power grows with dynamic pressure) and then the RCS
// (which burns its tank) can push.
#pragma once

#include "sim/flight/AeroForces.h"
#include "sim/flight/Atmosphere.h"
#include "sim/flight/ControlInputs.h"
#include "sim/flight/Vector.h"
#include "sim/flight/VesselConfig.h"

namespace quorvel::flight {

namespace detail {
struct StepInputs;
}

struct FlightState {
    Vec3 positionM;       // from the body centre, inertial
    Vec3 velocityMps;     // inertial
    Quaternion attitude;  // body axes (x forward, y right, z down) to inertial
    // About body x (roll, right wing down), y (pitch, nose up) and z (yaw,
    // nose right), rad/s.
    Vec3 bodyRateRadps;
    double mainPropellantKg = 0;
    double rcsPropellantKg = 0;
};

// What the state gives at the end of the last step (or placement).
struct FlightReadings {
    double altitudeM = 0;
    AtmosphereSample air;
    double airspeedMps = 0;  // true airspeed; the air is at rest
    double mach = 0;         // 0 above the atmosphere
    double dynamicPressurePa = 0;
    Vec3 airVelocityBody;    // m/s, body axes
    AirflowAngles airflow;
    // (thrust + aerodynamic force + ground reaction) / mass, m/s^2,
    // inertial: what an accelerometer reads.
    Vec3 specificForceMps2;
    double engineLevel = 0;  // throttle delivered over the last step
    double thrustN = 0;
    double normalForceN = 0;
    bool landed = false;
};

class FlightModel {
public:
    static constexpr double kStepS = 0.02;

    explicit FlightModel(const VesselConfig& config = DemoVessel());

    // At rest on the surface at a point, wings and nose level along the
    // heading, tanks full, at time 0.
    void PlaceOnRunway(double latitudeRad, double longitudeRad, double headingRad);
    // In free flight in the given state, at the given time; tanks are
    // clamped to their capacities. A state at or below the surface is set
    // down on it at the next step. A state that is not finite, or at the
    // very centre, is refused: false, and the model is left as it was.
    bool PlaceInFlight(const FlightState& state, double timeS = 0);

    void Step(const ControlInputs& controls);

    double TimeS() const { return startTimeS + static_cast<double>(steps) * kStepS; }
    const FlightState& State() const { return state; }
    const FlightReadings& Readings() const { return readings; }
    const VesselConfig& Config() const { return config; }
    double MassKg() const;

private:
    detail::StepInputs InputsFor(const ControlInputs& controls) const;
    void SettleOnGround(const FlightState& before, double normalN, double pushN);
    void UpdateReadings(const detail::StepInputs& inputs);

    VesselConfig config;
    FlightState state;
    FlightReadings readings;
    double startTimeS = 0;
    long long steps = 0;  // counted, so that time does not drift by rounding
    bool landed = false;
};

}  // namespace quorvel::flight
