// The page's size and character cell as the drawing steps take them, and
// the pixel rectangle they hand to GDI.
#pragma once

#include <cstdint>

namespace quorvel {

// As the MFD base holds them: the surface in pixels and the host's
// character cell, which may be any size (0 included).
struct PageGeometry {
    std::uint32_t width;
    std::uint32_t height;
    std::uint32_t cellWidth;
    std::uint32_t cellHeight;
};

// A box as Ellipse and Arc take it: left and top inside, right and bottom
// outside.
struct PixelBox {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
    bool operator==(const PixelBox&) const = default;
};

}  // namespace quorvel
