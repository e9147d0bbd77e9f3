// Pixel formats and rendering contexts on memory device contexts that hold
// a DIB section: what OpenGL draws must arrive in the DIB, the right way up,
// with a depth buffer, one image per context, and no handle outliving its
// deletion.

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

// As the module includes them: the Windows header before OpenGL's.
#include "platform/Win32.h"
#include <GL/gl.h>

#include "platform/Handles.h"
#include "platform/linux/GlHandOver.h"
#include "platform/linux/PlatformDiagnostics.h"
#include "sim/host/MfdSurface.h"
#include "tests/support/LeakCheck.h"
#include "tests/support/SurfacePixels.h"

namespace {

using quorvel::platform::LiveGlContexts;
using quorvel::platform::SyncGlImage;
using quorvel::sim::MfdSurface;
using quorvel::sim::RowOrder;
using quorvel::test::CopyInto;
using quorvel::test::MemoryRow;

constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kBlue = 0x0000FF;

PIXELFORMATDESCRIPTOR BitmapRequest(BYTE depthBits = 0) {
    PIXELFORMATDESCRIPTOR request{};
    request.nSize = sizeof(request);
    request.nVersion = 1;
    request.dwFlags = PFD_DRAW_TO_BITMAP | PFD_SUPPORT_GDI | PFD_SUPPORT_OPENGL;
    request.iPixelType = PFD_TYPE_RGBA;
    request.cColorBits = 32;
    request.cDepthBits = depthBits;
    return request;
}

// A context drawing into its own DIB section, deleted with it.
struct GlTarget {
    explicit GlTarget(std::uint32_t width, std::uint32_t height, bool bottomUp = true)
        : dib(width, height, std::nullopt, bottomUp ? RowOrder::BottomUp : RowOrder::TopDown) {
        const PIXELFORMATDESCRIPTOR request = BitmapRequest();
        SetPixelFormat(dib.Dc(), ChoosePixelFormat(dib.Dc(), &request), &request);
        context.reset(wglCreateContext(dib.Dc()));
    }

    bool MakeCurrent() const { return wglMakeCurrent(dib.Dc(), context.get()) == TRUE; }

