#include "tests/support/GdiJournal.h"

#include <algorithm>
#include <iterator>

namespace quorvel::test {

GdiJournal::GdiJournal(HDC dc) : dc(dc) { platform::SetGdiObserver(dc, this); }

GdiJournal::~GdiJournal() {
    // Handles are never reused: a deleted device context is simply gone.
    if (platform::GdiObserverOf(dc) == this) platform::SetGdiObserver(dc, nullptr);
}

std::vector<JournalEntry> GdiJournal::Calls(GdiCall call) const {
    std::vector<JournalEntry> found;
    std::copy_if(entries.begin(), entries.end(), std::back_inserter(found),
                 [call](const JournalEntry& entry) { return entry.call == call; });
    return found;
}

void GdiJournal::Observe(const platform::GdiCallReport& report) {
    JournalEntry entry;
    entry.call = report.call;
    entry.args.assign(report.args.begin(), report.args.end());
    for (const POINT& point : report.points) {
        entry.args.push_back(point.x);
        entry.args.push_back(point.y);
    }
    entry.text = std::string(report.text);
    entry.object = report.object;
    entry.pen = report.pen;
    entry.brush = report.brush;
    entry.position = report.position;
    entry.textColour = report.textColour;
    entry.bkMode = report.bkMode;
    entry.textAlign = report.textAlign;
    entries.push_back(std::move(entry));
}

}  // namespace quorvel::test
