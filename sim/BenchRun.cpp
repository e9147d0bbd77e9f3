#include "sim/BenchRun.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <vector>

#include "platform/ProcessInfo.h"
#include "sim/HostVessel.h"
#include "sim/MfdSurface.h"
#include "sim/ModuleHost.h"
#include "sim/Telemetry.h"
#include "sim/flight/DefaultFlight.h"
#include "sim/flight/FlightSummary.h"
#include "sim/flight/VesselStateWriter.h"

namespace quorvel::sim {

namespace {

constexpr const char* kModeName = "QuorvelMFD";
constexpr const char* kModuleSuffix = QUORVEL_MODULE_SUFFIX;
constexpr double kMjdAtStart = 61000.0;  // 2025-12-29, any date will do
constexpr double kSecondsPerDay = 86400.0;
constexpr double kSummaryEveryS = 10.0;
constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr double kTelemetryEveryS = 0.1;
constexpr const char* kTelemetryName = "telemetry.csv";

// One MFD of the bench host: the surface its page repaints into.
struct BenchMfd {
    std::unique_ptr<MfdSurface> surface;
    MFD* page = nullptr;
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
bool Due(long long step, double stepS, double intervalS) {
    const auto before = static_cast<long long>(std::floor((static_cast<double>(step) * stepS + 1e-9) / intervalS));
    const auto after = static_cast<long long>(std::floor((static_cast<double>(step + 1) * stepS + 1e-9) / intervalS));
    return after != before;
}

// A progress bar on a terminal: the share of the flight flown.
class ProgressBar {
public:
    explicit ProgressBar(bool shown) : shown(shown) {}
    ~ProgressBar() { Hide(); }
    // Off the line, so that other output can use it; the next Show redraws.
    void Hide() {
        if (!drawn) return;
        std::fprintf(stderr, "\r%*s\r", kWidth + 30, "");
        drawn = false;
        lastPercent = -1;
    }
    void Show(double fraction, double timeS) {
        const int percent = static_cast<int>(std::clamp(fraction, 0.0, 1.0) * 100);
        if (!shown || percent == lastPercent) return;
        lastPercent = percent;
        drawn = true;
        const int filled = percent * kWidth / 100;
        std::fprintf(stderr, "\r[%.*s%*s] %3d%%  t %.0f s", filled, kBar, kWidth - filled, "", percent, timeS);
        std::fflush(stderr);
    }

private:
    static constexpr int kWidth = 40;
    static constexpr const char* kBar = "########################################";
    bool shown;
    bool drawn = false;
    int lastPercent = -1;
};

}  // namespace

std::string PictureName(std::size_t mfd, double timeS) {
    char name[64];
    std::snprintf(name, sizeof name, "mfd%zu_t%07.2fs.png", mfd, timeS);
    return name;
}

std::string DefaultModulePath() {
    const std::filesystem::path bin = quorvel::platform::ExecutableDirectory();
    const std::string name = std::string("QuorvelMFD") + kModuleSuffix;
    return bin.empty() ? name : (bin.parent_path() / name).string();
}

int RunBench(const BenchOptions& options, std::ostream& out) {
    std::vector<TelemetryRecord> replay;
    if (!options.replayPath.empty()) {
        try {
            replay = ReadTelemetryLog(options.replayPath);
        } catch (const InputError& error) {
            std::cerr << "quorvel-sim: " << error.what() << "\n";
            return 2;
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
    std::error_code error;
    std::filesystem::create_directories(options.outDir, error);
    if (error) {
        std::cerr << "quorvel-sim: cannot make " << options.outDir << ": " << error.message() << "\n";
        return 1;
    }
    out << "loaded " << path << " (version " << module->Version() << ")\n";
    module->Init();

    HostVessel vessel;
    flight::FlightModel model = flight::DefaultFlightStart();
    const double startS = replay.empty() ? model.TimeS() : replay.front().timeS;
    if (replay.empty()) {
        flight::WriteVesselState(model, vessel.state);
    } else {
        ReplayState(replay, startS, vessel.state);
        out << "replaying " << options.replayPath << " from " << startS << " s\n";
    }
    std::vector<BenchMfd> mfds;
    for (std::size_t i = 0; i < options.mfds.size(); ++i) {
        const MfdSize size = options.mfds[i];
        BenchMfd mfd{std::make_unique<MfdSurface>(size.width, size.height), nullptr};
        mfd.page = module->OpenPage(kModeName, size.width, size.height, vessel, static_cast<std::uint32_t>(i));
        if (mfd.page == nullptr) {
            std::cerr << "quorvel-sim: the module built no page for MFD " << i << "\n";
            return 1;
        }
        out << "MFD " << i << ": " << size.width << "x" << size.height << " page open\n";
        mfds.push_back(std::move(mfd));
    }

    // Written under a temporary name and renamed once complete, so that a
    // run cut short leaves no log that looks whole.
    const std::filesystem::path telemetryPath = std::filesystem::path(options.outDir) / kTelemetryName;
    const std::filesystem::path telemetryPartial = telemetryPath.string() + ".partial";
    std::ofstream telemetry(telemetryPartial);
    if (!telemetry) {
        std::cerr << "quorvel-sim: cannot write " << telemetryPartial.string() << "\n";
        return 1;
    }
    WriteTelemetryHeader(telemetry);
    WriteTelemetryRow(telemetry, startS, vessel.state);

    constexpr double kStepS = flight::FlightModel::kStepS;
    const double durationS =
        replay.empty() || options.durationGiven ? options.durationS : replay.back().timeS - replay.front().timeS;
    const auto steps = static_cast<long long>(std::ceil(durationS / kStepS - 1e-9));
    long long repaints = 0;
    int pictures = 0;
    flight::FlightSummary summary;
    ProgressBar progress(quorvel::platform::StderrIsTerminal());
    for (long long step = 0; step < steps; ++step) {
        double t = startS + static_cast<double>(step + 1) * kStepS;
        if (replay.empty()) {
            model.Step(flight::DefaultFlightControls(model.TimeS(), model));
            flight::WriteVesselState(model, vessel.state);
            summary.Update(model);
            t = model.TimeS();
        } else {
            ReplayState(replay, t, vessel.state);
        }
        module->Step(t, kStepS, kMjdAtStart + t / kSecondsPerDay);
        if (Due(step, kStepS, kTelemetryEveryS)) WriteTelemetryRow(telemetry, t, vessel.state);

        const bool picture = Due(step, kStepS, options.frameEveryS) || step == 0;
        if (picture || Due(step, kStepS, options.repaintEveryS)) {
            for (std::size_t i = 0; i < mfds.size(); ++i) {
                mfds[i].surface->Clear();
                mfds[i].page->Repaint(mfds[i].surface->Dc());
                ++repaints;
                if (picture && mfds[i].surface->WritePng((std::filesystem::path(options.outDir) / PictureName(i, t)).string())) {
                    ++pictures;
                }
            }
        }
        if (!options.quiet && Due(step, kStepS, kSummaryEveryS)) {
            progress.Hide();
            PrintSummary(out, t, vessel.state);
            out.flush();
        }
        progress.Show(static_cast<double>(step + 1) / static_cast<double>(steps), t);
    }

    progress.Hide();
    for (BenchMfd& mfd : mfds) module->ClosePage(mfd.page);
    module->Exit();
    telemetry.close();
    std::filesystem::rename(telemetryPartial, telemetryPath, error);
    if (!telemetry || error) {
        std::cerr << "quorvel-sim: cannot complete " << telemetryPath.string() << "\n";
        std::filesystem::remove(telemetryPartial, error);
        return 1;
    }
    out << (replay.empty() ? "flew " : "replayed ") << durationS << " s in " << steps << " steps, " << repaints << " repaints, "
        << vessel.queries.Total() << " vessel queries; " << pictures << " pictures and " << kTelemetryName << " in " << options.outDir << "\n";
    if (!replay.empty()) return 0;
    char line[200];
    if (summary.tookOff) {
        std::snprintf(line, sizeof line, "take-off at %.1f s; ", summary.takeOffTimeS);
        out << line;
    }
    if (summary.burntOut) {
        std::snprintf(line, sizeof line, "burn-out at %.1f s, %.1f km, %.0f m/s; ", summary.burnOutTimeS,
                      summary.burnOutAltitudeM / 1000, summary.burnOutSpeedMps);
        out << line;
    }
    std::snprintf(line, sizeof line, "highest %.1f km at %.1f s, Mach %.2f and %.1f g at most\n",
                  summary.maxAltitudeM / 1000, summary.maxAltitudeTimeS, summary.maxMach, summary.maxGLoad);
    out << line;
    return 0;
}

}  // namespace quorvel::sim
