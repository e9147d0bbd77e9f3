// Arc: start and end rays every 15 degrees on odd and even boxes, so that
// the sweep goes the short way and the long way; rays through points
// inside, on and outside the ellipse; rays that coincide; and rays less
// than a pixel apart on the ellipse, as the page's rate arcs give at tiny
// rates.

#include <cmath>
#include <string>
#include <utility>

#include "corpus/Corpus.h"

namespace quorvel::corpus {

namespace {

struct Box {
    int width;
    int height;
};

std::string Name(const Box& box) { return std::to_string(box.width) + "x" + std::to_string(box.height); }

// The point at `scale` times the ellipse's radii from the box's centre, in
// direction `degrees`, counter-clockwise from 3 o'clock.
POINT OnRay(int left, int top, const Box& box, double degrees, double scale) {
    const double angle = degrees * kPi / 180;
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

}  // namespace

void ArcScenes(Corpus& corpus) {
    Sweeps(corpus);
    RayPoints(corpus);
    NearRays(corpus);
}

}  // namespace quorvel::corpus
