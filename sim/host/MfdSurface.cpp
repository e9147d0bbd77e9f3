#include "sim/host/MfdSurface.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace quorvel::sim {

MfdSurface::MfdSurface(std::uint32_t width, std::uint32_t height)
    : MfdSurface(width, height, MfdCharCell(width, height)) {}

MfdSurface::MfdSurface(std::uint32_t width, std::uint32_t height, std::optional<CharCell> cell, RowOrder rows)
    : width(width), height(height), rows(rows), dc(CreateCompatibleDC(nullptr)) {
    if (!dc) return;
    if (cell) {
        // A cell of 0 asks GDI for its default size, as CreateFontA's 0 does.
        font.reset(CreateFontA(static_cast<int>(cell->height), static_cast<int>(cell->width), 0, 0, FW_NORMAL,
                               FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                               NONANTIALIASED_QUALITY, FIXED_PITCH | FF_MODERN, "DejaVu Sans Mono"));
        if (font) SelectObject(dc.get(), font.get());
    }

    if (width == 0 || height == 0 || width > INT32_MAX || height > INT32_MAX) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    // A negative height asks for the top row first.
    info.bmiHeader.biHeight = rows == RowOrder::TopDown ? -static_cast<LONG>(height) : static_cast<LONG>(height);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap.reset(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr || SelectObject(dc.get(), bitmap.get()) == nullptr) return;
    pixels = static_cast<std::uint32_t*>(bits);
}

MfdSurface::~MfdSurface() = default;

void MfdSurface::Fill(std::uint32_t pixel) {
    if (pixels != nullptr) std::fill(pixels, pixels + std::size_t{width} * height, pixel);
}

std::uint32_t MfdSurface::Pixel(std::uint32_t x, std::uint32_t y) const {
    if (pixels == nullptr || x >= width || y >= height) return 0;
    const std::uint32_t row = rows == RowOrder::TopDown ? y : height - 1 - y;
    return pixels[std::size_t{row} * width + x];
}

std::span<std::uint32_t> MfdSurface::Pixels() {
    if (pixels == nullptr) return {};
    return {pixels, std::size_t{width} * height};
}

std::span<const std::uint32_t> MfdSurface::Pixels() const {
    if (pixels == nullptr) return {};
    return {pixels, std::size_t{width} * height};
}

bool MfdSurface::WritePng(const std::string& path, std::string* why, platform::PngPacking packing) const {
    if (rows == RowOrder::TopDown || pixels == nullptr) {
        return platform::WritePng(path, width, height, pixels, why, packing);
    }
    std::vector<std::uint32_t> image(std::size_t{width} * height);
    for (std::uint32_t y = 0; y < height; ++y) {
        const std::uint32_t* row = pixels + std::size_t{height - 1 - y} * width;
        std::copy(row, row + width, image.begin() + static_cast<std::ptrdiff_t>(std::size_t{y} * width));
    }
    return platform::WritePng(path, width, height, image.data(), why, packing);
}

}  // namespace quorvel::sim
