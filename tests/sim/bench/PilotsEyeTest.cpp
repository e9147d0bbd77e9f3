// The page as a pilot reads it: the flight model's vessel placed in a
// known attitude and motion, its state answered to the loaded module by
// the bench host, and the page's drawing checked for what the pilot must
// see (the horizon's tilt on the pixels, the symbols in the call journal).

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "platform/linux/PlatformDiagnostics.h"
#include "sim/bench/VesselStateWriter.h"
#include "sim/flight/Angles.h"
#include "sim/flight/Body.h"
#include "sim/flight/FlightModel.h"
#include "sim/flight/HorizonFrame.h"
#include "sim/host/HostVessel.h"
#include "sim/host/MfdSurface.h"
#include "sim/host/ModuleHost.h"
#include "tests/support/Colour.h"
#include "tests/support/GdiJournal.h"
#include "tests/support/SurfacePixels.h"

namespace quorvel {
namespace {

using flight::ControlInputs;
using flight::kRadiansPerDegree;
using platform::GdiCall;
using test::GdiJournal;
using test::JournalEntry;

constexpr int kSize = 400;
constexpr int kCentreX = kSize / 2;  // the aircraft symbol
constexpr int kCentreY = kSize / 3;
constexpr test::Rgb kSky = test::GlColour(0, 0.63, 0.65);
constexpr test::Rgb kGround = test::GlColour(0.38, 0.25, 0.15);
constexpr test::Rgb kHorizon = test::GlColour(0, 0.97, 0.03);

// A vessel in free flight 8 km up at 250 m/s: the nose at an attitude,
// the airflow at angles to it, turning at body rates.
struct Situation {
    double pitchDeg = 0;
    double bankDeg = 0;  // right wing down
    double headingDeg = 90;
    double aoaDeg = 0;   // nose above the airflow
    double slipDeg = 0;  // nose right of the airflow
    flight::Vec3 bodyRateDegps{};  // roll right wing down, pitch nose up, yaw nose right
    ControlInputs controls{};      // held while it flies
    double flyS = 0.1;
};

struct Pen {
    int width;
    COLORREF colour;
};

class PilotsEyeTest : public ::testing::Test {
protected:
    void SetUp() override {
        module.Init();
        page = module.OpenPage("QuorvelMFD", kSize, kSize, vessel);
        ASSERT_NE(page, nullptr);
    }

    void TearDown() override {
        module.ClosePage(page);
        module.Exit();
    }

    // Places the vessel, flies it with the module sampling every step, and
    // repaints.
    void Show(const Situation& s) {
        const flight::HorizonFrame horizon = flight::HorizonAt({flight::kBodyRadiusM + 8000, 0, 0});
        flight::FlightState state;
        state.positionM = {flight::kBodyRadiusM + 8000, 0, 0};
        state.attitude = flight::AttitudeFrom(
            horizon, {s.pitchDeg * kRadiansPerDegree, s.bankDeg * kRadiansPerDegree, s.headingDeg * kRadiansPerDegree});
        const double a = s.aoaDeg * kRadiansPerDegree, b = s.slipDeg * kRadiansPerDegree;
        // Body axes x forward, y right, z down: the air comes from below
        // the nose and from its left.
        const flight::Vec3 along{std::cos(a) * std::cos(b), -std::sin(b), std::sin(a) * std::cos(b)};
        state.velocityMps = 250 * flight::Rotate(state.attitude, along);
        state.bodyRateRadps = s.bodyRateDegps * kRadiansPerDegree;
        state.mainPropellantKg = 10000;
        state.rcsPropellantKg = 150;
        flight::FlightModel model;
        EXPECT_TRUE(model.PlaceInFlight(state));
        for (double t = 0; t < s.flyS; t += flight::FlightModel::kStepS) {
            model.Step(s.controls);
            sim::WriteVesselState(model, vessel.state);
            module.Step(model.TimeS(), flight::FlightModel::kStepS, 61000);
        }
        surface.Clear();
        journal.Clear();
        page->Repaint(surface.Dc());
    }

    test::Rgb Colour(int x, int y) const {
        return test::RgbAt(surface, static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y));
    }

    // The mean row of the horizon's pixels in a column of the ball image.
    std::optional<double> HorizonRow(int x) const {
        double sum = 0;
        int count = 0;
        for (int y = 1; y <= 2 * kSize / 3; ++y) {
            if (test::Near(Colour(x, y), kHorizon, 2)) {
                sum += y;
                ++count;
            }
        }
        if (count == 0) return std::nullopt;
        return sum / count;
    }

