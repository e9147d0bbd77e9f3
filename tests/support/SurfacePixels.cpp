#include "tests/support/SurfacePixels.h"

#include <algorithm>
#include <cstdlib>

namespace quorvel::test {

int CountPixels(const sim::MfdSurface& surface, std::uint32_t pixel, int left, int top, int right, int bottom) {
    int count = 0;
    const int width = static_cast<int>(surface.Width());
    const int height = static_cast<int>(surface.Height());
    for (int y = std::max(top, 0); y < std::min(bottom, height); ++y) {
        for (int x = std::max(left, 0); x < std::min(right, width); ++x) {
            count += surface.Pixel(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y)) == pixel;
        }
    }
    return count;
}

int CountPixels(const sim::MfdSurface& surface, std::uint32_t pixel) {
    return CountPixels(surface, pixel, 0, 0, static_cast<int>(surface.Width()), static_cast<int>(surface.Height()));
}

std::vector<std::uint32_t> ImageOf(const sim::MfdSurface& surface) {
    std::vector<std::uint32_t> image;
    for (std::uint32_t y = 0; y < surface.Height(); ++y) {
        for (std::uint32_t x = 0; x < surface.Width(); ++x) image.push_back(surface.Pixel(x, y));
    }
    return image;
}

std::span<const std::uint32_t> MemoryRow(const sim::MfdSurface& surface, std::uint32_t row) {
    const std::span<const std::uint32_t> pixels = surface.Pixels();
    if (row >= surface.Height() || pixels.empty()) return {};
    return pixels.subspan(std::size_t{row} * surface.Width(), surface.Width());
}

void CopyInto(sim::MfdSurface& surface, HDC source) {
    BitBlt(surface.Dc(), 0, 0, static_cast<int>(surface.Width()), static_cast<int>(surface.Height()), source, 0, 0,
           SRCCOPY);
}

bool WritePictureIfAsked(const sim::MfdSurface& surface, const std::string& name) {
    const char* directory = std::getenv("QUORVEL_PICTURE_DIR");
    if (directory == nullptr || *directory == '\0') return false;
    return surface.WritePng(std::string(directory) + "/" + name + ".png");
}

}  // namespace quorvel::test
