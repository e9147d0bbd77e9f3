// A short scripted flight for the bench host: a take-off roll and a steady
// climb, written straight into the vessel-state record as a function of
// time. Kinematic, not a flight model: it only has to be consistent enough
// for the page's readouts to move sensibly.
#pragma once

#include "sim/VesselState.h"

namespace quorvel::sim {

// The vessel's state at simTime seconds after brake release.
void ScriptedFlightState(double simTime, VesselState& state);

}  // namespace quorvel::sim
