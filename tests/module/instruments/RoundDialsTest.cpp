#include "module/instruments/RoundDials.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>


namespace quorvel {
namespace {

bool operator==(const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; }

// A page of 200 by 200 with cells of 8 by 12: dials of radius 33 centred
// 39 pixels down, at x 39 and 160.
constexpr std::uint32_t CH = 12;
constexpr PageGeometry kPage{200, 200, 8, CH};

TEST(RoundDialsTest, AirspeedDialOfASmallPage) {
    AirspeedDialInput air{};
    air.eas = 137;
    const DialReading dial = ReadAirspeedDial(air, kPage);
    EXPECT_EQ(dial.cx, 39);
    EXPECT_EQ(dial.cy, 39);
    EXPECT_EQ(dial.radius, 33);
    EXPECT_EQ(dial.valueText, (CursorPixel{27, 33}));
    EXPECT_EQ(dial.rateText, (CursorPixel{27, 45}));
    EXPECT_NEAR(dial.pointerAngle, 493.2f, 1e-3);
    const auto pointer = dial.pointer;
    EXPECT_TRUE(pointer[0] == (POINT{58, 54}));
    EXPECT_TRUE(pointer[1] == (POINT{55, 57}));
    EXPECT_TRUE(pointer[2] == (POINT{63, 62}));
}

TEST(RoundDialsTest, DotRingOfASmallPage) {
    const std::array<PixelBox, 10> expected = {{{36, 3, 42, 9},
                                                {55, 9, 61, 15},
                                                {67, 26, 73, 32},
                                                {67, 46, 73, 52},
                                                {55, 63, 61, 69},
                                                {36, 69, 42, 75},
                                                {17, 63, 23, 69},
                                                {5, 46, 11, 52},
                                                {5, 26, 11, 32},
                                                {17, 9, 23, 15}}};
    EXPECT_EQ(DotRingBoxes(39, 39, 33, CH), expected);
    EXPECT_EQ(DotRingBoxes(160, 39, 33, CH)[0], (PixelBox{157, 3, 163, 9}));
    // Ten dots whatever the radius, the first at 12 o'clock.
    const auto tiny = DotRingBoxes(10, 10, 0, 0);
    for (const PixelBox& box : tiny) EXPECT_EQ(box, (PixelBox{10, 10, 10, 10}));
}

TEST(RoundDialsTest, RateArcsOfASmallPage) {
    AirspeedDialInput air{};
    air.easRate = 2.5;
    const DialReading up = ReadAirspeedDial(air, kPage);
    const RateArcCall upArc = up.arc;
    EXPECT_TRUE(upArc.up);
    EXPECT_EQ(upArc.box, (PixelBox{4, 4, 74, 74}));
    EXPECT_TRUE(upArc.start == (POINT{14, 14}));
    EXPECT_TRUE(upArc.end == (POINT{4, 39}));

    air.easRate = -2.5;
    const DialReading down = ReadAirspeedDial(air, kPage);
    const RateArcCall downArc = down.arc;
    EXPECT_FALSE(downArc.up);
    EXPECT_TRUE(downArc.start == (POINT{4, 39}));
    EXPECT_TRUE(downArc.end == (POINT{14, 63}));
}

TEST(RoundDialsTest, RateArcEdges) {
    // A rate of 0: the points coincide, so GDI draws the whole circle, down.
    const RateArcCall zero = RateArcFor(39, 39, 35, 0);
    EXPECT_FALSE(zero.up);
    EXPECT_TRUE(zero.start == zero.end);
    // Angles beyond half a turn are clamped to it.
    for (float angle : {180.0f, 450.0f, 1e30f, std::numeric_limits<float>::infinity()}) {
        const RateArcCall arc = RateArcFor(39, 39, 35, angle);
        EXPECT_TRUE(arc.up) << angle;
        EXPECT_EQ(arc.start.x, 74) << angle;
    }
    const RateArcCall lowest = RateArcFor(39, 39, 35, -1e30f);
    EXPECT_FALSE(lowest.up);
    EXPECT_EQ(lowest.end.x, 74);
    // A quarter turn down: from 9 o'clock to 6 o'clock.
    const RateArcCall quarter = RateArcFor(39, 39, 35, -90);
    EXPECT_NEAR(quarter.end.x, 39, 1);
    EXPECT_EQ(quarter.end.y, 74);
    // Not a number: drawn as a rate of 0, never converted.
    const RateArcCall nan = RateArcFor(39, 39, 35, std::numeric_limits<float>::quiet_NaN());
    EXPECT_FALSE(nan.up);
    EXPECT_TRUE(nan.start == nan.end);
}

TEST(RoundDialsTest, AirspeedRateIsClampedToNinetyNine) {
    AirspeedDialInput air{};
    for (double rate : {10.0, 25.0, 150.0}) {
        air.easRate = rate;
        const DialReading dial = ReadAirspeedDial(air, kPage);
        EXPECT_TRUE(dial.arc.up) << rate;
        EXPECT_GE(dial.arcAngle, 180.0f) << rate;
    }
    EXPECT_EQ(ReadAirspeedDial(air, kPage).rate, 99.0f);
    air.easRate = -1e9;
    EXPECT_EQ(ReadAirspeedDial(air, kPage).rate, -99.0f);
    air.eas = 250;
    EXPECT_FLOAT_EQ(ReadAirspeedDial(air, kPage).pointerAngle, 900.0f);
}

TEST(RoundDialsTest, AltitudeDialOfASmallPage) {
    AltitudeDialInput alt{};
    const DialReading dial = ReadAltitudeDial(alt, kPage);
    EXPECT_EQ(dial.cx, 160);
    EXPECT_EQ(dial.cy, 39);
    EXPECT_EQ(dial.radius, 33);
    EXPECT_EQ(dial.valueText, (CursorPixel{136, 33}));
    EXPECT_EQ(dial.rateText, (CursorPixel{136, 45}));
}

TEST(RoundDialsTest, AltitudeShowsHundredsAboveTenThousandFeet) {
    AltitudeDialInput alt{};
    alt.altitudeFt = 12345;
    DialReading dial = ReadAltitudeDial(alt, kPage);
    EXPECT_EQ(dial.value, 12300.0);
    EXPECT_NEAR(dial.pointerAngle, 442.8f, 1e-3);

    alt.altitudeFt = 10050;
    dial = ReadAltitudeDial(alt, kPage);
    EXPECT_EQ(dial.value, 10000.0);
    EXPECT_NEAR(std::fmod(dial.pointerAngle, 360.0f), 0.0f, 1e-3);

    alt.altitudeFt = 999;
    dial = ReadAltitudeDial(alt, kPage);
    EXPECT_EQ(dial.value, 999.0);
    EXPECT_NEAR(dial.pointerAngle, 359.64f, 1e-3);

    alt.altitudeFt = -20000;
    dial = ReadAltitudeDial(alt, kPage);
    EXPECT_EQ(dial.value, -20000.0) << "negative altitudes are never reduced";
    EXPECT_NEAR(dial.pointerAngle, -7200.0f, 1e-2);
}

TEST(RoundDialsTest, VerticalSpeedShowsHundredsBeyondTenThousand) {
    AltitudeDialInput alt{};
    alt.verticalSpeedFpm = 10000;
    DialReading dial = ReadAltitudeDial(alt, kPage);
    EXPECT_EQ(dial.rate, 10000.0f);
    EXPECT_NEAR(dial.arcAngle, 180.0f, 1e-4);
    EXPECT_TRUE(dial.arc.up);

    alt.verticalSpeedFpm = 10001;
    dial = ReadAltitudeDial(alt, kPage);
    EXPECT_EQ(dial.rate, 10000.0f);
    EXPECT_NEAR(dial.arcAngle, 18.0f, 1e-2);

    alt.verticalSpeedFpm = -25050;
    dial = ReadAltitudeDial(alt, kPage);
    EXPECT_EQ(dial.rate, -25000.0f);
    EXPECT_NEAR(dial.arcAngle, -45.09f, 1e-3);

    alt.verticalSpeedFpm = 5e6;
    EXPECT_EQ(ReadAltitudeDial(alt, kPage).rate, 99900.0f);
}

// A dot's half-size is unsigned: far out, its box wraps as unsigned
// arithmetic does rather than overflowing a signed int.
TEST(RoundDialsTest, DotBoxesOfHugeCellsWrapAsUnsignedArithmeticDoes) {
    constexpr std::int32_t kFarRight = 2000000000;
    constexpr std::int32_t kHalf = 0x3FFFFFFF;  // 0xFFFFFFFF / 4
    const PixelBox top = DotRingBoxes(kFarRight, 0, 0, 0xFFFFFFFFu)[0];
    EXPECT_EQ(top, (PixelBox{kFarRight - kHalf, -kHalf,
                             static_cast<std::int32_t>(std::int64_t{kFarRight} + kHalf - (std::int64_t{1} << 32)), kHalf}));
}

TEST(RoundDialsTest, NonFiniteAndHugeValuesGiveDefinedGeometry) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double value : {nan, inf, -inf, 1e300, -1e300}) {
        AirspeedDialInput air{};
        AltitudeDialInput alt{};
        air.eas = air.easRate = alt.altitudeFt = alt.verticalSpeedFpm = value;
        for (const DialReading& dial :
             {ReadAirspeedDial(air, kPage), ReadAltitudeDial(alt, kPage)}) {
            const auto pointer = dial.pointer;
            const RateArcCall arc = dial.arc;
            for (const POINT& p : pointer) {
                EXPECT_GE(p.x, 0) << value;
                EXPECT_LE(p.x, 200) << value;
            }
            EXPECT_LE(std::abs(arc.end.x - dial.cx), dial.radius + 2) << value;
            EXPECT_LE(std::abs(arc.end.y - dial.cy), dial.radius + 2) << value;
        }
    }
}

}  // namespace
}  // namespace quorvel
