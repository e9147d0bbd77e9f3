// The one typeface all text is drawn in: a monospace face found through
// fontconfig (DejaVu Sans Mono where installed), and its cairo fonts, one
// per character cell.
//
// GDI here knows fonts only by their cell (FontData): every font is this
// face, stretched so that one character fills exactly one cell, the
// advance being the cell's width and ascent plus descent its height.
// Glyphs are rendered without antialiasing and hinted, so they stay
// legible down to 6 × 10 cells and every painted pixel has the text colour.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "platform/linux/GraphicsHandles.h"

namespace quorvel::platform {

struct CellFont {
    cairo_scaled_font_t* font = nullptr;  // owned by the cache
    int cellWidth = 0;
    int cellHeight = 0;
    bool bottomUp = false;
    double baseline = 0;  // pixels below the cell's top
};

class FontCache {
public:
    // Lives for the whole process: cairo keeps fonts of its own beyond
    // their last user, and with them the FreeType face.
    static FontCache& Instance();

    // The font that fills a cell of that size on a canvas of that row
    // order; null when no face was found or the cell is smaller than one
    // pixel or larger than kMaxCell. Valid until the next call.
    const CellFont* Find(int cellWidth, int cellHeight, bool bottomUp);

    // The glyph for one byte of Windows-1252 text; 0 for bytes that draw
    // nothing (control characters, or a character the face lacks).
    unsigned long Glyph(unsigned char byte) const { return glyphs[byte]; }

    static constexpr int kMaxCell = 512;

private:
    FontCache();

    struct Entry {
        CellFont cell;
        CairoScaledFont font;
    };

    FtLibrary library;
    FT_Face face = nullptr;  // freed with fontFace, by cairo
    CairoFontFace fontFace;
    CairoFontOptions options;
    double advance = 1;  // of one character, in ems
    double ascent = 1;   // above the baseline, in ems
    double height = 1;   // ascent plus descent, in ems
    std::array<unsigned long, 256> glyphs{};
    std::vector<std::unique_ptr<Entry>> entries;  // most recently used last
};

}  // namespace quorvel::platform
