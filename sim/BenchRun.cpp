#include "sim/BenchRun.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <vector>

#include "sim/HostVessel.h"
#include "sim/ModuleHost.h"
#include "sim/ScriptedFlight.h"

namespace quorvel::sim {

namespace {

constexpr const char* kModeName = "QuorvelMFD";
constexpr double kMjdAtStart = 61000.0;  // 2025-12-29, any date will do
constexpr double kSecondsPerDay = 86400.0;

// One MFD of the bench host: a device context the page repaints into.
struct BenchMfd {
    MfdSize size;
    MFD* page = nullptr;
    HDC dc = nullptr;
};

void PrintSummary(std::ostream& out, double t, const VesselState& s) {
    char line[200];
    std::snprintf(line, sizeof line,
                  "t %6.1f s  alt %8.0f m  TAS %6.1f m/s  Mach %4.2f  pitch %+6.1f  bank %+6.1f  hdg %5.1f  "
                  "fuel %6.0f kg%s\n",
                  t, s.altitude, s.airspeed, s.mach, s.pitch * 57.29577951308232, s.bank * 57.29577951308232,
                  s.heading * 57.29577951308232, s.tanks.empty() ? 0.0 : s.tanks[0].mass,
                  s.landed ? "  on the ground" : "");
    out << line;
}

}  // namespace

std::string DefaultModulePath() {
    std::error_code error;
    const auto self = std::filesystem::canonical("/proc/self/exe", error);
    if (error) return "QuorvelMFD.so";
    return (self.parent_path().parent_path() / "QuorvelMFD.so").string();
}

int RunBench(const BenchOptions& options, std::ostream& out) {
    const std::string path = options.modulePath.empty() ? DefaultModulePath() : options.modulePath;
    std::unique_ptr<ModuleHost> module;
    try {
        module = std::make_unique<ModuleHost>(path);
    } catch (const ModuleLoadError& error) {
        std::cerr << "quorvel-sim: " << error.what() << "\n";
        return 1;
    }
    out << "loaded " << path << " (version " << module->Version() << ")\n";
    module->Init();

    HostVessel vessel;
    ScriptedFlightState(0, vessel.state);
    std::vector<BenchMfd> mfds;
    for (std::size_t i = 0; i < options.mfds.size(); ++i) {
        BenchMfd mfd{options.mfds[i], nullptr, CreateCompatibleDC(nullptr)};
        mfd.page = module->OpenPage(kModeName, mfd.size.width, mfd.size.height, vessel, static_cast<std::uint32_t>(i));
        if (mfd.page == nullptr) {
            std::cerr << "quorvel-sim: the module built no page for MFD " << i << "\n";
            DeleteDC(mfd.dc);
            return 1;
        }
        out << "MFD " << i << ": " << mfd.size.width << "x" << mfd.size.height << " page open\n";
        mfds.push_back(mfd);
    }

    const auto steps = static_cast<long long>(std::ceil(options.durationS / options.stepS));
    long long repaints = 0;
    for (long long step = 0; step <= steps; ++step) {
        const double t = static_cast<double>(step) * options.stepS;
        ScriptedFlightState(t, vessel.state);
        module->Step(t, options.stepS, kMjdAtStart + t / kSecondsPerDay);
        for (BenchMfd& mfd : mfds) {
            mfd.page->Repaint(mfd.dc);
            ++repaints;
        }
        const bool wholeSecond = std::floor(t) != std::floor(t - options.stepS) || step == 0;
        if (!options.quiet && wholeSecond) PrintSummary(out, t, vessel.state);
    }

    for (BenchMfd& mfd : mfds) {
        module->ClosePage(mfd.page);
        DeleteDC(mfd.dc);
    }
    module->Exit();
    out << "flew " << options.durationS << " s in " << steps << " steps, " << repaints << " repaints, "
        << vessel.queries.Total() << " vessel queries\n";
    return 0;
}

}  // namespace quorvel::sim
