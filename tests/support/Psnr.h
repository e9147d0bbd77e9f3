// How close a decoded picture is to its source: the peak signal-to-noise
// ratio of their brightness (BT.601 luma), as video quality is measured.
// Colour is left out: yuv420p keeps one chroma sample per 2x2 pixels, so
// the thin coloured lines of an MFD page lose colour at any quality.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <span>

namespace quorvel::test {

// Images of 32-bit 0x..RRGGBB pixels, top row first, each with its own row
// length; the region is the top-left width x height. Infinite when equal.
inline double LumaPsnr(std::span<const std::uint32_t> a, int aRow, std::span<const std::uint32_t> b, int bRow,
                       int width, int height) {
    const auto luma = [](std::uint32_t p) {
        return 0.299 * ((p >> 16) & 0xFF) + 0.587 * ((p >> 8) & 0xFF) + 0.114 * (p & 0xFF);
    };
    double squares = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double d =
                luma(a[static_cast<std::size_t>(y * aRow + x)]) - luma(b[static_cast<std::size_t>(y * bRow + x)]);
            squares += d * d;
        }
    }
    if (squares == 0) return std::numeric_limits<double>::infinity();
    return 10 * std::log10(255.0 * 255.0 * width * height / squares);
}

}  // namespace quorvel::test
