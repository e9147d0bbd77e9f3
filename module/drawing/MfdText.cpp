#include "module/drawing/MfdText.h"

#include <cstdarg>
#include <cstdio>

#include "module/drawing/PixelRounding.h"

namespace quorvel {

std::int32_t charCellWidth = 0;
std::int32_t charCellHeight = 0;

namespace {

constexpr std::size_t kPrintBufferSize = 252;

// Cell arithmetic runs in 64 bits and lands back in the int range, so no
// position or cell size can overflow it.
std::int32_t CellSize(std::uint32_t size) { return Saturate(std::int64_t{size}); }

}  // namespace

CursorCell CellOfPixel(CursorPixel pixel) {
    // A size of 0 (before the first SetCharCell, or a host reporting 0)
    // has no grid to speak of: everything is in cell 0.
    const std::int64_t column =
        charCellWidth == 0 ? 0 : (std::int64_t{pixel.x} - charCellWidth / 2) / charCellWidth;
    const std::int64_t row = charCellHeight == 0 ? 0 : std::int64_t{pixel.y} / charCellHeight;
    return {Saturate(column), Saturate(row)};
}

CursorCell SetCharCell(HDC hdc, std::uint32_t cellWidth, std::uint32_t cellHeight) {
    charCellWidth = CellSize(cellWidth);
    charCellHeight = CellSize(cellHeight);
    SetTextAlign(hdc, TA_UPDATECP);
    return MoveCursorCell(hdc, 0, 0);
}

CursorPixel GetCursorPixel(HDC hdc) {
    POINT previous{0, 0};
    MoveToEx(hdc, 0, 0, &previous);
    MoveToEx(hdc, previous.x, previous.y, nullptr);
    return {previous.x, previous.y};
}

CursorCell GetCursorCell(HDC hdc) { return CellOfPixel(GetCursorPixel(hdc)); }

CursorPixel MoveCursorPixel(HDC hdc, std::int32_t x, std::int32_t y) {
    POINT previous{0, 0};
    MoveToEx(hdc, x, y, &previous);
    return {previous.x, previous.y};
}

CursorCell MoveCursorCell(HDC hdc, std::int32_t column, std::int32_t row) {
    const CursorPixel p = GetCursorPixel(hdc);
    const std::int32_t x =
        column >= 0 ? Saturate(std::int64_t{column} * charCellWidth + charCellWidth / 2) : p.x;
    const std::int32_t y = row >= 0 ? Saturate(std::int64_t{row} * charCellHeight) : p.y;
    MoveToEx(hdc, x, y, nullptr);
    return CellOfPixel(p);
}

void SetInk(HDC hdc, COLORREF colour) {
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, colour);
}

CursorCell PrintAtCursor(HDC hdc, const char* format, ...) {
    char buffer[kPrintBufferSize];
    va_list values;
    va_start(values, format);
    // vsnprintf stops at the buffer's end and always terminates the text.
    const int written = std::vsnprintf(buffer, sizeof buffer, format, values);
    va_end(values);
    if (written < 0) buffer[0] = '\0';
    const CursorCell cell = GetCursorCell(hdc);
    // With update-current-position alignment the text starts at the
    // cursor; the coordinates are not used.
    TextOutA(hdc, 0, 0, buffer, lstrlenA(buffer));
    return cell;
}

}  // namespace quorvel
