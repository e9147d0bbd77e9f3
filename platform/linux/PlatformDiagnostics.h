// What the Linux platform reveals about itself for tests: counts of live GDI
// objects and GL contexts (for leak checks) and of stale deletions, and
// what a pen or brush handle stands for. Each reads the platform's own
// tables; none of it is kept for the purpose.
#pragma once

#include "platform/Win32.h"

namespace quorvel::platform {

// Objects created and not yet freed; stock objects are not counted.
struct GdiObjectCounts {
    int pens = 0;
    int brushes = 0;
    int bitmaps = 0;
    int fonts = 0;
    int deviceContexts = 0;

    int Total() const { return pens + brushes + bitmaps + fonts + deviceContexts; }
};

QUORVEL_WINAPI_EXPORT GdiObjectCounts LiveGdiObjects();

// DeleteObject calls given a handle that names no live object, null
// excepted (a failed creation leaves one): an object deleted twice, or a
// handle never made.
QUORVEL_WINAPI_EXPORT int StaleGdiDeletions();

// OpenGL rendering contexts created and not yet deleted.
QUORVEL_WINAPI_EXPORT int LiveGlContexts();

// What a pen or brush handle stands for, so that tests of the loaded module
// can recognise the module's own objects; false for any other handle.
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
