// One MFD's mode selection, with the module loaded as the host loads it:
// off, the mode list, the mode's key opening a page, keys on the page, and
// the page destroyed and built anew.

#include "sim/host/MfdStation.h"

#include <gtest/gtest.h>

#include "platform/linux/PlatformDiagnostics.h"
#include "sim/host/HostVessel.h"
#include "sim/host/ModuleHost.h"
#include "tests/support/SurfacePixels.h"

namespace {

using quorvel::platform::LiveGdiObjects;
using quorvel::sim::MfdStation;
using quorvel::test::CountPixels;

constexpr int kArea = 320 * 240;

TEST(MfdStationTest, TheModesKeyOpensAPageAndSwitchingOffDestroysIt) {
    quorvel::sim::ModuleHost host(QUORVEL_MODULE_PATH);
    host.Init();
    HostVessel vessel;
    const int withoutStation = LiveGdiObjects().Total();
    {
        MfdStation station(host, vessel, 1, 320, 240);
        const int baseline = LiveGdiObjects().Total();

        EXPECT_EQ(station.StatusText(), "off");
        EXPECT_FALSE(station.Key(44)) << "an MFD switched off takes no key";
        station.Repaint();
        EXPECT_EQ(CountPixels(station.Surface(), 0), kArea);

        station.ShowModeList();
        EXPECT_EQ(station.StatusText(), "mode list");
        station.Repaint();
        EXPECT_LT(CountPixels(station.Surface(), 0), kArea) << "the list is drawn";
        EXPECT_FALSE(station.Key(47)) << "no mode is selected by 47";
        EXPECT_EQ(station.Shows(), MfdStation::Showing::ModeList);
        EXPECT_EQ(LiveGdiObjects().Total(), baseline) << "no page on the list";

        ASSERT_TRUE(station.Key(44));
        EXPECT_EQ(station.Shows(), MfdStation::Showing::Page);
        EXPECT_EQ(station.StatusText(), "QuorvelMFD");
        ASSERT_NE(station.Page(), nullptr);
        EXPECT_GT(LiveGdiObjects().Total(), baseline) << "the page's ball holds GDI objects";
        EXPECT_TRUE(station.Key(47)) << "the page's own key reaches it";
        EXPECT_FALSE(station.Key(44)) << "on a page, 44 is the page's, which does not use it";
        EXPECT_EQ(station.Shows(), MfdStation::Showing::Page);
        host.Step(0.02, 0.02, 61000);
        station.Repaint();
        EXPECT_GT(CountPixels(station.Surface(), 0xFFFFFF), 0) << "the aircraft symbol is drawn";

        station.SwitchOff();
        EXPECT_EQ(station.Page(), nullptr);
        EXPECT_EQ(LiveGdiObjects().Total(), baseline) << "the page was destroyed with all it held";
        station.Repaint();
        EXPECT_EQ(CountPixels(station.Surface(), 0), kArea);

        station.ShowModeList();
        ASSERT_TRUE(station.Key(44));
        ASSERT_NE(station.Page(), nullptr);
        EXPECT_GT(LiveGdiObjects().Total(), baseline) << "a new page, built by message 1";
        station.ShowModeList();
        EXPECT_EQ(station.Page(), nullptr);
        EXPECT_EQ(LiveGdiObjects().Total(), baseline) << "back to the list, the page goes";

        EXPECT_FALSE(station.Open("NoSuchMFD"));
        EXPECT_EQ(station.Shows(), MfdStation::Showing::ModeList);
        ASSERT_TRUE(station.Open("QuorvelMFD"));
    }
    EXPECT_EQ(LiveGdiObjects().Total(), withoutStation) << "a station going away closes its page";
}

}  // namespace
