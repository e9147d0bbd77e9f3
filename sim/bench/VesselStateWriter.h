// Answers every VESSEL query the module makes from the flight model, by
// writing the VesselState record the bench host's vessel reads.
//
// The host's frames differ from the model's:
// - ship frame: x right, y up, z forward (left-handed). The airspeed
//   vector is the vessel's velocity through the air in those axes.
// - angular velocity: about the ship's x, y and z axes, each positive by
//   the right-hand grip about that axis: x nose up, y nose left, z right
//   wing down. So (x, y, z) = (pitch rate, -yaw rate, roll rate) of the
//   model, and the module's yaw rate, which inverts y, reads positive
//   nose right.
// - horizon frame: x east, y up, z north.
// - angles: pitch nose up, bank right wing down, heading 0 to 2 pi from
//   north through east, angle of attack nose above the airflow, slip nose
//   right of the airflow (air arriving from the left), so that at wings
//   level the flight path lies slip to the left of the nose.
// - position and velocity: inertial, from the body centre.
// - thrusters: 0 the main engine on tank 0, then the RCS on tank 1; their
//   Max0 and Isp0 are the vacuum thrust and exhaust velocity.
#pragma once

#include "sim/flight/FlightModel.h"
#include "sim/host/VesselState.h"

namespace quorvel::sim {

void WriteVesselState(const flight::FlightModel& model, VesselState& vesselState);

}  // namespace quorvel::sim
