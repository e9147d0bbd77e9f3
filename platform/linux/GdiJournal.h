// A recorder of the GDI calls made on one device context, for tests.
//
// While a GdiJournal is attached to a device context, every drawing and
// state call on it is appended with its arguments and with the pen, brush
// and text state in force at that moment, so that a test can assert a call
// such as Arc(dc, 4, 4, 74, 74, 14, 14, 4, 39) in a given pen exactly.
// Without a journal nothing is recorded and nothing is allocated.
#pragma once

#include <string>
#include <vector>

#include "platform/Win32.h"

namespace quorvel::platform {

enum class GdiCall {
    SelectObject,
    MoveToEx,
    LineTo,
    Ellipse,
    Arc,
    Polygon,
    SetTextAlign,
    SetBkMode,
    SetTextColor,
    TextOutA,
    BitBlt,
};

struct JournalEntry {
    GdiCall call;
    // The integer arguments after the device context, in call order.
    // Polygon: x0, y0, x1, y1, ...; SetTextColor: the colour; BitBlt: x, y,
    // width, height, source x, source y.
    std::vector<long long> args;
    std::string text;          // TextOutA: the text drawn (length applied)
    HGDIOBJ object = nullptr;  // SelectObject: the object asked for
    HGDIOBJ pen = nullptr;     // selected when the call was made
    HGDIOBJ brush = nullptr;   // selected when the call was made
    POINT position{0, 0};      // current position when the call was made
    COLORREF textColour = 0;   // when the call was made
    int bkMode = 0;            // when the call was made
    UINT textAlign = 0;        // when the call was made
};

class QUORVEL_WINAPI_EXPORT GdiJournal {
public:
    explicit GdiJournal(HDC dc);
    ~GdiJournal();
    GdiJournal(const GdiJournal&) = delete;
    GdiJournal& operator=(const GdiJournal&) = delete;

    const std::vector<JournalEntry>& Entries() const { return entries; }
    // Only the entries of one kind of call, in order.
    std::vector<JournalEntry> Calls(GdiCall call) const;
    void Clear() { entries.clear(); }

    // Used by the platform when a call is made on the device context.
    void Record(JournalEntry entry) { entries.push_back(std::move(entry)); }

private:
    HDC dc;
    std::vector<JournalEntry> entries;
};

// What a pen or brush handle stands for, so tests of the loaded module can
// recognise the module's own objects; false for any other handle.
struct PenInfo {
    int style;
    int width;
    COLORREF colour;
};
struct BrushInfo {
    bool hollow;
    COLORREF colour;
};
QUORVEL_WINAPI_EXPORT bool DescribePen(HGDIOBJ pen, PenInfo& info);
QUORVEL_WINAPI_EXPORT bool DescribeBrush(HGDIOBJ brush, BrushInfo& info);

}  // namespace quorvel::platform
