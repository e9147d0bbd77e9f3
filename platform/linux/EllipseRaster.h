// The pixels of GDI's ellipses and arcs, apart from painting them.
//
// GDI bounds an ellipse by a box whose right and bottom edges are excluded:
// Ellipse(l, t, r, b) is r − l pixels wide and b − t high, its 1-pixel
// outline running through columns l … r − 1 and rows t … b − 1. Here the
// outline is the ellipse through the centres of those extreme pixels,
// stepped one pixel per column where it is flat and one per row where it is
// steep, so it stays 8-connected and one pixel thin. Positions relative to
// the centre are kept in half pixels so that even sizes stay exact.
#pragma once

#include <algorithm>
#include <cmath>

#include "platform/linux/LineRaster.h"

namespace quorvel::platform {

// A box ordered so that left < right and top < bottom.
struct EllipseBox {
    long long left;
    long long top;
    long long right;
    long long bottom;
};

// Orders the corners as GDI does; false when the box has no width or no
// height, which draws nothing.
bool MakeEllipseBox(int left, int top, int right, int bottom, EllipseBox& box);

// The nearest of p, p + 2, p + 4, … (p the parity, 0 or 1) to value,
// limited to limit, which has the same parity.
long long RoundToParity(double value, long long parity, long long limit);

// Calls visit(x, y, u, v) for the outline pixels inside clip, where (u, v)
// is the pixel's centre minus the box's centre in half pixels, y downward.
// A pixel may be visited twice.
template <typename Visit>
void ForEachEllipsePixel(const EllipseBox& box, const ClipRect& clip, Visit&& visit) {
    const long long cx2 = box.left + box.right - 1;  // centre, in half pixels
    const long long cy2 = box.top + box.bottom - 1;
    const long long a2 = box.right - box.left - 1;  // radii through pixel centres, in half pixels
    const long long b2 = box.bottom - box.top - 1;
    const auto emit = [&](long long x, long long y) {
        if (clip.Contains(x, y)) visit(x, y, 2 * x - cx2, 2 * y - cy2);
    };
    if (a2 == 0 || b2 == 0) {
        // One pixel wide or high: the outline is the whole box.
        for (long long y = std::max(box.top, clip.top); y < std::min(box.bottom, clip.bottom); ++y) {
            for (long long x = std::max(box.left, clip.left); x < std::min(box.right, clip.right); ++x) emit(x, y);
        }
        return;
    }
    const double a = static_cast<double>(a2);
    const double b = static_cast<double>(b2);
    const double diagonal = std::sqrt(a * a + b * b);
    // The two steppings meet where the slope is 1; each runs one step past
    // that point so that they overlap and leave no gap between them.
    const long long columnLimit = std::min(a2, static_cast<long long>(a * a / diagonal) + 2);
    const long long rowLimit = std::min(b2, static_cast<long long>(b * b / diagonal) + 2);

    // Flat part: one pixel per column, |u| = 0 … columnLimit.
    for (const long long side : {1LL, -1LL}) {
        long long lo = side > 0 ? 2 * clip.left - cx2 : cx2 - 2 * (clip.right - 1);
        long long hi = side > 0 ? 2 * (clip.right - 1) - cx2 : cx2 - 2 * clip.left;
        lo = std::max(lo, a2 & 1);
        hi = std::min(hi, columnLimit);
        if ((lo - (a2 & 1)) % 2 != 0) ++lo;
        for (long long u = lo; u <= hi; u += 2) {
            const double t = static_cast<double>(u) / a;
            const long long v = RoundToParity(b * std::sqrt(std::max(0.0, 1.0 - t * t)), b2 & 1, b2);
            const long long x = (cx2 + side * u) / 2;
            emit(x, (cy2 - v) / 2);
            emit(x, (cy2 + v) / 2);
        }
    }
    // Steep part: one pixel per row, |v| = 0 … rowLimit.
    for (const long long side : {1LL, -1LL}) {
        long long lo = side > 0 ? 2 * clip.top - cy2 : cy2 - 2 * (clip.bottom - 1);
        long long hi = side > 0 ? 2 * (clip.bottom - 1) - cy2 : cy2 - 2 * clip.top;
        lo = std::max(lo, b2 & 1);
        hi = std::min(hi, rowLimit);
        if ((lo - (b2 & 1)) % 2 != 0) ++lo;
        for (long long v = lo; v <= hi; v += 2) {
            const double t = static_cast<double>(v) / b;
            const long long u = RoundToParity(a * std::sqrt(std::max(0.0, 1.0 - t * t)), a2 & 1, a2);
            const long long y = (cy2 + side * v) / 2;
            emit((cx2 - u) / 2, y);
            emit((cx2 + u) / 2, y);
        }
    }
}

// Calls visit(y, x0, x1) for each row's run of pixels x0 … x1 − 1 inside
// clip whose centres lie strictly inside the outline's centre line: the
// part the brush fills. Every such pixel touches the outline or another
// one, and none lies outside the outline.
template <typename Visit>
void ForEachEllipseInteriorSpan(const EllipseBox& box, const ClipRect& clip, Visit&& visit) {
    const long long cx2 = box.left + box.right - 1;
    const long long cy2 = box.top + box.bottom - 1;
    const long long a2 = box.right - box.left - 1;
    const long long b2 = box.bottom - box.top - 1;
    if (a2 == 0 || b2 == 0) return;
    const double a = static_cast<double>(a2);
    const double b = static_cast<double>(b2);
    for (long long y = std::max(box.top, clip.top); y < std::min(box.bottom, clip.bottom); ++y) {
        const double t = static_cast<double>(2 * y - cy2) / b;
        const double s = 1.0 - t * t;
        if (s <= 0.0) continue;
        const double half = a * std::sqrt(s);  // |2x − cx2| must stay below this
        const long long x0 = std::max(clip.left, static_cast<long long>(std::floor((cx2 - half) / 2)) + 1);
        const long long x1 = std::min(clip.right, static_cast<long long>(std::ceil((cx2 + half) / 2)));
        if (x0 < x1) visit(y, x0, x1);
    }
}

// The part of the ellipse that Arc draws: counter-clockwise as seen on the
// screen (y downward) from the ray from the box's centre through the start
// point to the ray through the end point, both ends included. When the two
// rays coincide GDI draws the whole ellipse, and so does this. A ray meets
// the ellipse at the parameter angle atan2(dy / ry, dx / rx); comparing
// each pixel's own direction with the rays, exactly in integers, picks the
// same pixels without computing that angle.
class ArcSweep {
public:
    ArcSweep(const EllipseBox& box, long long startX, long long startY, long long endX, long long endY);

    // Whether a pixel at (u, v) from the centre, in half pixels, is drawn.
    bool Contains(long long u, long long v) const;

private:
    // Directions in half pixels with y upward, so counter-clockwise is the
    // usual positive turn.
    long long sx;
    long long sy;
    long long ex;
    long long ey;
    bool full;
};

}  // namespace quorvel::platform
