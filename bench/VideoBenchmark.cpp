// Video of a 400 by 400 page: the encoder alone, frame after frame of a
// changing page, and the repaint and encode together as a video run pays
// for each repaint. The default flight at 25 frames a second is 10,500 of
// them.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <vector>

#include "plugin/ModuleEntry.h"
#include "plugin/QuorvelMFD.h"
#include "sim/HostVessel.h"
#include "sim/MfdSurface.h"
#include "sim/video/Mp4Writer.h"

namespace {

namespace fs = std::filesystem;

constexpr int kSide = 400;
constexpr int kPages = 25;  // a second of video, repeated

struct PageFrames {
    PageFrames() {
        hlcDLLInit(nullptr);
        vessel.state.tanks = {{4000, 10500}, {120, 150}};
        vessel.state.thrusters = {{262000, 2736, 0}};
        page = std::make_unique<quorvel::QuorvelMFD>(kSide, kSide, &vessel.vessel);
    }
    ~PageFrames() {
        page.reset();
        hlcDLLExit(nullptr);
    }
    // The page in the climb, turning a little from frame to frame.
    void Repaint(int frame) {
        page->flightData->pitch = 30 + 0.2 * frame;
        page->flightData->bank = 10 - 0.5 * frame;
        page->flightData->eas = 320 + frame;
        page->flightData->altitudeFt = 98000 + 50.0 * frame;
        surface.Clear();
        page->Repaint(surface.Dc());
    }

    HostVessel vessel;
    std::unique_ptr<quorvel::QuorvelMFD> page;
    quorvel::sim::MfdSurface surface{kSide, kSide};
};

fs::path VideoPath() {
    return fs::temp_directory_path() / "quorvel-video-benchmark.mp4";
}

void EncodeFrame(benchmark::State& state) {
    std::vector<std::vector<std::uint32_t>> pages;
    {
        PageFrames frames;
        for (int i = 0; i < kPages; ++i) {
            frames.Repaint(i);
            pages.emplace_back(frames.surface.Pixels().begin(), frames.surface.Pixels().end());
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
    quorvel::video::Mp4Writer writer(VideoPath(), kSide, kSide, 0.04);
    int frame = 0;
    for (auto _ : state) {
        frames.Repaint(frame++ % 200);
        writer.AddFrame(frames.surface.Pixels());
    }
    writer.Finish();
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    fs::remove(VideoPath());
}
BENCHMARK(RepaintAndEncodeFrame)->Unit(benchmark::kMicrosecond)->UseRealTime()->Iterations(2000);

}  // namespace
