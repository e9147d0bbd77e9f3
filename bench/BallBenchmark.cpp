// The attitude ball as one repaint pays for it, on a 400 by 400 MFD (an
// image of 398 by 266): the whole render and copy, and the hand-over of
// the GL image into the DIB section alone.

#include <benchmark/benchmark.h>

#include "attitude/AttitudeBall.h"
#include "platform/linux/GlHandOver.h"

namespace {

using quorvel::AttitudeBall;
using quorvel::BallPlacement;

constexpr BallPlacement kPagePlacement{1, 1, 398, 266};

// The MFD surface the ball is copied onto.
class Surface {
public:
    Surface(int width, int height) : dc(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, nullptr, nullptr, 0);
        previous = SelectObject(dc, bitmap);
    }
    ~Surface() {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    HDC dc;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
};

void BallRenderAndCopy(benchmark::State& state) {
    Surface surface(400, 400);
    AttitudeBall ball(kPagePlacement);
    if (ball.renderContext == nullptr) {
        state.SkipWithError("no rendering context");
        return;
    }
    float pitch = 0;
    for (auto _ : state) {
        ball.Render(surface.dc, pitch, 30.0f, -40.0f, 4.0f, 1.0f, 2.0f, -1.0f, 2.0f);
        benchmark::DoNotOptimize(ball.predictorPoint);
        pitch = pitch > 80.0f ? -80.0f : pitch + 0.5f;
    }
}
BENCHMARK(BallRenderAndCopy)->Unit(benchmark::kMicrosecond);

void GlImageHandOver(benchmark::State& state) {
    Surface surface(400, 400);
    AttitudeBall ball(kPagePlacement);
    if (ball.renderContext == nullptr) {
        state.SkipWithError("no rendering context");
        return;
    }
    ball.Render(surface.dc, 10.0f, 30.0f, -40.0f, 4.0f, 1.0f, 2.0f, -1.0f, 2.0f);
    // The ball's context stays current, so every call reads the image back.
    for (auto _ : state) quorvel::platform::SyncGlImage(ball.memoryDC);
}
BENCHMARK(GlImageHandOver)->Unit(benchmark::kMicrosecond);

}  // namespace
