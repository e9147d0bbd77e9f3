// A 32-bit top-down DIB surface written as a PNG, with no library: the
// image data goes in stored (uncompressed) deflate blocks.
#pragma once

#include <cstdint>

namespace testhost {

// False when the file cannot be written whole.
bool WritePng(const char* path, const std::uint32_t* pixels, unsigned int width, unsigned int height);

}  // namespace testhost
