// A display surface on the bench host: a memory device context holding a
// 32-bit DIB section, with a font of a character cell selected, which a
// page repaints into and the host saves as a PNG. An MFD's surface is
// top-down (a negative height), so memory rows are image rows; tests also
// make bottom-up ones, whose rows run as GL's do, and ones that keep the
// device context's own font.
//
// A surface whose DIB section cannot be made (a zero or huge size) still
// has a valid device context, which paints nothing; its pixels read as 0
// and it writes no PNG. Every GDI object it makes is freed with it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/Handles.h"
#include "platform/PngWriter.h"
#include "platform/Win32.h"
#include "sim/host/MfdFont.h"

namespace quorvel::sim {

enum class RowOrder { TopDown, BottomUp };

class QUORVEL_BENCH_HOST_API MfdSurface {
public:
    // An MFD's: top-down, with the bench host's MFD font.
    MfdSurface(std::uint32_t width, std::uint32_t height);
    // With a font of the given cell (none: the device context's own).
    MfdSurface(std::uint32_t width, std::uint32_t height, std::optional<CharCell> font,
               RowOrder rows = RowOrder::TopDown);
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
    // Every pixel this DIB value.
    void Fill(std::uint32_t pixel);
    // The DIB's value at image position (x, y), y downward whatever the row
    // order: 0x00RRGGBB, the top byte as stored (GDI leaves it 0). 0 outside
    // the surface.
    std::uint32_t Pixel(std::uint32_t x, std::uint32_t y) const;
    // Every pixel in memory order: top row first on a top-down surface,
    // bottom row first on a bottom-up one. Empty when there are no pixels.
    std::span<std::uint32_t> Pixels();
    std::span<const std::uint32_t> Pixels() const;
    // An 8-bit RGB PNG of the image, top row first; false when there are
    // no pixels or the file cannot be written, and then `why`, when given,
    // says why.
    bool WritePng(const std::string& path, std::string* why = nullptr,
                  platform::PngPacking packing = platform::PngPacking::Standard) const;

private:
    std::uint32_t width;
    std::uint32_t height;
    RowOrder rows;
    // Declared before the device context, so freed after it has let go of them.
    platform::GdiObjectHandle<HFONT> font;
    platform::GdiObjectHandle<HBITMAP> bitmap;
    platform::DcHandle dc;
    std::uint32_t* pixels = nullptr;  // the DIB section's memory
};

}  // namespace quorvel::sim
