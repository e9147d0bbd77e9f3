#include "module/instruments/RateIndicator.h"

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

// The host gives the cell size: past 2^29 the unsigned arithmetic wraps,
// and the pointers land where those wrapped positions put them.
TEST(RateIndicatorTest, PointersOfHugeCellsWrapAsUnsignedArithmeticDoes) {
    // W = H = 400: the left line at x 160, the bottom line at y 173, the
    // centre row 133.
    const RateIndicatorGeometry big = ComputeRateIndicator({400, 400, 1u << 30, 0}, {0, 0, 0});
    constexpr std::int32_t kBase = 160 - (1 << 30) - 2;
    EXPECT_TRUE(Is(big.pitchPointer, {POINT{159, 133}, POINT{kBase, 133 - (1 << 28)}, POINT{kBase, 133 + (1 << 28)}}));
    EXPECT_TRUE(Is(big.yawPointer, {POINT{200, 174}, POINT{200 - (1 << 28), 174 + (1 << 30)},
                                    POINT{200 + (1 << 28), 174 + (1 << 30)}}));
    // All ones is a step of -1: the pitch pointer's base lands a pixel left
    // of the tip, the yaw pointer's a pixel above it.
    const RateIndicatorGeometry ones = ComputeRateIndicator({400, 400, 0xFFFFFFFFu, 0}, {0, 0, 0});
    EXPECT_TRUE(Is(ones.pitchPointer, {POINT{159, 133}, POINT{159, 133 - 0x3FFFFFFF}, POINT{159, 133 + 0x3FFFFFFF}}));
    EXPECT_TRUE(Is(ones.yawPointer, {POINT{200, 174}, POINT{200 - 0x3FFFFFFF, 173}, POINT{200 + 0x3FFFFFFF, 173}}));
}

}  // namespace
}  // namespace quorvel
