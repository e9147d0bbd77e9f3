// MoveToEx, LineTo, Ellipse, Arc and Polygon on a memory device context.
//
// Each call reports itself to its observer first, then paints through the
// device context's canvas. A device context without a DIB section keeps
// its state (the current position) but paints nothing. Degenerate figures
// are successful no-ops; only an unknown device context, or a Polygon of
// fewer than two points, fails.

#include <vector>

#include "platform/linux/EllipsePath.h"
#include "platform/linux/EllipseRaster.h"
#include "platform/linux/GdiObjects.h"
#include "platform/linux/GdiObserverHook.h"
#include "platform/linux/PenPainter.h"
#include "platform/linux/PolygonFill.h"

namespace {

using quorvel::platform::DeviceContext;
using quorvel::platform::EllipsePath;
using quorvel::platform::GdiCall;
using quorvel::platform::GdiTable;
using quorvel::platform::PenPainter;

DeviceContext* FindDc(HDC dc) { return GdiTable::Instance().FindDc(dc); }

void FillEllipse(DeviceContext& dc, const quorvel::platform::EllipseBox& box) {
    std::uint32_t pixel = 0;
    if (!quorvel::platform::BrushPixel(dc, pixel)) return;
    quorvel::platform::DcCanvas& canvas = dc.canvas;
    quorvel::platform::ForEachEllipseInteriorSpan(
        box, canvas.Bounds(), [&](long long y, long long x0, long long x1) { canvas.FillSpan(y, x0, x1, pixel); });
}

// Space for an ellipse's first quadrant, reused from call to call; the host
// draws on one thread, but a second thread gets space of its own.
std::vector<quorvel::platform::PathPoint>& QuadrantSpace() {
    thread_local std::vector<quorvel::platform::PathPoint> points;
    return points;
}

// count points of the path from index first on.
void DrawPath(PenPainter& pen, const EllipsePath& path, long long first, long long count) {
    const quorvel::platform::PathPoint start = path.At(first);
    pen.StartPath(start.x, start.y);
    for (long long i = 1; i < count; ++i) {
        const quorvel::platform::PathPoint next = path.At(first + i);
        pen.PathTo(next.x, next.y);
    }
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
    PenPainter pen(*dc);
    pen.StartPath(dc->position.x, dc->position.y);
    pen.PathTo(x, y);
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
    PenPainter pen(*dc);
    if (!pen.Visible()) return TRUE;
    if (quorvel::platform::ThinEllipseBox(box)) {
        // Windows draws a box this thin as a rectangle.
        pen.StartPath(box.left, box.top);
        pen.PathTo(box.right - 1, box.top);
        pen.PathTo(box.right - 1, box.bottom - 1);
        pen.PathTo(box.left, box.bottom - 1);
        pen.PathTo(box.left, box.top);
    } else if (pen.Wide() && quorvel::platform::SteppedEllipse(box)) {
        // A wide pen follows the outline's path round, back to its start.
        const EllipsePath path(box, QuadrantSpace());
        DrawPath(pen, path, 0, path.Size() + 1);
    } else {
        // The path's pixels, without keeping the path.
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
    PenPainter pen(*dc);
    if (!pen.Visible()) return TRUE;
    // Drawn counter-clockwise, the default arc direction: nothing here sets
    // another.
    if (!quorvel::platform::SteppedEllipse(box)) {
        const quorvel::platform::ArcSweep sweep(box, startX, startY, endX, endY);
        quorvel::platform::ForEachEllipsePixel(box, pen.Reach(),
                                               [&](long long x, long long y, long long u, long long v) {
                                                   if (sweep.Contains(u, v)) pen.OutlinePixel(x, y);
                                               });
        return TRUE;
    }
    const EllipsePath path(box, QuadrantSpace());
    const quorvel::platform::PathRange range = quorvel::platform::ArcRange(path, startX, startY, endX, endY);
    // A path of one point draws nothing, whatever the pen's width.
    if (range.count >= 2) DrawPath(pen, path, range.first, range.count);
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
    PenPainter pen(*dc);
    if (pen.Visible()) {
        pen.StartPath(points[0].x, points[0].y);
        for (int i = 1; i <= count; ++i) pen.PathTo(points[i % count].x, points[i % count].y);
    }
    return TRUE;
}
