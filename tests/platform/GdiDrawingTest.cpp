// Lines, ellipses, arcs, polygons and BitBlt, checked by the pixels they
// leave in a DIB section.

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <utility>
#include <vector>

#include "platform/PixelColour.h"
#include "sim/host/MfdSurface.h"
#include "tests/support/LeakCheck.h"
#include "tests/support/SurfacePixels.h"

namespace {

using quorvel::platform::DibPixel;
using quorvel::sim::MfdSurface;
using quorvel::test::CountPixels;
using quorvel::test::MemoryRow;
using Pixels = std::set<std::pair<int, int>>;

constexpr COLORREF kInk = RGB(255, 255, 255);
constexpr COLORREF kPaper = RGB(10, 20, 30);

Pixels Painted(const MfdSurface& target, std::uint32_t pixel = DibPixel(kInk)) {
    Pixels found;
    for (std::uint32_t y = 0; y < target.Height(); ++y)
        for (std::uint32_t x = 0; x < target.Width(); ++x)
            if (target.Pixel(x, y) == pixel) found.insert({static_cast<int>(x), static_cast<int>(y)});
    return found;
}

// Whether a 4-connected walk from (x, y) over unpainted pixels gets out of
// the bitmap: an outline with a gap lets it through.
bool Escapes(const MfdSurface& target, int x, int y) {
    const int width = static_cast<int>(target.Width());
    const int height = static_cast<int>(target.Height());
    std::vector<bool> seen(static_cast<std::size_t>(width * height));
    std::vector<std::pair<int, int>> todo{{x, y}};
    while (!todo.empty()) {
        const auto [px, py] = todo.back();
        todo.pop_back();
        if (px < 0 || py < 0 || px >= width || py >= height) return true;
        const std::size_t index = static_cast<std::size_t>(py * width + px);
        if (seen[index] || target.Pixel(px, py) == DibPixel(kInk)) continue;
        seen[index] = true;
        todo.insert(todo.end(), {{px + 1, py}, {px - 1, py}, {px, py + 1}, {px, py - 1}});
    }
    return false;
}

class GdiDrawingTest : public quorvel::test::LeakCheckedTest {};

TEST_F(GdiDrawingTest, LineToLeavesOutItsEndPixelInEveryDirectionAndMovesThePosition) {
    MfdSurface target(41, 41, std::nullopt);
    SelectObject(target.Dc(), GetStockObject(WHITE_PEN));
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            if (dx == 0 && dy == 0) continue;
            target.Fill(0);
            POINT previous{-1, -1};
            MoveToEx(target.Dc(), 20, 20, nullptr);
            MoveToEx(target.Dc(), 20, 20, &previous);
            EXPECT_EQ(previous.x, 20);
            ASSERT_TRUE(LineTo(target.Dc(), 20 + 10 * dx, 20 + 7 * dy));
            SCOPED_TRACE(::testing::Message() << "direction " << dx << ", " << dy);
            EXPECT_EQ(target.Pixel(20, 20), DibPixel(kInk)) << "start pixel";
            EXPECT_EQ(target.Pixel(20 + 10 * dx, 20 + 7 * dy), 0u) << "end pixel";
            EXPECT_EQ(static_cast<int>(Painted(target).size()), dx != 0 ? 10 : 7);
            MoveToEx(target.Dc(), 0, 0, &previous);
            EXPECT_EQ(previous.x, 20 + 10 * dx);
            EXPECT_EQ(previous.y, 20 + 7 * dy);
        }
    }
}

TEST_F(GdiDrawingTest, ALineAndItsReverseShareTheirInnerPixels) {
    MfdSurface forward(12, 12, std::nullopt), backward(12, 12, std::nullopt);
    for (MfdSurface* target : {&forward, &backward}) SelectObject(target->Dc(), GetStockObject(WHITE_PEN));
    MoveToEx(forward.Dc(), 1, 1, nullptr);
    LineTo(forward.Dc(), 9, 4);  // slope 3/8 has exact ties on the way
    MoveToEx(backward.Dc(), 9, 4, nullptr);
    LineTo(backward.Dc(), 1, 1);
    Pixels a = Painted(forward), b = Painted(backward);
    EXPECT_EQ(a.size(), 8u) << "one pixel per column";
    a.erase({1, 1});
    b.erase({9, 4});
    EXPECT_EQ(a, b);
}

