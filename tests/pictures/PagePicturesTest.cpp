#include "tests/pictures/PagePictures.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "module/instruments/TextReadouts.h"
#include "platform/PngWriter.h"
#include "sim/host/MfdFont.h"

namespace quorvel::test {
namespace {

Picture Blank(std::uint32_t width, std::uint32_t height) {
    return Picture{width, height, std::vector<std::uint8_t>(std::size_t{width} * height * 3, 0)};
}

void Paint(Picture& picture, Box box, Rgb colour) {
    for (std::uint32_t y = box.top; y < box.bottom; ++y) {
        for (std::uint32_t x = box.left; x < box.right; ++x) {
            std::uint8_t* p = &picture.rgb[(std::size_t{y} * picture.width + x) * 3];
            p[0] = colour.r;
            p[1] = colour.g;
            p[2] = colour.b;
        }
    }
}

// A picture with a 3 by 4 block of readout grey in every row.
Picture WithReadouts(std::uint32_t width, std::uint32_t height) {
    Picture picture = Blank(width, height);
    for (int row = 0; row < 8; ++row) {
        const Box box = ReadoutRow(width, height, row);
        Paint(picture, {box.left, box.top, box.left + 3, box.top + 4}, kReadoutInk);
    }
    return picture;
}

TEST(PagePictures, ReadoutRowsStartWhereThePageWritesItsReadouts) {
    for (const auto& [width, height] : {std::pair{400u, 400u}, std::pair{256u, 256u}, std::pair{640u, 300u}}) {
        const sim::CharCell cell = sim::MfdCharCell(width, height);
        const ReadoutLayout layout = LayOutReadouts({width, height, cell.width, cell.height});
        for (int row = 0; row < 8; ++row) {
            const Box box = ReadoutRow(width, height, row);
            EXPECT_EQ(box.left, static_cast<std::uint32_t>(layout.column[row].x)) << width << "x" << height;
            EXPECT_EQ(box.top, static_cast<std::uint32_t>(layout.column[row].y)) << width << "x" << height;
            EXPECT_EQ(box.bottom - box.top, cell.height);
        }
    }
}

TEST(PagePictures, EveryReadoutRowNeedsText) {
    Picture picture = WithReadouts(400, 400);
    EXPECT_TRUE(Problems(picture, Inspect(picture), false).empty()) << Describe(Inspect(picture));

    // Row 6 loses all but 7 of its 12 pixels: one short of enough.
    const Box row6 = ReadoutRow(400, 400, 5);
    Paint(picture, {row6.left, row6.top, row6.left + 3, row6.top + 4}, Rgb{});
    Paint(picture, {row6.left, row6.top, row6.left + 7, row6.top + 1}, kReadoutInk);
    const std::vector<std::string> problems = Problems(picture, Inspect(picture), false);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("row 6 has 7 "), std::string::npos) << problems[0];
}

TEST(PagePictures, ReadoutTextMustBeExactlyTheReadoutGrey) {
    Picture picture = Blank(256, 256);
    for (int row = 0; row < 8; ++row) Paint(picture, ReadoutRow(256, 256, row), Rgb{0xC0, 0xC0, 0xC1});
    EXPECT_EQ(Problems(picture, Inspect(picture), false).size(), 8u);
}

TEST(PagePictures, TheBallNeedsSkyAndGroundInTheUpperTwoThirds) {
    Picture picture = WithReadouts(300, 300);
    // 300 x 200 pixels above the line: at least 300 of each colour.
    EXPECT_EQ(Problems(picture, Inspect(picture), true).size(), 2u);
    EXPECT_TRUE(Problems(picture, Inspect(picture), false).empty());

    Paint(picture, {100, 20, 200, 23}, kSky);
    Paint(picture, {100, 197, 200, 200}, Rgb{99, 62, 40});  // ground, 2 off on every channel
    Paint(picture, {100, 200, 200, 260}, kGround);          // below the upper two thirds: not counted
    const PageFindings findings = Inspect(picture);
    EXPECT_EQ(findings.sky, 300u);
    EXPECT_EQ(findings.ground, 300u);
    EXPECT_TRUE(Problems(picture, findings, true).empty()) << Describe(findings);

    Paint(picture, {100, 197, 101, 198}, Rgb{100, 64, 38});  // 3 off: no longer ground
    const std::vector<std::string> problems = Problems(picture, Inspect(picture), true);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("299 ground pixels"), std::string::npos) << problems[0];
}

TEST(PagePictures, CountsStayInsideThePicture) {
    Picture picture = Blank(10, 10);
    Paint(picture, {0, 0, 10, 10}, kSky);
    EXPECT_EQ(CountNear(picture, kSky, 0, {5, 5, 50, 50}), 25u);
    EXPECT_EQ(CountNear(picture, kSky, 0, {12, 0, 20, 10}), 0u);
}

TEST(PagePictures, ReadsWhatThePlatformWrites) {
    const std::string path = ::testing::TempDir() + "page-pictures-roundtrip.png";
    const std::uint32_t pixels[6] = {0xC0C0C0, 0x00A1A6, 0x614026, 0x000000, 0xFFFFFF, 0x123456};
    ASSERT_TRUE(platform::WritePng(path, 3, 2, pixels));
    std::string error;
    Picture picture;
    ASSERT_TRUE(ReadPng(path, picture, &error)) << error;
    ASSERT_EQ(picture.width, 3u);
    ASSERT_EQ(picture.height, 2u);
    EXPECT_EQ(RgbOf(picture.Pixel(1, 0)), kSky);
    EXPECT_EQ(picture.Pixel(2, 1), 0x123456u);
    std::remove(path.c_str());

    EXPECT_FALSE(ReadPng(path, picture, &error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace quorvel::test
