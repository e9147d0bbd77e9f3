// One MFD's mode selection, with the module loaded as the host loads it:
// off, the mode list, the mode's key opening a page, keys on the page, and
// the page destroyed and built anew.

#include "sim/host/MfdStation.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/linux/PlatformDiagnostics.h"
#include "sim/HostVessel.h"
#include "sim/ModuleHost.h"
#include "support/PixelCount.h"

namespace {

using quorvel::platform::LiveGdiObjects;
using quorvel::sim::MfdStation;

int LitPixels(const quorvel::sim::MfdSurface& surface) {
    const auto pixels = surface.Pixels();
    return static_cast<int>(
        std::count_if(pixels.begin(), pixels.end(), [](std::uint32_t p) { return (p & 0xFFFFFF) != 0; }));
}

TEST(MfdStationTest, TheModesKeyOpensAPageAndSwitchingOffDestroysIt) {
    quorvel::sim::ModuleHost host(QUORVEL_MODULE_PATH);
    host.Init();
    HostVessel vessel;
    {
        MfdStation station(host, vessel, 1, 320, 240);
        const int baseline = LiveGdiObjects().Total();

        EXPECT_EQ(station.StatusText(), "off");
        EXPECT_FALSE(station.Key(44)) << "an MFD switched off takes no key";
        station.Repaint();
        EXPECT_EQ(LitPixels(station.Surface()), 0);

        station.ShowModeList();
        EXPECT_EQ(station.StatusText(), "mode list");
        station.Repaint();
        EXPECT_GT(LitPixels(station.Surface()), 0) << "the list is drawn";
        EXPECT_FALSE(station.Key(47)) << "no mode is selected by 47";
        EXPECT_EQ(station.Shows(), MfdStation::Showing::ModeList);
        EXPECT_TRUE(host.Pages().empty());

        ASSERT_TRUE(station.Key(44));
        EXPECT_EQ(station.Shows(), MfdStation::Showing::Page);
        EXPECT_EQ(station.StatusText(), "QuorvelMFD");
        ASSERT_EQ(host.Pages().size(), 1u);
        EXPECT_EQ(station.Page(), host.Pages().front().get());
        EXPECT_GT(LiveGdiObjects().Total(), baseline) << "the page's ball holds GDI objects";
        EXPECT_TRUE(station.Key(47)) << "the page's own key reaches it";
        EXPECT_FALSE(station.Key(44)) << "on a page, 44 is the page's, which does not use it";
        EXPECT_EQ(station.Shows(), MfdStation::Showing::Page);
        host.Step(0.02, 0.02, 61000);
        station.Repaint();
        EXPECT_GT(quorvel::test::CountPixels(station.Surface(), 0xFFFFFF), 0) << "the aircraft symbol is drawn";

        station.SwitchOff();
        EXPECT_EQ(station.Page(), nullptr);
        EXPECT_TRUE(host.Pages().empty());
        EXPECT_EQ(LiveGdiObjects().Total(), baseline) << "the page was destroyed with all it held";
        station.Repaint();
        EXPECT_EQ(LitPixels(station.Surface()), 0);

        station.ShowModeList();
        ASSERT_TRUE(station.Key(44));
        ASSERT_NE(station.Page(), nullptr);
        EXPECT_GT(LiveGdiObjects().Total(), baseline) << "a new page, built by message 1";
        station.ShowModeList();
        EXPECT_TRUE(host.Pages().empty()) << "back to the list, the page goes";
        EXPECT_EQ(LiveGdiObjects().Total(), baseline);

        EXPECT_FALSE(station.Open("NoSuchMFD"));
        EXPECT_EQ(station.Shows(), MfdStation::Showing::ModeList);
        ASSERT_TRUE(station.Open("QuorvelMFD"));
    }
    EXPECT_TRUE(host.Pages().empty()) << "a station going away closes its page";
}

}  // namespace
