// The live window's cost per display frame with four 400 by 400 MFDs:
// their pictures given to the window (each MFD repaints 20 times a second
// at the display's 60 frames, so every third frame brings new ones), drawn
// with the status line and presented, the presenter waiting for the
// display as it does live. The process's CPU time per frame, all threads,
// says how much of a core the window takes. Needs a display: run it under
// xvfb-run.

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <memory>
#include <string>
#include <vector>

#include "plugin/ModuleEntry.h"
#include "plugin/QuorvelMFD.h"
#include "sim/HostVessel.h"
#include "sim/MfdSurface.h"
#include "sim/live/WindowPresenter.h"

namespace {

constexpr int kMfds = 4;
constexpr int kFramesPerRepaint = 3;

double ProcessCpuS() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec * 1e-6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void PresentFourMfds(benchmark::State& state) {
    if (!quorvel::live::DisplayNamed()) {
        state.SkipWithError("needs a display: run under xvfb-run");
        return;
    }
    hlcDLLInit(nullptr);
    {
        HostVessel vessel;
        std::vector<std::unique_ptr<quorvel::sim::MfdSurface>> surfaces;
        for (int i = 0; i < kMfds; ++i) {
            quorvel::QuorvelMFD page(400, 400, &vessel.vessel);
            page.flightData->bank = 15.0 * i;
            surfaces.push_back(std::make_unique<quorvel::sim::MfdSurface>(400, 400));
            page.Repaint(surfaces.back()->Dc());
        }
        quorvel::live::WindowPresenter presenter(std::vector<quorvel::live::PixelSize>(kMfds, {400, 400}),
                                                 "quorvel-sim benchmark", 2, 1);
        state.SetLabel(presenter.RendererName());
        long long frame = 0;
        const double cpuBeforeS = ProcessCpuS();
        for (auto _ : state) {
            if (frame % kFramesPerRepaint == 0) {
                for (int i = 0; i < kMfds; ++i)
                    presenter.Show(static_cast<std::size_t>(i), surfaces[static_cast<std::size_t>(i)]->Pixels());
            }
            presenter.Present("t " + std::to_string(frame) + "  1x  alt 12000 m  Mach 1.02\nMFD 0: QuorvelMFD (keys)");
            ++frame;
        }
        const double cpuS = ProcessCpuS() - cpuBeforeS;
        state.counters["cpu ms/frame"] = cpuS * 1e3 / static_cast<double>(frame);
        state.counters["cores"] = cpuS / (static_cast<double>(frame) * presenter.DisplayFrameS());
    }
    hlcDLLExit(nullptr);
}
BENCHMARK(PresentFourMfds)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(600);

}  // namespace
