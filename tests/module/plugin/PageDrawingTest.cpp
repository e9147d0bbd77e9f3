// What a repaint draws, asserted on the call journal and on the pixels,
// with the page built in-process so a test can set its flight data.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "module/drawing/MfdText.h"
#include "module/plugin/PenSet.h"
#include "tests/module/plugin/PageFixture.h"
#include "tests/support/SurfacePixels.h"

namespace quorvel {
namespace {

using platform::GdiCall;
using test::GdiJournal;
using test::JournalEntry;
using sim::VesselQuery;

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class PageDrawingTest : public test::PageFixture {
protected:
    void SetUp() override {
        PageFixture::SetUp();
        Build(200, 200, 8, 12);
    }
};

TEST_F(PageDrawingTest, RepaintStartsWithTheTextCursorAndEndsWithTheRateIndicator) {
    GdiJournal journal(surface->Dc());
    page->Repaint(surface->Dc());
    const auto& entries = journal.Entries();
    ASSERT_GE(entries.size(), 3u);
    EXPECT_EQ(entries[0].call, GdiCall::SetTextAlign);
    EXPECT_EQ(entries[0].args, (std::vector<long long>{TA_UPDATECP}));
    // The last three calls are the rate pointers, in the pointer pen and brush.
    for (std::size_t i = entries.size() - 3; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].call, GdiCall::Polygon);
        EXPECT_EQ(entries[i].pen, penSet.pointerPen);
        EXPECT_EQ(entries[i].brush, penSet.pointerBrush);
    }
    // The roll scale's arc, in the scale pen with the hollow brush.
    const auto arcs = journal.Calls(GdiCall::Arc);
    ASSERT_EQ(arcs.size(), 3u);  // two dials and the roll scale
    EXPECT_EQ(arcs[2].pen, penSet.scalePen);
    EXPECT_EQ(arcs[2].brush, GetStockObject(NULL_BRUSH));
    // What the last step leaves selected stays selected.
    EXPECT_EQ(GetCurrentObject(surface->Dc(), OBJ_PEN), penSet.pointerPen);
    EXPECT_EQ(GetCurrentObject(surface->Dc(), OBJ_BRUSH), penSet.pointerBrush);
}

TEST_F(PageDrawingTest, LevelFlightOverlayCentresBothMarkersOnTheImage) {
    Build(400, 200, 10, 8);
    GdiJournal journal(surface->Dc());
    page->DrawAttitude(surface->Dc());
    // Heading 0: N, E and W are drawn, S is not.
    EXPECT_EQ(Texts(journal), (std::vector<std::string>{"N", "E", "W"}));
    const auto ellipses = journal.Calls(GdiCall::Ellipse);
    ASSERT_EQ(ellipses.size(), 2u);
    EXPECT_EQ(ellipses[0].args, (std::vector<long long>{189, 56, 209, 76}));
    EXPECT_EQ(ellipses[0].pen, penSet.flightPathPen);
    EXPECT_EQ(ellipses[1].args, (std::vector<long long>{194, 61, 204, 71}));
    EXPECT_EQ(ellipses[1].pen, penSet.predictorPen);
    const auto lines = journal.Calls(GdiCall::LineTo);
    ASSERT_EQ(lines.size(), 8u);  // four for the aircraft, three ticks, the predictor
    EXPECT_EQ(lines[0].pen, penSet.aircraftPen);
    EXPECT_EQ(lines.back().position.x, 200);
    EXPECT_EQ(lines.back().position.y, 66);
    EXPECT_EQ(lines.back().args, (std::vector<long long>{199, 66}));
    // The ball's image is copied to (1, 1): sky above the centre, ground below.
    EXPECT_EQ(surface->Pixel(150, 30) >> 16, 0u);
    EXPECT_NEAR(static_cast<int>(surface->Pixel(150, 30) >> 8 & 0xFF), 161, 2);
    EXPECT_NEAR(static_cast<int>(surface->Pixel(150, 110) >> 16), 97, 2);
}

