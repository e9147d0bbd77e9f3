// The live window's cost per display frame with four 400 by 400 MFDs:
// their pictures given to the window (each MFD repaints 20 times a second
// at the display's 60 frames, so every third frame brings new ones), drawn
// with the status line and presented, the presenter waiting for the
// display as it does live. The process's CPU time per frame, all threads,
// says how much of a core the window takes. Needs a display: run it under
// xvfb-run.

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "perf/FlyingVessel.h"
#include "sim/host/MfdStation.h"
#include "sim/host/ModuleHost.h"
#include "sim/live/WindowPresenter.h"

namespace {

constexpr int kMfds = 4;
constexpr int kFramesPerRepaint = 3;
constexpr double kBankStepRad = 0.26;  // each MFD's picture a little different

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
    quorvel::sim::ModuleHost module(QUORVEL_MODULE_PATH);
    module.Init();
    HostVessel vessel;
    quorvel::perf::PutInAClimb(vessel);
    std::vector<std::unique_ptr<quorvel::sim::MfdStation>> stations;
    for (int i = 0; i < kMfds; ++i) {
        vessel.state.bank = kBankStepRad * i;
        auto station =
            std::make_unique<quorvel::sim::MfdStation>(module, vessel, static_cast<std::uint32_t>(i), 400, 400);
        if (!station->Open("QuorvelMFD")) {
            state.SkipWithError("the module built no page");
            return;
        }
        // The new page samples the vessel.
        module.Step(1.0, 0.02, 0);
        station->Repaint();
        stations.push_back(std::move(station));
    }
    quorvel::live::WindowPresenter presenter(std::vector<quorvel::live::PixelSize>(kMfds, {400, 400}),
                                             "quorvel-sim benchmark", 2, 1);
    state.SetLabel(presenter.RendererName());
    long long frame = 0;
    const double cpuBeforeS = ProcessCpuS();
    for (auto _ : state) {
        if (frame % kFramesPerRepaint == 0) {
            for (std::size_t i = 0; i < stations.size(); ++i) presenter.Show(i, stations[i]->Surface().Pixels());
        }
        presenter.Present("t " + std::to_string(frame) + "  1x  alt 12000 m  Mach 1.02\nMFD 0: QuorvelMFD (keys)");
        ++frame;
    }
    const double cpuS = ProcessCpuS() - cpuBeforeS;
    state.counters["cpu ms/frame"] = cpuS * 1e3 / static_cast<double>(frame);
    state.counters["cores"] = cpuS / (static_cast<double>(frame) * presenter.DisplayFrameS());
}
BENCHMARK(PresentFourMfds)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(600);

}  // namespace
