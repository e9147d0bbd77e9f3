// quorvel-sim ended early, by a signal or an output it cannot write: one
// message, and only whole files left; and the names of what it leaves.

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/BenchProcess.h"

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;

class BenchEndingsTest : public BenchFolderTest {
protected:
    // Runs a shell command line; its exit status, -1 when it did not exit.
    static int Shell(const std::string& command) {
        const int raw = std::system(command.c_str());
        return raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    std::string Bench() const { return Quote(QUORVEL_SIM_PATH) + " --module " + Quote(QUORVEL_MODULE_PATH); }
};

TEST_F(BenchEndingsTest, AClosedPipeOrAHangupStopsTheRunAndLeavesOnlyWholeFiles) {
    // head takes the first line and goes: a later write meets a closed pipe.
    const fs::path status = dir / "status", err = dir / "err", first = dir / "first";
    Shell("{ " + Bench() + " --duration 3000 --out " + Quote(out.string()) + " 2>" + Quote(err.string()) +
          "; echo $? >" + Quote(status.string()) + "; } | head -1 >" + Quote(first.string()));
    EXPECT_EQ(ReadText(status), "1\n");
    EXPECT_EQ(ReadText(first).rfind("loaded ", 0), 0u);
    EXPECT_NE(ReadText(err).find("interrupted at t"), std::string::npos) << ReadText(err);
    EXPECT_NE(ReadText(err).find("SIGPIPE"), std::string::npos) << ReadText(err);
    ExpectOnlyWholePictures(out);

    // A folder of its own, so that the first run's pictures do not set the
    // signal off before this run has begun.
    const fs::path hungUpOut = dir / "hung-up";
    const BenchResult hungUp = RunBench({"--duration", "100000", "--out", hungUpOut.string()}, dir,
                                        SignalOnceThere("HUP", hungUpOut, "mfd0_*.png"));
    EXPECT_EQ(hungUp.status, 1) << hungUp.err;
    EXPECT_NE(hungUp.err.find("SIGHUP"), std::string::npos) << hungUp.err;
    EXPECT_EQ(CountLines(hungUp.err), 1u) << hungUp.err;
    ExpectOnlyWholePictures(hungUpOut);
}

TEST_F(BenchEndingsTest, AnInterruptWhileTheLogIsReadLeavesTheEarlierRunsFiles) {
    // The log comes through a pipe, half of it at once and the rest once
    // the interrupt is sent, then never ends: the interrupt falls between
    // the halves, and the rest lets the reader see it.
    std::vector<std::string> times;
    for (int i = 0; i < 600; ++i) times.push_back(std::to_string(i));
    const std::string log = ReplayLogText(times);
    const std::size_t half = log.find('\n', log.size() / 2) + 1;
    WriteText(dir / "first.csv", log.substr(0, half));
    WriteText(dir / "rest.csv", log.substr(half));
    const fs::path fifo = dir / "log.csv";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    fs::create_directories(out);
    WriteText(out / "mfd0_t0001.00s.png", "earlier");
    WriteText(out / "telemetry.csv", "earlier");

    const auto marker = [&](const char* name) { return Quote((dir / name).string()); };
    const std::string waitFor = "tries=0; until [ -e MARK ] || [ $tries -ge 600 ]; do sleep 0.1; tries=$((tries + 1)); done";
    const auto waitUntil = [&](const char* name) {
        std::string wait = waitFor;
        return wait.replace(wait.find("MARK"), 4, marker(name));
    };
    const std::string writer = "( cat " + Quote((dir / "first.csv").string()) + "; touch " + marker("half-read") +
                               "; " + waitUntil("interrupted") + "; cat " + Quote((dir / "rest.csv").string()) +
                               "; exec sleep 60 ) >" + Quote(fifo.string());
    const int status = Shell(writer + " & w=$!; " + Bench() + " --replay " + Quote(fifo.string()) + " --out " +
                             Quote(out.string()) + " >/dev/null 2>" + Quote((dir / "err").string()) + " & b=$!; " +
                             waitUntil("half-read") + "; kill -INT $b; touch " + marker("interrupted") +
                             "; wait $b; s=$?; kill $w; exit $s");
    const std::string err = ReadText(dir / "err");
    EXPECT_EQ(status, 1) << err;
    EXPECT_NE(err.find("interrupted while reading"), std::string::npos) << err;
    EXPECT_EQ(CountLines(err), 1u) << err;
    EXPECT_EQ(Names(out), (std::vector<std::string>{"mfd0_t0001.00s.png", "telemetry.csv"}));
    EXPECT_EQ(ReadText(out / "telemetry.csv"), "earlier");
}

TEST_F(BenchEndingsTest, AReplayFromBeforeZeroNamesItsPicturesInTimeOrder) {
    WriteText(dir / "log.csv", ReplayLogText({"-40", "-20", "0"}));
    const BenchResult run = RunBench(
        {"--replay", (dir / "log.csv").string(), "--frame-every", "10", "--repaint-every", "10", "--out", out.string()},
        dir);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> expected{"contact-sheet.png",     "mfd0_0_t-0039.98s.png", "mfd0_1_t-0030.00s.png",
                                            "mfd0_2_t-0020.00s.png", "mfd0_3_t-0010.00s.png", "mfd0_4_t0000.00s.png",
                                            "telemetry.csv"};
    EXPECT_EQ(Names(out), expected);

    // A later, ordinary run leaves none of them.
    ASSERT_EQ(RunBench({"--duration", "1", "--out", out.string()}, dir).status, 0);
    EXPECT_EQ(Names(out), (std::vector<std::string>{"contact-sheet.png", "mfd0_t0000.02s.png", "telemetry.csv"}));
}

TEST_F(BenchEndingsTest, OutputNamesAreCheckedBeforeTheFlight) {
    // A folder in the way of a file, or of its temporary name.
    const fs::path video = dir / "v.mp4";
    WriteText(video, "earlier");
    fs::create_directories(dir / "v-mfd1.mp4");
    BenchResult run = RunBench({"--video", video.string(), "--mfd", "10x10", "--mfd", "10x10"}, dir);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "quorvel-sim: --video " + video.string() + ": " + (dir / "v-mfd1.mp4").string() +
                           " is a folder\n");
    EXPECT_EQ(ReadText(video), "earlier");
    fs::create_directories(out / "mfd0_t0000.02s.png.partial");
    run = RunBench({"--duration", "1", "--out", out.string()}, dir);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "quorvel-sim: --out " + out.string() + ": " + (out / "mfd0_t0000.02s.png.partial").string() +
                           " is a folder where the run writes a file\n");
    fs::remove(out / "mfd0_t0000.02s.png.partial");

    // Two outputs at one name, and a video larger than the encoder takes:
    // bad input, found before the module is loaded.
    const fs::path both = dir / "both.mp4";
    run = RunBench({"--out", both.string(), "--video", both.string()}, dir);
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_NE(run.err.find("is also where --out"), std::string::npos) << run.err;
    run = RunBench({"--mfd", "65535x1", "--video", video.string()}, dir);
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_NE(run.err.find("a video's sides must be 1 to 8192 pixels"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadText(video), "earlier");
}

