// Text in character cells: where TextOutA puts it, what it paints, and
// whether the glyphs can be told apart.

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <vector>

#include "tests/platform/DibDc.h"

namespace {

using quorvel::testing::Dib;
using quorvel::testing::DibDc;

constexpr COLORREF kText = RGB(0, 255, 0);
constexpr std::uint32_t kBackground = 0x123456;

HFONT CellFont(int width, int height) {
    return CreateFontA(height, width, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, FIXED_PITCH | FF_MODERN, "DejaVu Sans Mono");
}

// The pixels of one w × h cell at (x, y), row by row.
std::vector<std::uint32_t> Cell(const DibDc& target, int x, int y, int w, int h) {
    std::vector<std::uint32_t> cell;
    for (int row = y; row < y + h; ++row)
        for (int column = x; column < x + w; ++column) cell.push_back(target.At(column, row));
    return cell;
}

class GdiTextTest : public quorvel::testing::GdiLeakCheckedTest {};

TEST_F(GdiTextTest, UpdateCpDrawsAtThePositionAndAdvancesByTheCells) {
    DibDc target(120, 40);
    HFONT font = CellFont(7, 12);
    SelectObject(target.dc, font);
    EXPECT_EQ(SetTextAlign(target.dc, TA_UPDATECP), static_cast<UINT>(TA_LEFT | TA_TOP | TA_NOUPDATECP));
    EXPECT_EQ(SetBkMode(target.dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(SetTextColor(target.dc, kText), RGB(0, 0, 0));
    target.Fill(kBackground);

    MoveToEx(target.dc, 5, 9, nullptr);
    EXPECT_TRUE(TextOutA(target.dc, 100, 100, "HELLO", 5));
    POINT position{};
    MoveToEx(target.dc, 0, 0, &position);
    EXPECT_EQ(position.x, 5 + 5 * 7);
    EXPECT_EQ(position.y, 9) << "y stays";
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 120; ++x) {
            if (target.At(x, y) == kBackground) continue;
            ASSERT_TRUE(x >= 5 && x < 40 && y >= 9 && y < 21) << "glyph pixel outside the cells at " << x << ", " << y;
        }
    }

    // The default SYSTEM_FONT cell is 8 wide.
    SelectObject(target.dc, GetStockObject(SYSTEM_FONT));
    MoveToEx(target.dc, 0, 0, nullptr);
    TextOutA(target.dc, 0, 0, "abc", 3);
    MoveToEx(target.dc, 0, 0, &position);
    EXPECT_EQ(position.x, 24);
    DeleteObject(font);
}

TEST_F(GdiTextTest, TransparentTextPaintsOnlyGlyphPixelsInExactlyTheTextColour) {
    DibDc target(100, 20);
    SetBkMode(target.dc, TRANSPARENT);
    SetTextColor(target.dc, kText);
    target.Fill(kBackground);
    TextOutA(target.dc, 2, 2, "Qg8#W", 5);
    const int glyph = target.Count(Dib(kText));
    EXPECT_GT(glyph, 60);
    EXPECT_EQ(glyph + target.Count(kBackground), 100 * 20) << "no blended or background pixels";
}

TEST_F(GdiTextTest, OpaqueTextFillsItsCellBoxWithTheBackgroundColour) {
    DibDc target(100, 30);
    HFONT font = CellFont(6, 10);
    SelectObject(target.dc, font);
    SetTextColor(target.dc, kText);
    target.Fill(kBackground);
    EXPECT_TRUE(TextOutA(target.dc, 10, 5, "A-1", 3));
    int inBox = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 100; ++x) {
            const bool box = x >= 10 && x < 28 && y >= 5 && y < 15;
            const std::uint32_t pixel = target.At(x, y);
            if (box) {
                ASSERT_TRUE(pixel == Dib(kText) || pixel == Dib(RGB(255, 255, 255))) << x << ", " << y;
                inBox += pixel == Dib(RGB(255, 255, 255));
            } else {
                ASSERT_EQ(pixel, kBackground) << x << ", " << y;
            }
        }
    }
    EXPECT_GT(inBox, 18 * 10 / 2);
    EXPECT_EQ(SetBkMode(target.dc, 99), 0) << "an unknown mode is refused";
    SelectObject(target.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
}

