// The module as the host drives it: loaded by path, initialised, sent
// message 1, stepped, given keys, its pages destroyed, exited and unloaded.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "platform/linux/PlatformDiagnostics.h"
#include "sim/host/HostLog.h"
#include "sim/host/HostServices.h"
#include "sim/host/HostVessel.h"
#include "sim/host/MfdSurface.h"
#include "sim/host/ModeRegistry.h"
#include "sim/host/ModuleHost.h"
#include "tests/support/GdiJournal.h"
#include "tests/support/LeakCheck.h"
#include "tests/support/MfdHostAccess.h"

namespace {

using quorvel::platform::GdiCall;
using quorvel::test::GdiJournal;
using quorvel::platform::LiveGdiObjects;
using quorvel::platform::StaleGdiDeletions;
using quorvel::sim::ModeRegistry;
using quorvel::sim::ModuleHost;
using quorvel::sim::VesselQuery;

constexpr const char* kMode = "QuorvelMFD";

bool RefusalReported() {
    const auto& reports = quorvel::sim::HostReports();
    return std::any_of(reports.begin(), reports.end(),
                       [](const std::string& r) { return r.find("refused") != std::string::npos; });
}

class ModuleLifecycleTest : public quorvel::test::LeakCheckedTest {
protected:
    void SetUp() override {
        LeakCheckedTest::SetUp();
        quorvel::sim::EchoHostReports(false);
        quorvel::sim::ClearHostReports();
        objectsBefore = LiveGdiObjects();
        staleBefore = StaleGdiDeletions();
        host = std::make_unique<ModuleHost>(QUORVEL_MODULE_PATH);
    }

    void TearDown() override {
        host.reset();
        LeakCheckedTest::TearDown();
        EXPECT_EQ(StaleGdiDeletions(), staleBefore) << "the module deleted a GDI object twice";
        EXPECT_FALSE(ModeRegistry::Instance().FindByName(kMode)) << "mode still registered after unload";
        EXPECT_FALSE(RefusalReported()) << "the module unregistered a mode twice";
    }

    quorvel::platform::GdiObjectCounts objectsBefore;
    int staleBefore = 0;
    std::unique_ptr<ModuleHost> host;
    HostVessel vessel;
};

TEST_F(ModuleLifecycleTest, InitRegistersTheModeAndCreatesThePenSet) {
    EXPECT_FALSE(ModeRegistry::Instance().FindByName(kMode));
    host->Init();
    const auto mode = ModeRegistry::Instance().FindByName(kMode);
    ASSERT_TRUE(mode);
    EXPECT_EQ(mode->key, 44u);
    EXPECT_EQ(LiveGdiObjects().pens, objectsBefore.pens + 7);
    EXPECT_EQ(LiveGdiObjects().brushes, objectsBefore.brushes + 2);

    host->Exit();
    EXPECT_FALSE(ModeRegistry::Instance().FindByName(kMode));
    EXPECT_EQ(LiveGdiObjects().Total(), objectsBefore.Total());
    // Unloading now runs the exit a second time through the detach glue;
    // TearDown checks it unregistered and deleted nothing more.
}

// Each deletion as a test sees it: the object, described, and whether the
// mode was still registered when it was deleted.
class DeletionLog final : public quorvel::platform::GdiObserver {
public:
    DeletionLog() { quorvel::platform::SetGdiObjectObserver(this); }
    ~DeletionLog() { quorvel::platform::SetGdiObjectObserver(nullptr); }
    DeletionLog(const DeletionLog&) = delete;
    DeletionLog& operator=(const DeletionLog&) = delete;

    void Observe(const quorvel::platform::GdiCallReport& report) override {
        quorvel::platform::PenInfo pen{};
        quorvel::platform::BrushInfo brush{};
        char described[32] = "not a pen or brush";
        if (quorvel::platform::DescribePen(report.object, pen)) {
            std::snprintf(described, sizeof described, "pen %d %06X", pen.width, pen.colour);
        } else if (quorvel::platform::DescribeBrush(report.object, brush)) {
            std::snprintf(described, sizeof described, "brush %06X", brush.colour);
        }
        objects.emplace_back(described);
        modeRegistered.push_back(ModeRegistry::Instance().FindByName(kMode).has_value());
    }

