// Writing a picture as a PNG file, on either system: libpng on Linux, the
// Windows Imaging Component on Windows.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Win32.h"

namespace quorvel::platform {

// How the rows are packed. Flat: no row filters and the strongest deflate
// level (on Windows, no row filters), which packs pictures of large flat
// areas such as a contact sheet a third smaller than Standard, and is
// slower to write.
enum class PngPacking { Standard, Flat };

// Writes an 8-bit RGB PNG of width by height pixels, each a 32-bit DIB
// pixel 0x00RRGGBB, rows top first and packed without padding. False when
// there are no pixels or the file cannot be written (it may then be left
// partly written); `why`, when given, then says why in the system's words.
QUORVEL_PLATFORM_API bool WritePng(const std::string& path, std::uint32_t width, std::uint32_t height,
                                   const std::uint32_t* pixels, std::string* why = nullptr,
                                   PngPacking packing = PngPacking::Standard);

}  // namespace quorvel::platform
