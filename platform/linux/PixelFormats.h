// The pixel formats a memory device context offers OpenGL, and the calls
// that describe, choose and set them. Internal to the platform library.
#pragma once

#include "platform/Win32.h"

namespace quorvel::platform {

// The formats, numbered from 1 as Windows numbers them.
int PixelFormatCount();
// Null outside 1 ... PixelFormatCount().
const PIXELFORMATDESCRIPTOR* FindPixelFormat(int index);

}  // namespace quorvel::platform
