#include "sim/bench/VesselStateWriter.h"

#include <gtest/gtest.h>

#include <cmath>

#include "sim/flight/Orbit.h"
#include "tests/sim/flight/FlightTestSupport.h"
#include "tests/sim/flight/ModuleProbe.h"

namespace quorvel::flight {
namespace {

using test::InFlight;
using test::ModuleProbe;

constexpr double kKnotsPerMps = 1.94384449;

// --- Signs as the module's instruments show them ------------------------

struct Turn {
    const char* name;
    ControlInputs controls;
};

TEST(VesselStateConventionsTest, DemandsShowOnTheModulesRatesAndAnglesWithTheirNaturalSigns) {
    const Turn turns[] = {
        {"nose up", {0.5, 0, 0, 0}},
        {"right wing down", {0, 0.5, 0, 0}},
        {"nose right", {0, 0, 0.5, 0}},
    };
    for (const Turn& turn : turns) {
        // Level, heading north-east, above the air: nothing but the RCS.
        FlightModel model = InFlight(250000, 7700, {0, 0, 45 * kRadiansPerDegree});
        ModuleProbe probe;
        probe.Sample(model);
        for (int i = 0; i < 250; ++i) model.Step(turn.controls);
        probe.Sample(model);
        const FlightData& d = probe.data;
        const Vec3 rightWing = Rotate(model.State().attitude, {0, 1, 0});
        const HorizonFrame horizon = HorizonAt(model.State().positionM);
        if (turn.controls.pitch > 0) {
            EXPECT_GT(d.pitchRate, 1.0);
            EXPECT_GT(d.pitch, 5.0);
        } else {
            EXPECT_NEAR(d.pitchRate, 0, 1e-9) << turn.name;
        }
        if (turn.controls.roll > 0) {
            EXPECT_GT(d.rollRate, 5.0);
            EXPECT_LT(d.bank, -20.0) << "the page reads a right bank as negative";
            EXPECT_LT(Dot(rightWing, horizon.up), -0.3) << "the right wing really is down";
        } else {
            EXPECT_NEAR(d.rollRate, 0, 1e-9) << turn.name;
        }
        if (turn.controls.yaw > 0) {
            EXPECT_GT(d.yawRate, 0.5);
            EXPECT_GT(d.heading, 46.0);
        } else {
            EXPECT_NEAR(d.yawRate, 0, 1e-9) << turn.name;
        }
    }
}

TEST(VesselStateConventionsTest, AngleOfAttackAndSlipArePositiveWithTheNoseAboveAndRightOfTheAirflow) {
    const double speed = 200;
    FlightModel model = InFlight(10000, speed, {5 * kRadiansPerDegree, 0, 93 * kRadiansPerDegree});  // flying east
    sim::VesselState s;
    WriteVesselState(model, s);
    EXPECT_NEAR(s.aoa, 5 * kRadiansPerDegree, 0.01 * kRadiansPerDegree);
    EXPECT_NEAR(s.slip, 3 * kRadiansPerDegree, 0.01 * kRadiansPerDegree);
    // The air meets the vessel from below and from the left.
    EXPECT_LT(s.shipAirspeed.y, 0);
    EXPECT_LT(s.shipAirspeed.x, 0);
    EXPECT_NEAR(std::hypot(s.shipAirspeed.x, s.shipAirspeed.y, s.shipAirspeed.z), speed, 1e-9);
}

TEST(VesselStateConventionsTest, HorizonFrameIsEastUpNorthAndHeadingRunsToTwoPi) {
    // At longitude 0 on the equator: east is +y, north +z, up +x.
    FlightState state;
    state.positionM = {kBodyRadiusM + 5000, 0, 0};
    state.velocityMps = {30, 40, 50};
    state.attitude = AttitudeFrom(HorizonAt(state.positionM), {0, 10 * kRadiansPerDegree, 350 * kRadiansPerDegree});
    FlightModel model;
    model.PlaceInFlight(state);
    sim::VesselState s;
    WriteVesselState(model, s);
    EXPECT_NEAR(s.horizonAirspeed.x, 40, 1e-9);
    EXPECT_NEAR(s.horizonAirspeed.y, 30, 1e-9);
    EXPECT_NEAR(s.horizonAirspeed.z, 50, 1e-9);
    EXPECT_NEAR(s.heading, 350 * kRadiansPerDegree, 1e-9);
    EXPECT_NEAR(s.bank, 10 * kRadiansPerDegree, 1e-9);
    EXPECT_NEAR(s.altitude, 5000, 1e-6);
    EXPECT_EQ(s.position.x, state.positionM.x);
    EXPECT_EQ(s.velocity.z, 50);
}

// --- Air data ------------------------------------------------------------

TEST(VesselStateAirDataTest, ModuleEquivalentAirspeedIsTrueAirspeedTimesRootDensityRatio) {
    struct Case {
        double altitudeM, speedMps, aoaRad;
    };
    for (const Case c : {Case{0, 100, 0}, Case{11000, 250, 0}, Case{20000, 590.14, 0}, Case{40000, 1200, 0},
                         Case{15000, 400, 8 * kRadiansPerDegree}}) {
        FlightModel model = InFlight(c.altitudeM, c.speedMps, {c.aoaRad, 0, 90 * kRadiansPerDegree});
        ModuleProbe probe;
        probe.Sample(model);
        // The module takes the forward part of the airspeed.
        const double expectedKt =
            c.speedMps * std::cos(c.aoaRad) * std::sqrt(model.Readings().air.densityKgpm3 / 1.225) * kKnotsPerMps;
        EXPECT_NEAR(probe.data.eas, expectedKt, expectedKt * 1e-3) << c.altitudeM << " m";
    }
}

TEST(VesselStateAirDataTest, MachAndAirAtTwentyKilometresMatchThePublishedExample) {
    FlightModel model = InFlight(20000, 590.14);
    sim::VesselState s;
    WriteVesselState(model, s);
    EXPECT_NEAR(s.mach, 2.0, 2e-3);
    EXPECT_NEAR(s.atmPressure, 5529.3, 5529.3 * 1e-3);
    EXPECT_NEAR(s.atmDensity, 0.0889098, 0.0889098 * 1e-3);
    EXPECT_DOUBLE_EQ(s.airspeed, 590.14);
    EXPECT_TRUE(s.hasAirspeedVectors);

    FlightModel high = InFlight(kAtmosphereTopM + 1000, 7000);
    WriteVesselState(high, s);
    EXPECT_FALSE(s.hasAirspeedVectors);
    EXPECT_EQ(s.mach, 0.0);
    EXPECT_EQ(s.atmDensity, 0.0);
}

// --- Orbit, tanks and thrusters -----------------------------------------

TEST(VesselStateOrbitTest, ApoapsisIsReportedOnlyWhenBound) {
    sim::VesselState s;
    WriteVesselState(FlightModel{}, s);
    ASSERT_TRUE(s.hasApoapsis);
    EXPECT_NEAR(s.apoapsisDistance, kBodyRadiusM, 1e-6) << "at rest on the runway";

    // 8 km/s along the horizontal at 6778137 m: apoapsis 8091249.6 m.
    WriteVesselState(InFlight(407127, 8000), s);
    ASSERT_TRUE(s.hasApoapsis);
    EXPECT_NEAR(s.apoapsisDistance, 8091249.6, 1.0);

    s.apoapsisDistance = -1;
    WriteVesselState(InFlight(407127, 11000), s);
    EXPECT_FALSE(s.hasApoapsis);
}

TEST(VesselStateEngineTest, TheModulesBurnTimeIsHowLongTheEngineReallyBurns) {
    FlightModel model = InFlight(1e10, 0, {0, 0, 90 * kRadiansPerDegree}, 10500);
    sim::VesselState s;
    WriteVesselState(model, s);
    ASSERT_EQ(s.tanks.size(), 2u);
    ASSERT_EQ(s.thrusters.size(), 7u);
    EXPECT_EQ(s.thrusters[0].tank, 0);
    for (std::size_t i = 1; i < s.thrusters.size(); ++i) EXPECT_EQ(s.thrusters[i].tank, 1);
    EXPECT_EQ(s.tanks[1].mass, 150.0);
    EXPECT_EQ(s.tanks[1].maxMass, 150.0);
    // Burn time as the module reads it: mass times Isp0 over Max0.
    const double burnS = s.tanks[0].mass * s.thrusters[0].exhaustVelocity / s.thrusters[0].maxThrust;

    double burningS = 0;
    do {
        model.Step({0, 0, 0, 1});
        WriteVesselState(model, s);
        burningS += s.mainEngineLevel * FlightModel::kStepS;
    } while (s.mainEngineLevel > 0);
    EXPECT_NEAR(burningS, burnS, 1e-9);
    // The loop ran one step with the engine already out.
    EXPECT_NEAR(model.TimeS() - FlightModel::kStepS, burnS, FlightModel::kStepS);
    EXPECT_EQ(s.tanks[0].mass, 0.0);
    EXPECT_EQ(s.tanks[0].maxMass, 10500.0);
}

}  // namespace
}  // namespace quorvel::flight
