#include "corpus/SceneDib.h"

#include <algorithm>

namespace quorvel::corpus {

GdiObject MakePen(int width, COLORREF colour) { return GdiObject(CreatePen(PS_SOLID, width, colour)); }

GdiObject MakeBrush(COLORREF colour) { return GdiObject(CreateSolidBrush(colour)); }

GdiObject MakeCellFont(int width, int height) {
    return GdiObject(CreateFontA(height, width, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                                 FIXED_PITCH | FF_MODERN, "DejaVu Sans Mono"));
}

SceneDib::SceneDib(int width, int height, bool bottomUp)
    : width(width), height(height), bottomUp(bottomUp), dc(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = bottomUp ? height : -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* memory = nullptr;
    bitmap.reset(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &memory, nullptr, 0));
    if (!bitmap || memory == nullptr) return;
    defaultBitmap = SelectObject(dc.get(), bitmap.get());
    bits = static_cast<std::uint32_t*>(memory);
    Fill(kBackground);
}

SceneDib::~SceneDib() {
    // Stock objects back in, so that whatever the scene selected can be
    // freed in any order; the owners free the bitmap and the device context.
    if (!dc) return;
    SelectObject(dc.get(), GetStockObject(BLACK_PEN));
    SelectObject(dc.get(), GetStockObject(WHITE_BRUSH));
    SelectObject(dc.get(), GetStockObject(SYSTEM_FONT));
    if (defaultBitmap != nullptr) SelectObject(dc.get(), defaultBitmap);
}

void SceneDib::Fill(std::uint32_t pixel) {
    if (bits != nullptr) std::fill(bits, bits + static_cast<std::ptrdiff_t>(width) * height, pixel);
}

std::uint32_t& SceneDib::At(int x, int y) {
    const int row = bottomUp ? height - 1 - y : y;
    return bits[static_cast<std::ptrdiff_t>(row) * width + x];
}

std::vector<std::uint32_t> SceneDib::TopDown() const {
    std::vector<std::uint32_t> image;
    if (bits == nullptr) return image;
    image.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* row = bits + static_cast<std::ptrdiff_t>(bottomUp ? height - 1 - y : y) * width;
        image.insert(image.end(), row, row + width);
    }
    return image;
}

}  // namespace quorvel::corpus
