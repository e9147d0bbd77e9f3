// The bench host's pending files and progress bar.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "sim/PendingFile.h"
#include "sim/ProgressBar.h"

namespace quorvel::sim {
namespace {

namespace fs = std::filesystem;

class PendingFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir = fs::temp_directory_path() / "quorvel-pending-file-test";
};

TEST_F(PendingFileTest, OnlyACommittedFileTakesItsName) {
    const fs::path target = dir / "log.csv";
    std::ofstream(target) << "earlier";
    {
        PendingFile file(target);
        EXPECT_EQ(file.TempPath(), dir / "log.csv.partial");
        std::ofstream(file.TempPath()) << "half";
        EXPECT_EQ((std::ostringstream() << std::ifstream(target).rdbuf()).str(), "earlier");
    }
    EXPECT_FALSE(fs::exists(dir / "log.csv.partial")) << "abandoned, removed";
    EXPECT_TRUE(fs::exists(target)) << "what was there stays";

    PendingFile file(target);
    std::ofstream(file.TempPath()) << "whole";
    EXPECT_TRUE(file.Commit());
    EXPECT_FALSE(fs::exists(file.TempPath()));
    EXPECT_EQ((std::ostringstream() << std::ifstream(target).rdbuf()).str(), "whole");
    EXPECT_FALSE(file.Commit()) << "once only";
}

TEST_F(PendingFileTest, AFailedCommitLeavesNothingBehind) {
    PendingFile nothingWritten(dir / "a.png");
    EXPECT_FALSE(nothingWritten.Commit());
    EXPECT_TRUE(fs::is_empty(dir));
}

TEST(ProgressBarTest, DrawsInPlaceOnlyWhenEnabledAndChanged) {
    std::ostringstream terminal;
    {
        ProgressBar bar(terminal, true, 100, 40);
        bar.Show(110);
        bar.Show(110.2);  // the same line: not drawn again
        EXPECT_EQ(terminal.str(), "\r[#######-----------------------]  25%  t 10 / 40 s");
        bar.Clear();
        EXPECT_EQ(terminal.str().substr(terminal.str().size() - 2), " \r");
        bar.Show(140);
    }
    EXPECT_NE(terminal.str().find("[##############################] 100%  t 40 / 40 s"), std::string::npos);
    EXPECT_EQ(terminal.str().back(), '\r') << "blanked when done";

    std::ostringstream log;
    ProgressBar off(log, false, 0, 10);
    off.Show(5);
    off.Clear();
    EXPECT_EQ(log.str(), "");

    EXPECT_EQ(ProgressBar::Render(NAN, 0, 0).substr(0, 37), "[------------------------------]   0%");
    EXPECT_EQ(ProgressBar::Render(7, 0, 0).substr(32, 5), " 100%");
}

}  // namespace
}  // namespace quorvel::sim
