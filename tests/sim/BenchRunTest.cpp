#include "sim/BenchRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "sim/Telemetry.h"

namespace quorvel::sim {
namespace {

TEST(BenchRunTest, AShortFlightWritesPicturesAndAReplayableLog) {
    const auto out = std::filesystem::temp_directory_path() / "quorvel-bench-run-test";
    std::filesystem::remove_all(out);
    BenchOptions options;
    options.modulePath = QUORVEL_MODULE_PATH;
    options.durationS = 2;
    options.frameEveryS = 1;
    options.outDir = out.string();
    options.mfds = {MfdSize{200, 200}};
    options.quiet = true;
    std::ostringstream report;
    ASSERT_EQ(RunBench(options, report), 0) << report.str();

    EXPECT_TRUE(std::filesystem::exists(out / PictureName(0, 1.0)));
    EXPECT_TRUE(std::filesystem::exists(out / PictureName(0, 2.0)));
    EXPECT_FALSE(std::filesystem::exists(out / "telemetry.csv.partial"));
    const auto log = ReadTelemetryLog((out / "telemetry.csv").string());
    ASSERT_EQ(log.size(), 21u);  // the start, then every 0.1 s
    EXPECT_NEAR(log.back().timeS, 2.0, 1e-9);
    EXPECT_TRUE(log.back().state.landed) << "still at rest before the take-off roll";
    EXPECT_NEAR(log.back().state.altitude, 0.0, 0.01);

    // The log replays, and the replay shows the same flight on the page.
    BenchOptions again = options;
    again.replayPath = (out / "telemetry.csv").string();
    again.outDir = (out / "replay").string();
    again.durationGiven = false;
    std::ostringstream replayReport;
    ASSERT_EQ(RunBench(again, replayReport), 0) << replayReport.str();
    EXPECT_NE(replayReport.str().find("replayed 2 s in 100 steps"), std::string::npos) << replayReport.str();
    EXPECT_TRUE(std::filesystem::exists(out / "replay" / PictureName(0, 2.0)));
    EXPECT_EQ(ReadTelemetryLog((out / "replay" / "telemetry.csv").string()).back().state.altitude,
              log.back().state.altitude);
    std::filesystem::remove_all(out);
}

TEST(BenchRunTest, ABadReplayLogExitsWithStatusTwoBeforeFlying) {
    BenchOptions options;
    options.modulePath = QUORVEL_MODULE_PATH;
    options.replayPath = "/nonexistent/telemetry.csv";
    options.mfds = {MfdSize{}};
    std::ostringstream report;
    EXPECT_EQ(RunBench(options, report), 2);
    EXPECT_TRUE(report.str().empty()) << "nothing was loaded or flown";
}

TEST(BenchRunTest, PictureNamesSortByTime) {
    EXPECT_EQ(PictureName(0, 5), "mfd0_t0005.00s.png");
    EXPECT_LT(PictureName(1, 95.5), PictureName(1, 100));
}

TEST(BenchRunTest, AModuleThatCannotBeLoadedFailsTheRun) {
    BenchOptions options;
    options.modulePath = "/nonexistent/QuorvelMFD.so";
    options.mfds = {MfdSize{}};
    std::ostringstream report;
    EXPECT_EQ(RunBench(options, report), 1);
}

}  // namespace
}  // namespace quorvel::sim
