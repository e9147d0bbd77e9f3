#include "module/attitude/AttitudeOverlay.h"

#include <cmath>

#include "module/drawing/Palette.h"
#include "module/drawing/PixelRounding.h"

namespace quorvel {

namespace {

constexpr double kSteepPitch = 80;

bool Steep(double pitch) { return std::fabs(pitch) > kSteepPitch; }

PixelBox BoxAround(std::int32_t x, std::int32_t y, std::uint32_t radius) {
    return {Minus(x, radius), Minus(y, radius), Plus(x, radius), Plus(y, radius)};
}

}  // namespace

bool ShowsNorth(double h, double p) { return h > 267 || h < 93 || Steep(p); }
bool ShowsSouth(double h, double p) { return (h > 87 && h < 273) || Steep(p); }
bool ShowsEast(double h, double p) { return h > 357 || h < 183 || Steep(p); }
bool ShowsWest(double h, double p) { return h > 177 || h < 3 || Steep(p); }

void RenderBall(AttitudeBall& ball, HDC hdc, const FlightData& f, std::int32_t ballScale) {
    ball.Render(hdc, ToSingle(f.pitch), ToSingle(-f.bank), ToSingle(-f.heading), ToSingle(f.aoa), ToSingle(f.slip),
                ToSingle(f.pitchRate), ToSingle(f.yawRate), static_cast<float>(ballScale));
}

OverlayInput OverlayInputOf(const AttitudeBall& ball, double heading, double pitch) {
    return {ball.placement.x, ball.placement.y, ball.northPoint,      ball.southPoint, ball.eastPoint,
            ball.westPoint,   ball.flightPathPoint, ball.predictorPoint, heading,         pitch};
}

AttitudeOverlay ComputeAttitudeOverlay(const OverlayInput& in, const PageGeometry& page) {
    const std::uint32_t W = page.width;
    const std::uint32_t H = page.height;
    const std::uint32_t cw = page.cellWidth;
    const std::uint32_t ch = page.cellHeight;
    AttitudeOverlay o{};
    const auto letter = [&](const char* text, bool drawn, BallPoint point) {
        return CardinalLetter{text, drawn,
                              {Truncate(in.placementX + point.x - cw / 2), Truncate(in.placementY + point.y - ch / 2)}};
    };
    o.letters = {letter("N", ShowsNorth(in.heading, in.pitch), in.north),
                 letter("S", ShowsSouth(in.heading, in.pitch), in.south),
                 letter("E", ShowsEast(in.heading, in.pitch), in.east),
                 letter("W", ShowsWest(in.heading, in.pitch), in.west)};

    // Two wings joined by a V whose point hangs a cell height below them.
    // Positions are unsigned 32-bit arithmetic, wrapping, used as signed.
    const std::uint32_t cx = W / 2;
    const std::uint32_t cy = H / 3;
    const std::uint32_t joint = 3 * cw / 2;
    o.aircraft = {POINT{Signed(cx - 4 * cw), Signed(cy)}, POINT{Signed(cx - joint), Signed(cy)},
                  POINT{Signed(cx), Signed(cy + ch)}, POINT{Signed(cx + joint), Signed(cy)},
                  POINT{Signed(cx + 4 * cw), Signed(cy)}};

    // The markers are used as MFD positions directly, without the image's
    // offset on the MFD.
    const std::int32_t fx = RoundNearestEven(in.flightPath.x);
    const std::int32_t fy = RoundNearestEven(in.flightPath.y);
    o.flightPathCircle = BoxAround(fx, fy, cw);
    o.flightPathTicks = {{{POINT{Minus(fx, cw), fy}, POINT{Minus(fx, 2 * cw), fy}},
                          {POINT{Plus(fx, cw), fy}, POINT{Plus(fx, 2 * cw), fy}},
                          {POINT{fx, Minus(fy, cw)}, POINT{fx, Minus(fy, 2 * cw)}}}};

    const std::int32_t px = RoundNearestEven(in.predictor.x);
    const std::int32_t py = RoundNearestEven(in.predictor.y);
    o.predictorFrom = {Signed(cx), Signed(cy)};
    o.predictorTo = {px, py};
    o.predictorCircle = BoxAround(px, py, cw / 2);
    return o;
}

void DrawAttitudeOverlay(HDC hdc, const AttitudeOverlay& o, const OverlayPens& pens) {
    SetInk(hdc, kLightGrey);
    for (const CardinalLetter& letter : o.letters) {
        if (!letter.drawn) continue;
        MoveCursorPixel(hdc, letter.at.x, letter.at.y);
        PrintAtCursor(hdc, "%s", letter.text);
    }

    SelectObject(hdc, pens.aircraft);
    MoveToEx(hdc, o.aircraft[0].x, o.aircraft[0].y, nullptr);
    for (std::size_t i = 1; i < o.aircraft.size(); ++i) LineTo(hdc, o.aircraft[i].x, o.aircraft[i].y);

    SelectObject(hdc, pens.flightPath);
    Ellipse(hdc, o.flightPathCircle.left, o.flightPathCircle.top, o.flightPathCircle.right,
            o.flightPathCircle.bottom);
    for (const auto& tick : o.flightPathTicks) {
        MoveToEx(hdc, tick[0].x, tick[0].y, nullptr);
        LineTo(hdc, tick[1].x, tick[1].y);
    }

    SelectObject(hdc, pens.predictor);
    MoveToEx(hdc, o.predictorFrom.x, o.predictorFrom.y, nullptr);
    LineTo(hdc, o.predictorTo.x, o.predictorTo.y);
    Ellipse(hdc, o.predictorCircle.left, o.predictorCircle.top, o.predictorCircle.right, o.predictorCircle.bottom);
}

}  // namespace quorvel
