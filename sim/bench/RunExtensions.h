// What a run of the bench host can be given beyond pictures and a log, by
// the parts that are built on Linux only: a video of each MFD and the
// live window. The run (sim/bench/BenchRun.h) drives them through these
// interfaces, so that it builds without them; a build that has them hands
// them to RunBench.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "sim/bench/MfdSize.h"
#include "sim/files/PendingFile.h"
#include "sim/files/ProgramExit.h"
#include "sim/host/MfdSurface.h"

namespace quorvel::sim {

class MfdStation;
class VesselDriver;
struct VesselState;

// Takes one MFD's repaints, each as it is painted: a video file.
class RepaintSink {
public:
    virtual ~RepaintSink() = default;
    // Throws OutputError when it cannot be written.
    virtual void Repainted(const MfdSurface& surface) = 0;
    // The run is over: makes the output whole under its temporary name,
    // which the returned file gives it when the run commits its outputs.
    // Throws OutputError.
    virtual PendingFile& Finish() = 0;
};

// A run as a loop steps it.
class BenchSteps {
public:
    virtual ~BenchSteps() = default;
    // One step of the flight model: the vessel moved, the module stepped,
    // the scenario's keys pressed and, when due, the MFDs repainted and
    // the pictures, video frames and telemetry rows written. False, doing
    // nothing, once the run's end is reached. Throws to end the run: a
    // signal, a vessel whose state is no longer finite, an output that
    // cannot be written.
    virtual bool Step() = 0;
    // Throws as Step does when a signal has asked the run to stop.
    virtual void CheckStop() = 0;

    virtual double TimeS() const = 0;
    virtual const VesselState& State() const = 0;
    // Whoever moves the vessel: the live window takes a flown vessel's controls.
    virtual VesselDriver& Driver() = 0;
    virtual std::size_t Mfds() const = 0;
    virtual MfdStation& Station(std::size_t mfd) = 0;
};

// Runs a run's steps in a time of its own: the live window, in real time.
class StepLoop {
public:
    virtual ~StepLoop() = default;
    // Steps until Step() says the end is reached, or the window ends the
    // run (Escape, the window closed). Lets what Step throws through.
    virtual void Run(BenchSteps& steps) = 0;
    // An MFD was repainted on the run's schedule.
    virtual void Repainted(std::size_t mfd) = 0;
    // A closing line on how it went: frames shown, wall time.
    virtual std::string Summary() const = 0;
};

// What the live window shows and who flies.
struct WindowRequest {
    std::string title;
    std::vector<MfdSize> mfds;
    std::string pilot;  // the scenario's: "autopilot", "schedule", "hands off"; empty for a replay
};

// The live window or video cannot be had here: not in this build, no
// display. Bad input, exit status 2.
class UnavailableError : public BadInput {
public:
    using BadInput::BadInput;
};

struct RunExtensions {
    // Opens the live window. Throws UnavailableError when there is no
    // display, another std::exception, with the reason, when it cannot open.
    std::function<std::unique_ptr<StepLoop>(const WindowRequest& request)> window;
    // Makes MFD `mfd`'s video at `path`, frames of its size a repaint
    // interval apart. Throws OutputError when it cannot be written.
    std::function<std::unique_ptr<RepaintSink>(const std::filesystem::path& path, MfdSize size, double frameIntervalS)>
        video;
    // The longest side a video can have, checked with the other inputs.
    std::uint32_t videoMaxSide = 0;
};

}  // namespace quorvel::sim
