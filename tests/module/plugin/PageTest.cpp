// The page and the module entry points in-process, where a test can look
// inside the page and its FlightData.

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/linux/PlatformDiagnostics.h"
#include "sim/host/HostLog.h"
#include "sim/host/ModeRegistry.h"
#include "tests/module/plugin/PageFixture.h"

namespace quorvel {
namespace {

using PageTest = test::PageFixture;

TEST_F(PageTest, NewPageStartsAtScaleTwoAndKeyFortySevenCyclesIt) {
    QuorvelMFD* page = Opened(0xC80190u, vessel);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->Geometry().width, 400u);
    EXPECT_EQ(page->Geometry().height, 200u);
    EXPECT_EQ(page->ballScale, 2);
    EXPECT_EQ(page->flightData->vessel, &vessel.vessel);
    for (int expected : {3, 4, 1, 2, 3}) {
        EXPECT_TRUE(page->ConsumeKeyBuffered(47));
        EXPECT_EQ(page->ballScale, expected);
    }
    EXPECT_FALSE(page->ConsumeKeyBuffered(46));
    EXPECT_EQ(page->ballScale, 3);
    page->ScalarDeletingDestructor(1);
}

TEST_F(PageTest, BothOfTwoPagesAreSampledAndDestroyingOneLeavesTheOther) {
    HostVessel other;
    QuorvelMFD* first = Opened(0x01000100u, vessel);
    QuorvelMFD* second = Opened(0x01000100u, other);
    ASSERT_EQ(openPages.size(), 2u);

    vessel.state.altitude = 100;
    other.state.altitude = 200;
    hlcTimestep(1.0, 0.1, 0);
    EXPECT_EQ(first->flightData->altitude, 100.0);
    EXPECT_EQ(second->flightData->altitude, 200.0);

    first->ScalarDeletingDestructor(1);
    ASSERT_EQ(openPages.size(), 1u);
    other.state.altitude = 300;
    hlcTimestep(1.1, 0.1, 0);
    EXPECT_EQ(second->flightData->altitude, 300.0) << "the remaining page froze";
    second->ScalarDeletingDestructor(1);
}

TEST_F(PageTest, SlotZeroWithoutBitZeroDestroysThePageAndLeavesItsStorageToTheCaller) {
    const int contexts = platform::LiveGlContexts();
    QuorvelMFD* page = Opened(0x01900190u, vessel);
    ASSERT_EQ(platform::LiveGlContexts(), contexts + 1);
    void* const storage = page->ScalarDeletingDestructor(0);
    EXPECT_EQ(storage, page);
    EXPECT_TRUE(openPages.empty()) << "the page was not destroyed";
    EXPECT_EQ(platform::LiveGlContexts(), contexts) << "the page's ball was not released";
    // Still allocated: had slot 0 freed it, this second free would be caught.
    ::operator delete(storage);
}

TEST_F(PageTest, ExitRunTwiceUnregistersAndDeletesOnce) {
    sim::EchoHostReports(false);
    sim::ClearHostReports();
    const auto objects = platform::LiveGdiObjects();
    const int stale = platform::StaleGdiDeletions();
    hlcDLLExit(nullptr);
    EXPECT_EQ(platform::LiveGdiObjects().Total(), objects.Total() - 9);
    EXPECT_FALSE(sim::ModeRegistry::Instance().FindByName(kModeName));
    hlcDLLExit(nullptr);
    EXPECT_EQ(platform::StaleGdiDeletions(), stale) << "the second exit deleted the pens again";
    EXPECT_TRUE(sim::HostReports().empty()) << "the second exit unregistered the mode again";
    hlcDLLInit(nullptr);  // for TearDown's exit
}

TEST_F(PageTest, ThePagesBallCoversTheUpperTwoThirdsInsideAOnePixelMargin) {
    struct Case {
        std::uint32_t width, height;
        std::int32_t ballWidth, ballHeight;
    };
    for (const Case& c : {Case{400, 200, 398, 133}, Case{400, 400, 398, 266}, Case{2, 300, 0, 200},
                          Case{1, 300, 0, 200}, Case{0, 300, 0, 200}, Case{300, 1, 298, 0}}) {
        SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height);
        QuorvelMFD* page = Opened(sim::ModuleHost::PackSize(c.width, c.height), vessel);
        ASSERT_NE(page, nullptr);
        ASSERT_NE(page->attitudeBall, nullptr);
        const BallPlacement& placement = page->attitudeBall->placement;
        EXPECT_EQ(placement.x, 1);
        EXPECT_EQ(placement.y, 1);
        EXPECT_EQ(placement.width, c.ballWidth);
        EXPECT_EQ(placement.height, c.ballHeight);
        EXPECT_EQ(page->attitudeBall->renderContext != nullptr, c.ballWidth > 0 && c.ballHeight > 0);
        page->ScalarDeletingDestructor(1);
    }
}

using PageBallTest = test::LeakCheckedTest;

TEST_F(PageBallTest, AThousandPagesOpenedAndClosedThroughTheLoadedModuleLeakNothing) {
    const int contexts = platform::LiveGlContexts();
    {
        sim::ModuleHost host(QUORVEL_MODULE_PATH);
        host.Init();
        HostVessel vessel;
        for (int cycle = 0; cycle < 1000; ++cycle) {
            MFD* page = host.OpenPage("QuorvelMFD", 400, 400, vessel);
            ASSERT_NE(page, nullptr) << cycle;
            ASSERT_EQ(platform::LiveGlContexts(), contexts + 1) << cycle;
            host.ClosePage(page);
        }
        EXPECT_EQ(wglGetCurrentContext(), nullptr);
    }
}

}  // namespace
}  // namespace quorvel