TEST_F(GdiDrawingTest, ClippedLinesKeepThePixelsTheyWouldHaveUnclipped) {
    MfdSurface small(40, 40, std::nullopt), large(240, 240, std::nullopt);
    for (MfdSurface* target : {&small, &large}) SelectObject(target->Dc(), GetStockObject(WHITE_PEN));
    const int lines[][4] = {{-30, -7, 70, 43}, {55, -20, -13, 61}, {39, 100, 2, -90}, {-5, 39, 45, 38}};
    for (const auto& line : lines) {
        MoveToEx(small.Dc(), line[0], line[1], nullptr);
        LineTo(small.Dc(), line[2], line[3]);
        MoveToEx(large.Dc(), line[0] + 100, line[1] + 100, nullptr);
        LineTo(large.Dc(), line[2] + 100, line[3] + 100);
    }
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) ASSERT_EQ(small.Pixel(x, y), large.Pixel(x + 100, y + 100)) << x << ", " << y;

    // A line across the whole int range at 45 degrees is still the diagonal.
    small.Fill(0);
    MoveToEx(small.Dc(), INT_MIN + 1, INT_MIN + 1, nullptr);
    LineTo(small.Dc(), INT_MAX, INT_MAX);
    Pixels diagonal;
    for (int i = 0; i < 40; ++i) diagonal.insert({i, i});
    EXPECT_EQ(Painted(small), diagonal);
}

TEST_F(GdiDrawingTest, EllipseOutlineRunsThroughTheBoxLessItsRightAndBottomEdges) {
    MfdSurface target(40, 40, std::nullopt);
    SelectObject(target.Dc(), GetStockObject(WHITE_PEN));
    SelectObject(target.Dc(), GetStockObject(NULL_BRUSH));
    // Windows draws nothing for a 1 by 1 box.
    ASSERT_TRUE(Ellipse(target.Dc(), 5, 6, 6, 7));
    EXPECT_TRUE(Painted(target).empty());
    for (int w = 1; w <= 30; ++w) {
        for (int h = w == 1 ? 2 : 1; h <= 30; ++h) {
            target.Fill(0);
            ASSERT_TRUE(Ellipse(target.Dc(), 5, 6, 5 + w, 6 + h));
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
    MfdSurface target(40, 40, std::nullopt);
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 200));
    SelectObject(target.Dc(), GetStockObject(WHITE_PEN));
    SelectObject(target.Dc(), brush);
    target.Fill(DibPixel(kPaper));
    Ellipse(target.Dc(), 4, 4, 35, 25);
    int filled = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            if (target.Pixel(x, y) != DibPixel(RGB(0, 0, 200))) continue;
            ++filled;
            // Every brush pixel has the outline on both sides in its row.
            bool inkLeft = false, inkRight = false;
            for (int i = 0; i < x; ++i) inkLeft |= target.Pixel(i, y) == DibPixel(kInk);
            for (int i = x + 1; i < 40; ++i) inkRight |= target.Pixel(i, y) == DibPixel(kInk);
            ASSERT_TRUE(inkLeft && inkRight) << "brush outside the outline at " << x << ", " << y;
        }
    }
    EXPECT_GT(filled, 300);
    EXPECT_EQ(target.Pixel(19, 14), DibPixel(RGB(0, 0, 200)));

    target.Fill(DibPixel(kPaper));
    SelectObject(target.Dc(), GetStockObject(NULL_BRUSH));
    Ellipse(target.Dc(), 4, 4, 35, 25);
    EXPECT_EQ(CountPixels(target, DibPixel(kPaper)) + CountPixels(target, DibPixel(kInk)), 40 * 40);
    EXPECT_EQ(target.Pixel(19, 14), DibPixel(kPaper));

    target.Fill(0);
    EXPECT_TRUE(Ellipse(target.Dc(), 10, 10, 10, 30)) << "no width: a successful no-op";
    EXPECT_TRUE(Ellipse(target.Dc(), 10, 10, 30, 10));
    EXPECT_EQ(CountPixels(target, 0), 40 * 40);
    SelectObject(target.Dc(), GetStockObject(WHITE_BRUSH));
    DeleteObject(brush);
}

