#include "sim/bench/BenchRun.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

#include "platform/ProcessInfo.h"
#include "sim/bench/BenchOutputs.h"
#include "sim/bench/InputError.h"
#include "sim/bench/ProgressBar.h"
#include "sim/bench/Scenario.h"
#include "sim/bench/ScenarioFile.h"
#include "sim/bench/StopOnSignal.h"
#include "sim/bench/Telemetry.h"
#include "sim/bench/VesselDriver.h"
#include "sim/bench/VideoNames.h"
#include "sim/flight/Angles.h"
#include "sim/host/HostVessel.h"
#include "sim/host/MfdStation.h"
#include "sim/host/MfdSurface.h"
#include "sim/host/ModuleHost.h"

namespace quorvel::sim {

namespace {

using flight::kDegreesPerRadian;

constexpr const char* kModeName = "QuorvelMFD";
constexpr const char* kModuleSuffix = QUORVEL_MODULE_SUFFIX;
constexpr double kMjdAtStart = 61000.0;  // 2025-12-29, any date will do
constexpr double kSecondsPerDay = 86400.0;
constexpr double kSummaryEveryS = 10.0;
constexpr double kStepS = flight::FlightModel::kStepS;

// A stop asked for while the inputs are read.
class StopWhileReading : public std::exception {};

// A run that cannot go on: the message says why, the exit status is 1.
class RunFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What a run flies or replays, read and checked before anything is loaded.
struct RunInputs {
    Scenario scenario;
    std::unique_ptr<VesselDriver> driver;
    double durationS = 0;
    std::string title;  // heads the contact sheets
    std::string what;   // told before the run
};

RunInputs ReadInputs(const BenchOptions& options, const StopOnSignal& stop) {
    RunInputs inputs;
    const bool replaying = !options.replayPath.empty();
    inputs.scenario = options.scenarioPath.empty() ? DefaultScenario() : ReadScenario(options.scenarioPath);
    std::vector<TelemetryRecord> log;
    if (replaying) {
        log = ReadTelemetryLog(options.replayPath, [&stop] {
            if (stop.Requested()) throw StopWhileReading();
        });
        // The built-in 420 s is the default flight's; a replay shows the whole log.
        if (options.scenarioPath.empty()) inputs.scenario.output.durationS.reset();
    }
    ApplyOptions(options, inputs.scenario);
    const Scenario& scenario = inputs.scenario;
    // A log of any length replays, within the longest run --duration allows.
    const double fallbackS =
        replaying ? std::clamp(LogSpanS(log), kStepS, kMaxRunS) : flight::kDefaultFlightDurationS;
    inputs.durationS = scenario.output.durationS.value_or(fallbackS);
    if (replaying) {
        inputs.title = "replay of " + std::filesystem::path(options.replayPath).filename().string();
        inputs.what = "replaying " + options.replayPath + ": " + std::to_string(log.size()) + " records";
        inputs.driver = ReplayLog(std::move(log), options.replayPath);
    } else {
        inputs.title = scenario.name;
        inputs.what = "flying " + scenario.name + (scenario.source.empty() ? "" : " (" + scenario.source + ")");
        inputs.driver = FlyScenario(scenario);
    }
    return inputs;
}

// What this build cannot do is refused as bad input.
void CheckBuildHas(const BenchOptions& options, const Scenario& scenario, const RunExtensions& extensions) {
    if (options.window && !extensions.window) throw UnavailableError("--window: the live window is not in this build");
    if (scenario.output.videoPath.empty() || extensions.video) return;
    if (!options.videoPath.empty()) throw UnavailableError("--video: video is not in this build");
    throw InputError(scenario.source, 0, "output.video", "video is not in this build");
}

WindowRequest WindowRequestFor(const BenchOptions& options, const RunInputs& inputs) {
    WindowRequest request{"quorvel-sim: " + inputs.title, inputs.scenario.output.mfds, ""};
    if (!options.replayPath.empty()) return request;
    if (inputs.scenario.pilot == Pilot::DefaultAutopilot) {
        request.pilot = "autopilot";
    } else {
        request.pilot = inputs.scenario.schedule.Points().empty() ? "hands off" : "schedule";
    }
    return request;
}

void PrintSummary(std::ostream& out, double t, const VesselState& s) {
    char line[200];
    std::snprintf(line, sizeof line,
                  "t %6.1f s  alt %8.0f m  TAS %6.1f m/s  Mach %4.2f  pitch %+6.1f  bank %+6.1f  hdg %5.1f  "
                  "fuel %6.0f kg%s\n",
                  t, s.altitude, s.airspeed, s.mach, s.pitch * kDegreesPerRadian, s.bank * kDegreesPerRadian,
                  s.heading * kDegreesPerRadian, s.tanks.empty() ? 0.0 : s.tanks[0].mass,
                  s.landed ? "  on the ground" : "");
    out << line;
}

// Whether a run of fixed steps has just passed a multiple of an interval:
// true at the step whose end is the first at or beyond it.
bool Due(long long step, double intervalS) {
    const auto before = static_cast<long long>(std::floor((static_cast<double>(step) * kStepS + 1e-9) / intervalS));
    const auto after = static_cast<long long>(std::floor((static_cast<double>(step + 1) * kStepS + 1e-9) / intervalS));
    return after != before;
}

// One run's flight, step by step, from the pages opening to the closing
// lines. A batch run steps it as fast as it can; the live window, when
// there is one, steps it in real time.
class BenchFlight : public BenchSteps {
public:
    BenchFlight(const BenchOptions& options, RunInputs& inputs, ModuleHost& module, const StopOnSignal& stop,
                std::ostream& out, const RunExtensions& extensions, StepLoop* window)
        : options(options),
          inputs(inputs),
          schedule(inputs.scenario.output),
          driver(*inputs.driver),
          module(module),
          stop(stop),
          out(out),
          extensions(extensions),
          window(window),
          steps(static_cast<long long>(std::ceil(inputs.durationS / kStepS - 1e-9))),
          repaintEveryS(schedule.repaintEveryS.value_or(window ? kWindowRepaintEveryS : kRepaintEveryS)),
          bar(std::cerr, !options.quiet && !window && platform::StderrIsTerminal(), driver.StartTimeS(),
              inputs.durationS) {}

