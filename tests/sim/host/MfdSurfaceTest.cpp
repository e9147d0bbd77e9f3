// The bench host's MFD surface: its device context, font, pixels and PNGs.

#include "sim/host/MfdSurface.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/linux/PlatformDiagnostics.h"

namespace {

using quorvel::sim::MfdSurface;

struct PngFile {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colourType = -1;
    std::vector<png_byte> rgb;
};

// Reads the header's bit depth and colour type as stored, then the pixels
// through libpng's reader.
bool ReadPng(const std::string& path, PngFile& file) {
    std::FILE* stream = std::fopen(path.c_str(), "rb");
    if (stream == nullptr) return false;
    unsigned char header[26] = {};
    const bool complete = std::fread(header, 1, sizeof header, stream) == sizeof header;
    std::fclose(stream);
    if (!complete) return false;
    file.bitDepth = header[24];
    file.colourType = header[25];

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return false;
    image.format = PNG_FORMAT_RGB;
    file.width = image.width;
    file.height = image.height;
    file.rgb.resize(PNG_IMAGE_SIZE(image));
    const bool read = png_image_finish_read(&image, nullptr, file.rgb.data(), 0, nullptr) != 0;
    png_image_free(&image);
    return read;
}

class MfdSurfaceTest : public ::testing::Test {
protected:
    void SetUp() override { before = quorvel::platform::LiveGdiObjects().Total(); }
    void TearDown() override { EXPECT_EQ(quorvel::platform::LiveGdiObjects().Total(), before) << "leaked"; }

    int before = 0;
};

TEST_F(MfdSurfaceTest, HoldsATopDownImageWithTheMfdCellFontSelected) {
    MfdSurface surface(400, 400);
    ASSERT_TRUE(surface.HasPixels());
    HPEN white = static_cast<HPEN>(GetStockObject(WHITE_PEN));
    SelectObject(surface.Dc(), white);
    MoveToEx(surface.Dc(), 3, 0, nullptr);
    LineTo(surface.Dc(), 6, 0);
    EXPECT_EQ(surface.Pixel(4, 0), 0xFFFFFFu) << "row 0 is the top";
    EXPECT_EQ(surface.Pixel(4, 399), 0u);
    EXPECT_EQ(surface.Pixel(400, 0), 0u) << "outside reads as 0";

    // A 400 by 400 MFD has 10 by 16 cells: three characters advance 30.
    SetTextAlign(surface.Dc(), TA_UPDATECP);
    MoveToEx(surface.Dc(), 0, 100, nullptr);
    TextOutA(surface.Dc(), 0, 0, "ALT", 3);
    POINT position{};
    MoveToEx(surface.Dc(), 0, 0, &position);
    EXPECT_EQ(position.x, 30);
    bool painted = false;
    for (std::uint32_t x = 0; x < 30; ++x) painted |= surface.Pixel(x, 115) == 0xFFFFFFu;
    EXPECT_TRUE(painted) << "the opaque background fills the cell's last row";
    EXPECT_EQ(surface.Pixel(5, 116), 0u) << "and stops below it";

    surface.Clear();
    EXPECT_EQ(surface.Pixel(4, 0), 0u);
    EXPECT_EQ(surface.Pixel(5, 110), 0u);
}

TEST_F(MfdSurfaceTest, PngHoldsEveryPixelAsEightBitRgb) {
    MfdSurface surface(256, 200);
    surface.Clear();
    HDC dc = surface.Dc();
    HPEN pen = CreatePen(PS_SOLID, 3, RGB(0, 128, 0));
    HBRUSH brush = CreateSolidBrush(RGB(200, 100, 50));
    SelectObject(dc, pen);
    SelectObject(dc, brush);
    Ellipse(dc, 20, 20, 120, 120);
    Arc(dc, 130, 10, 250, 130, 250, 70, 190, 10);
    SetTextColor(dc, RGB(255, 255, 0));
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, 10, 150, "MACH 0.82 ALT 12345", 19);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(pen);
    DeleteObject(brush);

    const std::string path = ::testing::TempDir() + "gdi-scene.png";
    ASSERT_TRUE(surface.WritePng(path));
    PngFile file;
    ASSERT_TRUE(ReadPng(path, file));
    EXPECT_EQ(file.width, 256u);
    EXPECT_EQ(file.height, 200u);
    EXPECT_EQ(file.bitDepth, 8);
    EXPECT_EQ(file.colourType, PNG_COLOR_TYPE_RGB);
    int differences = 0;
    for (std::uint32_t y = 0; y < 200; ++y) {
        for (std::uint32_t x = 0; x < 256; ++x) {
            const png_byte* rgb = &file.rgb[(std::size_t{y} * 256 + x) * 3];
            const std::uint32_t read = (std::uint32_t{rgb[0]} << 16) | (std::uint32_t{rgb[1]} << 8) | rgb[2];
            differences += read != surface.Pixel(x, y);
        }
    }
    EXPECT_EQ(differences, 0);
    EXPECT_EQ(surface.Pixel(70, 70), 0xC86432u) << "brush inside the ellipse, red first";
    EXPECT_FALSE(surface.WritePng("/nonexistent-directory/scene.png"));
}

TEST_F(MfdSurfaceTest, ASurfaceWithoutPixelsStillHasAWorkingDc) {
    for (const auto& [w, h] : {std::pair{0u, 0u}, std::pair{400u, 0u}, std::pair{70000u, 70000u},
                               std::pair{0xFFFFFFFFu, 1u}}) {
        MfdSurface surface(w, h);
        ASSERT_NE(surface.Dc(), nullptr);
        EXPECT_FALSE(surface.HasPixels());
        surface.Clear();
        EXPECT_TRUE(Ellipse(surface.Dc(), 0, 0, 50, 50));
        EXPECT_TRUE(TextOutA(surface.Dc(), 0, 0, "x", 1));
        EXPECT_EQ(surface.Pixel(0, 0), 0u);
        EXPECT_FALSE(surface.WritePng(::testing::TempDir() + "never-written.png"));
    }
    std::FILE* stray = std::fopen((::testing::TempDir() + "never-written.png").c_str(), "rb");
    EXPECT_EQ(stray, nullptr);
    if (stray != nullptr) std::fclose(stray);
}

}  // namespace
