// What a bench-host picture of the page must show, checked on the PNG files
// the bench host writes on either system: text in each of the readout
// column's eight rows and, once the page draws the attitude ball, the
// ball's sky and ground in the upper two thirds.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorvel::pictures {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
};

// An 8-bit RGB image, rows top first.
struct Picture {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> rgb;

    Rgb At(std::uint32_t x, std::uint32_t y) const;
};

// Reads a PNG as 8-bit RGB; nullopt, with the reason in error, when it cannot.
std::optional<Picture> ReadPicture(const std::string& path, std::string& error);

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

// Whether the page's repaint draws the attitude ball, so that every picture
// must show its sky and ground. Switch on once it does; check-page-pictures
// takes --ball or --no-ball to override it.
inline constexpr bool kPageDrawsTheBall = true;

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

}  // namespace quorvel::pictures