    // Throws RunFailure or OutputError when the run cannot go on.
    void Fly() {
        module.Init();
        driver.WriteState(vessel.state);
        OpenAllPages();
        OpenVideos();
        // The earlier run's outputs stay until everything else is ready.
        if (stop.Requested()) Stop("interrupted before the run began (" + std::string(stop.SignalName()) + ")");
        outputs.emplace(options.outDir, inputs.title, schedule.mfds, Pictures());
        outputs->TelemetryRow(driver.TimeS(), vessel.state);
        if (window) {
            window->Run(*this);
        } else {
            while (Step()) {
            }
        }
        bar.Clear();
        for (const auto& video : videos) video->Finish();
        outputs->Finish();
        Report();
    }

    bool Step() override {
        if (step == steps) return false;
        CheckStop();
        FlyStep();
        ++step;
        return true;
    }

    void CheckStop() override {
        if (!stop.Requested()) return;
        bar.Clear();
        Stop("interrupted at t " + Seconds(driver.TimeS()) + " s (" + stop.SignalName() + ")");
    }

    double TimeS() const override { return driver.TimeS(); }
    const VesselState& State() const override { return vessel.state; }
    VesselDriver& Driver() override { return driver; }
    std::size_t Mfds() const override { return stations.size(); }
    MfdStation& Station(std::size_t mfd) override { return *stations.at(mfd); }

private:
    // Every MFD's surface made and its page open, before any output is touched.
    void OpenAllPages() {
        for (std::size_t i = 0; i < schedule.mfds.size(); ++i) {
            const MfdSize size = schedule.mfds[i];
            auto station =
                std::make_unique<MfdStation>(module, vessel, static_cast<std::uint32_t>(i), size.width, size.height);
            if (!station->Surface().HasPixels()) {
                throw RunFailure("no memory for MFD " + std::to_string(i) + "'s " + std::to_string(size.width) +
                                 "x" + std::to_string(size.height) + " surface");
            }
            if (!station->Open(kModeName)) throw RunFailure("the module built no page for MFD " + std::to_string(i));
            out << "MFD " << i << ": " << size.width << "x" << size.height << " page open\n";
            stations.push_back(std::move(station));
        }
    }

