// What a bench-host picture of the page must show, checked on the PNG files
// the bench host writes on either system: text in each of the readout
// column's eight rows and the attitude ball's sky and ground in the upper
// two thirds.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/Colour.h"
#include "tests/support/PngReader.h"

namespace quorvel::test {

// A picture as the PNG reader gives it.
using Picture = Png;

// [left, right) x [top, bottom), in pixels.
struct Box {
    std::uint32_t left = 0;
    std::uint32_t top = 0;
    std::uint32_t right = 0;
    std::uint32_t bottom = 0;
};

// Pixels inside box (clipped to the picture) whose every channel is within
// tolerance of colour.
std::uint64_t CountNear(const Picture& picture, Rgb colour, int tolerance, Box box);

// Row 0 to 7 of the readout column: eight character cells of the bench
// host's MFD font from one cell in from the left edge, the first row one
// cell below the top third.
Box ReadoutRow(std::uint32_t width, std::uint32_t height, int row);

inline constexpr Rgb kReadoutInk{0xC0, 0xC0, 0xC0};
// The ball's flat colours, from GL's 0 to 1 levels: sky (0, 0.63, 0.65)
// and ground (0.38, 0.25, 0.15).
inline constexpr Rgb kSky{0, 161, 166};
inline constexpr Rgb kGround{97, 64, 38};
// GL may round a level either way.
inline constexpr int kBallTolerance = 2;

struct PageFindings {
    std::array<std::uint64_t, 8> readoutInk{};  // readout-grey pixels in each row
    std::uint64_t sky = 0;                      // ball colours in the upper two thirds
    std::uint64_t ground = 0;
};

PageFindings Inspect(const Picture& picture);

// What the picture lacks of the page, one line each; empty when it shows it.
std::vector<std::string> Problems(const Picture& picture, const PageFindings& findings, bool expectBall);

// The findings in one line, for the log.
std::string Describe(const PageFindings& findings);

}  // namespace quorvel::test
