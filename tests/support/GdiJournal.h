// A recorder of the GDI calls made on one device context, for tests.
//
// While a GdiJournal is attached to a device context, every drawing and
// state call on it is appended with its arguments and with the pen, brush
// and text state in force at that moment, so that a test can assert a call
// such as Arc(dc, 4, 4, 74, 74, 14, 14, 4, 39) in a given pen exactly. It
// observes through the platform's hook, so it sees the calls the loaded
// module makes as well as the test's own.
#pragma once

#include <string>
#include <vector>

#include "platform/Win32.h"
#include "platform/linux/GdiObserver.h"

namespace quorvel::test {

using platform::GdiCall;

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

class GdiJournal final : public platform::GdiObserver {
public:
    // Takes over the device context's calls from any other journal.
    explicit GdiJournal(HDC dc);
    // Lets go, unless another journal has taken over or the device
    // context is gone.
    ~GdiJournal();
    GdiJournal(const GdiJournal&) = delete;
    GdiJournal& operator=(const GdiJournal&) = delete;

    const std::vector<JournalEntry>& Entries() const { return entries; }
    // Only the entries of one kind of call, in order.
    std::vector<JournalEntry> Calls(GdiCall call) const;
    void Clear() { entries.clear(); }

    void Observe(const platform::GdiCallReport& report) override;

private:
    HDC dc;
    std::vector<JournalEntry> entries;
};

}  // namespace quorvel::test
