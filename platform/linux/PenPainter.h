// How the pen and brush of a device context put their pixels down.
//
// A pen draws paths, as Polyline does: from a first point through each
// next one. A 1-pixel pen paints exactly the pixels LineRaster's stepper
// gives each line, leaving out its end pixel; a wider pen paints its round
// end on every point and the body of every line between them (WideLine).
#pragma once

#include <cstdint>

#include "platform/linux/GdiObjects.h"
#include "platform/linux/WideLine.h"

namespace quorvel::platform {

class PenPainter {
public:
    // The pen selected into dc; paints nothing for PS_NULL or without a
    // DIB section to draw into.
    explicit PenPainter(DeviceContext& dc);
    PenPainter(const PenPainter&) = delete;
    PenPainter& operator=(const PenPainter&) = delete;

    bool Visible() const { return visible; }
    bool Wide() const { return width > 1; }
    // The pixels outside the bitmap that still matter to this pen.
    ClipRect Reach() const { return canvas.Bounds((Wide() ? end.Reach() : 0) + 1); }

    // A path's first point, then each next one.
    void StartPath(long long x, long long y);
    void PathTo(long long x, long long y);
    // One pixel of the outline of an ellipse too large to walk as a path:
    // the pen's end is put on it.
    void OutlinePixel(long long x, long long y);

private:
    void PaintEnd(long long x, long long y);

    DcCanvas& canvas;
    bool visible = false;
    int width = 1;
    std::uint32_t pixel = 0;
    PenEnd end{2};  // a wide pen's round end
    PathPoint last{0, 0};
};

// The colour the selected brush fills with; false for NULL_BRUSH, an
// unknown brush, or nothing to draw into.
bool BrushPixel(const DeviceContext& dc, std::uint32_t& pixel);

}  // namespace quorvel::platform
