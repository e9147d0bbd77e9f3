#include "module/drawing/MfdText.h"

#include <gtest/gtest.h>

#include <string>

#include "sim/host/MfdSurface.h"
#include "tests/support/GdiJournal.h"
#include "tests/support/SurfacePixels.h"

namespace quorvel {
namespace {

using platform::GdiCall;
using test::GdiJournal;

class MfdTextTest : public ::testing::Test {
protected:
    sim::MfdSurface surface{120, 120, sim::CharCell{8, 14}};
    HDC dc = surface.Dc();
};

TEST_F(MfdTextTest, SetCharCellSendsTheCursorHome) {
    MoveToEx(dc, 50, 60, nullptr);
    EXPECT_EQ(SetCharCell(dc, 8, 14), (CursorCell{5, 4}));
    EXPECT_EQ(GetCursorPixel(dc), (CursorPixel{4, 0}));
    EXPECT_EQ(GetCursorCell(dc), (CursorCell{0, 0}));
}

TEST_F(MfdTextTest, CellMovesKeepACoordinateWhenNegative) {
    SetCharCell(dc, 8, 14);
    EXPECT_EQ(MoveCursorCell(dc, 3, 2), (CursorCell{0, 0}));
    EXPECT_EQ(GetCursorPixel(dc), (CursorPixel{28, 28}));
    EXPECT_EQ(MoveCursorCell(dc, -1, 5), (CursorCell{3, 2}));
    EXPECT_EQ(GetCursorPixel(dc), (CursorPixel{28, 70}));
    MoveCursorCell(dc, 1, -3);
    EXPECT_EQ(GetCursorPixel(dc), (CursorPixel{12, 70}));
}

TEST_F(MfdTextTest, CellsOfPixelsTruncateTowardZero) {
    SetCharCell(dc, 8, 14);
    EXPECT_EQ(CellOfPixel({0, 0}), (CursorCell{0, 0}));
    EXPECT_EQ(CellOfPixel({-5, 0}), (CursorCell{-1, 0}));
    EXPECT_EQ(CellOfPixel({3, -13}), (CursorCell{0, 0}));
    EXPECT_EQ(CellOfPixel({11, 13}), (CursorCell{0, 0}));
    EXPECT_EQ(CellOfPixel({12, 14}), (CursorCell{1, 1}));
}

TEST_F(MfdTextTest, AZeroCellGivesCellZeroWithoutFaulting) {
    SetCharCell(dc, 0, 0);
    EXPECT_EQ(GetCursorPixel(dc), (CursorPixel{0, 0}));
    MoveCursorPixel(dc, 77, 91);
    EXPECT_EQ(GetCursorCell(dc), (CursorCell{0, 0}));
    EXPECT_EQ(MoveCursorCell(dc, 5, 5), (CursorCell{0, 0}));
    EXPECT_EQ(PrintAtCursor(dc, "%d", 42), (CursorCell{0, 0}));
    SetCharCell(dc, 8, 0);
    MoveCursorPixel(dc, 20, 500);
    EXPECT_EQ(GetCursorCell(dc), (CursorCell{2, 0}));
}

TEST_F(MfdTextTest, ExtremeCellsAndPositionsStayInRange) {
    SetCharCell(dc, 0xFFFFFFFFu, 0x80000000u);
    MoveCursorCell(dc, 0x7FFFFFFF, 0x7FFFFFFF);
    const CursorPixel p = GetCursorPixel(dc);
    EXPECT_EQ(p.x, 0x7FFFFFFF);
    EXPECT_EQ(p.y, 0x7FFFFFFF);
    SetCharCell(dc, 8, 14);
    MoveCursorPixel(dc, -0x7FFFFFFF - 1, -0x7FFFFFFF - 1);
    EXPECT_EQ(GetCursorCell(dc), (CursorCell{-268435456, -153391689}));
}

TEST_F(MfdTextTest, PrintStartsAtTheCursorAndLeavesItBehindTheText) {
    SetCharCell(dc, 8, 14);
    MoveCursorPixel(dc, 28, 28);
    EXPECT_EQ(PrintAtCursor(dc, "%s", "abc"), (CursorCell{3, 2}));
    EXPECT_EQ(GetCursorPixel(dc), (CursorPixel{52, 28}));
    PrintAtCursor(dc, "%d", 7);  // continues on the same line
    EXPECT_EQ(GetCursorPixel(dc), (CursorPixel{60, 28}));
}

TEST_F(MfdTextTest, LongTextIsCutAt251Characters) {
    SetCharCell(dc, 8, 14);
    GdiJournal journal(dc);
    const std::string longText(400, 'x');
    PrintAtCursor(dc, "%s", longText.c_str());
    const auto texts = journal.Calls(GdiCall::TextOutA);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, std::string(251, 'x'));
}

TEST_F(MfdTextTest, InkPaintsOnlyTheGlyphsInItsColour) {
    surface.Fill(0x123456);
    SetCharCell(dc, 8, 14);
    SetInk(dc, 0xC0C0C0);
    MoveCursorPixel(dc, 10, 10);
    PrintAtCursor(dc, "%s", "W8");
    const int ink = test::CountPixels(surface, 0xC0C0C0, 10, 10, 26, 24);
    const int background = test::CountPixels(surface, 0x123456, 10, 10, 26, 24);
    EXPECT_GT(ink, 10) << "the glyphs are there";
    EXPECT_GT(background, 50) << "between the glyphs the background shows";
    EXPECT_EQ(ink + background, 16 * 14) << "no other colour, no blending";
    EXPECT_EQ(test::CountPixels(surface, 0x123456), 120 * 120 - ink) << "nothing outside the text is painted";
}

}  // namespace
}  // namespace quorvel
