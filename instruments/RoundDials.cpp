#include "instruments/RoundDials.h"

#include <cmath>

#include "plugin/PenSet.h"
#include "plugin/PixelRounding.h"
#include "plugin/QuorvelMFD.h"

namespace quorvel {

namespace {

constexpr double kDegToRad = 0.017453292519943278;
// Single-precision constants; products with them are formed in double
// precision and stored in single.
constexpr float kKnotsScale = 3.6f;       // degrees per knot: a turn per 100 kt
constexpr float kFeetScale = 0.36f;       // degrees per foot: a turn per 1000 ft
constexpr float kClimbArcScale = 0.018f;  // degrees per ft/min
constexpr float kAccelerationArcScale = 18;  // degrees per kt/s

std::int32_t Signed(std::uint32_t value) { return static_cast<std::int32_t>(value); }

float Product(float value, float constant) { return ToSingle(static_cast<double>(value) * constant); }

// The clamp of a rate: below lo it is lo, else above hi it is hi.
float Clamp(float value, float lo, float hi) {
    if (value < lo) return lo;
    if (value > hi) return hi;
    return value;
}

// A number truncated toward zero to whole hundreds, for the reduced scales.
float WholeHundreds(float value) { return static_cast<float>(Truncate(value / 100.0f)) * 100.0f; }

}  // namespace

std::array<PixelBox, 10> DotRingBoxes(std::int32_t cx, std::int32_t cy, std::int32_t R, std::uint32_t ch) {
    const std::int32_t d = Signed(ch / 4);
    std::array<PixelBox, 10> boxes{};
    int i = 0;
    for (double theta = 0; theta < 360; theta += 36) {
        const std::int32_t x = RoundHalfAway(cx + R * std::sin(theta * kDegToRad));
        const std::int32_t y = RoundHalfAway(cy - R * std::cos(theta * kDegToRad));
        boxes[i++] = {x - d, y - d, x + d, y + d};
    }
    return boxes;
}

std::array<POINT, 3> DialPointerPoints(std::int32_t cx, std::int32_t cy, std::int32_t R, float angle) {
    const std::int32_t r = 3 * R / 4;
    const auto at = [cx, cy](double radius, double degrees) {
        return POINT{RoundNearestEven(cx + radius * std::sin(degrees * kDegToRad)),
                     RoundNearestEven(cy - radius * std::cos(degrees * kDegToRad))};
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
    const POINT end{Truncate(cx - R * std::cos(theta * kDegToRad)), Truncate(cy - R * std::sin(theta * kDegToRad))};
    const POINT start{cx - R, cy};
    const PixelBox box{cx - R, cy - R, cx + R, cy + R};
    // Arcs run counter-clockwise: the up arc from the end point back to 9
    // o'clock, the down arc from 9 o'clock on to the end point. Where the
    // two points coincide GDI draws the whole circle.
    return up ? RateArcCall{true, box, end, start} : RateArcCall{false, box, start, end};
}

DialReading ReadAirspeedDial(const FlightData& data, std::uint32_t W, std::uint32_t H, std::uint32_t cw,
                             std::uint32_t ch) {
    const float v = ToSingle(data.eas);
    const float q = Clamp(ToSingle(data.easRate), -99, 99);
    const std::uint32_t cx = W / 6 + 6;
    const std::uint32_t cy = H / 6 + 6;
    const std::uint32_t left = cx - 3 * cw / 2;
    return DialReading{Signed(cx),
                       Signed(cy),
                       Signed(W / 6),
                       {Signed(left), Signed(cy - ch / 2)},
                       {Signed(left), Signed(cy + ch / 2)},
                       data.eas,
                       q,
                       Product(q, kAccelerationArcScale),
                       Product(v, kKnotsScale)};
}

DialReading ReadAltitudeDial(const FlightData& data, std::uint32_t W, std::uint32_t H, std::uint32_t cw,
                             std::uint32_t ch) {
    const float a = ToSingle(data.altitudeFt);
    const float s = Clamp(ToSingle(data.verticalSpeedFpm), -99999, 99999);
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

    const std::uint32_t cx = 5 * W / 6 - 6;
    const std::uint32_t cy = H / 6 + 6;
    const std::uint32_t left = cx - 3 * cw;
    return DialReading{Signed(cx),
                       Signed(cy),
                       Signed(W / 6),
                       {Signed(left), Signed(cy - ch / 2)},
                       {Signed(left), Signed(cy + ch / 2)},
                       shownAltitude,
                       shownRate,
                       arcAngle,
                       pointerAngle};
}

void QuorvelMFD::DrawDotRing(HDC hdc, std::int32_t cx, std::int32_t cy, std::int32_t radius, HPEN pen, HBRUSH brush) {
    SelectObject(hdc, pen);
    SelectObject(hdc, brush);
    for (const PixelBox& dot : DotRingBoxes(cx, cy, radius, cellHeight)) {
        Ellipse(hdc, dot.left, dot.top, dot.right, dot.bottom);
    }
}

void QuorvelMFD::DrawDialPointer(HDC hdc, std::int32_t cx, std::int32_t cy, std::int32_t radius, float angle, HPEN pen,
                                 HBRUSH brush) {
    SelectObject(hdc, pen);
    SelectObject(hdc, brush);
    const std::array<POINT, 3> points = DialPointerPoints(cx, cy, radius, angle);
    Polygon(hdc, points.data(), 3);
}

void QuorvelMFD::DrawRateArc(HDC hdc, std::int32_t cx, std::int32_t cy, std::int32_t radius, float angle, HPEN upPen,
                             HPEN downPen) {
    const RateArcCall arc = RateArcFor(cx, cy, radius, angle);
    SelectObject(hdc, arc.up ? upPen : downPen);
    Arc(hdc, arc.box.left, arc.box.top, arc.box.right, arc.box.bottom, arc.start.x, arc.start.y, arc.end.x,
        arc.end.y);
}

void QuorvelMFD::DrawDial(HDC hdc, const DialReading& dial, const char* valueFormat, const char* rateFormat) {
    SetInk(hdc, kDialValueInk);
    MoveCursorPixel(hdc, dial.valueText.x, dial.valueText.y);
    PrintAtCursor(hdc, valueFormat, dial.value);
    SetInk(hdc, kDialRateInk);
    MoveCursorPixel(hdc, dial.rateText.x, dial.rateText.y);
    PrintAtCursor(hdc, rateFormat, static_cast<double>(dial.rate));
    DrawRateArc(hdc, dial.cx, dial.cy, dial.radius + 2, dial.arcAngle, penSet.rateUpPen, penSet.rateDownPen);
    DrawDotRing(hdc, dial.cx, dial.cy, dial.radius, penSet.scalePen, penSet.scaleBrush);
    DrawDialPointer(hdc, dial.cx, dial.cy, dial.radius, dial.pointerAngle, penSet.pointerPen, penSet.pointerBrush);
}

void QuorvelMFD::DrawAirspeedDial(HDC hdc) {
    DrawDial(hdc, ReadAirspeedDial(*flightData, width, height, cellWidth, cellHeight), "%3.0f", "%+2.0f");
}

void QuorvelMFD::DrawAltitudeDial(HDC hdc) {
    DrawDial(hdc, ReadAltitudeDial(*flightData, width, height, cellWidth, cellHeight), "%6.0f", "%+5.0f");
}

}  // namespace quorvel
