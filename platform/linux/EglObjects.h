// The EGL side of the platform's OpenGL: the one display, owned contexts,
// and scoped switches of the current context.
//
// Internal to the platform library. Everything runs on one thread, the
// host's; nothing here locks.
#pragma once

#include <EGL/egl.h>

namespace quorvel::platform {

// The process's EGL display on Mesa's surfaceless platform with desktop
// OpenGL bound, initialised on the first call. EGL_NO_DISPLAY when no usable
// EGL exists, and for good once the display has been terminated at exit.
EGLDisplay GlDisplay();

// Run at exit just before the display is terminated, while contexts can
// still be made current: the owner of the contexts frees them there. One
// hook; a later call replaces it.
void SetGlDisplayExitHook(void (*hook)());

// Owns one desktop OpenGL compatibility context of GlDisplay(), made without
// a config and drawn without a surface (into framebuffer objects).
class EglContext {
public:
    EglContext() = default;
    ~EglContext();
    EglContext(EglContext&& other) noexcept;
    EglContext& operator=(EglContext&& other) noexcept;
    EglContext(const EglContext&) = delete;
    EglContext& operator=(const EglContext&) = delete;

    // An empty object when EGL refuses.
    static EglContext Create();

    EGLContext Get() const { return context; }
    explicit operator bool() const { return context != EGL_NO_CONTEXT; }

private:
    void Destroy();

    EGLDisplay display = EGL_NO_DISPLAY;
    EGLContext context = EGL_NO_CONTEXT;
};

// Makes context current for the scope and puts back whatever was current;
// does nothing when context is current already.
class ScopedCurrent {
public:
    explicit ScopedCurrent(EGLContext context);
    ~ScopedCurrent();
    ScopedCurrent(const ScopedCurrent&) = delete;
    ScopedCurrent& operator=(const ScopedCurrent&) = delete;

    // False when the context could not be made current.
    bool Ok() const { return ok; }

private:
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLContext previous = EGL_NO_CONTEXT;
    bool switched = false;
    bool ok = false;
};

// Leaves no context current on this thread.
void MakeNoEglContextCurrent();

}  // namespace quorvel::platform
