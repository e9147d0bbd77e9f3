// How the pen and brush of a device context put their pixels down.
//
// A 1-pixel pen paints exactly the pixels the steppers of LineRaster and
// EllipseRaster give. A wider pen is round and centred on the same path:
// on lines and polygon edges cairo strokes it with round ends and joins;
// on ellipses and arcs its round footprint is stamped on every outline
// pixel, so that it spills past the box by the same half width everywhere.
// For an odd width the pen's centre is a pixel's centre; for an even width
// it is the pixel's top-left corner, so the extra row and column fall on
// the top and left, as in GDI.
#pragma once

#include <array>
#include <cstdint>

#include "platform/linux/GdiObjects.h"

namespace quorvel::platform {

// The widest pen drawn at its own width; wider ones are drawn this wide,
// which keeps the cost of a stamped outline bounded.
inline constexpr int kMaxPenWidth = 64;

// The pixels a round pen covers around one path pixel, as row runs.
class PenFootprint {
public:
    explicit PenFootprint(int width);

    // How far the footprint reaches from its pixel on any side.
    int Reach() const { return reach; }
    void Stamp(DcCanvas& canvas, long long x, long long y, std::uint32_t pixel) const;

private:
    struct Run {
        int dx0;  // first column offset
        int dx1;  // one past the last
    };
    int firstRow = 0;  // dy of runs[0]
    int rowCount = 0;
    int reach = 0;
    std::array<Run, kMaxPenWidth> runs{};
};

class PenPainter {
public:
    // The pen selected into dc; paints nothing for PS_NULL or without a
    // DIB section to draw into.
    explicit PenPainter(DeviceContext& dc);
    PenPainter(const PenPainter&) = delete;
    PenPainter& operator=(const PenPainter&) = delete;
    // Strokes whatever wide segments were gathered.
    ~PenPainter();

    bool Visible() const { return visible; }
    // The pixels outside the bitmap that still matter to this pen.
    ClipRect Reach() const { return canvas.Bounds(footprint.Reach() + 1); }

    // A line from (x0, y0) to (x1, y1); a 1-pixel pen leaves out the end
    // pixel as LineTo does, a wider one covers it with its round end.
    void Segment(long long x0, long long y0, long long x1, long long y1);
    // One pixel of an ellipse or arc outline.
    void OutlinePixel(long long x, long long y) {
        if (width == 1) {
            canvas.Plot(x, y, pixel);
        } else {
            footprint.Stamp(canvas, x, y, pixel);
        }
    }

private:
    DcCanvas& canvas;
    bool visible = false;
    int width = 1;
    COLORREF colour = 0;
    std::uint32_t pixel = 0;
    PenFootprint footprint{1};
    cairo_t* cairo = nullptr;  // while wide segments are being gathered
    ClipRect touched{0, 0, 0, 0};  // what the gathered segments may paint
};

// The colour the selected brush fills with; false for NULL_BRUSH, an
// unknown brush, or nothing to draw into.
bool BrushPixel(const DeviceContext& dc, std::uint32_t& pixel);

}  // namespace quorvel::platform