    int CountNear(test::Rgb colour, int left, int top, int right, int bottom) const {
        int count = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) count += test::Near(Colour(x, y), colour, 2);
        }
        return count;
    }

    const JournalEntry* Text(const std::string& text) const {
        for (const JournalEntry& e : journal.Entries()) {
            if (e.call == GdiCall::TextOutA && e.text == text) return &e;
        }
        return nullptr;
    }

    // The centre of the circle drawn in the pen, in MFD pixels.
    std::optional<std::pair<double, double>> CircleCentre(Pen pen) const {
        for (const JournalEntry& e : journal.Calls(GdiCall::Ellipse)) {
            platform::PenInfo info{};
            if (platform::DescribePen(e.pen, info) && info.width == pen.width && info.colour == pen.colour) {
                return std::pair{(e.args[0] + e.args[2]) / 2.0, (e.args[1] + e.args[3]) / 2.0};
            }
        }
        return std::nullopt;
    }

    // The rate pointers, drawn last: pitch, yaw, roll; each its tip first.
    POINT PointerTip(int which) const {
        const std::vector<JournalEntry> polygons = journal.Calls(GdiCall::Polygon);
        const JournalEntry& e = polygons.at(polygons.size() - 3 + static_cast<std::size_t>(which));
        return {static_cast<LONG>(e.args[0]), static_cast<LONG>(e.args[1])};
    }

    // The pens of the two dials' rate arcs, airspeed first.
    std::vector<COLORREF> RateArcColours() const {
        std::vector<COLORREF> colours;
        for (const JournalEntry& e : journal.Calls(GdiCall::Arc)) {
            platform::PenInfo info{};
            if (platform::DescribePen(e.pen, info) && info.width == 3) colours.push_back(info.colour);
        }
        return colours;
    }

    sim::ModuleHost module{QUORVEL_MODULE_PATH};
    HostVessel vessel;
    sim::MfdSurface surface{kSize, kSize};
    GdiJournal journal{surface.Dc()};
    MFD* page = nullptr;
};

constexpr Pen kFlightPathPen{2, 0x00FF00};
constexpr Pen kPredictorPen{2, 0x00C000};
constexpr COLORREF kUpPen = 0x008000;
constexpr COLORREF kDownPen = 0x000080;
enum Pointer { kPitch, kYaw, kRoll };

TEST_F(PilotsEyeTest, LevelHeadingEastShowsEastAheadNorthLeftSouthRightAndSkyAbove) {
    Show({});
    const JournalEntry* east = Text("E");
    const JournalEntry* north = Text("N");
    const JournalEntry* south = Text("S");
    ASSERT_TRUE(east && north && south);
    const int cellW = 10, cellH = 16;  // the 400x400 MFD's font
    EXPECT_NEAR(east->position.x + cellW / 2, kCentreX, 2);
    EXPECT_NEAR(east->position.y + cellH / 2, kCentreY, 2);
    EXPECT_LT(north->position.x, east->position.x - 100);
    EXPECT_GT(south->position.x, east->position.x + 100);
    EXPECT_EQ(Text("W"), nullptr) << "west is behind";

    const std::optional<double> horizon = HorizonRow(kCentreX + 55);
    ASSERT_TRUE(horizon);
    EXPECT_NEAR(*horizon, kCentreY, 2);
    EXPECT_GT(CountNear(kSky, 100, 20, 300, kCentreY - 10), 10000);
    EXPECT_EQ(CountNear(kGround, 100, 20, 300, kCentreY - 10), 0);
    EXPECT_GT(CountNear(kGround, 100, kCentreY + 10, 300, 250), 10000);
    EXPECT_EQ(CountNear(kSky, 100, kCentreY + 10, 300, 250), 0);
}

TEST_F(PilotsEyeTest, NoseUpPutsTheHorizonBelowTheAircraftSymbol) {
    Show({.pitchDeg = 20});
    for (int x : {kCentreX - 55, kCentreX + 55}) {
        const std::optional<double> horizon = HorizonRow(x);
        ASSERT_TRUE(horizon) << x;
        // At scale 2 the ball's radius is the image's height, 266 pixels.
        EXPECT_NEAR(*horizon - kCentreY, 266 * std::sin(20 * kRadiansPerDegree), 4) << x;
    }
}

