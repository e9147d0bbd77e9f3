// Reading back the PNG files the bench host and the platform write.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace quorvel::test {

// An 8-bit RGB image, rows top first.
struct Png {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> rgb;

    // The pixel as a DIB holds it, 0x00RRGGBB.
    std::uint32_t Pixel(std::uint32_t x, std::uint32_t y) const {
        const std::size_t i = (std::size_t{y} * width + x) * 3;
        return std::uint32_t{rgb[i]} << 16 | std::uint32_t{rgb[i + 1]} << 8 | rgb[i + 2];
    }
};

// False when the file is not a whole, readable PNG; `why`, when given,
// then says why in libpng's words.
bool ReadPng(const std::filesystem::path& path, Png& png, std::string* why = nullptr);

}  // namespace quorvel::test
