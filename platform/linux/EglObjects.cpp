#include "platform/linux/EglObjects.h"

#include <EGL/eglext.h>
#include <dlfcn.h>
#include <link.h>

#include <cstdlib>
#include <cstring>
#include <string_view>
#include <utility>

namespace quorvel::platform {

namespace {

enum class DisplayState { Untried, Ready, Unavailable, Terminated };

// Trivially destructible, so it is still there while exit handlers run.
struct DisplayRecord {
    DisplayState state = DisplayState::Untried;
    EGLDisplay display = EGL_NO_DISPLAY;
    void (*exitHook)() = nullptr;
};

DisplayRecord& Record() {
    static DisplayRecord record;
    return record;
}

bool HasExtension(const char* list, std::string_view name) {
    if (list == nullptr) return false;
    std::string_view rest(list);
    while (!rest.empty()) {
        const std::size_t end = rest.find(' ');
        if (rest.substr(0, end) == name) return true;
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 1);
    }
    return false;
}

// Mesa unloads its driver when the display is terminated, and the leak
// checker then cannot name the driver's own allocations that outlive it.
// Kept mapped, they are attributed to the driver (and suppressed there).
void KeepDriversLoaded() {
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void*) {
            if (info->dlpi_name != nullptr && std::strstr(info->dlpi_name, "_dri.so") != nullptr) {
                // A reference held for the life of the process.
                dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            }
            return 0;
        },
        nullptr);
}

EGLDisplay Initialise() {
    if (!HasExtension(eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS), "EGL_MESA_platform_surfaceless")) {
        return EGL_NO_DISPLAY;
    }
    EGLDisplay display = eglGetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, nullptr, nullptr);
    if (display == EGL_NO_DISPLAY) return EGL_NO_DISPLAY;
    EGLint major = 0;
    EGLint minor = 0;
    if (eglInitialize(display, &major, &minor) != EGL_TRUE) return EGL_NO_DISPLAY;
    // Contexts are made without a config and drawn without a surface: the
    // drawables are framebuffer objects the size of each DIB section.
    const char* extensions = eglQueryString(display, EGL_EXTENSIONS);
    if (!HasExtension(extensions, "EGL_KHR_no_config_context") ||
        !HasExtension(extensions, "EGL_KHR_surfaceless_context") ||
        !HasExtension(extensions, "EGL_KHR_create_context")) {
        eglTerminate(display);
        return EGL_NO_DISPLAY;
    }
    KeepDriversLoaded();
    return display;
}

// Registered after EGL registered its own exit handler (inside the first
// eglGetPlatformDisplay), so it runs before EGL tears its displays down.
void TerminateAtExit() {
    DisplayRecord& record = Record();
    if (record.state != DisplayState::Ready) return;
    if (record.exitHook != nullptr) record.exitHook();
    eglMakeCurrent(record.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglTerminate(record.display);
    eglReleaseThread();
    record.display = EGL_NO_DISPLAY;
    record.state = DisplayState::Terminated;
}

}  // namespace

EGLDisplay GlDisplay() {
    DisplayRecord& record = Record();
    if (record.state == DisplayState::Untried) {
        record.display = Initialise();
        record.state = record.display != EGL_NO_DISPLAY ? DisplayState::Ready : DisplayState::Unavailable;
        if (record.state == DisplayState::Ready) std::atexit(TerminateAtExit);
    }
    return record.state == DisplayState::Ready ? record.display : EGL_NO_DISPLAY;
}

void SetGlDisplayExitHook(void (*hook)()) { Record().exitHook = hook; }

void MakeNoEglContextCurrent() {
    const DisplayRecord& record = Record();
    if (record.state != DisplayState::Ready) return;
    eglMakeCurrent(record.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
}

EglContext EglContext::Create() {
    EglContext owned;
    owned.display = GlDisplay();
    // The bound API is per thread, so it is bound here rather than once.
    if (owned.display == EGL_NO_DISPLAY || eglBindAPI(EGL_OPENGL_API) != EGL_TRUE) return EglContext{};
    // The ball draws with OpenGL 1.1 immediate mode and display lists.
    const EGLint attributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                                 EGL_NONE};
    owned.context = eglCreateContext(owned.display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
    if (owned.context == EGL_NO_CONTEXT) return EglContext{};
    return owned;
}

EglContext::~EglContext() { Destroy(); }

EglContext::EglContext(EglContext&& other) noexcept
    : display(std::exchange(other.display, EGL_NO_DISPLAY)), context(std::exchange(other.context, EGL_NO_CONTEXT)) {}

EglContext& EglContext::operator=(EglContext&& other) noexcept {
    if (this != &other) {
        Destroy();
        display = std::exchange(other.display, EGL_NO_DISPLAY);
        context = std::exchange(other.context, EGL_NO_CONTEXT);
    }
    return *this;
}

void EglContext::Destroy() {
    // After termination at exit EGL has freed the context already.
    if (context != EGL_NO_CONTEXT && GlDisplay() == display) eglDestroyContext(display, context);
    context = EGL_NO_CONTEXT;
    display = EGL_NO_DISPLAY;
}

ScopedCurrent::ScopedCurrent(EGLContext context) : display(GlDisplay()) {
    if (display == EGL_NO_DISPLAY || context == EGL_NO_CONTEXT) return;
    previous = eglGetCurrentContext();
    if (previous == context) {
        ok = true;
        return;
    }
    ok = eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context) == EGL_TRUE;
    switched = ok;
}

ScopedCurrent::~ScopedCurrent() {
    if (switched) eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, previous);
}

}  // namespace quorvel::platform