TEST_F(PageDrawingTest, DialsDrawTextsArcRingAndPointerInOrder) {
    page->flightData->eas = 137;
    GdiJournal journal(surface->Dc());
    page->DrawAirspeedDial(surface->Dc());
    std::vector<GdiCall> calls;
    for (const JournalEntry& e : journal.Entries()) {
        if (e.call != GdiCall::SelectObject) calls.push_back(e.call);
    }
    std::vector<GdiCall> expected = {GdiCall::SetBkMode, GdiCall::SetTextColor, GdiCall::MoveToEx, GdiCall::MoveToEx,
                                     GdiCall::MoveToEx,  GdiCall::TextOutA,     GdiCall::SetBkMode, GdiCall::SetTextColor,
                                     GdiCall::MoveToEx,  GdiCall::MoveToEx,     GdiCall::MoveToEx, GdiCall::TextOutA,
                                     GdiCall::Arc};
    expected.insert(expected.end(), 10, GdiCall::Ellipse);
    expected.push_back(GdiCall::Polygon);
    EXPECT_EQ(calls, expected);

    const auto texts = journal.Calls(GdiCall::TextOutA);
    EXPECT_EQ(texts[0].text, "137");
    EXPECT_EQ(texts[0].position.x, 27);
    EXPECT_EQ(texts[0].position.y, 33);
    EXPECT_EQ(texts[0].textColour, 0xC0C0C0u);
    EXPECT_EQ(texts[0].bkMode, TRANSPARENT);
    EXPECT_EQ(texts[1].text, "+0");
    EXPECT_EQ(texts[1].position.y, 45);
    EXPECT_EQ(texts[1].textColour, 0x808080u);

    const auto arc = journal.Calls(GdiCall::Arc);
    EXPECT_EQ(arc[0].pen, penSet.rateDownPen);  // a rate of 0
    const auto dots = journal.Calls(GdiCall::Ellipse);
    EXPECT_EQ(dots[0].pen, penSet.scalePen);
    EXPECT_EQ(dots[0].brush, penSet.scaleBrush);
    const auto pointer = journal.Calls(GdiCall::Polygon);
    EXPECT_EQ(pointer[0].pen, penSet.pointerPen);
    EXPECT_EQ(pointer[0].brush, penSet.pointerBrush);
}

// The figures each dial prints, as TextOutA receives them: the value and,
// below it, the rate, with a positive, a zero and a negative rate on each.
TEST_F(PageDrawingTest, DialsPrintTheirFiguresInTheirFormats) {
    struct Case {
        double value;
        double rate;
        std::vector<std::string> texts;
    };
    for (const Case& c : {Case{250, 150, {"250", "+99"}}, Case{1234.4, 5, {"1234", "+5"}},
                          Case{137, 0, {"137", "+0"}}, Case{137, -5, {"137", "-5"}}}) {
        page->flightData->eas = c.value;
        page->flightData->easRate = c.rate;
        GdiJournal journal(surface->Dc());
        page->DrawAirspeedDial(surface->Dc());
        EXPECT_EQ(Texts(journal), c.texts) << "eas " << c.value << ", rate " << c.rate;
    }
    for (const Case& c : {Case{12345, 10000, {" 12300", "+10000"}}, Case{10050, 10001, {" 10000", "+10000"}},
                          Case{999, -25050, {"   999", "-25000"}}, Case{999, 500, {"   999", " +500"}},
                          Case{999, 0, {"   999", "   +0"}}, Case{999, -500, {"   999", " -500"}}}) {
        page->flightData->altitudeFt = c.value;
        page->flightData->verticalSpeedFpm = c.rate;
        GdiJournal journal(surface->Dc());
        page->DrawAltitudeDial(surface->Dc());
        EXPECT_EQ(Texts(journal), c.texts) << "altitude " << c.value << " ft, rate " << c.rate;
        EXPECT_EQ(journal.Calls(GdiCall::TextOutA)[0].position.x, 136);
    }
}

TEST_F(PageDrawingTest, ReadoutColumnOfFlightData) {
    Build(300, 300, 10, 20);
    FlightData& f = *page->flightData;
    f.mach = 0.853;
    f.airspeed = 10;
    f.gLoad = 1.0;
    f.aoa = -2.34;
    f.slip = 0.05;
    f.pitchRate = 1.25;
    f.rollRate = -12;
    f.yawRate = 0;
    GdiJournal journal(surface->Dc());
    page->DrawReadoutColumn(surface->Dc());
    EXPECT_EQ(Texts(journal), (std::vector<std::string>{"M 0.85", "T  19", "G +1.0", "a -2.3", "b +0.1", "p +1.2",
                                                         "r -12.0", "y +0.0"}));
    const auto texts = journal.Calls(GdiCall::TextOutA);
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(texts[k].position.x, 10);
        EXPECT_EQ(texts[k].position.y, 120 + 20 * k);
        EXPECT_EQ(texts[k].textColour, 0xC0C0C0u);
    }
    f.airspeed = 100;
    journal.Clear();
    page->DrawReadoutColumn(surface->Dc());
    EXPECT_EQ(Texts(journal)[1], "T 194");
}

