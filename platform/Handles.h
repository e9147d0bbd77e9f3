// One owner for each kind of system handle the platform and the bench host
// hold: memory device contexts, GDI objects, OpenGL rendering contexts and
// loaded modules. Each frees its handle with the system's own call when it
// goes, on every path; a null handle is never freed. The same on Windows,
// where the calls are the system's.
#pragma once

#include <memory>
#include <type_traits>

#include "platform/Win32.h"

namespace quorvel::platform {

struct DeleteDcCall {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct DeleteGdiObjectCall {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DeleteGlContextCall {
    void operator()(HGLRC context) const { wglDeleteContext(context); }
};
struct FreeLibraryCall {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};

// A device context from CreateCompatibleDC.
using DcHandle = std::unique_ptr<std::remove_pointer_t<HDC>, DeleteDcCall>;
// A pen, brush, bitmap or font, of the type its creation call returns. On
// Windows an object still selected into a device context is not freed:
// free the device context first, or select the object out.
template <typename Handle>
using GdiObjectHandle = std::unique_ptr<std::remove_pointer_t<Handle>, DeleteGdiObjectCall>;
// A rendering context from wglCreateContext; make it not current first.
using GlContextHandle = std::unique_ptr<std::remove_pointer_t<HGLRC>, DeleteGlContextCall>;
// A module from LoadLibraryA.
using ModuleHandle = std::unique_ptr<std::remove_pointer_t<HMODULE>, FreeLibraryCall>;

}  // namespace quorvel::platform
