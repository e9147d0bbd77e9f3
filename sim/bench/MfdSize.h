// An MFD's size in pixels as a run asks for it, on the command line or in
// a scenario file, and whether the platform can make a surface of it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quorvel::sim {

struct MfdSize {
    std::uint32_t width = 400;
    std::uint32_t height = 400;
};

// "400x300" as a size; nullopt unless both sides are 1 to 65535.
std::optional<MfdSize> ParseMfdSize(const std::string& text);

// Why the platform cannot make a surface of that size ("needs 512.1 MiB of
// pixels, more than ..."), or empty when it can.
std::string MfdSizeFault(MfdSize size);

}  // namespace quorvel::sim
