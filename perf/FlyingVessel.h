// A host vessel in a climb at 30 km, as the page sees one in mid-flight:
// air for the equivalent airspeed, rates for every pointer, an apoapsis,
// and a main engine and RCS with propellant for the burn-time readouts.
#pragma once

#include "sim/host/HostVessel.h"

namespace quorvel::perf {

inline void PutInAClimb(HostVessel& vessel) {
    sim::VesselState& s = vessel.state;
    s.altitude = 30000;
    s.airspeed = 600;
    s.mach = 2.0;
    s.atmDensity = 0.018;
    s.atmPressure = 1200;
    s.pitch = 0.52;
    s.bank = -0.17;
    s.heading = 1.66;
    s.aoa = 0.07;
    s.slip = 0.02;
    s.shipAirspeed = {5, -60, 597};
    s.horizonAirspeed = {590, 150, 50};
    s.angularVelocity = {0.02, -0.01, 0.05};
    s.mainEngineLevel = 1;
    s.position = {6371010 + 30000, 0, 0};
    s.velocity = {150, 590, 50};
    s.hasApoapsis = true;
    s.apoapsisDistance = 6371010 + 90000;
    s.tanks = {{4000, 10500}, {120, 150}};
    s.thrusters = {{262000, 2736, 0}, {500, 1373, 1}};
}

}  // namespace quorvel::perf