TEST_F(GdiDrawingTest, WidePensAreCentredWithTheExtraRowAndColumnOnTopAndLeft) {
    MfdSurface target(40, 40, std::nullopt);
    HPEN three = CreatePen(PS_SOLID, 3, kInk);
    HPEN two = CreatePen(PS_SOLID, 2, kInk);
    SelectObject(target.Dc(), GetStockObject(NULL_BRUSH));

    SelectObject(target.Dc(), three);
    Ellipse(target.Dc(), 10, 10, 30, 30);
    EXPECT_EQ(target.Pixel(9, 19), DibPixel(kInk)) << "spills one pixel left of the box";
    EXPECT_EQ(target.Pixel(30, 19), DibPixel(kInk)) << "and one right of its last column";
    EXPECT_EQ(target.Pixel(19, 9), DibPixel(kInk));
    EXPECT_EQ(target.Pixel(19, 30), DibPixel(kInk));
    EXPECT_EQ(target.Pixel(8, 19), 0u);
    EXPECT_EQ(target.Pixel(31, 19), 0u);

    // A 3-pixel line is 3 rows high, with a plus, the 3 by 3 ellipse, round
    // each end point.
    target.Fill(0);
    MoveToEx(target.Dc(), 10, 10, nullptr);
    LineTo(target.Dc(), 20, 10);
    Pixels line{{9, 10}, {21, 10}};
    for (int x = 10; x <= 20; ++x) line.insert({{x, 9}, {x, 10}, {x, 11}});
    EXPECT_EQ(Painted(target), line);

    SelectObject(target.Dc(), two);
    target.Fill(0);
    MoveToEx(target.Dc(), 10, 10, nullptr);
    LineTo(target.Dc(), 20, 10);
    Pixels expected;
    for (int x = 9; x <= 20; ++x) expected.insert({{x, 9}, {x, 10}});
    EXPECT_EQ(Painted(target), expected);

    target.Fill(0);
    Ellipse(target.Dc(), 10, 10, 30, 30);
    EXPECT_EQ(target.Pixel(9, 19), DibPixel(kInk));
    EXPECT_EQ(target.Pixel(30, 19), 0u) << "the even width's extra column is on the left";
    EXPECT_EQ(target.Pixel(19, 9), DibPixel(kInk));
    EXPECT_EQ(target.Pixel(19, 30), 0u);

    SelectObject(target.Dc(), GetStockObject(BLACK_PEN));
    DeleteObject(three);
    DeleteObject(two);
}

