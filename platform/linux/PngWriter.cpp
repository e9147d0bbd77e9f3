#include "platform/PngWriter.h"

#include <png.h>

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <new>
#include <vector>

namespace quorvel::platform {

namespace {

// Empty when written; otherwise why not.
std::string WriteRgbPng(const std::string& path, std::uint32_t width, std::uint32_t height,
                        const std::uint32_t* pixels) {
    if (pixels == nullptr || width == 0 || height == 0) return "no pixels";
    const std::size_t count = std::size_t{width} * height;
    std::vector<png_byte> rgb;
    try {
        rgb.resize(count * 3);
    } catch (const std::bad_alloc&) {
        return std::strerror(ENOMEM);
    }
    for (std::size_t i = 0; i < count; ++i) {
        rgb[3 * i] = static_cast<png_byte>(pixels[i] >> 16);
        rgb[3 * i + 1] = static_cast<png_byte>(pixels[i] >> 8);
        rgb[3 * i + 2] = static_cast<png_byte>(pixels[i]);
    }
    // libpng's simplified interface reports failure by its return value,
    // with no longjmp across this function.
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = width;
    image.height = height;
    image.format = PNG_FORMAT_RGB;
    errno = 0;
    const bool written = png_image_write_to_file(&image, path.c_str(), 0, rgb.data(),
                                                 static_cast<png_int_32>(width * 3), nullptr) != 0;
    // libpng names a failed write only as such; the system's error says why.
    const int error = errno;
    png_image_free(&image);
    if (written) return "";
    return error != 0 ? std::strerror(error) : image.message;
}

}  // namespace

bool WritePng(const std::string& path, std::uint32_t width, std::uint32_t height, const std::uint32_t* pixels,
              std::string* why) {
    const std::string failure = WriteRgbPng(path, width, height, pixels);
    if (!failure.empty() && why != nullptr) *why = failure;
    return failure.empty();
}

}  // namespace quorvel::platform
