// Scenario files: TOML that changes the built-in scenario where it says
// so. Every table and key is optional; anything not named keeps the
// built-in value. Angles are in degrees, everything else in SI units,
// and each key's name ends in its unit.
//
//   name = "..."                  shown on the contact sheets
//   [vessel]   figures of the demo vessel to change (masses, tanks, engine, RCS, wing, rate limits)
//   [start]    place = "runway" (latitude, longitude, heading) or
//              place = "flight" (also altitude, speed, pitch, flight path, bank, body rates, propellant)
//   [controls] autopilot = "default" | "none", or schedule = [[time_s, pitch, roll, yaw, throttle], ...]
//   [[key]]    time_s, mfd, code: a key pressed on an MFD's page
//   [output]   duration_s, frame_every_s, repaint_every_s, mfds = ["400x400", ...]
//
// The README has a complete annotated example.
#pragma once

#include <string>

#include "sim/bench/Scenario.h"

namespace quorvel::sim {

// Reads a scenario. Throws InputError naming the file, the line and the
// field at the first fault: a syntax error, a key it does not know (so a
// typo never passes silently), a value of the wrong type or out of range.
Scenario ReadScenario(const std::string& path);

// The same from text, with `path` only naming it in messages.
Scenario ParseScenario(const std::string& text, const std::string& path);

}  // namespace quorvel::sim
