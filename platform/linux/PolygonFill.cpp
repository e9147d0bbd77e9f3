#include "platform/linux/PolygonFill.h"

namespace quorvel::platform {

long long CrossingColumn(long long upperX, long long upperY, long long lowerX, long long lowerY, long long y) {
    const Int128 run = Int128{y - upperY} * (lowerX - upperX);
    const long long rise = lowerY - upperY;
    return upperX + static_cast<long long>(run >= 0 ? (run + rise - 1) / rise : -(-run / rise));
}

void RowCrossings(const POINT* points, int count, long long y, std::vector<EdgeCrossing>& crossings) {
    crossings.clear();
    for (int i = 0; i < count; ++i) {
        const POINT& from = points[i];
        const POINT& to = points[i + 1 < count ? i + 1 : 0];
        // Horizontal edges cross no row; the rows of the others run from
        // the upper end, included, to the lower end, excluded.
        if (from.y == to.y) continue;
        const bool down = to.y > from.y;
        const POINT& upper = down ? from : to;
        const POINT& lower = down ? to : from;
        if (y < upper.y || y >= lower.y) continue;
        crossings.push_back({CrossingColumn(upper.x, upper.y, lower.x, lower.y, y)});
    }
    std::sort(crossings.begin(), crossings.end(),
              [](const EdgeCrossing& a, const EdgeCrossing& b) { return a.x < b.x; });
}

}  // namespace quorvel::platform
