#include <gtest/gtest.h>

#include <algorithm>

#include "host/HostFunctions.h"
#include "sim/host/HostLog.h"
#include "sim/host/HostVessel.h"
#include "sim/host/MfdFont.h"
#include "sim/host/ModeRegistry.h"

namespace {

using quorvel::sim::ModeRegistry;
using quorvel::sim::VesselQuery;

std::intptr_t NoPage(std::uint32_t, std::uint32_t, std::uint32_t, std::intptr_t) { return 0; }

TEST(ModeRegistryTest, IdsAreDistinctAndUnknownIdsAreRefusedAndReported) {
    quorvel::sim::EchoHostReports(false);
    quorvel::sim::ClearHostReports();
    const int first = hlvRegisterMFDMode(MFDMODESPEC{"FirstMFD", 10, &NoPage});
    const int second = hlvRegisterMFDMode(MFDMODESPEC{"SecondMFD", 11, &NoPage});
    EXPECT_NE(first, second);
    EXPECT_EQ(ModeRegistry::Instance().FindByKey(11)->name, "SecondMFD");

    EXPECT_TRUE(hlvUnregisterMFDMode(first));
    EXPECT_TRUE(quorvel::sim::HostReports().empty());
    EXPECT_FALSE(hlvUnregisterMFDMode(first)) << "already removed";
    EXPECT_FALSE(hlvUnregisterMFDMode(-7)) << "never registered";
    EXPECT_EQ(quorvel::sim::HostReports().size(), 2u);
    EXPECT_TRUE(hlvUnregisterMFDMode(second));
    EXPECT_FALSE(ModeRegistry::Instance().FindByName("SecondMFD"));
}

TEST(HostServicesTest, Date2IntGivesTheDateAsYearMonthDay) {
    EXPECT_EQ(Date2Int("Apr 25 2006"), 20060425);
    EXPECT_EQ(Date2Int("Dec  8 2026"), 20261208);
    EXPECT_EQ(Date2Int("Jan 01 1999"), 19990101);
    EXPECT_EQ(Date2Int("Foo 25 2006"), 0);
    EXPECT_EQ(Date2Int("Apr 32 2006"), 0);
    EXPECT_EQ(Date2Int(""), 0);
    EXPECT_EQ(Date2Int(nullptr), 0);
}

TEST(HostServicesTest, HeadingComesFromALiveVesselOnly) {
    double heading = -1;
    EXPECT_EQ(hlvGetHeading(nullptr, &heading), 0);
    EXPECT_EQ(heading, -1);
    {
        HostVessel vessel;
        vessel.state.heading = 1.25;
        const OBJECTHANDLE handle = vessel.vessel.GetHandle();
        EXPECT_EQ(hlvGetHeading(handle, &heading), 1);
        EXPECT_EQ(heading, 1.25);
        EXPECT_EQ(hlvGetHeading(handle, nullptr), 0);
        EXPECT_EQ(vessel.queries.Of(VesselQuery::Heading), 1u);
    }
    EXPECT_EQ(hlvGetHeading(reinterpret_cast<OBJECTHANDLE>(&heading), &heading), 0);
}

TEST(HostVesselTest, AnswersFromItsStateAndCountsEveryQuery) {
    HostVessel host;
    host.state.tanks = {{800, 1000}, {5, 100}};
    host.state.thrusters = {{50000, 2500, 0}};
    const VESSEL& v = host.vessel;
    EXPECT_EQ(v.GetPropellantCount(), 2u);
    EXPECT_EQ(v.GetThrusterCount(), 1u);
    EXPECT_EQ(v.GetPropellantMass(v.GetPropellantHandleByIndex(1)), 5.0);
    EXPECT_EQ(v.GetPropellantMaxMass(v.GetPropellantHandleByIndex(0)), 1000.0);
    EXPECT_EQ(v.GetThrusterMax0(v.GetThrusterHandleByIndex(0)), 50000.0);
    EXPECT_EQ(v.GetThrusterIsp0(v.GetThrusterHandleByIndex(0)), 2500.0);
    EXPECT_EQ(v.GetPropellantHandleByIndex(2), nullptr);
    EXPECT_EQ(v.GetThrusterHandleByIndex(1), nullptr);
    EXPECT_EQ(v.GetPropellantMass(nullptr), 0.0);
    EXPECT_EQ(v.GetThrusterMax0(nullptr), 0.0);

    double apoapsis = -1;
    EXPECT_EQ(v.GetApDist(apoapsis), nullptr);
    EXPECT_EQ(apoapsis, -1) << "no apoapsis writes nothing";
    host.state.hasApoapsis = true;
    host.state.apoapsisDistance = 6471010;
    EXPECT_NE(v.GetApDist(apoapsis), nullptr);
    EXPECT_EQ(apoapsis, 6471010);

    EXPECT_EQ(host.queries.Of(VesselQuery::PropellantHandle), 3u);
    EXPECT_EQ(host.queries.Of(VesselQuery::ApDist), 2u);
    EXPECT_EQ(host.queries.Total(), 16u);
    host.queries.Reset();
    EXPECT_EQ(host.queries.Total(), 0u);
}

TEST(MfdFontTest, CellIsAFortiethOfTheWidthAndATwentyFifthOfTheHeight) {
    EXPECT_EQ(quorvel::sim::MfdCharCell(400, 400).width, 10u);
    EXPECT_EQ(quorvel::sim::MfdCharCell(400, 400).height, 16u);
    EXPECT_EQ(quorvel::sim::MfdCharCell(256, 256).width, 6u);
    EXPECT_EQ(quorvel::sim::MfdCharCell(256, 256).height, 10u);
    EXPECT_EQ(quorvel::sim::MfdCharCell(0, 24).width, 0u);
    EXPECT_EQ(quorvel::sim::MfdCharCell(0, 24).height, 0u);
}

}  // namespace
