#include "platform/linux/DcCanvas.h"

#include <algorithm>

namespace quorvel::platform {

void DcCanvas::Attach(std::uint32_t* memory, LONG pixelsWide, LONG pixelsHigh, bool bottomUp) {
    Detach();
    if (memory == nullptr || pixelsWide <= 0 || pixelsHigh <= 0) return;
    width = pixelsWide;
    height = pixelsHigh;
    rowStep = bottomUp ? -static_cast<std::ptrdiff_t>(width) : static_cast<std::ptrdiff_t>(width);
    firstRow = bottomUp ? memory + static_cast<std::ptrdiff_t>(height - 1) * width : memory;

    // cairo sees the memory in its own order, first row on top; for a
    // bottom-up DIB its matrix turns GDI's y round.
    const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, pixelsWide);
    if (stride != static_cast<long long>(pixelsWide) * 4) return;
    surface.reset(cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(memory), CAIRO_FORMAT_RGB24,
                                                      pixelsWide, pixelsHigh, stride));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        surface.reset();
        return;
    }
    context.reset(cairo_create(surface.get()));
    if (cairo_status(context.get()) != CAIRO_STATUS_SUCCESS) {
        context.reset();
        surface.reset();
        return;
    }
    if (bottomUp) {
        cairo_matrix_t flip;
        cairo_matrix_init(&flip, 1, 0, 0, -1, 0, static_cast<double>(height));
        cairo_set_matrix(context.get(), &flip);
    }
    cairo_set_antialias(context.get(), CAIRO_ANTIALIAS_NONE);
    // Fine enough that a round pen of 3 pixels keeps its corner pixels,
    // whose centres lie 1.41 from the path against a radius of 1.5.
    cairo_set_tolerance(context.get(), 0.01);
}

void DcCanvas::Detach() {
    // The context and surface go before the memory they point into.
    context.reset();
    surface.reset();
    firstRow = nullptr;
    rowStep = 0;
    width = 0;
    height = 0;
}

void DcCanvas::FillSpan(long long y, long long x0, long long x1, std::uint32_t pixel) {
    if (y < 0 || y >= height) return;
    x0 = std::max(x0, 0LL);
    x1 = std::min(x1, width);
    if (x0 < x1) std::fill(Row(y) + x0, Row(y) + x1, pixel);
}

void DcCanvas::FillRect(long long left, long long top, long long right, long long bottom, std::uint32_t pixel) {
    for (long long y = std::max(top, 0LL); y < std::min(bottom, height); ++y) FillSpan(y, left, right, pixel);
}

cairo_t* DcCanvas::BeginCairo() {
    if (!context) return nullptr;
    cairo_surface_mark_dirty(surface.get());
    return context.get();
}

void DcCanvas::EndCairo(const ClipRect& touched) {
    if (!surface) return;
    cairo_surface_flush(surface.get());
    const long long x0 = std::max(touched.left, 0LL);
    const long long x1 = std::min(touched.right, width);
    for (long long y = std::max(touched.top, 0LL); y < std::min(touched.bottom, height); ++y) {
        std::uint32_t* row = Row(y);
        for (long long x = x0; x < x1; ++x) row[x] &= 0xFFFFFF;
    }
}

}  // namespace quorvel::platform
