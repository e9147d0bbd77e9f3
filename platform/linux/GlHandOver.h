// The seam between GDI and OpenGL on a memory device context: before GDI
// reads a device context's bitmap, whatever OpenGL rendered for it must be
// in the bitmap's memory.
#pragma once

#include "platform/Win32.h"

namespace quorvel::platform {

// Brings the finished OpenGL image of dc into its DIB section, if a
// rendering context draws into dc; does nothing otherwise. The image is
// read only when its context has been current since the last read, so a
// bitmap GDI drew into after that keeps GDI's drawing.
QUORVEL_WINAPI_EXPORT void SyncGlImage(HDC dc);

}  // namespace quorvel::platform
