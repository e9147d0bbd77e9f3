// Lines, ellipses, arcs, polygons and BitBlt, checked by the pixels they
// leave in a DIB section.

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <utility>
#include <vector>

#include "tests/platform/DibDc.h"

namespace {

using quorvel::testing::Dib;
using quorvel::testing::DibDc;
using Pixels = std::set<std::pair<int, int>>;

constexpr COLORREF kInk = RGB(255, 255, 255);
constexpr COLORREF kPaper = RGB(10, 20, 30);

Pixels Painted(const DibDc& target, std::uint32_t pixel = Dib(kInk)) {
    Pixels found;
    for (int y = 0; y < target.height; ++y)
        for (int x = 0; x < target.width; ++x)
            if (target.At(x, y) == pixel) found.insert({x, y});
    return found;
}

// Whether a 4-connected walk from (x, y) over unpainted pixels gets out of
// the bitmap: an outline with a gap lets it through.
bool Escapes(const DibDc& target, int x, int y) {
    std::vector<bool> seen(static_cast<std::size_t>(target.width * target.height));
    std::vector<std::pair<int, int>> todo{{x, y}};
    while (!todo.empty()) {
        const auto [px, py] = todo.back();
        todo.pop_back();
        if (px < 0 || py < 0 || px >= target.width || py >= target.height) return true;
        const std::size_t index = static_cast<std::size_t>(py * target.width + px);
        if (seen[index] || target.At(px, py) == Dib(kInk)) continue;
        seen[index] = true;
        todo.insert(todo.end(), {{px + 1, py}, {px - 1, py}, {px, py + 1}, {px, py - 1}});
    }
    return false;
}

class GdiDrawingTest : public quorvel::testing::GdiLeakCheckedTest {};

TEST_F(GdiDrawingTest, LineToLeavesOutItsEndPixelInEveryDirectionAndMovesThePosition) {
    DibDc target(41, 41);
    SelectObject(target.dc, GetStockObject(WHITE_PEN));
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            if (dx == 0 && dy == 0) continue;
            target.Fill(0);
            POINT previous{-1, -1};
            MoveToEx(target.dc, 20, 20, nullptr);
            MoveToEx(target.dc, 20, 20, &previous);
            EXPECT_EQ(previous.x, 20);
            ASSERT_TRUE(LineTo(target.dc, 20 + 10 * dx, 20 + 7 * dy));
            SCOPED_TRACE(::testing::Message() << "direction " << dx << ", " << dy);
            EXPECT_EQ(target.At(20, 20), Dib(kInk)) << "start pixel";
            EXPECT_EQ(target.At(20 + 10 * dx, 20 + 7 * dy), 0u) << "end pixel";
            EXPECT_EQ(static_cast<int>(Painted(target).size()), dx != 0 ? 10 : 7);
            MoveToEx(target.dc, 0, 0, &previous);
            EXPECT_EQ(previous.x, 20 + 10 * dx);
            EXPECT_EQ(previous.y, 20 + 7 * dy);
        }
    }
}

TEST_F(GdiDrawingTest, ALineAndItsReverseShareTheirInnerPixels) {
    DibDc forward(12, 12), backward(12, 12);
    for (DibDc* target : {&forward, &backward}) SelectObject(target->dc, GetStockObject(WHITE_PEN));
    MoveToEx(forward.dc, 1, 1, nullptr);
    LineTo(forward.dc, 9, 4);  // slope 3/8 has exact ties on the way
    MoveToEx(backward.dc, 9, 4, nullptr);
    LineTo(backward.dc, 1, 1);
    Pixels a = Painted(forward), b = Painted(backward);
    EXPECT_EQ(a.size(), 8u) << "one pixel per column";
    a.erase({1, 1});
    b.erase({9, 4});
    EXPECT_EQ(a, b);
}

