// The pixels of GDI's 1-pixel lines, apart from painting them.
//
// Lines are stepped here rather than rasterised by cairo: GDI's outlines
// are one pixel thin and 8-connected, and which pixels they hold is part of
// what tests assert; cairo's sampling of a 1-pixel-wide band doubles pixels
// on diagonals. The arithmetic is 64-bit (128-bit where a product needs it),
// so any int coordinates are safe, and clipping happens before stepping, so
// a line from INT_MIN to INT_MAX costs no more than one across the bitmap.
#pragma once

namespace quorvel::platform {

__extension__ using Int128 = __int128;

// A half-open pixel rectangle: columns left … right − 1, rows top … bottom − 1.
struct ClipRect {
    long long left;
    long long top;
    long long right;
    long long bottom;

    bool Contains(long long x, long long y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// Where the stepping of a clipped line starts and how it goes on.
struct LineWalk {
    bool xMajor = true;
    long long major = 0;  // coordinate along the longer axis
    long long minor = 0;
    long long majorStep = 1;
    long long minorStep = 1;
    long long error = 0;  // Bresenham remainder, 0 ≤ error < errorLimit
    long long errorStep = 0;
    long long errorLimit = 1;
    long long count = 0;  // pixels to visit
};

// Plans the pixels of the line from (x0, y0) towards (x1, y1) that fall
// inside clip. The end point itself is never among them: GDI's LineTo stops
// one pixel short, in every direction. On the shorter axis an exact tie
// goes to the smaller coordinate, so a line and its reverse share their
// inner pixels.
LineWalk PlanLine(long long x0, long long y0, long long x1, long long y1, const ClipRect& clip);

// Calls visit(x, y) for each of those pixels, from the start point on.
template <typename Visit>
void ForEachLinePixel(long long x0, long long y0, long long x1, long long y1, const ClipRect& clip, Visit&& visit) {
    LineWalk walk = PlanLine(x0, y0, x1, y1, clip);
    for (long long i = 0; i < walk.count; ++i) {
        if (walk.xMajor) {
            visit(walk.major, walk.minor);
        } else {
            visit(walk.minor, walk.major);
        }
        walk.major += walk.majorStep;
        walk.error += walk.errorStep;
        if (walk.error >= walk.errorLimit) {
            walk.error -= walk.errorLimit;
            walk.minor += walk.minorStep;
        }
    }
}

}  // namespace quorvel::platform
