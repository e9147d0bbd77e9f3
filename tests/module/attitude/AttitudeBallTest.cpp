// The attitude ball as the page drives it: its pictures checked on pixels,
// its six points against a projection worked out by hand in double
// precision, bad numbers, images that cannot be made, and two balls at once.
//
// QUORVEL_PICTURE_DIR=/some/dir writes the pictures as PNG files.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "module/attitude/AttitudeBall.h"
#include "platform/linux/PlatformDiagnostics.h"
#include "sim/host/MfdSurface.h"
#include "tests/support/Colour.h"
#include "tests/support/SurfacePixels.h"

namespace quorvel {
namespace {

using platform::LiveGdiObjects;
using platform::LiveGlContexts;
using test::GlColour;
using test::Rgb;
using sim::MfdSurface;

constexpr Rgb kSky = GlColour(0, 0.63, 0.65);
constexpr Rgb kGround = GlColour(0.38, 0.25, 0.15);
constexpr Rgb kHorizon = GlColour(0, 0.97, 0.03);
constexpr Rgb kMeridian = GlColour(0.5, 0.5, 0.5);
constexpr Rgb kNorthRing = GlColour(0.6, 0.6, 0.97);
constexpr Rgb kSouthRing = GlColour(1, 0.5, 0.28);
constexpr Rgb kBlack{0, 0, 0};
constexpr int kTolerance = 2;  // rounding of GL's colour conversion
constexpr double kPi = std::numbers::pi;

::testing::AssertionResult IsColour(Rgb actual, Rgb expected) {
    if (test::Near(actual, expected, kTolerance)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << test::Describe(actual) << " is not " << test::Describe(expected);
}

struct Attitude {
    float pitch = 0;
    float roll = 0;
    float yaw = 0;
    float aoa = 0;
    float slip = 0;
    float pitchRate = 0;
    float yawRate = 0;
};

// A ball whose image is copied to the top-left corner of a surface of the
// image's own size, so that surface pixels are image pixels.
struct BallPicture {
    BallPicture(int width, int height)
        : ball({0, 0, width, height}),
          surface(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height), std::nullopt) {}

    void Render(const Attitude& a, float scale) {
        ball.Render(surface.Dc(), a.pitch, a.roll, a.yaw, a.aoa, a.slip, a.pitchRate, a.yawRate, scale);
    }
    Rgb At(int x, int y) const {
        return test::RgbAt(surface, static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y));
    }

    // The row in [top, bottom] with most pixels of colour in [left, right].
    int RowOf(Rgb colour, int left, int right, int top, int bottom) const {
        int best = -1;
        int bestCount = 0;
        for (int y = top; y <= bottom; ++y) {
            int count = 0;
            for (int x = left; x <= right; ++x) count += test::Near(At(x, y), colour, kTolerance) ? 1 : 0;
            if (count > bestCount) {
                best = y;
                bestCount = count;
            }
        }
        return best;
    }

    // Lengths of the alternating runs of colour / not colour along a row.
    std::vector<int> Runs(Rgb colour, int y, int left, int right, bool& startsInColour) const {
        std::vector<int> runs;
        bool previous = false;
        for (int x = left; x <= right; ++x) {
            const bool inColour = test::Near(At(x, y), colour, kTolerance);
            if (x == left) startsInColour = inColour;
            if (x == left || inColour != previous) runs.push_back(0);
            ++runs.back();
            previous = inColour;
        }
        return runs;
    }

