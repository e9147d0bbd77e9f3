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
    double duration = 0, frameEvery = 0, repaintEvery = 0;
    CLI::App app{
        "quorvel-sim: flies a rocket plane with QuorvelMFD pages open, as the host does, and writes\n"
        "pictures of the pages, a contact sheet per MFD and a telemetry log.\n"
        "With no options it flies the built-in default flight (420 s, one 400x400 MFD,\n"
        "a picture every 5 s). Options given here override the scenario's own values."};
    app.add_option("--scenario", options.scenarioPath, "a scenario file (TOML) to fly instead of the built-in flight")
        ->type_name("FILE");
    app.add_option("--replay", options.replayPath,
                   "drive the vessel from a telemetry log (CSV, as the bench host writes) instead of the flight "
                   "model; runs the whole log unless a duration is given")
        ->type_name("FILE.csv");
    app.add_option("--module", options.modulePath, "the module to load (default: QuorvelMFD beside the bench host)")
        ->type_name("FILE");
    const CLI::Option* durationOption =
        app.add_option("--duration", duration,
                       "simulated seconds to run (default: the scenario's, 420 s built in; a replay: the whole log)")
            ->check(CLI::Range(0.02, 1e6))
            ->type_name("SECONDS");
    app.add_option("--mfd", mfds,
                   "an MFD of WIDTHxHEIGHT pixels showing the page; repeat for more, each gets its own pictures "
                   "(default: the scenario's, one 400x400 built in)")
        ->type_name("WxH");
    app.add_option("--out", options.outDir,
                   "folder for the pictures (mfd<i>_t<time>s.png), contact sheets and telemetry.csv")
        ->capture_default_str()
        ->type_name("DIR");
    const CLI::Option* frameOption =
        app.add_option("--frame-every", frameEvery, "simulated seconds between pictures (default: 5)")
            ->check(CLI::Range(0.02, 1e6))
            ->type_name("SECONDS");
    const CLI::Option* repaintOption =
        app.add_option("--repaint-every", repaintEvery, "simulated seconds between repaints (default: 1)")
            ->check(CLI::Range(0.02, 1e6))
            ->type_name("SECONDS");
    app.add_flag("--quiet", options.quiet, "no running summary, key reports or progress bar; only the closing lines");
    app.footer(
        "The progress bar shows on stderr only when it is a terminal.\n"
        "Exit status: 0 success; 1 runtime failure (the module cannot be loaded, an output cannot be\n"
        "written, interrupted); 2 bad options, scenario file or replay log (one message naming the\n"
        "file, line and field).");

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
    for (const std::string& text : mfds) {
        const auto size = ParseMfdSize(text);
        if (!size) {
            std::cerr << "quorvel-sim: --mfd " << text << ": expected WIDTHxHEIGHT, each 1 to 65535\n";
            exitCode = 2;
            return std::nullopt;
        }
        options.mfds.push_back(*size);
    }
    if (options.outDir.empty()) {
        std::cerr << "quorvel-sim: --out: expected a folder, not nothing\n";
        exitCode = 2;
        return std::nullopt;
    }
    if (durationOption->count() > 0) options.durationS = duration;
    if (frameOption->count() > 0) options.frameEveryS = frameEvery;
    if (repaintOption->count() > 0) options.repaintEveryS = repaintEvery;
    exitCode = 0;
    return options;
}

}  // namespace quorvel::sim
