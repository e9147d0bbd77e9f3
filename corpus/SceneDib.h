// What every scene of the GDI corpus draws into and with: a memory device
// context holding a 32-bit DIB section, and owners for the pens, brushes
// and fonts a scene makes. Built against the real <windows.h> on Windows
// and the platform's stand-in on Linux, so it uses Win32 calls only.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Handles.h"
#include "platform/Win32.h"

namespace quorvel::corpus {

// What a scene's image holds before anything is drawn.
inline constexpr std::uint32_t kBackground = 0x000000;

// One pen, brush, font or bitmap the corpus made.
using GdiObject = platform::GdiObjectHandle<HGDIOBJ>;
using platform::DcHandle;

GdiObject MakePen(int width, COLORREF colour);
GdiObject MakeBrush(COLORREF colour);
// The bench host's MFD font for a character cell of width × height.
GdiObject MakeCellFont(int width, int height);

class SceneDib {
public:
    // Top-down unless bottomUp; every pixel kBackground.
    SceneDib(int width, int height, bool bottomUp = false);
    ~SceneDib();
    SceneDib(const SceneDib&) = delete;
    SceneDib& operator=(const SceneDib&) = delete;

    HDC Dc() const { return dc.get(); }
    int Width() const { return width; }
    int Height() const { return height; }
    bool Ok() const { return bits != nullptr; }

    void Fill(std::uint32_t pixel);
    // Pixel (x, y) of the image, y downward, whichever way rows are stored.
    std::uint32_t& At(int x, int y);
    // The image, top row first.
    std::vector<std::uint32_t> TopDown() const;

private:
    int width;
    int height;
    bool bottomUp;
    // Declared before the device context, so freed after it.
    GdiObject bitmap;
    DcHandle dc;
    HGDIOBJ defaultBitmap = nullptr;
    std::uint32_t* bits = nullptr;
};

}  // namespace quorvel::corpus
