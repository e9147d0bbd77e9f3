#include "release/PageCallouts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <limits>
#include <optional>
#include <stdexcept>
#include <utility>

#include "module/attitude/AttitudeOverlay.h"
#include "module/units/Units.h"
#include "module/instruments/RateIndicator.h"
#include "module/instruments/RoundDials.h"
#include "module/instruments/TextReadouts.h"

namespace quorvel::release {

namespace {

// How far inside the ball's image a point on the ball must be.
constexpr double kImageEdge = 12;
// How far from what it names a callout's point stands, so that its dot
// leaves the element in sight.
constexpr double kClear = 3;
// How far a point on the ball stays from the other points, if it can.
constexpr double kClearOfOthers = 20;

// Beside a text printed at `at`, at mid-height: left of its character
// `first`, or right of its first `end` characters.
Spot LeftOf(CursorPixel at, std::size_t first, const PageGeometry& page) {
    return {at.x + static_cast<double>(first * page.cellWidth) - kClear, at.y + page.cellHeight / 2.0};
}
Spot RightOf(CursorPixel at, std::size_t end, const PageGeometry& page) {
    return {at.x + static_cast<double>(end * page.cellWidth) + kClear, at.y + page.cellHeight / 2.0};
}

// The characters a number takes as the page prints it, and the first of
// them that is not a blank. The dials print with the formats their header
// gives.
struct PrintedNumber {
    std::size_t first;
    std::size_t end;
};
PrintedNumber Printed(const char* format, double value) {
    char text[64];
    const int length = std::snprintf(text, sizeof text, format, value);
    const std::size_t end = std::min(static_cast<std::size_t>(std::max(length, 0)), sizeof text - 1);
    std::size_t first = 0;
    while (first < end && text[first] == ' ') ++first;
    return {first, end};
}

Spot Centre(const PixelBox& box) { return {(box.left + box.right) / 2.0, (box.top + box.bottom) / 2.0}; }

// `from` moved `by` pixels further along the line from `origin` through it.
Spot Beyond(Spot origin, Spot from, double by) {
    const double dx = from.x - origin.x;
    const double dy = from.y - origin.y;
    const double length = std::hypot(dx, dy);
    if (length == 0) return from;
    return {from.x + dx / length * by, from.y + dy / length * by};
}

// Behind the middle of a pointer triangle's base, away from its tip.
Spot BehindBase(POINT tip, POINT a, POINT b) {
    return Beyond({static_cast<double>(tip.x), static_cast<double>(tip.y)}, {(a.x + b.x) / 2.0, (a.y + b.y) / 2.0},
                  kClear);
}

// Halfway along the part of a dial's rate arc that is drawn, which always
// starts at 9 o'clock (the whole ring at a rate of 0).
Spot RateArcMiddle(const DialReading& dial) {
    const double sweep =
        std::isfinite(dial.arcAngle) ? std::clamp(static_cast<double>(dial.arcAngle), -180.0, 180.0) : 0.0;
    const double half = sweep / 2 * kRadiansPerDegree;
    const double radius = (dial.arc.box.right - dial.arc.box.left) / 2.0;
    return {dial.cx - radius * std::cos(half), dial.cy - radius * std::sin(half)};
}

// Just outside a dot on the dial's outer side.
Spot OuterDot(const DialReading& dial, bool leftDial) {
    const PixelBox& box = dial.dots[leftDial ? 7 : 3];
    return Beyond({static_cast<double>(dial.cx), static_cast<double>(dial.cy)}, Centre(box),
                  (box.right - box.left) / 2.0 + kClear);
}

// How far a point is from the nearest point taken.
double Clearance(Spot p, const std::vector<Spot>& taken) {
    double nearest = std::numeric_limits<double>::infinity();
    for (Spot t : taken) nearest = std::min(nearest, std::hypot(p.x - t.x, p.y - t.y));
    return nearest;
}

// Of the candidates offered, the one farthest from every point taken.
class Farthest {
public:
    explicit Farthest(const std::vector<Spot>& taken) : taken(taken) {}

    void Offer(Spot candidate) {
        const double nearest = Clearance(candidate, taken);
        if (nearest > bestDistance) {
            bestDistance = nearest;
            best = candidate;
        }
    }

    bool Found() const { return bestDistance >= 0; }

