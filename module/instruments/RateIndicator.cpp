#include "module/instruments/RateIndicator.h"

#include <algorithm>
#include <cmath>

#include "module/drawing/Degrees.h"
#include "module/drawing/PixelRounding.h"

namespace quorvel {

namespace {

// sqrt(2) in single precision: the centre square's half-diagonal per unit.
const float kRootTwo = static_cast<float>(std::sqrt(2.0));

float ClampRate(double rate, float limit) { return std::clamp(NumberOrZero(ToSingle(rate)), -limit, limit); }

// An integer quantity times a rate, narrowed when it is formed.
double Scaled(std::uint32_t quantity, float rate) { return ToSingle(static_cast<double>(quantity) * rate); }

}  // namespace

RateIndicatorGeometry ComputeRateIndicator(const PageGeometry& page, const BodyRates& rates) {
    const std::uint32_t W = page.width;
    const std::uint32_t H = page.height;
    const std::uint32_t cw = page.cellWidth;
    // Positions are unsigned 32-bit arithmetic, wrapping, used as signed:
    // the cell size is the host's and may be anything.
    const std::uint32_t cx = W / 2;
    const std::uint32_t cy = H / 3;
    const std::uint32_t left = cx - W / 10;
    const std::uint32_t right = cx + W / 10;
    const std::uint32_t top = cy - H / 10;
    const std::uint32_t bottom = cy + H / 10;
    const double rs = static_cast<double>(W / 10) * kRootTwo;
    // A rounded position one pixel up, in signed arithmetic.
    const auto raised = [](std::int32_t y) { return Saturate(std::int64_t{y} - 1); };

    RateIndicatorGeometry g{};
    g.rollArcBox = {RoundNearestEven(cx - rs), raised(RoundNearestEven(cy - rs)), RoundNearestEven(cx + rs),
                    raised(RoundNearestEven(cy + rs))};
    g.rollArcStart = {Signed(right), Signed(top)};  // the square's upper-right corner
    g.rollArcEnd = {Signed(left), Signed(top)};     // its upper-left corner
    g.scaleLines = {POINT{Signed(left), Signed(top)}, POINT{Signed(left), Signed(bottom)},
                    POINT{Signed(right), Signed(bottom)}};
    g.centreCircle = {Signed(left), Signed(top), Signed(right), Signed(bottom)};

    const std::uint32_t quarterCell = cw / 4;

    const float q = ClampRate(rates.pitch, 10);
    const std::int32_t yq = RoundNearestEven(cy - Scaled(H / 100, q));
    const std::int32_t pitchBase = Signed(left - cw - 2);
    g.pitchPointer = {POINT{Signed(left - 1), yq}, POINT{pitchBase, Minus(yq, quarterCell)},
                      POINT{pitchBase, Plus(yq, quarterCell)}};

    const float y = ClampRate(rates.yaw, 20);
    const std::int32_t xy = RoundNearestEven(Scaled(W / 50, y) + cx);
    const std::uint32_t yawTip = bottom + 1;
    g.yawPointer = {POINT{xy, Signed(yawTip)}, POINT{Minus(xy, quarterCell), Signed(yawTip + cw)},
                    POINT{Plus(xy, quarterCell), Signed(yawTip + cw)}};

    // Roll: 1.5 degrees of arc per degree per second, about the centre
    // raised by two pixels; the tip on the roll arc's radius, the base 5
    // degrees wide on a radius (2 cw)/3 further out.
    const float rho = ToSingle(1.5 * ClampRate(rates.roll, 30));
    const float r1 = ToSingle(rs);
    const float r2 = ToSingle(static_cast<double>(W / 10 + 2 * cw / 3) * kRootTwo);
    const auto rollPoint = [cx, cy](float radius, double degrees) {
        return POINT{RoundNearestEven(cx + static_cast<double>(radius) * SinDegrees(degrees)),
                     RoundNearestEven(cy - static_cast<double>(radius) * CosDegrees(degrees) - 2)};
    };
    g.rollPointer = {rollPoint(r1, rho), rollPoint(r2, static_cast<double>(rho) + 2.5),
                     rollPoint(r2, static_cast<double>(rho) - 2.5)};
    return g;
}

void DrawRateScalesAndPointers(HDC hdc, const RateIndicatorGeometry& g, const RateIndicatorPens& pens) {
    SelectObject(hdc, pens.scale);
    SelectObject(hdc, GetStockObject(NULL_BRUSH));
    Arc(hdc, g.rollArcBox.left, g.rollArcBox.top, g.rollArcBox.right, g.rollArcBox.bottom, g.rollArcStart.x,
        g.rollArcStart.y, g.rollArcEnd.x, g.rollArcEnd.y);
    MoveToEx(hdc, g.scaleLines[0].x, g.scaleLines[0].y, nullptr);
    LineTo(hdc, g.scaleLines[1].x, g.scaleLines[1].y);
    LineTo(hdc, g.scaleLines[2].x, g.scaleLines[2].y);
    Ellipse(hdc, g.centreCircle.left, g.centreCircle.top, g.centreCircle.right, g.centreCircle.bottom);

    SelectObject(hdc, pens.pointer);
    SelectObject(hdc, pens.pointerBrush);
    Polygon(hdc, g.pitchPointer.data(), 3);
    Polygon(hdc, g.yawPointer.data(), 3);
    Polygon(hdc, g.rollPointer.data(), 3);
}

}  // namespace quorvel
