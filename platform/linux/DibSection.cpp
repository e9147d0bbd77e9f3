// CreateDIBSection and BitBlt over the platform's pixel buffers.

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "platform/SurfaceLimit.h"
#include "platform/linux/GdiObjects.h"
#include "platform/linux/GdiObserverHook.h"
#include "platform/linux/GlHandOver.h"

namespace {

using quorvel::platform::BitmapData;
using quorvel::platform::GdiTable;

BitmapData* SelectedBitmap(HDC dc) {
    GdiTable& table = GdiTable::Instance();
    const quorvel::platform::DeviceContext* state = table.FindDc(dc);
    if (state == nullptr) return nullptr;
    quorvel::platform::GdiObject* object = table.Find(state->bitmap);
    return object != nullptr ? std::get_if<BitmapData>(&object->data) : nullptr;
}

}  // namespace

// Only 32-bit BI_RGB sections are made: each pixel the DWORD B | G << 8 |
// R << 16, the layout everything here draws and reads. Other bit counts
// and compressions are refused with a null handle.
HBITMAP WINAPI CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD) {
    if (bits != nullptr) *bits = nullptr;
    if (info == nullptr || usage != DIB_RGB_COLORS || section != nullptr) return nullptr;
    if (dc != nullptr && GdiTable::Instance().FindDc(dc) == nullptr) return nullptr;
    const BITMAPINFOHEADER& header = info->bmiHeader;
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biPlanes != 1 || header.biBitCount != 32 ||
        header.biCompression != BI_RGB) {
        return nullptr;
    }
    if (header.biWidth <= 0 || header.biHeight == 0 || header.biHeight == std::numeric_limits<LONG>::min()) {
        return nullptr;
    }
    const std::size_t width = static_cast<std::size_t>(header.biWidth);
    const std::size_t height = static_cast<std::size_t>(header.biHeight < 0 ? -header.biHeight : header.biHeight);
    if (width > quorvel::platform::kMaxSurfaceBytes / 4 / height) return nullptr;

    BitmapData bitmap;
    bitmap.width = header.biWidth;
    bitmap.height = static_cast<LONG>(height);
    bitmap.bottomUp = header.biHeight > 0;
    bitmap.bitCount = 32;
    // Zero-filled, as a new section is.
    bitmap.pixels.reset(new (std::nothrow) std::uint32_t[width * height]());
    if (!bitmap.pixels) return nullptr;
    void* memory = bitmap.pixels.get();
    HGDIOBJ handle = GdiTable::Instance().Add({std::move(bitmap)});
    if (bits != nullptr) *bits = memory;
    return static_cast<HBITMAP>(handle);
}

BOOL WINAPI BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop) {
    if (const auto* state = GdiTable::Instance().FindDc(dest)) {
        RecordCall(*state, quorvel::platform::GdiCall::BitBlt, {x, y, width, height, sourceX, sourceY});
    }
    if (rop != SRCCOPY) return FALSE;
    quorvel::platform::SyncGlImage(source);
    BitmapData* to = SelectedBitmap(dest);
    const BitmapData* from = SelectedBitmap(source);
    if (to == nullptr || from == nullptr) return FALSE;
    if (width <= 0 || height <= 0) return TRUE;

    // Clip the rectangle to both bitmaps, in 64 bits so no sum overflows.
    long long left = 0, top = 0, right = width, bottom = height;
    const auto clip = [&](long long originX, long long originY, long long limitX, long long limitY) {
        left = std::max(left, -originX);
        top = std::max(top, -originY);
        right = std::min(right, limitX - originX);
        bottom = std::min(bottom, limitY - originY);
    };
    clip(x, y, to->width, to->height);
    clip(sourceX, sourceY, from->width, from->height);
    if (left >= right || top >= bottom) return TRUE;

    for (long long row = top; row < bottom; ++row) {
        std::uint32_t* d = to->Row(static_cast<LONG>(y + row));
        const std::uint32_t* s = from->Row(static_cast<LONG>(sourceY + row));
        std::memmove(d + x + left, s + sourceX + left, static_cast<std::size_t>(right - left) * 4);
    }
    return TRUE;
}
