// The page's colours as GDI takes them, COLORREF 0x00BBGGRR.
#pragma once

#include "platform/Win32.h"

namespace quorvel {

inline constexpr COLORREF kLightGrey = 0xC0C0C0;   // text, scales
inline constexpr COLORREF kGrey = 0x808080;        // the dials' rates, the dots
inline constexpr COLORREF kGreen = 0x00C000;       // pointers' outlines, the predictor
inline constexpr COLORREF kDarkGreen = 0x008000;   // pointers, a rising rate
inline constexpr COLORREF kDarkRed = 0x000080;     // a falling rate
inline constexpr COLORREF kWhite = 0xFFFFFF;       // the aircraft symbol
inline constexpr COLORREF kBrightGreen = 0x00FF00; // the flight-path marker

}  // namespace quorvel
