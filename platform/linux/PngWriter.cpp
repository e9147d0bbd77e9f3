#include "platform/PngWriter.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

namespace quorvel::platform {

namespace {

// libpng's simplified writer: adaptive row filters, the default level.
// It reports failure by its return value, with no longjmp across this
// function. Empty when written; otherwise why not.
std::string WriteStandard(const std::string& path, std::uint32_t width, std::uint32_t height,
                          const std::vector<png_byte>& rgb) {
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

// libpng's message, copied: it may live in the frame the longjmp leaves.
struct PngFailure {
    char message[128] = "cannot start libpng";
};

[[noreturn]] void OnPngError(png_structp png, png_const_charp message) {
    auto* failure = static_cast<PngFailure*>(png_get_error_ptr(png));
    std::snprintf(failure->message, sizeof failure->message, "%s", message);
    png_longjmp(png, 1);
}

// libpng's full writer, which leaves by longjmp on an error: between here
// and libpng nothing has a destructor to skip, and what the error handler
// writes lives in the caller. False, with libpng's message in failure, when
// it fails.
bool WriteFlatRows(std::FILE* file, std::uint32_t width, std::uint32_t height, const png_byte* rgb,
                   PngFailure* failure) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, failure, OnPngError, nullptr);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (std::uint32_t y = 0; y < height; ++y) png_write_row(png, rgb + std::size_t{y} * width * 3);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

std::string WriteFlat(const std::string& path, std::uint32_t width, std::uint32_t height,
                      const std::vector<png_byte>& rgb) {
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return std::strerror(errno);
    PngFailure failure;
    const bool written = WriteFlatRows(file, width, height, rgb.data(), &failure);
    // libpng names a failed write only as such; the system's error says why.
    int error = errno;
    const bool closed = std::fclose(file) == 0;
    if (written && closed) return "";
    if (written) error = errno;
    return error != 0 ? std::strerror(error) : failure.message;
}

// Empty when written; otherwise why not.
std::string WriteRgbPng(const std::string& path, std::uint32_t width, std::uint32_t height,
                        const std::uint32_t* pixels, PngPacking packing) {
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
    return packing == PngPacking::Flat ? WriteFlat(path, width, height, rgb) : WriteStandard(path, width, height, rgb);
}

}  // namespace

bool WritePng(const std::string& path, std::uint32_t width, std::uint32_t height, const std::uint32_t* pixels,
              std::string* why, PngPacking packing) {
    const std::string failure = WriteRgbPng(path, width, height, pixels, packing);
    if (!failure.empty() && why != nullptr) *why = failure;
    return failure.empty();
}

}  // namespace quorvel::platform
