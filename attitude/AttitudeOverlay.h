// The symbols drawn over the attitude ball's image: the cardinal letters at
// the projected cardinal points, the fixed aircraft symbol, the flight-path
// marker and the rate predictor line.
//
// ComputeAttitudeOverlay turns the ball's projected points and the page's
// geometry into positions; the page's DrawAttitude renders the ball and
// makes the calls.
#pragma once

#include <array>
#include <cstdint>

#include "attitude/AttitudeBall.h"
#include "instruments/RoundDials.h"
#include "plugin/MfdText.h"

namespace quorvel {

struct OverlayInput {
    std::int32_t placementX;  // where the image's top-left corner is on the MFD
    std::int32_t placementY;
    BallPoint north;
    BallPoint south;
    BallPoint east;
    BallPoint west;
    BallPoint flightPath;
    BallPoint predictor;
    double heading;  // deg
    double pitch;    // deg
};

struct CardinalLetter {
    const char* text;
    bool drawn;
    CursorPixel at;  // the letter's cell, centred on its point
};

struct AttitudeOverlay {
    std::array<CardinalLetter, 4> letters;  // N, S, E, W
    std::array<POINT, 5> aircraft;          // move to the first, lines to the rest
    PixelBox flightPathCircle;
    std::array<std::array<POINT, 2>, 3> flightPathTicks;  // left, right, up
    POINT predictorFrom;
    POINT predictorTo;
    PixelBox predictorCircle;
};

// Whether a cardinal letter shows at this heading and pitch: within 93
// degrees of its direction, or always when the nose is more than 80 degrees
// up or down. Comparisons are strict.
bool ShowsNorth(double heading, double pitch);
bool ShowsSouth(double heading, double pitch);
bool ShowsEast(double heading, double pitch);
bool ShowsWest(double heading, double pitch);

AttitudeOverlay ComputeAttitudeOverlay(const OverlayInput& input, std::uint32_t width, std::uint32_t height,
                                       std::uint32_t cellWidth, std::uint32_t cellHeight);

inline constexpr COLORREF kLetterInk = 0xC0C0C0;

}  // namespace quorvel
