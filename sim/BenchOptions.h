// The bench host's command line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorvel::sim {

struct MfdSize {
    std::uint32_t width = 400;
    std::uint32_t height = 400;
};

struct BenchOptions {
    std::string modulePath;   // the module to load; empty: beside the bench host
    double durationS = 420;   // simulated seconds to fly
    bool durationGiven = false;  // else a replay runs the whole log
    std::string replayPath;   // a telemetry log to replay instead of flying
    std::vector<MfdSize> mfds;  // one page per MFD
    std::string outDir = "out";
    double frameEveryS = 5;   // simulated seconds between pictures
    double repaintEveryS = 1; // simulated seconds between repaints, as a host refreshes its MFDs
    bool quiet = false;       // no per-second summary
};

// Parses argv. On --help prints the usage to stdout and returns nullopt
// with exitCode 0; on a bad option prints one message to stderr and
// returns nullopt with exitCode 2.
std::optional<BenchOptions> ParseBenchOptions(int argc, char** argv, int& exitCode);

// "400x300" as a size; nullopt unless both sides are 1 to 65535.
std::optional<MfdSize> ParseMfdSize(const std::string& text);

}  // namespace quorvel::sim
