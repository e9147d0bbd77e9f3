#include "platform/linux/GdiJournal.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "platform/linux/GdiObjects.h"
#include "platform/linux/JournalHook.h"

namespace quorvel::platform {

GdiJournal::GdiJournal(HDC dc) : dc(dc) {
    if (DeviceContext* state = GdiTable::Instance().FindDc(dc)) state->recorder = this;
}

GdiJournal::~GdiJournal() {
    // Handles are never reused: a deleted device context is simply gone,
    // and one that another journal has taken over is left to that one.
    DeviceContext* state = GdiTable::Instance().FindDc(dc);
    if (state != nullptr && state->recorder == this) state->recorder = nullptr;
}

std::vector<JournalEntry> GdiJournal::Calls(GdiCall call) const {
    std::vector<JournalEntry> found;
    std::copy_if(entries.begin(), entries.end(), std::back_inserter(found),
                 [call](const JournalEntry& entry) { return entry.call == call; });
    return found;
}

namespace {

JournalEntry EntryFor(const DeviceContext& dc, GdiCall call) {
    JournalEntry entry;
    entry.call = call;
    entry.pen = dc.pen;
    entry.brush = dc.brush;
    entry.position = dc.position;
    entry.textColour = dc.textColour;
    entry.bkMode = dc.bkMode;
    entry.textAlign = dc.textAlign;
    return entry;
}

}  // namespace

void RecordCall(const DeviceContext& dc, GdiCall call, std::initializer_list<long long> args, HGDIOBJ object) {
    if (dc.recorder == nullptr) return;
    JournalEntry entry = EntryFor(dc, call);
    entry.args.assign(args);
    entry.object = object;
    dc.recorder->Record(std::move(entry));
}

void RecordPolygon(const DeviceContext& dc, const POINT* points, int count) {
    if (dc.recorder == nullptr) return;
    JournalEntry entry = EntryFor(dc, GdiCall::Polygon);
    if (points != nullptr && count > 0) {
        entry.args.reserve(2 * static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) {
            entry.args.push_back(points[i].x);
            entry.args.push_back(points[i].y);
        }
    }
    dc.recorder->Record(std::move(entry));
}

void RecordText(const DeviceContext& dc, int x, int y, int length, std::string_view text) {
    if (dc.recorder == nullptr) return;
    JournalEntry entry = EntryFor(dc, GdiCall::TextOutA);
    entry.args = {x, y, length};
    entry.text = std::string(text);
    dc.recorder->Record(std::move(entry));
}

bool DescribePen(HGDIOBJ pen, PenInfo& info) {
    const GdiObject* object = GdiTable::Instance().Find(pen);
    const auto* data = object != nullptr ? std::get_if<PenData>(&object->data) : nullptr;
    if (data == nullptr) return false;
    info = {data->style, data->width, data->colour};
    return true;
}

bool DescribeBrush(HGDIOBJ brush, BrushInfo& info) {
    const GdiObject* object = GdiTable::Instance().Find(brush);
    const auto* data = object != nullptr ? std::get_if<BrushData>(&object->data) : nullptr;
    if (data == nullptr) return false;
    info = {data->hollow, data->colour};
    return true;
}

}  // namespace quorvel::platform
