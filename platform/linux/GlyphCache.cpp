#include "platform/linux/GlyphCache.h"

#include <cairo-ft.h>
#include FT_ADVANCES_H

#include <algorithm>
#include <cmath>
#include <string>

namespace quorvel::platform {

namespace {

// Windows-1252 at 0x80 … 0x9F; 0 where it defines no character.
constexpr char32_t kWindows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char32_t CodePoint(unsigned byte) {
    if (byte < 0x20 || byte == 0x7F) return 0;
    if (byte >= 0x80 && byte < 0xA0) return kWindows1252High[byte - 0x80];
    return byte;  // the rest of Windows-1252 is Latin-1
}

// The file of the monospace face fontconfig picks; false when it offers no
// monospace face at all.
bool FindMonospaceFile(std::string& file, int& index) {
    FcConfigHandle config(FcInitLoadConfigAndFonts());
    if (!config) return false;
    for (const char* name : {"DejaVu Sans Mono", "monospace"}) {
        FcPatternHandle pattern(FcNameParse(reinterpret_cast<const FcChar8*>(name)));
        if (!pattern) continue;
        FcConfigSubstitute(config.get(), pattern.get(), FcMatchPattern);
        FcDefaultSubstitute(pattern.get());
        FcResult result = FcResultNoMatch;
        FcPatternHandle match(FcFontMatch(config.get(), pattern.get(), &result));
        FcChar8* path = nullptr;
        int spacing = 0;
        if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &path) != FcResultMatch) continue;
        if (FcPatternGetInteger(match.get(), FC_SPACING, 0, &spacing) != FcResultMatch || spacing != FC_MONO) continue;
        if (FcPatternGetInteger(match.get(), FC_INDEX, 0, &index) != FcResultMatch) index = 0;
        file = reinterpret_cast<const char*>(path);
        return true;
    }
    return false;
}

cairo_user_data_key_t faceKey;

void DoneFace(void* face) { FT_Done_Face(static_cast<FT_Face>(face)); }

constexpr std::size_t kMaxSets = 8;

}  // namespace

GlyphCache& GlyphCache::Instance() {
    static GlyphCache* const cache = new GlyphCache;
    return *cache;
}

GlyphCache::GlyphCache() {
    std::string file;
    int index = 0;
    if (!FindMonospaceFile(file, index)) return;
    FT_Library newLibrary = nullptr;
    if (FT_Init_FreeType(&newLibrary) != 0) return;
    library.reset(newLibrary);
    FT_Face loaded = nullptr;
    if (FT_New_Face(newLibrary, file.c_str(), index, &loaded) != 0) return;
    FtFace face(loaded);
    if (!FT_IS_SCALABLE(loaded) || loaded->units_per_EM == 0) return;

    const double em = loaded->units_per_EM;
    const FT_UInt zero = FT_Get_Char_Index(loaded, '0');
    FT_Fixed width = 0;
    if (zero == 0 || FT_Get_Advance(loaded, zero, FT_LOAD_NO_SCALE, &width) != 0 || width <= 0) return;
    if (loaded->ascender <= loaded->descender) return;
    advance = static_cast<double>(width) / em;
    ascent = loaded->ascender / em;
    height = (loaded->ascender - loaded->descender) / em;
    for (unsigned byte = 0; byte < glyphIndex.size(); ++byte) {
        const char32_t code = CodePoint(byte);
        glyphIndex[byte] = code == 0 ? 0 : FT_Get_Char_Index(loaded, code);
    }

    CairoFontFace created(cairo_ft_font_face_create_for_ft_face(loaded, 0));
    if (cairo_font_face_status(created.get()) != CAIRO_STATUS_SUCCESS) return;
    if (cairo_font_face_set_user_data(created.get(), &faceKey, loaded, DoneFace) != CAIRO_STATUS_SUCCESS) return;
    face.release();  // cairo's font face owns it now
    fontFace = std::move(created);
    options.reset(cairo_font_options_create());
    cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_NONE);
    cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_FULL);
    cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_ON);
}

