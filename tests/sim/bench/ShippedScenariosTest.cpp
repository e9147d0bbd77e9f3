// Every scenario in scenarios/ reads and flies through the bench host, and
// each tells the story its comment promises, as its telemetry shows.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <sstream>

#include "sim/bench/ScenarioFile.h"
#include "sim/flight/Angles.h"
#include "tests/support/BenchProcess.h"

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;

using flight::kRadiansPerDegree;

using Log = std::map<std::string, std::vector<double>>;

// The telemetry log as columns of numbers by name; an empty field reads NaN.
Log ReadColumns(const fs::path& path) {
    std::istringstream in(ReadText(path));
    std::string line, field;
    std::getline(in, line);
    std::vector<std::string> names;
    for (std::istringstream header(line); std::getline(header, field, ',');) names.push_back(field);
    Log columns;
    while (std::getline(in, line)) {
        std::istringstream row(line + ",");
        for (const std::string& name : names) {
            std::getline(row, field, ',');
            columns[name].push_back(field.empty() ? std::nan("") : std::stod(field));
        }
    }
    return columns;
}

using Story = std::function<void(const Log&)>;

// Over a whole column; NaN when any value is missing, so that no check passes on a gap.
double Smallest(const Log& log, const std::string& column, bool magnitude = false) {
    double least = INFINITY;
    for (double v : log.at(column)) {
        if (std::isnan(v)) return v;
        least = std::fmin(least, magnitude ? std::fabs(v) : v);
    }
    return least;
}

double Largest(const Log& log, const std::string& column, bool magnitude = false) {
    double most = -INFINITY;
    for (double v : log.at(column)) {
        if (std::isnan(v)) return v;
        most = std::fmax(most, magnitude ? std::fabs(v) : v);
    }
    return most;
}

const std::map<std::string, Story>& Stories() {
    static const std::map<std::string, Story> stories{
        {"orbital-coast",
         [](const Log& log) {
             EXPECT_GT(Smallest(log, "altitude_m"), 199000);
             EXPECT_LT(Largest(log, "altitude_m"), 210000);
             EXPECT_EQ(Largest(log, "engine_level"), 0);
             EXPECT_GT(Smallest(log, "apoapsis_m"), 6371010 + 200000) << "bound, apoapsis ahead";
         }},
        {"tumble",
         [](const Log& log) {
             // Beyond the rate indicator's full scale all along: pitch 10, yaw 20, roll 30 deg/s.
             EXPECT_GT(Smallest(log, "angular_velocity_x_radps", true), 10 * kRadiansPerDegree);
             EXPECT_GT(Smallest(log, "angular_velocity_y_radps", true), 20 * kRadiansPerDegree);
             EXPECT_GT(Smallest(log, "angular_velocity_z_radps", true), 30 * kRadiansPerDegree);
             EXPECT_EQ(log.at("rcs_propellant_kg").back(), 0) << "the RCS runs dry";
             EXPECT_LT(std::fabs(log.at("angular_velocity_z_radps").back()),
                       std::fabs(log.at("angular_velocity_z_radps").front()))
                 << "after slowing the roll";
         }},
        {"dead-stick-glide",
         [](const Log& log) {
             EXPECT_EQ(Largest(log, "main_propellant_kg"), 0);
             EXPECT_EQ(Largest(log, "engine_level"), 0);
             EXPECT_EQ(Largest(log, "landed"), 0) << "still gliding at the end";
             const auto& h = log.at("altitude_m");
             EXPECT_LT(h.back(), h.front() - 5000) << "gliding down";
             EXPECT_GT(Smallest(log, "airspeed_mps"), 80) << "flying, not stalled";
         }},
    };
    return stories;
}

TEST(ShippedScenariosTest, EveryOneReadsFliesAndTellsItsStory) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(QUORVEL_SCENARIO_DIR)) {
        if (entry.path().extension() == ".toml") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    ASSERT_GE(files.size(), 3u);
    const fs::path dir = TestFolder();
    for (const fs::path& file : files) {
        const std::string name = file.stem().string();
        SCOPED_TRACE(name);
        const sim::Scenario scenario = sim::ReadScenario(file.string());
        ASSERT_TRUE(scenario.output.durationS) << "says how long it runs";

        const fs::path out = dir / name;
        const BenchResult run = RunBench({"--scenario", file.string(), "--quiet", "--out", out.string()}, dir);
        ASSERT_EQ(run.status, 0) << run.err;
        std::ostringstream flew;
        flew << "flew " << *scenario.output.durationS << " s";
        EXPECT_NE(run.out.find(flew.str()), std::string::npos) << run.out;
        EXPECT_TRUE(fs::exists(out / "contact-sheet.png"));

        const auto story = Stories().find(name);
        ASSERT_NE(story, Stories().end()) << "a new scenario needs its story checked here";
        story->second(ReadColumns(out / "telemetry.csv"));
    }
}

}  // namespace
}  // namespace quorvel::test
