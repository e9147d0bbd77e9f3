// Scenario files: what they set, what they refuse and how they say so.

#include "sim/bench/BenchOptions.h"
#include "sim/bench/ScenarioFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <regex>

#include "sim/bench/Telemetry.h"
#include "sim/flight/Angles.h"
#include "sim/flight/HorizonFrame.h"

namespace quorvel::sim {
namespace {

using flight::kRadiansPerDegree;
constexpr const char* kPath = "test.toml";

std::string Fault(const std::string& text) {
    try {
        ParseScenario(text, kPath);
    } catch (const InputError& error) {
        return error.what();
    }
    return "no error";
}

TEST(ScenarioFileTest, EveryTableSetsWhatItNames) {
    const Scenario s = ParseScenario(R"(
name = "climb test"
[vessel]
empty_mass_kg = 5000
main_tank_kg = 8000
rcs_tank_kg = 50
main_thrust_n = 200000
main_exhaust_velocity_mps = 3000
rcs_roll_thrust_n = 90
max_pitch_rate_degps = 12
[start]
place = "flight"
latitude_deg = 10
heading_deg = 180
altitude_m = 30000
speed_mps = 900
pitch_deg = 15
flight_path_deg = 10
roll_rate_degps = -5
main_propellant_kg = 1000
[controls]
schedule = [[0, 0.5, 0, 0, 1], [10, 0, 0, 0, 0]]
[[key]]
time_s = 30
code = 47
[[key]]
time_s = 5
mfd = 1
code = 12
[output]
duration_s = 60
frame_every_s = 2
mfds = ["400x400", "256x128"]
)",
                                     kPath);
    EXPECT_EQ(s.name, "climb test");
    EXPECT_EQ(s.source, kPath);
    EXPECT_EQ(s.vessel.emptyMassKg, 5000);
    EXPECT_EQ(s.vessel.engine.vacuumExhaustVelocityMps, 3000);
    EXPECT_EQ(s.vessel.rcs[4].thrustN, 90) << "roll thrusters";
    EXPECT_EQ(s.vessel.rcs[0].thrustN, 500) << "pitch thrusters as they were";
    EXPECT_NEAR(s.vessel.maxRateRadps[flight::kPitch], 12 * kRadiansPerDegree, 1e-15);

    const auto* air = std::get_if<AirStart>(&s.start);
    ASSERT_NE(air, nullptr);
    EXPECT_NEAR(air->latitudeRad, 10 * kRadiansPerDegree, 1e-15);
    EXPECT_NEAR(air->headingRad, 180 * kRadiansPerDegree, 1e-15);
    EXPECT_NEAR(air->bodyRateRadps.x, -5 * kRadiansPerDegree, 1e-15);
    EXPECT_EQ(air->mainPropellantKg, 1000);
    EXPECT_FALSE(air->rcsPropellantKg) << "unset: a full tank";

