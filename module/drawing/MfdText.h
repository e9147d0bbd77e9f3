// The character-grid text cursor through which the drawing steps put text
// on the MFD.
//
// The cursor is the device context's current position, the point MoveToEx
// and LineTo move too. Text is drawn with update-current-position
// alignment, so each print starts at the cursor and leaves it just behind
// the text. Column c starts at x = c * cellWidth + cellWidth / 2, row r at
// y = r * cellHeight. The cell size is module-wide, set at the start of
// every repaint. Nothing is saved or restored in the device context.
#pragma once

#include <cstdint>

#include "platform/Win32.h"

namespace quorvel {

struct CursorPixel {
    std::int32_t x;
    std::int32_t y;
    bool operator==(const CursorPixel&) const = default;
};

struct CursorCell {
    std::int32_t column;
    std::int32_t row;
    bool operator==(const CursorCell&) const = default;
};

// The MFD font's character cell in pixels; written only by SetCharCell, 0
// until its first call.
extern std::int32_t charCellWidth;
extern std::int32_t charCellHeight;

// Stores the cell, sets update-current-position alignment and sends the
// cursor home to (cellWidth / 2, 0); returns the cell it was in before.
CursorCell SetCharCell(HDC hdc, std::uint32_t cellWidth, std::uint32_t cellHeight);
// The current position, left where it is.
CursorPixel GetCursorPixel(HDC hdc);
// The cell that holds the current position. Divisions truncate toward
// zero; a cell size of 0 gives column or row 0.
CursorCell GetCursorCell(HDC hdc);
// Moves the cursor; returns where it was.
CursorPixel MoveCursorPixel(HDC hdc, std::int32_t x, std::int32_t y);
// Moves the cursor to a cell; a negative column or row keeps that
// coordinate. Returns the cell it was in.
CursorCell MoveCursorCell(HDC hdc, std::int32_t column, std::int32_t row);
// Transparent background and this text colour for the prints that follow.
void SetInk(HDC hdc, COLORREF colour);
// Formats as printf does (at most 251 characters; a longer text is cut)
// and draws it at the cursor; returns the cell the cursor was in.
CursorCell PrintAtCursor(HDC hdc, const char* format, ...) QUORVEL_PRINTF_FORMAT(2, 3);

// The cell of a pixel position under the current cell size.
CursorCell CellOfPixel(CursorPixel pixel);

}  // namespace quorvel
