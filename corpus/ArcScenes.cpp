// Arc: start and end rays every 15 degrees on odd and even boxes, so that
// the sweep goes the short way and the long way; rays through points
// inside, on and outside the ellipse; rays that coincide; rays less than a
// pixel apart on the ellipse, as the page's rate arcs give at tiny rates;
// rays in every small whole direction, through the outline's pixels and
// between them, in both orders; every box up to 5 by 5; and boxes whose
// corners come in either order, with a centre left of or above 0.

#include <cmath>
#include <numbers>
#include <string>
#include <utility>

#include "corpus/Corpus.h"

namespace quorvel::corpus {

namespace {

struct Box {
    int width;
    int height;
};

// A box's corners in the order Arc takes them.
struct Corners {
    int left;
    int top;
    int right;
    int bottom;
};

std::string Name(const Box& box) { return std::to_string(box.width) + "x" + std::to_string(box.height); }

// The point at `scale` times the ellipse's radii from the box's centre, in
// direction `degrees`, counter-clockwise from 3 o'clock.
POINT OnRay(int left, int top, const Box& box, double degrees, double scale) {
    const double angle = degrees * std::numbers::pi / 180;
    return {left + box.width / 2 + Nearest(scale * box.width / 2 * std::cos(angle)),
            top + box.height / 2 - Nearest(scale * box.height / 2 * std::sin(angle))};
}

void Sweeps(Corpus& corpus) {
    constexpr int kSteps = 24;
    for (const Box box : {Box{9, 9}, Box{10, 10}, Box{17, 11}, Box{24, 24}, Box{41, 41}}) {
        const CellGrid grid{6, box.width + 10, box.height + 10};
        for (const int width : {1, 3}) {
            const GdiObject pen = MakePen(width, kPenColour);
            for (int s = 0; s < kSteps; ++s) {
                SceneDib image(grid.Width(), grid.Height(kSteps));
                SelectObject(image.Dc(), pen.get());
                for (int e = 0; e < kSteps; ++e) {
                    const int x = grid.Left(e) + 5;
                    const int y = grid.Top(e) + 5;
                    const POINT start = OnRay(x, y, box, 15.0 * s, 8);
                    const POINT end = OnRay(x, y, box, 15.0 * e, 8);
                    Arc(image.Dc(), x, y, x + box.width, y + box.height, start.x, start.y, end.x, end.y);
                }
                corpus.Picture("arc-" + Name(box) + "-w" + std::to_string(width) + "-s" + Padded(s), image);
            }
        }
    }
}

void RayPoints(Corpus& corpus) {
    // Points at the centre, inside, on and outside the ellipse.
    constexpr int kSteps = 24;
    for (const Box box : {Box{17, 11}, Box{24, 24}}) {
        const CellGrid grid{6, box.width + 10, box.height + 10};
        for (const int width : {1, 3}) {
            const GdiObject pen = MakePen(width, kPenColour);
            for (const double scale : {0.0, 0.5, 1.0, 1.5}) {
                for (const int s : {0, 5, 13}) {
                    SceneDib image(grid.Width(), grid.Height(kSteps));
                    SelectObject(image.Dc(), pen.get());
                    for (int e = 0; e < kSteps; ++e) {
                        const int x = grid.Left(e) + 5;
                        const int y = grid.Top(e) + 5;
                        const POINT start = OnRay(x, y, box, 15.0 * s, scale);
                        const POINT end = OnRay(x, y, box, 15.0 * e, scale == 0.0 ? 1.0 : scale);
                        Arc(image.Dc(), x, y, x + box.width, y + box.height, start.x, start.y, end.x, end.y);
                    }
                    corpus.Picture("arc-points-" + Name(box) + "-w" + std::to_string(width) + "-r" +
                                       std::to_string(static_cast<int>(scale * 10)) + "-s" + std::to_string(s),
                                   image);
                }
            }
        }
    }
}

void NearRays(Corpus& corpus) {
    // In eight directions, one point a pixel or two beside the other, either
    // side, with both on the ellipse or far outside it; each point the start
    // and the end in turn (the page's rate arcs start beside 9 o'clock and
    // end on it).
    constexpr int kDirections = 8;
    const int offsets[] = {1, -1, 2, -2};
    for (const Box box : {Box{10, 10}, Box{24, 24}, Box{41, 41}, Box{56, 56}, Box{80, 80}, Box{81, 81}}) {
        const CellGrid grid{8, box.width + 10, box.height + 10};
        const int cases = kDirections * 4 * static_cast<int>(std::size(offsets));
        for (const int width : {1, 3}) {
            const GdiObject pen = MakePen(width, kPenColour);
            SceneDib image(grid.Width(), grid.Height(cases));
            SelectObject(image.Dc(), pen.get());
            int i = 0;
            for (const bool swapped : {false, true}) {
                for (const double scale : {1.0, 4.0}) {
                    for (int k = 0; k < kDirections; ++k) {
                        for (const int offset : offsets) {
                            const int x = grid.Left(i) + 5;
                            const int y = grid.Top(i) + 5;
                            ++i;
                            POINT start = OnRay(x, y, box, 45.0 * k, scale);
                            // Beside the ray: along x for the vertical rays,
                            // along y for the others.
                            POINT end =
                                k % 4 == 2 ? POINT{start.x + offset, start.y} : POINT{start.x, start.y + offset};
                            if (swapped) std::swap(start, end);
                            Arc(image.Dc(), x, y, x + box.width, y + box.height, start.x, start.y, end.x, end.y);
                        }
                    }
                }
            }
            corpus.Picture("arc-near-" + Name(box) + "-w" + std::to_string(width), image);
        }
    }
}

void RayDirections(Corpus& corpus) {
    // The whole ellipse from a ray to itself, whose missing pixel shows where
    // the ray meets the outline, and a quarter from it counter-clockwise
    // and clockwise; every direction (dx, dy) up to 6 each way, so that
    // rays run through outline pixels, between them and along the axes.
    constexpr int kReach = 6;
    constexpr int kSide = 2 * kReach + 1;
    for (const Box box : {Box{10, 10}, Box{11, 11}, Box{12, 7}, Box{7, 12}}) {
        const CellGrid grid{kSide, box.width + 6, box.height + 6};
        for (const int width : {1, 3}) {
            const GdiObject pen = MakePen(width, kPenColour);
            for (const int turn : {0, 1, -1}) {
                SceneDib image(grid.Width(), grid.Height(kSide * kSide));
                SelectObject(image.Dc(), pen.get());
                for (int i = 0; i < kSide * kSide; ++i) {
                    const int dx = i % kSide - kReach;
                    const int dy = i / kSide - kReach;
                    const int x = grid.Left(i) + 3;
                    const int y = grid.Top(i) + 3;
                    const int cx = x + box.width / 2;
                    const int cy = y + box.height / 2;
                    // A quarter turn on the screen, y downward.
                    const int ex = turn == 0 ? dx : -turn * dy;
                    const int ey = turn == 0 ? dy : turn * dx;
                    Arc(image.Dc(), x, y, x + box.width, y + box.height, cx + dx, cy + dy, cx + ex, cy + ey);
                }
                const char* name = turn == 0 ? "-whole" : (turn > 0 ? "-quarter" : "-three-quarters");
                corpus.Picture("arc-rays-" + Name(box) + "-w" + std::to_string(width) + name, image);
            }
        }
    }
}

void SmallBoxes(Corpus& corpus) {
    // Every box up to 5 by 5, rays in eight directions each way: boxes
    // whose quarter is a single pixel, or a single row or column.
    constexpr int kLargest = 5;
    constexpr int kDirections = 8;
    const CellGrid grid{kDirections * kDirections, 12, 12};
    for (const int width : {1, 3}) {
        const GdiObject pen = MakePen(width, kPenColour);
        SceneDib image(grid.Width(), grid.Height(kDirections * kDirections * kLargest * kLargest));
        SelectObject(image.Dc(), pen.get());
        int i = 0;
        for (int h = 1; h <= kLargest; ++h) {
            for (int w = 1; w <= kLargest; ++w) {
                for (int s = 0; s < kDirections; ++s) {
                    for (int e = 0; e < kDirections; ++e) {
                        const int x = grid.Left(i) + 4;
                        const int y = grid.Top(i) + 4;
                        ++i;
                        const Box box{w, h};
                        const POINT start = OnRay(x, y, box, 45.0 * s, 4);
                        const POINT end = OnRay(x, y, box, 45.0 * e, 4);
                        Arc(image.Dc(), x, y, x + w, y + h, start.x, start.y, end.x, end.y);
                    }
                }
            }
        }
        corpus.Picture("arc-small-boxes-w" + std::to_string(width), image);
    }
}

void OffsideBoxes(Corpus& corpus) {
    // Boxes reaching past the bitmap's left (or top) edge so that the sum
    // of their corners across is odd and negative, with rays either side of
    // the centre, up to down and down to up, the corners in either order.
    constexpr int kCases = 6;
    constexpr int kSpacing = 25;
    for (const int width : {1, 3}) {
        const GdiObject pen = MakePen(width, kPenColour);
        for (const bool across : {true, false}) {
            for (const bool upward : {false, true}) {
                for (const bool reversed : {false, true}) {
                    SceneDib image(across ? 12 : kCases * kSpacing, across ? kCases * kSpacing : 12);
                    SelectObject(image.Dc(), pen.get());
                    for (int k = 0; k < kCases; ++k) {
                        // Along the edge: box k from −9 to 8 across it, and
                        // rays to points k − 3 and 3 − k off its middle.
                        const int along = kSpacing * k + 5;
                        const POINT top = {k - 3, along - 20};
                        const POINT bottom = {3 - k, along + 37};
                        POINT start = upward ? bottom : top;
                        POINT end = upward ? top : bottom;
                        Corners box{-9, along, 8, along + 17};
                        if (!across) {
                            start = {start.y, start.x};
                            end = {end.y, end.x};
                            box = {box.top, box.left, box.bottom, box.right};
                        }
                        if (reversed) box = {box.right, box.bottom, box.left, box.top};
                        Arc(image.Dc(), box.left, box.top, box.right, box.bottom, start.x, start.y, end.x, end.y);
                    }
                    corpus.Picture(std::string("arc-offside-") + (across ? "left" : "top") + "-w" +
                                       std::to_string(width) + (upward ? "-up" : "-down") +
                                       (reversed ? "-reversed" : ""),
                                   image);
                }
            }
        }
    }
}

}  // namespace

void ArcScenes(Corpus& corpus) {
    Sweeps(corpus);
    RayPoints(corpus);
    NearRays(corpus);
    RayDirections(corpus);
    SmallBoxes(corpus);
    OffsideBoxes(corpus);
}

}  // namespace quorvel::corpus
