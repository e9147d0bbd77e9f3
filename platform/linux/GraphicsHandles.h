// Owning handles for the cairo, FreeType and fontconfig objects the GDI
// stand-in uses: each object has exactly one owner, freed on every path.
#pragma once

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <memory>
#include <type_traits>

namespace quorvel::platform {

template <auto Free>
struct FreeWith {
    template <typename T>
    void operator()(T* object) const {
        Free(object);
    }
};

using CairoSurface = std::unique_ptr<cairo_surface_t, FreeWith<cairo_surface_destroy>>;
using CairoContext = std::unique_ptr<cairo_t, FreeWith<cairo_destroy>>;
using CairoFontFace = std::unique_ptr<cairo_font_face_t, FreeWith<cairo_font_face_destroy>>;
using CairoScaledFont = std::unique_ptr<cairo_scaled_font_t, FreeWith<cairo_scaled_font_destroy>>;
using CairoFontOptions = std::unique_ptr<cairo_font_options_t, FreeWith<cairo_font_options_destroy>>;

using FcConfigHandle = std::unique_ptr<FcConfig, FreeWith<FcConfigDestroy>>;
using FcPatternHandle = std::unique_ptr<FcPattern, FreeWith<FcPatternDestroy>>;

// FT_Face and FT_Library are pointer typedefs; own what they point to.
using FtFace = std::unique_ptr<std::remove_pointer_t<FT_Face>, FreeWith<FT_Done_Face>>;
using FtLibrary = std::unique_ptr<std::remove_pointer_t<FT_Library>, FreeWith<FT_Done_FreeType>>;

}  // namespace quorvel::platform
