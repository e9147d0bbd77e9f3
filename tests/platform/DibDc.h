// Test helpers: a memory device context holding a 32-bit DIB section, read
// back pixel by pixel, and a fixture that fails a test whose GDI objects
// outlive it.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/Win32.h"
#include "platform/linux/PlatformDiagnostics.h"

namespace quorvel::testing {

// A pixel as the DIB stores it: 0x00RRGGBB.
constexpr std::uint32_t Dib(COLORREF colour) {
    return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

class DibDc {
public:
    DibDc(int width, int height, bool bottomUp = false) : width(width), height(height) {
        dc = CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, bottomUp ? height : -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* memory = nullptr;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
        bits = static_cast<std::uint32_t*>(memory);
        previous = SelectObject(dc, bitmap);
        memoryRowOfTop = bottomUp ? height - 1 : 0;
        step = bottomUp ? -1 : 1;
    }
    ~DibDc() {
        SelectObject(dc, GetStockObject(BLACK_PEN));
        SelectObject(dc, GetStockObject(WHITE_BRUSH));
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    DibDc(const DibDc&) = delete;
    DibDc& operator=(const DibDc&) = delete;

    // The whole DWORD at image coordinates, y downward, whatever the row
    // order in memory: GDI leaves the top byte 0.
    std::uint32_t At(int x, int y) const { return MemoryRow(memoryRowOfTop + step * y)[x]; }
    const std::uint32_t* MemoryRow(int row) const { return bits + static_cast<std::ptrdiff_t>(row) * width; }
    void Fill(std::uint32_t pixel) { std::fill(bits, bits + static_cast<std::ptrdiff_t>(width) * height, pixel); }
    int Count(std::uint32_t pixel) const {
        return static_cast<int>(std::count(bits, bits + static_cast<std::ptrdiff_t>(width) * height, pixel));
    }
    // The image rows, top first, for comparing whole pictures.
    std::vector<std::uint32_t> Image() const {
        std::vector<std::uint32_t> image;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) image.push_back(At(x, y));
        return image;
    }

    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    std::uint32_t* bits = nullptr;
    const int width;
    const int height;

private:
    HGDIOBJ previous = nullptr;
    int memoryRowOfTop = 0;
    int step = 1;
};

class GdiLeakCheckedTest : public ::testing::Test {
protected:
    void SetUp() override { before = platform::LiveGdiObjects().Total(); }
    void TearDown() override { EXPECT_EQ(platform::LiveGdiObjects().Total(), before) << "GDI objects leaked"; }

private:
    int before = 0;
};

}  // namespace quorvel::testing
