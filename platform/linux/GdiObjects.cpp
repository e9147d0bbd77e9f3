#include "platform/linux/GdiObjects.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <type_traits>

#include "platform/linux/GdiObserverHook.h"
#include "platform/linux/PlatformDiagnostics.h"

namespace quorvel::platform {

namespace {

std::uintptr_t Id(const void* handle) { return reinterpret_cast<std::uintptr_t>(handle); }

template <typename T>
HGDIOBJ Handle(T id) {
    return reinterpret_cast<HGDIOBJ>(static_cast<std::uintptr_t>(id));
}

// |value| as an int, INT_MIN included.
int Magnitude(int value) { return static_cast<int>(std::min<long long>(std::llabs(value), INT_MAX)); }

// Stock objects have fixed ids below every created object's.
constexpr std::uintptr_t kStockBase = 0x1000;
constexpr std::uintptr_t kDefaultBitmapId = 0x2000;

}  // namespace

std::uint32_t* BitmapData::Row(LONG y) const {
    if (!pixels || y < 0 || y >= height) return nullptr;
    const LONG memoryRow = bottomUp ? height - 1 - y : y;
    return pixels.get() + static_cast<std::size_t>(memoryRow) * static_cast<std::size_t>(width);
}

GdiTable& GdiTable::Instance() {
    static GdiTable table;
    return table;
}

GdiTable::GdiTable() {
    const auto addStock = [this](int index, GdiObject object) {
        object.stock = true;
        const std::uintptr_t id = kStockBase + static_cast<std::uintptr_t>(index);
        objects.emplace(id, std::move(object));
        stock[index] = Handle(id);
    };
    addStock(WHITE_BRUSH, {BrushData{false, RGB(255, 255, 255)}});
    addStock(LTGRAY_BRUSH, {BrushData{false, RGB(192, 192, 192)}});
    addStock(GRAY_BRUSH, {BrushData{false, RGB(128, 128, 128)}});
    addStock(DKGRAY_BRUSH, {BrushData{false, RGB(64, 64, 64)}});
    addStock(BLACK_BRUSH, {BrushData{false, RGB(0, 0, 0)}});
    addStock(NULL_BRUSH, {BrushData{true, 0}});
    addStock(WHITE_PEN, {PenData{PS_SOLID, 1, RGB(255, 255, 255)}});
    addStock(BLACK_PEN, {PenData{PS_SOLID, 1, RGB(0, 0, 0)}});
    addStock(NULL_PEN, {PenData{PS_NULL, 1, 0}});
    addStock(SYSTEM_FONT, {FontData{16, 8}});
    addStock(DEFAULT_GUI_FONT, {FontData{16, 8}});

    // A new memory device context holds this 1 by 1 monochrome bitmap.
    BitmapData bitmap;
    bitmap.width = 1;
    bitmap.height = 1;
    bitmap.bitCount = 1;
    bitmap.pixels = std::make_unique<std::uint32_t[]>(1);
    GdiObject object{std::move(bitmap)};
    object.stock = true;
    objects.emplace(kDefaultBitmapId, std::move(object));
    defaultBitmap = Handle(kDefaultBitmapId);
}

HGDIOBJ GdiTable::Add(GdiObject object) {
    const std::uintptr_t id = nextId++;
    objects.emplace(id, std::move(object));
    return Handle(id);
}

GdiObject* GdiTable::FindAny(HGDIOBJ handle) {
    const auto found = objects.find(Id(handle));
    return found == objects.end() ? nullptr : &found->second;
}

GdiObject* GdiTable::Find(HGDIOBJ handle) {
    GdiObject* object = FindAny(handle);
    return object != nullptr && !object->deletePending ? object : nullptr;
}

HGDIOBJ GdiTable::Stock(int index) const {
    if (index < 0 || index >= static_cast<int>(std::size(stock))) return nullptr;
    return stock[index];
}

BOOL GdiTable::Delete(HGDIOBJ handle) {
    GdiObject* object = Find(handle);
    if (object == nullptr) {
        if (handle != nullptr) ++staleDeletions;
        return FALSE;
    }
    if (object->stock) return TRUE;
    // Windows accepts deleting a selected object and frees it only when the
    // last device context deselects it; a device context never holds a
    // freed object.
    if (object->selections > 0) {
        object->deletePending = true;
        return TRUE;
    }
    objects.erase(Id(handle));
    return TRUE;
}

void GdiTable::Retain(HGDIOBJ handle) {
    if (GdiObject* object = FindAny(handle)) ++object->selections;
}

void GdiTable::Deselect(HGDIOBJ handle) {
    GdiObject* object = FindAny(handle);
    if (object == nullptr) return;
    --object->selections;
    if (auto* bitmap = std::get_if<BitmapData>(&object->data); bitmap != nullptr && !object->stock) {
        bitmap->selectedInto = nullptr;
    }
    if (object->deletePending && object->selections == 0) objects.erase(Id(handle));
}

HDC GdiTable::AddDc() {
    const std::uintptr_t id = nextId++;
    DeviceContext& dc = dcs[id];
    dc.pen = stock[BLACK_PEN];
    dc.brush = stock[WHITE_BRUSH];
    dc.font = stock[SYSTEM_FONT];
    dc.bitmap = defaultBitmap;
    Retain(dc.pen);
    Retain(dc.brush);
    Retain(dc.font);
    Retain(dc.bitmap);
    return reinterpret_cast<HDC>(id);
}

DeviceContext* GdiTable::FindDc(HDC dc) {
    const auto found = dcs.find(Id(dc));
    return found == dcs.end() ? nullptr : &found->second;
}

BOOL GdiTable::DeleteDc(HDC handle) {
    DeviceContext* dc = FindDc(handle);
    if (dc == nullptr) return FALSE;
    dc->canvas.Detach();
    for (HGDIOBJ held : {dc->pen, dc->brush, dc->font, dc->bitmap}) Deselect(held);
    dcs.erase(Id(handle));
    return TRUE;
}

HGDIOBJ GdiTable::Select(HDC handle, HGDIOBJ objectHandle) {
    DeviceContext* dc = FindDc(handle);
    GdiObject* object = Find(objectHandle);
    if (dc == nullptr || object == nullptr) return nullptr;

    HGDIOBJ* slot = std::visit(
        [dc](auto& data) -> HGDIOBJ* {
            using T = std::decay_t<decltype(data)>;
            if constexpr (std::is_same_v<T, PenData>) return &dc->pen;
            if constexpr (std::is_same_v<T, BrushData>) return &dc->brush;
            if constexpr (std::is_same_v<T, BitmapData>) return &dc->bitmap;
            if constexpr (std::is_same_v<T, FontData>) return &dc->font;
        },
        object->data);
    const HGDIOBJ previous = *slot;
    if (previous == objectHandle) return previous;

    if (auto* bitmap = std::get_if<BitmapData>(&object->data); bitmap != nullptr && !object->stock) {
        // A bitmap lives in one device context at a time.
        if (bitmap->selectedInto != nullptr) return nullptr;
        bitmap->selectedInto = handle;
    }
    *slot = objectHandle;
    Retain(objectHandle);
    if (slot == &dc->bitmap) AttachCanvas(*dc, std::get<BitmapData>(object->data));
    Deselect(previous);
    return previous;
}

void GdiTable::AttachCanvas(DeviceContext& dc, BitmapData& bitmap) {
    // Only 32-bit sections are drawn into; the default monochrome bitmap
    // takes no drawing.
    if (bitmap.bitCount == 32 && bitmap.pixels) {
        dc.canvas.Attach(bitmap.pixels.get(), bitmap.width, bitmap.height, bitmap.bottomUp);
    } else {
        dc.canvas.Detach();
    }
}

GdiObjectCounts GdiTable::Counts() const {
    GdiObjectCounts counts;
    for (const auto& [id, object] : objects) {
        if (object.stock) continue;
        std::visit(
            [&counts](const auto& data) {
                using T = std::decay_t<decltype(data)>;
                if constexpr (std::is_same_v<T, PenData>) ++counts.pens;
                if constexpr (std::is_same_v<T, BrushData>) ++counts.brushes;
                if constexpr (std::is_same_v<T, BitmapData>) ++counts.bitmaps;
                if constexpr (std::is_same_v<T, FontData>) ++counts.fonts;
            },
            object.data);
    }
    counts.deviceContexts = static_cast<int>(dcs.size());
    return counts;
}

GdiObjectCounts LiveGdiObjects() { return GdiTable::Instance().Counts(); }

int StaleGdiDeletions() { return GdiTable::Instance().StaleDeletions(); }

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

using quorvel::platform::GdiTable;

HPEN WINAPI CreatePen(int style, int width, COLORREF colour) {
    if (style < PS_SOLID || style > PS_NULL) return nullptr;
    // Widths 0 and 1 both draw one-pixel lines; a negative width counts as
    // its magnitude.
    const int pixels = width == 0 ? 1 : quorvel::platform::Magnitude(width);
    return static_cast<HPEN>(GdiTable::Instance().Add({quorvel::platform::PenData{style, pixels, colour & 0xFFFFFF}}));
}

HBRUSH WINAPI CreateSolidBrush(COLORREF colour) {
    return static_cast<HBRUSH>(GdiTable::Instance().Add({quorvel::platform::BrushData{false, colour & 0xFFFFFF}}));
}

HFONT WINAPI CreateFontA(int height, int width, int, int, int, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD,
                         LPCSTR) {
    // Only the character cell matters here: every font is the platform's
    // monospace face scaled to that cell.
    const int cellHeight = height == 0 ? 16 : quorvel::platform::Magnitude(height);
    const int cellWidth = width == 0 ? cellHeight / 2 + cellHeight % 2 : quorvel::platform::Magnitude(width);
    return static_cast<HFONT>(GdiTable::Instance().Add({quorvel::platform::FontData{cellHeight, cellWidth}}));
}

HGDIOBJ WINAPI GetStockObject(int object) { return GdiTable::Instance().Stock(object); }

BOOL WINAPI DeleteObject(HGDIOBJ object) {
    quorvel::platform::RecordObjectCall(quorvel::platform::GdiCall::DeleteObject, object);
    return GdiTable::Instance().Delete(object);
}

HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object) {
    GdiTable& table = GdiTable::Instance();
    // The journal keeps what was asked for, whether or not it is selected.
    if (const auto* state = table.FindDc(dc)) {
        quorvel::platform::RecordCall(*state, quorvel::platform::GdiCall::SelectObject, {}, object);
    }
    return table.Select(dc, object);
}

HGDIOBJ WINAPI GetCurrentObject(HDC handle, UINT type) {
    const quorvel::platform::DeviceContext* dc = GdiTable::Instance().FindDc(handle);
    if (dc == nullptr) return nullptr;
    switch (type) {
        case OBJ_PEN: return dc->pen;
        case OBJ_BRUSH: return dc->brush;
        case OBJ_FONT: return dc->font;
        case OBJ_BITMAP: return dc->bitmap;
        default: return nullptr;
    }
}

HDC WINAPI CreateCompatibleDC(HDC reference) {
    GdiTable& table = GdiTable::Instance();
    if (reference != nullptr && table.FindDc(reference) == nullptr) return nullptr;
    return table.AddDc();
}

BOOL WINAPI DeleteDC(HDC dc) { return GdiTable::Instance().DeleteDc(dc); }
