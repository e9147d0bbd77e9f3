#include "sim/bench/BenchFlight.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "platform/ProcessInfo.h"
#include "sim/bench/Telemetry.h"
#include "sim/bench/VideoNames.h"
#include "sim/flight/Angles.h"

namespace quorvel::sim {

namespace {

using flight::kDegreesPerRadian;

constexpr const char* kModeName = "QuorvelMFD";
constexpr double kMjdAtStart = 61000.0;  // 2025-12-29, any date will do
constexpr double kSecondsPerDay = 86400.0;
constexpr double kSummaryEveryS = 10.0;
constexpr double kStepS = flight::FlightModel::kStepS;

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

std::string Seconds(double t) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", t);
    return text;
}

}  // namespace

BenchFlight::BenchFlight(const BenchOptions& options, RunInputs& inputs, ModuleHost& module, const StopOnSignal& stop,
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

std::vector<PendingFile*> BenchFlight::Fly() {
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
    std::vector<PendingFile*> files = outputs->Complete();
    for (const auto& video : videos) files.push_back(&video->Finish());
    Report();
    return files;
}

bool BenchFlight::Step() {
    if (step == steps) return false;
    CheckStop();
    FlyStep();
    ++step;
    return true;
}

void BenchFlight::CheckStop() {
    if (!stop.Requested()) return;
    bar.Clear();
    Stop("interrupted at t " + Seconds(driver.TimeS()) + " s (" + stop.SignalName() + ")");
}

double BenchFlight::TimeS() const { return driver.TimeS(); }

void BenchFlight::CheckStreams() const {
    // A stream's failure leaves the system's reason in errno.
    if (!out) Stop(std::string("cannot write standard output: ") + std::strerror(errno));
    if (!std::cerr) Stop(std::string("cannot write standard error: ") + std::strerror(errno));
}

void BenchFlight::Said() {
    out.flush();
    // A closed pipe raises SIGPIPE as the write fails: the signal names it.
    CheckStop();
    CheckStreams();
}

// Every MFD's surface made and its page open, before any output is touched.
void BenchFlight::OpenAllPages() {
    for (std::size_t i = 0; i < schedule.mfds.size(); ++i) {
        const MfdSize size = schedule.mfds[i];
        auto station =
            std::make_unique<MfdStation>(module, vessel, static_cast<std::uint32_t>(i), size.width, size.height);
        if (!station->Surface().HasPixels()) {
            throw RunFailure("no memory for MFD " + std::to_string(i) + "'s " + std::to_string(size.width) + "x" +
                             std::to_string(size.height) + " surface");
        }
        if (!station->Open(kModeName)) throw RunFailure("the module built no page for MFD " + std::to_string(i));
        out << "MFD " << i << ": " << size.width << "x" << size.height << " page open\n";
        Said();
        stations.push_back(std::move(station));
    }
}

// Each video made, under its temporary name, before the output folder is touched.
void BenchFlight::OpenVideos() {
    if (schedule.videoPath.empty()) return;
    for (std::size_t i = 0; i < schedule.mfds.size(); ++i) {
        videos.push_back(extensions.video(VideoName(schedule.videoPath, i), schedule.mfds[i], repaintEveryS));
    }
}

// What the run will picture: at its first step, then every frame interval.
PictureSchedule BenchFlight::Pictures() const {
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
void BenchFlight::FlyStep() {
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
        Said();
    }
}

void BenchFlight::PressKeys(double t) {
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
        Said();
    }
}

void BenchFlight::Repaint(double t, bool picture, bool frame) {
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
void BenchFlight::Report() {
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
    out << "wrote " << ContactSheetName(0) << others << ", telemetry.csv (" << outputs->TelemetryRows() << " rows)\n";
    if (!videos.empty()) out << "wrote " << schedule.videoPath << others << " (" << videoFrames << " frames)\n";
    if (window) out << window->Summary() << "\n";
    out << driver.Summary() << "\n";
    Said();
}

// Ends the run early: what is written stays, the rest goes.
void BenchFlight::Stop(const std::string& why) const {
    if (!outputs) throw RunFailure(why + "; nothing written");
    throw RunFailure(why + "; " + std::to_string(outputs->Pictures()) + " pictures in " + outputs->Dir().string() +
                     ", no contact sheets or telemetry.csv");
}

}  // namespace quorvel::sim
