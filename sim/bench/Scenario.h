// A scenario: everything one run of the bench host flies and shows. The
// vessel's figures, where it starts, who flies it, the keys pressed on the
// MFDs and what is pictured when. DefaultScenario() is the built-in flight;
// ReadScenario (sim/bench/ScenarioFile.h) reads one from a TOML file, and the
// command line overrides either (ApplyOptions, sim/bench/BenchOptions.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "sim/bench/MfdSize.h"
#include "sim/flight/ControlTable.h"
#include "sim/flight/DefaultFlight.h"
#include "sim/flight/FlightModel.h"
#include "sim/flight/VesselConfig.h"

namespace quorvel::sim {

// What a run may be asked for, from the command line or a scenario file.
inline constexpr double kMinIntervalS = 0.02;  // one step of the flight model
inline constexpr double kMaxRunS = 1e6;
inline constexpr std::size_t kMaxMfds = 16;
// Unless the options or the scenario say: a batch run repaints once a
// simulated second, the live window ten times.
inline constexpr double kRepaintEveryS = 1;
inline constexpr double kWindowRepaintEveryS = 0.1;

// At rest on a runway, tanks full.
struct RunwayStart {
    double latitudeRad = 0;
    double longitudeRad = 0;
    double headingRad = 0;
};

// In free flight over a point. The velocity points along the heading,
// the flight-path angle above the horizon; the nose is at the pitch and
// bank given, which need not match it.
struct AirStart {
    double latitudeRad = 0;
    double longitudeRad = 0;
    double headingRad = 0;
    double altitudeM = 0;
    double speedMps = 0;
    double pitchRad = 0;
    double flightPathRad = 0;
    double bankRad = 0;
    flight::Vec3 bodyRateRadps;              // roll, pitch, yaw as the flight model's body axes
    std::optional<double> mainPropellantKg;  // unset: a full tank
    std::optional<double> rcsPropellantKg;
};

enum class Pilot {
    DefaultAutopilot,  // the built-in flight's autopilot
    Schedule,          // the control table; empty: hands off, engine off
};

// A key pressed on one MFD's page at the first step at or after its time.
struct KeyPress {
    double timeS = 0;
    std::uint32_t mfd = 0;
    std::uint32_t code = 0;
    // For messages: its place among the file's keys, and the line that
    // gave its MFD (or the key).
    std::size_t index = 0;
    long sourceLine = 0;
};

struct OutputSchedule {
    // Unset: the built-in 420 s, or the whole of a replayed log.
    std::optional<double> durationS;
    double frameEveryS = 5;
    // Unset: kRepaintEveryS, or kWindowRepaintEveryS in the window.
    std::optional<double> repaintEveryS;
    std::vector<MfdSize> mfds{MfdSize{}};
    std::string videoPath;  // sim/bench/VideoNames.h; empty: no video
};

struct Scenario {
    std::string name = "default flight";
    std::string source;  // the file it was read from; empty when built in
    flight::VesselConfig vessel = flight::DemoVessel();
    std::variant<RunwayStart, AirStart> start;
    Pilot pilot = Pilot::DefaultAutopilot;
    flight::ControlTable schedule;
    std::vector<KeyPress> keys;  // in time order
    OutputSchedule output;
};

// What quorvel-sim flies with no options: the default flight from the
// equator, heading east, with one 400 by 400 MFD pictured every 5 s.
Scenario DefaultScenario();

// The vessel placed as the scenario starts it. Throws InputError when the
// start cannot be flown from (the file's checks keep that from happening).
flight::FlightModel StartFlight(const Scenario& scenario);

// Whoever flies the scenario's vessel.
flight::ControlLaw ControlsOf(const Scenario& scenario);

// The flight-model state an AirStart describes.
flight::FlightState AirStartState(const AirStart& start, const flight::VesselConfig& vessel);

}  // namespace quorvel::sim
