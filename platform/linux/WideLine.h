// The pixels of GDI's wide pens, apart from painting them.
//
// Windows' GDI (observed under Wine) draws a line with a pen w pixels wide,
// w ≥ 2, as its two round ends and the body between them, and a path (a
// polyline, an Ellipse's outline, an Arc) as the union of its lines. Each
// end is the filled ellipse of the w by w box from (x − w/2, y − w/2), in
// integer halves: a 2 by 2 square for 2, a plus for 3. The body of a level
// or upright line is the rectangle those boxes sweep; that of a slanting
// line is a parallelogram along it, filled as Polygon fills, whose corners
// lie the pen's half width either side of the end points, rounded to whole
// pixels (see WideLineBody).
#pragma once

#include <algorithm>
#include <array>

#include "platform/linux/EllipsePath.h"
#include "platform/linux/PolygonFill.h"

namespace quorvel::platform {

// The widest pen drawn at its own width; wider ones are drawn this wide,
// which keeps the cost of a wide path bounded.
inline constexpr int kMaxPenWidth = 64;

// A wide pen's round end, as runs of columns row by row from the point.
class PenEnd {
public:
    struct Run {
        int dx0;  // first column offset
        int dx1;  // one past the last
    };

    // width is taken within 2 … kMaxPenWidth.
    explicit PenEnd(int width);

    int FirstRow() const { return firstRow; }  // dy of Row(0)
    int Rows() const { return rowCount; }
    const Run& Row(int i) const { return runs[static_cast<std::size_t>(i)]; }
    // How far the end reaches from its point on any side.
    int Reach() const { return reach; }

private:
    int firstRow = 0;
    int rowCount = 0;
    int reach = 0;
    std::array<Run, kMaxPenWidth> runs{};
};

// The corners of the body of the line from `from` to `to` (distinct
// points) for a pen `width` pixels wide, in order round it. For a slanting
// line they lie off both end points by the pen's half width across the
// line, rounded exactly (no floating point): on the side towards +x to one
// pixel beyond the offset's truncation, on the other side to the nearest
// pixel, halves away from zero.
std::array<PathPoint, 4> WideLineBody(PathPoint from, PathPoint to, int width);

// Calls visit(y, x0, x1) for the runs of pixels x0 … x1 − 1 inside clip
// that Polygon's fill gives the body: a parallelogram, so each of its rows
// crosses two edges and is one run.
template <typename Visit>
void ForEachBodySpan(const std::array<PathPoint, 4>& corners, const ClipRect& clip, Visit&& visit) {
    long long top = corners[0].y;
    long long bottom = corners[0].y;
    for (const PathPoint& corner : corners) {
        top = std::min(top, corner.y);
        bottom = std::max(bottom, corner.y);
    }
    for (long long y = std::max(top, clip.top); y < std::min(bottom, clip.bottom); ++y) {
        long long x0 = clip.right;
        long long x1 = clip.left;
        for (std::size_t i = 0; i < corners.size(); ++i) {
            const PathPoint& a = corners[i];
            const PathPoint& b = corners[(i + 1) % corners.size()];
            const PathPoint& upper = a.y < b.y ? a : b;
            const PathPoint& lower = a.y < b.y ? b : a;
            if (y < upper.y || y >= lower.y) continue;
            const long long x = CrossingColumn(upper.x, upper.y, lower.x, lower.y, y);
            x0 = std::min(x0, x);
            x1 = std::max(x1, x);
        }
        x0 = std::max(x0, clip.left);
        x1 = std::min(x1, clip.right);
        if (x0 < x1) visit(y, x0, x1);
    }
}

}  // namespace quorvel::platform
