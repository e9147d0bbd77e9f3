// The attitude ball: a shaded sphere with latitude rings and meridians,
// drawn in 3-D with OpenGL into an off-screen DIB section, copied onto the
// MFD, and the six points of it the overlay draws at.
//
// The ball frame has y to the zenith, z to north and x to east. Set-up
// compiles all geometry into seven display lists; Render sets the projection
// and the three rotations, calls the lists, copies the image to `placement`
// on the MFD and projects the six points. Image positions have their origin
// at the image's top-left corner, y downward, and stay within [0, width] x
// [0, height].
//
// Failure: a DIB section or rendering context that cannot be made (an image
// without area, or too big) leaves its handle null. Render on a ball without
// a context draws and copies nothing and leaves the points at (0, 0), where
// set-up put them; Release frees whatever exists.
#pragma once

#include <cstdint>

#include "platform/Win32.h"

namespace quorvel {

struct BallPoint {
    double x = 0;
    double y = 0;
};

// Top-left corner on the MFD and image size, pixels.
struct BallPlacement {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Where a page's ball image stands: x 1, y 1, width - 2, (2 height) / 3,
// the upper two thirds inside a one-pixel margin. A surface narrower than
// 2 pixels gets width 0 and so no image; sizes beyond a signed 32-bit int
// (no host makes them) are capped.
BallPlacement BallPlacementOnPage(std::uint32_t width, std::uint32_t height);

// The scale a new page shows the ball at.
inline constexpr std::int32_t kNewPageBallScale = 2;

// A ball direction's place in the image, and whether it is seen there: on
// the half of the sphere facing the viewer, within the image.
struct BallSight {
    BallPoint point;
    bool seen = false;
};

class AttitudeBall {
public:
    // Set-up: the memory device context, the DIB section, the pixel format,
    // the rendering context (left current), the GL state and the lists.
    explicit AttitudeBall(BallPlacement placement);
    // Releases what Release has not.
    ~AttitudeBall();
    AttitudeBall(const AttitudeBall&) = delete;
    AttitudeBall& operator=(const AttitudeBall&) = delete;

    // Angles in degrees, rates in degrees per second, scale the zoom (1: the
    // whole sphere fits the shorter side). The sphere turns about its
    // vertical axis by yawAngle, about the horizontal by pitchAngle (nose up
    // positive), then about the line of sight by rollAngle, counter-clockwise
    // as seen positive. Draws, copies the image to hdc at `placement`, then
    // projects the six points.
    void Render(HDC hdc, float pitchAngle, float rollAngle, float yawAngle, float aoa, float slip, float pitchRate,
                float yawRate, float scale);

    // Frees the rendering context (no context is current afterwards), the
    // DIB section and the memory device context. Later calls do nothing.
    void Release();

    // Where the direction at this elevation and azimuth (degrees, azimuth
    // from north through east) stands after the last Render; not seen on a
    // ball without a context.
    BallSight SightOf(float elevation, float azimuth) const;

    BallPoint northPoint;       // ball point (0, 0, 1)
    BallPoint southPoint;       // ball point (0, 0, -1)
    BallPoint eastPoint;        // ball point (1, 0, 0)
    BallPoint westPoint;        // ball point (-1, 0, 0)
    BallPoint flightPathPoint;  // where the aircraft is going
    BallPoint predictorPoint;   // the attitude three seconds ahead
    BallPlacement placement;
    HDC memoryDC = nullptr;
    HGLRC renderContext = nullptr;
    HBITMAP dibSection = nullptr;
    HGDIOBJ previousBitmap = nullptr;
    // Seven consecutive display-list ids, in this order.
    unsigned int hemisphereList = 0;
    unsigned int parallelRingList = 0;
    unsigned int greatCircleList = 0;
    unsigned int majorParallelsList = 0;
    unsigned int minorParallelsList = 0;
    unsigned int meridiansList = 0;
    unsigned int ballList = 0;

private:
    void BuildDisplayLists();
    void CompileBall() const;
    void ProjectMarkers(float pitchAngle, float rollAngle, float yawAngle, float aoa, float slip, float pitchRate,
                        float yawRate);
};

}  // namespace quorvel
