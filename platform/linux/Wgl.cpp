// wglCreateContext, wglMakeCurrent, wglDeleteContext, wglGetCurrentContext.

#include "platform/linux/Wgl.h"

#include "platform/linux/GdiObjects.h"
#include "platform/linux/PixelFormats.h"
#include "platform/linux/PlatformDiagnostics.h"

namespace quorvel::platform {

namespace {

std::uintptr_t Id(HGLRC handle) { return reinterpret_cast<std::uintptr_t>(handle); }

}  // namespace

WglContext::~WglContext() {
    if (!drawable) return;
    const ScopedCurrent bound(egl.Get());
    // Without the context current its names cannot be freed one by one;
    // destroying the context frees them all the same.
    if (!bound.Ok()) drawable->Abandon();
    drawable.reset();
}

BitmapData* SelectedDib(HDC dc, HGDIOBJ* handle) {
    GdiTable& table = GdiTable::Instance();
    const DeviceContext* state = table.FindDc(dc);
    if (state == nullptr) return nullptr;
    GdiObject* object = table.Find(state->bitmap);
    if (object == nullptr || object->stock) return nullptr;
    auto* bitmap = std::get_if<BitmapData>(&object->data);
    if (bitmap == nullptr || bitmap->bitCount != 32 || !bitmap->pixels) return nullptr;
    if (handle != nullptr) *handle = state->bitmap;
    return bitmap;
}

WglTable& WglTable::Instance() {
    static WglTable table;
    return table;
}

WglContext* WglTable::Find(HGLRC handle) {
    const auto found = contexts.find(Id(handle));
    return found == contexts.end() ? nullptr : found->second.get();
}

bool WglTable::IsCurrent(const WglContext& context) const {
    return current != nullptr && eglGetCurrentContext() == context.egl.Get();
}

HGLRC WglTable::Create(HDC dc) {
    const DeviceContext* state = GdiTable::Instance().FindDc(dc);
    if (state == nullptr) return nullptr;
    const PIXELFORMATDESCRIPTOR* format = FindPixelFormat(state->pixelFormat);
    HGDIOBJ bitmapHandle = nullptr;
    const BitmapData* bitmap = SelectedDib(dc, &bitmapHandle);
    if (format == nullptr || bitmap == nullptr) return nullptr;

    EglContext egl = EglContext::Create();
    if (!egl) return nullptr;
    SetGlDisplayExitHook([] { WglTable::Instance().DeleteAll(); });
    auto context = std::make_unique<WglContext>(dc, bitmapHandle, std::move(egl));
    {
        // Made current only to build the drawable; whatever was current
        // before is current again afterwards, as after wglCreateContext.
        const ScopedCurrent bound(context->egl.Get());
        if (!bound.Ok()) return nullptr;
        context->drawable = GlDrawable::Create(bitmap->width, bitmap->height, format->cDepthBits);
        if (!context->drawable) return nullptr;
    }
    const std::uintptr_t id = nextId++;
    contexts.emplace(id, std::move(context));
    return reinterpret_cast<HGLRC>(id);
}

void WglTable::MakeNoneCurrent() {
    MakeNoEglContextCurrent();
    current = nullptr;
}

BOOL WglTable::MakeCurrent(HDC dc, HGLRC handle) {
    // With no context the device context is not looked at.
    if (handle == nullptr) {
        MakeNoneCurrent();
        return TRUE;
    }
    WglContext* context = Find(handle);
    HGDIOBJ bitmap = nullptr;
    // On failure Windows leaves no context current, and so does this.
    if (context == nullptr || dc != context->dc || SelectedDib(dc, &bitmap) == nullptr || bitmap != context->bitmap) {
        MakeNoneCurrent();
        return FALSE;
    }
    if (eglGetCurrentContext() != context->egl.Get() &&
        eglMakeCurrent(GlDisplay(), EGL_NO_SURFACE, EGL_NO_SURFACE, context->egl.Get()) != EGL_TRUE) {
        MakeNoneCurrent();
        return FALSE;
    }
    // Framebuffer 0 stands for the bitmap, which is the drawable; a
    // framebuffer object of the caller's own stays bound.
    GLint drawFramebuffer = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &drawFramebuffer);
    if (drawFramebuffer == 0) glBindFramebuffer(GL_FRAMEBUFFER, context->drawable->Framebuffer());
    current = handle;
    context->boundAt = ++bindings;
    context->imageDue = true;
    return TRUE;
}

BOOL WglTable::Delete(HGLRC handle) {
    const auto found = contexts.find(Id(handle));
    if (found == contexts.end()) return FALSE;
    if (current == handle) MakeNoneCurrent();
    contexts.erase(found);
    return TRUE;
}

WglContext* WglTable::DrawingInto(HDC dc) {
    WglContext* latest = nullptr;
    for (auto& [id, context] : contexts) {
        if (context->dc == dc && context->boundAt != 0 && (latest == nullptr || context->boundAt > latest->boundAt)) {
            latest = context.get();
        }
    }
    return latest;
}

void WglTable::DeleteAll() {
    MakeNoneCurrent();
    contexts.clear();
}

int LiveGlContexts() { return WglTable::Instance().Count(); }

}  // namespace quorvel::platform

using quorvel::platform::WglTable;

HGLRC WINAPI wglCreateContext(HDC dc) { return WglTable::Instance().Create(dc); }

BOOL WINAPI wglMakeCurrent(HDC dc, HGLRC context) { return WglTable::Instance().MakeCurrent(dc, context); }

// Deleting the current context leaves none current. Its display lists and
// every other GL object go with it.
BOOL WINAPI wglDeleteContext(HGLRC context) { return WglTable::Instance().Delete(context); }

HGLRC WINAPI wglGetCurrentContext() { return WglTable::Instance().Current(); }