TEST_F(GdiDrawingTest, ClippedLinesKeepThePixelsTheyWouldHaveUnclipped) {
    DibDc small(40, 40), large(240, 240);
    for (DibDc* target : {&small, &large}) SelectObject(target->dc, GetStockObject(WHITE_PEN));
    const int lines[][4] = {{-30, -7, 70, 43}, {55, -20, -13, 61}, {39, 100, 2, -90}, {-5, 39, 45, 38}};
    for (const auto& line : lines) {
        MoveToEx(small.dc, line[0], line[1], nullptr);
        LineTo(small.dc, line[2], line[3]);
        MoveToEx(large.dc, line[0] + 100, line[1] + 100, nullptr);
        LineTo(large.dc, line[2] + 100, line[3] + 100);
    }
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) ASSERT_EQ(small.At(x, y), large.At(x + 100, y + 100)) << x << ", " << y;

    // A line across the whole int range at 45 degrees is still the diagonal.
    small.Fill(0);
    MoveToEx(small.dc, INT_MIN + 1, INT_MIN + 1, nullptr);
    LineTo(small.dc, INT_MAX, INT_MAX);
    Pixels diagonal;
    for (int i = 0; i < 40; ++i) diagonal.insert({i, i});
    EXPECT_EQ(Painted(small), diagonal);
}

TEST_F(GdiDrawingTest, EllipseOutlineRunsThroughTheBoxLessItsRightAndBottomEdges) {
    DibDc target(40, 40);
    SelectObject(target.dc, GetStockObject(WHITE_PEN));
    SelectObject(target.dc, GetStockObject(NULL_BRUSH));
    // Windows draws nothing for a 1 by 1 box.
    ASSERT_TRUE(Ellipse(target.dc, 5, 6, 6, 7));
    EXPECT_TRUE(Painted(target).empty());
    for (int w = 1; w <= 30; ++w) {
        for (int h = w == 1 ? 2 : 1; h <= 30; ++h) {
            target.Fill(0);
            ASSERT_TRUE(Ellipse(target.dc, 5, 6, 5 + w, 6 + h));
            const Pixels painted = Painted(target);
            int left = INT_MAX, right = INT_MIN, top = INT_MAX, bottom = INT_MIN;
            for (const auto& [x, y] : painted) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
                ASSERT_TRUE(painted.count({2 * 5 + w - 1 - x, y}) && painted.count({x, 2 * 6 + h - 1 - y}))
                    << "outline not symmetric for " << w << " by " << h;
            }
            ASSERT_EQ(left, 5);
            ASSERT_EQ(right, 5 + w - 1) << w << " by " << h;
            // A tall thin ellipse stops short of its tips, as Windows'
            // stepping does: 3 by 10 spans rows 1 to 8.
            const int inset = top - 6;
            ASSERT_EQ(bottom, 6 + h - 1 - inset) << w << " by " << h;
            if (w >= 7 || h <= 6) {
                ASSERT_EQ(inset, 0) << w << " by " << h;
            }
            if (w == 3 && h == 10) {
                ASSERT_EQ(inset, 1);
            }
            if (w >= 3 && h >= 3) {
                ASSERT_FALSE(Escapes(target, 5 + w / 2, 6 + h / 2)) << w << " by " << h;
            }
        }
    }
}