TEST_F(GdiDrawingTest, ArcFollowsTheOutlineCounterClockwiseAndLeavesOutItsLastPoint) {
    MfdSurface whole(60, 60, std::nullopt), arc(60, 60, std::nullopt);
    for (MfdSurface* target : {&whole, &arc}) {
        SelectObject(target->Dc(), GetStockObject(WHITE_PEN));
        SelectObject(target->Dc(), GetStockObject(NULL_BRUSH));
    }
    Ellipse(whole.Dc(), 10, 10, 50, 50);
    const Pixels ellipse = Painted(whole);
    Pixels upperRight, rest;
    for (const auto& p : ellipse) (p.first >= 30 && p.second < 30 ? upperRight : rest).insert(p);

    MoveToEx(arc.Dc(), 3, 4, nullptr);
    // From 3 o'clock to 12 o'clock; the points need not lie on the ellipse.
    // The end ray meets the outline at (30, 10), which the path stops
    // short of; its last point, (31, 10), the 1-pixel pen leaves out.
    Arc(arc.Dc(), 10, 10, 50, 50, 58, 30, 30, 1);
    Pixels expected = upperRight;
    expected.erase({30, 10});
    expected.erase({31, 10});
    EXPECT_EQ(Painted(arc), expected);
    arc.Fill(0);
    Arc(arc.Dc(), 10, 10, 50, 50, 30, 1, 58, 30);
    expected = rest;
    expected.insert({30, 10});
    expected.erase({49, 30});
    EXPECT_EQ(Painted(arc), expected);
    // Both on the ray through 1:30: the whole path round, less its last
    // point, the one before the start.
    arc.Fill(0);
    Arc(arc.Dc(), 10, 10, 50, 50, 45, 15, 59, 1);
    expected = ellipse;
    expected.erase({44, 16});
    EXPECT_EQ(Painted(arc), expected);

    POINT position{};
    MoveToEx(arc.Dc(), 0, 0, &position);
    EXPECT_EQ(position.x, 3) << "neither Arc nor Ellipse moves the current position";
    EXPECT_EQ(position.y, 4);
}

TEST_F(GdiDrawingTest, ATinyWideArcDrawsTheWholeCircleAsTheRateDialsDo) {
    // The rays of a rate arc at a tiny rate: from just above 9 o'clock to
    // 9 o'clock, less than a pixel apart on the outline. They meet it
    // between the same two points, which gives the whole circle.
    MfdSurface target(80, 80, std::nullopt);
    HPEN three = CreatePen(PS_SOLID, 3, kInk);
    SelectObject(target.Dc(), three);
    Arc(target.Dc(), 10, 10, 70, 70, 10, 39, 10, 40);
    EXPECT_EQ(target.Pixel(40, 10), DibPixel(kInk)) << "12 o'clock";
    EXPECT_EQ(target.Pixel(69, 40), DibPixel(kInk)) << "3 o'clock";
    EXPECT_EQ(target.Pixel(40, 69), DibPixel(kInk)) << "6 o'clock";
    EXPECT_FALSE(Escapes(target, 40, 40)) << "no gap in the circle";
    SelectObject(target.Dc(), GetStockObject(BLACK_PEN));
    DeleteObject(three);
}

TEST_F(GdiDrawingTest, ASlantingWideLineReachesFurtherOnItsRightSide) {
    // A 5-pixel pen along (12, 9): its half width across the line is
    // (1.5, −2) one way, rounded to (2, −3), and (−1.5, 2) the other,
    // rounded to (−2, 2).
    MfdSurface target(40, 50, std::nullopt);
    HPEN five = CreatePen(PS_SOLID, 5, kInk);
    SelectObject(target.Dc(), five);
    MoveToEx(target.Dc(), 10, 30, nullptr);
    LineTo(target.Dc(), 22, 39);
    EXPECT_EQ(target.Pixel(13, 28), DibPixel(kInk)) << "the upper right side, one pixel beyond";
    EXPECT_EQ(target.Pixel(23, 36), DibPixel(kInk));
    EXPECT_EQ(target.Pixel(14, 28), 0u);
    EXPECT_EQ(target.Pixel(13, 36), 0u) << "the lower left side, to the nearest pixel";
    EXPECT_EQ(target.Pixel(14, 36), DibPixel(kInk));
    SelectObject(target.Dc(), GetStockObject(BLACK_PEN));
    DeleteObject(five);
}