    AttitudeBall ball;
    MfdSurface surface;
};

// --- Pictures -------------------------------------------------------------

TEST(BallPictureTest, LevelBallHasTheHorizonAtTheCentreSkyAboveAndGroundBelow) {
    BallPicture picture(398, 266);
    ASSERT_NE(picture.ball.renderContext, nullptr);
    picture.Render({}, 2);
    test::WritePictureIfAsked(picture.surface, "ball-level-scale2");

    EXPECT_NEAR(picture.ball.northPoint.x, 199, 1e-3);
    EXPECT_NEAR(picture.ball.northPoint.y, 133, 1e-3);
    bool horizonAtCentre = false;
    for (int y : {132, 133}) {
        for (int x : {198, 199, 200}) horizonAtCentre |= test::Near(picture.At(x, y), kHorizon, kTolerance);
    }
    EXPECT_TRUE(horizonAtCentre);
    // Off the central meridian, between the 10 degree rings.
    EXPECT_NE(picture.RowOf(kHorizon, 205, 225, 132, 133), -1);
    for (int y : {100, 120, 129}) EXPECT_TRUE(IsColour(picture.At(214, y), kSky)) << y;
    for (int y : {137, 150, 170}) EXPECT_TRUE(IsColour(picture.At(214, y), kGround)) << y;
}

TEST(BallPictureTest, AtScaleOneTheSphereJustTouchesAllFourEdgesOfASquareImage) {
    BallPicture picture(200, 200);
    picture.Render({}, 1);
    test::WritePictureIfAsked(picture.surface, "ball-level-scale1");

    for (auto [x, y] : {std::pair{0, 0}, {199, 0}, {0, 199}, {199, 199}}) {
        EXPECT_TRUE(IsColour(picture.At(x, y), kBlack)) << x << ", " << y;
    }
    for (auto [x, y] : {std::pair{0, 100}, {199, 100}, {100, 0}, {100, 199}}) {
        EXPECT_FALSE(test::Near(picture.At(x, y), kBlack, 0)) << "edge midpoint " << x << ", " << y << " is black";
    }
    // Only just: 30 pixels along the edge is outside, 5 pixels in is inside.
    EXPECT_TRUE(IsColour(picture.At(0, 70), kBlack));
    EXPECT_TRUE(IsColour(picture.At(110, 30), kSky));
    EXPECT_TRUE(IsColour(picture.At(30, 0), kBlack));
}

TEST(BallPictureTest, AtScaleFourTheImageSpansAQuarterOfTheDiameter) {
    BallPicture picture(200, 200);
    picture.Render({}, 4);
    test::WritePictureIfAsked(picture.surface, "ball-level-scale4");

    EXPECT_TRUE(IsColour(picture.At(0, 0), kSky));
    EXPECT_TRUE(IsColour(picture.At(199, 0), kSky));
    EXPECT_TRUE(IsColour(picture.At(0, 199), kGround));
    EXPECT_TRUE(IsColour(picture.At(199, 199), kGround));
    // 400 pixels to the unit: the 10 degree ring lies 400 sin 10 = 69.5
    // pixels above the centre, and nothing ring-coloured lies nearer.
    const int ring = picture.RowOf(kNorthRing, 110, 150, 0, 99);
    EXPECT_NEAR(ring, 100 - 69.5, 1.0);
    EXPECT_EQ(picture.RowOf(kNorthRing, 110, 150, 33, 97), -1);
}

TEST(BallPictureTest, PitchNinetyBringsThePoleWithItsTwelveMeridiansToTheCentre) {
    BallPicture picture(398, 266);
    picture.Render({90, 0, 0}, 2);
    test::WritePictureIfAsked(picture.surface, "ball-pitch90");

    // A circle of 30 pixels round the centre, 6.5 degrees from the pole,
    // crosses only meridians: 12 of them, 30 degrees apart, on sky. Each
    // sample also looks right and down, so that no one-pixel line slips
    // between two diagonal steps of the circle.
    int meridianRuns = 0;
    bool previous = false;
    bool first = false;
    constexpr int kSamples = 720;
    for (int i = 0; i < kSamples; ++i) {
        const double angle = 2 * kPi * i / kSamples;
        const int x = 199 + static_cast<int>(std::lround(30 * std::cos(angle)));
        const int y = 133 + static_cast<int>(std::lround(30 * std::sin(angle)));
        const Rgb colour = picture.At(x, y);
        ASSERT_TRUE(test::Near(colour, kMeridian, kTolerance) || IsColour(colour, kSky))
            << "at " << x << ", " << y << ": " << test::Describe(colour);
        const bool onMeridian = test::Near(colour, kMeridian, kTolerance) ||
                                test::Near(picture.At(x + 1, y), kMeridian, kTolerance) ||
                                test::Near(picture.At(x, y + 1), kMeridian, kTolerance);
        if (i == 0) first = onMeridian;
        if (onMeridian && (i == 0 || !previous)) ++meridianRuns;
        previous = onMeridian;
    }
    if (first && previous) --meridianRuns;  // one run across the start
    EXPECT_EQ(meridianRuns, 12);
}

TEST(BallPictureTest, MinorRingsAreDashedAndMajorRingsSolid) {
    BallPicture picture(398, 266);
    picture.Render({}, 1);
    // 133 pixels to the unit; seen edge-on the parallels are rows. The
    // columns keep clear of the meridians at the centre and 30 degrees.
    constexpr int kLeft = 205;
    constexpr int kRight = 255;
    struct Ring {
        const char* name;
        Rgb colour;
        Rgb background;
        double latitude;
        bool dashed;
    };
    for (const Ring& ring : {Ring{"+10", kNorthRing, kSky, 10, true}, Ring{"+30", kNorthRing, kSky, 30, false},
                             Ring{"-10", kSouthRing, kGround, -10, true}, Ring{"-30", kSouthRing, kGround, -30, false},
                             Ring{"+20", kNorthRing, kSky, 20, true}}) {
        SCOPED_TRACE(ring.name);
        const double expectedRow = 133 - 133 * std::sin(ring.latitude * kPi / 180);
        const int row = picture.RowOf(ring.colour, kLeft, kRight, static_cast<int>(expectedRow) - 2,
                                      static_cast<int>(expectedRow) + 2);
        ASSERT_NE(row, -1);
        bool startsInColour = false;
        const std::vector<int> runs = picture.Runs(ring.colour, row, kLeft, kRight, startsInColour);
        if (!ring.dashed) {
            EXPECT_EQ(runs.size(), 1u);
            EXPECT_TRUE(startsInColour);
            continue;
        }
        // Runs of 5 on and 5 off: about ten over 51 pixels.
        EXPECT_GE(runs.size(), 9u);
        for (std::size_t i = 1; i + 1 < runs.size(); ++i) {
            EXPECT_GE(runs[i], 4) << "run " << i;
            EXPECT_LE(runs[i], 6) << "run " << i;
        }
        for (int x = kLeft; x <= kRight; ++x) {
            const Rgb colour = picture.At(x, row);
            EXPECT_TRUE(test::Near(colour, ring.colour, kTolerance) || IsColour(colour, ring.background)) << x;
        }
    }
}

TEST(BallPictureTest, RollTurnsThePictureCounterClockwiseAboutTheViewingAxis) {
    BallPicture picture(398, 266);
    picture.Render({30, -45, 0}, 2);  // pitch 30, bank 45 as the page passes it
    test::WritePictureIfAsked(picture.surface, "ball-pitch30-bank45");
    // The centre lies on the 30 degree ring; 20 pixels up it, turned by the
    // roll to the upper right, is sky, and the other way ground.
    EXPECT_TRUE(IsColour(picture.At(199 + 14, 133 - 14), kSky));
    EXPECT_TRUE(IsColour(picture.At(199 - 120, 133 + 120), kGround));

    // Level, rolled: the horizon through the centre turns with the picture;
    // straight above and below the centre lie sky and ground either way.
    picture.Render({0, 45, 0}, 2);
    test::WritePictureIfAsked(picture.surface, "ball-roll45");
    EXPECT_TRUE(IsColour(picture.At(199 - 40, 133 + 10), kSky)) << "left of the centre, the sky side";
    EXPECT_TRUE(IsColour(picture.At(199 + 40, 133 - 10), kGround)) << "right of the centre, the ground side";
    picture.Render({0, -45, 0}, 2);
    EXPECT_TRUE(IsColour(picture.At(199 + 40, 133 + 10), kSky));
    EXPECT_TRUE(IsColour(picture.At(199 - 40, 133 - 10), kGround));
}

TEST(BallPictureTest, TheImageIsCopiedToItsPlacementAndNowhereElse) {
    AttitudeBall ball({5, 7, 40, 30});
    MfdSurface surface(60, 50, std::nullopt);
    surface.Fill(0xFFFFFF);
    ball.Render(surface.Dc(), 0, 0, 0, 0, 0, 0, 0, 1);
    EXPECT_EQ(surface.Pixel(5, 7), 0u) << "the image's black corner";
    EXPECT_EQ(surface.Pixel(44, 36), 0u);
    EXPECT_NE(surface.Pixel(25, 24), 0u) << "the sphere round the image centre";
    for (auto [x, y] : {std::pair{4, 22}, {45, 22}, {25, 6}, {25, 37}}) {
        EXPECT_EQ(surface.Pixel(x, y), 0xFFFFFFu) << x << ", " << y;
    }
}

// --- The six points -------------------------------------------------------

struct Point {
    double x;
    double y;
};

// The ball's projection from its definition, in double precision: rotate
// about y by yaw, x by pitch, z by roll (counter-clockwise seen from the
// axis tip), view orthographically at scale times half the shorter side per
// unit, then clamp to the image and turn y downward.
Point ProjectByHand(double x, double y, double z, const Attitude& a, double scale, double width, double height) {
    const double radians = kPi / 180;
    const double cy = std::cos(a.yaw * radians), sy = std::sin(a.yaw * radians);
    const double cp = std::cos(a.pitch * radians), sp = std::sin(a.pitch * radians);
    const double cr = std::cos(a.roll * radians), sr = std::sin(a.roll * radians);
    const double x1 = x * cy + z * sy, z1 = -x * sy + z * cy;
    const double y2 = y * cp - z1 * sp;
    const double x3 = x1 * cr - y2 * sr, y3 = x1 * sr + y2 * cr;

    const double pixelsPerUnit = scale * std::min(width, height) / 2;
    double windowX = width / 2 + x3 * pixelsPerUnit;
    double windowY = height / 2 + y3 * pixelsPerUnit;
    windowX = std::clamp(windowX, 0.0, width);
    windowY = std::clamp(windowY, 0.0, height);
    return {windowX, height - windowY};
}

Point MarkerByHand(double elevation, double azimuth, const Attitude& a, double scale, double width, double height) {
    const double radians = kPi / 180;
    return ProjectByHand(std::sin(azimuth * radians) * std::cos(elevation * radians), std::sin(elevation * radians),
                         std::cos(azimuth * radians) * std::cos(elevation * radians), a, scale, width, height);
}

void ExpectPoint(const BallPoint& actual, Point expected, const char* name, double tolerance = 0.01) {
    EXPECT_NEAR(actual.x, expected.x, tolerance) << name << " x";
    EXPECT_NEAR(actual.y, expected.y, tolerance) << name << " y";
}

TEST(BallProjectionTest, TheSixPointsMatchTheProjectionWorkedOutInDoublePrecision) {
    const Attitude attitudes[] = {
        {},
        {30, -45, 20, 4, 1, 2, -3},
        {-60, 170, -135, 5, -3, 2, -4},
        {10, 90, 0, 10, 0, 0, 0},  // roll 90: aoa moves the marker's azimuth, not its elevation
        {85, 10, 300, 12, 4, -6, 8},
        {-20, -120, 45, -8, 6, 10, 20},
    };
    for (auto [width, height] : {std::pair{398, 266}, {100, 200}, {150, 150}}) {
        BallPicture picture(width, height);
        for (float scale : {1.0f, 2.0f, 3.0f, 4.0f}) {
            for (const Attitude& a : attitudes) {
                SCOPED_TRACE(::testing::Message() << width << "x" << height << " scale " << scale << " pitch "
                                                  << a.pitch << " roll " << a.roll << " yaw " << a.yaw);
                picture.Render(a, scale);
                const AttitudeBall& ball = picture.ball;
                ExpectPoint(ball.northPoint, ProjectByHand(0, 0, 1, a, scale, width, height), "north");
                ExpectPoint(ball.southPoint, ProjectByHand(0, 0, -1, a, scale, width, height), "south");
                ExpectPoint(ball.eastPoint, ProjectByHand(1, 0, 0, a, scale, width, height), "east");
                ExpectPoint(ball.westPoint, ProjectByHand(-1, 0, 0, a, scale, width, height), "west");

                const double rho = a.roll * kPi / 180;
                const double pathElevation = a.pitch - a.aoa * std::cos(rho) - a.slip * std::sin(rho);
                const double pathAzimuth = -a.yaw - a.aoa * std::sin(rho) - a.slip * std::cos(rho);
                ExpectPoint(ball.flightPathPoint, MarkerByHand(pathElevation, pathAzimuth, a, scale, width, height),
                            "flight path");
                ExpectPoint(ball.predictorPoint,
                            MarkerByHand(a.pitch + 3.0 * a.pitchRate, 3.0 * a.yawRate - a.yaw, a, scale, width, height),
                            "predictor");
            }
        }
    }
}

TEST(BallProjectionTest, WideAndTallImagesScaleByTheirShorterSide) {
    // Pitch -30 lifts the north point by half a radius.
    BallPicture wide(398, 266);
    wide.Render({-30, 0, 0}, 1);
    ExpectPoint(wide.ball.northPoint, {199, 133 - 133 * 0.5}, "wide north");
    ExpectPoint(wide.ball.eastPoint, {199 + 133, 133}, "wide east");

    BallPicture tall(100, 200);
    tall.Render({-30, 0, 0}, 1);
    ExpectPoint(tall.ball.northPoint, {50, 100 - 50 * 0.5}, "tall north");
    ExpectPoint(tall.ball.westPoint, {0, 100}, "tall west");
    tall.Render({-30, 0, 0}, 2);
    ExpectPoint(tall.ball.northPoint, {50, 100 - 100 * 0.5}, "tall north at scale 2");
}

TEST(BallProjectionTest, PointsOutsideTheImageLandOnItsEdges) {
    BallPicture picture(398, 266);
    picture.Render({}, 4);  // 532 pixels to the unit
    EXPECT_EQ(picture.ball.eastPoint.x, 398);
    EXPECT_EQ(picture.ball.westPoint.x, 0);
    EXPECT_NEAR(picture.ball.eastPoint.y, 133, 1e-3);
    picture.Render({-90, 0, 0}, 4);
    EXPECT_EQ(picture.ball.northPoint.y, 0) << "above the image";
    EXPECT_EQ(picture.ball.southPoint.y, 266) << "below the image";
    picture.Render({90, 0, 0}, 4);
    EXPECT_EQ(picture.ball.northPoint.y, 266);
    EXPECT_EQ(picture.ball.southPoint.y, 0);
    EXPECT_NEAR(picture.ball.northPoint.x, 199, 1e-3);
}

TEST(BallProjectionTest, WithoutRatesAoaOrSlipBothMarkersSitAtTheCentre) {
    BallPicture picture(398, 266);
    for (const Attitude& a : {Attitude{30, -45, 20}, Attitude{-60, 170, -135}, Attitude{10, 0, 359},
                              Attitude{-89, 33, 181}}) {
        for (float scale : {1.0f, 4.0f}) {
            picture.Render(a, scale);
            ExpectPoint(picture.ball.predictorPoint, {199, 133}, "predictor", 2e-3);
            ExpectPoint(picture.ball.flightPathPoint, {199, 133}, "flight path", 2e-3);
        }
    }
}

TEST(BallProjectionTest, NumbersThatAreNotFiniteGiveFinitePointsInsideTheImage) {
    constexpr float kNan = std::numeric_limits<float>::quiet_NaN();
    constexpr float kInf = std::numeric_limits<float>::infinity();
    BallPicture picture(398, 266);
    for (int which = 0; which < 8; ++which) {
        for (float bad : {kNan, kInf, -kInf, 0.0f}) {
            if (bad == 0.0f && which != 7) continue;  // only a zero scale is bad
            float values[8] = {10, 20, 30, 4, 2, 1, -1, 2};
            values[which] = bad;
            picture.ball.Render(picture.surface.Dc(), values[0], values[1], values[2], values[3], values[4],
                                values[5], values[6], values[7]);
            for (const BallPoint& p : {picture.ball.northPoint, picture.ball.southPoint, picture.ball.eastPoint,
                                       picture.ball.westPoint, picture.ball.flightPathPoint,
                                       picture.ball.predictorPoint}) {
                ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << "argument " << which << " = " << bad;
                EXPECT_TRUE(p.x >= 0 && p.x <= 398 && p.y >= 0 && p.y <= 266) << p.x << ", " << p.y;
            }
        }
    }
    // And the ball still draws after them.
    picture.Render({}, 2);
    EXPECT_TRUE(IsColour(picture.At(214, 120), kSky));
}

// --- Images that cannot be made, and two balls ------------------------------

TEST(BallCreationTest, AnImageWithoutAreaOrTooBigLeavesNullHandlesAndDrawsNothing) {
    const BallPlacement placements[] = {
        {1, 1, 0, 133}, {1, 1, 398, 0}, {1, 1, -4, 133}, {1, 1, 398, -133}, {1, 1, 65533, 43690},
        {0, 0, 40000, 2},  // a DIB section, but wider than the renderer draws
    };
    for (const BallPlacement& placement : placements) {
        SCOPED_TRACE(::testing::Message() << placement.width << "x" << placement.height);
        const int contexts = LiveGlContexts();
        const int objects = LiveGdiObjects().Total();
        {
            AttitudeBall ball(placement);
            EXPECT_EQ(ball.renderContext, nullptr);
            EXPECT_EQ(ball.dibSection != nullptr, placement.width == 40000);
            MfdSurface surface(40, 40, std::nullopt);
            surface.Fill(0xABCDEF);
            ball.Render(surface.Dc(), 10, 20, 30, 1, 2, 3, 4, 2);
            EXPECT_EQ(surface.Pixel(0, 0), 0xABCDEFu);
            EXPECT_EQ(surface.Pixel(20, 20), 0xABCDEFu);
            EXPECT_EQ(ball.northPoint.x, 0);
            EXPECT_EQ(ball.predictorPoint.y, 0);
            ball.Release();
            EXPECT_EQ(ball.memoryDC, nullptr);
            EXPECT_EQ(ball.dibSection, nullptr);
            ball.Release();
        }
        EXPECT_EQ(LiveGlContexts(), contexts);
        EXPECT_EQ(LiveGdiObjects().Total(), objects);
    }
}

TEST(BallContextTest, TwoBallsDrawIntoTheirOwnImages) {
    BallPicture level(398, 266);
    BallPicture pole(398, 266);  // built last: its context is the current one
    level.Render({}, 2);
    pole.Render({90, 0, 0}, 2);
    level.Render({}, 2);

    EXPECT_TRUE(IsColour(level.At(214, 150), kGround));
    EXPECT_TRUE(IsColour(pole.At(214, 150), kSky));
    // The balls' own bitmaps, read again after both have drawn.
    MfdSurface copy(398, 266, std::nullopt);
    test::CopyInto(copy, pole.ball.memoryDC);
    EXPECT_TRUE(IsColour(test::RgbAt(copy, 214, 150), kSky));
    test::CopyInto(copy, level.ball.memoryDC);
    EXPECT_TRUE(IsColour(test::RgbAt(copy, 214, 150), kGround));
}

TEST(BallContextTest, ReleaseLeavesNoContextCurrentAndTheOtherBallDrawsOn) {
    const int contexts = LiveGlContexts();
    BallPicture survivor(100, 100);
    {
        AttitudeBall released({0, 0, 100, 100});
        EXPECT_EQ(LiveGlContexts(), contexts + 2);
        released.Release();
        EXPECT_EQ(wglGetCurrentContext(), nullptr);
        EXPECT_EQ(released.renderContext, nullptr);
        EXPECT_EQ(LiveGlContexts(), contexts + 1);
    }
    survivor.Render({-30, 0, 0}, 2);
    EXPECT_TRUE(IsColour(survivor.At(60, 60), kGround));
}

}  // namespace
}  // namespace quorvel
