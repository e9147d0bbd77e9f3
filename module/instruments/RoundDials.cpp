#include "module/instruments/RoundDials.h"

#include <algorithm>
#include <cmath>

#include "module/drawing/Degrees.h"
#include "module/drawing/Palette.h"
#include "module/drawing/PixelRounding.h"

namespace quorvel {

namespace {

// Single-precision constants; products with them are formed in double
// precision and stored in single.
constexpr float kKnotsScale = 3.6f;       // degrees per knot: a turn per 100 kt
constexpr float kFeetScale = 0.36f;       // degrees per foot: a turn per 1000 ft
constexpr float kClimbArcScale = 0.018f;  // degrees per ft/min
constexpr float kAccelerationArcScale = 18;  // degrees per kt/s
// The rate arc lies this far outside the dot ring.
constexpr std::int32_t kArcOutside = 2;

float Product(float value, float constant) { return ToSingle(static_cast<double>(value) * constant); }

// A number truncated toward zero to whole hundreds, for the reduced scales.
float WholeHundreds(float value) { return static_cast<float>(Truncate(value / 100.0f)) * 100.0f; }

// A dial centred at x = cx, a sixth of the page down (and 6 pixels more),
// its texts starting at x = left.
DialReading DialAt(std::uint32_t cx, std::uint32_t left, const PageGeometry& page) {
    const std::uint32_t cy = page.height / 6 + 6;
    DialReading dial{};
    dial.cx = Signed(cx);
    dial.cy = Signed(cy);
    dial.radius = Signed(page.width / 6);
    dial.valueText = {Signed(left), Signed(cy - page.cellHeight / 2)};
    dial.rateText = {Signed(left), Signed(cy + page.cellHeight / 2)};
    return dial;
}

// The shapes of a dial whose centre, radius, texts and angles are set.
DialReading WithShapes(DialReading dial, std::uint32_t cellHeight) {
    dial.arc = RateArcFor(dial.cx, dial.cy, dial.radius + kArcOutside, dial.arcAngle);
    dial.dots = DotRingBoxes(dial.cx, dial.cy, dial.radius, cellHeight);
    dial.pointer = DialPointerPoints(dial.cx, dial.cy, dial.radius, dial.pointerAngle);
    return dial;
}

void StartText(HDC hdc, CursorPixel at, COLORREF ink) {
    SetInk(hdc, ink);
    MoveCursorPixel(hdc, at.x, at.y);
}

void DrawShapes(HDC hdc, const DialReading& dial, const DialPens& pens) {
    const RateArcCall& arc = dial.arc;
    SelectObject(hdc, arc.up ? pens.rateUp : pens.rateDown);
    Arc(hdc, arc.box.left, arc.box.top, arc.box.right, arc.box.bottom, arc.start.x, arc.start.y, arc.end.x,
        arc.end.y);

    SelectObject(hdc, pens.scale);
    SelectObject(hdc, pens.scaleBrush);
    for (const PixelBox& dot : dial.dots) Ellipse(hdc, dot.left, dot.top, dot.right, dot.bottom);

    SelectObject(hdc, pens.pointer);
    SelectObject(hdc, pens.pointerBrush);
    Polygon(hdc, dial.pointer.data(), 3);
}

}  // namespace

std::array<PixelBox, 10> DotRingBoxes(std::int32_t cx, std::int32_t cy, std::int32_t R, std::uint32_t ch) {
    // A position and the unsigned half-size meet in unsigned arithmetic.
    const std::uint32_t d = ch / 4;
    std::array<PixelBox, 10> boxes{};
    int i = 0;
    for (double theta = 0; theta < 360; theta += 36) {
        const std::int32_t x = RoundHalfAway(cx + R * std::sin(theta * kRadiansPerDegree));
        const std::int32_t y = RoundHalfAway(cy - R * std::cos(theta * kRadiansPerDegree));
        boxes[i++] = {Minus(x, d), Minus(y, d), Plus(x, d), Plus(y, d)};
    }
    return boxes;
}

std::array<POINT, 3> DialPointerPoints(std::int32_t cx, std::int32_t cy, std::int32_t R, float angle) {
    const std::int32_t r = 3 * R / 4;
    const auto at = [cx, cy](double radius, double degrees) {
        return POINT{RoundNearestEven(cx + radius * std::sin(degrees * kRadiansPerDegree)),
                     RoundNearestEven(cy - radius * std::cos(degrees * kRadiansPerDegree))};
    };
    const double theta = angle;
    return {at(r, theta - 5), at(r, theta + 5), at(R, theta)};
}

RateArcCall RateArcFor(std::int32_t cx, std::int32_t cy, std::int32_t R, float angle) {
    // A rate that is not a number would slip through every comparison.
    float theta = NumberOrZero(angle);
    bool up = false;
    if (theta > 180) {
        theta = 180;
        up = true;
    } else if (theta < -180) {
        theta = -180;
    } else {
        up = theta > 0;
    }
    const POINT end{Truncate(cx - R * std::cos(theta * kRadiansPerDegree)),
                    Truncate(cy - R * std::sin(theta * kRadiansPerDegree))};
    const POINT start{cx - R, cy};
    const PixelBox box{cx - R, cy - R, cx + R, cy + R};
    // Arcs run counter-clockwise: the up arc from the end point back to 9
    // o'clock, the down arc from 9 o'clock on to the end point. Where the
    // two points coincide GDI draws the whole circle.
    return up ? RateArcCall{true, box, end, start} : RateArcCall{false, box, start, end};
}

DialReading ReadAirspeedDial(const AirspeedDialInput& input, const PageGeometry& page) {
    const float v = ToSingle(input.eas);
    const float q = std::clamp(ToSingle(input.easRate), -99.0f, 99.0f);
    const std::uint32_t cx = page.width / 6 + 6;
    DialReading dial = DialAt(cx, cx - 3 * page.cellWidth / 2, page);
    dial.value = input.eas;
    dial.rate = q;
    dial.arcAngle = Product(q, kAccelerationArcScale);
    dial.pointerAngle = Product(v, kKnotsScale);
    return WithShapes(dial, page.cellHeight);
}

DialReading ReadAltitudeDial(const AltitudeDialInput& input, const PageGeometry& page) {
    const float a = ToSingle(input.altitudeFt);
    const float s = std::clamp(ToSingle(input.verticalSpeedFpm), -99999.0f, 99999.0f);
    // Above 10000 ft the dial shows hundreds and turns ten times slower;
    // negative altitudes are never reduced.
    const float shownAltitude = a > 10000 ? WholeHundreds(a) : a;
    float arcAngle = Product(s, kClimbArcScale);
    float shownRate = s;
    if (std::fabs(s) > 10000) {
        shownRate = WholeHundreds(s);
        arcAngle = arcAngle / 10;
    }
    float pointerAngle = Product(shownAltitude, kFeetScale);
    if (shownAltitude > 10000) pointerAngle = pointerAngle / 10;

    const std::uint32_t cx = 5 * page.width / 6 - 6;
    DialReading dial = DialAt(cx, cx - 3 * page.cellWidth, page);
    dial.value = shownAltitude;
    dial.rate = shownRate;
    dial.arcAngle = arcAngle;
    dial.pointerAngle = pointerAngle;
    return WithShapes(dial, page.cellHeight);
}

// The formats are literal at each print, so that the compiler checks them
// against their values.
void DrawAirspeedReading(HDC hdc, const DialReading& dial, const DialPens& pens) {
    StartText(hdc, dial.valueText, kLightGrey);
    PrintAtCursor(hdc, "%3.0f", dial.value);
    StartText(hdc, dial.rateText, kGrey);
    PrintAtCursor(hdc, "%+2.0f", static_cast<double>(dial.rate));
    DrawShapes(hdc, dial, pens);
}

void DrawAltitudeReading(HDC hdc, const DialReading& dial, const DialPens& pens) {
    StartText(hdc, dial.valueText, kLightGrey);
    PrintAtCursor(hdc, "%6.0f", dial.value);
    StartText(hdc, dial.rateText, kGrey);
    PrintAtCursor(hdc, "%+5.0f", static_cast<double>(dial.rate));
    DrawShapes(hdc, dial, pens);
}

}  // namespace quorvel
