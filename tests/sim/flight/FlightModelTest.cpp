#include "sim/flight/FlightModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "sim/flight/Orbit.h"
#include "tests/sim/flight/FlightTestSupport.h"
#include "tests/sim/flight/ModuleProbe.h"

namespace quorvel::flight {
namespace {

using test::InFlight;
using test::SpecificEnergy;
using test::AngleBetween;
using test::ModuleProbe;

constexpr double kFullFlowKgps = 262000.0 / 2736.0;

ControlInputs Throttle(double level) { return {0, 0, 0, level}; }

// --- What the module's accelerometer sees -------------------------------

TEST(FlightModelLoadTest, AtRestOnTheRunwayTheModuleReadsItsOneG) {
    FlightModel model;
    ModuleProbe probe;
    probe.Sample(model);
    for (int i = 0; i < 50; ++i) {
        model.Step({});
        probe.Sample(model);
        // 9.8 m/s^2 in the module's gravity model, over its 9.81 per g.
        ASSERT_NEAR(probe.data.gLoad, 0.99898, 1e-5) << "step " << i;
    }
    EXPECT_TRUE(model.Readings().landed);
    EXPECT_EQ(model.Readings().altitudeM, 0.0);
    EXPECT_EQ(Norm(model.State().velocityMps), 0.0);
}

TEST(FlightModelLoadTest, CoastingAboveTheAtmosphereTheModuleReadsNearlyNoLoad) {
    FlightModel model = InFlight(250000, 7000);
    ModuleProbe probe;
    probe.Sample(model);
    for (int i = 0; i < 50; ++i) {
        model.Step({});
        probe.Sample(model);
        // What is left is the module's gravity model (9.8 m/s^2 at the
        // surface) against the body's (9.82): 0.002 g.
        ASSERT_LT(probe.data.gLoad, 0.005) << "step " << i;
    }
    EXPECT_LT(Norm(model.Readings().specificForceMps2), 1e-12);
}

// --- Integration ---------------------------------------------------------

TEST(FlightModelIntegrationTest, EnergyAndOrbitHoldOverAWholeUnpoweredOrbit) {
    // Perigee 250 km, apogee 1000 km: above the air all the way round.
    const double perigeeM = kBodyRadiusM + 250000, apogeeM = kBodyRadiusM + 1000000;
    const double a = (perigeeM + apogeeM) / 2;
    const double speedMps = std::sqrt(kGravityParameterM3ps2 * (2 / perigeeM - 1 / a));
    FlightModel model = InFlight(250000, speedMps);
    const double energy0 = SpecificEnergy(model);
    const double periodS = 2 * std::numbers::pi * std::sqrt(a * a * a / kGravityParameterM3ps2);

    double worstEnergy = 0, worstApogeeM = 0, highestM = 0;
    while (model.TimeS() < periodS) {
        model.Step({});
        worstEnergy = std::fmax(worstEnergy, std::fabs(SpecificEnergy(model) - energy0));
        const auto apogee = OrbitThrough(model.State().positionM, model.State().velocityMps).apoapsisDistanceM;
        ASSERT_TRUE(apogee);
        worstApogeeM = std::fmax(worstApogeeM, std::fabs(*apogee - apogeeM));
        highestM = std::fmax(highestM, Norm(model.State().positionM));
    }
    EXPECT_LT(worstEnergy, 1e-6 * std::fabs(energy0));
    EXPECT_LT(worstApogeeM, 10.0);
    EXPECT_NEAR(highestM, apogeeM, 10.0) << "the vessel really went round";
    EXPECT_LT(AngleBetween(model.State().positionM, {1, 0, 0}), 1e-4) << "and came back";
}

// --- Propulsion ----------------------------------------------------------

TEST(FlightModelEngineTest, ABurnUsesThrustOverExhaustVelocityAndGivesTheRocketEquation) {
    // Far out, where gravity is a few micrometres per second squared.
    FlightModel model = InFlight(1e10, 0, {0, 0, 90 * kRadiansPerDegree}, 2000);
    const double m0 = model.MassKg();
    for (int i = 0; i < 500; ++i) model.Step(Throttle(1));  // 10 s
    EXPECT_NEAR(2000 - model.State().mainPropellantKg, kFullFlowKgps * 10, 1e-6);
    EXPECT_NEAR(Norm(model.State().velocityMps), 2736 * std::log(m0 / model.MassKg()), 1e-3);
    EXPECT_DOUBLE_EQ(model.Readings().thrustN, 262000);

    // Half the level, half the flow.
    for (int i = 0; i < 500; ++i) model.Step(Throttle(0.5));
    EXPECT_NEAR(2000 - model.State().mainPropellantKg, kFullFlowKgps * 15, 1e-6);
}

TEST(FlightModelEngineTest, AtSeaLevelTheSameFlowGivesTheSeaLevelThrust) {
    FlightModel model;
    const double before = model.State().mainPropellantKg;
    for (int i = 0; i < 50; ++i) model.Step(Throttle(1));
    EXPECT_NEAR(model.Readings().thrustN, 225000, 225000 * 0.005);  // published: about 225 kN
    EXPECT_NEAR(before - model.State().mainPropellantKg, kFullFlowKgps, 1e-6);
}

TEST(FlightModelEngineTest, BelowItsMinimumTheEngineBurnsAtTheMinimum) {
    FlightModel model = InFlight(1e10, 0, {}, 1000);
    model.Step(Throttle(0.2));
    EXPECT_DOUBLE_EQ(model.Readings().engineLevel, 0.5);
    model.Step(Throttle(0));
    EXPECT_EQ(model.Readings().engineLevel, 0.0);
    EXPECT_EQ(model.Readings().thrustN, 0.0);
}

TEST(FlightModelEngineTest, RunningDryDeliversExactlyWhatWasLeftThenStops) {
    FlightModel model = InFlight(1e10, 0, {}, 50);  // about 0.52 s at full flow
    const double m0 = model.MassKg();
    for (int i = 0; i < 40; ++i) {
        model.Step(Throttle(1));
        ASSERT_GE(model.State().mainPropellantKg, 0.0);
    }
    EXPECT_EQ(model.State().mainPropellantKg, 0.0);
    EXPECT_EQ(model.Readings().engineLevel, 0.0);
    EXPECT_EQ(model.Readings().thrustN, 0.0);
    EXPECT_NEAR(Norm(model.State().velocityMps), 2736 * std::log(m0 / (m0 - 50)), 1e-3);
}

// --- Aerodynamics --------------------------------------------------------

TEST(FlightModelAeroTest, LiftAndDragFollowThePublishedCoefficients) {
    struct Case {
        double mach, aoaRad, liftSlope, zeroLiftDrag;
    };
    const Case cases[] = {
        {0.5, 0, 3.5, 0.07},
        {1.1, 0, 3.5, 0.12},
        {0.6, 5 * kRadiansPerDegree, 3.5, 0.07},
        {2.0, 4 * kRadiansPerDegree, 4 / std::sqrt(3.0), 0.09},
        {6.5, 3 * kRadiansPerDegree, 1.0, 0.05},
    };
    const double altitudeM = 20000;
    const AtmosphereSample air = StandardAtmosphere(altitudeM);
    for (const Case& c : cases) {
        const double speed = c.mach * air.speedOfSoundMps;
        const FlightModel model = InFlight(altitudeM, speed, {c.aoaRad, 0, 90 * kRadiansPerDegree});
        const FlightState& s = model.State();
        const Vec3 along = Normalized(s.velocityMps);
        const Vec3 up = Normalized(s.positionM);  // square to the level flight path
        const Vec3 force = model.MassKg() * model.Readings().specificForceMps2;

        const double qS = 0.5 * air.densityKgpm3 * speed * speed * 18.6;
        const double lift = c.liftSlope * c.aoaRad;
        const double drag = c.zeroLiftDrag + lift * lift / (std::numbers::pi * 2.5 * 0.8);
        EXPECT_NEAR(Dot(force, up), qS * lift, qS * 0.01 * std::fmax(lift, 0.1)) << "Mach " << c.mach;
        EXPECT_NEAR(-Dot(force, along), qS * drag, qS * drag * 0.01) << "Mach " << c.mach;
    }
}

// --- On the runway ------------------------------------------------------

TEST(FlightModelGroundTest, RollingFrictionStopsACoastingVesselWithoutPushingItBack) {
    FlightModel model = InFlight(0, 5);
    double lastEastMps = 5;
    for (int i = 1; i <= 2000; ++i) {  // 40 s
        model.Step({});
        const double east = model.State().velocityMps.y;
        ASSERT_GE(east, 0.0) << "step " << i;
        ASSERT_LE(east, lastEastMps) << "step " << i;
        lastEastMps = east;
        // 0.02 of the body's 9.82 m/s^2, and a little drag.
        if (i == 500) {
            EXPECT_NEAR(east, 5 - 0.02 * 9.82 * 10, 0.03);
        }
    }
    EXPECT_EQ(Norm(model.State().velocityMps), 0.0);
    EXPECT_TRUE(model.Readings().landed);
    EXPECT_EQ(model.Readings().altitudeM, 0.0);
}

TEST(FlightModelGroundTest, NoseDownItStaysOnTheGroundThenLiftsOffWhenLiftCarriesTheWeight) {
    FlightModel model;
    for (int i = 0; i < 1000; ++i) {  // 20 s at full throttle with no lift
        model.Step(Throttle(1));
        ASSERT_TRUE(model.Readings().landed) << "step " << i;
        ASSERT_EQ(model.Readings().altitudeM, 0.0);
    }
    EXPECT_GT(model.Readings().airspeedMps, 150);

    ControlInputs rotate = Throttle(1);
    rotate.pitch = 0.5;
    int airborneSteps = 0;
    for (int i = 0; i < 1000 && airborneSteps < 50; ++i) {
        const FlightReadings before = model.Readings();
        const double massKg = model.MassKg();
        model.Step(rotate);
        const FlightReadings& r = model.Readings();
        ASSERT_GE(r.altitudeM, 0.0) << "never into the runway";
        if (r.landed) {
            const double pitch = EulerAnglesOf(HorizonAt(model.State().positionM), model.State().attitude).pitchRad;
            ASSERT_LE(pitch, model.Config().maxGroundPitchRad + 1e-12) << "tail on the runway";
            continue;
        }
        if (airborneSteps++ > 0) continue;
        // At lift-off, the published lift slope and the thrust's upward
        // part just carry the weight.
        const double lift = before.dynamicPressurePa * 18.6 * 3.5 * before.airflow.aoaRad;
        const double thrustUp = before.thrustN * std::sin(before.airflow.aoaRad);
        const double weight = massKg * kGravityParameterM3ps2 / (kBodyRadiusM * kBodyRadiusM);
        EXPECT_NEAR((lift + thrustUp) / weight, 1.0, 0.05);
    }
    EXPECT_EQ(airborneSteps, 50);
    EXPECT_GT(model.Readings().altitudeM, 1.0) << "and climbs";
}

// --- Rotation ------------------------------------------------------------

TEST(FlightModelRotationTest, PitchingOverTheTopTurnsTheNoseSmoothlyWithoutGimbalLock) {
    FlightModel model = InFlight(250000, 0);
    const Vec3 nose0 = Rotate(model.State().attitude, {1, 0, 0});
    ControlInputs up;
    up.pitch = 1;
    double turnedRad = 0, maxPitch = -1;
    while (turnedRad < 170 * kRadiansPerDegree && model.TimeS() < 60) {
        const double rateBefore = model.State().bodyRateRadps.y;
        model.Step(up);
        turnedRad += (rateBefore + model.State().bodyRateRadps.y) / 2 * FlightModel::kStepS;
        const EulerAngles e = EulerAnglesOf(HorizonAt(model.State().positionM), model.State().attitude);
        ASSERT_TRUE(std::isfinite(e.pitchRad) && std::isfinite(e.headingRad) && std::isfinite(e.bankRad));
        maxPitch = std::fmax(maxPitch, e.pitchRad);
        // The nose turns by the integral of the pitch rate about a fixed axis.
        ASSERT_NEAR(AngleBetween(nose0, Rotate(model.State().attitude, {1, 0, 0})), turnedRad, 2e-3);
    }
    EXPECT_NEAR(model.State().bodyRateRadps.y, 0.15, 1e-3) << "the demanded rate";
    EXPECT_GT(maxPitch, 89.5 * kRadiansPerDegree);
    // Over the top: inverted, heading west.
    const EulerAngles e = EulerAnglesOf(HorizonAt(model.State().positionM), model.State().attitude);
    EXPECT_NEAR(e.headingRad, 270 * kRadiansPerDegree, 1e-6);
    EXPECT_NEAR(std::fabs(e.bankRad), 180 * kRadiansPerDegree, 1e-6);
    EXPECT_NEAR(e.pitchRad, 10 * kRadiansPerDegree, 0.2 * kRadiansPerDegree);
}

TEST(FlightModelRotationTest, AboveTheAirTheRcsSpendsWhatTheAngularMomentumTakes) {
    FlightModel model = InFlight(250000, 7700);
    for (int i = 0; i < 250; ++i) model.Step({});
    EXPECT_EQ(model.State().rcsPropellantKg, 150.0) << "holding still costs nothing";

    ControlInputs roll;
    roll.roll = 1;
    for (int i = 0; i < 750; ++i) model.Step(roll);
    const double rate = model.State().bodyRateRadps.x;
    EXPECT_NEAR(rate, 0.8, 1e-3);
    // I w = F arm t and m = F t / ve.
    const double expectedKg = 4950 * rate / (3.3 * 1373);
    EXPECT_NEAR(150 - model.State().rcsPropellantKg, expectedKg, expectedKg * 1e-3);
}

TEST(FlightModelRotationTest, InDenseAirTheSurfacesTurnTheVesselAndTheRcsStaysShut) {
    FlightModel model = InFlight(3000, 200);
    ControlInputs roll;
    roll.roll = 1;
    for (int i = 0; i < 100; ++i) model.Step(roll);
    EXPECT_NEAR(model.State().bodyRateRadps.x, 0.8 * (1 - std::exp(-2.0 / 0.5)), 0.01);
    EXPECT_EQ(model.State().rcsPropellantKg, 150.0);
}

TEST(FlightModelRotationTest, WithTheRcsTankDryTheRatesStayAsTheyAre) {
    FlightModel model = InFlight(250000, 7700, {0, 0, 90 * kRadiansPerDegree}, 0, 0);
    ControlInputs pitch;
    pitch.pitch = 1;
    for (int i = 0; i < 100; ++i) model.Step(pitch);
    EXPECT_EQ(model.State().bodyRateRadps.y, 0.0);
}

TEST(FlightModelInputTest, ControlsThatAreNotNumbersCountAsNeutral) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    FlightModel model = InFlight(10000, 250, {0, 0, 90 * kRadiansPerDegree}, 1000);
    for (int i = 0; i < 100; ++i) model.Step({nan, nan, std::numeric_limits<double>::infinity(), nan});
    EXPECT_TRUE(IsFinite(model.State().positionM) && IsFinite(model.State().bodyRateRadps));
    EXPECT_EQ(model.State().mainPropellantKg, 1000.0);
    EXPECT_EQ(model.Readings().engineLevel, 0.0);
}

TEST(FlightModelInputTest, AStateThatIsNotFiniteOrAtTheCentreIsRefused) {
    FlightModel model = InFlight(10000, 250);
    const Vec3 where = model.State().positionM;
    FlightState bad = model.State();
    bad.velocityMps.x = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(model.PlaceInFlight(bad));
    bad = model.State();
    bad.positionM = {};
    EXPECT_FALSE(model.PlaceInFlight(bad));
    EXPECT_FALSE(model.PlaceInFlight(model.State(), std::numeric_limits<double>::infinity()));
    EXPECT_EQ(model.State().positionM.x, where.x);
    EXPECT_TRUE(model.PlaceInFlight(model.State(), 12.5));
    EXPECT_EQ(model.TimeS(), 12.5);
}

}  // namespace
}  // namespace quorvel::flight
