#include "platform/linux/GlHandOver.h"

#include "platform/linux/GdiObjects.h"
#include "platform/linux/Wgl.h"

namespace quorvel::platform {

void SyncGlImage(HDC dc) {
    WglTable& table = WglTable::Instance();
    WglContext* context = table.DrawingInto(dc);
    if (context == nullptr) return;
    const bool current = table.IsCurrent(*context);
    if (!current && !context->imageDue) return;

    // The bitmap the drawable was made for, at the size it was made.
    HGDIOBJ handle = nullptr;
    BitmapData* bitmap = SelectedDib(dc, &handle);
    const GlDrawable& drawable = *context->drawable;
    if (bitmap == nullptr || handle != context->bitmap || bitmap->width != drawable.Width() ||
        bitmap->height != drawable.Height()) {
        return;
    }

    const ScopedCurrent bound(context->egl.Get());
    if (!bound.Ok()) return;
    drawable.ReadInto(bitmap->pixels.get(), !bitmap->bottomUp);
    // A current context may draw on; one that is not leaves the image be.
    context->imageDue = current;
}

}  // namespace quorvel::platform