TEST_F(PilotsEyeTest, ARightBankTurnsTheHorizonCounterClockwiseAndALeftBankClockwise) {
    for (double bank : {30.0, -30.0}) {
        Show({.bankDeg = bank});
        const std::optional<double> left = HorizonRow(kCentreX - 55);
        const std::optional<double> right = HorizonRow(kCentreX + 55);
        ASSERT_TRUE(left && right) << bank;
        // Rows grow downward: a right bank lifts the horizon's right end.
        const double rise = (*left - *right) / 110;
        EXPECT_NEAR(rise, std::tan(bank * kRadiansPerDegree), 0.05) << "bank " << bank;
    }
}

TEST_F(PilotsEyeTest, ARightTurnLeadsThePredictorAndTheYawPointerRight) {
    Show({.bodyRateDegps = {0, 0, 4}, .controls = {.yaw = 1}, .flyS = 0.5});
    ASSERT_GT(vessel.state.heading, 90 * kRadiansPerDegree) << "the heading increases";
    const auto predictor = CircleCentre(kPredictorPen);
    ASSERT_TRUE(predictor);
    EXPECT_GT(predictor->first, kCentreX + 10);
    EXPECT_NEAR(predictor->second, kCentreY, 3);
    EXPECT_GT(PointerTip(kYaw).x, kCentreX + 10);
    EXPECT_EQ(PointerTip(kPitch).y, kCentreY) << "no pitch rate";
}

TEST_F(PilotsEyeTest, PitchingUpLeadsThePredictorAndThePitchPointerUp) {
    Show({.bodyRateDegps = {0, 4, 0}, .controls = {.pitch = 1}, .flyS = 0.5});
    const auto predictor = CircleCentre(kPredictorPen);
    ASSERT_TRUE(predictor);
    EXPECT_LT(predictor->second, kCentreY - 10);
    EXPECT_NEAR(predictor->first, kCentreX, 3);
    EXPECT_LT(PointerTip(kPitch).y, kCentreY - 5);
    EXPECT_EQ(PointerTip(kYaw).x, kCentreX) << "no yaw rate";
}

TEST_F(PilotsEyeTest, ARightRollMovesTheRollPointerClockwise) {
    Show({.bodyRateDegps = {10, 0, 0}, .controls = {.roll = 1}, .flyS = 0.2});
    EXPECT_GT(PointerTip(kRoll).x, kCentreX + 5);
    Show({.bodyRateDegps = {-10, 0, 0}, .controls = {.roll = -1}, .flyS = 0.2});
    EXPECT_LT(PointerTip(kRoll).x, kCentreX - 5);
}

TEST_F(PilotsEyeTest, AngleOfAttackPutsTheFlightPathMarkerStraightBelowTheSymbolAtAnyBank) {
    for (double bank : {-60.0, -30.0, 0.0, 30.0, 60.0}) {
        Show({.pitchDeg = 5, .bankDeg = bank, .aoaDeg = 6, .flyS = 0.02});
        const auto marker = CircleCentre(kFlightPathPen);
        ASSERT_TRUE(marker) << bank;
        EXPECT_NEAR(marker->first, kCentreX, 2) << "bank " << bank;
        EXPECT_GT(marker->second, kCentreY + 20) << "bank " << bank;
    }
}

TEST_F(PilotsEyeTest, TheNoseRightOfTheAirflowPutsTheFlightPathMarkerLeftOfTheSymbol) {
    Show({.slipDeg = 4, .flyS = 0.02});
    const auto marker = CircleCentre(kFlightPathPen);
    ASSERT_TRUE(marker);
    EXPECT_LT(marker->first, kCentreX - 10);
    EXPECT_NEAR(marker->second, kCentreY, 3);
}

TEST_F(PilotsEyeTest, ClimbingAndAcceleratingShowsBothRateArcsUpAndDescendingShowsThemDown) {
    Show({.pitchDeg = 20, .aoaDeg = 2, .controls = {.throttle = 1}, .flyS = 1});
    ASSERT_GT(vessel.state.horizonAirspeed.y, 0);
    EXPECT_EQ(RateArcColours(), (std::vector<COLORREF>{kUpPen, kUpPen}));

    // Nose high in a sink, engine off: slowing as it falls.
    Show({.pitchDeg = 8, .aoaDeg = 10, .flyS = 1});
    ASSERT_LT(vessel.state.horizonAirspeed.y, 0);
    EXPECT_EQ(RateArcColours(), (std::vector<COLORREF>{kDownPen, kDownPen}));
}

}  // namespace
}  // namespace quorvel
