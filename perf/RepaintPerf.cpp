// One whole repaint of a page, as the host pays for it: the surface
// cleared, then ball, overlay, dials, readouts and rate indicator, through
// the loaded module. Square MFDs of 200, 400 and 800 pixels.

#include <benchmark/benchmark.h>

#include <cstdint>

#include "perf/AllocationCounter.h"
#include "perf/FlyingVessel.h"
#include "sim/host/MfdSurface.h"
#include "sim/host/ModuleHost.h"

namespace {

constexpr int kWarmUpRepaints = 10;

void PageRepaint(benchmark::State& state) {
    const auto side = static_cast<std::uint32_t>(state.range(0));
    quorvel::sim::ModuleHost module(QUORVEL_MODULE_PATH);
    module.Init();
    HostVessel vessel;
    quorvel::perf::PutInAClimb(vessel);
    MFD* page = module.OpenPage("QuorvelMFD", side, side, vessel);
    if (page == nullptr) {
        state.SkipWithError("the module built no page");
        return;
    }
    // Two samples, so that the rates and g-load are readings.
    module.Step(1.0, 0.02, 0);
    module.Step(1.02, 0.02, 0);
    quorvel::sim::MfdSurface surface(side, side);
    // The GL driver compiles its programs for the ball's state changes in
    // the first repaints of a context; counted from then on.
    for (int warmUp = 0; warmUp < kWarmUpRepaints; ++warmUp) page->Repaint(surface.Dc());
    {
        const quorvel::perf::AllocationCounter allocations(state);
        for (auto _ : state) {
            surface.Clear();
            page->Repaint(surface.Dc());
        }
    }
    module.ClosePage(page);
}
BENCHMARK(PageRepaint)->Arg(200)->Arg(400)->Arg(800)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
