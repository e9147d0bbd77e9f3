#include "platform/linux/GdiObserver.h"

#include "platform/linux/GdiObjects.h"
#include "platform/linux/GdiObserverHook.h"

namespace quorvel::platform {

bool SetGdiObserver(HDC dc, GdiObserver* observer) {
    DeviceContext* state = GdiTable::Instance().FindDc(dc);
    if (state == nullptr) return false;
    state->observer = observer;
    return true;
}

GdiObserver* GdiObserverOf(HDC dc) {
    const DeviceContext* state = GdiTable::Instance().FindDc(dc);
    return state != nullptr ? state->observer : nullptr;
}

namespace {

GdiObserver* objectObserver = nullptr;

GdiCallReport ReportOf(const DeviceContext& dc, GdiCall call) {
    return {call, {}, {}, {}, nullptr, dc.pen, dc.brush, dc.position, dc.textColour, dc.bkMode, dc.textAlign};
}

}  // namespace

void RecordCall(const DeviceContext& dc, GdiCall call, std::initializer_list<long long> args, HGDIOBJ object) {
    if (dc.observer == nullptr) return;
    GdiCallReport report = ReportOf(dc, call);
    report.args = {args.begin(), args.size()};
    report.object = object;
    dc.observer->Observe(report);
}

void RecordPolygon(const DeviceContext& dc, const POINT* points, int count) {
    if (dc.observer == nullptr) return;
    GdiCallReport report = ReportOf(dc, GdiCall::Polygon);
    if (points != nullptr && count > 0) report.points = {points, static_cast<std::size_t>(count)};
    dc.observer->Observe(report);
}

void RecordText(const DeviceContext& dc, int x, int y, int length, std::string_view text) {
    if (dc.observer == nullptr) return;
    const long long args[] = {x, y, length};
    GdiCallReport report = ReportOf(dc, GdiCall::TextOutA);
    report.args = args;
    report.text = text;
    dc.observer->Observe(report);
}

void SetGdiObjectObserver(GdiObserver* observer) { objectObserver = observer; }

GdiObserver* GdiObjectObserver() { return objectObserver; }

void RecordObjectCall(GdiCall call, HGDIOBJ object) {
    if (objectObserver == nullptr) return;
    GdiCallReport report{};
    report.call = call;
    report.object = object;
    objectObserver->Observe(report);
}

}  // namespace quorvel::platform
