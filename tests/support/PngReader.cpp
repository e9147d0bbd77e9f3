#include "tests/support/PngReader.h"

#include <png.h>

namespace quorvel::test {

bool ReadPng(const std::filesystem::path& path, Png& png, std::string* why) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.string().c_str()) == 0) {
        if (why != nullptr) *why = image.message;
        return false;
    }
    image.format = PNG_FORMAT_RGB;
    png.width = image.width;
    png.height = image.height;
    png.rgb.resize(PNG_IMAGE_SIZE(image));
    const bool read = png_image_finish_read(&image, nullptr, png.rgb.data(), 0, nullptr) != 0;
    if (!read && why != nullptr) *why = image.message;
    png_image_free(&image);
    return read;
}

}  // namespace quorvel::test