const GlyphSet* GlyphCache::Find(int cellWidth, int cellHeight) {
    if (!fontFace || cellWidth < 1 || cellHeight < 1 || cellWidth > kMaxCell || cellHeight > kMaxCell) return nullptr;
    const auto found = std::find_if(sets.begin(), sets.end(), [&](const std::unique_ptr<GlyphSet>& set) {
        return set->cellWidth == cellWidth && set->cellHeight == cellHeight;
    });
    if (found != sets.end()) {
        std::rotate(found, found + 1, sets.end());
        return sets.back().get();
    }
    std::unique_ptr<GlyphSet> set = Render(cellWidth, cellHeight);
    if (!set) return nullptr;
    if (sets.size() >= kMaxSets) sets.erase(sets.begin());
    sets.push_back(std::move(set));
    return sets.back().get();
}

std::unique_ptr<GlyphSet> GlyphCache::Render(int cellWidth, int cellHeight) const {
    auto set = std::make_unique<GlyphSet>();
    set->cellWidth = cellWidth;
    set->cellHeight = cellHeight;
    set->margin = std::clamp(cellHeight / 4, 1, 4);
    set->maskWidth = cellWidth + 2 * set->margin;
    set->maskHeight = cellHeight + 2 * set->margin;
    const int w = set->maskWidth;
    const int h = set->maskHeight;

    // Stretched to the cell: the advance becomes its width, ascent plus
    // descent its height.
    cairo_matrix_t fontMatrix;
    cairo_matrix_init_scale(&fontMatrix, cellWidth / advance, cellHeight / height);
    cairo_matrix_t identity;
    cairo_matrix_init_identity(&identity);
    CairoScaledFont font(cairo_scaled_font_create(fontFace.get(), &fontMatrix, &identity, options.get()));
    if (cairo_scaled_font_status(font.get()) != CAIRO_STATUS_SUCCESS) return nullptr;

    // All 256 masks in one column, each glyph clipped to its own.
    CairoSurface masks(cairo_image_surface_create(CAIRO_FORMAT_A8, w, h * 256));
    CairoContext cairo(cairo_create(masks.get()));
    if (cairo_status(cairo.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
    cairo_set_scaled_font(cairo.get(), font.get());
    const double baseline = std::round(ascent * cellHeight / height);
    for (unsigned byte = 0; byte < 256; ++byte) {
        if (glyphIndex[byte] == 0) continue;
        cairo_reset_clip(cairo.get());
        cairo_rectangle(cairo.get(), 0, static_cast<double>(byte) * h, w, h);
        cairo_clip(cairo.get());
        const cairo_glyph_t glyph{glyphIndex[byte], static_cast<double>(set->margin),
                                  static_cast<double>(byte) * h + set->margin + baseline};
        cairo_show_glyphs(cairo.get(), &glyph, 1);
    }
    cairo_surface_flush(masks.get());
    const unsigned char* data = cairo_image_surface_get_data(masks.get());
    const int stride = cairo_image_surface_get_stride(masks.get());
    if (data == nullptr) return nullptr;

    set->coverage.resize(static_cast<std::size_t>(w) * h * 256);
    for (unsigned byte = 0; byte < 256; ++byte) {
        bool blank = true;
        std::uint8_t* mask = set->coverage.data() + static_cast<std::size_t>(byte) * w * h;
        for (int y = 0; y < h; ++y) {
            const unsigned char* row = data + static_cast<std::ptrdiff_t>(byte * h + y) * stride;
            for (int x = 0; x < w; ++x) {
                mask[y * w + x] = row[x] != 0 ? 1 : 0;
                blank = blank && row[x] == 0;
            }
        }
        set->blank[byte] = blank;
    }
    return set;
}

}  // namespace quorvel::platform
