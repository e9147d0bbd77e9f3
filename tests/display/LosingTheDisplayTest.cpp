// The live window needs a display that shows it, and stops cleanly when it
// loses it: quorvel-sim run as a user runs it, against a display number
// with no server, and against an X server of its own that is killed while
// the run flies.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/BenchProcess.h"

namespace quorvel::test {
namespace {

class LosingTheDisplayTest : public BenchFolderTest {};

// A display number no server has taken.
std::string FreeDisplay() {
    for (int number = 700;; ++number) {
        const std::string n = std::to_string(number);
        if (!std::filesystem::exists("/tmp/.X11-unix/X" + n) && !std::filesystem::exists("/tmp/.X" + n + "-lock")) {
            return ":" + n;
        }
    }
}

TEST_F(LosingTheDisplayTest, AWindowNobodyCanSeeIsRefused) {
    const std::string display = FreeDisplay();
    for (const std::string driver : {"", "SDL_VIDEODRIVER=offscreen", "SDL_VIDEODRIVER=dummy"}) {
        SCOPED_TRACE(driver);
        const BenchResult run = RunBench({"--window", "--duration", "2", "--out", out.string()}, dir,
                                         "env -u WAYLAND_DISPLAY DISPLAY=" + display + " " + driver + " timeout 60");
        EXPECT_EQ(run.status, 1) << run.err;
        EXPECT_EQ(run.err.rfind("quorvel-sim: --window: no display answers at DISPLAY=" + display, 0), 0u) << run.err;
        EXPECT_EQ(CountLines(run.err), 1u) << run.err;
        EXPECT_FALSE(std::filesystem::exists(out)) << "nothing written";
    }
}

// The server goes away once the run is writing its telemetry and videos:
// the earlier run's video stays, and no partial file is left.
TEST_F(LosingTheDisplayTest, LosingTheXServerLeavesNoPartialFiles) {
    WriteText(dir / "v.mp4", "an earlier run's");
    const std::string prefix =
        "env -u WAYLAND_DISPLAY sh -c 'dir=$1; shift; Xvfb -displayfd 3 -nolisten tcp 3>\"$dir/display\" 2>/dev/null & "
        "x=$!; tries=0; until [ -s \"$dir/display\" ] || [ $tries -ge 300 ]; do sleep 0.1; tries=$((tries + 1)); done; "
        "DISPLAY=:$(cat \"$dir/display\") timeout 120 \"$@\" & run=$!; tries=0; "
        "until [ -e \"$dir/v-mfd1.mp4.partial\" ] || [ $tries -ge 600 ]; do sleep 0.1; tries=$((tries + 1)); done; "
        "sleep 1; kill $x; wait $run' sh " +
        Quote(dir.string());
    const BenchResult run = RunBench({"--window", "--quiet", "--duration", "600", "--mfd", "100x100", "--mfd",
                                      "100x100", "--video", (dir / "v.mp4").string(), "--out", out.string()},
                                     dir, prefix);
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(run.err.rfind("quorvel-sim: --window: the connection to the X server was lost at t ", 0), 0u)
        << run.err;
    EXPECT_EQ(CountLines(run.err), 1u) << run.err;
    EXPECT_EQ(ReadText(dir / "v.mp4"), "an earlier run's");
    for (const std::string& name : Names(dir)) EXPECT_EQ(name.find(".partial"), std::string::npos) << name;
    for (const std::string& name : Names(out)) {
        EXPECT_EQ(name.find(".partial"), std::string::npos) << name;
        EXPECT_NE(name, "telemetry.csv");
    }
}

}  // namespace
}  // namespace quorvel::test
