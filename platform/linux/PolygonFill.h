// The pixels GDI's Polygon fills, apart from painting them.
//
// A pixel is filled when its own coordinate point lies inside the polygon,
// a ray from it crossing the outline an odd number of times (ALTERNATE
// filling, the device context's default: nothing sets another). A point on
// a left or top edge counts as inside and one on a right or bottom edge as
// outside, so the fill of a polygon with corners (0, 0) and (10, 10) covers
// pixels 0 … 9 each way, and the pen's outline covers the rest. Crossings
// are computed exactly in integers: the result does not depend on rounding.
#pragma once

#include <algorithm>
#include <vector>

#include "platform/Win32.h"
#include "platform/linux/LineRaster.h"

namespace quorvel::platform {

struct EdgeCrossing {
    long long x;  // first pixel at or right of the crossing
};

// Calls visit(y, x0, x1) for each run of filled pixels x0 … x1 − 1 inside
// clip, row by row. crossings is scratch space, reused between calls.
template <typename Visit>
void ForEachPolygonSpan(const POINT* points, int count, const ClipRect& clip, std::vector<EdgeCrossing>& crossings,
                        Visit&& visit);

// The first column at or right of where the edge from (upperX, upperY)
// down to (lowerX, lowerY) crosses row y, upperY ≤ y < lowerY.
long long CrossingColumn(long long upperX, long long upperY, long long lowerX, long long lowerY, long long y);

// The crossings of the polygon's edges with row y, sorted by x.
void RowCrossings(const POINT* points, int count, long long y, std::vector<EdgeCrossing>& crossings);

template <typename Visit>
void ForEachPolygonSpan(const POINT* points, int count, const ClipRect& clip, std::vector<EdgeCrossing>& crossings,
                        Visit&& visit) {
    if (points == nullptr || count < 3) return;
    long long top = points[0].y;
    long long bottom = points[0].y;
    for (int i = 1; i < count; ++i) {
        top = std::min<long long>(top, points[i].y);
        bottom = std::max<long long>(bottom, points[i].y);
    }
    const auto emit = [&](long long y, long long x0, long long x1) {
        x0 = std::max(x0, clip.left);
        x1 = std::min(x1, clip.right);
        if (x0 < x1) visit(y, x0, x1);
    };
    for (long long y = std::max(top, clip.top); y < std::min(bottom, clip.bottom); ++y) {
        RowCrossings(points, count, y, crossings);
        // Inside from each even-numbered crossing to the next.
        long long runStart = 0;
        for (std::size_t i = 0; i < crossings.size(); ++i) {
            if (i % 2 == 0) {
                runStart = crossings[i].x;
            } else {
                emit(y, runStart, crossings[i].x);
            }
        }
    }
}

}  // namespace quorvel::platform
