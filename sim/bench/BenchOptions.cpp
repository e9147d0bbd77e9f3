#include "sim/bench/BenchOptions.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <cstdio>
#include <iostream>
#include <stdexcept>
#include <utility>

#include "sim/bench/InputError.h"
#include "sim/bench/MessageText.h"
#include "sim/bench/VideoNames.h"
#include "sim/files/ProgramExit.h"
#include "sim/files/NameText.h"
#include "sim/flight/FlightModel.h"

namespace quorvel::sim {

namespace {

static_assert(kMinIntervalS == flight::FlightModel::kStepS);

// The command line's faults, each one message.
class OptionError : public BadInput {
public:
    using BadInput::BadInput;
};

// A time option's value: a number of seconds a run can step through.
double Seconds(const std::string& option, const std::string& text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || end != text.data() + text.size() || error == std::errc::invalid_argument) {
        throw OptionError(option + " " + Excerpt(text) + ": not a number");
    }
    // Out of the double's range, nan or inf, all fail the same check.
    if (error != std::errc{} || !(value >= kMinIntervalS && value <= kMaxRunS)) {
        throw OptionError(option + " " + Excerpt(text) + ": must be 0.02 to 1000000 seconds");
    }
    return value;
}

std::vector<MfdSize> MfdSizes(const std::vector<std::string>& texts) {
    if (texts.size() > kMaxMfds) {
        throw OptionError("--mfd: at most " + std::to_string(kMaxMfds) + " MFDs, not " + std::to_string(texts.size()));
    }
    std::vector<MfdSize> sizes;
    for (const std::string& text : texts) {
        const auto size = ParseMfdSize(text);
        if (!size) throw OptionError("--mfd " + Excerpt(text) + ": expected WIDTHxHEIGHT, each 1 to 65535");
        if (const std::string fault = MfdSizeFault(*size); !fault.empty()) {
            throw OptionError("--mfd " + text + ": " + fault);
        }
        sizes.push_back(*size);
    }
    return sizes;
}

// What CLI11 leaves as text, checked after parsing so that each fault gets
// one message of ours; and which of the time options were given.
struct OptionTexts {
    std::vector<std::string> mfds;
    std::string duration;
    std::string frameEvery;
    std::string repaintEvery;
    const CLI::Option* durationOption = nullptr;
    const CLI::Option* frameOption = nullptr;
    const CLI::Option* repaintOption = nullptr;
};

constexpr const char* kDescription =
    "quorvel-sim: flies a rocket plane with QuorvelMFD pages open, as the host does, and writes\n"
    "pictures of the pages, a contact sheet per MFD and a telemetry log.\n"
    "With no options it flies the built-in default flight (420 s, one 400x400 MFD,\n"
    "a picture every 5 s). Options given here override the scenario's own values.";

constexpr const char* kFooter =
    "The progress bar shows on stderr only when it is a terminal.\n"
    "Exit status: 0 success, also when the window is closed early; 1 runtime failure (the module\n"
    "cannot be loaded, the window cannot open, an output or stdout cannot be written, the vessel's\n"
    "state stopped being finite, stopped by SIGINT, SIGTERM, SIGHUP or SIGPIPE); 2 bad options,\n"
    "scenario file or replay log, an output's name taken by a folder or another output, or --window\n"
    "with no display (one message naming the option, or the file, line and field). Nothing is\n"
    "written before every input is checked.";

#ifdef _WIN32
constexpr const char* kWindowHelp = "fly it live in a window: not in this Windows build";
constexpr const char* kVideoHelp = "an MP4 video of each MFD: not in this Windows build";
#else
constexpr const char* kWindowHelp =
    "fly it live in a window, in real time, from the keyboard or a game controller (see the README); ends at the "
    "run's duration, or with Escape or the window closed. The window fits the display: MFDs in rows, scaled down "
    "when they do not fit, any size --mfd takes";
constexpr const char* kVideoHelp =
    "an H.264 MP4 of each MFD, a frame per repaint: FILE.mp4 for MFD 0, FILE-mfd<i>.mp4 for MFD i, in a folder "
    "that exists; each side at most 8192 pixels";
#endif

void DescribeOptions(CLI::App& app, BenchOptions& options, OptionTexts& texts) {
    // Given "", a file's option would fall back to its default in silence.
    const CLI::Validator named(
        [](const std::string& name) { return name.empty() ? std::string("expected a file, not nothing") : ""; }, "");
    app.add_option("--scenario", options.scenarioPath, "a scenario file (TOML) to fly instead of the built-in flight")
        ->check(named)
        ->type_name("FILE");
    app.add_option("--replay", options.replayPath,
                   "drive the vessel from a telemetry log (CSV, as the bench host writes) instead of the flight "
                   "model; runs the whole log unless a duration is given")
        ->check(named)
        ->type_name("FILE.csv");
    app.add_option("--module", options.modulePath, "the module to load (default: QuorvelMFD beside the bench host)")
        ->check(named)
        ->type_name("FILE");
    texts.durationOption =
        app.add_option("--duration", texts.duration,
                       "simulated seconds to run (default: the scenario's, 420 s built in; a replay: the whole log)")
            ->type_name("SECONDS");
    app.add_option("--mfd", texts.mfds,
                   "an MFD of WIDTHxHEIGHT pixels showing the page; repeat for up to 16, each gets its own "
                   "pictures (default: the scenario's, one 400x400 built in)")
        ->type_name("WxH");
    app.add_option("--out", options.outDir,
                   "folder for the pictures (mfd<i>_t<time>s.png), contact sheets and telemetry.csv")
        ->capture_default_str()
        ->type_name("DIR");
    texts.frameOption =
        app.add_option("--frame-every", texts.frameEvery, "simulated seconds between pictures (default: 5)")
            ->type_name("SECONDS");
    texts.repaintOption =
        app.add_option("--repaint-every", texts.repaintEvery,
                       "simulated seconds between repaints, the host's MFD refresh (default: 1; in the window 0.1, "
                       "ten a second at 1x)")
            ->type_name("SECONDS");
    app.add_flag("--quiet", options.quiet, "no running summary, key reports or progress bar; only the closing lines");
    app.add_flag("--window", options.window, kWindowHelp);
    app.add_option("--video", options.videoPath, kVideoHelp)->check(named)->type_name("FILE.mp4");
    app.footer(kFooter);
}

// Throws OptionError for the first value that is not one a run can take.
void CheckTexts(const OptionTexts& texts, BenchOptions& options) {
    const std::pair<const char*, const std::string&> names[] = {{"--scenario", options.scenarioPath},
                                                                {"--replay", options.replayPath},
                                                                {"--module", options.modulePath},
                                                                {"--out", options.outDir},
                                                                {"--video", options.videoPath}};
    for (const auto& [option, name] : names) {
        if (const std::string fault = NameTextFault(name); !fault.empty()) {
            throw OptionError(std::string(option) + " \"" + Excerpt(name) + "\": " + fault);
        }
    }
    options.mfds = MfdSizes(texts.mfds);
    if (options.outDir.empty()) throw OptionError("--out: expected a folder, not nothing");
    if (texts.durationOption->count() > 0) options.durationS = Seconds("--duration", texts.duration);
    if (texts.frameOption->count() > 0) options.frameEveryS = Seconds("--frame-every", texts.frameEvery);
    if (texts.repaintOption->count() > 0) options.repaintEveryS = Seconds("--repaint-every", texts.repaintEvery);
    if (!options.videoPath.empty()) {
        if (const std::string fault = VideoNameFault(options.videoPath); !fault.empty()) {
            throw OptionError("--video " + options.videoPath + ": " + fault);
        }
    }
}

}  // namespace

