#include "sim/live/LiveExtensions.h"

#include "sim/BenchOutputs.h"
#include "sim/video/Mp4Writer.h"

namespace quorvel::live {

namespace {

// One MFD's video; the writer's faults are the run's output errors.
class MfdVideo : public sim::RepaintSink {
public:
    MfdVideo(const std::filesystem::path& path, sim::MfdSize size, double frameIntervalS) {
        Guard([&] { writer = std::make_unique<video::Mp4Writer>(path, size.width, size.height, frameIntervalS); });
    }

    void Repainted(const sim::MfdSurface& surface) override {
        Guard([&] { writer->AddFrame(surface.Pixels()); });
    }
    void Finish() override {
        Guard([&] { writer->Finish(); });
    }

private:
    template <typename Action>
    static void Guard(const Action& action) {
        try {
            action();
        } catch (const video::VideoError& error) {
            throw sim::OutputError(error.what());
        }
    }

    std::unique_ptr<video::Mp4Writer> writer;
};

std::unique_ptr<sim::StepLoop> OpenWindow(const sim::WindowRequest& request, const LiveSetup& setup) {
    if (!DisplayNamed()) {
        throw sim::UnavailableError("--window: no display to open it on (neither DISPLAY nor WAYLAND_DISPLAY is set)");
    }
    // The run's own handlers stay: a signal stops it as it stops a batch run.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    try {
        return std::make_unique<LiveSession>(request, setup);
    } catch (const LiveError& error) {
        throw LiveError(std::string("--window: ") + error.what());
    }
}

}  // namespace

sim::RunExtensions LiveExtensions(LiveSetup setup) {
    sim::RunExtensions extensions;
    extensions.window = [setup = std::move(setup)](const sim::WindowRequest& request) {
        return OpenWindow(request, setup);
    };
    extensions.video = [](const std::filesystem::path& path, sim::MfdSize size, double frameIntervalS) {
        return std::make_unique<MfdVideo>(path, size, frameIntervalS);
    };
    return extensions;
}

}  // namespace quorvel::live
