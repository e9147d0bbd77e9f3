// Text in character cells: where TextOutA puts it, what it paints, and
// whether the glyphs can be told apart.

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <vector>

#include "platform/PixelColour.h"
#include "sim/host/MfdSurface.h"
#include "tests/support/LeakCheck.h"
#include "tests/support/SurfacePixels.h"

namespace {

using quorvel::platform::DibPixel;
using quorvel::sim::MfdSurface;
using quorvel::test::CountPixels;
using quorvel::test::ImageOf;

constexpr COLORREF kText = RGB(0, 255, 0);
constexpr std::uint32_t kBackground = 0x123456;

HFONT CellFont(int width, int height) {
    return CreateFontA(height, width, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, FIXED_PITCH | FF_MODERN, "DejaVu Sans Mono");
}

// The pixels of one w × h cell at (x, y), row by row.
std::vector<std::uint32_t> Cell(const MfdSurface& target, int x, int y, int w, int h) {
    std::vector<std::uint32_t> cell;
    for (int row = y; row < y + h; ++row)
        for (int column = x; column < x + w; ++column) cell.push_back(target.Pixel(column, row));
    return cell;
}

class GdiTextTest : public quorvel::test::LeakCheckedTest {};

TEST_F(GdiTextTest, UpdateCpDrawsAtThePositionAndAdvancesByTheCells) {
    MfdSurface target(120, 40, std::nullopt);
    HFONT font = CellFont(7, 12);
    SelectObject(target.Dc(), font);
    EXPECT_EQ(SetTextAlign(target.Dc(), TA_UPDATECP), static_cast<UINT>(TA_LEFT | TA_TOP | TA_NOUPDATECP));
    EXPECT_EQ(SetBkMode(target.Dc(), TRANSPARENT), OPAQUE);
    EXPECT_EQ(SetTextColor(target.Dc(), kText), RGB(0, 0, 0));
    target.Fill(kBackground);

    MoveToEx(target.Dc(), 5, 9, nullptr);
    EXPECT_TRUE(TextOutA(target.Dc(), 100, 100, "HELLO", 5));
    POINT position{};
    MoveToEx(target.Dc(), 0, 0, &position);
    EXPECT_EQ(position.x, 5 + 5 * 7);
    EXPECT_EQ(position.y, 9) << "y stays";
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 120; ++x) {
            if (target.Pixel(x, y) == kBackground) continue;
            ASSERT_TRUE(x >= 5 && x < 40 && y >= 9 && y < 21) << "glyph pixel outside the cells at " << x << ", " << y;
        }
    }

    // The default SYSTEM_FONT cell is 8 wide.
    SelectObject(target.Dc(), GetStockObject(SYSTEM_FONT));
    MoveToEx(target.Dc(), 0, 0, nullptr);
    TextOutA(target.Dc(), 0, 0, "abc", 3);
    MoveToEx(target.Dc(), 0, 0, &position);
    EXPECT_EQ(position.x, 24);
    DeleteObject(font);
}

TEST_F(GdiTextTest, TransparentTextPaintsOnlyGlyphPixelsInExactlyTheTextColour) {
    MfdSurface target(100, 20, std::nullopt);
    SetBkMode(target.Dc(), TRANSPARENT);
    SetTextColor(target.Dc(), kText);
    target.Fill(kBackground);
    TextOutA(target.Dc(), 2, 2, "Qg8#W", 5);
    const int glyph = CountPixels(target, DibPixel(kText));
    EXPECT_GT(glyph, 60);
    EXPECT_EQ(glyph + CountPixels(target, kBackground), 100 * 20) << "no blended or background pixels";
}

TEST_F(GdiTextTest, OpaqueTextFillsItsCellBoxWithTheBackgroundColour) {
    MfdSurface target(100, 30, std::nullopt);
    HFONT font = CellFont(6, 10);
    SelectObject(target.Dc(), font);
    SetTextColor(target.Dc(), kText);
    target.Fill(kBackground);
    EXPECT_TRUE(TextOutA(target.Dc(), 10, 5, "A-1", 3));
    int inBox = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 100; ++x) {
            const bool box = x >= 10 && x < 28 && y >= 5 && y < 15;
            const std::uint32_t pixel = target.Pixel(x, y);
            if (box) {
                ASSERT_TRUE(pixel == DibPixel(kText) || pixel == DibPixel(RGB(255, 255, 255))) << x << ", " << y;
                inBox += pixel == DibPixel(RGB(255, 255, 255));
            } else {
                ASSERT_EQ(pixel, kBackground) << x << ", " << y;
            }
        }
    }
    EXPECT_GT(inBox, 18 * 10 / 2);
    EXPECT_EQ(SetBkMode(target.Dc(), 99), 0) << "an unknown mode is refused";
    SelectObject(target.Dc(), GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
}

