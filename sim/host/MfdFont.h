// The bench host's MFD font: the surface holds 25 rows of 40 characters,
// so a character cell is width / 40 by height / 25 pixels (16 by 10 on a
// 400 by 400 MFD). A surface too small for one row or column gets a cell
// of 0 in that direction.
#pragma once

#include <cstdint>

namespace quorvel::sim {

inline constexpr std::uint32_t kMfdTextColumns = 40;
inline constexpr std::uint32_t kMfdTextRows = 25;

struct CharCell {
    std::uint32_t width;
    std::uint32_t height;
};

constexpr CharCell MfdCharCell(std::uint32_t surfaceWidth, std::uint32_t surfaceHeight) {
    return {surfaceWidth / kMfdTextColumns, surfaceHeight / kMfdTextRows};
}

}  // namespace quorvel::sim
