#include "sim/live/LiveExtensions.h"

#include "sim/bench/BenchOutputs.h"
#include "sim/video/Mp4Writer.h"

namespace quorvel::sim {

namespace {

// One MFD's video; the writer's faults are the run's output errors.
class MfdVideo : public RepaintSink {
public:
    MfdVideo(const std::filesystem::path& path, MfdSize size, double frameIntervalS) {
        Guard([&] { writer = std::make_unique<video::Mp4Writer>(path, size.width, size.height, frameIntervalS); });
    }

    void Repainted(const MfdSurface& surface) override {
        Guard([&] { writer->AddFrame(surface.Pixels()); });
    }
    PendingFile& Finish() override {
        PendingFile* file = nullptr;
        Guard([&] { file = &writer->Complete(); });
        return *file;
    }

private:
    template <typename Action>
    static void Guard(const Action& action) {
        try {
            action();
        } catch (const video::VideoError& error) {
            throw OutputError(error.what());
        }
    }

    std::unique_ptr<video::Mp4Writer> writer;
};

std::unique_ptr<StepLoop> OpenWindow(const WindowRequest& request, const LiveSetup& setup) {
    if (!live::DisplayNamed()) {
        throw UnavailableError("--window: no display to open it on (neither DISPLAY nor WAYLAND_DISPLAY is set)");
    }
    // The run's own handlers stay: a signal stops it as it stops a batch run.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // Only a display that shows the window will do; SDL_VIDEODRIVER still
    // overrides this (and then is checked by the window).
    SDL_SetHint(SDL_HINT_VIDEODRIVER, live::NamedVideoDrivers().c_str());
    try {
        return std::make_unique<LiveSession>(request, setup);
    } catch (const live::LiveError& error) {
        throw live::LiveError(std::string("--window: ") + error.what());
    }
}

}  // namespace

RunExtensions LiveExtensions(LiveSetup setup) {
    RunExtensions extensions;
    extensions.window = [setup = std::move(setup)](const WindowRequest& request) { return OpenWindow(request, setup); };
    extensions.video = [](const std::filesystem::path& path, MfdSize size, double frameIntervalS) {
        return std::make_unique<MfdVideo>(path, size, frameIntervalS);
    };
    extensions.videoMaxSide = video::Mp4Writer::kMaxSide;
    return extensions;
}

}  // namespace quorvel::sim