    // The page has to show the element: without a candidate this throws.
    Spot Best(const std::string& what) const {
        if (!Found()) throw std::runtime_error("the page shows no " + what);
        return best;
    }

private:
    const std::vector<Spot>& taken;
    double bestDistance = -1;
    Spot best;
};

// Directions on the ball, as elevation and azimuth in degrees: every
// elevation given at every 30 degrees of azimuth from `firstAzimuth`.
std::vector<std::pair<float, float>> Grid(std::initializer_list<float> elevations, float firstAzimuth) {
    std::vector<std::pair<float, float>> grid;
    for (float e : elevations) {
        for (float a = firstAzimuth; a < 360; a += 30) grid.emplace_back(e, a);
    }
    return grid;
}

// Of the directions seen well inside the ball's image and clear of every
// point taken, the one nearest the image's right-hand edge, for a short
// callout line; with none clear, the one farthest from the points taken.
Spot SeenNearRightEdge(const AttitudeBall& ball, const std::vector<std::pair<float, float>>& directions,
                       const std::vector<Spot>& taken, const std::string& what) {
    Farthest farthest(taken);
    std::optional<Spot> rightmost;
    for (const auto& [elevation, azimuth] : directions) {
        const BallSight sight = ball.SightOf(elevation, azimuth);
        const BallPoint p = sight.point;
        if (!sight.seen || p.x < kImageEdge || p.y < kImageEdge || p.x > ball.placement.width - kImageEdge ||
            p.y > ball.placement.height - kImageEdge) {
            continue;
        }
        const Spot onPage{ball.placement.x + p.x, ball.placement.y + p.y};
        farthest.Offer(onPage);
        if (Clearance(onPage, taken) >= kClearOfOthers && (!rightmost || onPage.x > rightmost->x)) rightmost = onPage;
    }
    return rightmost ? *rightmost : farthest.Best(what);
}

}  // namespace

std::vector<PageCallout> PageCallouts(const PageGeometry& page, const FlightData& flight, const AttitudeBall& ball) {
    std::vector<PageCallout> named;
    // Every callout's point and the middles of what is drawn round them,
    // which the points on the ball keep away from.
    std::vector<Spot> taken;
    const auto name = [&](std::string what, Spot where) {
        named.push_back({std::move(what), where});
        taken.push_back(where);
    };

    // Left of the numbers on the left half, right of those on the right.
    const DialReading airspeed = ReadAirspeedDial({flight.eas, flight.easRate}, page);
    name("Equivalent airspeed, kt",
         LeftOf(airspeed.valueText, Printed("%3.0f", airspeed.value).first, page));
    name("Airspeed trend, kt/s", LeftOf(airspeed.rateText, Printed("%+2.0f", airspeed.rate).first, page));
    name("Airspeed pointer, 100 kt a turn", BehindBase(airspeed.pointer[2], airspeed.pointer[0], airspeed.pointer[1]));
    name("Airspeed dots, 10 kt apart", OuterDot(airspeed, true));
    name("Airspeed trend arc", RateArcMiddle(airspeed));
    const DialReading altitude = ReadAltitudeDial({flight.altitudeFt, flight.verticalSpeedFpm}, page);
    name("Altitude, ft", RightOf(altitude.valueText, Printed("%6.0f", altitude.value).end, page));
    name("Vertical speed, ft/min", RightOf(altitude.rateText, Printed("%+5.0f", altitude.rate).end, page));
    name("Altitude pointer, 1000 ft a turn", BehindBase(altitude.pointer[2], altitude.pointer[0], altitude.pointer[1]));
    name("Altitude dots, 100 ft apart", OuterDot(altitude, false));
    name("Vertical-speed arc", RateArcMiddle(altitude));
    for (const DialReading* dial : {&airspeed, &altitude}) {
        taken.push_back({static_cast<double>(dial->cx), static_cast<double>(dial->cy)});
        for (const PixelBox& dot : dial->dots) taken.push_back(Centre(dot));
    }

    const ReadoutLayout readouts = LayOutReadouts(page);
    const char* const rows[8] = {"Mach number (M)",        "True airspeed, kt (T)", "g-load (G)",
                                 "Angle of attack, ° (a)", "Sideslip, ° (b)",       "Pitch rate, °/s (p)",
                                 "Roll rate, °/s (r)",     "Yaw rate, °/s (y)"};
    for (std::size_t k = 0; k < 8; ++k) {
        name(rows[k], LeftOf(readouts.column[k], 0, page));
        taken.push_back(RightOf(readouts.column[k], 3, page));
    }
    // The apoapsis's three places; the RCS readout's length varies, so its
    // point is under its middle.
    name("Apoapsis, thousands of ft", RightOf(readouts.apoapsis, 3, page));
    name("Burn time left, s", LeftOf(readouts.burnTime, 0, page));
    name("RCS propellant left, %",
         {readouts.rcs.x + 4.5 * page.cellWidth, readouts.rcs.y + static_cast<double>(page.cellHeight) + kClear});

    const RateIndicatorGeometry rates = ComputeRateIndicator(page, {flight.pitchRate, flight.yawRate, flight.rollRate});
    const auto& pitchPointer = rates.pitchPointer;
    const auto& yawPointer = rates.yawPointer;
    const auto& rollPointer = rates.rollPointer;
    name("Pitch-rate pointer and scale", BehindBase(pitchPointer[0], pitchPointer[1], pitchPointer[2]));
    name("Yaw-rate pointer and scale", BehindBase(yawPointer[0], yawPointer[1], yawPointer[2]));
    name("Roll-rate pointer and arc", BehindBase(rollPointer[0], rollPointer[1], rollPointer[2]));
    const Spot centre = Centre(rates.centreCircle);
    const double radius = (rates.centreCircle.right - rates.centreCircle.left) / 2.0;
    // Its upper right, clear of the wings.
    name("Rate indicator's centre circle", {centre.x + radius * 0.8, centre.y - radius * 0.6});
    taken.push_back(centre);

    const AttitudeOverlay overlay = ComputeAttitudeOverlay(OverlayInputOf(ball, flight.heading, flight.pitch), page);
    const auto& wing = overlay.aircraft;
    name("Aircraft symbol", {(wing[0].x + wing[1].x) / 2.0, static_cast<double>(wing[0].y)});
    // The end of the flight-path marker's left-hand tick, as long as its
    // radius.
    const PixelBox path = overlay.flightPathCircle;
    name("Flight-path marker", {1.5 * path.left - 0.5 * path.right, (path.top + path.bottom) / 2.0});
    const PixelBox predictor = overlay.predictorCircle;
    name("Rate predictor, 3 s ahead", {predictor.right + kClear, (predictor.top + predictor.bottom) / 2.0});
    Farthest letter(taken);
    const BallPlacement image = ball.placement;
    for (const CardinalLetter& l : overlay.letters) {
        // A letter whose cell the image's edge cuts is a poor example.
        const bool whole =
            l.at.x >= image.x && l.at.x + static_cast<std::int64_t>(page.cellWidth) <= image.x + image.width;
        // Below and right of the letter's cell.
        if (l.drawn && whole) letter.Offer({l.at.x + page.cellWidth + 1.0, l.at.y + page.cellHeight + 1.0});
    }
    name("Compass letter", letter.Best("compass letter"));

    // On the ball: between the meridians (30 degrees apart from north) and
    // the rings (10 degrees apart), unless the element is one of them.
    name("Horizon", SeenNearRightEdge(ball, Grid({0}, 15), taken, "horizon"));
    name("Sky", SeenNearRightEdge(ball, Grid({5, 15, 25, 35, 45, 55, 65, 75, 85}, 15), taken, "sky"));
    name("Ground", SeenNearRightEdge(ball, Grid({-5, -15, -25, -35, -45, -55, -65, -75, -85}, 15), taken, "ground"));
    name("Pitch ring, every 30°", SeenNearRightEdge(ball, Grid({30, 60, -30, -60}, 15), taken, "solid pitch ring"));
    name("Pitch ring, every 10° (dashed)",
         SeenNearRightEdge(ball, Grid({10, 20, 40, 50, 70, 80, -10, -20, -40, -50, -70, -80}, 15), taken,
                           "dashed pitch ring"));
    name("Meridian, every 30° of heading",
         SeenNearRightEdge(ball, Grid({5, 15, 25, 35, 45, -5, -15, -25, -35, -45}, 0), taken, "meridian"));
    return named;
}

}  // namespace quorvel::release