    std::vector<std::string> objects;
    std::vector<bool> modeRegistered;
};

TEST_F(ModuleLifecycleTest, ExitUnregistersTheModeThenDeletesThePenSetInCreationOrder) {
    host->Init();
    DeletionLog log;
    host->Exit();
    EXPECT_EQ(log.objects, (std::vector<std::string>{"pen 1 C0C0C0", "brush 808080", "pen 1 00C000", "brush 008000",
                                                     "pen 3 008000", "pen 3 000080", "pen 2 FFFFFF", "pen 2 00FF00",
                                                     "pen 2 00C000"}));
    EXPECT_EQ(std::count(log.modeRegistered.begin(), log.modeRegistered.end(), true), 0)
        << "a pen or brush was deleted while the mode was still registered";
}

TEST_F(ModuleLifecycleTest, SecondInitDoesNothingAndInitAfterExitWorksAgain) {
    for (int round = 0; round < 2; ++round) {
        host->Init();
        host->Init();
        EXPECT_TRUE(ModeRegistry::Instance().FindByName(kMode)) << "round " << round;
        EXPECT_EQ(LiveGdiObjects().Total(), objectsBefore.Total() + 9) << "round " << round;
        host->Exit();
        // A second registration would still be there.
        EXPECT_FALSE(ModeRegistry::Instance().FindByName(kMode)) << "round " << round;
        EXPECT_EQ(LiveGdiObjects().Total(), objectsBefore.Total()) << "round " << round;
    }
}

TEST(ModuleDetachTest, UnloadingWithoutExitLetsTheDetachGlueExit) {
    quorvel::sim::EchoHostReports(false);
    quorvel::sim::ClearHostReports();
    const auto objects = LiveGdiObjects();
    HMODULE module = LoadLibraryA(QUORVEL_MODULE_PATH);
    ASSERT_NE(module, nullptr);
    const auto init = reinterpret_cast<DllInitCallback>(reinterpret_cast<void (*)()>(GetProcAddress(module, kDllInitExport)));
    ASSERT_NE(init, nullptr);
    init(module);
    ASSERT_TRUE(ModeRegistry::Instance().FindByName(kMode));
    FreeLibrary(module);
    EXPECT_FALSE(ModeRegistry::Instance().FindByName(kMode));
    EXPECT_EQ(LiveGdiObjects().Total(), objects.Total());
    EXPECT_FALSE(RefusalReported());
}

TEST_F(ModuleLifecycleTest, MessageOneBuildsAPageOfThePackedSize) {
    host->Init();
    MFD* page = host->OpenPage(kMode, 0xC80190u, &vessel.vessel);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(MfdHostAccess::Width(*page), 400u);
    EXPECT_EQ(MfdHostAccess::Height(*page), 200u);
    EXPECT_EQ(MfdHostAccess::Vessel(*page), &vessel.vessel);
    EXPECT_EQ(vessel.queries.Total(), 0u) << "building a page queries nothing";
}

TEST_F(ModuleLifecycleTest, OtherMessagesAndMissingVesselsBuildNothing) {
    host->Init();
    const auto objects = LiveGdiObjects();
    const auto vesselArg = reinterpret_cast<std::intptr_t>(&vessel.vessel);
    for (std::uint32_t message : {0u, 2u, 3u, 100u, 0xFFFFFFFFu}) {
        EXPECT_EQ(host->SendMessage(kMode, message, 0, 0xC80190u, vesselArg), 0) << message;
    }
    EXPECT_EQ(host->SendMessage(kMode, 1, 0, 0xC80190u, 0), 0);
    EXPECT_EQ(LiveGdiObjects().Total(), objects.Total());
    EXPECT_EQ(vessel.queries.Total(), 0u);
}

TEST_F(ModuleLifecycleTest, KeyFortySevenIsUsedAndNoOtherKeyIs) {
    host->Init();
    MFD* page = host->OpenPage(kMode, 400, 400, vessel);
    ASSERT_NE(page, nullptr);
    for (int press = 0; press < 5; ++press) EXPECT_TRUE(page->ConsumeKeyBuffered(47));
    for (std::uint32_t key : {0u, 1u, 44u, 46u, 48u, 255u, 0x80000000u, 0xFFFFFFFFu}) {
        EXPECT_FALSE(page->ConsumeKeyBuffered(key)) << key;
    }
    // The base behaviour of the other slots.
    EXPECT_FALSE(page->ConsumeKeyImmediate(nullptr));
    EXPECT_FALSE(page->ConsumeButton(0, 0));
    EXPECT_EQ(page->ButtonLabel(0), nullptr);
    const MFDBUTTONMENU* menu = reinterpret_cast<const MFDBUTTONMENU*>(1);
    EXPECT_EQ(page->ButtonMenu(&menu), 0);
    EXPECT_EQ(menu, nullptr);
}

TEST_F(ModuleLifecycleTest, EveryOpenPageIsSampledUntilItIsDestroyed) {
    host->Init();
    HostVessel second;
    MFD* first = host->OpenPage(kMode, 400, 400, vessel);
    MFD* newer = host->OpenPage(kMode, 300, 300, second, 1);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(newer, nullptr);

    host->Step(1.0, 0.1, 0);
    EXPECT_EQ(vessel.queries.Of(VesselQuery::Status), 1u);
    EXPECT_EQ(second.queries.Of(VesselQuery::Status), 1u);

    host->ClosePage(first);
    host->Step(1.1, 0.1, 0);
    EXPECT_EQ(vessel.queries.Of(VesselQuery::Status), 1u) << "a destroyed page is not sampled";
    EXPECT_EQ(second.queries.Of(VesselQuery::Status), 2u) << "the other page goes on being sampled";
}

TEST_F(ModuleLifecycleTest, TimestepWithoutPagesOrOutsideInitQueriesNothing) {
    host->Step(0.5, 0.1, 0);  // before init
    host->Init();
    host->Step(1.0, 0.1, 0);  // no page
    MFD* page = host->OpenPage(kMode, 400, 400, vessel);
    ASSERT_NE(page, nullptr);
    host->Exit();
    host->Step(2.0, 0.1, 0);  // after exit, page still shown
    EXPECT_EQ(vessel.queries.Total(), 0u);
}

TEST_F(ModuleLifecycleTest, VersionIsTheBuildDateComputedOnce) {
    const int calls = quorvel::sim::Date2IntCalls();
    EXPECT_EQ(host->Version(), 20060425);
    EXPECT_EQ(host->Version(), 20060425);
    EXPECT_EQ(quorvel::sim::Date2IntCalls(), calls + 1);
}

TEST_F(ModuleLifecycleTest, DegenerateSurfaceSizesBuildPagesThatRepaintHarmlessly) {
    host->Init();
    HDC dc = CreateCompatibleDC(nullptr);
    for (std::uint32_t packed : {0u, 0xFFFFFFFFu, 0x00010001u, 0xFFFF0000u}) {
        MFD* page = host->OpenPage(kMode, packed, &vessel.vessel);
        ASSERT_NE(page, nullptr) << packed;
        EXPECT_EQ(MfdHostAccess::Width(*page), packed & 0xFFFF);
        EXPECT_EQ(MfdHostAccess::Height(*page), packed >> 16);
        host->Step(1.0, 0.1, 0);
        page->Repaint(dc);
        host->ClosePage(page);
    }
    DeleteDC(dc);
}

// Each step samples the vessel once, whatever the time, and the page shows
// what was sampled: the Mach figure changes with every step.
TEST_F(ModuleLifecycleTest, NonFiniteVesselValuesAreSampledWithoutFault) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    vessel.state.altitude = nan;
    vessel.state.airspeed = inf;
    vessel.state.atmDensity = nan;
    vessel.state.atmPressure = -inf;
    vessel.state.pitch = inf;
    vessel.state.bank = nan;
    vessel.state.heading = -inf;
    vessel.state.aoa = nan;
    vessel.state.slip = inf;
    vessel.state.shipAirspeed = {nan, inf, -inf};
    vessel.state.horizonAirspeed = {inf, nan, -inf};
    vessel.state.angularVelocity = {nan, nan, inf};
    vessel.state.mainEngineLevel = nan;
    vessel.state.position = {0, 0, 0};
    vessel.state.velocity = {nan, inf, -inf};
    host->Init();
    quorvel::sim::MfdSurface surface(400, 400);
    MFD* page = host->OpenPage(kMode, 400, 400, vessel);
    ASSERT_NE(page, nullptr);
    struct Step {
        double time;
        double mach;
        const char* shown;
    };
    for (const Step& step : {Step{0.0, -inf, "M -inf"}, Step{0.0, nan, "M nan"}, Step{-1.0, inf, "M inf"},
                             Step{nan, -0.0, "M -0.00"}, Step{1.0, 0.5, "M 0.50"}, Step{inf, nan, "M nan"},
                             Step{2.0, -inf, "M -inf"}}) {
        vessel.state.mach = step.mach;
        const auto sampled = vessel.queries.Of(VesselQuery::MachNumber);
        host->Step(step.time, 0.1, 0);
        EXPECT_EQ(vessel.queries.Of(VesselQuery::MachNumber), sampled + 1) << "step at " << step.time;

        GdiJournal journal(surface.Dc());
        page->Repaint(surface.Dc());
        const auto texts = journal.Calls(GdiCall::TextOutA);
        EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [&](const auto& e) { return e.text == step.shown; }))
            << "step at " << step.time << " does not show " << step.shown;
        // The repaint ran to its last step, the rate pointers.
        ASSERT_FALSE(journal.Entries().empty());
        EXPECT_EQ(journal.Entries().back().call, GdiCall::Polygon) << "step at " << step.time;
    }
}

}  // namespace
