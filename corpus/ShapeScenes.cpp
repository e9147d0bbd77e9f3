// Ellipse on boxes of every size from 0 to 24 each way, and Polygon on
// triangles of both windings, thin and degenerate ones included, with pens
// of widths 1, 2, 3 and 5.

#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "corpus/Corpus.h"

namespace quorvel::corpus {

void EllipseScenes(Corpus& corpus) {
    constexpr int kLargest = 24;
    const CellGrid grid{5, 34, 34};
    for (const int width : {1, 2, 3}) {
        const GdiObject pen = MakePen(width, kPenColour);
        const GdiObject brush = MakeBrush(kBrushColour);
        for (const bool filled : {true, false}) {
            for (int w = 0; w <= kLargest; ++w) {
                // Wine fills an ellipse 3 or 4 pixels wide with stray spans
                // that change from run to run, a fault of its own with no
                // GDI meaning: those boxes are drawn with NULL_BRUSH only.
                if (filled && (w == 3 || w == 4)) continue;
                SceneDib image(grid.Width(), grid.Height(kLargest + 1));
                SelectObject(image.Dc(), pen.get());
                SelectObject(image.Dc(), filled ? brush.get() : GetStockObject(NULL_BRUSH));
                for (int h = 0; h <= kLargest; ++h) {
                    const int x = grid.Left(h) + 5;
                    const int y = grid.Top(h) + 5;
                    Ellipse(image.Dc(), x, y, x + w, y + h);
                }
                corpus.Picture("ellipse-w" + std::to_string(width) + (filled ? "-solid" : "-null") + "-x" + Padded(w),
                               image);
            }
        }
    }
}

namespace {

using Triangle = std::array<POINT, 3>;

// In a 40 by 40 cell.
const Triangle kTriangles[] = {
    {{{5, 5}, {30, 8}, {12, 30}}},     {{{20, 4}, {34, 34}, {6, 34}}},   {{{4, 30}, {36, 30}, {10, 26}}},
    {{{8, 8}, {32, 8}, {8, 32}}},      {{{8, 8}, {32, 32}, {32, 8}}},    {{{4, 20}, {36, 22}, {4, 21}}},
    {{{20, 4}, {21, 36}, {22, 4}}},    {{{4, 4}, {36, 36}, {35, 36}}},   {{{4, 36}, {36, 4}, {36, 5}}},
    {{{20, 20}, {22, 20}, {20, 22}}},  {{{20, 20}, {21, 20}, {20, 21}}}, {{{20, 20}, {20, 20}, {20, 20}}},
    {{{4, 4}, {20, 20}, {36, 36}}},    {{{4, 20}, {36, 20}, {20, 20}}},  {{{20, 4}, {20, 36}, {20, 12}}},
    {{{10, 10}, {30, 25}, {10, 10}}},  {{{3, 17}, {37, 19}, {19, 37}}},  {{{17, 3}, {19, 37}, {37, 23}}},
};

}  // namespace

void PolygonScenes(Corpus& corpus) {
    const int count = static_cast<int>(std::size(kTriangles));
    const CellGrid grid{6, 40, 40};
    const GdiObject brush = MakeBrush(kBrushColour);
    for (const int width : {1, 2, 3, 5}) {
        const GdiObject pen = MakePen(width, kPenColour);
        for (const bool reversed : {false, true}) {
            SceneDib image(grid.Width(), grid.Height(count));
            SelectObject(image.Dc(), pen.get());
            SelectObject(image.Dc(), brush.get());
            for (int i = 0; i < count; ++i) {
                Triangle t = kTriangles[i];
                if (reversed) std::swap(t[1], t[2]);
                for (POINT& p : t) p = {p.x + grid.Left(i), p.y + grid.Top(i)};
                Polygon(image.Dc(), t.data(), 3);
            }
            corpus.Picture("polygon-w" + std::to_string(width) + (reversed ? "-clockwise" : "-anticlockwise"), image);
        }
        // Dial pointers, as the page draws them, round the whole circle.
        constexpr int kPointers = 24;
        const CellGrid pointers{6, 48, 48};
        SceneDib image(pointers.Width(), pointers.Height(kPointers));
        SelectObject(image.Dc(), pen.get());
        SelectObject(image.Dc(), brush.get());
        for (int i = 0; i < kPointers; ++i) {
            const int cx = pointers.Left(i) + 24;
            const int cy = pointers.Top(i) + 24;
            const double theta = 360.0 * i / kPointers + 7;
            const auto at = [&](double radius, double degrees) {
                return POINT{cx + Nearest(radius * std::sin(degrees * std::numbers::pi / 180)),
                             cy - Nearest(radius * std::cos(degrees * std::numbers::pi / 180))};
            };
            const POINT t[] = {at(15, theta - 5), at(15, theta + 5), at(20, theta)};
            Polygon(image.Dc(), t, 3);
        }
        corpus.Picture("polygon-w" + std::to_string(width) + "-pointers", image);
    }
}

}  // namespace quorvel::corpus