    // Each video made, under its temporary name, before the output folder is touched.
    void OpenVideos() {
        if (schedule.videoPath.empty()) return;
        for (std::size_t i = 0; i < schedule.mfds.size(); ++i) {
            videos.push_back(extensions.video(VideoName(schedule.videoPath, i), schedule.mfds[i], repaintEveryS));
        }
    }

    // What the run will picture: at its first step, then every frame interval.
    PictureSchedule Pictures() const {
        const double spanS = static_cast<double>(steps) * kStepS;
        PictureSchedule pictures;
        pictures.firstS = driver.StartTimeS() + kStepS;
        pictures.lastS = driver.StartTimeS() + spanS;
        pictures.frames = 1 + static_cast<std::size_t>(std::floor((spanS + 1e-9) / schedule.frameEveryS));
        pictures.everyS = schedule.frameEveryS;
        return pictures;
    }

    // Step `step` of the run: the vessel moved, the module stepped, and
    // whatever is due pressed, repainted and written.
    void FlyStep() {
        driver.Step();
        driver.WriteState(vessel.state);
        const double t = driver.TimeS();
        if (const char* column = FirstNonFinite(vessel.state)) {
            bar.Clear();
            Stop("at t " + Seconds(t) + " s the vessel's state is no longer finite (" + column +
                 "): beyond what the flight model can fly");
        }
        module.Step(t, kStepS, kMjdAtStart + t / kSecondsPerDay);
        PressKeys(t);
        const bool picture = Due(step, schedule.frameEveryS) || step == 0;
        // A picture between repaints is no video frame, so that frames keep their interval.
        const bool frame = Due(step, repaintEveryS) || step == 0;
        if (picture || frame) {
            Repaint(t, picture, frame);
            bar.Show(t);
        }
        if (Due(step, kTelemetryEveryS)) outputs->TelemetryRow(t, vessel.state);
        if (!options.quiet && Due(step, kSummaryEveryS)) {
            bar.Clear();
            PrintSummary(out, t, vessel.state);
        }
    }

    void PressKeys(double t) {
        const std::vector<KeyPress>& keys = inputs.scenario.keys;
        for (; nextKey < keys.size() && keys[nextKey].timeS <= t + 1e-9; ++nextKey) {
            const KeyPress& key = keys[nextKey];
            const bool taken = stations[key.mfd]->Key(key.code);
            if (options.quiet) continue;
            bar.Clear();
            char line[120];
            std::snprintf(line, sizeof line, "t %6.1f s  key %u on MFD %u: %s\n", t, key.code, key.mfd,
                          taken ? "taken by the page" : "not used by the page");
            out << line;
        }
    }

    void Repaint(double t, bool picture, bool frame) {
        for (std::size_t i = 0; i < stations.size(); ++i) {
            MfdStation& station = *stations[i];
            station.Repaint();
            ++repaints;
            if (picture) outputs->Picture(i, t, station.Surface(), vessel.state);
            if (frame && !videos.empty()) videos[i]->Repainted(station.Surface());
            if (window) window->Repainted(i);
        }
        videoFrames += frame && !videos.empty();
    }

    // The closing lines; a key timed past the end is most likely a typo, so say so.
    void Report() {
        const std::vector<KeyPress>& keys = inputs.scenario.keys;
        for (; nextKey < keys.size() && !options.quiet; ++nextKey) {
            char line[160];
            std::snprintf(line, sizeof line, "key %u on MFD %u at t %.1f s not pressed: the run ended at t %.1f s\n",
                          keys[nextKey].code, keys[nextKey].mfd, keys[nextKey].timeS, driver.TimeS());
            out << line;
        }
        const bool replaying = !options.replayPath.empty();
        const std::string ended = step < steps ? Seconds(static_cast<double>(step) * kStepS) + " s of " : "";
        out << (replaying ? "replayed " : "flew ") << ended << inputs.durationS << " s"
            << (ended.empty() ? "" : ", ended in the window,") << " in " << step << " steps, " << repaints
            << " repaints, " << vessel.queries.Total() << " vessel queries; " << outputs->Pictures() << " pictures in "
            << outputs->Dir().string() << "\n";
        const char* others = stations.size() > 1 ? " and one per other MFD" : "";
        out << "wrote " << ContactSheetName(0) << others << ", telemetry.csv (" << outputs->TelemetryRows()
            << " rows)\n";
        if (!videos.empty()) out << "wrote " << schedule.videoPath << others << " (" << videoFrames << " frames)\n";
        if (window) out << window->Summary() << "\n";
        out << driver.Summary() << "\n";
    }

