// The bench host's MFD surface: its device context, font, pixels and PNGs.

#include "sim/host/MfdSurface.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/LeakCheck.h"
#include "tests/support/PngReader.h"

namespace {

using quorvel::sim::MfdSurface;

// The bit depth and colour type a PNG file's header stores.
bool ReadPngHeader(const std::string& path, int& bitDepth, int& colourType) {
    std::FILE* stream = std::fopen(path.c_str(), "rb");
    if (stream == nullptr) return false;
    unsigned char header[26] = {};
    const bool complete = std::fread(header, 1, sizeof header, stream) == sizeof header;
    std::fclose(stream);
    bitDepth = header[24];
    colourType = header[25];
    return complete;
}

using MfdSurfaceTest = quorvel::test::LeakCheckedTest;

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
    int bitDepth = 0;
    int colourType = -1;
    ASSERT_TRUE(ReadPngHeader(path, bitDepth, colourType));
    EXPECT_EQ(bitDepth, 8);
    EXPECT_EQ(colourType, PNG_COLOR_TYPE_RGB);
    quorvel::test::Png file;
    ASSERT_TRUE(quorvel::test::ReadPng(path, file));
    EXPECT_EQ(file.width, 256u);
    EXPECT_EQ(file.height, 200u);
    int differences = 0;
    for (std::uint32_t y = 0; y < 200; ++y) {
        for (std::uint32_t x = 0; x < 256; ++x) differences += file.Pixel(x, y) != surface.Pixel(x, y);
    }
    EXPECT_EQ(differences, 0);
    EXPECT_EQ(surface.Pixel(70, 70), 0xC86432u) << "brush inside the ellipse, red first";
    EXPECT_FALSE(surface.WritePng("/nonexistent-directory/scene.png"));

    // Packed flat, the same pixels; a failed write says why, from opening
    // the file or from libpng's write.
    const std::string flatPath = ::testing::TempDir() + "gdi-scene-flat.png";
    ASSERT_TRUE(surface.WritePng(flatPath, nullptr, quorvel::platform::PngPacking::Flat));
    quorvel::test::Png flat;
    ASSERT_TRUE(quorvel::test::ReadPng(flatPath, flat));
    EXPECT_EQ(flat.rgb, file.rgb);
    std::string why;
    EXPECT_FALSE(surface.WritePng("/nonexistent-directory/scene.png", &why, quorvel::platform::PngPacking::Flat));
    EXPECT_EQ(why, "No such file or directory");
    EXPECT_FALSE(surface.WritePng("/dev/full", &why, quorvel::platform::PngPacking::Flat));
    EXPECT_EQ(why, "No space left on device");
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
