#include "platform/linux/PenPainter.h"

#include <algorithm>

#include "platform/linux/LineRaster.h"

namespace quorvel::platform {

PenPainter::PenPainter(DeviceContext& dc) : canvas(dc.canvas) {
    const GdiObject* object = GdiTable::Instance().FindAny(dc.pen);
    const auto* pen = object != nullptr ? std::get_if<PenData>(&object->data) : nullptr;
    if (pen == nullptr || pen->style == PS_NULL || !canvas.Attached()) return;
    // Dashed and dotted styles are drawn solid.
    visible = true;
    width = std::clamp(pen->width, 1, kMaxPenWidth);
    pixel = DibPixel(pen->colour);
    if (width > 1) end = PenEnd(width);
}

void PenPainter::StartPath(long long x, long long y) {
    last = {x, y};
    if (visible && width > 1) PaintEnd(x, y);
}

void PenPainter::PathTo(long long x, long long y) {
    const PathPoint from = last;
    last = {x, y};
    if (!visible) return;
    if (width == 1) {
        ForEachLinePixel(from.x, from.y, x, y, canvas.Bounds(),
                         [this](long long px, long long py) { canvas.Plot(px, py, pixel); });
        return;
    }
    if (from.x != x || from.y != y) {
        ForEachBodySpan(WideLineBody(from, last, width), canvas.Bounds(),
                        [this](long long row, long long x0, long long x1) { canvas.FillSpan(row, x0, x1, pixel); });
    }
    PaintEnd(x, y);
}

void PenPainter::OutlinePixel(long long x, long long y) {
    if (width == 1) {
        canvas.Plot(x, y, pixel);
    } else {
        PaintEnd(x, y);
    }
}

void PenPainter::PaintEnd(long long x, long long y) {
    for (int row = 0; row < end.Rows(); ++row) {
        const PenEnd::Run& run = end.Row(row);
        canvas.FillSpan(y + end.FirstRow() + row, x + run.dx0, x + run.dx1, pixel);
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