TEST_F(PageDrawingTest, ApoapsisBurnTimeAndRcsQueryTheVesselAtPaintTime) {
    Build(300, 300, 10, 20);
    vessel.state.hasApoapsis = true;
    vessel.state.apoapsisDistance = 6471010;
    vessel.state.tanks = {{1000, 2000}, {5, 100}};
    vessel.state.thrusters = {{50000, 2500, 0}, {100, 1000, 1}};
    GdiJournal journal(surface->Dc());
    page->DrawApoapsis(surface->Dc());
    page->DrawBurnTimeAndRcs(surface->Dc());
    EXPECT_EQ(Texts(journal), (std::vector<std::string>{"328", "BurnT: 50s", "RCS:  5%"}));
    const auto texts = journal.Calls(GdiCall::TextOutA);
    EXPECT_EQ(texts[0].position.x, 235);
    EXPECT_EQ(texts[0].position.y, 230);
    EXPECT_EQ(texts[1].position.x, 10);
    EXPECT_EQ(texts[2].position.x, 200);
    EXPECT_EQ(texts[2].position.y, 240);

    vessel.state.tanks[1].mass = 57;
    journal.Clear();
    page->DrawBurnTimeAndRcs(surface->Dc());
    EXPECT_EQ(Texts(journal)[1], "RCS: 57%");
}

TEST_F(PageDrawingTest, MissingPropellantThrustersOrApoapsisHideTheirReadouts) {
    GdiJournal journal(surface->Dc());
    page->DrawApoapsis(surface->Dc());
    EXPECT_TRUE(journal.Entries().empty()) << "no apoapsis: nothing at all is drawn";

    vessel.state.tanks = {{1000, 2000}};
    vessel.state.thrusters = {};
    page->DrawBurnTimeAndRcs(surface->Dc());
    EXPECT_TRUE(journal.Entries().empty());

    vessel.state.thrusters = {{0, 2500, 0}, {100, 1000, 1}};
    page->DrawBurnTimeAndRcs(surface->Dc());
    EXPECT_EQ(Texts(journal), (std::vector<std::string>{"BurnT: 0s"}));

    vessel.state.tanks = {{1000, 2000}, {5, 0}};
    journal.Clear();
    page->DrawBurnTimeAndRcs(surface->Dc());
    EXPECT_EQ(Texts(journal).size(), 1u) << "an RCS tank of no capacity shows nothing";
}

TEST_F(PageDrawingTest, RcsOnANarrowDisplayStartsAtTheLeftEdge) {
    Build(90, 200, 10, 12);
    vessel.state.tanks = {{1000, 2000}, {50, 100}};
    vessel.state.thrusters = {{50000, 2500, 0}, {100, 1000, 1}};
    GdiJournal journal(surface->Dc());
    page->DrawBurnTimeAndRcs(surface->Dc());
    const auto texts = journal.Calls(GdiCall::TextOutA);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1].position.x, 0);
}

TEST_F(PageDrawingTest, NonFiniteValuesPrintAsPrintfPrintsThem) {
    Build(300, 300, 10, 20);
    page->flightData->mach = kNan;
    page->flightData->gLoad = kInf;
    page->flightData->aoa = -kInf;
    vessel.state.hasApoapsis = true;
    vessel.state.apoapsisDistance = kNan;
    vessel.state.tanks = {{kInf, 2000}, {kNan, 100}};
    vessel.state.thrusters = {{50000, 2500, 0}, {100, 1000, 1}};
    GdiJournal journal(surface->Dc());
    page->DrawReadoutColumn(surface->Dc());
    page->DrawApoapsis(surface->Dc());
    page->DrawBurnTimeAndRcs(surface->Dc());
    const auto texts = Texts(journal);
    EXPECT_EQ(texts[0], "M nan");
    EXPECT_EQ(texts[2], "G +inf");
    EXPECT_EQ(texts[3], "a -inf");
    EXPECT_EQ(texts[8], "nan");
    EXPECT_EQ(texts[9], "BurnT: infs");
    EXPECT_EQ(texts[10], "RCS: nan%");
}

TEST_F(PageDrawingTest, RepaintMakesNoSamplingQueries) {
    vessel.queries.Reset();
    page->Repaint(surface->Dc());
    EXPECT_EQ(vessel.queries.Of(VesselQuery::Altitude), 0u);
    EXPECT_EQ(vessel.queries.Of(VesselQuery::Status), 0u);
    EXPECT_EQ(vessel.queries.Of(VesselQuery::AngularVel), 0u);
    EXPECT_EQ(vessel.queries.Of(VesselQuery::Heading), 0u);
    EXPECT_EQ(vessel.queries.Of(VesselQuery::ApDist), 1u);
}

