#include "sim/bench/BenchRun.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <memory>
#include <vector>

#include "platform/ProcessInfo.h"
#include "sim/bench/BenchFlight.h"
#include "sim/bench/BenchOutputs.h"
#include "sim/bench/InputError.h"
#include "sim/bench/ScenarioFile.h"
#include "sim/bench/StopOnSignal.h"
#include "sim/bench/Telemetry.h"
#include "sim/bench/VideoNames.h"
#include "sim/files/ProgramExit.h"
#include "sim/host/ModuleHost.h"

namespace quorvel::sim {

namespace {

namespace fs = std::filesystem;

constexpr const char* kModuleSuffix = QUORVEL_MODULE_SUFFIX;
constexpr double kStepS = flight::FlightModel::kStepS;

RunInputs ReadInputs(const BenchOptions& options, const StopOnSignal& stop) {
    RunInputs inputs;
    const bool replaying = !options.replayPath.empty();
    inputs.scenario = options.scenarioPath.empty() ? DefaultScenario() : ReadScenario(options.scenarioPath);
    std::vector<TelemetryRecord> log;
    if (replaying) {
        log = ReadTelemetryLog(options.replayPath, [&options, &stop] {
            if (!stop.Requested()) return;
            throw RunFailure("interrupted while reading " + options.replayPath + " (" + stop.SignalName() +
                             "); nothing written");
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

bool IsFolder(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(fs::symlink_status(path, error));
}

// Where every output of the run would go, checked before anything is
// loaded: no folder where a file goes, no two outputs at one name, and no
// video larger than the encoder takes.
void CheckOutputNames(const BenchOptions& options, const Scenario& scenario, const RunExtensions& extensions) {
    const fs::path outDir = options.outDir;
    std::error_code error;
    if (fs::exists(outDir, error) && !fs::is_directory(outDir, error)) {
        throw BadInput("--out " + options.outDir + ": not a folder");
    }
    for (const auto& entry : fs::directory_iterator(outDir, error)) {
        if (IsOutputName(entry.path().filename().string()) && IsFolder(entry.path())) {
            throw BadInput("--out " + options.outDir + ": " + entry.path().string() +
                           " is a folder where the run writes a file");
        }
    }

    const std::string& video = scenario.output.videoPath;
    if (video.empty()) return;
    const std::string named = options.videoPath.empty() ? scenario.source + ": output.video " + video : "--video " + video;
    const std::vector<MfdSize>& mfds = scenario.output.mfds;
    const fs::path outFolder = fs::weakly_canonical(fs::absolute(outDir, error), error);
    for (std::size_t i = 0; i < mfds.size(); ++i) {
        const fs::path path = VideoName(video, i);
        for (const char* suffix : {"", ".partial", ".earlier"}) {
            fs::path name = path;
            name += suffix;
            if (IsFolder(name)) throw BadInput(named + ": " + name.string() + " is a folder");
        }
        const fs::path whole = fs::weakly_canonical(fs::absolute(path, error), error);
        const auto inVideo = std::mismatch(whole.begin(), whole.end(), outFolder.begin(), outFolder.end()).first;
        if (!whole.empty() && !outFolder.empty() && inVideo == whole.end()) {
            throw BadInput(named + ": " + path.string() + " is also where --out " + options.outDir + " goes");
        }
        const std::uint32_t maxSide = extensions.videoMaxSide;
        if (maxSide > 0 && (mfds[i].width > maxSide || mfds[i].height > maxSide)) {
            throw BadInput(named + ": MFD " + std::to_string(i) + " is " + std::to_string(mfds[i].width) + "x" +
                           std::to_string(mfds[i].height) + ", and a video's sides must be 1 to " +
                           std::to_string(maxSide) + " pixels");
        }
    }
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

// The contact sheets, the log and the videos take their names together,
// or none does. The flight has returned them only once its closing lines
// were written and no signal had stopped it.
void CommitOutputs(const std::vector<PendingFile*>& files) {
    std::string why;
    if (!CommitTogether(files, why)) {
        throw OutputError(why + "; no contact sheets, telemetry.csv or videos written, earlier ones kept");
    }
}

int Run(const BenchOptions& options, std::ostream& out, const RunExtensions& extensions, const StopOnSignal& stop) {
    RunInputs inputs = ReadInputs(options, stop);
    CheckBuildHas(options, inputs.scenario, extensions);
    CheckOutputNames(options, inputs.scenario, extensions);
    std::unique_ptr<StepLoop> window;
    if (options.window) window = extensions.window(WindowRequestFor(options, inputs));

    const std::string path = options.modulePath.empty() ? DefaultModulePath() : options.modulePath;
    ModuleHost module(path);
    out << "loaded " << path << " (version " << module.Version() << ")\n";
    out << inputs.what << ", " << inputs.durationS << " s\n";
    {
        BenchFlight flight(options, inputs, module, stop, out, extensions, window.get());
        CommitOutputs(flight.Fly());
    }
    module.Exit();
    return 0;
}

}  // namespace

std::string DefaultModulePath() {
    const std::filesystem::path bin = quorvel::platform::ExecutableDirectory();
    const std::string name = std::string("QuorvelMFD") + kModuleSuffix;
    return bin.empty() ? name : (bin.parent_path() / name).string();
}

int RunBench(const BenchOptions& options, std::ostream& out, const RunExtensions& extensions) {
    // From the start, so that no signal ends the run with a file half-written.
    const StopOnSignal stop;
    const int status = ExitStatusOf("quorvel-sim", [&] { return Run(options, out, extensions, stop); });
    // While a closed pipe still only fails the write.
    out.flush();
    return status;
}

}  // namespace quorvel::sim
