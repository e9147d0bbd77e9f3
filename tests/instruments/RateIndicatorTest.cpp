#include "instruments/RateIndicator.h"

#include <gtest/gtest.h>

#include <limits>

namespace quorvel {
namespace {

using Triangle = std::array<POINT, 3>;

::testing::AssertionResult Is(const Triangle& actual, const Triangle& expected) {
    for (int i = 0; i < 3; ++i) {
        if (actual[i].x != expected[i].x || actual[i].y != expected[i].y) {
            return ::testing::AssertionFailure()
                   << "point " << i << " is (" << actual[i].x << ", " << actual[i].y << "), expected ("
                   << expected[i].x << ", " << expected[i].y << ")";
        }
    }
    return ::testing::AssertionSuccess();
}

RateIndicatorGeometry Example(double pitch, double yaw, double roll) {
    return ComputeRateIndicator({200, 200, 8, 0}, {pitch, yaw, roll});
}

TEST(RateIndicatorTest, ScalesOfA200PixelPage) {
    const RateIndicatorGeometry g = Example(0, 0, 0);
    EXPECT_EQ(g.rollArcBox, (PixelBox{72, 37, 128, 93}));
    EXPECT_EQ(g.rollArcStart.x, 120);
    EXPECT_EQ(g.rollArcStart.y, 46);
    EXPECT_EQ(g.rollArcEnd.x, 80);
    EXPECT_EQ(g.rollArcEnd.y, 46);
    EXPECT_TRUE(Is(g.scaleLines, {POINT{80, 46}, POINT{80, 86}, POINT{120, 86}}));
    EXPECT_EQ(g.centreCircle, (PixelBox{80, 46, 120, 86}));
}

TEST(RateIndicatorTest, PointersAtRest) {
    const RateIndicatorGeometry g = Example(0, 0, 0);
    EXPECT_TRUE(Is(g.pitchPointer, {POINT{79, 66}, POINT{70, 64}, POINT{70, 68}}));
    EXPECT_TRUE(Is(g.yawPointer, {POINT{100, 87}, POINT{98, 95}, POINT{102, 95}}));
    EXPECT_TRUE(Is(g.rollPointer, {POINT{100, 36}, POINT{102, 29}, POINT{98, 29}}));
}

TEST(RateIndicatorTest, PointersMoveWithTheRatesAndStopAtTheirLimits) {
    EXPECT_TRUE(Is(Example(25, 0, 0).pitchPointer, {POINT{79, 46}, POINT{70, 44}, POINT{70, 48}}));
    EXPECT_TRUE(Is(Example(-3, 0, 0).pitchPointer, {POINT{79, 72}, POINT{70, 70}, POINT{70, 74}}));
    EXPECT_TRUE(Is(Example(0, 5, 0).yawPointer, {POINT{120, 87}, POINT{118, 95}, POINT{122, 95}}));
    EXPECT_TRUE(Is(Example(0, 20, 0).yawPointer, {POINT{180, 87}, POINT{178, 95}, POINT{182, 95}}));
    EXPECT_TRUE(Is(Example(0, 1e9, 0).yawPointer, {POINT{180, 87}, POINT{178, 95}, POINT{182, 95}}));
    EXPECT_TRUE(Is(Example(0, 0, 30).rollPointer, {POINT{120, 44}, POINT{126, 40}, POINT{124, 38}}));
    EXPECT_TRUE(Is(Example(0, 0, -40).rollPointer, {POINT{80, 44}, POINT{76, 38}, POINT{74, 40}}));
}

TEST(RateIndicatorTest, RatesThatAreNotNumbersStandAtZero) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const RateIndicatorGeometry rest = Example(0, 0, 0);
    const RateIndicatorGeometry g = Example(nan, nan, nan);
    EXPECT_TRUE(Is(g.pitchPointer, rest.pitchPointer));
    EXPECT_TRUE(Is(g.yawPointer, rest.yawPointer));
    EXPECT_TRUE(Is(g.rollPointer, rest.rollPointer));
    EXPECT_TRUE(Is(Example(inf, -inf, inf).pitchPointer, Example(10, 0, 0).pitchPointer));
}

TEST(RateIndicatorTest, PitchPointerStopsShortOfTheLineEndsWhenTheScalesDisagree) {
    // H = 256: 10 * (256 / 100) = 20 px of travel, the line's half-length 25.
    const RateIndicatorGeometry g = ComputeRateIndicator({256, 256, 8, 0}, {10, 0, 0});
    EXPECT_EQ(g.pitchPointer[0].y, 85 - 20);
    EXPECT_EQ(g.scaleLines[0].y, 85 - 25);
}

// The host gives the cell size; the pointers keep their shape at any size,
// their far ends saturating at the int range instead of wrapping round.
TEST(RateIndicatorTest, PointersOfHugeCellsSaturateAndKeepTheirShape) {
    for (std::uint32_t cw : {1u << 30, 1u << 31, 0xFFFFFFFFu}) {
        const RateIndicatorGeometry g = ComputeRateIndicator({400, 400, cw, 0}, {0, 0, 0});
        const Triangle& pitch = g.pitchPointer;
        EXPECT_EQ(pitch[0].x, 159) << cw;
        EXPECT_LT(pitch[1].x, -(1 << 29)) << cw;  // the base far left of the tip
        EXPECT_EQ(pitch[1].x, pitch[2].x) << cw;
        EXPECT_LT(pitch[1].y, pitch[0].y) << cw;
        EXPECT_GT(pitch[2].y, pitch[0].y) << cw;
        const Triangle& yaw = g.yawPointer;
        EXPECT_EQ(yaw[0].y, 174) << cw;
        EXPECT_GT(yaw[1].y, 1 << 29) << cw;  // the base far below the tip
        EXPECT_LT(yaw[1].x, yaw[0].x) << cw;
        EXPECT_GT(yaw[2].x, yaw[0].x) << cw;
    }
    EXPECT_EQ(ComputeRateIndicator({400, 400, 0xFFFFFFFFu, 0}, {0, 0, 0}).yawPointer[1].y,
              std::numeric_limits<std::int32_t>::max());
}

}  // namespace
}  // namespace quorvel