TEST_F(PageDrawingTest, UpArcsAreDrawnOverTheTopAndDownArcsUnderTheBottom) {
    constexpr std::uint32_t kUp = platform::DibPixel(0x008000);
    constexpr std::uint32_t kDown = platform::DibPixel(0x000080);
    // Airspeed dial: centre (39, 39), arc radius 35; between x 8 and 30
    // nothing but the arc reaches beyond the ring of radius 33.
    page->flightData->easRate = 10;
    surface->Fill(0);
    page->DrawAirspeedDial(surface->Dc());
    EXPECT_GT(test::CountPixels(*surface, kUp, 8, 0, 31, 9), 10);
    EXPECT_EQ(test::CountPixels(*surface, kUp, 8, 70, 31, 80), 0);

    page->flightData->easRate = -10;
    surface->Fill(0);
    page->DrawAirspeedDial(surface->Dc());
    EXPECT_GT(test::CountPixels(*surface, kDown, 8, 70, 31, 80), 10);
    EXPECT_EQ(test::CountPixels(*surface, kDown, 8, 0, 31, 9), 0);
    EXPECT_EQ(test::CountPixels(*surface, kUp, 8, 0, 31, 9), 0);
}

TEST_F(PageDrawingTest, TextIsLightGreyOnAnUntouchedBackground) {
    Build(300, 300, 10, 20);
    surface->Fill(0x000040);
    page->flightData->mach = 0.85;
    SetCharCell(surface->Dc(), 10, 20);
    page->DrawReadoutColumn(surface->Dc());
    // Row 1 ("M 0.85") spans x 10 to 70, y 120 to 140.
    const int ink = test::CountPixels(*surface, 0xC0C0C0, 10, 120, 70, 140);
    EXPECT_GT(ink, 30);
    EXPECT_EQ(ink + test::CountPixels(*surface, 0x000040, 10, 120, 70, 140), 60 * 20);
}

// Random flight data, finite and not, through whole repaints: every call's
// coordinates stay near the page and nothing faults (the sanitizer build
// watches for undefined conversions).
TEST_F(PageDrawingTest, RandomFlightDataRepaintsWithDefinedCoordinates) {
    std::mt19937_64 random(20261208);
    const double specials[] = {kNan, kInf, -kInf, 1e300, -1e300, 1e-300, 0.0, -0.0, 1e9, -1e9};
    std::uniform_int_distribution<int> pick(0, 19);
    std::uniform_real_distribution<double> ordinary(-1e5, 1e5);
    const auto value = [&] {
        const int choice = pick(random);
        return choice < 10 ? specials[choice] : ordinary(random);
    };
    for (const auto& [w, h, cw, ch] : std::vector<std::array<std::uint32_t, 4>>{
             {200, 200, 8, 12}, {400, 400, 10, 16}, {7, 3, 0, 0}, {1, 1, 1, 1}, {640, 200, 16, 8}}) {
        Build(w, h, cw, ch);
        GdiJournal journal(surface->Dc());
        for (int round = 0; round < 60; ++round) {
            FlightData& f = *page->flightData;
            f.eas = value();
            f.easRate = value();
            f.altitudeFt = value();
            f.verticalSpeedFpm = value();
            f.mach = value();
            f.airspeed = value();
            f.gLoad = value();
            f.aoa = value();
            f.slip = value();
            f.pitchRate = value();
            f.rollRate = value();
            f.yawRate = value();
            vessel.state.hasApoapsis = round % 2 == 0;
            vessel.state.apoapsisDistance = value();
            vessel.state.tanks = {{value(), value()}, {value(), value()}};
            vessel.state.thrusters = {{value(), value(), 0}, {value(), value(), 1}};
            journal.Clear();
            page->Repaint(surface->Dc());
            const long long limit = 3LL * std::max(w, h) + 64;
            for (const JournalEntry& e : journal.Entries()) {
                if (e.call == GdiCall::TextOutA) {
                    ASSERT_LE(std::llabs(e.position.x), limit);
                    ASSERT_LE(std::llabs(e.position.y), limit);
                    ASSERT_LE(e.text.size(), 251u);
                }
                if (e.call != GdiCall::MoveToEx && e.call != GdiCall::LineTo && e.call != GdiCall::Ellipse &&
                    e.call != GdiCall::Arc && e.call != GdiCall::Polygon) {
                    continue;
                }
                for (long long coordinate : e.args) ASSERT_LE(std::llabs(coordinate), limit);
            }
        }
    }
}

}  // namespace
}  // namespace quorvel
