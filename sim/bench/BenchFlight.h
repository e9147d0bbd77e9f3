// The run loop of the bench host: one run's flight, step by step, from
// the pages opening to the closing lines. A batch run steps it as fast as
// it can; the live window, when there is one, steps it in real time. Its
// set-up and the commit of its outputs are the run's (sim/bench/BenchRun.h).
#pragma once

#include <cstddef>
#include <iosfwd>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "sim/bench/BenchOptions.h"
#include "sim/bench/BenchOutputs.h"
#include "sim/bench/ProgressBar.h"
#include "sim/bench/RunExtensions.h"
#include "sim/bench/Scenario.h"
#include "sim/bench/StopOnSignal.h"
#include "sim/bench/VesselDriver.h"
#include "sim/host/HostVessel.h"
#include "sim/host/MfdStation.h"
#include "sim/host/ModuleHost.h"

namespace quorvel::sim {

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

class BenchFlight : public BenchSteps {
public:
    BenchFlight(const BenchOptions& options, RunInputs& inputs, ModuleHost& module, const StopOnSignal& stop,
                std::ostream& out, const RunExtensions& extensions, StepLoop* window);

    // Flies the run to its end, completes its contact sheets, log and
    // videos under their temporary names and says how it went. Returns
    // those files, which the caller commits while the flight lives. Throws
    // RunFailure or OutputError when the run cannot go on, a failed write
    // to standard output or error among them.
    std::vector<PendingFile*> Fly();

    bool Step() override;
    void CheckStop() override;

    double TimeS() const override;
    const VesselState& State() const override { return vessel.state; }
    VesselDriver& Driver() override { return driver; }
    std::size_t Mfds() const override { return stations.size(); }
    MfdStation& Station(std::size_t mfd) override { return *stations.at(mfd); }

private:
    // Throws RunFailure when a write to standard output or error has failed.
    void CheckStreams() const;
    void OpenAllPages();
    void OpenVideos();
    PictureSchedule Pictures() const;
    void FlyStep();
    void PressKeys(double t);
    void Repaint(double t, bool picture, bool frame);
    void Report();
    // Flushes a line to `out`; a failed write stops the run.
    void Said();
    [[noreturn]] void Stop(const std::string& why) const;

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

}  // namespace quorvel::sim