TEST_F(GdiDrawingTest, EllipseFillsInsideItsOutlineAndNullBrushLeavesTheInsideAlone) {
    DibDc target(40, 40);
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 200));
    SelectObject(target.dc, GetStockObject(WHITE_PEN));
    SelectObject(target.dc, brush);
    target.Fill(Dib(kPaper));
    Ellipse(target.dc, 4, 4, 35, 25);
    int filled = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            if (target.At(x, y) != Dib(RGB(0, 0, 200))) continue;
            ++filled;
            // Every brush pixel has the outline on both sides in its row.
            bool inkLeft = false, inkRight = false;
            for (int i = 0; i < x; ++i) inkLeft |= target.At(i, y) == Dib(kInk);
            for (int i = x + 1; i < 40; ++i) inkRight |= target.At(i, y) == Dib(kInk);
            ASSERT_TRUE(inkLeft && inkRight) << "brush outside the outline at " << x << ", " << y;
        }
    }
    EXPECT_GT(filled, 300);
    EXPECT_EQ(target.At(19, 14), Dib(RGB(0, 0, 200)));

    target.Fill(Dib(kPaper));
    SelectObject(target.dc, GetStockObject(NULL_BRUSH));
    Ellipse(target.dc, 4, 4, 35, 25);
    EXPECT_EQ(target.Count(Dib(kPaper)) + target.Count(Dib(kInk)), 40 * 40);
    EXPECT_EQ(target.At(19, 14), Dib(kPaper));

    target.Fill(0);
    EXPECT_TRUE(Ellipse(target.dc, 10, 10, 10, 30)) << "no width: a successful no-op";
    EXPECT_TRUE(Ellipse(target.dc, 10, 10, 30, 10));
    EXPECT_EQ(target.Count(0), 40 * 40);
    SelectObject(target.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(brush);
}

TEST_F(GdiDrawingTest, WidePensAreCentredWithTheExtraRowAndColumnOnTopAndLeft) {
    DibDc target(40, 40);
    HPEN three = CreatePen(PS_SOLID, 3, kInk);
    HPEN two = CreatePen(PS_SOLID, 2, kInk);
    SelectObject(target.dc, GetStockObject(NULL_BRUSH));

    SelectObject(target.dc, three);
    Ellipse(target.dc, 10, 10, 30, 30);
    EXPECT_EQ(target.At(9, 19), Dib(kInk)) << "spills one pixel left of the box";
    EXPECT_EQ(target.At(30, 19), Dib(kInk)) << "and one right of its last column";
    EXPECT_EQ(target.At(19, 9), Dib(kInk));
    EXPECT_EQ(target.At(19, 30), Dib(kInk));
    EXPECT_EQ(target.At(8, 19), 0u);
    EXPECT_EQ(target.At(31, 19), 0u);

    // A 3-pixel line is 3 rows high, with a plus, the 3 by 3 ellipse, round
    // each end point.
    target.Fill(0);
    MoveToEx(target.dc, 10, 10, nullptr);
    LineTo(target.dc, 20, 10);
    Pixels line{{9, 10}, {21, 10}};
    for (int x = 10; x <= 20; ++x) line.insert({{x, 9}, {x, 10}, {x, 11}});
    EXPECT_EQ(Painted(target), line);

    SelectObject(target.dc, two);
    target.Fill(0);
    MoveToEx(target.dc, 10, 10, nullptr);
    LineTo(target.dc, 20, 10);
    Pixels expected;
    for (int x = 9; x <= 20; ++x) expected.insert({{x, 9}, {x, 10}});
    EXPECT_EQ(Painted(target), expected);

    target.Fill(0);
    Ellipse(target.dc, 10, 10, 30, 30);
    EXPECT_EQ(target.At(9, 19), Dib(kInk));
    EXPECT_EQ(target.At(30, 19), 0u) << "the even width's extra column is on the left";
    EXPECT_EQ(target.At(19, 9), Dib(kInk));
    EXPECT_EQ(target.At(19, 30), 0u);

    SelectObject(target.dc, GetStockObject(BLACK_PEN));
    DeleteObject(three);
    DeleteObject(two);
}

