#include "platform/linux/WideLine.h"

#include <algorithm>

namespace quorvel::platform {

PenEnd::PenEnd(int width) {
    width = std::clamp(width, 2, kMaxPenWidth);
    const int half = width / 2;
    firstRow = -half;
    rowCount = width;
    reach = half;
    // Windows' round end: the filled ellipse of the pen's box, each row
    // running between its outermost outline pixels.
    StepEllipseQuadrants(width, width, [&](long long left, long long right, long long lower, long long upper) {
        for (const long long row : {lower, upper}) {
            Run& run = runs[static_cast<std::size_t>(row)];
            const int dx0 = static_cast<int>(left) - half;
            const int dx1 = static_cast<int>(right) - half + 1;
            run = run.dx0 == run.dx1 ? Run{dx0, dx1} : Run{std::min(run.dx0, dx0), std::max(run.dx1, dx1)};
        }
    });
}

namespace {

// The size of the offset w·|d| / (2·length) across a line, d its run or
// rise, rounded exactly from w²·d² and length²: on the +x side the largest
// whole k with (2k)²·length² ≤ w²·d², plus one; on the other the largest
// with (2k − 1)²·length² ≤ w²·d². At most w / 2 + 1 either way.
long long BeyondTruncation(Int128 numerator, Int128 lengthSquared) {
    long long k = 0;
    while (Int128{4} * (k + 1) * (k + 1) * lengthSquared <= numerator) ++k;
    return k + 1;
}

long long Nearest(Int128 numerator, Int128 lengthSquared) {
    long long k = 0;
    while (Int128{2 * k + 1} * (2 * k + 1) * lengthSquared <= numerator) ++k;
    return k;
}

}  // namespace

std::array<PathPoint, 4> WideLineBody(PathPoint from, PathPoint to, int width) {
    const long long half = width / 2;
    if (from.x == to.x || from.y == to.y) {
        // The rectangle the end boxes sweep: the pen's rows (or columns)
        // from the line's start to its end.
        const long long lo = -half;
        const long long hi = width - half;
        if (from.y == to.y) {
            return {{{from.x, from.y + lo}, {to.x, to.y + lo}, {to.x, to.y + hi}, {from.x, from.y + hi}}};
        }
        return {{{from.x + lo, from.y}, {to.x + lo, to.y}, {to.x + hi, to.y}, {from.x + hi, from.y}}};
    }
    const long long dx = to.x - from.x;
    const long long dy = to.y - from.y;
    const Int128 lengthSquared = Int128{dx} * dx + Int128{dy} * dy;
    const Int128 across = Int128{width} * width * dy * dy;  // squared numerators of the offset's x and y
    const Int128 along = Int128{width} * width * dx * dx;
    // The offset towards +x is (w·|dy|, ∓w·|dx|) / (2·length): across the
    // line, upward when it slopes down to the right on the screen.
    const long long ySign = (dx > 0) == (dy > 0) ? -1 : 1;
    // Windows rounds the +x side one pixel beyond, the other to the nearest.
    const PathPoint beyond{BeyondTruncation(across, lengthSquared), ySign * BeyondTruncation(along, lengthSquared)};
    const PathPoint nearest{-Nearest(across, lengthSquared), -ySign * Nearest(along, lengthSquared)};
    return {{{from.x + beyond.x, from.y + beyond.y},
             {to.x + beyond.x, to.y + beyond.y},
             {to.x + nearest.x, to.y + nearest.y},
             {from.x + nearest.x, from.y + nearest.y}}};
}

}  // namespace quorvel::platform
