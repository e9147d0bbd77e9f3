#include "module/flightdata/FlightData.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "module/units/Units.h"
#include "sim/host/HostVessel.h"

namespace quorvel {
namespace {

using sim::VesselQuery;

constexpr double kBodyRadius = 6371010;

// A vessel at rest on the reference sphere in sea-level air.
class FlightDataTest : public ::testing::Test {
protected:
    FlightDataTest() {
        host.state.position = {kBodyRadius, 0, 0};
        host.state.atmPressure = 101400;
        host.state.atmDensity = 1.225;
    }

    HostVessel host;
    FlightData data{&host.vessel};
};

TEST_F(FlightDataTest, ConvertsAnglesRatesAndSpeedsToDisplayUnits) {
    host.state.pitch = std::numbers::pi / 2;
    host.state.bank = -std::numbers::pi / 4;  // left wing down
    host.state.heading = std::numbers::pi;
    host.state.aoa = 0.1;
    host.state.slip = -0.05;
    host.state.angularVelocity = {0, 1, 0};
    host.state.horizonAirspeed = {3, 1, 4};
    host.state.altitude = 1000;
    host.state.mach = 0.85;
    host.state.mainEngineLevel = 0.75;
    data.sample(1.0);

    EXPECT_NEAR(data.pitch, 90.0, 1e-12);
    EXPECT_NEAR(data.bank, 45.0, 1e-12);
    EXPECT_NEAR(data.heading, 180.0, 1e-12);
    EXPECT_NEAR(data.aoa, 5.729577951308238, 1e-12);
    EXPECT_NEAR(data.slip, -2.864788975654119, 1e-12);
    EXPECT_DOUBLE_EQ(data.yawRate, -57.29577951308238);
    EXPECT_EQ(data.pitchRate, 0.0);
    EXPECT_EQ(data.rollRate, 0.0);
    EXPECT_DOUBLE_EQ(data.verticalSpeed, 1.0);
    EXPECT_NEAR(data.verticalSpeedFpm, 196.850394, 1e-9);
    EXPECT_NEAR(data.altitudeFt, 3280.8399, 1e-9);
    EXPECT_DOUBLE_EQ(data.mach, 0.85);
    EXPECT_DOUBLE_EQ(data.engineLevel, 0.75);
}

TEST_F(FlightDataTest, RatesComeFromTheBodyAxes) {
    host.state.angularVelocity = {0.5, -0.25, 2};
    data.sample(1.0);
    EXPECT_DOUBLE_EQ(data.pitchRate, 0.5 * kDegreesPerRadian);
    EXPECT_DOUBLE_EQ(data.yawRate, 0.25 * kDegreesPerRadian);
    EXPECT_DOUBLE_EQ(data.rollRate, 2 * kDegreesPerRadian);
}

TEST_F(FlightDataTest, EquivalentAirspeedUsesForwardSpeedAndTheReferencePressure) {
    host.state.shipAirspeed = {30, -20, 100};
    host.state.airspeed = 200;  // must not be used
    data.sample(1.0);
    EXPECT_EQ(data.forwardAirspeed, 100.0);
    EXPECT_NEAR(data.eas, 194.31, 0.005);
    // The speed of sound behind it is 661.72 kt: EAS = 661.47 / a * TAS.
    EXPECT_NEAR(661.47 / data.eas * 100 * kKnotsPerMetrePerSecond, 661.72, 0.005);
}

TEST_F(FlightDataTest, EquivalentAirspeedAtAltitudeMatchesThePublishedExample) {
    // 20 km at Mach 2: 309.04 kt with 101325 Pa, 0.04 % lower with 101400.
    host.state.atmPressure = 5529.3;
    host.state.atmDensity = 0.0889098;
    host.state.shipAirspeed = {0, 0, 590.14};
    data.sample(1.0);
    EXPECT_NEAR(data.eas, 309.04 * std::sqrt(101325.0 / 101400.0), 0.05);
}

TEST_F(FlightDataTest, NoAirOrAirFromBehindGivesZeroEquivalentAirspeed) {
    host.state.shipAirspeed = {0, 0, -5};
    data.sample(1.0);
    EXPECT_EQ(data.forwardAirspeed, 0.0);
    EXPECT_EQ(data.eas, 0.0);

    host.state.shipAirspeed = {0, 0, 100};
    host.state.atmDensity = 0.99e-6;
    data.sample(2.0);
    EXPECT_EQ(data.eas, 0.0);

    // Exactly 1e-6 is not below the threshold.
    host.state.atmDensity = 1e-6;
    host.state.atmPressure = 0.08;
    data.sample(3.0);
    EXPECT_GT(data.eas, 0.0);

    // A vacuum pressure leaves no speed of sound.
    host.state.atmPressure = 0;
    data.sample(4.0);
    EXPECT_EQ(data.eas, 0.0);
}

TEST_F(FlightDataTest, EasRateRefreshesOnlyAfterMoreThanATenthOfASecond) {
    host.state.shipAirspeed = {0, 0, 100};
    data.sample(0.1);  // the first refresh waits for a gap above 0.1 s
    EXPECT_EQ(data.easRate, 0.0);
    EXPECT_EQ(data.rateSampleTime, 0.0);

    data.sample(0.5);  // differences against eas 0 at time 0
    const double eas = data.eas;
    EXPECT_NEAR(data.easRate, eas / 0.5, 1e-9);
    EXPECT_EQ(data.easAtRateSample, eas);
    EXPECT_EQ(data.rateSampleTime, 0.5);

    host.state.shipAirspeed = {0, 0, 110};
    data.sample(0.6);  // a gap of exactly 0.1 s (to rounding) or less keeps all three
    data.sample(0.55);
    EXPECT_NEAR(data.easRate, eas / 0.5, 1e-9);
    EXPECT_EQ(data.easAtRateSample, eas);
    EXPECT_EQ(data.rateSampleTime, 0.5);

    data.sample(0.7);
    EXPECT_NEAR(data.easRate, (data.eas - eas) / 0.2, 1e-9);
    EXPECT_EQ(data.rateSampleTime, 0.7);
}

TEST_F(FlightDataTest, EasRateGateRestartsWhenTimeRunsBackwards) {
    host.state.shipAirspeed = {0, 0, 100};
    data.sample(100.0);
    const double rate = data.easRate;
    data.sample(5.0);  // a reloaded scenario
    EXPECT_EQ(data.rateSampleTime, 5.0);
    EXPECT_EQ(data.easRate, rate);
    host.state.shipAirspeed = {0, 0, 120};
    data.sample(5.5);
    EXPECT_EQ(data.rateSampleTime, 5.5);
    EXPECT_NE(data.easRate, rate);
}

TEST_F(FlightDataTest, GLoadReadsTheGravityModelAtRestAndZeroInFreeFall) {
    EXPECT_EQ(data.gLoad, 1.0);  // before the first sample
    data.sample(1.0);
    data.sample(2.0);
    EXPECT_NEAR(data.gLoad, 0.99898, 1e-5);

    // Falling with exactly the model's gravity: -9.8 m/s^2 along x.
    host.state.velocity = {-9.8, 0, 0};
    data.sample(3.0);
    EXPECT_NEAR(data.gLoad, 0.0, 1e-8);
}

TEST_F(FlightDataTest, FirstGLoadDifferencesAgainstRestAtTimeZero) {
    host.state.position = {0, kBodyRadius, 0};
    host.state.velocity = {0, 0, 100};
    data.sample(10.0);
    // A = (0, 0, 10); gravity 9.8 along +y.
    EXPECT_NEAR(data.gLoad, std::sqrt(10.0 * 10.0 + 9.8 * 9.8) / 9.81, 1e-9);
    EXPECT_EQ(data.prevSampleTime, 10.0);
}

TEST_F(FlightDataTest, TimeThatDoesNotAdvanceKeepsTheGLoadAndRestartsDifferencing) {
    data.sample(1.0);
    data.sample(2.0);
    const double resting = data.gLoad;
    host.state.velocity = {500, 0, 0};
    data.sample(2.0);  // zero interval
    EXPECT_EQ(data.gLoad, resting);
    EXPECT_EQ(data.prevVelocity.x, 500.0);
    data.sample(1.0);  // negative interval
    EXPECT_EQ(data.gLoad, resting);
    EXPECT_EQ(data.prevSampleTime, 1.0);
    data.sample(2.0);  // differences from the restart, not across the jump
    EXPECT_NEAR(data.gLoad, 0.99898, 1e-5);
}

TEST_F(FlightDataTest, HeadingFailureKeepsTheLastHeading) {
    host.state.heading = 0.5;
    data.sample(1.0);
    host.state.headingAvailable = false;
    host.state.heading = 1.5;
    data.sample(2.0);
    data.sample(3.0);
    EXPECT_NEAR(data.heading, 0.5 * kDegreesPerRadian, 1e-12);
}

TEST_F(FlightDataTest, NonFiniteValuesAreStoredAsGiven) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    host.state.altitude = inf;
    host.state.pitch = nan;
    host.state.angularVelocity = {inf, -inf, nan};
    host.state.atmDensity = nan;
    host.state.atmPressure = inf;
    host.state.shipAirspeed = {0, 0, nan};
    host.state.position = {nan, 0, 0};
    host.state.velocity = {inf, 0, 0};
    data.sample(nan);
    data.sample(1.0);
    data.sample(inf);
    data.sample(2.0);
    EXPECT_TRUE(std::isinf(data.altitudeFt));
    EXPECT_TRUE(std::isnan(data.pitch));
    EXPECT_TRUE(std::isinf(data.pitchRate));
    EXPECT_TRUE(std::isinf(data.yawRate));
    // The rate gate recovers from the non-finite times.
    EXPECT_EQ(data.rateSampleTime, 2.0);
}

TEST_F(FlightDataTest, SampleQueriesTheVesselAndNothingElseDoes) {
    data.sample(1.0);
    EXPECT_EQ(host.queries.Of(VesselQuery::Status), 1u);
    EXPECT_EQ(host.queries.Of(VesselQuery::Heading), 1u);
    EXPECT_EQ(host.queries.Of(VesselQuery::ApDist), 0u);
    EXPECT_EQ(host.queries.Of(VesselQuery::PropellantCount), 0u);
}

}  // namespace
}  // namespace quorvel