TEST_F(GdiDrawingTest, ArcFollowsTheOutlineCounterClockwiseAndLeavesOutItsLastPoint) {
    DibDc whole(60, 60), arc(60, 60);
    for (DibDc* target : {&whole, &arc}) {
        SelectObject(target->dc, GetStockObject(WHITE_PEN));
        SelectObject(target->dc, GetStockObject(NULL_BRUSH));
    }
    Ellipse(whole.dc, 10, 10, 50, 50);
    const Pixels ellipse = Painted(whole);
    Pixels upperRight, rest;
    for (const auto& p : ellipse) (p.first >= 30 && p.second < 30 ? upperRight : rest).insert(p);

    MoveToEx(arc.dc, 3, 4, nullptr);
    // From 3 o'clock to 12 o'clock; the points need not lie on the ellipse.
    // The end ray meets the outline at (30, 10), which the path stops
    // short of; its last point, (31, 10), the 1-pixel pen leaves out.
    Arc(arc.dc, 10, 10, 50, 50, 58, 30, 30, 1);
    Pixels expected = upperRight;
    expected.erase({30, 10});
    expected.erase({31, 10});
    EXPECT_EQ(Painted(arc), expected);
    arc.Fill(0);
    Arc(arc.dc, 10, 10, 50, 50, 30, 1, 58, 30);
    expected = rest;
    expected.insert({30, 10});
    expected.erase({49, 30});
    EXPECT_EQ(Painted(arc), expected);
    // Both on the ray through 1:30: the whole path round, less its last
    // point, the one before the start.
    arc.Fill(0);
    Arc(arc.dc, 10, 10, 50, 50, 45, 15, 59, 1);
    expected = ellipse;
    expected.erase({44, 16});
    EXPECT_EQ(Painted(arc), expected);

    POINT position{};
    MoveToEx(arc.dc, 0, 0, &position);
    EXPECT_EQ(position.x, 3) << "neither Arc nor Ellipse moves the current position";
    EXPECT_EQ(position.y, 4);
}

TEST_F(GdiDrawingTest, ATinyWideArcDrawsTheWholeCircleAsTheRateDialsDo) {
    // The rays of a rate arc at a tiny rate: from just above 9 o'clock to
    // 9 o'clock, less than a pixel apart on the outline. They meet it
    // between the same two points, which gives the whole circle.
    DibDc target(80, 80);
    HPEN three = CreatePen(PS_SOLID, 3, kInk);
    SelectObject(target.dc, three);
    Arc(target.dc, 10, 10, 70, 70, 10, 39, 10, 40);
    EXPECT_EQ(target.At(40, 10), Dib(kInk)) << "12 o'clock";
    EXPECT_EQ(target.At(69, 40), Dib(kInk)) << "3 o'clock";
    EXPECT_EQ(target.At(40, 69), Dib(kInk)) << "6 o'clock";
    EXPECT_FALSE(Escapes(target, 40, 40)) << "no gap in the circle";
    SelectObject(target.dc, GetStockObject(BLACK_PEN));
    DeleteObject(three);
}

TEST_F(GdiDrawingTest, ASlantingWideLineReachesFurtherOnItsRightSide) {
    // A 5-pixel pen along (12, 9): its half width across the line is
    // (1.5, −2) one way, rounded to (2, −3), and (−1.5, 2) the other,
    // rounded to (−2, 2).
    DibDc target(40, 50);
    HPEN five = CreatePen(PS_SOLID, 5, kInk);
    SelectObject(target.dc, five);
    MoveToEx(target.dc, 10, 30, nullptr);
    LineTo(target.dc, 22, 39);
    EXPECT_EQ(target.At(13, 28), Dib(kInk)) << "the upper right side, one pixel beyond";
    EXPECT_EQ(target.At(23, 36), Dib(kInk));
    EXPECT_EQ(target.At(14, 28), 0u);
    EXPECT_EQ(target.At(13, 36), 0u) << "the lower left side, to the nearest pixel";
    EXPECT_EQ(target.At(14, 36), Dib(kInk));
    SelectObject(target.dc, GetStockObject(BLACK_PEN));
    DeleteObject(five);
}

