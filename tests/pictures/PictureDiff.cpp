#include "tests/pictures/PictureDiff.h"

#include <algorithm>
#include <ostream>

#include "platform/PngWriter.h"

namespace quorvel::test {

namespace {

bool Same(const Picture& a, const Picture& b, std::uint32_t x, std::uint32_t y) {
    const std::size_t i = (std::size_t{y} * a.width + x) * 3;
    return a.rgb[i] == b.rgb[i] && a.rgb[i + 1] == b.rgb[i + 1] && a.rgb[i + 2] == b.rgb[i + 2];
}

bool Ink(const Picture& picture, std::uint32_t x, std::uint32_t y) { return picture.Pixel(x, y) != 0; }

}  // namespace

std::optional<Picture> ReadPicture(const std::string& path, std::string& error) {
    Picture picture;
    if (!ReadPng(path, picture, &error)) return std::nullopt;
    return picture;
}

PictureDiff Compare(const Picture& a, const Picture& b, const PixelMask& mask) {
    PictureDiff diff;
    diff.sameSize = a.width == b.width && a.height == b.height;
    if (!diff.sameSize) return diff;
    diff.bounds = {a.width, a.height, 0, 0};
    for (std::uint32_t y = 0; y < a.height; ++y) {
        for (std::uint32_t x = 0; x < a.width; ++x) {
            if (!mask.empty() && mask[std::size_t{y} * a.width + x]) continue;
            ++diff.compared;
            if (Same(a, b, x, y)) continue;
            ++diff.differing;
            diff.bounds = {std::min(diff.bounds.left, x), std::min(diff.bounds.top, y),
                           std::max(diff.bounds.right, x + 1), std::max(diff.bounds.bottom, y + 1)};
        }
    }
    return diff;
}

bool WriteDiffPicture(const std::string& path, const Picture& a, const Picture& b, const PixelMask& mask, int zoom) {
    if (a.width != b.width || a.height != b.height || a.width == 0 || zoom < 1) return false;
    const std::uint32_t gap = 4;
    const std::uint32_t panel = a.width * static_cast<std::uint32_t>(zoom);
    const std::uint32_t width = 3 * panel + 2 * gap;
    const std::uint32_t height = a.height * static_cast<std::uint32_t>(zoom);
    std::vector<std::uint32_t> pixels(std::size_t{width} * height, 0x404040);
    for (std::uint32_t y = 0; y < height; ++y) {
        const std::uint32_t sy = y / static_cast<std::uint32_t>(zoom);
        for (std::uint32_t x = 0; x < panel; ++x) {
            const std::uint32_t sx = x / static_cast<std::uint32_t>(zoom);
            std::uint32_t* row = &pixels[std::size_t{y} * width];
            row[x] = a.Pixel(sx, sy);
            row[panel + gap + x] = b.Pixel(sx, sy);
            std::uint32_t shown = (a.Pixel(sx, sy) >> 2) & 0x3F3F3F;
            if (!mask.empty() && mask[std::size_t{sy} * a.width + sx]) {
                shown = 0x000040;
            } else if (!Same(a, b, sx, sy)) {
                shown = 0xFFFFFF;
            }
            row[2 * (panel + gap) + x] = shown;
        }
    }
    return platform::WritePng(path, width, height, pixels.data());
}

void PrintDiffMap(std::ostream& out, const Picture& a, const Picture& b, const PictureDiff& diff, int maxColumns) {
    if (!diff.sameSize || diff.differing == 0) return;
    const std::uint32_t margin = 2;
    const std::uint32_t left = diff.bounds.left > margin ? diff.bounds.left - margin : 0;
    const std::uint32_t top = diff.bounds.top > margin ? diff.bounds.top - margin : 0;
    const std::uint32_t right =
        std::min({diff.bounds.right + margin, a.width, left + static_cast<std::uint32_t>(maxColumns)});
    const std::uint32_t bottom = std::min(diff.bounds.bottom + margin, a.height);
    out << "  columns " << left << " to " << right - 1 << ", rows " << top << " to " << bottom - 1 << "\n";
    for (std::uint32_t y = top; y < bottom; ++y) {
        std::string line = "  ";
        for (std::uint32_t x = left; x < right; ++x) {
            const bool inkA = Ink(a, x, y);
            const bool inkB = Ink(b, x, y);
            if (Same(a, b, x, y)) {
                line += inkA ? '#' : '.';
            } else {
                line += inkA && inkB ? 'x' : (inkA ? 'a' : 'b');
            }
        }
        out << line << "\n";
    }
}

}  // namespace quorvel::test
