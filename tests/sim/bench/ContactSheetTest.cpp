// The contact sheet's layout and downscaling, without the bench host.

#include "sim/bench/ContactSheet.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorvel::sim {
namespace {

TEST(ContactSheetTest, DownscalingAveragesEverySourcePixelUnderATarget) {
    // 4x2 to 2x1: each target the mean of a 2x2 block, per channel, rounded.
    const std::vector<std::uint32_t> source{0xFF0000, 0x000000, 0x00FF00, 0x00FF00,
                                            0xFF0000, 0x000001, 0x00FF00, 0x0000FF};
    std::vector<std::uint32_t> target(2);
    Downscale(source, 4, 2, target, 2, 1);
    EXPECT_EQ(target[0], 0x800000u);
    EXPECT_EQ(target[1], 0x00BF40u);

    // 5 to 2 columns: blocks of 2 and 3, nothing skipped.
    std::vector<std::uint32_t> row{9, 9, 3, 3, 3};
    Downscale(row, 5, 1, target, 2, 1);
    EXPECT_EQ(target[0], 9u);
    EXPECT_EQ(target[1], 3u);

    // Sizes that do not match their spans write nothing.
    target = {7, 7};
    Downscale(row, 4, 1, target, 2, 1);
    EXPECT_EQ(target, (std::vector<std::uint32_t>{7, 7}));
}

TEST(ContactSheetTest, FramesRunInTimeOrderAcrossRowsOfTen) {
    const SheetLayout layout = LayoutSheet(85, 400, 400);
    EXPECT_EQ(layout.thumbWidth, 160u);
    EXPECT_EQ(layout.columns, 10u);
    EXPECT_EQ(layout.rows, 9u);
    EXPECT_LT(layout.ThumbX(0), layout.ThumbX(1));
    EXPECT_EQ(layout.ThumbY(0), layout.ThumbY(9));
    EXPECT_EQ(layout.ThumbX(10), layout.ThumbX(0));
    EXPECT_GT(layout.ThumbY(10), layout.ThumbY(9));
    EXPECT_LE(layout.ThumbX(9) + layout.thumbWidth, layout.width);
    EXPECT_LE(layout.ThumbY(84) + layout.cellHeight, layout.height);

    // A wide MFD keeps its shape; a tiny one is never enlarged nor lost.
    const SheetLayout wide = LayoutSheet(3, 800, 100);
    EXPECT_EQ(wide.thumbWidth, 160u);
    EXPECT_EQ(wide.thumbHeight, 20u);
    EXPECT_EQ(wide.columns, 3u);
    const SheetLayout tiny = LayoutSheet(1, 1, 1000);
    EXPECT_EQ(tiny.thumbWidth, 1u);
    EXPECT_EQ(tiny.thumbHeight, 160u);
}

TEST(ContactSheetTest, ALongRunKeepsAnEvenSelection) {
    MfdSurface frame(40, 40);
    ContactSheet sheet("long", 40, 40, 1000);
    for (int i = 0; i < 1000; ++i) sheet.Offer(frame, {double(i), 0, 0, 0});
    EXPECT_LE(sheet.Frames(), ContactSheet::kMaxFrames);
    EXPECT_GE(sheet.Frames(), ContactSheet::kMaxFrames / 2);

    ContactSheet empty("none", 40, 40, 0);
    EXPECT_FALSE(empty.WritePng(testing::TempDir() + "/never.png"));
    MfdSurface otherSize(30, 40);
    empty.Offer(otherSize, {});
    EXPECT_EQ(empty.Frames(), 0u) << "a frame of another size is not this MFD's";
}

}  // namespace
}  // namespace quorvel::sim