TEST_F(GdiDrawingTest, PolygonClosesItselfAndFillsByAlternation) {
    DibDc target(40, 40);
    HBRUSH brush = CreateSolidBrush(RGB(0, 200, 0));
    SelectObject(target.dc, brush);
    SelectObject(target.dc, GetStockObject(NULL_PEN));
    const POINT square[] = {{10, 10}, {20, 10}, {20, 20}, {10, 20}};
    Polygon(target.dc, square, 4);
    EXPECT_EQ(target.Count(Dib(RGB(0, 200, 0))), 100) << "right and bottom edges are outside the fill";
    EXPECT_EQ(target.At(10, 10), Dib(RGB(0, 200, 0)));
    EXPECT_EQ(target.At(20, 19), 0u);

    SelectObject(target.dc, GetStockObject(WHITE_PEN));
    target.Fill(0);
    const POINT triangle[] = {{5, 5}, {30, 5}, {5, 30}};
    Polygon(target.dc, triangle, 3);
    EXPECT_EQ(target.At(5, 29), Dib(kInk)) << "the closing edge is drawn";
    EXPECT_EQ(target.At(6, 6), Dib(RGB(0, 200, 0)));

    // A five-pointed star drawn in one stroke: its centre is crossed twice.
    target.Fill(0);
    const POINT star[] = {{20, 2}, {31, 36}, {2, 15}, {38, 15}, {9, 36}};
    Polygon(target.dc, star, 5);
    EXPECT_EQ(target.At(20, 21), 0u) << "centre left empty";
    EXPECT_EQ(target.At(20, 8), Dib(RGB(0, 200, 0))) << "a point filled";
    EXPECT_EQ(target.At(8, 16), Dib(RGB(0, 200, 0)));

    EXPECT_FALSE(Polygon(target.dc, star, 1));
    EXPECT_FALSE(Polygon(target.dc, nullptr, 5));
    SelectObject(target.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(brush);
}

TEST_F(GdiDrawingTest, ExtremeCoordinatesClipSoundly) {
    DibDc target(32, 32);
    HPEN wide = CreatePen(PS_SOLID, 3, kInk);
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 99));
    HPEN absurd = CreatePen(PS_SOLID, INT_MIN, kInk);
    SelectObject(target.dc, brush);
    for (HPEN pen : {static_cast<HPEN>(GetStockObject(WHITE_PEN)), wide, absurd}) {
        SelectObject(target.dc, pen);
        // The outline lies far outside; the bitmap is all inside.
        target.Fill(0);
        EXPECT_TRUE(Ellipse(target.dc, INT_MIN, INT_MIN, INT_MAX, INT_MAX));
        EXPECT_EQ(target.Count(Dib(RGB(0, 0, 99))), 32 * 32);
        target.Fill(0);
        const POINT huge[] = {{INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}, {0, INT_MAX}};
        EXPECT_TRUE(Polygon(target.dc, huge, 3));
        EXPECT_EQ(target.Count(Dib(RGB(0, 0, 99))), 32 * 32);
        EXPECT_TRUE(Arc(target.dc, INT_MIN, 0, INT_MAX, 31, INT_MAX, INT_MIN, INT_MIN, INT_MAX));
        EXPECT_TRUE(Arc(target.dc, 0, 0, 0, 0, 0, 0, 0, 0));
        MoveToEx(target.dc, INT_MIN, INT_MAX, nullptr);
        EXPECT_TRUE(LineTo(target.dc, INT_MAX, INT_MIN));
        EXPECT_TRUE(LineTo(target.dc, INT_MAX, INT_MAX));
    }
    SelectObject(target.dc, GetStockObject(BLACK_PEN));
    DeleteObject(wide);
    DeleteObject(brush);
    DeleteObject(absurd);
}

TEST_F(GdiDrawingTest, ASelectionThatFailsLeavesThePenInUse) {
    DibDc target(20, 20);
    HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    SelectObject(target.dc, red);
    EXPECT_EQ(SelectObject(target.dc, nullptr), nullptr);
    MoveToEx(target.dc, 0, 5, nullptr);
    LineTo(target.dc, 10, 5);
    EXPECT_EQ(target.At(3, 5), Dib(RGB(255, 0, 0)));
    // Deleted while selected, it lives on until deselected, as in Windows.
    DeleteObject(red);
    LineTo(target.dc, 10, 15);
    EXPECT_EQ(target.At(10, 10), Dib(RGB(255, 0, 0)));
}

