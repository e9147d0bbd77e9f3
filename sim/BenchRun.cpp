#include "sim/BenchRun.h"

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <vector>

#include "platform/ProcessInfo.h"
#include "sim/BenchOutputs.h"
#include "sim/HostVessel.h"
#include "sim/MfdSurface.h"
#include "sim/ModuleHost.h"
#include "sim/ProgressBar.h"
#include "sim/Scenario.h"
#include "sim/ScenarioFile.h"
#include "sim/Telemetry.h"
#include "sim/VesselDriver.h"

namespace quorvel::sim {

namespace {

constexpr const char* kModeName = "QuorvelMFD";
constexpr const char* kModuleSuffix = QUORVEL_MODULE_SUFFIX;
constexpr double kMjdAtStart = 61000.0;  // 2025-12-29, any date will do
constexpr double kSecondsPerDay = 86400.0;
constexpr double kSummaryEveryS = 10.0;
constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr double kStepS = flight::FlightModel::kStepS;
constexpr double kMaxDurationS = 1e6;

volatile std::sig_atomic_t stopSignal = 0;

void RequestStop(int signal) {
    stopSignal = signal;
    // A second one ends the process at once.
    std::signal(signal, SIG_DFL);
}

// Ctrl-C or a termination request, for the length of a run, stops it
// between two steps, so that it can remove what it had not finished.
class StopOnSignal {
public:
    StopOnSignal() {
        stopSignal = 0;
        previousInterrupt = std::signal(SIGINT, RequestStop);
        previousTerminate = std::signal(SIGTERM, RequestStop);
    }
    ~StopOnSignal() {
        std::signal(SIGINT, previousInterrupt == SIG_ERR ? SIG_DFL : previousInterrupt);
        std::signal(SIGTERM, previousTerminate == SIG_ERR ? SIG_DFL : previousTerminate);
    }
    StopOnSignal(const StopOnSignal&) = delete;
    StopOnSignal& operator=(const StopOnSignal&) = delete;
    bool Requested() const { return stopSignal != 0; }

private:
    void (*previousInterrupt)(int);
    void (*previousTerminate)(int);
};

// What a run flies or replays, read and checked before anything is loaded.
struct RunInputs {
    Scenario scenario;
    std::unique_ptr<VesselDriver> driver;
    double durationS = 0;
    std::string title;  // heads the contact sheets
    std::string what;   // told before the run
};

RunInputs ReadInputs(const BenchOptions& options) {
    RunInputs inputs;
    const bool replaying = !options.replayPath.empty();
    inputs.scenario = options.scenarioPath.empty() ? DefaultScenario() : ReadScenario(options.scenarioPath);
    std::vector<TelemetryRecord> log;
    if (replaying) {
        log = ReadTelemetryLog(options.replayPath);
        // The built-in 420 s is the default flight's; a replay shows the whole log.
        if (options.scenarioPath.empty()) inputs.scenario.output.durationS.reset();
    }
    ApplyOptions(options, inputs.scenario);
    const Scenario& scenario = inputs.scenario;
    // A log of any length replays, within the longest run --duration allows.
    const double fallbackS =
        replaying ? std::clamp(LogSpanS(log), kStepS, kMaxDurationS) : flight::kDefaultFlightDurationS;
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

// One MFD of the bench host: the surface its page repaints into.
struct BenchMfd {
    std::unique_ptr<MfdSurface> surface;
    MFD* page = nullptr;
};

// Closes the pages before the vessel they look at goes, on every way out.
struct OpenPages {
    ModuleHost& module;
    std::vector<BenchMfd> mfds;
    ~OpenPages() {
        for (BenchMfd& mfd : mfds) module.ClosePage(mfd.page);
    }
};

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

int Fly(const BenchOptions& options, RunInputs& inputs, ModuleHost& module, const StopOnSignal& stop,
        std::ostream& out) {
    const OutputSchedule& schedule = inputs.scenario.output;
    const auto steps = static_cast<long long>(std::ceil(inputs.durationS / kStepS - 1e-9));
    const auto expectedFrames = static_cast<std::size_t>(inputs.durationS / schedule.frameEveryS + 1e-9) + 1;
    BenchOutputs outputs(options.outDir, inputs.title, schedule.mfds, expectedFrames, schedule.frameEveryS);
    VesselDriver& driver = *inputs.driver;

    module.Init();
    HostVessel vessel;
    driver.WriteState(vessel.state);
    OpenPages pages{module, {}};
    for (std::size_t i = 0; i < schedule.mfds.size(); ++i) {
        const MfdSize size = schedule.mfds[i];
        BenchMfd mfd{std::make_unique<MfdSurface>(size.width, size.height), nullptr};
        mfd.page = module.OpenPage(kModeName, size.width, size.height, vessel, static_cast<std::uint32_t>(i));
        if (mfd.page == nullptr) {
            std::cerr << "quorvel-sim: the module built no page for MFD " << i << "\n";
            return 1;
        }
        out << "MFD " << i << ": " << size.width << "x" << size.height << " page open\n";
        pages.mfds.push_back(std::move(mfd));
    }
    outputs.TelemetryRow(driver.TimeS(), vessel.state);

    const std::vector<KeyPress>& keys = inputs.scenario.keys;
    std::size_t nextKey = 0;
    long long repaints = 0;
    ProgressBar bar(std::cerr, !options.quiet && platform::StderrIsTerminal(), driver.StartTimeS(), inputs.durationS);
    for (long long step = 0; step < steps; ++step) {
        if (stop.Requested()) {
            bar.Clear();
            std::cerr << "quorvel-sim: interrupted at t " << driver.TimeS() << " s; " << outputs.Pictures()
                      << " pictures in " << outputs.Dir().string() << ", no contact sheets or telemetry.csv\n";
            return 1;
        }
        driver.Step();
        driver.WriteState(vessel.state);
        const double t = driver.TimeS();
        module.Step(t, kStepS, kMjdAtStart + t / kSecondsPerDay);

        for (; nextKey < keys.size() && keys[nextKey].timeS <= t + 1e-9; ++nextKey) {
            const KeyPress& key = keys[nextKey];
            const bool taken = pages.mfds[key.mfd].page->ConsumeKeyBuffered(key.code);
            if (options.quiet) continue;
            bar.Clear();
            char line[120];
            std::snprintf(line, sizeof line, "t %6.1f s  key %u on MFD %u: %s\n", t, key.code, key.mfd,
                          taken ? "taken by the page" : "not used by the page");
            out << line;
        }

        const bool picture = Due(step, schedule.frameEveryS) || step == 0;
        if (picture || Due(step, schedule.repaintEveryS)) {
            for (std::size_t i = 0; i < pages.mfds.size(); ++i) {
                BenchMfd& mfd = pages.mfds[i];
                mfd.surface->Clear();
                mfd.page->Repaint(mfd.surface->Dc());
                ++repaints;
                if (picture) outputs.Picture(i, t, *mfd.surface, vessel.state);
            }
            bar.Show(t);
        }
        if (Due(step, kTelemetryEveryS)) outputs.TelemetryRow(t, vessel.state);
        if (!options.quiet && Due(step, kSummaryEveryS)) {
            bar.Clear();
            PrintSummary(out, t, vessel.state);
        }
    }
    bar.Clear();
    // A key timed past the end is most likely a typo: say so.
    for (; nextKey < keys.size() && !options.quiet; ++nextKey) {
        char line[160];
        std::snprintf(line, sizeof line, "key %u on MFD %u at t %.1f s not pressed: the run ended at t %.1f s\n",
                      keys[nextKey].code, keys[nextKey].mfd, keys[nextKey].timeS, driver.TimeS());
        out << line;
    }

    outputs.Finish();
    const bool replaying = !options.replayPath.empty();
    out << (replaying ? "replayed " : "flew ") << inputs.durationS << " s in " << steps << " steps, " << repaints
        << " repaints, " << vessel.queries.Total() << " vessel queries; " << outputs.Pictures() << " pictures in "
        << outputs.Dir().string() << "\n";
    out << "wrote " << ContactSheetName(0) << (pages.mfds.size() > 1 ? " and one per other MFD" : "") << ", "
        << "telemetry.csv (" << outputs.TelemetryRows() << " rows)\n";
    out << driver.Summary() << "\n";
    return 0;
}

}  // namespace

std::string DefaultModulePath() {
    const std::filesystem::path bin = quorvel::platform::ExecutableDirectory();
    const std::string name = std::string("QuorvelMFD") + kModuleSuffix;
    return bin.empty() ? name : (bin.parent_path() / name).string();
}

int RunBench(const BenchOptions& options, std::ostream& out) {
    // From the start, so that no signal ends the run with a file half-written.
    const StopOnSignal stop;
    RunInputs inputs;
    try {
        inputs = ReadInputs(options);
    } catch (const InputError& error) {
        std::cerr << "quorvel-sim: " << error.what() << "\n";
        return 2;
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
    try {
        const int status = Fly(options, inputs, *module, stop, out);
        if (module->Initialised()) module->Exit();
        return status;
    } catch (const OutputError& error) {
        std::cerr << "quorvel-sim: " << error.what() << "\n";
        return 1;
    }
}

}  // namespace quorvel::sim
