// The telemetry log: what the bench host fed the module, one CSV row per
// recorded step, in SI units and radians. The same format drives a replay,
// so that a flight recorded elsewhere can be shown on the MFD.
//
// Columns, in order (a header line names them; rows may leave the apoapsis
// empty when the orbit has none):
//   time_s, altitude_m, airspeed_mps, mach, density_kgpm3, pressure_pa,
//   pitch_rad, bank_rad, heading_rad, aoa_rad, slip_rad,
//   ship_airspeed_x_mps, ship_airspeed_y_mps, ship_airspeed_z_mps,
//   horizon_airspeed_x_mps, horizon_airspeed_y_mps, horizon_airspeed_z_mps,
//   angular_velocity_x_radps, angular_velocity_y_radps, angular_velocity_z_radps,
//   position_x_m, position_y_m, position_z_m, velocity_x_mps, velocity_y_mps, velocity_z_mps,
//   engine_level, landed, apoapsis_m,
//   main_propellant_kg, main_propellant_max_kg, rcs_propellant_kg, rcs_propellant_max_kg,
//   main_thrust_n, main_exhaust_velocity_mps
//
// A replayed vessel has a main engine on tank 0 with the thrust and exhaust
// velocity given, an RCS tank 1, and, when that has a capacity, an RCS
// thruster on it (whose figures the log does not give, so they read 0).
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "sim/bench/InputError.h"
#include "sim/host/VesselState.h"

namespace quorvel::sim {

void WriteTelemetryHeader(std::ostream& out);
void WriteTelemetryRow(std::ostream& out, double timeS, const VesselState& state);

struct TelemetryRecord {
    double timeS = 0;
    VesselState state;
};

// Times a log may give: within them a 0.02 s step still moves the clock,
// in hundredths of a second.
inline constexpr double kMaxLogTimeS = 1e9;

// Reads a log; throws InputError on the first fault. Times must increase
// within ±kMaxLogTimeS and every value be finite (the apoapsis may be
// empty). `checkpoint` is called every few hundred rows, so that a long
// read can be stopped: what it throws ends the reading.
std::vector<TelemetryRecord> ReadTelemetryLog(const std::string& path,
                                              const std::function<void()>& checkpoint = [] {});

// The first column of the log whose value in this state is not finite (a
// missing apoapsis aside), or null when they all are: a log may not hold
// such a state.
const char* FirstNonFinite(const VesselState& state);

// The state at a time: interpolated between the two records around it,
// held at the first or last record outside them. Flags and propellant
// tables come from the earlier record.
void ReplayState(const std::vector<TelemetryRecord>& log, double timeS, VesselState& state);

}  // namespace quorvel::sim
