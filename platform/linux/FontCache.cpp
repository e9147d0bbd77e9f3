#include "platform/linux/FontCache.h"

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

constexpr std::size_t kMaxEntries = 8;

}  // namespace

FontCache& FontCache::Instance() {
    static FontCache* const cache = new FontCache;
    return *cache;
}

FontCache::FontCache() {
    std::string file;
    int index = 0;
    if (!FindMonospaceFile(file, index)) return;
    FT_Library newLibrary = nullptr;
    if (FT_Init_FreeType(&newLibrary) != 0) return;
    library.reset(newLibrary);
    FT_Face loaded = nullptr;
    if (FT_New_Face(newLibrary, file.c_str(), index, &loaded) != 0) return;
    FtFace owned(loaded);
    if (!FT_IS_SCALABLE(loaded) || loaded->units_per_EM == 0) return;

    const double em = loaded->units_per_EM;
    const FT_UInt zero = FT_Get_Char_Index(loaded, '0');
    FT_Fixed width = 0;
    if (zero == 0 || FT_Get_Advance(loaded, zero, FT_LOAD_NO_SCALE, &width) != 0 || width <= 0) return;
    if (loaded->ascender <= loaded->descender) return;
    advance = static_cast<double>(width) / em;
    ascent = loaded->ascender / em;
    height = (loaded->ascender - loaded->descender) / em;

    CairoFontFace created(cairo_ft_font_face_create_for_ft_face(loaded, 0));
    if (cairo_font_face_status(created.get()) != CAIRO_STATUS_SUCCESS) return;
    if (cairo_font_face_set_user_data(created.get(), &faceKey, loaded, DoneFace) != CAIRO_STATUS_SUCCESS) return;
    owned.release();  // cairo's font face owns it now
    face = loaded;
    fontFace = std::move(created);

    options.reset(cairo_font_options_create());
    cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_NONE);
    cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_FULL);
    cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_ON);
    for (unsigned byte = 0; byte < glyphs.size(); ++byte) {
        const char32_t code = CodePoint(byte);
        glyphs[byte] = code == 0 ? 0 : FT_Get_Char_Index(face, code);
    }
}

const CellFont* FontCache::Find(int cellWidth, int cellHeight, bool bottomUp) {
    if (!fontFace || cellWidth < 1 || cellHeight < 1 || cellWidth > kMaxCell || cellHeight > kMaxCell) return nullptr;
    const auto found = std::find_if(entries.begin(), entries.end(), [&](const std::unique_ptr<Entry>& entry) {
        return entry->cell.cellWidth == cellWidth && entry->cell.cellHeight == cellHeight &&
               entry->cell.bottomUp == bottomUp;
    });
    if (found != entries.end()) {
        std::rotate(found, found + 1, entries.end());
        return &entries.back()->cell;
    }

    // Stretched to the cell: the advance becomes its width, ascent plus
    // descent its height. A bottom-up canvas draws through a flipped matrix,
    // which the font must know to render its glyphs the right way up.
    cairo_matrix_t fontMatrix;
    cairo_matrix_init_scale(&fontMatrix, cellWidth / advance, cellHeight / height);
    cairo_matrix_t deviceMatrix;
    cairo_matrix_init(&deviceMatrix, 1, 0, 0, bottomUp ? -1 : 1, 0, 0);
    CairoScaledFont font(cairo_scaled_font_create(fontFace.get(), &fontMatrix, &deviceMatrix, options.get()));
    if (cairo_scaled_font_status(font.get()) != CAIRO_STATUS_SUCCESS) return nullptr;

    if (entries.size() >= kMaxEntries) entries.erase(entries.begin());
    auto entry = std::make_unique<Entry>();
    entry->cell = {font.get(), cellWidth, cellHeight, bottomUp, std::round(ascent * cellHeight / height)};
    entry->font = std::move(font);
    entries.push_back(std::move(entry));
    return &entries.back()->cell;
}

}  // namespace quorvel::platform
