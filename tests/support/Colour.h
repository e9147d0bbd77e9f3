// Colours as tests compare them: 8-bit components, with a tolerance where
// GL may round a level either way.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/PixelColour.h"
#include "platform/Win32.h"

namespace quorvel::test {

struct Rgb {
    int r;
    int g;
    int b;
    bool operator==(const Rgb&) const = default;
};

// The 8-bit value OpenGL stores for a colour component in [0, 1].
constexpr int GlByte(double component) { return static_cast<int>(component * 255.0 + 0.5); }
constexpr Rgb GlColour(double r, double g, double b) { return {GlByte(r), GlByte(g), GlByte(b)}; }

// A DIB pixel's colour.
constexpr Rgb RgbOf(std::uint32_t pixel) {
    const COLORREF colour = platform::ColourOfPixel(pixel);
    return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

// Whether two colours are within tolerance in every component.
inline bool Near(Rgb actual, Rgb expected, int tolerance) {
    return std::abs(actual.r - expected.r) <= tolerance && std::abs(actual.g - expected.g) <= tolerance &&
           std::abs(actual.b - expected.b) <= tolerance;
}

inline std::string Describe(Rgb colour) {
    return "(" + std::to_string(colour.r) + ", " + std::to_string(colour.g) + ", " + std::to_string(colour.b) + ")";
}

}  // namespace quorvel::test
