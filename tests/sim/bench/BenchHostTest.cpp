// quorvel-sim as a user runs it: what it writes, says and exits with.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "sim/bench/BenchOutputs.h"
#include "sim/bench/ContactSheet.h"
#include "tests/support/BenchProcess.h"

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;

using BenchHostTest = BenchFolderTest;

// The number of pixels of one colour in a box of a picture.
int CountColour(const Png& png, std::uint32_t colour, std::uint32_t x0, std::uint32_t y0, std::uint32_t x1,
                std::uint32_t y1) {
    int count = 0;
    for (std::uint32_t y = y0; y < std::min(y1, png.height); ++y) {
        for (std::uint32_t x = x0; x < std::min(x1, png.width); ++x) count += png.Pixel(x, y) == colour;
    }
    return count;
}

TEST_F(BenchHostTest, AShortFlightLeavesPicturesASheetAndTheTelemetryLog) {
    const BenchResult run = RunBench({"--duration", "12", "--frame-every", "5", "--out", out.string()}, dir);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "") << "no progress bar off a terminal";
    EXPECT_NE(run.out.find("flew 12 s in 600 steps"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("wrote contact-sheet.png, telemetry.csv (121 rows)"), std::string::npos) << run.out;
    EXPECT_EQ(Names(out), (std::vector<std::string>{"contact-sheet.png", "mfd0_t0000.02s.png", "mfd0_t0005.00s.png",
                                                    "mfd0_t0010.00s.png", "telemetry.csv"}));

    Png picture;
    ASSERT_TRUE(ReadPng(out / "mfd0_t0010.00s.png", picture));
    EXPECT_EQ(picture.width, 400u);
    EXPECT_EQ(picture.height, 400u);

    // At the start and every 0.1 s, the time first.
    const std::string log = ReadText(out / "telemetry.csv");
    EXPECT_EQ(CountLines(log), 1u + 121u);
    EXPECT_EQ(log.rfind("time_s,altitude_m,", 0), 0u);
    EXPECT_NE(log.find("\n0,"), std::string::npos);
    EXPECT_NE(log.find("\n12,"), std::string::npos);

    // Three thumbnails in a row, each framed, with the page in it and a time label under it.
    Png sheet;
    ASSERT_TRUE(ReadPng(out / "contact-sheet.png", sheet));
    const sim::SheetLayout layout = sim::LayoutSheet(3, 400, 400);
    EXPECT_EQ(sheet.width, layout.width);
    EXPECT_EQ(sheet.height, layout.height);
    for (std::size_t i = 0; i < 3; ++i) {
        const std::uint32_t x = layout.ThumbX(i), y = layout.ThumbY(i);
        EXPECT_EQ(sheet.Pixel(x - 1, y - 1), 0x505050u) << "frame " << i;
        EXPECT_GT(CountColour(sheet, 0, x, y, x + layout.thumbWidth, y + layout.thumbHeight), 1000) << "frame " << i;
        const int drawn = static_cast<int>(layout.thumbWidth * layout.thumbHeight) -
                          CountColour(sheet, 0, x, y, x + layout.thumbWidth, y + layout.thumbHeight);
        EXPECT_GT(drawn, 200) << "the page's dials in frame " << i;
        EXPECT_GT(CountColour(sheet, 0xFFD666, x, y + layout.thumbHeight, x + layout.cellWidth, y + layout.cellHeight),
                  20)
            << "the time under frame " << i;
    }
}

TEST_F(BenchHostTest, EachMfdGetsItsOwnPicturesAndContactSheet) {
    const BenchResult run =
        RunBench({"--mfd", "400x400", "--mfd", "320x200", "--duration", "5", "--out", out.string()}, dir);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("MFD 1: 320x200 page open"), std::string::npos);
    Png picture, sheet;
    ASSERT_TRUE(ReadPng(out / "mfd1_t0005.00s.png", picture));
    EXPECT_EQ(picture.width, 320u);
    EXPECT_EQ(picture.height, 200u);
    ASSERT_TRUE(ReadPng(out / "mfd0_t0005.00s.png", picture));
    EXPECT_EQ(picture.width, 400u);
    ASSERT_TRUE(ReadPng(out / "contact-sheet-mfd1.png", sheet));
    EXPECT_EQ(sheet.height, sim::LayoutSheet(2, 320, 200).height);
    EXPECT_TRUE(fs::exists(out / "contact-sheet.png"));
}

