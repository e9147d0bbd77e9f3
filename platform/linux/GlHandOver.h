// The seam between GDI and OpenGL on a memory device context: before GDI
// reads a device context's bitmap, whatever OpenGL rendered for it must be
// in the bitmap's memory.
#pragma once

#include "platform/Win32.h"

namespace quorvel::platform {

// Brings the finished OpenGL image of dc into its DIB section, if a
// rendering context draws into dc; does nothing otherwise.
void SyncGlImage(HDC dc);

}  // namespace quorvel::platform
