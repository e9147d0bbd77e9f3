#include "sim/flight/DefaultFlight.h"

#include <gtest/gtest.h>

#include <cmath>

#include "sim/flight/FlightSummary.h"
#include "sim/flight/Orbit.h"
#include "tests/sim/flight/FlightTestSupport.h"
#include "tests/sim/flight/ModuleProbe.h"

namespace quorvel::flight {
namespace {

using test::InFlight;
using test::ModuleProbe;

struct Range {
    double low = 1e9, high = -1e9;
    void Widen(double value) {
        low = std::fmin(low, value);
        high = std::fmax(high, value);
    }
};

struct FlownRecord {
    FlightSummary summary;
    Range restG, coastG;  // as the module reads it
    double maxApoapsisAltitudeM = 0;
    double climbAtMachOneRad = 0;
};

// The whole default flight as the module sees it, step by step; flown
// once for all the tests that look at it.
const FlownRecord& Flown() {
    static const FlownRecord flown = [] {
        FlownRecord r;
        FlightModel model = DefaultFlightStart();
        ModuleProbe probe;
        probe.Sample(model);
        while (model.TimeS() < kDefaultFlightDurationS) {
            model.Step(DefaultFlightControls(model.TimeS(), model));
            probe.Sample(model);
            r.summary.Update(model);
            const sim::VesselState& s = probe.host.state;
            if (s.landed && s.airspeed == 0) r.restG.Widen(probe.data.gLoad);
            if (s.altitude > 85000) r.coastG.Widen(probe.data.gLoad);
            if (s.hasApoapsis) {
                r.maxApoapsisAltitudeM = std::fmax(r.maxApoapsisAltitudeM, s.apoapsisDistance - kBodyRadiusM);
            }
            if (r.climbAtMachOneRad == 0 && s.mach >= 1) r.climbAtMachOneRad = FlightPathAngle(model);
        }
        return r;
    }();
    return flown;
}

TEST(DefaultFlightTest, ClimbsOutOfTheAtmosphereAboveEightyKilometres) {
    const FlightSummary& s = Flown().summary;
    EXPECT_TRUE(s.tookOff);
    EXPECT_GT(s.takeOffTimeS, 5.0) << "after a rest";
    EXPECT_GT(Flown().climbAtMachOneRad, 45 * kRadiansPerDegree) << "steep through Mach 1";
    EXPECT_LT(Flown().climbAtMachOneRad, 62 * kRadiansPerDegree);
    ASSERT_TRUE(s.burntOut);
    EXPECT_GT(s.burnOutAltitudeM, 30000) << "burns out of the dense air";
    EXPECT_GT(Flown().maxApoapsisAltitudeM, 80000);
    EXPECT_GT(s.maxAltitudeM, 80000);
    EXPECT_NEAR(s.maxAltitudeM, s.burnOutApoapsisAltitudeM, 2000) << "the coast is ballistic";
    EXPECT_GT(s.maxMach, 3);
}

TEST(DefaultFlightTest, ComesBackDownIntoTheAtmosphere) {
    const FlightSummary& s = Flown().summary;
    EXPECT_GT(s.maxAltitudeTimeS, s.burnOutTimeS);
    EXPECT_LT(s.finalAltitudeM, 30000);
    EXPECT_GT(s.finalAltitudeM, 0) << "and is still flying at the end";
    EXPECT_LT(s.maxGLoad, 7) << "pulled out within the airframe's limits";
}

TEST(DefaultFlightTest, TheModuleReadsOneGAtRestAndNoneOnTheCoast) {
    EXPECT_GT(Flown().restG.low, 0.998);
    EXPECT_LT(Flown().restG.high, 1.000);
    EXPECT_GE(Flown().coastG.low, 0.0);
    EXPECT_LT(Flown().coastG.high, 0.01);
}

// The recorded air-launch profile of this class of aircraft: dropped at
// 13.7 km and Mach 0.82, a 45 deg climb, 86 s at full power.
TEST(AirLaunchProfileTest, BurnOutAndApogeeMatchTheRecordedFlight) {
    const double mainKg = 86 * 262000.0 / 2736.0;
    FlightModel model =
        InFlight(13700, 0.82 * StandardAtmosphere(13700).speedOfSoundMps, {0, 0, 90 * kRadiansPerDegree}, mainKg);
    double maxG = 0;
    while (model.State().mainPropellantKg > 0 && model.TimeS() < 100) {
        ControlInputs c = SteerTowards(model, 45 * kRadiansPerDegree, 90 * kRadiansPerDegree);
        c.throttle = 1;
        model.Step(c);
        maxG = std::fmax(maxG, Norm(model.Readings().specificForceMps2) / kStandardGravityMps2);
    }
    EXPECT_NEAR(model.TimeS(), 86, 0.03);
    EXPECT_NEAR(model.Readings().altitudeM, 53600, 53600 * 0.03);
    EXPECT_NEAR(model.Readings().airspeedMps, 1696, 1696 * 0.03);
    EXPECT_NEAR(maxG, 4, 0.2);
    const auto apoapsis = OrbitThrough(model.State().positionM, model.State().velocityMps).apoapsisDistanceM;
    ASSERT_TRUE(apoapsis);
    EXPECT_NEAR(*apoapsis - kBodyRadiusM, 108000, 108000 * 0.03);
}

}  // namespace
}  // namespace quorvel::flight