TEST_F(GdiDrawingTest, PolygonClosesItselfAndFillsByAlternation) {
    MfdSurface target(40, 40, std::nullopt);
    HBRUSH brush = CreateSolidBrush(RGB(0, 200, 0));
    SelectObject(target.Dc(), brush);
    SelectObject(target.Dc(), GetStockObject(NULL_PEN));
    const POINT square[] = {{10, 10}, {20, 10}, {20, 20}, {10, 20}};
    Polygon(target.Dc(), square, 4);
    EXPECT_EQ(CountPixels(target, DibPixel(RGB(0, 200, 0))), 100) << "right and bottom edges are outside the fill";
    EXPECT_EQ(target.Pixel(10, 10), DibPixel(RGB(0, 200, 0)));
    EXPECT_EQ(target.Pixel(20, 19), 0u);

    SelectObject(target.Dc(), GetStockObject(WHITE_PEN));
    target.Fill(0);
    const POINT triangle[] = {{5, 5}, {30, 5}, {5, 30}};
    Polygon(target.Dc(), triangle, 3);
    EXPECT_EQ(target.Pixel(5, 29), DibPixel(kInk)) << "the closing edge is drawn";
    EXPECT_EQ(target.Pixel(6, 6), DibPixel(RGB(0, 200, 0)));

    // A five-pointed star drawn in one stroke: its centre is crossed twice.
    target.Fill(0);
    const POINT star[] = {{20, 2}, {31, 36}, {2, 15}, {38, 15}, {9, 36}};
    Polygon(target.Dc(), star, 5);
    EXPECT_EQ(target.Pixel(20, 21), 0u) << "centre left empty";
    EXPECT_EQ(target.Pixel(20, 8), DibPixel(RGB(0, 200, 0))) << "a point filled";
    EXPECT_EQ(target.Pixel(8, 16), DibPixel(RGB(0, 200, 0)));

    EXPECT_FALSE(Polygon(target.Dc(), star, 1));
    EXPECT_FALSE(Polygon(target.Dc(), nullptr, 5));
    SelectObject(target.Dc(), GetStockObject(WHITE_BRUSH));
    DeleteObject(brush);
}

TEST_F(GdiDrawingTest, ExtremeCoordinatesClipSoundly) {
    MfdSurface target(32, 32, std::nullopt);
    HPEN wide = CreatePen(PS_SOLID, 3, kInk);
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 99));
    HPEN absurd = CreatePen(PS_SOLID, INT_MIN, kInk);
    SelectObject(target.Dc(), brush);
    for (HPEN pen : {static_cast<HPEN>(GetStockObject(WHITE_PEN)), wide, absurd}) {
        SelectObject(target.Dc(), pen);
        // The outline lies far outside; the bitmap is all inside.
        target.Fill(0);
        EXPECT_TRUE(Ellipse(target.Dc(), INT_MIN, INT_MIN, INT_MAX, INT_MAX));
        EXPECT_EQ(CountPixels(target, DibPixel(RGB(0, 0, 99))), 32 * 32);
        target.Fill(0);
        const POINT huge[] = {{INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}, {0, INT_MAX}};
        EXPECT_TRUE(Polygon(target.Dc(), huge, 3));
        EXPECT_EQ(CountPixels(target, DibPixel(RGB(0, 0, 99))), 32 * 32);
        EXPECT_TRUE(Arc(target.Dc(), INT_MIN, 0, INT_MAX, 31, INT_MAX, INT_MIN, INT_MIN, INT_MAX));
        EXPECT_TRUE(Arc(target.Dc(), 0, 0, 0, 0, 0, 0, 0, 0));
        MoveToEx(target.Dc(), INT_MIN, INT_MAX, nullptr);
        EXPECT_TRUE(LineTo(target.Dc(), INT_MAX, INT_MIN));
        EXPECT_TRUE(LineTo(target.Dc(), INT_MAX, INT_MAX));
    }
    SelectObject(target.Dc(), GetStockObject(BLACK_PEN));
    DeleteObject(wide);
    DeleteObject(brush);
    DeleteObject(absurd);
}

