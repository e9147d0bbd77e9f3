// Pixel checks on a bench-host surface.
#pragma once

#include <algorithm>
#include <cstdint>

#include "platform/Win32.h"
#include "sim/host/MfdSurface.h"

namespace quorvel::test {

// Pixels of exactly this 0x00RRGGBB colour inside [left, right) x [top, bottom).
inline int CountPixels(const sim::MfdSurface& surface, std::uint32_t colour, int left, int top, int right,
                       int bottom) {
    int count = 0;
    const int width = static_cast<int>(surface.Width());
    const int height = static_cast<int>(surface.Height());
    for (int y = std::max(top, 0); y < std::min(bottom, height); ++y) {
        for (int x = std::max(left, 0); x < std::min(right, width); ++x) {
            count += surface.Pixel(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y)) == colour;
        }
    }
    return count;
}

inline int CountPixels(const sim::MfdSurface& surface, std::uint32_t colour) {
    return CountPixels(surface, colour, 0, 0, static_cast<int>(surface.Width()), static_cast<int>(surface.Height()));
}

// A COLORREF (0x00BBGGRR) as the pixel it paints (0x00RRGGBB).
constexpr std::uint32_t PixelOf(COLORREF colour) {
    return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

}  // namespace quorvel::test
