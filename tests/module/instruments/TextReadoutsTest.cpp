#include "module/instruments/TextReadouts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quorvel {
namespace {

TEST(TextReadoutsTest, LayoutOfAThreeHundredPixelPage) {
    const ReadoutLayout layout = LayOutReadouts({300, 300, 10, 20});
    for (int k = 0; k < 8; ++k) EXPECT_EQ(layout.column[k], (CursorPixel{10, 120 + 20 * k})) << k;
    EXPECT_EQ(layout.apoapsis, (CursorPixel{235, 230}));
    EXPECT_EQ(layout.burnTime, (CursorPixel{10, 240}));
    EXPECT_EQ(layout.rcs, (CursorPixel{200, 240}));
}

TEST(TextReadoutsTest, EachDivisionTruncatesItsOwnTerm) {
    const ReadoutLayout layout = LayOutReadouts({300, 301, 10, 15});
    EXPECT_EQ(layout.column[0].y, 115);
    EXPECT_EQ(layout.apoapsis.y, 200 + 22);
    EXPECT_EQ(layout.burnTime.y, 250 - 7);
}

TEST(TextReadoutsTest, RcsStartsAtTheLeftEdgeOnANarrowDisplay) {
    EXPECT_EQ(LayOutReadouts({99, 300, 10, 20}).rcs.x, 0);
    EXPECT_EQ(LayOutReadouts({100, 300, 10, 20}).rcs.x, 0);
    EXPECT_EQ(LayOutReadouts({101, 300, 10, 20}).rcs.x, 1);
    EXPECT_EQ(LayOutReadouts({0, 0, 0, 0}).rcs.x, 0);
}

TEST(TextReadoutsTest, ApoapsisIsThousandsOfFeetAboveTheReferenceSphere) {
    EXPECT_NEAR(ApoapsisThousandsOfFeet(6471010), 328.08399, 1e-9);
    EXPECT_LT(ApoapsisThousandsOfFeet(6000000), 0);
}

TEST(TextReadoutsTest, BurnTimeAtFullThrust) {
    EXPECT_DOUBLE_EQ(BurnTimeSeconds(2500, 1000, 50000), 50.0);
    EXPECT_EQ(BurnTimeSeconds(2500, 1000, 0), 0.0);
    EXPECT_EQ(BurnTimeSeconds(2500, 1000, -5), 0.0);
    EXPECT_EQ(BurnTimeSeconds(2500, 1000, std::numeric_limits<double>::quiet_NaN()), 0.0);
}

}  // namespace
}  // namespace quorvel
