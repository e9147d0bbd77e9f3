// The platform's table of GDI objects and device contexts.
//
// Internal to the platform library. Handles are ids that are never reused,
// so a deleted handle stays invalid for good instead of aliasing a newer
// object. A device context keeps handles of what is selected into it; an
// object deleted while selected lives on until the last device context lets
// go of it, as Windows does.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <variant>

#include "platform/Win32.h"
#include "platform/linux/DcCanvas.h"

namespace quorvel::platform {

struct PenData {
    int style;
    int width;
    COLORREF colour;
};

struct BrushData {
    bool hollow;
    COLORREF colour;
};

// A 32-bit pixel buffer. Rows are stored in the DIB's own order.
struct BitmapData {
    LONG width = 0;
    LONG height = 0;
    bool bottomUp = false;
    WORD bitCount = 0;
    std::unique_ptr<std::uint32_t[]> pixels;
    HDC selectedInto = nullptr;

    // Pointer to image row y (0 = top), or null outside the image.
    std::uint32_t* Row(LONG y) const;
};

struct FontData {
    int cellHeight;
    int cellWidth;
};

struct GdiObject {
    std::variant<PenData, BrushData, BitmapData, FontData> data;
    bool stock = false;
    bool deletePending = false;
    int selections = 0;  // device contexts holding the object
};

class GdiObserver;

struct DeviceContext {
    HGDIOBJ pen = nullptr;
    HGDIOBJ brush = nullptr;
    HGDIOBJ bitmap = nullptr;
    HGDIOBJ font = nullptr;
    POINT position{0, 0};
    UINT textAlign = TA_LEFT | TA_TOP | TA_NOUPDATECP;
    int bkMode = OPAQUE;
    COLORREF textColour = RGB(0, 0, 0);
    int pixelFormat = 0;
    GdiObserver* observer = nullptr;  // told of every call made on it
    // The selected DIB section as drawing calls see it; empty while the
    // default bitmap is selected.
    DcCanvas canvas;
};

struct GdiObjectCounts;

class GdiTable {
public:
    static GdiTable& Instance();

    HGDIOBJ Add(GdiObject object);
    // The live object behind a handle; null for null, unknown, deleted or
    // delete-pending handles.
    GdiObject* Find(HGDIOBJ handle);
    // Deletes now, or once deselected when a device context still holds it.
    BOOL Delete(HGDIOBJ handle);
    HGDIOBJ Stock(int index) const;

    HDC AddDc();
    DeviceContext* FindDc(HDC dc);
    BOOL DeleteDc(HDC dc);

    // Selects object into the slot of dc that its kind uses; returns the
    // previous object of that slot, or null when the selection fails.
    HGDIOBJ Select(HDC dc, HGDIOBJ object);

    GdiObjectCounts Counts() const;
    int StaleDeletions() const { return staleDeletions; }

    // The object behind a handle, pending ones included: what a device
    // context still draws with after its pen was deleted.
    GdiObject* FindAny(HGDIOBJ handle);

private:
    GdiTable();
    void Deselect(HGDIOBJ handle);
    void Retain(HGDIOBJ handle);
    static void AttachCanvas(DeviceContext& dc, BitmapData& bitmap);

    std::uintptr_t nextId = 0x10000;
    std::unordered_map<std::uintptr_t, GdiObject> objects;
    std::unordered_map<std::uintptr_t, DeviceContext> dcs;
    HGDIOBJ stock[18] = {};
    HGDIOBJ defaultBitmap = nullptr;
    int staleDeletions = 0;
};

}  // namespace quorvel::platform
