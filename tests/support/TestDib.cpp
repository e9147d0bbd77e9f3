#include "support/TestDib.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace quorvel::test {

TestDib::TestDib(int width, int height, bool bottomUp)
    : width(width), height(height), bottomUp(bottomUp), dc(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = bottomUp ? height : -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* memory = nullptr;
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    bits = static_cast<std::uint32_t*>(memory);
    previous = SelectObject(dc, bitmap);
}

TestDib::~TestDib() {
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

const std::uint32_t* TestDib::MemoryRow(int row) const {
    return bits + static_cast<std::size_t>(row) * static_cast<std::size_t>(width);
}

std::uint32_t TestDib::Pixel(int x, int y) const { return MemoryRow(bottomUp ? height - 1 - y : y)[x]; }

Rgb TestDib::Colour(int x, int y) const {
    const std::uint32_t value = Pixel(x, y);
    return {static_cast<int>((value >> 16) & 0xFF), static_cast<int>((value >> 8) & 0xFF),
            static_cast<int>(value & 0xFF)};
}

void TestDib::CopyFrom(HDC source) { BitBlt(dc, 0, 0, width, height, source, 0, 0, SRCCOPY); }

void TestDib::Fill(std::uint32_t value) {
    for (std::size_t i = 0, n = static_cast<std::size_t>(width) * static_cast<std::size_t>(height); i < n; ++i) {
        bits[i] = value;
    }
}

bool Near(Rgb actual, Rgb expected, int tolerance) {
    return std::abs(actual.r - expected.r) <= tolerance && std::abs(actual.g - expected.g) <= tolerance &&
           std::abs(actual.b - expected.b) <= tolerance;
}

std::string Describe(Rgb colour) {
    return "(" + std::to_string(colour.r) + ", " + std::to_string(colour.g) + ", " + std::to_string(colour.b) + ")";
}

bool WritePng(const TestDib& image, const std::string& path) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    std::vector<png_byte> row(static_cast<std::size_t>(image.Width()) * 3);
    if (setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.Width()), static_cast<png_uint_32>(image.Height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const Rgb colour = image.Colour(x, y);
            row[static_cast<std::size_t>(x) * 3] = static_cast<png_byte>(colour.r);
            row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<png_byte>(colour.g);
            row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<png_byte>(colour.b);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

bool WritePictureIfAsked(const TestDib& image, const std::string& name) {
    const char* directory = std::getenv("QUORVEL_PICTURE_DIR");
    if (directory == nullptr || *directory == '\0') return false;
    return WritePng(image, std::string(directory) + "/" + name + ".png");
}

}  // namespace quorvel::test