TEST_F(GdiDrawingTest, ASelectionThatFailsLeavesThePenInUse) {
    MfdSurface target(20, 20, std::nullopt);
    HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    SelectObject(target.Dc(), red);
    EXPECT_EQ(SelectObject(target.Dc(), nullptr), nullptr);
    MoveToEx(target.Dc(), 0, 5, nullptr);
    LineTo(target.Dc(), 10, 5);
    EXPECT_EQ(target.Pixel(3, 5), DibPixel(RGB(255, 0, 0)));
    // Deleted while selected, it lives on until deselected, as in Windows.
    DeleteObject(red);
    LineTo(target.Dc(), 10, 15);
    EXPECT_EQ(target.Pixel(10, 10), DibPixel(RGB(255, 0, 0)));
}

TEST_F(GdiDrawingTest, ABottomUpDibKeepsTheImageBottomRowFirstInMemory) {
    MfdSurface target(16, 8, std::nullopt, quorvel::sim::RowOrder::BottomUp);
    SelectObject(target.Dc(), GetStockObject(WHITE_PEN));
    MoveToEx(target.Dc(), 0, 7, nullptr);
    LineTo(target.Dc(), 4, 7);  // the image's bottom row
    EXPECT_EQ(MemoryRow(target, 0)[2], DibPixel(kInk));
    EXPECT_EQ(MemoryRow(target, 7)[2], 0u);
    SelectObject(target.Dc(), GetStockObject(WHITE_BRUSH));
    SelectObject(target.Dc(), GetStockObject(NULL_PEN));
    const POINT top[] = {{8, 0}, {12, 0}, {12, 1}, {8, 1}};
    Polygon(target.Dc(), top, 4);  // the image's top row
    EXPECT_EQ(MemoryRow(target, 7)[9], DibPixel(RGB(255, 255, 255)));
    EXPECT_EQ(MemoryRow(target, 0)[9], 0u);
    // Wide pens too.
    HPEN wide = CreatePen(PS_SOLID, 3, kInk);
    SelectObject(target.Dc(), wide);
    MoveToEx(target.Dc(), 2, 1, nullptr);
    LineTo(target.Dc(), 5, 1);  // image rows 0 to 2
    EXPECT_EQ(MemoryRow(target, 7)[3], DibPixel(kInk));
    EXPECT_EQ(MemoryRow(target, 5)[3], DibPixel(kInk));
    EXPECT_EQ(MemoryRow(target, 4)[3], 0u);
    SelectObject(target.Dc(), GetStockObject(BLACK_PEN));
    DeleteObject(wide);
}

TEST_F(GdiDrawingTest, BitBltClipsToBothBitmaps) {
    MfdSurface source(10, 10, std::nullopt), dest(12, 12, std::nullopt);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) source.Pixels()[static_cast<std::size_t>(y * 10 + x)] = static_cast<std::uint32_t>(0x100 * y + x + 1);
    dest.Fill(0xABCDEF);
    EXPECT_TRUE(BitBlt(dest.Dc(), -3, -2, 10, 10, source.Dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(dest.Pixel(0, 0), 0x204u);
    EXPECT_EQ(dest.Pixel(6, 7), 0x90Au);
    EXPECT_EQ(dest.Pixel(7, 0), 0xABCDEFu);
    EXPECT_EQ(dest.Pixel(0, 8), 0xABCDEFu);

    dest.Fill(0xABCDEF);
    EXPECT_TRUE(BitBlt(dest.Dc(), 5, 5, 10, 10, source.Dc(), 4, 4, SRCCOPY));
    EXPECT_EQ(dest.Pixel(5, 5), 0x405u);
    EXPECT_EQ(dest.Pixel(10, 10), 0x90Au);
    EXPECT_EQ(dest.Pixel(11, 5), 0xABCDEFu) << "source ran out";
    EXPECT_EQ(dest.Pixel(4, 5), 0xABCDEFu);
    EXPECT_TRUE(BitBlt(dest.Dc(), INT_MAX, INT_MIN, INT_MAX, INT_MAX, source.Dc(), INT_MIN, 0, SRCCOPY));
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