    EXPECT_EQ(s.pilot, Pilot::Schedule);
    EXPECT_DOUBLE_EQ(s.schedule.At(5).pitch, 0.25);
    ASSERT_EQ(s.keys.size(), 2u);
    EXPECT_EQ(s.keys[0].code, 12u) << "in time order";
    EXPECT_EQ(s.keys[0].sourceLine, 28) << "its mfd line";
    EXPECT_EQ(s.output.durationS, 60);
    ASSERT_EQ(s.output.mfds.size(), 2u);
    EXPECT_EQ(s.output.mfds[1].height, 128u);
    // A name's limit is in characters, however many bytes each takes.
    std::string accents;
    for (int i = 0; i < 100; ++i) accents += "\u00e9";
    EXPECT_EQ(ParseScenario("name = \"" + accents + "\"\n", kPath).name, accents);
}

TEST(ScenarioFileTest, WhatAFileLeavesOutIsTheBuiltInFlight) {
    const Scenario s = ParseScenario("[output]\nframe_every_s = 1\n", "quick.toml");
    EXPECT_EQ(s.name, "quick");
    EXPECT_EQ(s.pilot, Pilot::DefaultAutopilot);
    ASSERT_TRUE(std::holds_alternative<RunwayStart>(s.start));
    EXPECT_NEAR(std::get<RunwayStart>(s.start).headingRad, 90 * kRadiansPerDegree, 1e-15);
    EXPECT_FALSE(s.output.durationS) << "420 s for a flight, the whole log for a replay";
    EXPECT_EQ(s.output.frameEveryS, 1);
    EXPECT_FALSE(s.output.repaintEveryS) << "once a second in a batch run, ten times in the window";
    EXPECT_EQ(ParseScenario("[controls]\nautopilot = \"none\"\n", kPath).schedule.At(1).throttle, 0);
}

TEST(ScenarioFileTest, FaultsNameTheFileLineAndField) {
    const struct {
        std::string text;
        const char* message;
    } cases[] = {
        {"name = \"x\"\nnmae = \"y\"\n",
         "test.toml:2: nmae: unknown key (expected controls, key, name, output, start, vessel)"},
        {"[vessel]\nempty_mass_kg = 1e-300\n",
         "test.toml:2: vessel.empty_mass_kg: must be 10 to 1000000000, not 1e-300"},
        {"[vessel]\naspect_ratio = 1e-300\n", "test.toml:2: vessel.aspect_ratio: must be 0.1 to 100"},
        {"[output]\nmfds = [\"11586x11586\"]\n",
         "test.toml:2: output.mfds[0]: 11586x11586 needs 512.1 MiB of pixels, more than the 512 MiB a surface may "
         "have"},
        {"[start]\nplace = \"" + std::string(100000, 'x') + "\"\n",
         "test.toml:2: start.place: expected \"runway\" or \"flight\", not \"xxxxxxxxxx"},
        {"[vessel]\nmain_exhaust_velocity_mps = 0\n", "test.toml:2: vessel.main_exhaust_velocity_mps: must be above 0"},
        {"[vessel]\nmain_min_throttle = nan\n", "test.toml:2: vessel.main_min_throttle: must be a finite number"},
        {"[vessel]\nwing_area_m2 = \"big\"\n", "test.toml:2: vessel.wing_area_m2: expected a number, not a string"},
        {"[start]\nplace = \"runway\"\naltitude_m = 100\n",
         "test.toml:3: start.altitude_m: only for place = \"flight\""},
        {"[start]\nplace = \"orbit\"\n", "test.toml:2: start.place: expected \"runway\" or \"flight\", not \"orbit\""},
        {"[start]\nheading_deg = 90\n", "test.toml:1: start.place: missing"},
        {"[start]\nplace = \"flight\"\nspeed_mps = 100\n", "test.toml:1: start.altitude_m: missing"},
        {"[vessel]\nrcs_tank_kg = 20\n[start]\nplace = \"flight\"\naltitude_m = 1\nspeed_mps = 0\nrcs_propellant_kg = "
         "21\n",
         "test.toml:7: start.rcs_propellant_kg: must be 0 to 20, not 21"},
        {"[start]\nplace = \"flight\"\naltitude_m = 1e3\nspeed_mps = 10\nlatitude_deg = 91\n",
         "test.toml:5: start.latitude_deg: must be -90 to 90"},
        {"[controls]\nschedule = [\n  [0, 0, 0, 0, 1],\n  [5, 0, 0, 1],\n]\n",
         "test.toml:4: controls.schedule[1]: expected [time_s, pitch, roll, yaw, throttle]"},
        {"[controls]\nschedule = [[5, 0, 0, 0, 1],\n  [4, 0, 0, 0, 1]]\n",
         "test.toml:3: controls.schedule[1].time_s: times must not decrease"},
        {"[controls]\nschedule = [[0, 1.5, 0, 0, 1]]\n",
         "test.toml:2: controls.schedule[0].pitch: must be -1 to 1, not 1.5"},
        {"[controls]\nautopilot = \"default\"\nschedule = []\n", "test.toml:3: controls.schedule: give either"},
        {"[controls]\n", "test.toml:1: controls.autopilot: missing"},
        {"[[key]]\ntime_s = 1\n", "test.toml:1: key[0].code: missing"},
        {"[[key]]\ntime_s = 1\ncode = 47\n[[key]]\ntime_s = 2\ncode = 4.7\n",
         "test.toml:6: key[1].code: expected a whole number, not a number"},
        {"[output]\nmfds = [\"400x400\", \"400\"]\n", "test.toml:2: output.mfds[1]: expected \"WIDTHxHEIGHT\""},
        {"[output]\nduration_s = 0\n", "test.toml:2: output.duration_s: must be 0.02 to 1000000, not 0"},
        {"[output]\nmfds = []\n", "test.toml:2: output.mfds: expected 1 to 16 sizes"},
        {"vessel = 3\n", "test.toml:1: vessel: expected a table, not a whole number"},
        {"[vessel\n", "test.toml:1: not valid TOML: "},
        {"name = \"a\"\nname = \"b\"\n", "test.toml:2: not valid TOML: "},
    };
    for (const auto& c : cases) {
        const std::string fault = Fault(c.text);
        EXPECT_EQ(fault.rfind(c.message, 0), 0u) << fault.substr(0, 300) << "\nfor\n" << c.text.substr(0, 300);
        EXPECT_LT(fault.size(), 200u) << "a long value is cut";
    }
}

TEST(ScenarioFileTest, AFileThatCannotBeReadIsNamed) {
    try {
        ReadScenario("/nonexistent/flight.toml");
        FAIL();
    } catch (const InputError& error) {
        EXPECT_STREQ(error.what(),
                     "/nonexistent/flight.toml: cannot open the scenario file: No such file or directory");
    }
}

TEST(ScenarioFileTest, OptionsOverrideTheFileAndKeysMustFindTheirMfd) {
    Scenario s =
        ParseScenario("[[key]]\ntime_s = 3\nmfd = 1\ncode = 47\n[output]\nmfds = [\"100x100\", \"200x200\"]\n", kPath);
    BenchOptions options;
    options.durationS = 9;
    options.repaintEveryS = 0.5;
    ApplyOptions(options, s);
    EXPECT_EQ(s.output.durationS, 9);
    EXPECT_EQ(s.output.repaintEveryS, 0.5);
    EXPECT_EQ(s.output.frameEveryS, 5) << "not given, kept";
    EXPECT_EQ(s.output.mfds.size(), 2u);

    options.mfds = {MfdSize{300, 300}};
    try {
        ApplyOptions(options, s);
        FAIL();
    } catch (const InputError& error) {
        EXPECT_STREQ(error.what(), "test.toml:3: key[0].mfd: no MFD 1: the run has 1 (numbered from 0)");
    }
}

TEST(ScenarioFileTest, AnAirStartPutsTheVesselOnTheFlightPathGiven) {
    Scenario s = ParseScenario(R"(
[start]
place = "flight"
latitude_deg = 30
longitude_deg = -60
heading_deg = 45
altitude_m = 20000
speed_mps = 600
flight_path_deg = -10
pitch_deg = 5
bank_deg = 30
pitch_rate_degps = 2
)",
                               kPath);
    const flight::FlightModel model = StartFlight(s);
    EXPECT_NEAR(model.Readings().altitudeM, 20000, 1e-6);
    EXPECT_NEAR(model.Readings().airspeedMps, 600, 1e-9);
    EXPECT_NEAR(flight::FlightPathAngle(model), -10 * kRadiansPerDegree, 1e-12);
    EXPECT_FALSE(model.Readings().landed);
    const auto angles = flight::EulerAnglesOf(flight::HorizonAt(model.State().positionM), model.State().attitude);
    EXPECT_NEAR(angles.pitchRad, 5 * kRadiansPerDegree, 1e-12);
    EXPECT_NEAR(angles.bankRad, 30 * kRadiansPerDegree, 1e-12);
    EXPECT_NEAR(angles.headingRad, 45 * kRadiansPerDegree, 1e-12);
    EXPECT_NEAR(model.State().bodyRateRadps.y, 2 * kRadiansPerDegree, 1e-15);
    // The nose 15 degrees above a path along the heading: all angle of attack at wings level would be 15;
    // banked 30 degrees it splits into angle of attack and slip.
    EXPECT_NEAR(std::hypot(model.Readings().airflow.aoaRad, model.Readings().airflow.sideslipRad),
                15 * kRadiansPerDegree, 0.01);
    EXPECT_EQ(model.State().mainPropellantKg, s.vessel.mainTankCapacityKg);
}

