// Video of a 400 by 400 page: the encoder alone, frame after frame of a
// changing page, and the repaint and encode together as a video run pays
// for each repaint. The default flight at 25 frames a second is 10,500 of
// them.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <span>
#include <vector>

#include "perf/FlyingVessel.h"
#include "sim/host/MfdStation.h"
#include "sim/host/ModuleHost.h"
#include "sim/video/Mp4Writer.h"

namespace {

namespace fs = std::filesystem;

constexpr int kSide = 400;
constexpr int kPages = 25;  // a second of video, repeated
constexpr double kStepS = 0.02;

// The page through the loaded module, in the climb.
struct PageFrames {
    PageFrames() {
        module.Init();
        quorvel::perf::PutInAClimb(vessel);
        opened = station.Open("QuorvelMFD");
    }
    // Turning and climbing a little from frame to frame.
    void Repaint(int frame) {
        vessel.state.pitch = 0.52 + 0.0035 * frame;
        vessel.state.bank = 0.17 - 0.0087 * frame;
        vessel.state.airspeed = 600 + frame;
        vessel.state.altitude = 30000 + 15.0 * frame;
        module.Step(kStepS * (frame + 1), kStepS, 0);
        station.Repaint();
    }
    std::span<const std::uint32_t> Pixels() const { return station.Surface().Pixels(); }

    quorvel::sim::ModuleHost module{QUORVEL_MODULE_PATH};
    HostVessel vessel;
    quorvel::sim::MfdStation station{module, vessel, 0, kSide, kSide};
    bool opened = false;
};

fs::path VideoPath() {
    return fs::temp_directory_path() / "quorvel-video-benchmark.mp4";
}

void EncodeFrame(benchmark::State& state) {
    std::vector<std::vector<std::uint32_t>> pages;
    {
        PageFrames frames;
        if (!frames.opened) {
            state.SkipWithError("the module built no page");
            return;
        }
        for (int i = 0; i < kPages; ++i) {
            frames.Repaint(i);
            pages.emplace_back(frames.Pixels().begin(), frames.Pixels().end());
        }
    }
    quorvel::video::Mp4Writer writer(VideoPath(), kSide, kSide, 0.04);
    std::size_t next = 0;
    for (auto _ : state) {
        writer.AddFrame(pages[next]);
        next = (next + 1) % pages.size();
    }
    writer.Finish();
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["KiB/frame"] =
        static_cast<double>(fs::file_size(VideoPath())) / 1024.0 / static_cast<double>(state.iterations());
    fs::remove(VideoPath());
}
BENCHMARK(EncodeFrame)->Unit(benchmark::kMicrosecond)->UseRealTime()->Iterations(2000);

void RepaintAndEncodeFrame(benchmark::State& state) {
    PageFrames frames;
    if (!frames.opened) {
        state.SkipWithError("the module built no page");
        return;
    }
    quorvel::video::Mp4Writer writer(VideoPath(), kSide, kSide, 0.04);
    int frame = 0;
    for (auto _ : state) {
        frames.Repaint(frame++ % 200);
        writer.AddFrame(frames.Pixels());
    }
    writer.Finish();
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    fs::remove(VideoPath());
}
BENCHMARK(RepaintAndEncodeFrame)->Unit(benchmark::kMicrosecond)->UseRealTime()->Iterations(2000);

}  // namespace
