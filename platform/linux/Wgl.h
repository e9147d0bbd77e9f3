// The platform's rendering contexts: the WGL calls on memory device contexts
// that hold a 32-bit DIB section, over EGL. Internal to the platform library.
//
// A context draws into a framebuffer object the size of the DIB section
// selected into the device context it was created on, and only for that
// device context and bitmap: making it current on another fails. The image
// reaches the DIB section's memory when GDI reads the device context
// (SyncGlImage, which BitBlt calls), not on glFlush or glFinish: those are
// libGL's own entry points, and catching them would cost a read-back each.
//
// Handles are ids that are never reused. Like GDI, this is used from one
// thread.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>

#include "platform/Win32.h"
#include "platform/linux/EglObjects.h"
#include "platform/linux/GlDrawable.h"

namespace quorvel::platform {

struct BitmapData;

struct WglContext {
    WglContext(HDC dc, HGDIOBJ bitmap, EglContext egl) : dc(dc), bitmap(bitmap), egl(std::move(egl)) {}
    // Frees the drawable with the context current, then the context.
    ~WglContext();
    WglContext(const WglContext&) = delete;
    WglContext& operator=(const WglContext&) = delete;

    HDC dc;
    HGDIOBJ bitmap;  // the DIB section the drawable stands for
    EglContext egl;
    std::unique_ptr<GlDrawable> drawable;
    std::uint64_t boundAt = 0;  // when last made current; 0 = never
    bool imageDue = false;      // made current since the image was last read
};

class WglTable {
public:
    static WglTable& Instance();

    HGLRC Create(HDC dc);
    BOOL MakeCurrent(HDC dc, HGLRC handle);
    BOOL Delete(HGLRC handle);
    HGLRC Current() const { return current; }
    int Count() const { return static_cast<int>(contexts.size()); }

    // The context whose image is dc's: of those created on dc, the one made
    // current last; null when none has been made current.
    WglContext* DrawingInto(HDC dc);
    bool IsCurrent(const WglContext& context) const;

    // Frees every context; the display's exit hook.
    void DeleteAll();

private:
    WglTable() = default;
    WglContext* Find(HGLRC handle);
    void MakeNoneCurrent();

    std::uintptr_t nextId = 0x40000000;
    std::uint64_t bindings = 0;
    HGLRC current = nullptr;
    std::unordered_map<std::uintptr_t, std::unique_ptr<WglContext>> contexts;
};

// The 32-bit DIB section selected into dc with its handle, or null.
BitmapData* SelectedDib(HDC dc, HGDIOBJ* handle = nullptr);

}  // namespace quorvel::platform
