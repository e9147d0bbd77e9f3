// The attitude ball alone, at the image size of a 400 by 400 MFD's page
// (398 by 266): its whole render and copy onto the MFD, and the hand-over
// of the GL image into the DIB section within it.

#include <benchmark/benchmark.h>

#include "module/attitude/AttitudeBall.h"
#include "perf/AllocationCounter.h"
#include "platform/linux/GlHandOver.h"
#include "sim/host/MfdSurface.h"

namespace {

using quorvel::AttitudeBall;
using quorvel::BallPlacement;

constexpr BallPlacement kPagePlacement{1, 1, 398, 266};
// Renders before the counting, while the GL driver compiles its programs.
constexpr int kWarmUpRenders = 10;

// The ball and the 400 by 400 MFD surface it is copied onto.
struct BallOnAPage {
    bool Rendering() const { return ball.renderContext != nullptr; }
    void Render(float pitch) { ball.Render(surface.Dc(), pitch, 30.0f, -40.0f, 4.0f, 1.0f, 2.0f, -1.0f, 2.0f); }

    quorvel::sim::MfdSurface surface{400, 400};
    AttitudeBall ball{kPagePlacement};
};

void BallRenderAndCopy(benchmark::State& state) {
    BallOnAPage page;
    if (!page.Rendering()) {
        state.SkipWithError("no rendering context");
        return;
    }
    float pitch = 0;
    for (int warmUp = 0; warmUp < kWarmUpRenders; ++warmUp) page.Render(pitch);
    const quorvel::perf::AllocationCounter allocations(state);
    for (auto _ : state) {
        page.Render(pitch);
        benchmark::DoNotOptimize(page.ball.predictorPoint);
        pitch = pitch > 80.0f ? -80.0f : pitch + 0.5f;
    }
}
BENCHMARK(BallRenderAndCopy)->Unit(benchmark::kMicrosecond)->UseRealTime();

void GlImageHandOver(benchmark::State& state) {
    BallOnAPage page;
    if (!page.Rendering()) {
        state.SkipWithError("no rendering context");
        return;
    }
    page.Render(10.0f);
    // The ball's context stays current, so every call reads the image back.
    const quorvel::perf::AllocationCounter allocations(state);
    for (auto _ : state) quorvel::platform::SyncGlImage(page.ball.memoryDC);
}
BENCHMARK(GlImageHandOver)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
