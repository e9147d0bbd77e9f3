#include "module/drawing/PixelRounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quorvel {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kIntMin = std::numeric_limits<std::int32_t>::min();

TEST(PixelRoundingTest, RoundToDecimalsTakesHalvesAwayFromZero) {
    EXPECT_EQ(RoundToDecimals(2.5, 0), 3.0);
    EXPECT_EQ(RoundToDecimals(-2.5, 0), -3.0);
    EXPECT_EQ(RoundToDecimals(2.49, 0), 2.0);
    EXPECT_EQ(RoundToDecimals(0.0, 0), 0.0);
    EXPECT_NEAR(RoundToDecimals(1.25, 1), 1.3, 1e-12);
    EXPECT_EQ(RoundHalfAway(-0.4), 0);
}

TEST(PixelRoundingTest, NearestEvenNarrowsToSinglePrecisionFirst) {
    EXPECT_EQ(RoundNearestEven(2.5), 2);
    EXPECT_EQ(RoundNearestEven(3.5), 4);
    EXPECT_EQ(RoundNearestEven(-2.5), -2);
    EXPECT_EQ(RoundNearestEven(66.5), 66);
    // Just below a half in double, exactly a half once narrowed.
    EXPECT_EQ(RoundNearestEven(2.4999999999), 2);
    EXPECT_EQ(RoundNearestEven(3.4999999999), 4);
}

TEST(PixelRoundingTest, TruncationGoesTowardZero) {
    EXPECT_EQ(Truncate(14.99), 14);
    EXPECT_EQ(Truncate(-14.99), -14);
}

TEST(PixelRoundingTest, EveryConversionIsDefinedForEveryInput) {
    for (auto convert : {&RoundHalfAway, &RoundNearestEven, &Truncate}) {
        EXPECT_EQ(convert(kNan), 0);
        EXPECT_EQ(convert(kInf), 0);
        EXPECT_EQ(convert(-kInf), 0);
        EXPECT_EQ(convert(3e9), kIntMax);
        EXPECT_EQ(convert(-3e9), kIntMin);
    }
    EXPECT_EQ(RoundHalfAway(1e300), kIntMax);
    EXPECT_EQ(Truncate(-1e300), kIntMin);
    // Narrowed first, a double beyond the float range is infinite: 0.
    EXPECT_EQ(RoundNearestEven(1e300), 0);
    EXPECT_EQ(Truncate(2147483647.9), kIntMax);
    EXPECT_EQ(Truncate(-2147483648.9), kIntMin);
}

TEST(PixelRoundingTest, NarrowingBeyondTheFloatRangeGivesInfinity) {
    EXPECT_EQ(ToSingle(1e300), std::numeric_limits<float>::infinity());
    EXPECT_EQ(ToSingle(-1e300), -std::numeric_limits<float>::infinity());
    EXPECT_EQ(ToSingle(3.4028235e38), std::numeric_limits<float>::max());
    EXPECT_TRUE(std::isnan(ToSingle(kNan)));
    EXPECT_EQ(ToSingle(0.1), 0.1f);
    EXPECT_EQ(NumberOrZero(std::numeric_limits<float>::quiet_NaN()), 0.0f);
    EXPECT_EQ(NumberOrZero(-7.5f), -7.5f);
}

}  // namespace
}  // namespace quorvel
