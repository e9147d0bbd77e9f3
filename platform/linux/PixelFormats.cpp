// DescribePixelFormat, ChoosePixelFormat and SetPixelFormat on memory device
// contexts.

#include "platform/linux/PixelFormats.h"

#include <cstring>
#include <iterator>

#include "platform/linux/GdiObjects.h"

namespace quorvel::platform {

namespace {

constexpr PIXELFORMATDESCRIPTOR BitmapFormat(BYTE depthBits, BYTE stencilBits) {
    PIXELFORMATDESCRIPTOR format{};
    format.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    format.nVersion = 1;
    // GDI may draw into the same bitmap, which rules out double buffering.
    format.dwFlags = PFD_DRAW_TO_BITMAP | PFD_SUPPORT_GDI | PFD_SUPPORT_OPENGL;
    format.iPixelType = PFD_TYPE_RGBA;
    // The display's depth: 32-bit pixels B, G, R and an unused byte.
    format.cColorBits = 32;
    format.cRedBits = 8;
    format.cRedShift = 16;
    format.cGreenBits = 8;
    format.cGreenShift = 8;
    format.cBlueBits = 8;
    format.cBlueShift = 0;
    format.cDepthBits = depthBits;
    format.cStencilBits = stencilBits;
    format.iLayerType = PFD_MAIN_PLANE;
    return format;
}

// As on Windows and Wine, every bitmap format carries a depth buffer.
constexpr PIXELFORMATDESCRIPTOR kFormats[] = {BitmapFormat(24, 8), BitmapFormat(16, 0)};

}  // namespace

int PixelFormatCount() { return static_cast<int>(std::size(kFormats)); }

const PIXELFORMATDESCRIPTOR* FindPixelFormat(int index) {
    if (index < 1 || index > PixelFormatCount()) return nullptr;
    return &kFormats[index - 1];
}

}  // namespace quorvel::platform

using quorvel::platform::FindPixelFormat;
using quorvel::platform::GdiTable;
using quorvel::platform::PixelFormatCount;

// Returns the number of formats, not the index asked for; the descriptor is
// filled only when it is there and big enough.
int WINAPI DescribePixelFormat(HDC dc, int pixelFormat, UINT bytes, PIXELFORMATDESCRIPTOR* descriptor) {
    if (GdiTable::Instance().FindDc(dc) == nullptr) return 0;
    if (descriptor == nullptr) return PixelFormatCount();
    const PIXELFORMATDESCRIPTOR* format = FindPixelFormat(pixelFormat);
    if (format == nullptr) return 0;
    if (bytes >= sizeof(PIXELFORMATDESCRIPTOR)) std::memcpy(descriptor, format, sizeof(PIXELFORMATDESCRIPTOR));
    return PixelFormatCount();
}

// The closest match, as Windows picks it: flags and colour bits no format
// has are passed over; only a colour-index request finds nothing. The depth
// asked for is a minimum, and asking for none still gets a depth buffer.
int WINAPI ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* descriptor) {
    if (GdiTable::Instance().FindDc(dc) == nullptr || descriptor == nullptr) return 0;
    if (descriptor->iPixelType != PFD_TYPE_RGBA) return 0;
    const bool depthMatters = (descriptor->dwFlags & PFD_DEPTH_DONTCARE) == 0;
    int deepest = 1;
    for (int index = 1; index <= PixelFormatCount(); ++index) {
        const PIXELFORMATDESCRIPTOR& format = *FindPixelFormat(index);
        const bool depthFits = !depthMatters || format.cDepthBits >= descriptor->cDepthBits;
        if (depthFits && format.cStencilBits >= descriptor->cStencilBits) return index;
        if (format.cDepthBits > FindPixelFormat(deepest)->cDepthBits) deepest = index;
    }
    return deepest;
}

// A device context takes one pixel format for good; setting the same one
// again succeeds. The descriptor is not read (Windows reads it only for
// metafiles).
BOOL WINAPI SetPixelFormat(HDC dc, int pixelFormat, const PIXELFORMATDESCRIPTOR*) {
    quorvel::platform::DeviceContext* state = GdiTable::Instance().FindDc(dc);
    if (state == nullptr || FindPixelFormat(pixelFormat) == nullptr) return FALSE;
    if (state->pixelFormat != 0 && state->pixelFormat != pixelFormat) return FALSE;
    state->pixelFormat = pixelFormat;
    return TRUE;
}
