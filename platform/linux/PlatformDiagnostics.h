// What the Linux platform reveals about itself for tests and the bench host:
// counts of live GDI objects and GL contexts (for leak checks), of stale
// deletions, and the last loader error.
#pragma once

#include <string>

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

// Why the last LoadLibraryA failed, empty after a success.
QUORVEL_WINAPI_EXPORT std::string LastLoadError();

}  // namespace quorvel::platform
