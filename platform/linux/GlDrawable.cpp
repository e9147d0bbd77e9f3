#include "platform/linux/GlDrawable.h"

#include <algorithm>
#include <cstddef>

namespace quorvel::platform {

std::unique_ptr<GlDrawable> GlDrawable::Create(GLsizei width, GLsizei height, int depthBits) {
    GLint maxRenderbuffer = 0;
    GLint maxViewport[2] = {0, 0};
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &maxRenderbuffer);
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, maxViewport);
    if (width <= 0 || height <= 0 || width > maxRenderbuffer || height > maxRenderbuffer ||
        width > maxViewport[0] || height > maxViewport[1]) {
        return nullptr;
    }

    std::unique_ptr<GlDrawable> drawable(new GlDrawable);
    drawable->width = width;
    drawable->height = height;
    GLuint name = 0;
    glGenFramebuffers(1, &name);
    drawable->framebuffer = GlFramebuffer(name);
    glGenRenderbuffers(1, &name);
    drawable->colour = GlRenderbuffer(name);
    glGenRenderbuffers(1, &name);
    drawable->depth = GlRenderbuffer(name);

    // Every pixel format has a depth buffer, asked for or not; 24 depth bits
    // come with 8 stencil bits.
    const bool withStencil = depthBits >= 24;
    glBindRenderbuffer(GL_RENDERBUFFER, drawable->colour.Get());
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, drawable->depth.Get());
    glRenderbufferStorage(GL_RENDERBUFFER, withStencil ? GL_DEPTH24_STENCIL8 : GL_DEPTH_COMPONENT16, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);

    glBindFramebuffer(GL_FRAMEBUFFER, drawable->framebuffer.Get());
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, drawable->colour.Get());
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, withStencil ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT,
                              GL_RENDERBUFFER, drawable->depth.Get());
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE || glGetError() != GL_NO_ERROR) {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        return nullptr;
    }

    // As WGL starts a context on a bitmap: viewport and scissor box at the
    // bitmap's size. The image starts black, never with stale memory.
    glViewport(0, 0, width, height);
    glScissor(0, 0, width, height);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    return drawable;
}

void GlDrawable::ReadInto(std::uint32_t* pixels, bool topDown) const {
    GLint readFramebuffer = 0;
    GLint packBuffer = 0;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &readFramebuffer);
    glGetIntegerv(GL_PIXEL_PACK_BUFFER_BINDING, &packBuffer);
    // Pack settings other than these would move rows outside the DIB's
    // memory; the context's own are put back afterwards.
    struct PackSetting {
        GLenum name;
        GLint wanted;
        GLint saved;
    };
    PackSetting settings[] = {
        {GL_PACK_ROW_LENGTH, 0, 0}, {GL_PACK_SKIP_ROWS, 0, 0}, {GL_PACK_SKIP_PIXELS, 0, 0}, {GL_PACK_ALIGNMENT, 4, 0}};
    for (PackSetting& setting : settings) {
        glGetIntegerv(setting.name, &setting.saved);
        if (setting.saved != setting.wanted) glPixelStorei(setting.name, setting.wanted);
    }
    if (static_cast<GLuint>(readFramebuffer) != framebuffer.Get()) {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer.Get());
    }
    if (packBuffer != 0) glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);

    // A 32-bit BI_RGB pixel is the bytes B, G, R, X: GL_BGRA as it stands.
    glReadPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_BYTE, pixels);

    if (packBuffer != 0) glBindBuffer(GL_PIXEL_PACK_BUFFER, static_cast<GLuint>(packBuffer));
    if (static_cast<GLuint>(readFramebuffer) != framebuffer.Get()) {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(readFramebuffer));
    }
    for (const PackSetting& setting : settings) {
        if (setting.saved != setting.wanted) glPixelStorei(setting.name, setting.saved);
    }

    // The formats have no alpha bits: the fourth byte is 0, as in a DIB
    // GDI drew, whatever alpha the drawing left in the colour buffer.
    const std::size_t rowPixels = static_cast<std::size_t>(width);
    const std::size_t count = rowPixels * static_cast<std::size_t>(height);
    for (std::size_t i = 0; i < count; ++i) pixels[i] &= 0x00FFFFFFu;

    // GL's rows run bottom to top, a bottom-up DIB's too; a top-down DIB
    // has them the other way round.
    if (topDown) {
        for (std::size_t top = 0, bottom = static_cast<std::size_t>(height) - 1; top < bottom; ++top, --bottom) {
            std::swap_ranges(pixels + top * rowPixels, pixels + (top + 1) * rowPixels, pixels + bottom * rowPixels);
        }
    }
}

}  // namespace quorvel::platform
