// quorvel-sim --video as a user runs it: an MP4 per MFD, a frame per
// repaint, decoded again with the same libraries and set against the
// pictures of the same run; and what bad video names, a window with no
// display and an interrupt leave behind.

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "sim/video/VideoReader.h"
#include "tests/support/BenchProcess.h"
#include "tests/support/Psnr.h"

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;

using BenchVideoTest = BenchFolderTest;

struct Decoded {
    int width = 0;
    int height = 0;
    std::vector<std::vector<std::uint32_t>> frames;
    std::vector<double> times;
};

Decoded Decode(const fs::path& path) {
    video::VideoReader reader(path);
    Decoded video{reader.Width(), reader.Height(), {}, {}};
    std::vector<std::uint32_t> pixels;
    double timeS = 0;
    while (reader.Next(pixels, timeS)) {
        video.frames.push_back(pixels);
        video.times.push_back(timeS);
    }
    return video;
}

std::vector<std::uint32_t> PixelsOf(const Png& png) {
    std::vector<std::uint32_t> pixels;
    for (std::uint32_t y = 0; y < png.height; ++y) {
        for (std::uint32_t x = 0; x < png.width; ++x) pixels.push_back(png.Pixel(x, y));
    }
    return pixels;
}

// The tumbling vessel: every repaint differs from the one before, so a
// frame matches only the picture of its own time.
TEST_F(BenchVideoTest, EachMfdGetsAFramePerRepaintThatLooksLikeThePictureOfItsTime) {
    const fs::path video = dir / "tumble.mp4";
    const BenchResult run = RunBench(
        {"--scenario", QUORVEL_SCENARIO_DIR "/tumble.toml", "--mfd", "400x400", "--mfd", "200x100", "--duration", "2",
         "--repaint-every", "0.04", "--frame-every", "1", "--video", video.string(), "--out", out.string()},
        dir);
    ASSERT_EQ(run.status, 0) << run.err;
    std::smatch repaints;
    ASSERT_TRUE(std::regex_search(run.out, repaints, std::regex(R"(in 100 steps, (\d+) repaints)"))) << run.out;
    // The first step's repaint, then one every 0.04 s.
    EXPECT_EQ(std::stoi(repaints[1]), 2 * 51);
    EXPECT_NE(run.out.find("wrote " + video.string() + " and one per other MFD (51 frames)"), std::string::npos)
        << run.out;

    const Decoded mfd0 = Decode(video);
    EXPECT_EQ(mfd0.width, 400);
    ASSERT_EQ(mfd0.frames.size(), 51u);
    const Decoded mfd1 = Decode(dir / "tumble-mfd1.mp4");
    EXPECT_EQ(mfd1.width, 200);
    EXPECT_EQ(mfd1.height, 100);
    EXPECT_EQ(mfd1.frames.size(), 51u);

    // Frame 25 is the repaint at 1 s. PSNR of brightness: yuv420p keeps
    // one colour sample per 2x2 pixels, which holds the colour of the
    // page's thin lines near 26 dB whatever the quality; brightness is what
    // the encoder's quality governs.
    EXPECT_NEAR(mfd0.times[25], 1.0, 1e-3);
    Png picture;
    ASSERT_TRUE(ReadPng(out / "mfd0_t0001.00s.png", picture));
    const std::vector<std::uint32_t> painted = PixelsOf(picture);
    EXPECT_GE(LumaPsnr(mfd0.frames[25], 400, painted, 400, 400, 400), 35.0);
    EXPECT_LT(LumaPsnr(mfd0.frames[24], 400, painted, 400, 400, 400), 30.0) << "the frame before is another";
}

TEST_F(BenchVideoTest, BadVideoNamesAndAWindowWithNoDisplayExitWithOneMessageAndLeaveNothing) {
    fs::create_directories(dir / "plain");
    WriteText(dir / "plain-file", "not a folder");
    const fs::path scenario = dir / "avi.toml";
    WriteText(scenario, "[output]\nvideo = \"flight.avi\"\n");
    // A folder where the video's temporary file would go.
    fs::create_directories(dir / "plain" / "taken.mp4.partial");
    const struct {
        std::vector<std::string> args;
        int status;
        std::string message;
    } cases[] = {
        {{"--video", (dir / "flight.avi").string()}, 2, "flight.avi: a video's name must end in .mp4"},
        {{"--video", (dir / "missing" / "flight.mp4").string()}, 2, "no folder " + (dir / "missing").string()},
        {{"--video", (dir / "plain-file" / "flight.mp4").string()}, 2, "plain-file is not a folder"},
        {{"--scenario", scenario.string()}, 2, scenario.string() + ":2: output.video: a video's name must end in .mp4"},
        {{"--video", (dir / "plain" / "taken.mp4").string()}, 2, "taken.mp4.partial is a folder"},
        {{"--window"}, 2, "--window: no display"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"--duration", "1", "--out", out.string()});
        const BenchResult run = RunBench(args, dir, "env -u DISPLAY -u WAYLAND_DISPLAY");
        EXPECT_EQ(run.status, c.status) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(CountLines(run.err), 1u) << run.err;
        EXPECT_FALSE(fs::exists(out)) << c.message;
    }
    EXPECT_EQ(Names(dir / "plain"), std::vector<std::string>{"taken.mp4.partial"});
}

TEST_F(BenchVideoTest, AnInterruptLeavesNoVideo) {
    const fs::path video = dir / "flight.mp4";
    const BenchResult run =
        RunBench({"--duration", "3000", "--repaint-every", "0.04", "--video", video.string(), "--out", out.string()},
                 dir, SignalOnceThere("INT", out, "mfd0_*.png"));
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.err.find("interrupted at t"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(video));
    EXPECT_FALSE(fs::exists(dir / "flight.mp4.partial"));
}

}  // namespace
}  // namespace quorvel::test
