// The bench host's command line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorvel::sim {

struct MfdSize {
    std::uint32_t width = 400;
    std::uint32_t height = 400;
};

// What a run may be asked for, from the command line or a scenario file.
inline constexpr double kMinIntervalS = 0.02;  // one step of the flight model
inline constexpr double kMaxRunS = 1e6;
inline constexpr std::size_t kMaxMfds = 16;
// Unless the options or the scenario say: a batch run repaints once a
// simulated second, the live window ten times.
inline constexpr double kRepaintEveryS = 1;
inline constexpr double kWindowRepaintEveryS = 0.1;

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

// "400x300" as a size; nullopt unless both sides are 1 to 65535.
std::optional<MfdSize> ParseMfdSize(const std::string& text);

// Why the platform cannot make a surface of that size ("needs 512.1 MiB of
// pixels, more than ..."), or empty when it can.
std::string MfdSizeFault(MfdSize size);

}  // namespace quorvel::sim