    MfdSurface dib;
    // Declared after the surface, so deleted before it.
    quorvel::platform::GlContextHandle context;
};

void ClearTo(std::uint32_t rgb) {
    glClearColor(static_cast<float>((rgb >> 16) & 0xFF) / 255.0f, static_cast<float>((rgb >> 8) & 0xFF) / 255.0f,
                 static_cast<float>(rgb & 0xFF) / 255.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// A quad in normalised device coordinates (identity matrices).
void Quad(float left, float bottom, float right, float top, float depth, std::uint32_t rgb) {
    glColor3ub(static_cast<GLubyte>(rgb >> 16), static_cast<GLubyte>(rgb >> 8), static_cast<GLubyte>(rgb));
    glBegin(GL_QUADS);
    glVertex3f(left, bottom, depth);
    glVertex3f(right, bottom, depth);
    glVertex3f(right, top, depth);
    glVertex3f(left, top, depth);
    glEnd();
}

class WglTest : public quorvel::test::LeakCheckedTest {
protected:
    void TearDown() override {
        wglMakeCurrent(nullptr, nullptr);
        LeakCheckedTest::TearDown();
    }

    int contextsBefore = LiveGlContexts();
};

TEST_F(WglTest, DescribeReturnsTheNumberOfFormatsAndFillsOnlyARoomyDescriptor) {
    MfdSurface dib(4, 4, std::nullopt);
    const int count = DescribePixelFormat(dib.Dc(), 1, 0, nullptr);
    ASSERT_GE(count, 2) << "with one format the count and the index could not be told apart";

    for (int index = 1; index <= count; ++index) {
        PIXELFORMATDESCRIPTOR format{};
        EXPECT_EQ(DescribePixelFormat(dib.Dc(), index, sizeof(format), &format), count) << index;
        EXPECT_EQ(format.nSize, sizeof(format));
        EXPECT_EQ(format.cColorBits, 32) << "the display's depth";
        EXPECT_EQ(format.dwFlags & 0x38u, 0x38u) << "bitmap, GDI and OpenGL";
        EXPECT_EQ(format.dwFlags & PFD_DOUBLEBUFFER, 0u) << "GDI drawing rules out double buffering";
        EXPECT_GT(format.cDepthBits, 0) << "every bitmap format has a depth buffer";
        EXPECT_EQ(format.cRedShift, 16);
        EXPECT_EQ(format.cBlueShift, 0);
    }

    PIXELFORMATDESCRIPTOR untouched;
    std::memset(&untouched, 0xAB, sizeof(untouched));
    PIXELFORMATDESCRIPTOR small = untouched;
    EXPECT_EQ(DescribePixelFormat(dib.Dc(), 1, sizeof(small) - 1, &small), count);
    EXPECT_EQ(std::memcmp(&small, &untouched, sizeof(small)), 0) << "a short descriptor was written";

    PIXELFORMATDESCRIPTOR format{};
    EXPECT_EQ(DescribePixelFormat(dib.Dc(), 0, sizeof(format), &format), 0);
    EXPECT_EQ(DescribePixelFormat(dib.Dc(), count + 1, sizeof(format), &format), 0);
    EXPECT_EQ(DescribePixelFormat(nullptr, 1, sizeof(format), &format), 0);
    HDC gone = CreateCompatibleDC(nullptr);
    DeleteDC(gone);
    EXPECT_EQ(DescribePixelFormat(gone, 1, sizeof(format), &format), 0);
}

TEST_F(WglTest, ChoosingGivesADepthBufferUnaskedAndSettingHoldsOneFormat) {
    MfdSurface dib(4, 4, std::nullopt);
    const HDC dc = dib.Dc();
    for (BYTE depth : {0, 16, 24, 32}) {
        const PIXELFORMATDESCRIPTOR request = BitmapRequest(depth);
        const int chosen = ChoosePixelFormat(dc, &request);
        PIXELFORMATDESCRIPTOR format{};
        ASSERT_GT(DescribePixelFormat(dc, chosen, sizeof(format), &format), 0) << int(depth);
        EXPECT_GE(format.cDepthBits, depth < 24 ? depth : 24) << int(depth);
        EXPECT_GT(format.cDepthBits, 0);
    }
    PIXELFORMATDESCRIPTOR colourIndex = BitmapRequest();
    colourIndex.iPixelType = 1;
    EXPECT_EQ(ChoosePixelFormat(dc, &colourIndex), 0);
    EXPECT_EQ(ChoosePixelFormat(dc, nullptr), 0);
    const PIXELFORMATDESCRIPTOR request = BitmapRequest();
    EXPECT_EQ(ChoosePixelFormat(nullptr, &request), 0);

    EXPECT_FALSE(SetPixelFormat(dc, 0, nullptr));
    EXPECT_FALSE(SetPixelFormat(dc, DescribePixelFormat(dc, 1, 0, nullptr) + 1, nullptr));
    EXPECT_FALSE(SetPixelFormat(nullptr, 1, nullptr));
    EXPECT_TRUE(SetPixelFormat(dc, 2, nullptr));
    EXPECT_TRUE(SetPixelFormat(dc, 2, nullptr)) << "the same format again";
    EXPECT_FALSE(SetPixelFormat(dc, 1, nullptr)) << "a device context keeps its first format";
}

TEST_F(WglTest, AContextNeedsAPixelFormatAndA32BitDib) {
    MfdSurface noFormat(8, 8, std::nullopt);
    EXPECT_EQ(wglCreateContext(noFormat.Dc()), nullptr);

    HDC noDib = CreateCompatibleDC(nullptr);  // still holds its 1 by 1 monochrome bitmap
    EXPECT_TRUE(SetPixelFormat(noDib, 1, nullptr));
    EXPECT_EQ(wglCreateContext(noDib), nullptr);
    DeleteDC(noDib);

    EXPECT_EQ(wglCreateContext(nullptr), nullptr);
    EXPECT_EQ(LiveGlContexts(), contextsBefore);
}

TEST_F(WglTest, ADibBeyondTheRenderersSizeGetsNoContext) {
    GlTarget wide(40000, 1);
    ASSERT_TRUE(wide.dib.HasPixels());
    EXPECT_EQ(wide.context.get(), nullptr);
    EXPECT_EQ(LiveGlContexts(), contextsBefore);
}

TEST_F(WglTest, ClearColourArrivesAsTheDwordWithTheViewportAtTheBitmapsSize) {
    GlTarget target(16, 8);
    ASSERT_NE(target.context.get(), nullptr);
    ASSERT_TRUE(target.MakeCurrent());
    EXPECT_EQ(wglGetCurrentContext(), target.context.get());
    GLint viewport[4] = {-1, -1, -1, -1};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 0);
    EXPECT_EQ(viewport[1], 0);
    EXPECT_EQ(viewport[2], 16);
    EXPECT_EQ(viewport[3], 8);

    glClearColor(0x22 / 255.0f, 0x33 / 255.0f, 0x44 / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glFinish();
    MfdSurface copy(16, 8, std::nullopt);
    CopyInto(copy, target.dib.Dc());
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 16; ++x) {
            ASSERT_EQ(target.dib.Pixel(x, y), 0x223344u) << x << ", " << y;
            ASSERT_EQ(copy.Pixel(x, y), 0x223344u) << x << ", " << y;
        }
    }
}

TEST_F(WglTest, TheDepthBufferHidesAFarQuadDrawnAfterANearOne) {
    GlTarget target(32, 32);
    ASSERT_TRUE(target.MakeCurrent());
    ClearTo(0);
    glEnable(GL_DEPTH_TEST);
    Quad(-0.5f, -0.5f, 0.5f, 0.5f, -0.5f, kRed);
    Quad(-1.0f, -1.0f, 1.0f, 1.0f, 0.5f, kBlue);
    SyncGlImage(target.dib.Dc());
    EXPECT_EQ(target.dib.Pixel(16, 16), kRed) << "the far quad was drawn over the near one";
    EXPECT_EQ(target.dib.Pixel(2, 2), kBlue) << "the far quad was not drawn at all";
}

TEST_F(WglTest, GlsTopRowsLandInTheLastMemoryRowsOfABottomUpDib) {
    for (bool bottomUp : {true, false}) {
        SCOPED_TRACE(bottomUp ? "bottom-up" : "top-down");
        GlTarget target(8, 8, bottomUp);
        ASSERT_TRUE(target.MakeCurrent());
        ClearTo(0);
        Quad(-1.0f, 0.5f, 1.0f, 1.0f, 0.0f, kRed);  // the top two rows of the viewport
        SyncGlImage(target.dib.Dc());
        const int topRow = bottomUp ? 7 : 0;
        const int bottomRow = bottomUp ? 0 : 7;
        EXPECT_EQ(MemoryRow(target.dib, topRow)[3], kRed);
        EXPECT_EQ(MemoryRow(target.dib, bottomRow)[3], 0u);
        // Either way the copy shows it at the top.
        MfdSurface copy(8, 8, std::nullopt);
        CopyInto(copy, target.dib.Dc());
        EXPECT_EQ(copy.Pixel(3, 0), kRed);
        EXPECT_EQ(copy.Pixel(3, 1), kRed);
        EXPECT_EQ(copy.Pixel(3, 2), 0u);
        EXPECT_EQ(copy.Pixel(3, 7), 0u);
    }
}

TEST_F(WglTest, MakeCurrentWithNullsLeavesNoContextCurrent) {
    GlTarget target(4, 4);
    ASSERT_TRUE(target.MakeCurrent());
    EXPECT_NE(glGetString(GL_VERSION), nullptr);
    EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_EQ(glGetString(GL_VERSION), nullptr) << "a context is still current underneath";
    // The device context is not looked at when no context is given.
    ASSERT_TRUE(target.MakeCurrent());
    EXPECT_TRUE(wglMakeCurrent(target.dib.Dc(), nullptr));
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
}

TEST_F(WglTest, TwoContextsOnTwoDcsKeepTheirOwnImages) {
    GlTarget first(8, 8);
    GlTarget second(8, 8);
    ASSERT_TRUE(first.MakeCurrent());
    ClearTo(kRed);
    ASSERT_TRUE(second.MakeCurrent());
    ClearTo(kBlue);

    // first is no longer current when its image is copied.
    MfdSurface copy(8, 8, std::nullopt);
    CopyInto(copy, first.dib.Dc());
    EXPECT_EQ(copy.Pixel(4, 4), kRed);
    CopyInto(copy, second.dib.Dc());
    EXPECT_EQ(copy.Pixel(4, 4), kBlue);
    EXPECT_EQ(wglGetCurrentContext(), second.context.get()) << "reading an image changed the current context";
    EXPECT_NE(glGetString(GL_VERSION), nullptr);
}

TEST_F(WglTest, GdiDrawingSurvivesUntilTheContextIsCurrentAgain) {
    GlTarget target(8, 8);
    target.dib.Fill(0x123456);
    MfdSurface copy(8, 8, std::nullopt);
    CopyInto(copy, target.dib.Dc());
    EXPECT_EQ(copy.Pixel(0, 0), 0x123456u) << "a context never made current overwrote the bitmap";

    ASSERT_TRUE(target.MakeCurrent());
    ClearTo(kRed);
    wglMakeCurrent(nullptr, nullptr);
    CopyInto(copy, target.dib.Dc());
    EXPECT_EQ(copy.Pixel(0, 0), kRed);
    target.dib.Fill(0x654321);  // GDI draws after the last GL image
    CopyInto(copy, target.dib.Dc());
    EXPECT_EQ(copy.Pixel(0, 0), 0x654321u);
}

TEST_F(WglTest, InvalidHandlesFailAndLeaveNoContextCurrent) {
    GlTarget target(4, 4);
    GlTarget other(4, 4);
    const auto bogus = reinterpret_cast<HGLRC>(static_cast<std::uintptr_t>(0x1234));

    ASSERT_TRUE(target.MakeCurrent());
    EXPECT_FALSE(wglMakeCurrent(target.dib.Dc(), bogus));
    EXPECT_EQ(wglGetCurrentContext(), nullptr);

    ASSERT_TRUE(target.MakeCurrent());
    EXPECT_FALSE(wglMakeCurrent(other.dib.Dc(), target.context.get()))
        << "a context draws for its own device context";
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_FALSE(wglMakeCurrent(nullptr, target.context.get()));
    EXPECT_FALSE(wglDeleteContext(bogus));
    EXPECT_FALSE(wglDeleteContext(nullptr));

    // A deleted handle stays dead, and a new context does not take its id.
    HGLRC deleted = other.context.release();
    ASSERT_TRUE(wglDeleteContext(deleted));
    EXPECT_FALSE(wglDeleteContext(deleted));
    EXPECT_FALSE(wglMakeCurrent(other.dib.Dc(), deleted));
    GlTarget newer(4, 4);
    EXPECT_NE(newer.context.get(), deleted);
}

TEST_F(WglTest, DeletingTheCurrentContextLeavesNoneCurrent) {
    auto target = std::make_unique<GlTarget>(4, 4);
    ASSERT_TRUE(target->MakeCurrent());
    EXPECT_TRUE(wglDeleteContext(target->context.release()));
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_EQ(glGetString(GL_VERSION), nullptr);
    EXPECT_EQ(LiveGlContexts(), contextsBefore);
}

TEST_F(WglTest, AThousandCreateDeleteCyclesLeaveNoContextBitmapOrDc) {
    for (int cycle = 0; cycle < 1000; ++cycle) {
        GlTarget target(16, 16);
        ASSERT_TRUE(target.MakeCurrent()) << cycle;
        glNewList(glGenLists(1), GL_COMPILE);
        glEndList();
        ClearTo(kBlue);
        SyncGlImage(target.dib.Dc());
        ASSERT_EQ(target.dib.Pixel(8, 8), kBlue) << cycle;
    }
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
}

}  // namespace
