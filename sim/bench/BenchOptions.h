// The bench host's command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sim/bench/MfdSize.h"
#include "sim/bench/Scenario.h"

namespace quorvel::sim {

// What the command line asks for. Unset values leave the scenario's own.
struct BenchOptions {
    std::string modulePath;    // the module to load; empty: beside the bench host
    std::string scenarioPath;  // a scenario file; empty: the built-in flight
    std::string replayPath;    // a telemetry log to replay instead of flying
    std::optional<double> durationS;      // simulated seconds to run
    std::vector<MfdSize> mfds;            // one page per MFD
    std::string outDir = "out";
    std::optional<double> frameEveryS;    // simulated seconds between pictures
    std::optional<double> repaintEveryS;  // between repaints, as a host refreshes its MFDs
    bool quiet = false;  // no running summary, key reports or progress bar
    bool window = false;    // fly it live, in real time, in a window
    std::string videoPath;  // a video of each MFD's repaints; empty: none
};

// Parses argv. On --help prints the usage to stdout and returns nullopt
// with exitCode 0; on a bad option prints one message to stderr and
// returns nullopt with exitCode 2.
std::optional<BenchOptions> ParseBenchOptions(int argc, char** argv, int& exitCode);

// The command line's values in place of the scenario's. Throws InputError
// (naming the scenario's line) when a key press is for an MFD the run
// does not have.
void ApplyOptions(const BenchOptions& options, Scenario& scenario);

}  // namespace quorvel::sim
