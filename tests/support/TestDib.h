// A memory device context holding a 32-bit DIB section of its own, for
// tests that draw into one or copy an image out with BitBlt; and a PNG
// writer for looking at what was drawn.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Win32.h"

namespace quorvel::test {

struct Rgb {
    int r;
    int g;
    int b;
};

// The 8-bit value OpenGL stores for a colour component in [0, 1].
constexpr int GlByte(double component) { return static_cast<int>(component * 255.0 + 0.5); }
constexpr Rgb GlColour(double r, double g, double b) { return {GlByte(r), GlByte(g), GlByte(b)}; }

class TestDib {
public:
    // Bottom-up when bottomUp, as the ball's own image is; top-down otherwise.
    TestDib(int width, int height, bool bottomUp = false);
    ~TestDib();
    TestDib(const TestDib&) = delete;
    TestDib& operator=(const TestDib&) = delete;

    HDC Dc() const { return dc; }
    int Width() const { return width; }
    int Height() const { return height; }
    bool Ok() const { return bits != nullptr; }

    // The DWORD at image position (x, y), y downward.
    std::uint32_t Pixel(int x, int y) const;
    Rgb Colour(int x, int y) const;
    // Memory row `row` as stored, first row first.
    const std::uint32_t* MemoryRow(int row) const;

    // Copies width x height pixels of source from (0, 0) into this image.
    void CopyFrom(HDC source);
    void Fill(std::uint32_t value);

private:
    int width;
    int height;
    bool bottomUp;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    std::uint32_t* bits = nullptr;
};

// Whether two colours are within tolerance in every component.
bool Near(Rgb actual, Rgb expected, int tolerance);
std::string Describe(Rgb colour);

// Writes image to <directory>/<name>.png when the QUORVEL_PICTURE_DIR
// environment variable names a directory; returns whether it wrote.
bool WritePictureIfAsked(const TestDib& image, const std::string& name);
bool WritePng(const TestDib& image, const std::string& path);

}  // namespace quorvel::test