std::optional<BenchOptions> ParseBenchOptions(int argc, char** argv, int& exitCode) {
    BenchOptions options;
    OptionTexts texts;
    CLI::App app{kDescription};
    DescribeOptions(app, options, texts);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        exitCode = 0;
        return std::nullopt;
    } catch (const CLI::ParseError& error) {
        // CLI11 quotes the words it did not take as they came.
        std::cerr << "quorvel-sim: " << Printable(error.what()) << " (see --help)\n";
        exitCode = 2;
        return std::nullopt;
    }
    exitCode = ExitStatusOf("quorvel-sim", [&] {
        CheckTexts(texts, options);
        return 0;
    });
    if (exitCode != 0) return std::nullopt;
    return options;
}

void ApplyOptions(const BenchOptions& options, Scenario& scenario) {
    OutputSchedule& output = scenario.output;
    if (options.durationS) output.durationS = options.durationS;
    if (options.frameEveryS) output.frameEveryS = *options.frameEveryS;
    if (options.repaintEveryS) output.repaintEveryS = *options.repaintEveryS;
    if (!options.mfds.empty()) output.mfds = options.mfds;
    if (!options.videoPath.empty()) output.videoPath = options.videoPath;
    for (const KeyPress& key : scenario.keys) {
        if (key.mfd >= output.mfds.size()) {
            throw InputError(scenario.source, key.sourceLine, "key[" + std::to_string(key.index) + "].mfd",
                             "no MFD " + std::to_string(key.mfd) + ": the run has " +
                                 std::to_string(output.mfds.size()) + " (numbered from 0)");
        }
    }
}

}  // namespace quorvel::sim
