// The outline of GDI's ellipses as a path, for Arc and for wide pens,
// apart from painting it.
//
// Windows' GDI (observed under Wine) draws an Arc, and an Ellipse with a
// pen wider than a pixel, as a polyline through the outline's pixels: the
// first quadrant as StepEllipseQuadrants walks it, from 3 o'clock to 12,
// then that quadrant mirrored into the second backwards, the third
// forwards and the fourth backwards, so that the path runs
// counter-clockwise on the screen. A box of odd width or height has its
// pixels on the axes twice, once for each quadrant that meets there; for an
// even one the halves lie side by side, so each quadrant is measured from
// a centre of its own.
#pragma once

#include <vector>

#include "platform/linux/EllipseRaster.h"

namespace quorvel::platform {

struct PathPoint {
    long long x;
    long long y;
};

class EllipsePath {
public:
    // Walks the box's first quadrant into quadrant, whose storage is reused
    // from call to call and must outlive the path. The box must be stepped
    // (SteppedEllipse).
    EllipsePath(const EllipseBox& box, std::vector<PathPoint>& quadrant);
    EllipsePath(const EllipsePath&) = delete;
    EllipsePath& operator=(const EllipsePath&) = delete;

    // Four times the quadrant's pixels.
    long long Size() const { return 4 * static_cast<long long>(quadrant.size()); }
    // Point i of the path, i ≥ 0, taken round the path.
    PathPoint At(long long i) const;

    // The index at which the ray from the box's centre through (x, y)
    // meets the path, found exactly in integers: on the upper half
    // (y ≤ the centre's) the first point at or past the ray
    // counter-clockwise, on the lower half the first one past it. Each
    // quadrant's points are compared with the ray as offsets from their own
    // centre, the ray from the box's centre, the corners' midpoint rounded
    // down. A ray into no direction counts as one to 3 o'clock. The index
    // lies in 0 … Size(): a box whose quadrant is a single pixel may give
    // Size() itself.
    long long RayIndex(long long x, long long y) const;

private:
    // Offsets (u, v) from the quadrant's centre, y upward, from 3 o'clock.
    const std::vector<PathPoint>& quadrant;
    long long rightColumn;  // the right half's centre column, and so on
    long long leftColumn;
    long long upperRow;
    long long lowerRow;
    long long centreX;  // where rays start
    long long centreY;
};

// The points Arc draws through: count of them from index first on.
struct PathRange {
    long long first;
    long long count;
};

// From the index where the start ray meets the path up to, not including,
// the one where the end ray does; once round the whole path when both meet
// it at the same index. Drawn as a polyline, whose 1-pixel pen leaves out
// the last point: so a whole ellipse drawn by Arc lacks a pixel, an arc
// that ends one point after its start draws nothing, and the rays of a tiny
// sweep that meet the path between the same two points give the whole
// ellipse, as in Windows.
PathRange ArcRange(const EllipsePath& path, long long startX, long long startY, long long endX, long long endY);

}  // namespace quorvel::platform