TEST_F(GdiDrawingTest, ABottomUpDibKeepsTheImageBottomRowFirstInMemory) {
    DibDc target(16, 8, true);
    SelectObject(target.dc, GetStockObject(WHITE_PEN));
    MoveToEx(target.dc, 0, 7, nullptr);
    LineTo(target.dc, 4, 7);  // the image's bottom row
    EXPECT_EQ(target.MemoryRow(0)[2], Dib(kInk));
    EXPECT_EQ(target.MemoryRow(7)[2], 0u);
    SelectObject(target.dc, GetStockObject(WHITE_BRUSH));
    SelectObject(target.dc, GetStockObject(NULL_PEN));
    const POINT top[] = {{8, 0}, {12, 0}, {12, 1}, {8, 1}};
    Polygon(target.dc, top, 4);  // the image's top row
    EXPECT_EQ(target.MemoryRow(7)[9], Dib(RGB(255, 255, 255)));
    EXPECT_EQ(target.MemoryRow(0)[9], 0u);
    // Wide pens too.
    HPEN wide = CreatePen(PS_SOLID, 3, kInk);
    SelectObject(target.dc, wide);
    MoveToEx(target.dc, 2, 1, nullptr);
    LineTo(target.dc, 5, 1);  // image rows 0 to 2
    EXPECT_EQ(target.MemoryRow(7)[3], Dib(kInk));
    EXPECT_EQ(target.MemoryRow(5)[3], Dib(kInk));
    EXPECT_EQ(target.MemoryRow(4)[3], 0u);
    SelectObject(target.dc, GetStockObject(BLACK_PEN));
    DeleteObject(wide);
}

TEST_F(GdiDrawingTest, BitBltClipsToBothBitmaps) {
    DibDc source(10, 10), dest(12, 12);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) source.bits[y * 10 + x] = static_cast<std::uint32_t>(0x100 * y + x + 1);
    dest.Fill(0xABCDEF);
    EXPECT_TRUE(BitBlt(dest.dc, -3, -2, 10, 10, source.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(dest.At(0, 0), 0x204u);
    EXPECT_EQ(dest.At(6, 7), 0x90Au);
    EXPECT_EQ(dest.At(7, 0), 0xABCDEFu);
    EXPECT_EQ(dest.At(0, 8), 0xABCDEFu);

    dest.Fill(0xABCDEF);
    EXPECT_TRUE(BitBlt(dest.dc, 5, 5, 10, 10, source.dc, 4, 4, SRCCOPY));
    EXPECT_EQ(dest.At(5, 5), 0x405u);
    EXPECT_EQ(dest.At(10, 10), 0x90Au);
    EXPECT_EQ(dest.At(11, 5), 0xABCDEFu) << "source ran out";
    EXPECT_EQ(dest.At(4, 5), 0xABCDEFu);
    EXPECT_TRUE(BitBlt(dest.dc, INT_MAX, INT_MIN, INT_MAX, INT_MAX, source.dc, INT_MIN, 0, SRCCOPY));
}

TEST_F(GdiDrawingTest, ADcWithoutDibSectionKeepsItsStateAndPaintsNothing) {
    HDC dc = CreateCompatibleDC(nullptr);
    const POINT points[] = {{0, 0}, {5, 0}, {0, 5}};
    EXPECT_TRUE(MoveToEx(dc, 1, 2, nullptr));
    EXPECT_TRUE(LineTo(dc, 7, 8));
    EXPECT_TRUE(Ellipse(dc, 0, 0, 9, 9));
    EXPECT_TRUE(Polygon(dc, points, 3));
    POINT position{};
    MoveToEx(dc, 0, 0, &position);
    EXPECT_EQ(position.x, 7);
    DeleteDC(dc);
    EXPECT_FALSE(LineTo(dc, 1, 1));
    EXPECT_FALSE(Ellipse(nullptr, 0, 0, 9, 9));
}

}  // namespace