    // Ends the run early: what is written stays, the rest goes.
    [[noreturn]] void Stop(const std::string& why) const {
        if (!outputs) throw RunFailure(why + "; nothing written");
        throw RunFailure(why + "; " + std::to_string(outputs->Pictures()) + " pictures in " +
                         outputs->Dir().string() + ", no contact sheets or telemetry.csv");
    }

    static std::string Seconds(double t) {
        char text[32];
        std::snprintf(text, sizeof text, "%g", t);
        return text;
    }

    const BenchOptions& options;
    RunInputs& inputs;
    const OutputSchedule& schedule;
    VesselDriver& driver;
    ModuleHost& module;
    const StopOnSignal& stop;
    std::ostream& out;
    const RunExtensions& extensions;
    StepLoop* window;
    const long long steps;
    const double repaintEveryS;
    ProgressBar bar;
    HostVessel vessel;
    // After the vessel, so that the pages close before it goes.
    std::vector<std::unique_ptr<MfdStation>> stations;
    std::vector<std::unique_ptr<RepaintSink>> videos;  // one per MFD, or none
    std::optional<BenchOutputs> outputs;
    std::size_t nextKey = 0;
    long long step = 0;  // the next to run
    long long repaints = 0;
    long long videoFrames = 0;  // each MFD's
};

}  // namespace

std::string DefaultModulePath() {
    const std::filesystem::path bin = quorvel::platform::ExecutableDirectory();
    const std::string name = std::string("QuorvelMFD") + kModuleSuffix;
    return bin.empty() ? name : (bin.parent_path() / name).string();
}

int RunBench(const BenchOptions& options, std::ostream& out, const RunExtensions& extensions) {
    // From the start, so that no signal ends the run with a file half-written.
    const StopOnSignal stop;
    RunInputs inputs;
    try {
        inputs = ReadInputs(options, stop);
        CheckBuildHas(options, inputs.scenario, extensions);
    } catch (const InputError& error) {
        std::cerr << "quorvel-sim: " << error.what() << "\n";
        return 2;
    } catch (const UnavailableError& error) {
        std::cerr << "quorvel-sim: " << error.what() << "\n";
        return 2;
    } catch (const StopWhileReading&) {
        std::cerr << "quorvel-sim: interrupted while reading " << options.replayPath << " (" << stop.SignalName()
                  << "); nothing written\n";
        return 1;
    }

    std::unique_ptr<StepLoop> window;
    if (options.window) {
        try {
            window = extensions.window(WindowRequestFor(options, inputs));
        } catch (const UnavailableError& error) {
            std::cerr << "quorvel-sim: " << error.what() << "\n";
            return 2;
        } catch (const std::exception& error) {
            std::cerr << "quorvel-sim: " << error.what() << "\n";
            return 1;
        }
    }

    const std::string path = options.modulePath.empty() ? DefaultModulePath() : options.modulePath;
    std::unique_ptr<ModuleHost> module;
    try {
        module = std::make_unique<ModuleHost>(path);
    } catch (const ModuleLoadError& error) {
        std::cerr << "quorvel-sim: " << error.what() << "\n";
        return 1;
    }
    out << "loaded " << path << " (version " << module->Version() << ")\n";
    out << inputs.what << ", " << inputs.durationS << " s\n";
    int status = 0;
    try {
        BenchFlight(options, inputs, *module, stop, out, extensions, window.get()).Fly();
        module->Exit();
    } catch (const RunFailure& failure) {
        std::cerr << "quorvel-sim: " << failure.what() << "\n";
        status = 1;
    } catch (const OutputError& error) {
        std::cerr << "quorvel-sim: " << error.what() << "\n";
        status = 1;
    }
    // While a closed pipe still only fails the write.
    out.flush();
    return status;
}

}  // namespace quorvel::sim
