#include "platform/linux/EllipsePath.h"

namespace quorvel::platform {

namespace {

long long HalfRoundedDown(long long value) { return value >= 0 ? value / 2 : (value - 1) / 2; }

}  // namespace

EllipsePath::EllipsePath(const EllipseBox& box, std::vector<PathPoint>& points)
    : quadrant(points),
      rightColumn(box.left + (box.right - box.left) / 2),
      leftColumn(box.left + (box.right - box.left - 1) / 2),
      upperRow(box.top + (box.bottom - box.top - 1) / 2),
      lowerRow(box.top + (box.bottom - box.top) / 2),
      // Rays start at the corners' midpoint rounded down, as in Windows.
      centreX(HalfRoundedDown(box.left + box.right)),
      centreY(HalfRoundedDown(box.top + box.bottom)) {
    points.clear();
    StepEllipseQuadrants(box.right - box.left, box.bottom - box.top,
                         [&](long long, long long right, long long, long long upper) {
                             points.push_back({box.left + right - rightColumn, upperRow - (box.top + upper)});
                         });
}

PathPoint EllipsePath::At(long long i) const {
    const long long m = static_cast<long long>(quadrant.size());
    const long long section = i / m % 4;
    const long long j = i % m;
    const PathPoint& offset = quadrant[static_cast<std::size_t>(section % 2 == 1 ? m - 1 - j : j)];
    return {section == 0 || section == 3 ? rightColumn + offset.x : leftColumn - offset.x,
            section < 2 ? upperRow - offset.y : lowerRow + offset.y};
}

long long EllipsePath::RayIndex(long long x, long long y) const {
    const long long m = static_cast<long long>(quadrant.size());
    const long long dx = x - centreX;
    const long long dy = centreY - y;
    const bool upper = dy >= 0;
    // The quadrants in the path's order: right upper, left upper, left
    // lower, right lower; the second and fourth run the walk backwards.
    const long long section = upper ? (dx >= 0 ? 0 : 1) : (dx >= 0 ? 3 : 2);
    const bool backwards = section % 2 == 1;
    // The ray mirrored into the first quadrant, as the walk's points are.
    const long long rayX = dx < 0 ? -dx : dx;
    const long long rayY = dy < 0 ? -dy : dy;
    for (long long i = 0; i < m; ++i) {
        const PathPoint& offset = quadrant[static_cast<std::size_t>(backwards ? m - 1 - i : i)];
        // Positive when the point lies past the ray along the path; within
        // 2^15 · 2^33, so exact in 64 bits.
        const long long turn = offset.y * rayX - offset.x * rayY;
        const long long past = backwards ? -turn : turn;
        // Windows' tie rule: a ray through a point of the upper half meets
        // the path there, one through a point of the lower half just after.
        if (upper ? past >= 0 : past > 0) return section * m + i;
    }
    return (section + 1) * m;
}

PathRange ArcRange(const EllipsePath& path, long long startX, long long startY, long long endX, long long endY) {
    const long long first = path.RayIndex(startX, startY);
    long long end = path.RayIndex(endX, endY);
    if (end <= first) end += path.Size();
    return {first, end - first};
}

}  // namespace quorvel::platform
