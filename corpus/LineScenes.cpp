// MoveToEx and LineTo: single lines in 32 directions and lengths 0 to 20,
// and polylines whose segments join at every angle, with solid pens of
// widths 0, 1, 2, 3 and 5; and lines of whole length along the sides of
// right triangles (3, 4, 5 and 5, 12, 13), where a wide pen's half width
// across the line comes out at whole and half pixels, for widths 2 to 6.

#include <cmath>
#include <iterator>
#include <numbers>
#include <string>

#include "corpus/Corpus.h"

namespace quorvel::corpus {

namespace {

constexpr int kPenWidths[] = {0, 1, 2, 3, 5};
constexpr int kDirections = 32;
constexpr int kLongest = 20;

// A point `length` pixels from (x, y) in direction k of `directions`,
// counter-clockwise from 3 o'clock as seen on the screen.
POINT Towards(int x, int y, int k, int directions, double length) {
    const double angle = 2 * std::numbers::pi * k / directions;
    return {x + Nearest(length * std::cos(angle)), y - Nearest(length * std::sin(angle))};
}

}  // namespace

void LineScenes(Corpus& corpus) {
    const CellGrid grid{7, 52, 52};
    for (const int width : kPenWidths) {
        const GdiObject pen = MakePen(width, kPenColour);
        for (int k = 0; k < kDirections; ++k) {
            SceneDib image(grid.Width(), grid.Height(kLongest + 1));
            SelectObject(image.Dc(), pen.get());
            for (int length = 0; length <= kLongest; ++length) {
                const int x = grid.Left(length) + grid.cellWidth / 2;
                const int y = grid.Top(length) + grid.cellHeight / 2;
                const POINT end = Towards(x, y, k, kDirections, length);
                MoveToEx(image.Dc(), x, y, nullptr);
                LineTo(image.Dc(), end.x, end.y);
            }
            corpus.Picture("line-w" + std::to_string(width) + "-d" + Padded(k), image);
        }
    }
}

void ExactLineScenes(Corpus& corpus) {
    const POINT steps[] = {{3, 4}, {4, 3}, {6, 8}, {8, 6}, {5, 12}, {12, 5}, {0, 7}, {7, 0}};
    constexpr int kCases = static_cast<int>(std::size(steps)) * 4;
    const CellGrid grid{8, 40, 40};
    for (int width = 2; width <= 6; ++width) {
        const GdiObject pen = MakePen(width, kPenColour);
        SceneDib image(grid.Width(), grid.Height(kCases));
        SelectObject(image.Dc(), pen.get());
        for (int i = 0; i < kCases; ++i) {
            const POINT step = steps[i / 4];
            const int sx = i % 2 == 0 ? 1 : -1;
            const int sy = i % 4 < 2 ? 1 : -1;
            const int x = grid.Left(i) + 20 - sx * step.x / 2;
            const int y = grid.Top(i) + 20 - sy * step.y / 2;
            MoveToEx(image.Dc(), x, y, nullptr);
            LineTo(image.Dc(), x + sx * step.x, y + sy * step.y);
        }
        corpus.Picture("line-exact-w" + std::to_string(width), image);
    }
}

void JoinScenes(Corpus& corpus) {
    // The middle point of three, with arms of 12 pixels in 16 directions
    // each: every angle between two segments, both ways round.
    constexpr int kArms = 16;
    const CellGrid grid{8, 40, 40};
    for (const int width : kPenWidths) {
        const GdiObject pen = MakePen(width, kPenColour);
        for (int a = 0; a < kArms; ++a) {
            SceneDib image(grid.Width(), grid.Height(kArms));
            SelectObject(image.Dc(), pen.get());
            for (int b = 0; b < kArms; ++b) {
                const int x = grid.Left(b) + grid.cellWidth / 2;
                const int y = grid.Top(b) + grid.cellHeight / 2;
                const POINT from = Towards(x, y, a, kArms, 12);
                const POINT to = Towards(x, y, b, kArms, 12);
                MoveToEx(image.Dc(), from.x, from.y, nullptr);
                LineTo(image.Dc(), x, y);
                LineTo(image.Dc(), to.x, to.y);
            }
            corpus.Picture("join-w" + std::to_string(width) + "-a" + Padded(a), image);
        }
    }
    // The page's aircraft symbol: wings and a V, drawn as one polyline, at
    // the cells of 400 and 256 pixel pages.
    for (const int cell : {10, 6}) {
        for (const int width : {1, 2, 3}) {
            const GdiObject pen = MakePen(width, RGB(255, 255, 255));
            const int cx = 5 * cell;
            const int cy = 10;
            SceneDib image(10 * cell, 20 + 2 * cell);
            SelectObject(image.Dc(), pen.get());
            const POINT points[] = {{cx - 4 * cell, cy},
                                    {cx - 3 * cell / 2, cy},
                                    {cx, cy + 16 * cell / 10},
                                    {cx + 3 * cell / 2, cy},
                                    {cx + 4 * cell, cy}};
            MoveToEx(image.Dc(), points[0].x, points[0].y, nullptr);
            for (int i = 1; i < 5; ++i) LineTo(image.Dc(), points[i].x, points[i].y);
            corpus.Picture("join-aircraft-c" + Padded(cell) + "-w" + std::to_string(width), image);
        }
    }
}

}  // namespace quorvel::corpus