TEST_F(BenchHostTest, ReplayingItsOwnLogFeedsTheModuleTheSameStates) {
    const fs::path flown = dir / "flown", replayed = dir / "replayed";
    ASSERT_EQ(RunBench({"--duration", "30", "--out", flown.string()}, dir).status, 0);
    const BenchResult run = RunBench({"--replay", (flown / "telemetry.csv").string(), "--out", replayed.string()}, dir);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("replayed 30 s in 1500 steps"), std::string::npos) << run.out;
    EXPECT_EQ(ReadText(replayed / "telemetry.csv"), ReadText(flown / "telemetry.csv"));

    // Between the records the replay interpolates, so a rate the page
    // derives may differ by a pixel or so; the pictures are otherwise the same.
    ASSERT_EQ(Names(replayed), Names(flown));
    for (const std::string& name : Names(flown)) {
        if (name.rfind("mfd0_", 0) != 0) continue;
        Png a, b;
        ASSERT_TRUE(ReadPng(flown / name, a));
        ASSERT_TRUE(ReadPng(replayed / name, b));
        ASSERT_EQ(a.rgb.size(), b.rgb.size());
        std::size_t differing = 0;
        for (std::size_t i = 0; i < a.rgb.size(); i += 3)
            differing += a.rgb[i] != b.rgb[i] || a.rgb[i + 1] != b.rgb[i + 1];
        EXPECT_LT(differing, a.rgb.size() / 3 / 200) << name;
    }
}

TEST_F(BenchHostTest, BadInputExitsTwoWithOneMessageAndWritesNothing) {
    const fs::path scenario = dir / "typo.toml", replay = dir / "bad.csv", keys = dir / "keys.toml";
    WriteText(scenario, "name = \"x\"\n[vessel]\nempty_mass_kg = 6600\nmain_tank_kgs = 100\n");
    WriteText(replay, "time_s\n");
    WriteText(keys, "[[key]]\ntime_s = 1\ncode = 47\n\n[[key]]\ntime_s = 2\nmfd = 1\ncode = 47\n");
    const fs::path feather = dir / "feather.toml";
    WriteText(feather, "[vessel]\nempty_mass_kg = 1e-300\nmain_tank_kg = 0\nrcs_tank_kg = 0\n[start]\nplace = "
                       "\"flight\"\naltitude_m = 10000\nspeed_mps = 300\n[controls]\nautopilot = \"none\"\n");
    const fs::path distant = dir / "distant.csv";
    WriteText(distant, ReplayLogText({"0", "1e60"}));
    // No string that becomes a file name or is printed holds a NUL or a
    // control character: the file opened is the one checked, and nothing
    // printed acts on the terminal.
    const fs::path victim = dir / "victim.txt", nul = dir / "nul.toml", escape = dir / "escape.toml";
    WriteText(victim, "keep");
    WriteText(nul, "[output]\nvideo = \"" + victim.string() + "\\u0000.mp4\"\nduration_s = 1\n");
    WriteText(escape, "name = \"a\\u001b]0;title\\u0007\"\n");
    std::vector<std::string> seventeenMfds;
    for (int i = 0; i < 17; ++i) seventeenMfds.insert(seventeenMfds.end(), {"--mfd", "10x10"});
    const struct {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"--scenario", scenario.string()}, scenario.string() + ":4: vessel.main_tank_kgs: unknown key"},
        {{"--replay", replay.string()}, replay.string() + ":1: altitude_m: column missing from the header"},
        {{"--scenario", keys.string()}, keys.string() + ":7: key[1].mfd: no MFD 1: the run has 1"},
        {{"--scenario", (dir / "none.toml").string()},
         "none.toml: cannot open the scenario file: No such file or directory"},
        {{"--mfd", "0x400"}, "--mfd 0x400: expected WIDTHxHEIGHT"},
        {{"--frame-every", "0"}, "--frame-every 0: must be 0.02 to 1000000 seconds"},
        {{"--duration", "nan"}, "--duration nan: must be 0.02 to 1000000 seconds"},
        {{"--frame-every", "NAN"}, "--frame-every NAN: must be 0.02 to 1000000 seconds"},
        {{"--repaint-every", "-nan"}, "--repaint-every -nan: must be 0.02 to 1000000 seconds"},
        {{"--duration", "abc"}, "--duration abc: not a number"},
        {{"--mfd", "11586x11586"}, "--mfd 11586x11586: needs 512.1 MiB of pixels, more than the 512 MiB a surface"},
        {{"--mfd", "65535x65535"}, "--mfd 65535x65535: needs 16383.5 MiB of pixels"},
        {seventeenMfds, "--mfd: at most 16 MFDs, not 17"},
        {{"--scenario", feather.string()}, feather.string() + ":2: vessel.empty_mass_kg: must be 10 to"},
        {{"--replay", distant.string()}, distant.string() + ":3: time_s: must be -1000000000 to 1000000000, not 1e60"},
        {{"--scenario", dir.string()}, dir.string() + ": cannot read the scenario file: Is a directory"},
        {{"--replay", dir.string()}, dir.string() + ": cannot read the replay log: Is a directory"},
        {{"--scenario", nul.string()}, nul.string() + ":2: output.video: holds a NUL at byte"},
        {{"--scenario", escape.string()}, escape.string() + ":1: name: holds a control character (0x1B) at byte 2"},
        {{"--video", "a\xC2\x85.mp4"}, "--video \"a??.mp4\": holds a control character (U+0085) at byte 2"},
        {{"--replay", "\xff.csv"}, "--replay \"?.csv\": is not UTF-8 text (0xFF) at byte 1"},
        {{"--bogus\x1b[2J"}, "not expected: --bogus?[2J"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"--out", out.string()});
        const BenchResult run = RunBench(args, dir);
        EXPECT_EQ(run.status, 2) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(CountLines(run.err), 1u) << run.err;
        EXPECT_FALSE(fs::exists(out)) << c.message;
    }
    EXPECT_EQ(ReadText(victim), "keep");
    EXPECT_EQ(RunBench({"--out", "o\nut"}, dir).err,
              "quorvel-sim: --out \"o?ut\": holds a control character (0x0A) at byte 2\n");
    // With a second MFD the same key presses are good.
    EXPECT_EQ(RunBench({"--scenario", keys.string(), "--mfd", "200x200", "--mfd", "200x200", "--duration", "3", "--out",
                        out.string()},
                       dir)
                  .status,
              0);
}

