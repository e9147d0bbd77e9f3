#include "sim/bench/VesselStateWriter.h"

#include "sim/flight/HorizonFrame.h"
#include "sim/flight/Orbit.h"

namespace quorvel::sim {

namespace {

using flight::FlightReadings;
using flight::FlightState;
using flight::HorizonFrame;
using flight::Vec3;
using flight::VesselConfig;

VECTOR3 Host(const Vec3& v) { return {v.x, v.y, v.z}; }

// Attitude, air data and rates, in the host's frames and signs.
void WriteFlight(const FlightState& s, const FlightReadings& r, VesselState& out) {
    out.altitude = r.altitudeM;
    out.airspeed = r.airspeedMps;
    out.mach = r.mach;
    out.atmDensity = r.air.densityKgpm3;
    out.atmPressure = r.air.pressurePa;

    const HorizonFrame horizon = flight::HorizonAt(s.positionM);
    const flight::EulerAngles angles = flight::EulerAnglesOf(horizon, s.attitude);
    out.pitch = angles.pitchRad;
    out.bank = angles.bankRad;
    out.heading = angles.headingRad;
    out.headingAvailable = true;
    out.aoa = r.airflow.aoaRad;
    out.slip = -r.airflow.sideslipRad;

    const Vec3& air = r.airVelocityBody;
    out.shipAirspeed = {air.y, -air.z, air.x};
    const Vec3& v = s.velocityMps;
    // Rolling on the runway the vessel neither climbs nor sinks; the step's
    // straight line over the curved surface leaves a trace of climb that
    // would turn the climb-rate arc green.
    const double climbMps = r.landed ? 0.0 : Dot(v, horizon.up);
    out.horizonAirspeed = {Dot(v, horizon.east), climbMps, Dot(v, horizon.north)};
    out.hasAirspeedVectors = r.air.densityKgpm3 > 0;

    const Vec3& w = s.bodyRateRadps;
    out.angularVelocity = {w.y, -w.z, w.x};
    out.mainEngineLevel = r.engineLevel;
}

// Where the vessel is and goes: inertial state and the orbit through it.
void WriteTrajectory(const FlightState& s, const FlightReadings& r, VesselState& out) {
    out.position = Host(s.positionM);
    out.velocity = Host(s.velocityMps);
    out.landed = r.landed;

    const flight::OrbitShape orbit = flight::OrbitThrough(s.positionM, s.velocityMps);
    out.hasApoapsis = orbit.apoapsisDistanceM.has_value();
    out.apoapsisDistance = orbit.apoapsisDistanceM.value_or(0.0);
}

void WriteTanksAndThrusters(const FlightState& s, const VesselConfig& config, VesselState& out) {
    // Sized once; later calls only overwrite the figures.
    out.tanks.resize(2);
    out.tanks[0] = {s.mainPropellantKg, config.mainTankCapacityKg};
    out.tanks[1] = {s.rcsPropellantKg, config.rcsTankCapacityKg};
    out.thrusters.resize(1 + config.rcs.size());
    out.thrusters[0] = {config.engine.vacuumThrustN, config.engine.vacuumExhaustVelocityMps, 0};
    for (std::size_t i = 0; i < config.rcs.size(); ++i) {
        out.thrusters[i + 1] = {config.rcs[i].thrustN, config.rcs[i].exhaustVelocityMps, 1};
    }
}

}  // namespace

void WriteVesselState(const flight::FlightModel& model, VesselState& out) {
    WriteFlight(model.State(), model.Readings(), out);
    WriteTrajectory(model.State(), model.Readings(), out);
    WriteTanksAndThrusters(model.State(), model.Config(), out);
}

}  // namespace quorvel::sim
