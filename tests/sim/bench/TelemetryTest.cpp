#include "sim/bench/Telemetry.h"

#include "sim/bench/VesselDriver.h"
#include "tests/support/BenchProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace quorvel::sim {
namespace {

class TelemetryTest : public ::testing::Test {
protected:
    std::string Write(const std::string& text) {
        std::ofstream(path) << text;
        return path;
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::string Message(const std::string& text) {
        try {
            ReadTelemetryLog(Write(text));
        } catch (const InputError& error) {
            return error.what();
        }
        return "no error";
    }

    std::filesystem::path dir = test::TestFolder();
    std::string path = (dir / "log.csv").string();
};

VesselState Sample(double k) {
    VesselState s;
    s.altitude = 1000 * k;
    s.airspeed = 200 + k;
    s.heading = 0.1 * k;
    s.shipAirspeed = {1, 2, 3 + k};
    s.position = {6371010 + 1000 * k, 0, 0};
    s.landed = k == 0;
    s.hasApoapsis = k > 0;
    s.apoapsisDistance = 6.5e6;
    s.tanks = {{8000 - k, 8000}, {150, 150}};
    s.thrusters = {{262000, 2736, 0}};
    return s;
}

TEST_F(TelemetryTest, WhatTheHostWritesReadsBackAsAReplayLog) {
    std::ostringstream out;
    WriteTelemetryHeader(out);
    WriteTelemetryRow(out, 0.0, Sample(0));
    WriteTelemetryRow(out, 0.5, Sample(1));
    const auto log = ReadTelemetryLog(Write(out.str()));
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[1].timeS, 0.5);
    EXPECT_EQ(log[1].state.altitude, 1000.0);
    EXPECT_EQ(log[1].state.shipAirspeed.z, 4.0);
    EXPECT_EQ(log[1].state.tanks[0].mass, 7999.0);
    EXPECT_EQ(log[1].state.thrusters[0].exhaustVelocity, 2736.0);
    EXPECT_TRUE(log[0].state.landed);
    EXPECT_FALSE(log[0].state.hasApoapsis) << "an empty apoapsis is no apoapsis";
    EXPECT_TRUE(log[1].state.hasApoapsis);
    EXPECT_EQ(log[1].state.apoapsisDistance, 6.5e6);
    // The module shows an RCS readout only with a second thruster; and no air, no airspeed vectors.
    ASSERT_EQ(log[1].state.thrusters.size(), 2u);
    EXPECT_EQ(log[1].state.thrusters[1].tank, 1);
    EXPECT_FALSE(log[1].state.hasAirspeedVectors);
}

TEST_F(TelemetryTest, ReplayInterpolatesBetweenRecordsAndHoldsOutside) {
    std::ostringstream out;
    WriteTelemetryHeader(out);
    VesselState a = Sample(1), b = Sample(3);
    a.heading = 6.2;  // across north to 0.1
    b.heading = 0.1;
    WriteTelemetryRow(out, 10.0, a);
    WriteTelemetryRow(out, 20.0, b);
    const auto log = ReadTelemetryLog(Write(out.str()));
    VesselState s;
    ReplayState(log, 15.0, s);
    EXPECT_DOUBLE_EQ(s.altitude, 2000.0);
    EXPECT_NEAR(s.heading, std::fmod(6.2 + (0.1 + 2 * M_PI - 6.2) / 2, 2 * M_PI), 1e-12) << "the short way round";
    ReplayState(log, 0.0, s);
    EXPECT_EQ(s.altitude, 1000.0);
    ReplayState(log, 99.0, s);
    EXPECT_EQ(s.altitude, 3000.0);
}

TEST_F(TelemetryTest, ALogSavedWithAByteOrderMarkReads) {
    std::ostringstream out;
    out << "\xEF\xBB\xBF";
    WriteTelemetryHeader(out);
    WriteTelemetryRow(out, 1.0, Sample(1));
    EXPECT_EQ(ReadTelemetryLog(Write(out.str())).at(0).state.altitude, 1000.0);
}

// Between finite records a replay stays finite, however far apart they are
// (farther than a log may give them).
TEST_F(TelemetryTest, ReplayBetweenExtremeRecordsStaysFinite) {
    VesselState a = Sample(1), b = Sample(1);
    a.altitude = a.position.x = a.heading = 1e308;
    b.altitude = b.position.x = b.heading = -1e308;
    const std::vector<TelemetryRecord> log{{0.0, a}, {1.0, b}};
    VesselState s;
    for (const double t : {0.02, 0.5, 0.98}) {
        ReplayState(log, t, s);
        EXPECT_TRUE(std::isfinite(s.altitude)) << t;
        EXPECT_TRUE(std::isfinite(s.position.x)) << t;
        EXPECT_TRUE(s.heading >= 0 && s.heading < 2 * M_PI) << s.heading;
    }
    ReplayState(log, 0.5, s);
    EXPECT_NEAR(s.altitude, 0, 1e292);
}

// A vessel far lighter than any the scenario files allow: the flight model's
// state runs away, and the column named is the one a replay would refuse.
TEST_F(TelemetryTest, AFlightTheModelCannotFlyIsCaught) {
    Scenario scenario = DefaultScenario();
    scenario.vessel.emptyMassKg = 1e-300;
    scenario.vessel.mainTankCapacityKg = scenario.vessel.rcsTankCapacityKg = 0;
    AirStart start;
    start.altitudeM = 10000;
    start.speedMps = 300;
    scenario.start = start;
    scenario.pilot = Pilot::Schedule;
    const auto driver = FlyScenario(scenario);
    VesselState state;
    driver->WriteState(state);
    EXPECT_EQ(FirstNonFinite(state), nullptr);
    for (int step = 0; step < 50 && FirstNonFinite(state) == nullptr; ++step) {
        driver->Step();
        driver->WriteState(state);
    }
    const char* column = FirstNonFinite(state);
    ASSERT_NE(column, nullptr);
    std::ostringstream log;
    WriteTelemetryHeader(log);
    WriteTelemetryRow(log, 0, state);
    EXPECT_EQ(Message(log.str()), path + ":2: " + column + ": must be a finite number");
}

// A log gives the module nothing a scenario could not: each column within
// the scenario's limits, given once, and no row wider than the header.
TEST_F(TelemetryTest, TheReplayLogHoldsTheScenariosLimits) {
    std::ostringstream out;
    WriteTelemetryHeader(out);
    const std::string header = out.str();
    WriteTelemetryRow(out, 1.0, Sample(1));
    const std::string row = out.str().substr(header.size());
    ASSERT_EQ(Message(header + row), "no error");
    // The log with one column's value in its row replaced.
    const auto with = [&](const std::string& column, const std::string& value) {
        const auto split = [](const std::string& line) {
            std::vector<std::string> fields(1);
            for (const char c : line.substr(0, line.size() - 1)) {
                if (c == ',') {
                    fields.emplace_back();
                } else {
                    fields.back().push_back(c);
                }
            }
            return fields;
        };
        const std::vector<std::string> names = split(header);
        std::vector<std::string> fields = split(row);
        fields.at(static_cast<std::size_t>(std::find(names.begin(), names.end(), column) - names.begin())) = value;
        std::string changed;
        for (const std::string& field : fields) changed += (changed.empty() ? "" : ",") + field;
        return header + changed + "\n";
    };
    const struct {
        std::string column, value, message;
    } cases[] = {
        {"altitude_m", "1e300", "altitude_m: must be 0 to 1000000000, not 1e300"},
        {"altitude_m", "1e400", "altitude_m: \"1e400\" is out of range for a number"},
        {"engine_level", "5", "engine_level: must be 0 to 1, not 5"},
        {"landed", "2", "landed: must be 0 or 1, not 2"},
        {"landed", "0.5", "landed: must be 0 or 1, not 0.5"},
        {"main_propellant_kg", "-1", "main_propellant_kg: must be 0 to 1000000000, not -1"},
        {"main_propellant_kg", "9000", "main_propellant_kg: must be 0 to 8000 (main_propellant_max_kg), not 9000"},
        {"density_kgpm3", "-0.5", "density_kgpm3: must be 0 to 10, not -0.5"},
        {"pitch_rad", "1.6", "pitch_rad: must be -90 to 90 degrees in radians, not 1.6"},
        {"angular_velocity_x_radps", "-13", "angular_velocity_x_radps: must be -720 to 720 degrees in radians"},
        {"main_exhaust_velocity_mps", "-1", "main_exhaust_velocity_mps: must be 0 to 100000, not -1"},
    };
    for (const auto& c : cases) {
        const std::string message = Message(with(c.column, c.value));
        EXPECT_EQ(message.rfind(path + ":2: " + c.message, 0), 0u) << message;
    }

    const std::string twice = header.substr(0, header.size() - 1) + ",altitude_m\n";
    EXPECT_EQ(Message(twice + row), path + ":1: altitude_m: column given twice: columns 2 and 36");
    EXPECT_EQ(Message(header + row.substr(0, row.size() - 1) + ",7\n"),
              path + ":2: column 36: a value beyond the header's 35 columns");
    try {
        ReadTelemetryLog(dir.string());
        FAIL();
    } catch (const InputError& error) {
        EXPECT_EQ(error.what(), dir.string() + ": cannot read the replay log: Is a directory");
    }
}

TEST_F(TelemetryTest, FaultsNameTheFileLineAndField) {
    std::ostringstream out;
    WriteTelemetryHeader(out);
    const std::string header = out.str();
    WriteTelemetryRow(out, 1.0, Sample(1));
    const std::string good = out.str();

    EXPECT_EQ(Message(""), path + ":1: empty file: expected a header line");
    EXPECT_EQ(Message("time_s,altitude_m\n1,2\n"), path + ":1: airspeed_mps: column missing from the header");
    EXPECT_EQ(Message(header), path + ":1: no rows after the header");

    std::string bad = good;
    bad.replace(bad.find(",1000,"), 6, ",1e3x,");
    EXPECT_EQ(Message(bad), path + ":2: altitude_m: \"1e3x\" is not a number");

    std::ostringstream twice;
    twice << good;
    WriteTelemetryRow(twice, 1.0, Sample(2));
    EXPECT_EQ(Message(twice.str()), path + ":3: time_s: time must increase from row to row");

    EXPECT_EQ(Message(header + "1,2,3\n"), path + ":2: mach: missing value");
    std::string infinite = good;
    infinite.replace(infinite.find(",1000,"), 6, ",inf,");
    EXPECT_EQ(Message(infinite), path + ":2: altitude_m: must be a finite number");
    std::string timeless = good;
    timeless.replace(timeless.find("\n1,"), 3, "\nnan,");
    EXPECT_EQ(Message(timeless), path + ":2: time_s: must be a finite number");
    EXPECT_NE(Message("nonsense"), "no error");

    // A field is echoed, cut to a readable length; a time the host cannot
    // step in 0.02 s steps is refused.
    std::string long_ = good;
    long_.replace(long_.find(",1000,"), 6, "," + std::string(2000000, '7') + "x,");
    const std::string cut = Message(long_);
    EXPECT_EQ(cut.rfind(path + ":2: altitude_m: \"7777", 0), 0u) << cut.substr(0, 200);
    EXPECT_LT(cut.size(), path.size() + 120);
    for (const char* time : {"1e60", "-1e300", "1000000001"}) {
        std::string distant = good;
        distant.replace(distant.find("\n1,"), 3, std::string("\n") + time + ",");
        EXPECT_EQ(Message(distant), path + ":2: time_s: must be -1000000000 to 1000000000, not " + time) << time;
    }

    try {
        ReadTelemetryLog("/nonexistent/log.csv");
        FAIL();
    } catch (const InputError& error) {
        EXPECT_STREQ(error.what(), "/nonexistent/log.csv: cannot open the replay log: No such file or directory");
    }
}

}  // namespace
}  // namespace quorvel::sim
