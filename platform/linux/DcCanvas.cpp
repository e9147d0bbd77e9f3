#include "platform/linux/DcCanvas.h"

#include <algorithm>

namespace quorvel::platform {

void DcCanvas::Attach(std::uint32_t* memory, LONG pixelsWide, LONG pixelsHigh, bool bottomUp) {
    Detach();
    if (memory == nullptr || pixelsWide <= 0 || pixelsHigh <= 0) return;
    width = pixelsWide;
    height = pixelsHigh;
    rowStep = bottomUp ? -static_cast<std::ptrdiff_t>(width) : static_cast<std::ptrdiff_t>(width);
    firstRow = bottomUp ? memory + static_cast<std::ptrdiff_t>(height - 1) * width : memory;
}

void DcCanvas::Detach() {
    firstRow = nullptr;
    rowStep = 0;
    width = 0;
    height = 0;
}

void DcCanvas::FillSpan(long long y, long long x0, long long x1, std::uint32_t pixel) {
    if (y < 0 || y >= height) return;
    x0 = std::max(x0, 0LL);
    x1 = std::min(x1, width);
    if (x0 < x1) std::fill(Row(y) + x0, Row(y) + x1, pixel);
}

void DcCanvas::FillRect(long long left, long long top, long long right, long long bottom, std::uint32_t pixel) {
    for (long long y = std::max(top, 0LL); y < std::min(bottom, height); ++y) FillSpan(y, left, right, pixel);
}

}  // namespace quorvel::platform