TEST(ScenarioFileTest, TheReadmeExampleReadsWithEveryKeyItShows) {
    std::ifstream in(std::string(QUORVEL_SCENARIO_DIR) + "/../README.md");
    const std::string readme{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const auto begin = readme.find("```toml\n");
    ASSERT_NE(begin, std::string::npos);
    const std::string example = readme.substr(begin + 8, readme.find("```", begin + 8) - begin - 8);

    const Scenario runway = ParseScenario(example, "README.md");
    EXPECT_EQ(runway.name, "scripted climb");
    EXPECT_TRUE(std::holds_alternative<RunwayStart>(runway.start));
    EXPECT_EQ(runway.schedule.Points().size(), 8u);
    EXPECT_EQ(runway.keys.size(), 1u);
    EXPECT_EQ(runway.output.mfds.size(), 2u);

    // The keys shown commented out for a start in flight are good too.
    std::string inFlight = std::regex_replace(example, std::regex("place = \"runway\""), "place = \"flight\"");
    inFlight = std::regex_replace(inFlight, std::regex("\n# ([a-z_]+ = )"), "\n$1");
    const Scenario air = ParseScenario(inFlight, "README.md");
    const auto* start = std::get_if<AirStart>(&air.start);
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(start->altitudeM, 20000);
    EXPECT_EQ(start->rcsPropellantKg, 150);
}

}  // namespace
}  // namespace quorvel::sim
