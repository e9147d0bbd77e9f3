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

// The outline as Windows' GDI steps it (observed under Wine): the first
// quadrant is walked from the middle row outward, one pixel per step, by a
// midpoint rule whose error terms are exact integers, and mirrored to the
// other three. A row steps when twice the error is at most the row term,
// a column when it is at least the column term, both tested before either
// moves; the walk ends where the columns cross, so a tall thin ellipse
// stops short of its tips (a box 3 by 10 has rows 1 to 8 only). Ellipse
// draws a box one or two pixels wide or high as a rectangle instead
// (ThinEllipseBox); Arc and the ends of wide pens keep to this walk.
//
// Calls step(left, right, lower, upper) for each step: columns left and
// right and rows lower and upper (lower ≥ upper) from the box's top-left
// corner, whose four crossings are outline pixels. Boxes are at most
// kSteppedEllipseLimit each way.
inline constexpr long long kSteppedEllipseLimit = 1 << 15;

template <typename Step>
void StepEllipseQuadrants(long long width, long long height, Step&& step) {
    if (width <= 0 || height <= 0) return;
    long long x0 = 0;
    long long x1 = width - 1;
    const long long a = width - 1;
    const long long b = height - 1;
    const long long odd = b & 1;
    long long dx = 4 * (1 - a) * b * b;  // error terms, exact for boxes within the limit
    long long dy = 4 * (odd + 1) * a * a;
    long long error = dx + dy + odd * a * a;
    long long y0 = (b + 1) / 2;
    long long y1 = y0 - odd;
    const long long rowStep = 8 * a * a;
    const long long columnStep = 8 * b * b;
    do {
        step(x0, x1, y0, y1);
        const long long twice = 2 * error;
        if (twice <= dy) {
            ++y0;
            --y1;
            dy += rowStep;
            error += dy;
        }
        if (twice >= dx) {
            ++x0;
            --x1;
            dx += columnStep;
            error += dx;
        }
    } while (x0 <= x1);
}

// Boxes beyond kSteppedEllipseLimit, which stepping would take too long to
// walk, follow the ellipse through the centres of the box's extreme pixels
// directly, one pixel per column where it is flat and one per row where it
// is steep; it differs from the stepped outline by single pixels.
template <typename Visit>
void ForEachLargeEllipsePixel(const EllipseBox& box, const ClipRect& clip, Visit&& emit) {
    const long long cx2 = box.left + box.right - 1;  // centre, in half pixels
    const long long cy2 = box.top + box.bottom - 1;
    const long long a2 = box.right - box.left - 1;  // radii through pixel centres, in half pixels
    const long long b2 = box.bottom - box.top - 1;
    const double a = static_cast<double>(a2);
    const double b = static_cast<double>(b2);
    const double diagonal = std::sqrt(a * a + b * b);
    // The two steppings meet where the slope is 1; each runs one step past
    // that point so that they overlap and leave no gap between them.
    const long long columnLimit = std::min(a2, static_cast<long long>(a * a / diagonal) + 2);
    const long long rowLimit = std::min(b2, static_cast<long long>(b * b / diagonal) + 2);
    // Steps through the pixel centres of one axis (centre and radius in
    // half pixels, the clip's edges on it) out to limit, each giving the
    // ellipse's offset on the other axis; xAlong when the steps are columns.
    const auto stepAlong = [&emit](long long centre2, long long radius2, long long clipLo, long long clipHi,
                                   long long limit, long long acrossCentre2, long long acrossRadius2, bool xAlong) {
        const double radius = static_cast<double>(radius2);
        const double acrossRadius = static_cast<double>(acrossRadius2);
        for (const long long side : {1LL, -1LL}) {
            long long lo = side > 0 ? 2 * clipLo - centre2 : centre2 - 2 * (clipHi - 1);
            long long hi = side > 0 ? 2 * (clipHi - 1) - centre2 : centre2 - 2 * clipLo;
            lo = std::max(lo, radius2 & 1);
            hi = std::min(hi, limit);
            if ((lo - (radius2 & 1)) % 2 != 0) ++lo;
            for (long long u = lo; u <= hi; u += 2) {
                const double t = static_cast<double>(u) / radius;
                const long long v =
                    RoundToParity(acrossRadius * std::sqrt(std::max(0.0, 1.0 - t * t)), acrossRadius2 & 1, acrossRadius2);
                const long long along = (centre2 + side * u) / 2;
                const long long near = (acrossCentre2 - v) / 2;
                const long long far = (acrossCentre2 + v) / 2;
                if (xAlong) {
                    emit(along, near);
                    emit(along, far);
                } else {
                    emit(near, along);
                    emit(far, along);
                }
            }
        }
    };
    stepAlong(cx2, a2, clip.left, clip.right, columnLimit, cy2, b2, true);
    stepAlong(cy2, b2, clip.top, clip.bottom, rowLimit, cx2, a2, false);
}

