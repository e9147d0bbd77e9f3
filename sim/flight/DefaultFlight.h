// The bench host's default flight: from a runway on the equator, heading
// east, with a launch mass of 17.25 t (10,500 kg main propellant). Five
// seconds at rest, then full throttle for the take-off roll, rotation at
// 115 m/s, a pull-up into a 60 deg climb held through Mach 1 and out of
// the atmosphere to burn-out; then the nose on the flight path to the top,
// an entry at 30 deg angle of attack, eased off above 4.5 g, and a
// pull-out into a shallow glide.
//
// The autopilot is a function of time and state alone, so the bench host
// (or a test) can call it at any step without keeping anything:
//
//   FlightModel model = DefaultFlightStart();
//   while (model.TimeS() < kDefaultFlightDurationS) {
//       model.Step(DefaultFlightControls(model.TimeS(), model));
//       WriteVesselState(model, hostVessel.state);
//       moduleHost.Step(model.TimeS(), FlightModel::kStepS, mjd);
//   }
#pragma once

#include <functional>

#include "sim/flight/ControlInputs.h"
#include "sim/flight/FlightModel.h"

namespace quorvel::flight {

// Whatever picks the controls for the next step: the default autopilot,
// a ControlTable, a test.
using ControlLaw = std::function<ControlInputs(double timeS, const FlightModel& model)>;

inline constexpr double kDefaultFlightDurationS = 420;

// The vessel as the default flight starts it.
FlightModel DefaultFlightStart();

ControlInputs DefaultFlightControls(double timeS, const FlightModel& model);

// Steers the vessel's attitude: the demands that turn it towards a pitch
// and heading with the wings level, each rate proportional to its error.
ControlInputs SteerTowards(const FlightModel& model, double pitchRad, double headingRad);

// The angle of the velocity above the local horizon, rad; 0 at rest.
double FlightPathAngle(const FlightModel& model);

}  // namespace quorvel::flight
