#include "sim/flight/FlightModel.h"

#include <algorithm>
#include <cmath>

#include "sim/flight/Body.h"
#include "sim/flight/HorizonFrame.h"

namespace quorvel::flight {

namespace detail {

// What holds over one step.
struct StepInputs {
    ControlInputs controls;  // finite and within range
    double throttle = 0;     // delivered
    bool rcsAvailable = false;
    bool onGround = false;
};

}  // namespace detail

namespace {

using detail::StepInputs;

double Finite(double value) { return std::isfinite(value) ? value : 0.0; }

struct Derivative {
    Vec3 velocityMps;
    Vec3 accelerationMps2;
    Quaternion attitudeRate;
    Vec3 bodyAccelRadps2;
    double mainFlowKgps = 0;
    double rcsFlowKgps = 0;
};

struct Evaluation {
    Derivative derivative;
    FlightReadings readings;
    double groundPushN = 0;  // along the surface, before friction
};

FlightState Advanced(const FlightState& s, const Derivative& d, double dt) {
    FlightState next = s;
    next.positionM += dt * d.velocityMps;
    next.velocityMps += dt * d.accelerationMps2;
    next.attitude = next.attitude + dt * d.attitudeRate;
    next.bodyRateRadps += dt * d.bodyAccelRadps2;
    next.mainPropellantKg -= dt * d.mainFlowKgps;
    next.rcsPropellantKg -= dt * d.rcsFlowKgps;
    return next;
}

double MassOf(const VesselConfig& config, const FlightState& s) {
    return config.emptyMassKg + std::fmax(s.mainPropellantKg, 0.0) + std::fmax(s.rcsPropellantKg, 0.0);
}

const RcsThruster* RcsFor(const VesselConfig& config, int axis, double sign) {
    for (const RcsThruster& t : config.rcs) {
        if (t.axis == axis && t.sign * sign > 0) return &t;
    }
    return nullptr;
}

// The surface pushes back only as hard as it is pressed; along it, rolling
// friction opposes the motion, or holds a vessel at rest against a weaker
// push.
void ApplyGround(const VesselConfig& config, const FlightState& s, double massKg, Evaluation& e) {
    const double r = Norm(s.positionM);
    if (!(r > 0)) return;
    const Vec3 up = (1 / r) * s.positionM;
    Vec3& accel = e.derivative.accelerationMps2;
    const Vec3 tangentialVelocity = s.velocityMps - Dot(s.velocityMps, up) * up;
    const double freeRadial = Dot(accel, up);
    // Staying on the sphere while moving along it takes this much inwards.
    const double holdRadial = -Dot(tangentialVelocity, tangentialVelocity) / r;
    if (freeRadial >= holdRadial) return;  // lift and thrust carry the weight

    const double normalN = massKg * (holdRadial - freeRadial);
    const double frictionN = config.rollingFriction * normalN;
    Vec3 tangential = accel - freeRadial * up;
    e.groundPushN = massKg * Norm(tangential);
    const double speed = Norm(tangentialVelocity);
    if (speed > 0) {
        tangential = tangential - (frictionN / (massKg * speed)) * tangentialVelocity;
    } else if (e.groundPushN <= frictionN) {
        tangential = {};
    } else {
        tangential = tangential - (frictionN / massKg) * Normalized(tangential);
    }
    accel = tangential + holdRadial * up;
    e.readings.normalForceN = normalN;
}

// Per axis: the rate the demand asks for, approached with a first-order
// lag within the angular acceleration the surfaces, then the RCS, give.
void ApplyRotationControl(const VesselConfig& config, const FlightState& s, const StepInputs& in,
                          double dynamicPressurePa, Derivative& d) {
    const double demand[3] = {in.controls.roll, in.controls.pitch, in.controls.yaw};
    const double rate[3] = {s.bodyRateRadps.x, s.bodyRateRadps.y, s.bodyRateRadps.z};
    double accel[3] = {};
    for (int axis = 0; axis < 3; ++axis) {
        const double wanted = (demand[axis] * config.maxRateRadps[axis] - rate[axis]) / config.rateTimeConstantS;
        const double surfaces = config.surfaceAccelPerPa[axis] * dynamicPressurePa;
        const double fromSurfaces = std::clamp(wanted, -surfaces, surfaces);
        const double rest = wanted - fromSurfaces;
        double fromRcs = 0;
        const RcsThruster* t = in.rcsAvailable && rest != 0 ? RcsFor(config, axis, rest) : nullptr;
        if (t != nullptr) {
            const double maxAccel = t->thrustN * t->armM / config.momentOfInertiaKgm2[axis];
            fromRcs = std::clamp(rest, -maxAccel, maxAccel);
            d.rcsFlowKgps += std::fabs(fromRcs) / maxAccel * t->thrustN / t->exhaustVelocityMps;
        }
        accel[axis] = fromSurfaces + fromRcs;
    }
    // On the ground the gear holds roll and yaw.
    d.bodyAccelRadps2 = in.onGround ? Vec3{0, accel[1], 0} : Vec3{accel[0], accel[1], accel[2]};
}

Evaluation Evaluate(const VesselConfig& config, const FlightState& s, const StepInputs& in) {
    Evaluation e;
    FlightReadings& out = e.readings;
    Derivative& d = e.derivative;

    out.altitudeM = AltitudeOf(s.positionM);
    out.air = StandardAtmosphere(out.altitudeM);
    out.airVelocityBody = Rotate(Conjugate(s.attitude), s.velocityMps);
    out.airspeedMps = Norm(s.velocityMps);
    const bool inAir = out.air.densityKgpm3 > 0;
    out.mach = inAir && out.air.speedOfSoundMps > 0 ? out.airspeedMps / out.air.speedOfSoundMps : 0;
    out.dynamicPressurePa = 0.5 * out.air.densityKgpm3 * out.airspeedMps * out.airspeedMps;
    out.airflow = AirflowAnglesOf(out.airVelocityBody);

    const MainEngine& engine = config.engine;
    out.engineLevel = in.throttle;
    // Ambient pressure on the nozzle exit costs thrust but not flow.
    const double thrustN = in.throttle * engine.vacuumThrustN - out.air.pressurePa * engine.nozzleExitAreaM2;
    out.thrustN = in.throttle > 0 ? std::fmax(thrustN, 0.0) : 0.0;
    const Vec3 bodyForceN =
        AeroForceBody(config.aero, out.airVelocityBody, out.air.densityKgpm3, out.mach) + Vec3{out.thrustN, 0, 0};
    const double massKg = MassOf(config, s);
    const Vec3 gravity = GravityAt(s.positionM);

    d.velocityMps = s.velocityMps;
    d.accelerationMps2 = (1 / massKg) * Rotate(s.attitude, bodyForceN) + gravity;
    if (in.onGround) ApplyGround(config, s, massKg, e);
    out.specificForceMps2 = d.accelerationMps2 - gravity;

    ApplyRotationControl(config, s, in, out.dynamicPressurePa, d);
    const Vec3& w = s.bodyRateRadps;
    d.attitudeRate = 0.5 * (s.attitude * Quaternion{0, w.x, w.y, w.z});
    d.mainFlowKgps = in.throttle * engine.vacuumThrustN / engine.vacuumExhaustVelocityMps;
    return e;
}

}  // namespace

FlightModel::FlightModel(const VesselConfig& config) : config(config) { PlaceOnRunway(0, 0, 0); }

double FlightModel::MassKg() const { return MassOf(config, state); }

void FlightModel::PlaceOnRunway(double latitudeRad, double longitudeRad, double headingRad) {
    const double lat = Finite(latitudeRad), lon = Finite(longitudeRad);
    state = FlightState{};
    state.positionM = kBodyRadiusM * Vec3{std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
    state.attitude = AttitudeFrom(HorizonAt(state.positionM), {0, 0, Finite(headingRad)});
    state.mainPropellantKg = config.mainTankCapacityKg;
    state.rcsPropellantKg = config.rcsTankCapacityKg;
    startTimeS = 0;
    steps = 0;
    landed = true;
    UpdateReadings(InputsFor({}));
}

bool FlightModel::PlaceInFlight(const FlightState& placed, double time) {
    const Quaternion& q = placed.attitude;
    const bool finite = IsFinite(placed.positionM) && IsFinite(placed.velocityMps) && IsFinite(placed.bodyRateRadps) &&
                        IsFinite(Vec3{q.x, q.y, q.z}) && std::isfinite(q.w) && std::isfinite(time);
    if (!finite || Norm(placed.positionM) == 0) return false;
    state = placed;
    state.attitude = Normalized(state.attitude);
    state.mainPropellantKg = std::clamp(Finite(state.mainPropellantKg), 0.0, config.mainTankCapacityKg);
    state.rcsPropellantKg = std::clamp(Finite(state.rcsPropellantKg), 0.0, config.rcsTankCapacityKg);
    startTimeS = time;
    steps = 0;
    landed = false;
    UpdateReadings(InputsFor({}));
    return true;
}

StepInputs FlightModel::InputsFor(const ControlInputs& c) const {
    StepInputs in;
    in.controls = {std::clamp(Finite(c.pitch), -1.0, 1.0), std::clamp(Finite(c.roll), -1.0, 1.0),
                   std::clamp(Finite(c.yaw), -1.0, 1.0), std::clamp(Finite(c.throttle), 0.0, 1.0)};
    const MainEngine& engine = config.engine;
    double throttle = in.controls.throttle;
    if (throttle > 0) throttle = std::fmax(throttle, engine.minThrottle);
    // The last of the propellant burns out within the step: deliver the
    // level that uses exactly what is left.
    const double fullFlowKgps = engine.vacuumThrustN / engine.vacuumExhaustVelocityMps;
    in.throttle = std::fmin(throttle, std::fmax(state.mainPropellantKg, 0.0) / (fullFlowKgps * kStepS));
    in.rcsAvailable = state.rcsPropellantKg > 0;
    in.onGround = landed;
    return in;
}

void FlightModel::Step(const ControlInputs& controls) {
    StepInputs in = InputsFor(controls);
    const double h = kStepS;
    const Derivative k1 = Evaluate(config, state, in).derivative;
    const Derivative k2 = Evaluate(config, Advanced(state, k1, h / 2), in).derivative;
    const Derivative k3 = Evaluate(config, Advanced(state, k2, h / 2), in).derivative;
    const Derivative k4 = Evaluate(config, Advanced(state, k3, h), in).derivative;

    const FlightState before = state;
    state = Advanced(state, k1, h / 6);
    state = Advanced(state, k2, h / 3);
    state = Advanced(state, k3, h / 3);
    state = Advanced(state, k4, h / 6);
    state.attitude = Normalized(state.attitude);
    // Rounding, or the RCS running dry inside the step, must not leave a
    // negative tank.
    state.mainPropellantKg = std::fmax(state.mainPropellantKg, 0.0);
    state.rcsPropellantKg = std::fmax(state.rcsPropellantKg, 0.0);
    ++steps;

    if (landed) {
        // Lifted off once the surface no longer has to push.
        in.onGround = true;
        const Evaluation end = Evaluate(config, state, in);
        landed = end.readings.normalForceN > 0;
        if (landed) SettleOnGround(before, end.readings.normalForceN, end.groundPushN);
    } else if (AltitudeOf(state.positionM) <= 0) {
        landed = true;
        SettleOnGround(before, 0, 0);
    }
    in.onGround = landed;
    UpdateReadings(in);
}

// On the surface, never in it: no speed into or out of it, wings level,
// pitch between the nose gear and the tail, no roll or yaw.
void FlightModel::SettleOnGround(const FlightState& before, double normalN, double pushN) {
    const Vec3 up = Normalized(state.positionM);
    if (Norm(up) == 0) return;
    state.positionM = kBodyRadiusM * up;
    const Vec3 tangential = state.velocityMps - Dot(state.velocityMps, up) * up;
    const Vec3 tangentialBefore = before.velocityMps - Dot(before.velocityMps, up) * up;
    // Friction stops the vessel, within a step if it is slow enough, and
    // holds it if nothing pushes harder; it never pushes it back.
    const double frictionN = config.rollingFriction * normalN;
    const bool stops = pushN <= frictionN && Norm(tangential) * MassKg() <= frictionN * kStepS;
    state.velocityMps = stops || Dot(tangential, tangentialBefore) < 0 ? Vec3{} : tangential;

    const HorizonFrame horizon = HorizonAt(state.positionM);
    const EulerAngles angles = EulerAnglesOf(horizon, state.attitude);
    const double pitch = std::clamp(angles.pitchRad, 0.0, config.maxGroundPitchRad);
    Vec3& w = state.bodyRateRadps;
    if ((pitch <= 0 && w.y < 0) || (pitch >= config.maxGroundPitchRad && w.y > 0)) w.y = 0;
    w.x = 0;
    w.z = 0;
    state.attitude = AttitudeFrom(horizon, {pitch, 0, angles.headingRad});
}

void FlightModel::UpdateReadings(const StepInputs& inputs) {
    readings = Evaluate(config, state, inputs).readings;
    readings.landed = landed;
    // On the surface by construction; the projection onto the sphere only
    // rounds to a nanometre either side of it.
    if (landed) readings.altitudeM = 0;
}

}  // namespace quorvel::flight
