// Where the annotated picture's labels go: the page stands in the middle
// of a wider canvas, each label beside it on the side of the point it
// names, in a column of slots that keeps its order down the page. A
// callout's line runs level from its label to a gutter just outside the
// page, then straight to its point; no two lines cross.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace quorvel::release {

struct Spot {
    double x = 0;
    double y = 0;
};

// A label to place: its text's size, and the point it names in page pixels.
struct LabelRequest {
    double width = 0;
    double height = 0;
    Spot target;
};

enum class Side { Left, Right };

struct PlacedCallout {
    Side side = Side::Left;
    Spot labelAt;    // the label's top-left corner on the canvas
    Spot lineStart;  // beside the label
    Spot gutter;     // where the line turns towards its point
    Spot target;     // on the canvas
};

struct CalloutCanvas {
    double width = 0;
    double height = 0;
    Spot pageAt;                          // the page's top-left corner
    std::vector<PlacedCallout> callouts;  // in the order of the requests
};

// Labels for points left of the page's middle go left, the others right;
// labels are at least `spacing` apart from top to top, and the canvas is
// tall enough for the longer column.
CalloutCanvas LayOutCallouts(const std::vector<LabelRequest>& labels, double pageWidth, double pageHeight,
                             double spacing);

// Whether segments ab and cd cross at a point inside both.
bool SegmentsCross(Spot a, Spot b, Spot c, Spot d);

}  // namespace quorvel::release
