// One MFD's display surface on the bench host: a memory device context
// holding a 32-bit DIB section of the MFD's size, with a font of the MFD's
// character cell selected, which a page repaints into and the host saves
// as a PNG.
//
// The DIB section is top-down (a negative height): memory rows are image
// rows, so pixel access and the PNG need no flipping. Bottom-up images still
// get drawn into, by the module's own off-screen DIB sections.
//
// A surface whose DIB section cannot be made (a zero or huge size) still
// has a valid device context, which paints nothing; its pixels read as 0
// and it writes no PNG. Every GDI object it makes is freed with it.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "platform/Handles.h"
#include "platform/Win32.h"
#include "sim/host/MfdFont.h"

namespace quorvel::sim {

class HLVAPI MfdSurface {
public:
    // With the bench host's MFD font, or with a font of the given cell.
    MfdSurface(std::uint32_t width, std::uint32_t height);
    MfdSurface(std::uint32_t width, std::uint32_t height, CharCell cell);
    ~MfdSurface();
    MfdSurface(const MfdSurface&) = delete;
    MfdSurface& operator=(const MfdSurface&) = delete;

    HDC Dc() const { return dc.get(); }
    std::uint32_t Width() const { return width; }
    std::uint32_t Height() const { return height; }
    // Whether there are pixels to draw into.
    bool HasPixels() const { return pixels != nullptr; }

    // Black, as before each repaint.
    void Clear() { Fill(0); }
    // Every pixel the DIB's 0x00RRGGBB value.
    void Fill(std::uint32_t pixel);
    // The pixel as the DIB holds it, 0x00RRGGBB; 0 outside the surface.
    std::uint32_t Pixel(std::uint32_t x, std::uint32_t y) const;
    // Every pixel, top row first, for the host's own compositing; empty
    // when there are no pixels. The top byte of each is unused.
    std::span<std::uint32_t> Pixels();
    std::span<const std::uint32_t> Pixels() const;
    // An 8-bit RGB PNG of the surface; false when there are no pixels or
    // the file cannot be written, and then `why`, when given, says why.
    bool WritePng(const std::string& path, std::string* why = nullptr) const;

private:
    std::uint32_t width;
    std::uint32_t height;
    // Declared before the device context, so freed after it has let go of them.
    platform::GdiObjectHandle<HFONT> font;
    platform::GdiObjectHandle<HBITMAP> bitmap;
    platform::DcHandle dc;
    std::uint32_t* pixels = nullptr;  // the DIB section's memory, top row first
};

}  // namespace quorvel::sim
