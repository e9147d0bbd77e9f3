#include "release/CalloutLayout.h"

#include <algorithm>
#include <utility>

namespace quorvel::release {

namespace {

constexpr double kMargin = 16;     // the canvas's edge to the labels, and round the page
constexpr double kLabelGap = 6;    // a label's text to its line
constexpr double kRun = 28;        // the level part of a line, outside the gutter
constexpr double kGutterGap = 10;  // the page's edge to the gutter

// Centres for labels wanting to stand at `wanted` (in increasing order), at
// least `spacing` apart, pushed down from `top` and then, when the last
// overruns, up from `bottom`.
std::vector<double> Slots(const std::vector<double>& wanted, double spacing, double top, double bottom) {
    std::vector<double> slots(wanted.size());
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        slots[i] = std::max(wanted[i], i == 0 ? top : slots[i - 1] + spacing);
    }
    for (std::size_t i = wanted.size(); i-- > 0;) {
        slots[i] = std::min(slots[i], i + 1 == wanted.size() ? bottom : slots[i + 1] - spacing);
    }
    return slots;
}

double Cross(Spot o, Spot a, Spot b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); }

// One side's labels into its column: in the order of their points down
// the page, then any two whose lines cross trade places. Each trade
// shortens the lines in all, so the trading ends.
void PlaceSide(std::vector<std::size_t> members, const std::vector<LabelRequest>& labels, CalloutCanvas& canvas,
               double spacing, double gutterX) {
    std::stable_sort(members.begin(), members.end(),
                     [&](std::size_t a, std::size_t b) { return labels[a].target.y < labels[b].target.y; });
    std::vector<double> wanted;
    for (std::size_t m : members) wanted.push_back(canvas.pageAt.y + labels[m].target.y);
    const double half = spacing / 2;
    std::vector<double> slots = Slots(wanted, spacing, kMargin + half, canvas.height - kMargin - half);

    const auto target = [&](std::size_t k) {
        const Spot t = labels[members[k]].target;
        return Spot{canvas.pageAt.x + t.x, canvas.pageAt.y + t.y};
    };
    for (bool traded = true; traded;) {
        traded = false;
        for (std::size_t i = 0; i < members.size(); ++i) {
            for (std::size_t j = i + 1; j < members.size(); ++j) {
                if (SegmentsCross({gutterX, slots[i]}, target(i), {gutterX, slots[j]}, target(j))) {
                    std::swap(slots[i], slots[j]);
                    traded = true;
                }
            }
        }
    }
    for (std::size_t k = 0; k < members.size(); ++k) {
        PlacedCallout& c = canvas.callouts[members[k]];
        c.gutter = {gutterX, slots[k]};
        c.target = target(k);
    }
}

}  // namespace

bool SegmentsCross(Spot a, Spot b, Spot c, Spot d) {
    const double abc = Cross(a, b, c);
    const double abd = Cross(a, b, d);
    const double cda = Cross(c, d, a);
    const double cdb = Cross(c, d, b);
    return ((abc > 0 && abd < 0) || (abc < 0 && abd > 0)) && ((cda > 0 && cdb < 0) || (cda < 0 && cdb > 0));
}

CalloutCanvas LayOutCallouts(const std::vector<LabelRequest>& labels, double pageWidth, double pageHeight,
                             double spacing) {
    std::vector<std::size_t> left;
    std::vector<std::size_t> right;
    double leftWidth = 0;
    double rightWidth = 0;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        if (labels[i].target.x < pageWidth / 2) {
            left.push_back(i);
            leftWidth = std::max(leftWidth, labels[i].width);
        } else {
            right.push_back(i);
            rightWidth = std::max(rightWidth, labels[i].width);
        }
    }

    CalloutCanvas canvas;
    const double column = static_cast<double>(std::max(left.size(), right.size())) * spacing;
    canvas.height = std::max(pageHeight, column) + 2 * kMargin;
    const double leftEdge = kMargin + leftWidth;  // the left labels' right-hand ends
    canvas.pageAt = {leftEdge + kLabelGap + kRun + kGutterGap, (canvas.height - pageHeight) / 2};
    const double rightGutter = canvas.pageAt.x + pageWidth + kGutterGap;
    const double rightStart = rightGutter + kRun + kLabelGap;  // the right labels' left-hand ends
    canvas.width = rightStart + rightWidth + kMargin;
    canvas.callouts.resize(labels.size());

    PlaceSide(left, labels, canvas, spacing, canvas.pageAt.x - kGutterGap);
    PlaceSide(right, labels, canvas, spacing, rightGutter);
    for (std::size_t i : left) {
        PlacedCallout& c = canvas.callouts[i];
        c.side = Side::Left;
        c.lineStart = {leftEdge + kLabelGap, c.gutter.y};
        c.labelAt = {leftEdge - labels[i].width, c.gutter.y - labels[i].height / 2};
    }
    for (std::size_t i : right) {
        PlacedCallout& c = canvas.callouts[i];
        c.side = Side::Right;
        c.lineStart = {rightStart - kLabelGap, c.gutter.y};
        c.labelAt = {rightStart, c.gutter.y - labels[i].height / 2};
    }
    return canvas;
}

}  // namespace quorvel::release
