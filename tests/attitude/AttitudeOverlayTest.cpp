#include "attitude/AttitudeOverlay.h"

#include <gtest/gtest.h>

#include <limits>

namespace quorvel {
namespace {

TEST(AttitudeOverlayTest, LettersShowWithinNinetyThreeDegreesOfTheirDirection) {
    struct Case {
        double heading;
        bool n, s, e, w;
    };
    for (const Case& c : {Case{0, true, false, true, true}, Case{90, true, true, true, false},
                          Case{180, false, true, true, true}, Case{270, true, true, false, true}}) {
        EXPECT_EQ(ShowsNorth(c.heading, 0), c.n) << c.heading;
        EXPECT_EQ(ShowsSouth(c.heading, 0), c.s) << c.heading;
        EXPECT_EQ(ShowsEast(c.heading, 0), c.e) << c.heading;
        EXPECT_EQ(ShowsWest(c.heading, 0), c.w) << c.heading;
    }
}

TEST(AttitudeOverlayTest, LetterBoundariesAreStrict) {
    for (double p : {0.0, 80.0, -80.0}) {
        EXPECT_FALSE(ShowsNorth(93, p));
        EXPECT_FALSE(ShowsNorth(267, p));
        EXPECT_TRUE(ShowsNorth(92.999, p));
        EXPECT_FALSE(ShowsSouth(87, p));
        EXPECT_FALSE(ShowsSouth(273, p));
        EXPECT_TRUE(ShowsSouth(87.001, p));
        EXPECT_FALSE(ShowsEast(183, p));
        EXPECT_FALSE(ShowsEast(357, p));
        EXPECT_FALSE(ShowsWest(3, p));
        EXPECT_FALSE(ShowsWest(177, p));
    }
    // Beyond 80 degrees of pitch every letter shows wherever it lies.
    for (double p : {80.001, -80.001, 90.0}) {
        for (double h : {93.0, 87.0, 183.0, 3.0, 0.0, 180.0}) {
            EXPECT_TRUE(ShowsNorth(h, p) && ShowsSouth(h, p) && ShowsEast(h, p) && ShowsWest(h, p)) << h << " " << p;
        }
    }
}

OverlayInput Centred(double cx, double cy) {
    const BallPoint centre{cx, cy};
    return OverlayInput{1, 1, centre, centre, centre, centre, centre, centre, 0, 0};
}

TEST(AttitudeOverlayTest, MarkersOfALevelFlightOnAWidePage) {
    // 400 by 200: image 398 by 133, centre (199, 66.5), drawn at (199, 66).
    const AttitudeOverlay o = ComputeAttitudeOverlay(Centred(199, 66.5), {400, 200, 10, 8});
    EXPECT_EQ(o.flightPathCircle, (PixelBox{189, 56, 209, 76}));
    EXPECT_EQ(o.predictorFrom.x, 200);
    EXPECT_EQ(o.predictorFrom.y, 66);
    EXPECT_EQ(o.predictorTo.x, 199);
    EXPECT_EQ(o.predictorTo.y, 66);
    EXPECT_EQ(o.predictorCircle, (PixelBox{194, 61, 204, 71}));
    EXPECT_EQ(o.flightPathTicks[0][0].x, 189);
    EXPECT_EQ(o.flightPathTicks[0][1].x, 179);
    EXPECT_EQ(o.flightPathTicks[2][1].y, 46);
}

TEST(AttitudeOverlayTest, OddCellsTruncate) {
    const AttitudeOverlay o = ComputeAttitudeOverlay(Centred(50, 50), {200, 300, 7, 12});
    EXPECT_EQ(o.aircraft[0].x, 100 - 28);
    EXPECT_EQ(o.aircraft[1].x, 90);
    EXPECT_EQ(o.aircraft[2].x, 100);
    EXPECT_EQ(o.aircraft[2].y, 100 + 12);
    EXPECT_EQ(o.aircraft[3].x, 110);
    EXPECT_EQ(o.aircraft[4].x, 128);
    EXPECT_EQ(o.predictorCircle.right - o.predictorTo.x, 3);
}

TEST(AttitudeOverlayTest, MarkerHalvesRoundToEven) {
    const AttitudeOverlay o = ComputeAttitudeOverlay(Centred(2.5, 3.5), {200, 200, 8, 12});
    EXPECT_EQ(o.predictorTo.x, 2);
    EXPECT_EQ(o.predictorTo.y, 4);
}

TEST(AttitudeOverlayTest, LettersAreCentredOnTheirPointsInMfdCoordinates) {
    OverlayInput in = Centred(0, 0);
    in.north = {199, 66.5};
    in.east = {398, 66.5};  // clamped to the image's right edge
    const AttitudeOverlay o = ComputeAttitudeOverlay(in, {400, 200, 10, 16});
    EXPECT_EQ(o.letters[0].at, (CursorPixel{1 + 199 - 5, 59}));
    EXPECT_EQ(o.letters[2].at, (CursorPixel{394, 59}));
    EXPECT_STREQ(o.letters[3].text, "W");
}

// The host gives the cell size; the symbols keep their shape at any size,
// their far ends saturating at the int range instead of wrapping round.
TEST(AttitudeOverlayTest, SymbolsOfHugeCellsSaturateAndKeepTheirShape) {
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    for (std::uint32_t cell : {1u << 30, 1u << 31, 0xFFFFFFFFu}) {
        const AttitudeOverlay o = ComputeAttitudeOverlay(Centred(199, 199), {400, 400, cell, cell});
        EXPECT_EQ(o.aircraft[0].x, kMin) << cell;
        EXPECT_LT(o.aircraft[1].x, 200) << cell;
        EXPECT_GT(o.aircraft[2].y, 133) << cell;
        EXPECT_GT(o.aircraft[3].x, 200) << cell;
        EXPECT_EQ(o.aircraft[4].x, kMax) << cell;

        const auto& [left, right, up] = o.flightPathTicks;
        EXPECT_LE(left[1].x, left[0].x) << cell;
        EXPECT_LT(left[0].x, 199) << cell;
        EXPECT_GT(right[0].x, 199) << cell;
        EXPECT_EQ(right[1].x, kMax) << cell;
        EXPECT_LE(up[1].y, up[0].y) << cell;
        EXPECT_LT(up[0].y, 199) << cell;
        EXPECT_LT(o.flightPathCircle.left, 199) << cell;
        EXPECT_GT(o.flightPathCircle.right, 199) << cell;
        EXPECT_LT(o.predictorCircle.top, 199) << cell;
        EXPECT_GT(o.predictorCircle.bottom, 199) << cell;
    }
}

}  // namespace
}  // namespace quorvel