// Ellipse draws a box one or two pixels wide or high as the rectangle's
// outline, which fills it, and fills nothing inside.
inline bool ThinEllipseBox(const EllipseBox& box) { return box.right - box.left <= 2 || box.bottom - box.top <= 2; }

inline bool SteppedEllipse(const EllipseBox& box) {
    return box.right - box.left <= kSteppedEllipseLimit && box.bottom - box.top <= kSteppedEllipseLimit;
}

// Calls visit(x, y, u, v) for the outline pixels inside clip, where (u, v)
// is the pixel's centre minus the box's centre in half pixels, y downward.
// A pixel may be visited more than once.
template <typename Visit>
void ForEachEllipsePixel(const EllipseBox& box, const ClipRect& clip, Visit&& visit) {
    const long long cx2 = box.left + box.right - 1;
    const long long cy2 = box.top + box.bottom - 1;
    const auto emit = [&](long long x, long long y) {
        if (clip.Contains(x, y)) visit(x, y, 2 * x - cx2, 2 * y - cy2);
    };
    if (!SteppedEllipse(box)) {
        ForEachLargeEllipsePixel(box, clip, emit);
        return;
    }
    StepEllipseQuadrants(box.right - box.left, box.bottom - box.top,
                         [&](long long left, long long right, long long lower, long long upper) {
                             for (const long long x : {left, right}) {
                                 emit(box.left + x, box.top + lower);
                                 emit(box.left + x, box.top + upper);
                             }
                         });
}

// Calls visit(y, x0, x1) for each row's run of pixels x0 … x1 − 1 inside
// clip that the brush fills: those between the row's outline pixels.
template <typename Visit>
void ForEachEllipseInteriorSpan(const EllipseBox& box, const ClipRect& clip, Visit&& visit) {
    const auto emit = [&](long long y, long long x0, long long x1) {
        x0 = std::max(x0, clip.left);
        x1 = std::min(x1, clip.right);
        if (y >= clip.top && y < clip.bottom && x0 < x1) visit(y, x0, x1);
    };
    const long long width = box.right - box.left;
    const long long height = box.bottom - box.top;
    if (!SteppedEllipse(box)) {
        const long long cx2 = box.left + box.right - 1;
        const long long cy2 = box.top + box.bottom - 1;
        const double a = static_cast<double>(width - 1);
        const double b = static_cast<double>(height - 1);
        for (long long y = std::max(box.top, clip.top); y < std::min(box.bottom, clip.bottom); ++y) {
            const double t = static_cast<double>(2 * y - cy2) / b;
            const double s = 1.0 - t * t;
            if (s <= 0.0) continue;
            const double half = a * std::sqrt(s);  // |2x − cx2| must stay below this
            emit(y, static_cast<long long>(std::floor((cx2 - half) / 2)) + 1,
                 static_cast<long long>(std::ceil((cx2 + half) / 2)));
        }
        return;
    }
    if (width <= 2 || height <= 2) return;
    // A row's fill runs between the innermost outline pixels of that row:
    // those of the row's last step.
    long long row = -1;
    long long rowUpper = -1;
    long long inner = 0;
    const auto finish = [&](long long lower, long long upper) {
        emit(box.top + lower, box.left + inner + 1, box.left + width - 1 - inner);
        if (upper != lower) emit(box.top + upper, box.left + inner + 1, box.left + width - 1 - inner);
    };
    StepEllipseQuadrants(width, height, [&](long long left, long long, long long lower, long long upper) {
        if (lower != row && row >= 0) finish(row, rowUpper);
        row = lower;
        rowUpper = upper;
        inner = left;
    });
    if (row >= 0) finish(row, rowUpper);
}

// The part of an ellipse too large to walk (beyond kSteppedEllipseLimit)
// that Arc draws: counter-clockwise as seen on the screen (y downward) from
// the ray from the box's centre through the start point to the ray through
// the end point, both ends included, and the whole ellipse when the rays
// coincide. It picks pixels by their direction, exactly in integers; a
// stepped box's Arc follows EllipsePath instead, which differs from this at
// the ends and for rays less than a pixel apart.
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
