// The bench host's pending files and progress bar.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "sim/bench/BenchOutputs.h"
#include "sim/files/PendingFile.h"
#include "sim/bench/ProgressBar.h"
#include "tests/support/BenchProcess.h"

namespace quorvel::sim {
namespace {

namespace fs = std::filesystem;

class PendingFileTest : public ::testing::Test {
protected:
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir = test::TestFolder();
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

// A link at the temporary name, left or planted, is not written through.
TEST_F(PendingFileTest, ALinkAtTheTemporaryNameIsNotWrittenThrough) {
    std::ofstream(dir / "other.txt") << "other";
    fs::create_symlink(dir / "other.txt", dir / "v.mp4.partial");
    PendingFile file(dir / "v.mp4");
    std::ofstream(file.TempPath()) << "video";
    EXPECT_TRUE(file.Commit());
    EXPECT_EQ((std::ostringstream() << std::ifstream(dir / "other.txt").rdbuf()).str(), "other");
    EXPECT_FALSE(fs::is_symlink(dir / "v.mp4"));
}

TEST_F(PendingFileTest, AFailedCommitLeavesNothingBehind) {
    PendingFile nothingWritten(dir / "a.png");
    EXPECT_FALSE(nothingWritten.Commit());
    EXPECT_TRUE(fs::is_empty(dir));
}

TEST_F(PendingFileTest, ASetIsCommittedWholeOrNotAtAll) {
    const auto text = [](const fs::path& path) { return (std::ostringstream() << std::ifstream(path).rdbuf()).str(); };
    std::ofstream(dir / "a") << "earlier a";
    std::ofstream(dir / "c") << "earlier c";
    PendingFile a(dir / "a"), b(dir / "b"), c(dir / "c");
    for (PendingFile* file : {&a, &b, &c}) std::ofstream(file->TempPath()) << "new";
    // The last rename fails, after the first two have succeeded.
    fs::remove(c.TempPath());
    std::string why;
    PendingFile* set[] = {&a, &b, &c};
    EXPECT_FALSE(CommitTogether(set, why));
    EXPECT_NE(why.find("cannot rename " + c.TempPath().string() + " to " + (dir / "c").string() + ": No such file"),
              std::string::npos)
        << why;
    EXPECT_EQ(text(dir / "a"), "earlier a");
    EXPECT_EQ(text(dir / "c"), "earlier c");
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(dir)) left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"a", "c"}));

    PendingFile d(dir / "a"), e(dir / "e");
    for (PendingFile* file : {&d, &e}) std::ofstream(file->TempPath()) << "new";
    PendingFile* whole[] = {&d, &e};
    EXPECT_TRUE(CommitTogether(whole, why)) << why;
    EXPECT_EQ(text(dir / "a"), "new");
    EXPECT_EQ(text(dir / "e"), "new");
    EXPECT_FALSE(fs::exists(dir / "a.earlier"));
}

// A run's picture names, listed in byte order, come in the order taken,
// and a later run's clean-up knows every one of them.
TEST(PictureNamesTest, SortByTimeForEveryRunAndAreCleanedUp) {
    const struct {
        double firstS;
        double stepS;
        std::size_t frames;
    } runs[] = {{0.02, 5, 85}, {-39.98, 0.02, 3000}, {9990.02, 1, 20}, {-1e9, 1e5, 30}, {0.02, 1e5, 11}};
    for (const auto& run : runs) {
        const double lastS = run.firstS + run.stepS * static_cast<double>(run.frames - 1);
        const PictureNames names(run.firstS, lastS, run.frames);
        std::vector<std::string> taken;
        for (std::size_t frame = 0; frame < run.frames; ++frame) {
            taken.push_back(names.Name(1, frame, run.firstS + run.stepS * static_cast<double>(frame)));
            EXPECT_TRUE(IsOutputName(taken.back())) << taken.back();
            EXPECT_TRUE(IsOutputName(taken.back() + ".partial")) << taken.back();
        }
        std::vector<std::string> listed = taken;
        std::sort(listed.begin(), listed.end());
        EXPECT_EQ(listed, taken) << "from " << run.firstS;
    }
    // The ordinary names stay as they were, and so does the clean-up of an
    // earlier version's names.
    EXPECT_EQ(PictureNames(0.02, 420, 85).Name(0, 20, 100), "mfd0_t0100.00s.png");
    EXPECT_EQ(PictureNames(-40, 0, 3).Name(2, 0, -40), "mfd2_0_t-0040.00s.png");
    EXPECT_TRUE(IsOutputName("mfd0_t-040.00s.png"));
    EXPECT_TRUE(IsOutputName("mfd12_t10000.00s.png"));
    EXPECT_FALSE(IsOutputName("mfd0_t0100.00s.png.bak"));
    EXPECT_FALSE(IsOutputName("notes.txt"));
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
