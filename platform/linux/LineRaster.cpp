#include "platform/linux/LineRaster.h"

#include <algorithm>
#include <ranges>

namespace quorvel::platform {

namespace {

// Minor-axis offset after i major steps: i·b / a to the nearest integer,
// an exact half rounded down when tieBias is 1 and up when it is 0.
long long MinorOffset(long long i, long long a, long long b, long long tieBias) {
    const Int128 numerator = Int128{2} * i * b + a - tieBias;
    return static_cast<long long>(numerator / (Int128{2} * a));
}

}  // namespace

LineWalk PlanLine(long long x0, long long y0, long long x1, long long y1, const ClipRect& clip) {
    LineWalk walk;
    const long long dx = x1 - x0;
    const long long dy = y1 - y0;
    const long long adx = dx < 0 ? -dx : dx;
    const long long ady = dy < 0 ? -dy : dy;
    if (adx == 0 && ady == 0) return walk;

    walk.xMajor = adx >= ady;
    const long long a = walk.xMajor ? adx : ady;
    const long long b = walk.xMajor ? ady : adx;
    const long long major0 = walk.xMajor ? x0 : y0;
    const long long minor0 = walk.xMajor ? y0 : x0;
    walk.majorStep = (walk.xMajor ? dx : dy) < 0 ? -1 : 1;
    walk.minorStep = (walk.xMajor ? dy : dx) < 0 ? -1 : 1;
    const long long majorLo = walk.xMajor ? clip.left : clip.top;
    const long long majorHi = (walk.xMajor ? clip.right : clip.bottom) - 1;
    const long long minorLo = walk.xMajor ? clip.top : clip.left;
    const long long minorHi = (walk.xMajor ? clip.bottom : clip.right) - 1;

    // Steps 0 … a − 1: the end point, step a, is left out.
    long long first = 0;
    long long last = a - 1;
    if (walk.majorStep > 0) {
        first = std::max(first, majorLo - major0);
        last = std::min(last, majorHi - major0);
    } else {
        first = std::max(first, major0 - majorHi);
        last = std::min(last, major0 - majorLo);
    }
    if (first > last) return walk;

    // The minor offset never decreases along the line, so the steps inside
    // the clip on that axis are one run, found by bisection.
    const long long tieBias = walk.minorStep > 0 ? 1 : 0;
    const long long offsetLo = walk.minorStep > 0 ? minorLo - minor0 : minor0 - minorHi;
    const long long offsetHi = walk.minorStep > 0 ? minorHi - minor0 : minor0 - minorLo;
    const auto offset = [&](long long i) { return MinorOffset(i, a, b, tieBias); };
    if (offset(last) < offsetLo || offset(first) > offsetHi) return walk;
    // The first step at or past the clip's near edge, then the last one
    // before its far edge.
    first = *std::ranges::partition_point(std::views::iota(first, last + 1),
                                          [&](long long i) { return offset(i) < offsetLo; });
    const auto fromFirst = std::views::iota(first, last + 1);
    const auto pastFarEdge = std::ranges::partition_point(fromFirst, [&](long long i) { return offset(i) <= offsetHi; });
    if (pastFarEdge == fromFirst.begin()) return walk;
    last = *std::ranges::prev(pastFarEdge);

    const Int128 numerator = Int128{2} * first * b + a - tieBias;
    walk.count = last - first + 1;
    walk.major = major0 + walk.majorStep * first;
    walk.minor = minor0 + walk.minorStep * static_cast<long long>(numerator / (Int128{2} * a));
    walk.error = static_cast<long long>(numerator % (Int128{2} * a));
    walk.errorStep = 2 * b;
    walk.errorLimit = 2 * a;
    return walk;
}

}  // namespace quorvel::platform