TEST_F(BenchHostTest, RuntimeFailuresExitOne) {
    // Missing, not a module, and a library the bench host has loaded already
    // that lacks the module's exports: one line each, also under the sanitizers.
    WriteText(dir / "garbage.so", "not a module");
    const fs::path hostLibrary = fs::path(QUORVEL_SIM_PATH).parent_path() / "libquorvel_host.so";
    BenchResult run;
    for (const fs::path& module : {dir / "missing.so", dir / "garbage.so", hostLibrary}) {
        run = RunBench({"--module", module.string(), "--out", out.string()}, dir);
        EXPECT_EQ(run.status, 1) << module;
        EXPECT_NE(run.err.find(module.filename().string()), std::string::npos) << run.err;
        EXPECT_EQ(CountLines(run.err), 1u) << run.err;
    }

    WriteText(dir / "a-file", "");
    run = RunBench({"--duration", "1", "--out", (dir / "a-file").string()}, dir);
    EXPECT_EQ(run.status, 2) << "a name known to be bad before the run";
    EXPECT_NE(run.err.find("a-file: not a folder"), std::string::npos) << run.err;
}

TEST_F(BenchHostTest, AnInterruptedRunLeavesOnlyWholePictures) {
    // A picture every step, so the interruption most likely lands in a write.
    const BenchResult run = RunBench({"--duration", "100000", "--frame-every", "0.02", "--out", out.string()}, dir,
                                     SignalOnceThere("INT", out, "mfd0_*.png"));
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.err.find("interrupted at t"), std::string::npos) << run.err;
    EXPECT_FALSE(Names(out).empty());
    ExpectOnlyWholePictures(out);
}

TEST_F(BenchHostTest, AnEarlierRunsFilesMakeWayAndOthersStay) {
    fs::create_directories(out);
    for (const char* name : {"mfd0_t9999.00s.png", "mfd0_t-040.00s.png", "mfd1_07_t-0010.00s.png.partial",
                             "contact-sheet-mfd3.png", "telemetry.csv.partial", "notes.txt"}) {
        WriteText(out / name, "old");
    }
    ASSERT_EQ(RunBench({"--duration", "1", "--out", out.string()}, dir).status, 0);
    EXPECT_EQ(Names(out),
              (std::vector<std::string>{"contact-sheet.png", "mfd0_t0000.02s.png", "notes.txt", "telemetry.csv"}));
}

TEST_F(BenchHostTest, TheProgressBarShowsOnATerminalOnly) {
    // script runs the bench host on a pseudo-terminal and copies what it shows.
    const fs::path screen = dir / "screen.txt";
    const std::string bench = Quote(QUORVEL_SIM_PATH) + " --module " + Quote(QUORVEL_MODULE_PATH) +
                              " --duration 20 --out " + Quote(out.string());
    const std::string command =
        "script -qec " + Quote(bench + " >/dev/null") + " /dev/null >" + Quote(screen.string()) + " 2>&1 </dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string shown = ReadText(screen);
    EXPECT_NE(shown.find("] 100%  t 20 / 20 s"), std::string::npos) << shown;
    EXPECT_NE(shown.find("\r[###############---------------]  50%"), std::string::npos) << shown;

    const BenchResult quiet = RunBench({"--duration", "20", "--out", out.string()}, dir);
    EXPECT_EQ(quiet.err, "");
}

TEST_F(BenchHostTest, HelpNamesEveryOptionAndTheExitStatuses) {
    const BenchResult run = RunBench({"--help"}, dir);
    EXPECT_EQ(run.status, 0);
    for (const char* option : {"--scenario", "--replay", "--module", "--duration", "--mfd", "--out", "--frame-every",
                               "--repaint-every", "--quiet", "Exit status"}) {
        EXPECT_NE(run.out.find(option), std::string::npos) << option;
    }
}

}  // namespace
}  // namespace quorvel::test
