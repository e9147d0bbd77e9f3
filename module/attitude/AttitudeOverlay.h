// The symbols drawn over the attitude ball's image: the cardinal letters at
// the projected cardinal points, the fixed aircraft symbol, the flight-path
// marker and the rate predictor line.
//
// ComputeAttitudeOverlay turns the ball's projected points and the page's
// geometry into positions; DrawAttitudeOverlay makes the calls, over the
// image the ball has just copied onto the MFD.
#pragma once

#include <array>
#include <cstdint>

#include "module/attitude/AttitudeBall.h"
#include "module/drawing/MfdText.h"
#include "module/drawing/PageGeometry.h"
#include "module/flightdata/FlightData.h"
#include "platform/Win32.h"

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

// Renders the ball for the flight data as the page shows it, at the
// page's scale (1 to 4). The ball rolls by minus the bank: the bank is
// left wing down positive, so a right bank turns the horizon
// counter-clockwise, as on any attitude indicator. It turns about its
// vertical axis by minus the heading. The angle of attack, slip and rates
// place the markers.
void RenderBall(AttitudeBall& ball, HDC hdc, const FlightData& flight, std::int32_t ballScale);

// The ball's points after its last Render, where its image stands, and the
// attitude the letters are shown for.
OverlayInput OverlayInputOf(const AttitudeBall& ball, double heading, double pitch);

AttitudeOverlay ComputeAttitudeOverlay(const OverlayInput& input, const PageGeometry& page);

// The pens the symbols are drawn with; selected, never deleted.
struct OverlayPens {
    HPEN aircraft;
    HPEN flightPath;
    HPEN predictor;
};

// The letters, the aircraft symbol, the flight-path marker and the
// predictor line and circle, in that order. Both circles take whatever
// brush the device context holds.
void DrawAttitudeOverlay(HDC hdc, const AttitudeOverlay& overlay, const OverlayPens& pens);

}  // namespace quorvel
