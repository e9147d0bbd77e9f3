// What an OpenGL context draws into on a memory device context: a
// framebuffer object with a colour and a depth renderbuffer, the size of the
// DIB section. Internal to the platform library.
//
// Made, read and freed with its own context current: GL names belong to
// the context that made them.
#pragma once

#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES 1
#endif
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdint>
#include <memory>
#include <utility>

namespace quorvel::platform {

// Owns one GL name of the current context, freed with Delete.
template <void (*Delete)(GLsizei, const GLuint*)>
class GlName {
public:
    GlName() = default;
    explicit GlName(GLuint name) : name(name) {}
    ~GlName() {
        if (name != 0) Delete(1, &name);
    }
    GlName(GlName&& other) noexcept : name(std::exchange(other.name, 0)) {}
    GlName& operator=(GlName&& other) noexcept {
        if (this != &other) {
            if (name != 0) Delete(1, &name);
            name = std::exchange(other.name, 0);
        }
        return *this;
    }
    GlName(const GlName&) = delete;
    GlName& operator=(const GlName&) = delete;

    GLuint Get() const { return name; }
    // Lets go of the name without freeing it, for when its context is gone.
    void Forget() { name = 0; }

private:
    GLuint name = 0;
};

using GlFramebuffer = GlName<glDeleteFramebuffers>;
using GlRenderbuffer = GlName<glDeleteRenderbuffers>;

class GlDrawable {
public:
    // Needs a fresh context current (it reads the context's error flag).
    // Null when the size is beyond the renderer or memory runs out.
    // depthBits 16 or 24 (24 carries 8 stencil bits).
    static std::unique_ptr<GlDrawable> Create(GLsizei width, GLsizei height, int depthBits);

    GLuint Framebuffer() const { return framebuffer.Get(); }
    GLsizei Width() const { return width; }
    GLsizei Height() const { return height; }

    // Copies the image into pixels as 32-bit DWORDs B | G << 8 | R << 16
    // with a zero top byte, GL's bottom row first, or last when topDown.
    // pixels holds Width() x Height() DWORDs. Needs the owning context
    // current; the context's GL state is left as it was.
    void ReadInto(std::uint32_t* pixels, bool topDown) const;

    // Forgets the names without freeing them: for when the context cannot
    // be made current, and destroying it frees them all the same.
    void Abandon() {
        framebuffer.Forget();
        colour.Forget();
        depth.Forget();
    }

private:
    GlDrawable() = default;

    // Declared first, freed last: the attachments go before the framebuffer.
    GlFramebuffer framebuffer;
    GlRenderbuffer colour;
    GlRenderbuffer depth;
    GLsizei width = 0;
    GLsizei height = 0;
};

}  // namespace quorvel::platform
