#include "release/CalloutPicture.h"

#include <cmath>
#include <stdexcept>
#include <system_error>

#include "sim/files/PendingFile.h"

namespace quorvel::release {

namespace {

constexpr double kFontSize = 13;
constexpr double kSpacing = 19;  // from label to label, top to top
constexpr double kDotRadius = 2.5;

void CheckStatus(cairo_status_t status, const std::string& doing) {
    if (status != CAIRO_STATUS_SUCCESS) throw std::runtime_error(doing + ": " + cairo_status_to_string(status));
}

// Outlines without hinting, so that glyphs do not depend on the machine's
// font configuration.
void SetLabelFont(cairo_t* cr) {
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, kFontSize);
    platform::CairoFontOptions options(cairo_font_options_create());
    cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options.get());
}

void Line(cairo_t* cr, const PlacedCallout& c) {
    cairo_move_to(cr, c.lineStart.x, c.lineStart.y);
    cairo_line_to(cr, c.gutter.x, c.gutter.y);
    cairo_line_to(cr, c.target.x, c.target.y);
}

}  // namespace

platform::CairoSurface ReadPicture(const std::string& path) {
    platform::CairoSurface picture(cairo_image_surface_create_from_png(path.c_str()));
    CheckStatus(cairo_surface_status(picture.get()), "cannot read " + path);
    return picture;
}

void WriteAnnotatedPicture(cairo_surface_t* page, const std::vector<PageCallout>& callouts, const std::string& path) {
    const double pageWidth = cairo_image_surface_get_width(page);
    const double pageHeight = cairo_image_surface_get_height(page);

    // The labels' sizes, measured in the font they are drawn in.
    platform::CairoSurface scratch(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1));
    platform::CairoContext measure(cairo_create(scratch.get()));
    SetLabelFont(measure.get());
    cairo_font_extents_t font;
    cairo_font_extents(measure.get(), &font);
    std::vector<LabelRequest> requests;
    for (const PageCallout& c : callouts) {
        cairo_text_extents_t text;
        cairo_text_extents(measure.get(), c.name.c_str(), &text);
        requests.push_back({text.x_advance, font.ascent + font.descent, c.target});
    }
    const CalloutCanvas canvas = LayOutCallouts(requests, pageWidth, pageHeight, kSpacing);

    platform::CairoSurface out(cairo_image_surface_create(CAIRO_FORMAT_RGB24, static_cast<int>(std::ceil(canvas.width)),
                                                          static_cast<int>(std::ceil(canvas.height))));
    platform::CairoContext cr(cairo_create(out.get()));
    cairo_set_source_rgb(cr.get(), 1, 1, 1);
    cairo_paint(cr.get());
    // Whole pixels, so that the page's pixels are copied as they are.
    const double pageX = std::round(canvas.pageAt.x);
    const double pageY = std::round(canvas.pageAt.y);
    cairo_set_source_surface(cr.get(), page, pageX, pageY);
    cairo_paint(cr.get());

    // Lines move with the page's rounding; every halo goes under every line.
    cairo_translate(cr.get(), pageX - canvas.pageAt.x, pageY - canvas.pageAt.y);
    cairo_set_line_join(cr.get(), CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr.get(), CAIRO_LINE_CAP_ROUND);
    cairo_set_source_rgb(cr.get(), 1, 1, 1);
    cairo_set_line_width(cr.get(), 3.5);
    for (const PlacedCallout& c : canvas.callouts) Line(cr.get(), c);
    cairo_stroke(cr.get());
    cairo_set_source_rgb(cr.get(), 0.12, 0.12, 0.12);
    cairo_set_line_width(cr.get(), 1.3);
    for (const PlacedCallout& c : canvas.callouts) Line(cr.get(), c);
    cairo_stroke(cr.get());
    for (const PlacedCallout& c : canvas.callouts) {
        cairo_new_sub_path(cr.get());
        cairo_arc(cr.get(), c.target.x, c.target.y, kDotRadius, 0, 2 * M_PI);
    }
    cairo_set_source_rgb(cr.get(), 1, 0.82, 0);
    cairo_fill_preserve(cr.get());
    cairo_set_source_rgb(cr.get(), 0.12, 0.12, 0.12);
    cairo_set_line_width(cr.get(), 1);
    cairo_stroke(cr.get());

    SetLabelFont(cr.get());
    for (std::size_t i = 0; i < callouts.size(); ++i) {
        const PlacedCallout& c = canvas.callouts[i];
        cairo_move_to(cr.get(), c.labelAt.x, c.labelAt.y + font.ascent);
        cairo_show_text(cr.get(), callouts[i].name.c_str());
    }

    cairo_surface_flush(out.get());
    sim::PendingFile file(path);
    CheckStatus(cairo_surface_write_to_png(out.get(), file.TempPath().c_str()), "cannot write " + path);
    std::error_code error;
    if (!file.Commit(error)) throw std::runtime_error("cannot write " + path + ": " + error.message());
}

}  // namespace quorvel::release
