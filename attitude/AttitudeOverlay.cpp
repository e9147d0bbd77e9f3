#include "attitude/AttitudeOverlay.h"

#include <cmath>

#include "drawing/PixelRounding.h"

namespace quorvel {

namespace {

constexpr double kSteepPitch = 80;

bool Steep(double pitch) { return std::fabs(pitch) > kSteepPitch; }

PixelBox BoxAround(std::int64_t x, std::int64_t y, std::int64_t radius) {
    return {Saturate(x - radius), Saturate(y - radius), Saturate(x + radius), Saturate(y + radius)};
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
    const std::int64_t cx = W / 2;
    const std::int64_t cy = H / 3;
    const std::int64_t c = cw;
    const std::int64_t joint = 3 * c / 2;
    o.aircraft = {SaturatedPoint(cx - 4 * c, cy), SaturatedPoint(cx - joint, cy), SaturatedPoint(cx, cy + ch),
                  SaturatedPoint(cx + joint, cy), SaturatedPoint(cx + 4 * c, cy)};

    // The markers are used as MFD positions directly, without the image's
    // offset on the MFD.
    const std::int64_t fx = RoundNearestEven(in.flightPath.x);
    const std::int64_t fy = RoundNearestEven(in.flightPath.y);
    o.flightPathCircle = BoxAround(fx, fy, c);
    o.flightPathTicks = {{{SaturatedPoint(fx - c, fy), SaturatedPoint(fx - 2 * c, fy)},
                          {SaturatedPoint(fx + c, fy), SaturatedPoint(fx + 2 * c, fy)},
                          {SaturatedPoint(fx, fy - c), SaturatedPoint(fx, fy - 2 * c)}}};

    const std::int64_t px = RoundNearestEven(in.predictor.x);
    const std::int64_t py = RoundNearestEven(in.predictor.y);
    o.predictorFrom = SaturatedPoint(cx, cy);
    o.predictorTo = SaturatedPoint(px, py);
    o.predictorCircle = BoxAround(px, py, cw / 2);
    return o;
}

void DrawAttitudeOverlay(HDC hdc, const AttitudeOverlay& o, const OverlayPens& pens) {
    SetInk(hdc, kLetterInk);
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
