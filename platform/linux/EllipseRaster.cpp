#include "platform/linux/EllipseRaster.h"

#include <utility>

namespace quorvel::platform {

bool MakeEllipseBox(int left, int top, int right, int bottom, EllipseBox& box) {
    box = {left, top, right, bottom};
    if (box.left > box.right) std::swap(box.left, box.right);
    if (box.top > box.bottom) std::swap(box.top, box.bottom);
    return box.left < box.right && box.top < box.bottom;
}

long long RoundToParity(double value, long long parity, long long limit) {
    const double steps = std::floor((value - static_cast<double>(parity)) / 2.0 + 0.5);
    if (steps <= 0.0) return parity;
    const long long rounded = parity + 2 * static_cast<long long>(std::min(steps, 1e15));
    return std::min(rounded, limit);
}

namespace {

Int128 Cross(long long ax, long long ay, long long bx, long long by) {
    return Int128{ax} * by - Int128{ay} * bx;
}

Int128 Dot(long long ax, long long ay, long long bx, long long by) { return Int128{ax} * bx + Int128{ay} * by; }

}  // namespace

ArcSweep::ArcSweep(const EllipseBox& box, long long startX, long long startY, long long endX, long long endY)
    : sx(2 * startX - (box.left + box.right)),
      sy((box.top + box.bottom) - 2 * startY),
      ex(2 * endX - (box.left + box.right)),
      ey((box.top + box.bottom) - 2 * endY) {
    // A point at the centre gives no direction; take it as 3 o'clock, the
    // angle atan2(0, 0) stands for.
    if (sx == 0 && sy == 0) sx = 1;
    if (ex == 0 && ey == 0) ex = 1;
    full = Cross(sx, sy, ex, ey) == 0 && Dot(sx, sy, ex, ey) > 0;
}

bool ArcSweep::Contains(long long u, long long v) const {
    const long long px = u;
    const long long py = -v;
    if (full || (px == 0 && py == 0)) return true;
    // Which half turn after the start a direction lies in: 0 for [0, π).
    const auto half = [this](long long x, long long y) {
        const Int128 cross = Cross(sx, sy, x, y);
        return cross > 0 || (cross == 0 && Dot(sx, sy, x, y) > 0) ? 0 : 1;
    };
    const int pointHalf = half(px, py);
    const int endHalf = half(ex, ey);
    if (pointHalf != endHalf) return pointHalf < endHalf;
    return Cross(px, py, ex, ey) >= 0;
}

}  // namespace quorvel::platform