TEST_F(BenchEndingsTest, AFailedWriteToStandardOutputRenamesNothing) {
    const fs::path video = dir / "v.mp4";
    WriteText(video, "earlier");
    const fs::path err = dir / "err";
    const std::string run = Bench() + " --duration 30 --video " + Quote(video.string()) + " --out " +
                            Quote(out.string()) + " 2>" + Quote(err.string());
    EXPECT_EQ(Shell(run + " >/dev/full"), 1);
    EXPECT_NE(ReadText(err).find("cannot write standard output: No space left on device"), std::string::npos)
        << ReadText(err);
    // A reader that goes at once.
    const fs::path status = dir / "status";
    Shell("{ " + run + "; echo $? >" + Quote(status.string()) + "; } | true");
    EXPECT_EQ(ReadText(status), "1\n") << ReadText(err);
    EXPECT_NE(ReadText(err).find("SIGPIPE"), std::string::npos) << ReadText(err);
    EXPECT_EQ(ReadText(video), "earlier");
    EXPECT_FALSE(fs::exists(out / "telemetry.csv"));
    EXPECT_FALSE(fs::exists(out / "contact-sheet.png"));
}

TEST_F(BenchEndingsTest, AnOutputThatCannotBeWrittenIsNamedWithTheReason) {
    // No room for a picture: 4 KiB a file at most.
    BenchResult run = RunBench({"--duration", "1", "--out", out.string()}, dir, "ulimit -f 8;");
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.err.find(".png: File too large"), std::string::npos) << run.err;
    EXPECT_TRUE(Names(out).empty());
}

}  // namespace
}  // namespace quorvel::test