TEST_F(GdiTextTest, GlyphsAreDistinctFromTheSmallestToTheLargestCell) {
    const std::string characters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ+-./:%";
    for (const auto& [w, h] : {std::pair{6, 10}, std::pair{8, 16}, std::pair{10, 16}}) {
        DibDc target(w * static_cast<int>(characters.size()), h);
        HFONT font = CellFont(w, h);
        SelectObject(target.dc, font);
        SetBkMode(target.dc, TRANSPARENT);
        SetTextColor(target.dc, kText);
        TextOutA(target.dc, 0, 0, characters.c_str(), static_cast<int>(characters.size()));
        std::set<std::vector<std::uint32_t>> seen;
        for (std::size_t i = 0; i < characters.size(); ++i) {
            const auto cell = Cell(target, static_cast<int>(i) * w, 0, w, h);
            EXPECT_NE(std::count(cell.begin(), cell.end(), Dib(kText)), 0) << characters[i] << " is blank";
            EXPECT_TRUE(seen.insert(cell).second) << characters[i] << " looks like another glyph at " << w << "x" << h;
        }
        SelectObject(target.dc, GetStockObject(SYSTEM_FONT));
        DeleteObject(font);
    }
}

TEST_F(GdiTextTest, TextLooksTheSameInABottomUpDibAndWhenClippedAtTheLeft) {
    DibDc topDown(90, 20), bottomUp(90, 20, true), clipped(90, 20);
    for (DibDc* target : {&topDown, &bottomUp, &clipped}) SetTextColor(target->dc, kText);
    TextOutA(topDown.dc, 0, 2, "Hq9@x", 5);
    TextOutA(bottomUp.dc, 0, 2, "Hq9@x", 5);
    EXPECT_EQ(topDown.Image(), bottomUp.Image());
    // The first two characters fall off the left edge; the rest stay put.
    TextOutA(clipped.dc, -16, 2, "ZZHq9@x", 7);
    EXPECT_EQ(topDown.Image(), clipped.Image());
}

TEST_F(GdiTextTest, BadLengthsAndStringsAreHandledSafely) {
    DibDc target(40, 20);
    SetTextAlign(target.dc, TA_UPDATECP);
    target.Fill(kBackground);
    EXPECT_FALSE(TextOutA(target.dc, 0, 0, "abc", -1));
    EXPECT_FALSE(TextOutA(target.dc, 0, 0, nullptr, 4));
    EXPECT_TRUE(TextOutA(target.dc, 0, 0, nullptr, 0));
    EXPECT_EQ(target.Count(kBackground), 40 * 20);
    // A length past the terminator stops there.
    EXPECT_TRUE(TextOutA(target.dc, 0, 0, "ab", INT_MAX));
    POINT position{};
    MoveToEx(target.dc, INT_MAX - 3, INT_MIN, &position);
    EXPECT_EQ(position.x, 16);
    EXPECT_TRUE(TextOutA(target.dc, 0, 0, "far", 3));
    MoveToEx(target.dc, 0, 0, &position);
    EXPECT_EQ(position.x, INT_MAX) << "the advance stops at the largest position";

    HFONT huge = CellFont(INT_MAX, INT_MIN);
    SelectObject(target.dc, huge);
    SetTextAlign(target.dc, TA_NOUPDATECP);
    EXPECT_TRUE(TextOutA(target.dc, -5, -5, "big", 3));
    EXPECT_FALSE(TextOutA(nullptr, 0, 0, "x", 1));
    EXPECT_EQ(lstrlenA(nullptr), 0);
    EXPECT_EQ(lstrlenA("four"), 4);
    SelectObject(target.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(huge);
}

}  // namespace
