// SetTextAlign, SetBkMode, SetTextColor, TextOutA and lstrlenA.
//
// Text is drawn in character cells of the font selected into the device
// context: character i of a TextOutA occupies columns x + i·w … x + i·w +
// w − 1 and rows y … y + h − 1 for a cell of w × h, its glyph painted from
// the GlyphCache's mask for that cell.

#include <algorithm>
#include <climits>
#include <cstring>
#include <string_view>

#include "platform/linux/GdiObjects.h"
#include "platform/linux/GdiObserverHook.h"
#include "platform/linux/GlyphCache.h"

namespace {

using quorvel::platform::DeviceContext;
using quorvel::platform::GdiCall;
using quorvel::platform::GdiTable;

constexpr UINT kGdiError = 0xFFFFFFFF;
constexpr COLORREF kInvalidColour = 0xFFFFFFFF;

DeviceContext* FindDc(HDC dc) { return GdiTable::Instance().FindDc(dc); }

quorvel::platform::FontData CellOf(const DeviceContext& dc) {
    const quorvel::platform::GdiObject* object = GdiTable::Instance().FindAny(dc.font);
    const auto* font = object != nullptr ? std::get_if<quorvel::platform::FontData>(&object->data) : nullptr;
    return font != nullptr ? *font : quorvel::platform::FontData{16, 8};
}

long long FloorDiv(long long a, long long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0); }

// Paints the cells of text with their top-left corner at (x, y).
void DrawCells(DeviceContext& dc, long long x, long long y, std::string_view text,
               const quorvel::platform::FontData& cell) {
    quorvel::platform::DcCanvas& canvas = dc.canvas;
    if (!canvas.Attached() || text.empty()) return;
    const long long w = cell.cellWidth;
    const long long h = cell.cellHeight;
    // Only the characters whose cells reach into the bitmap, and their
    // neighbours for glyphs that stray out of their cells, are drawn.
    const long long first = std::max(0LL, FloorDiv(-x, w) - 1);
    const long long last = std::min(static_cast<long long>(text.size()), FloorDiv(canvas.Width() - x, w) + 2);
    if (first >= last || y >= canvas.Height() + h || y + 2 * h <= 0) return;
    // The default background colour, white: nothing here sets another.
    if (dc.bkMode == OPAQUE) canvas.FillRect(x + first * w, y, x + last * w, y + h, 0xFFFFFF);

    const quorvel::platform::GlyphSet* glyphs =
        quorvel::platform::GlyphCache::Instance().Find(cell.cellWidth, cell.cellHeight);
    if (glyphs == nullptr) return;
    const std::uint32_t ink = quorvel::platform::DibPixel(dc.textColour);
    for (long long i = first; i < last; ++i) {
        const std::uint8_t* mask = glyphs->Mask(static_cast<unsigned char>(text[static_cast<std::size_t>(i)]));
        if (mask == nullptr) continue;
        const long long left = x + i * w - glyphs->margin;
        const long long top = y - glyphs->margin;
        for (int row = 0; row < glyphs->maskHeight; ++row) {
            for (int column = 0; column < glyphs->maskWidth; ++column) {
                if (mask[row * glyphs->maskWidth + column] != 0) canvas.Plot(left + column, top + row, ink);
            }
        }
    }
}

}  // namespace

UINT WINAPI SetTextAlign(HDC hdc, UINT align) {
    DeviceContext* dc = FindDc(hdc);
    if (dc == nullptr) return kGdiError;
    RecordCall(*dc, GdiCall::SetTextAlign, {align});
    const UINT previous = dc->textAlign;
    dc->textAlign = align;
    return previous;
}

int WINAPI SetBkMode(HDC hdc, int mode) {
    DeviceContext* dc = FindDc(hdc);
    if (dc == nullptr) return 0;
    RecordCall(*dc, GdiCall::SetBkMode, {mode});
    if (mode != TRANSPARENT && mode != OPAQUE) return 0;
    const int previous = dc->bkMode;
    dc->bkMode = mode;
    return previous;
}

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF colour) {
    DeviceContext* dc = FindDc(hdc);
    if (dc == nullptr) return kInvalidColour;
    RecordCall(*dc, GdiCall::SetTextColor, {colour});
    const COLORREF previous = dc->textColour;
    dc->textColour = colour & 0xFFFFFF;
    return previous;
}

BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR text, int length) {
    DeviceContext* dc = FindDc(hdc);
    if (dc == nullptr) return FALSE;
    // A length past the string's terminator stops at the terminator rather
    // than reading beyond it.
    const std::size_t count =
        text != nullptr && length > 0 ? strnlen(text, static_cast<std::size_t>(length)) : 0;
    const std::string_view drawn(count > 0 ? text : "", count);
    RecordText(*dc, x, y, length, drawn);
    if (length < 0 || (text == nullptr && length > 0)) return FALSE;

    // With TA_UPDATECP the text starts at the current position, x and y
    // unused, and the position moves right by the text's advance.
    const bool updatePosition = (dc->textAlign & TA_UPDATECP) != 0;
    const long long left = updatePosition ? dc->position.x : x;
    const long long top = updatePosition ? dc->position.y : y;
    const quorvel::platform::FontData cell = CellOf(*dc);
    DrawCells(*dc, left, top, drawn, cell);
    if (updatePosition) {
        const long long advance = static_cast<long long>(count) * cell.cellWidth;
        dc->position.x = static_cast<LONG>(std::clamp<long long>(left + advance, INT_MIN, INT_MAX));
    }
    return TRUE;
}

int WINAPI lstrlenA(LPCSTR text) {
    if (text == nullptr) return 0;
    return static_cast<int>(std::min<std::size_t>(std::strlen(text), INT_MAX));
}
