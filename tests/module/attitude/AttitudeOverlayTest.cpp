#include "module/attitude/AttitudeOverlay.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
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

// The host gives the cell size: past 2^29 the unsigned arithmetic wraps,
// and the symbols land where those wrapped positions put them.
TEST(AttitudeOverlayTest, SymbolsOfHugeCellsWrapAsUnsignedArithmeticDoes) {
    constexpr std::int32_t kCentre = 199;
    constexpr std::int64_t kTwoCellsLeft = kCentre - (std::int64_t{1} << 31);  // also 2^31 right, wrapped
    const auto xs = [](const std::array<POINT, 5>& points) {
        std::array<std::int64_t, 5> x{};
        for (std::size_t i = 0; i < points.size(); ++i) x[i] = points[i].x;
        return x;
    };
    {
        constexpr std::uint32_t cell = 1u << 30;  // four cells are 2^32, which wraps to 0
        const AttitudeOverlay o = ComputeAttitudeOverlay(Centred(kCentre, kCentre), {400, 400, cell, cell});
        EXPECT_EQ(xs(o.aircraft), (std::array<std::int64_t, 5>{200, 200 - 1610612736, 200, 200 + 1610612736, 200}));
        EXPECT_EQ(o.aircraft[2].y, 133 + (1 << 30));
        const auto& [left, right, up] = o.flightPathTicks;
        EXPECT_EQ(left[0].x, kCentre - (1 << 30));
        EXPECT_EQ(left[1].x, kTwoCellsLeft);
        EXPECT_EQ(right[1].x, kTwoCellsLeft);
        EXPECT_EQ(up[1].y, kTwoCellsLeft);
        EXPECT_EQ(o.flightPathCircle, (PixelBox{kCentre - (1 << 30), kCentre - (1 << 30), kCentre + (1 << 30),
                                                kCentre + (1 << 30)}));
        EXPECT_EQ(o.predictorCircle, (PixelBox{kCentre - (1 << 29), kCentre - (1 << 29), kCentre + (1 << 29),
                                               kCentre + (1 << 29)}));
    }
    {
        constexpr std::uint32_t cell = 0xFFFFFFFFu;  // a step of -1 in the wrapped arithmetic
        const AttitudeOverlay o = ComputeAttitudeOverlay(Centred(kCentre, kCentre), {400, 400, cell, cell});
        // Three cells wrap to 2^32 - 3, halved to 2^31 - 2.
        EXPECT_EQ(xs(o.aircraft), (std::array<std::int64_t, 5>{204, 200 - 0x7FFFFFFE, 200,
                                                               200 + std::int64_t{0x7FFFFFFE} - (std::int64_t{1} << 32),
                                                               196}));
        EXPECT_EQ(o.aircraft[2].y, 132);
        EXPECT_EQ(o.flightPathTicks[0][1].x, kCentre + 2);
        EXPECT_EQ(o.predictorCircle.left, kCentre - 0x7FFFFFFF);
    }
}

}  // namespace
}  // namespace quorvel
