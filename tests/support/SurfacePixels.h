// Reading a surface's pixels in tests, and looking at what was drawn.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/Win32.h"
#include "sim/host/MfdSurface.h"
#include "tests/support/Colour.h"

namespace quorvel::test {

// Pixels of exactly this DIB value inside [left, right) x [top, bottom),
// in image coordinates.
int CountPixels(const sim::MfdSurface& surface, std::uint32_t pixel, int left, int top, int right, int bottom);
int CountPixels(const sim::MfdSurface& surface, std::uint32_t pixel);

// The image's pixels, top row first whatever the row order, for comparing
// whole pictures.
std::vector<std::uint32_t> ImageOf(const sim::MfdSurface& surface);

// Row `row` of the memory as stored; empty outside it.
std::span<const std::uint32_t> MemoryRow(const sim::MfdSurface& surface, std::uint32_t row);

inline Rgb RgbAt(const sim::MfdSurface& surface, std::uint32_t x, std::uint32_t y) {
    return RgbOf(surface.Pixel(x, y));
}

// Copies the surface's size of source, from (0, 0), into it.
void CopyInto(sim::MfdSurface& surface, HDC source);

// Writes the surface to <directory>/<name>.png when the QUORVEL_PICTURE_DIR
// environment variable names a directory; returns whether it wrote.
bool WritePictureIfAsked(const sim::MfdSurface& surface, const std::string& name);

}  // namespace quorvel::test
