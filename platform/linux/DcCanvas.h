// What a device context draws into: the 32-bit DIB section selected into
// it, seen as rows of pixels.
//
// Attached when a DIB section is selected and detached when it is
// deselected or the device context is deleted. Coordinates are GDI's,
// top-down, whichever way the DIB stores its rows: for a bottom-up DIB the
// rows are addressed in reverse.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/PixelColour.h"
#include "platform/Win32.h"
#include "platform/linux/LineRaster.h"

namespace quorvel::platform {

class DcCanvas {
public:
    DcCanvas() = default;
    DcCanvas(const DcCanvas&) = delete;
    DcCanvas& operator=(const DcCanvas&) = delete;

    // Draws into width × height pixels at memory from now on; the memory
    // must outlive the attachment.
    void Attach(std::uint32_t* memory, LONG width, LONG height, bool bottomUp);
    void Detach();

    bool Attached() const { return firstRow != nullptr; }
    long long Width() const { return width; }
    long long Height() const { return height; }
    // The bitmap grown by margin pixels on every side.
    ClipRect Bounds(long long margin = 0) const { return {-margin, -margin, width + margin, height + margin}; }

    // Pixel writes; anything outside the bitmap is ignored.
    void Plot(long long x, long long y, std::uint32_t pixel) {
        if (x >= 0 && x < width && y >= 0 && y < height) Row(y)[x] = pixel;
    }
    // Columns x0 … x1 − 1 of row y.
    void FillSpan(long long y, long long x0, long long x1, std::uint32_t pixel);
    void FillRect(long long left, long long top, long long right, long long bottom, std::uint32_t pixel);

private:
    std::uint32_t* Row(long long y) const { return firstRow + static_cast<std::ptrdiff_t>(y) * rowStep; }

    std::uint32_t* firstRow = nullptr;  // image row 0, the top
    std::ptrdiff_t rowStep = 0;         // from one image row to the next, in pixels
    long long width = 0;
    long long height = 0;
};

}  // namespace quorvel::platform
