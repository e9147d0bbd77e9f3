// MoveToEx, LineTo, Ellipse, Arc and Polygon on a memory device context.
//
// Each call reports itself to its observer first, then paints through the
// device context's canvas. A device context without a DIB section keeps
// its state (the current position) but paints nothing. Degenerate figures
// are successful no-ops; only an unknown device context, or a Polygon of
// fewer than two points, fails.

#include <vector>

#include "platform/linux/EllipseRaster.h"
#include "platform/linux/GdiObjects.h"
#include "platform/linux/JournalHook.h"
#include "platform/linux/PenPainter.h"
#include "platform/linux/PolygonFill.h"

namespace {

using quorvel::platform::DeviceContext;
using quorvel::platform::GdiCall;
using quorvel::platform::GdiTable;

DeviceContext* FindDc(HDC dc) { return GdiTable::Instance().FindDc(dc); }

void FillEllipse(DeviceContext& dc, const quorvel::platform::EllipseBox& box) {
    std::uint32_t pixel = 0;
    if (!quorvel::platform::BrushPixel(dc, pixel)) return;
    quorvel::platform::DcCanvas& canvas = dc.canvas;
    quorvel::platform::ForEachEllipseInteriorSpan(
        box, canvas.Bounds(), [&](long long y, long long x0, long long x1) { canvas.FillSpan(y, x0, x1, pixel); });
}

}  // namespace

BOOL WINAPI MoveToEx(HDC hdc, int x, int y, POINT* previous) {
    DeviceContext* dc = FindDc(hdc);
    if (dc == nullptr) return FALSE;
    RecordCall(*dc, GdiCall::MoveToEx, {x, y});
    if (previous != nullptr) *previous = dc->position;
    dc->position = {x, y};
    return TRUE;
}

BOOL WINAPI LineTo(HDC hdc, int x, int y) {
    DeviceContext* dc = FindDc(hdc);
    if (dc == nullptr) return FALSE;
    RecordCall(*dc, GdiCall::LineTo, {x, y});
    {
        quorvel::platform::PenPainter pen(*dc);
        pen.Segment(dc->position.x, dc->position.y, x, y);
    }
    dc->position = {x, y};
    return TRUE;
}

// Neither Ellipse nor Arc uses or moves the current position.
BOOL WINAPI Ellipse(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = FindDc(hdc);
    if (dc == nullptr) return FALSE;
    RecordCall(*dc, GdiCall::Ellipse, {left, top, right, bottom});
    quorvel::platform::EllipseBox box;
    if (!quorvel::platform::MakeEllipseBox(left, top, right, bottom, box)) return TRUE;
    // The brush fills inside the outline; the pen is drawn over it.
    FillEllipse(*dc, box);
    quorvel::platform::PenPainter pen(*dc);
    if (pen.Visible()) {
        quorvel::platform::ForEachEllipsePixel(box, pen.Reach(),
                                               [&pen](long long x, long long y, long long, long long) {
                                                   pen.OutlinePixel(x, y);
                                               });
    }
    return TRUE;
}

BOOL WINAPI Arc(HDC hdc, int left, int top, int right, int bottom, int startX, int startY, int endX, int endY) {
    DeviceContext* dc = FindDc(hdc);
    if (dc == nullptr) return FALSE;
    RecordCall(*dc, GdiCall::Arc, {left, top, right, bottom, startX, startY, endX, endY});
    quorvel::platform::EllipseBox box;
    if (!quorvel::platform::MakeEllipseBox(left, top, right, bottom, box)) return TRUE;
    quorvel::platform::PenPainter pen(*dc);
    if (!pen.Visible()) return TRUE;
    // Drawn counter-clockwise, the default arc direction: nothing here sets
    // another. Coinciding radials give the full ellipse.
    const quorvel::platform::ArcSweep sweep(box, startX, startY, endX, endY);
    quorvel::platform::ForEachEllipsePixel(box, pen.Reach(),
                                           [&](long long x, long long y, long long u, long long v) {
                                               if (sweep.Contains(u, v)) pen.OutlinePixel(x, y);
                                           });
    return TRUE;
}

// Closes itself; neither uses nor moves the current position.
BOOL WINAPI Polygon(HDC hdc, const POINT* points, int count) {
    DeviceContext* dc = FindDc(hdc);
    if (dc == nullptr) return FALSE;
    RecordPolygon(*dc, points, count);
    if (points == nullptr || count < 2) return FALSE;

    std::uint32_t fill = 0;
    if (quorvel::platform::BrushPixel(*dc, fill)) {
        // Reused from call to call; the host draws on one thread, but a
        // second thread gets a buffer of its own.
        thread_local std::vector<quorvel::platform::EdgeCrossing> crossings;
        quorvel::platform::DcCanvas& canvas = dc->canvas;
        quorvel::platform::ForEachPolygonSpan(
            points, count, canvas.Bounds(), crossings,
            [&](long long y, long long x0, long long x1) { canvas.FillSpan(y, x0, x1, fill); });
    }
    quorvel::platform::PenPainter pen(*dc);
    if (pen.Visible()) {
        for (int i = 0; i < count; ++i) {
            const POINT& from = points[i];
            const POINT& to = points[i + 1 < count ? i + 1 : 0];
            pen.Segment(from.x, from.y, to.x, to.y);
        }
    }
    return TRUE;
}
