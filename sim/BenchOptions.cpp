#include "sim/BenchOptions.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <cmath>
#include <iostream>

namespace quorvel::sim {

std::optional<MfdSize> ParseMfdSize(const std::string& text) {
    const auto x = text.find('x');
    if (x == std::string::npos) return std::nullopt;
    const auto number = [](const char* first, const char* last) -> std::optional<std::uint32_t> {
        std::uint32_t value = 0;
        const auto [end, error] = std::from_chars(first, last, value);
        if (error != std::errc{} || end != last || value < 1 || value > 65535) return std::nullopt;
        return value;
    };
    const auto width = number(text.data(), text.data() + x);
    const auto height = number(text.data() + x + 1, text.data() + text.size());
    if (!width || !height) return std::nullopt;
    return MfdSize{*width, *height};
}

std::optional<BenchOptions> ParseBenchOptions(int argc, char** argv, int& exitCode) {
    BenchOptions options;
    std::vector<std::string> mfds;
    CLI::App app{"quorvel-sim: flies a rocket plane with QuorvelMFD pages open, as the host does"};
    app.add_option("--module", options.modulePath, "the module to load (default: QuorvelMFD beside the bench host)");
    app.add_option("--replay", options.replayPath,
                   "drive the vessel from a telemetry log (the telemetry.csv a run writes is one) instead of flying")
        ->type_name("FILE.csv");
    app.add_option("--duration", options.durationS, "simulated seconds to fly (a replay: the whole log)")
        ->check(CLI::Range(0.02, 1e6))
        ->capture_default_str();
    app.add_option("--mfd", mfds, "an MFD of WIDTHxHEIGHT pixels showing the page; repeat for more (default 400x400)")
        ->type_name("WxH");
    app.add_option("--out", options.outDir, "directory for the pictures")->capture_default_str();
    app.add_option("--frame-every", options.frameEveryS, "simulated seconds between pictures")
        ->check(CLI::Range(0.02, 1e6))
        ->capture_default_str();
    app.add_option("--repaint-every", options.repaintEveryS, "simulated seconds between repaints")
        ->check(CLI::Range(0.02, 1e6))
        ->capture_default_str();
    app.add_flag("--quiet", options.quiet, "no per-second summary");

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        exitCode = 0;
        return std::nullopt;
    } catch (const CLI::ParseError& error) {
        std::cerr << "quorvel-sim: " << error.what() << " (see --help)\n";
        exitCode = 2;
        return std::nullopt;
    }
    options.durationGiven = app.count("--duration") > 0;
    for (const std::string& text : mfds) {
        const auto size = ParseMfdSize(text);
        if (!size) {
            std::cerr << "quorvel-sim: --mfd " << text << ": expected WIDTHxHEIGHT, each 1 to 65535\n";
            exitCode = 2;
            return std::nullopt;
        }
        options.mfds.push_back(*size);
    }
    if (options.mfds.empty()) options.mfds.push_back(MfdSize{});
    exitCode = 0;
    return options;
}

}  // namespace quorvel::sim
