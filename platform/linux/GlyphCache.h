// The glyphs all text is drawn with: a monospace face found through
// fontconfig (DejaVu Sans Mono where installed), rendered by cairo once per
// character cell into masks that TextOutA then paints from.
//
// GDI here knows fonts only by their cell (FontData): every font is this
// face, stretched so that one character fills exactly one cell, the
// advance being the cell's width and ascent plus descent its height.
// Glyphs are hinted and not antialiased, so they stay legible down to
// 6 × 10 cells and every pixel they paint has exactly the text colour.
// Painting from masks keeps TextOutA free of allocation and lets it address
// a bottom-up DIB's rows like any other drawing call.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/linux/GraphicsHandles.h"

namespace quorvel::platform {

// The glyphs of one cell size: for each byte of Windows-1252 text, the
// pixels its glyph covers in a mask of the cell grown by a margin, where
// accents and descenders that leave the cell still fit.
struct GlyphSet {
    int cellWidth = 0;
    int cellHeight = 0;
    int margin = 0;
    int maskWidth = 0;   // cellWidth + 2 · margin
    int maskHeight = 0;  // cellHeight + 2 · margin
    std::vector<std::uint8_t> coverage;  // 256 masks of maskWidth × maskHeight; 1 = glyph
    std::array<bool, 256> blank{};       // bytes that paint nothing

    // The mask of byte's glyph, rows top first; null when it paints nothing.
    const std::uint8_t* Mask(unsigned char byte) const {
        return blank[byte] ? nullptr : coverage.data() + static_cast<std::size_t>(byte) * maskWidth * maskHeight;
    }
};

class GlyphCache {
public:
    // Lives for the whole process: cairo keeps fonts of its own beyond
    // their last user, and with them the FreeType face.
    static GlyphCache& Instance();

    // The glyphs for a cell of that size; null when no monospace face was
    // found or the cell is smaller than one pixel or larger than kMaxCell.
    // Valid until the next call.
    const GlyphSet* Find(int cellWidth, int cellHeight);

    static constexpr int kMaxCell = 128;

private:
    GlyphCache();
    std::unique_ptr<GlyphSet> Render(int cellWidth, int cellHeight) const;

    FtLibrary library;
    CairoFontFace fontFace;  // owns the FreeType face
    CairoFontOptions options;
    double advance = 1;  // of one character, in ems
    double ascent = 1;   // above the baseline, in ems
    double height = 1;   // ascent plus descent, in ems
    std::array<unsigned long, 256> glyphIndex{};  // 0 for bytes without a glyph
    std::vector<std::unique_ptr<GlyphSet>> sets;  // most recently used last
};

}  // namespace quorvel::platform
