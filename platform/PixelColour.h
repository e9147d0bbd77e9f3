// A GDI colour and the 32-bit DIB pixel it paints, both ways: a COLORREF
// is 0x00BBGGRR, a DIB pixel 0x00RRGGBB. The top byte of either is not
// colour and is dropped.
#pragma once

#include <cstdint>

#include "platform/Win32.h"

namespace quorvel::platform {

constexpr std::uint32_t DibPixel(COLORREF colour) {
    return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

constexpr COLORREF ColourOfPixel(std::uint32_t pixel) {
    return RGB(static_cast<BYTE>(pixel >> 16), static_cast<BYTE>(pixel >> 8), static_cast<BYTE>(pixel));
}

}  // namespace quorvel::platform
