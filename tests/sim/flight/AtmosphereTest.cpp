#include "sim/flight/Atmosphere.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace quorvel::flight {
namespace {

struct ReferenceRow {
    double altitudeM, temperatureK, pressurePa, densityKgpm3, speedOfSoundMps;
};

std::vector<ReferenceRow> ReadReference() {
    std::ifstream file(QUORVEL_FLIGHT_TEST_DATA "/us1976_reference.csv");
    std::vector<ReferenceRow> rows;
    std::string line;
    std::getline(file, line);  // header
    while (std::getline(file, line)) {
        std::istringstream fields(line);
        ReferenceRow row{};
        char comma = 0;
        if (fields >> row.altitudeM >> comma >> row.temperatureK >> comma >> row.pressurePa >> comma >>
            row.densityKgpm3 >> comma >> row.speedOfSoundMps) {
            rows.push_back(row);
        }
    }
    return rows;
}

void ExpectWithin(double actual, double expected, double relative, const char* what, double altitudeM) {
    EXPECT_NEAR(actual, expected, std::fabs(expected) * relative) << what << " at " << altitudeM << " m";
}

TEST(AtmosphereTest, MatchesThePublishedTableToATenthOfAPercent) {
    const std::vector<ReferenceRow> rows = ReadReference();
    ASSERT_EQ(rows.size(), 9u) << "the reference table did not load";
    for (const ReferenceRow& row : rows) {
        const AtmosphereSample air = StandardAtmosphere(row.altitudeM);
        ExpectWithin(air.temperatureK, row.temperatureK, 1e-3, "temperature", row.altitudeM);
        ExpectWithin(air.pressurePa, row.pressurePa, 1e-3, "pressure", row.altitudeM);
        ExpectWithin(air.densityKgpm3, row.densityKgpm3, 1e-3, "density", row.altitudeM);
        ExpectWithin(air.speedOfSoundMps, row.speedOfSoundMps, 1e-3, "speed of sound", row.altitudeM);
    }
}

TEST(AtmosphereTest, LayersJoinWithoutSteps) {
    // Layer bases in geometric altitude, from H = r0 Z / (r0 + Z) inverted.
    for (double baseKm : {11.0, 20.0, 32.0, 47.0, 51.0, 71.0}) {
        const double z = 6356766 * baseKm * 1000 / (6356766 - baseKm * 1000);
        const AtmosphereSample below = StandardAtmosphere(z - 0.01);
        const AtmosphereSample above = StandardAtmosphere(z + 0.01);
        ExpectWithin(above.pressurePa, below.pressurePa, 1e-5, "pressure", z);
        ExpectWithin(above.temperatureK, below.temperatureK, 1e-6, "temperature", z);
    }
}

TEST(AtmosphereTest, AboveTheStandardTopTheAirThinsByTheScaleHeightAtConstantTemperature) {
    const AtmosphereSample top = StandardAtmosphere(86000);
    const AtmosphereSample justAbove = StandardAtmosphere(86000.01);
    ExpectWithin(justAbove.pressurePa, top.pressurePa, 1e-5, "pressure", 86000);
    ExpectWithin(justAbove.densityKgpm3, top.densityKgpm3, 1e-5, "density", 86000);

    for (double z : {86000.0, 95000.0, 120000.0}) {
        const AtmosphereSample here = StandardAtmosphere(z);
        const AtmosphereSample higher = StandardAtmosphere(z + 5600);
        ExpectWithin(higher.pressurePa / here.pressurePa, std::exp(-1.0), 1e-9, "pressure ratio", z);
        ExpectWithin(higher.densityKgpm3 / here.densityKgpm3, std::exp(-1.0), 1e-9, "density ratio", z);
        EXPECT_NEAR(here.temperatureK, 186.946, 0.01);
        // Still an ideal gas.
        ExpectWithin(here.pressurePa / (here.densityKgpm3 * here.temperatureK), kGasConstantJpkgK, 1e-9, "R", z);
    }
}

TEST(AtmosphereTest, BeyondTheTopOrForNonsenseThereIsNoAirButAFiniteSpeedOfSound) {
    for (double z : {kAtmosphereTopM + 1, 1e9, std::numeric_limits<double>::infinity(),
                     std::numeric_limits<double>::quiet_NaN()}) {
        const AtmosphereSample air = StandardAtmosphere(z);
        EXPECT_EQ(air.pressurePa, 0.0) << z;
        EXPECT_EQ(air.densityKgpm3, 0.0) << z;
        EXPECT_GT(air.speedOfSoundMps, 0.0) << z;
    }
    // Far below the surface the air stops getting denser.
    const AtmosphereSample deep = StandardAtmosphere(-1e7);
    EXPECT_EQ(deep.pressurePa, StandardAtmosphere(-5000).pressurePa);
    EXPECT_TRUE(std::isfinite(StandardAtmosphere(-std::numeric_limits<double>::infinity()).densityKgpm3));
}

}  // namespace
}  // namespace quorvel::flight