TEST_F(GdiTextTest, GlyphsAreDistinctFromTheSmallestToTheLargestCell) {
    const std::string characters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ+-./:%";
    for (const auto& [w, h] : {std::pair{6, 10}, std::pair{8, 16}, std::pair{10, 16}}) {
        MfdSurface target(static_cast<std::uint32_t>(w) * static_cast<std::uint32_t>(characters.size()), h, std::nullopt);
        HFONT font = CellFont(w, h);
        SelectObject(target.Dc(), font);
        SetBkMode(target.Dc(), TRANSPARENT);
        SetTextColor(target.Dc(), kText);
        TextOutA(target.Dc(), 0, 0, characters.c_str(), static_cast<int>(characters.size()));
        std::set<std::vector<std::uint32_t>> seen;
        for (std::size_t i = 0; i < characters.size(); ++i) {
            const auto cell = Cell(target, static_cast<int>(i) * w, 0, w, h);
            EXPECT_NE(std::count(cell.begin(), cell.end(), DibPixel(kText)), 0) << characters[i] << " is blank";
            EXPECT_TRUE(seen.insert(cell).second) << characters[i] << " looks like another glyph at " << w << "x" << h;
        }
        SelectObject(target.Dc(), GetStockObject(SYSTEM_FONT));
        DeleteObject(font);
    }
}

TEST_F(GdiTextTest, TextLooksTheSameInABottomUpDibAndWhenClippedAtTheLeft) {
    MfdSurface topDown(90, 20, std::nullopt), clipped(90, 20, std::nullopt);
    MfdSurface bottomUp(90, 20, std::nullopt, quorvel::sim::RowOrder::BottomUp);
    for (MfdSurface* target : {&topDown, &bottomUp, &clipped}) SetTextColor(target->Dc(), kText);
    TextOutA(topDown.Dc(), 0, 2, "Hq9@x", 5);
    TextOutA(bottomUp.Dc(), 0, 2, "Hq9@x", 5);
    EXPECT_EQ(ImageOf(topDown), ImageOf(bottomUp));
    // The first two characters fall off the left edge; the rest stay put.
    TextOutA(clipped.Dc(), -16, 2, "ZZHq9@x", 7);
    EXPECT_EQ(ImageOf(topDown), ImageOf(clipped));
}

TEST_F(GdiTextTest, BadLengthsAndStringsAreHandledSafely) {
    MfdSurface target(40, 20, std::nullopt);
    SetTextAlign(target.Dc(), TA_UPDATECP);
    target.Fill(kBackground);
    EXPECT_FALSE(TextOutA(target.Dc(), 0, 0, "abc", -1));
    EXPECT_FALSE(TextOutA(target.Dc(), 0, 0, nullptr, 4));
    EXPECT_TRUE(TextOutA(target.Dc(), 0, 0, nullptr, 0));
    EXPECT_EQ(CountPixels(target, kBackground), 40 * 20);
    // A length past the terminator stops there.
    EXPECT_TRUE(TextOutA(target.Dc(), 0, 0, "ab", INT_MAX));
    POINT position{};
    MoveToEx(target.Dc(), INT_MAX - 3, INT_MIN, &position);
    EXPECT_EQ(position.x, 16);
    EXPECT_TRUE(TextOutA(target.Dc(), 0, 0, "far", 3));
    MoveToEx(target.Dc(), 0, 0, &position);
    EXPECT_EQ(position.x, INT_MAX) << "the advance stops at the largest position";

    HFONT huge = CellFont(INT_MAX, INT_MIN);
    SelectObject(target.Dc(), huge);
    SetTextAlign(target.Dc(), TA_NOUPDATECP);
    EXPECT_TRUE(TextOutA(target.Dc(), -5, -5, "big", 3));
    EXPECT_FALSE(TextOutA(nullptr, 0, 0, "x", 1));
    EXPECT_EQ(lstrlenA(nullptr), 0);
    EXPECT_EQ(lstrlenA("four"), 4);
    SelectObject(target.Dc(), GetStockObject(SYSTEM_FONT));
    DeleteObject(huge);
}

}  // namespace
