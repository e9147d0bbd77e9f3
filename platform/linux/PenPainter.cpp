#include "platform/linux/PenPainter.h"

#include <algorithm>
#include <cmath>

#include "platform/linux/LineRaster.h"

namespace quorvel::platform {

namespace {

// Clips the segment to box (Liang–Barsky); false when nothing is left.
bool ClipSegment(double& x0, double& y0, double& x1, double& y1, const ClipRect& box) {
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    double t0 = 0.0;
    double t1 = 1.0;
    const auto keep = [&](double p, double q) {  // the part with p·t ≤ q
        if (p == 0.0) return q >= 0.0;
        const double t = q / p;
        if (p < 0.0) {
            if (t > t1) return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0) return false;
            t1 = std::min(t1, t);
        }
        return true;
    };
    if (!keep(-dx, x0 - static_cast<double>(box.left)) || !keep(dx, static_cast<double>(box.right) - x0) ||
        !keep(-dy, y0 - static_cast<double>(box.top)) || !keep(dy, static_cast<double>(box.bottom) - y0)) {
        return false;
    }
    x1 = x0 + t1 * dx;
    y1 = y0 + t1 * dy;
    x0 += t0 * dx;
    y0 += t0 * dy;
    return true;
}

}  // namespace

PenFootprint::PenFootprint(int width) {
    width = std::clamp(width, 1, kMaxPenWidth);
    // Pixel (dx, dy) is covered when its centre lies within width / 2 of
    // the pen's centre, in half pixels to stay in integers.
    const int corner = width % 2 == 0 ? 1 : 0;
    const int lo = -(width / 2);
    const int hi = (width - 1) / 2;
    const auto covered = [&](int dx, int dy) {
        const int ex = 2 * dx + corner;
        const int ey = 2 * dy + corner;
        return ex * ex + ey * ey < width * width;
    };
    firstRow = lo;
    rowCount = hi - lo + 1;
    reach = std::max(-lo, hi);
    for (int dy = lo; dy <= hi; ++dy) {
        Run run{0, 0};
        for (int dx = lo; dx <= hi; ++dx) {
            if (!covered(dx, dy)) continue;
            if (run.dx0 == run.dx1) run.dx0 = dx;
            run.dx1 = dx + 1;
        }
        runs[static_cast<std::size_t>(dy - lo)] = run;
    }
}

void PenFootprint::Stamp(DcCanvas& canvas, long long x, long long y, std::uint32_t pixel) const {
    for (int row = 0; row < rowCount; ++row) {
        const Run& run = runs[static_cast<std::size_t>(row)];
        canvas.FillSpan(y + firstRow + row, x + run.dx0, x + run.dx1, pixel);
    }
}

PenPainter::PenPainter(DeviceContext& dc) : canvas(dc.canvas) {
    const GdiObject* object = GdiTable::Instance().FindAny(dc.pen);
    const auto* pen = object != nullptr ? std::get_if<PenData>(&object->data) : nullptr;
    if (pen == nullptr || pen->style == PS_NULL || !canvas.Attached()) return;
    // Dashed and dotted styles are drawn solid.
    visible = true;
    width = std::clamp(pen->width, 1, kMaxPenWidth);
    colour = pen->colour;
    pixel = DibPixel(colour);
    footprint = PenFootprint(width);
}

PenPainter::~PenPainter() {
    if (cairo == nullptr) return;
    cairo_stroke(cairo);
    canvas.EndCairo(touched);
}

void PenPainter::Segment(long long x0, long long y0, long long x1, long long y1) {
    if (!visible || (x0 == x1 && y0 == y1)) return;
    if (width == 1) {
        ForEachLinePixel(x0, y0, x1, y1, canvas.Bounds(), [this](long long x, long long y) { canvas.Plot(x, y, pixel); });
        return;
    }
    if (cairo == nullptr) {
        cairo = canvas.BeginCairo();
        if (cairo != nullptr) {
            cairo_new_path(cairo);
            cairo_set_line_width(cairo, width);
            cairo_set_line_cap(cairo, CAIRO_LINE_CAP_ROUND);
            cairo_set_line_join(cairo, CAIRO_LINE_JOIN_ROUND);
            cairo_set_source_rgb(cairo, GetRValue(colour) / 255.0, GetGValue(colour) / 255.0,
                                 GetBValue(colour) / 255.0);
        }
    }
    if (cairo == nullptr) {
        // No cairo for a bitmap this large: stamp the pen along the line.
        ForEachLinePixel(x0, y0, x1, y1, Reach(), [this](long long x, long long y) { OutlinePixel(x, y); });
        OutlinePixel(x1, y1);
        return;
    }
    // Round ends and joins make the stroke of a polyline the union of its
    // segments' strokes, so each segment is a path of its own, clipped to
    // where it can still be seen: cairo's fixed-point coordinates do not
    // reach INT_MAX.
    const double centre = width % 2 == 1 ? 0.5 : 0.0;
    double ax = static_cast<double>(x0) + centre;
    double ay = static_cast<double>(y0) + centre;
    double bx = static_cast<double>(x1) + centre;
    double by = static_cast<double>(y1) + centre;
    if (!ClipSegment(ax, ay, bx, by, canvas.Bounds(width + 2))) return;
    cairo_move_to(cairo, ax, ay);
    cairo_line_to(cairo, bx, by);
    const long long reach = width / 2 + 2;
    const ClipRect segment{static_cast<long long>(std::floor(std::min(ax, bx))) - reach,
                           static_cast<long long>(std::floor(std::min(ay, by))) - reach,
                           static_cast<long long>(std::ceil(std::max(ax, bx))) + reach,
                           static_cast<long long>(std::ceil(std::max(ay, by))) + reach};
    if (touched.left >= touched.right) {
        touched = segment;
    } else {
        touched = {std::min(touched.left, segment.left), std::min(touched.top, segment.top),
                   std::max(touched.right, segment.right), std::max(touched.bottom, segment.bottom)};
    }
}

bool BrushPixel(const DeviceContext& dc, std::uint32_t& pixel) {
    const GdiObject* object = GdiTable::Instance().FindAny(dc.brush);
    const auto* brush = object != nullptr ? std::get_if<BrushData>(&object->data) : nullptr;
    if (brush == nullptr || brush->hollow || !dc.canvas.Attached()) return false;
    pixel = DibPixel(brush->colour);
    return true;
}

}  // namespace quorvel::platform
