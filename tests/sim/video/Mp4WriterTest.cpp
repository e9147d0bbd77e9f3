// MP4 files of MFD repaints: written, decoded again with the same
// libraries, and compared with what was painted; and what bad names,
// folders and unfinished writers leave behind.

#include "sim/video/Mp4Writer.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "sim/flight/Angles.h"
#include "sim/host/HostVessel.h"
#include "sim/host/MfdStation.h"
#include "sim/host/ModuleHost.h"
#include "sim/video/VideoReader.h"
#include "tests/support/BenchProcess.h"
#include "tests/support/Psnr.h"

namespace {

namespace fs = std::filesystem;
using quorvel::flight::kRadiansPerDegree;
using quorvel::video::Mp4Writer;
using quorvel::video::VideoError;
using quorvel::video::VideoReader;

class Mp4WriterTest : public quorvel::test::BenchFolderTest {
protected:
    std::vector<fs::path> Files() const {
        std::vector<fs::path> files;
        for (const auto& entry : fs::recursive_directory_iterator(dir)) files.push_back(entry.path());
        return files;
    }
};

struct DecodedFrame {
    std::vector<std::uint32_t> pixels;
    double timeS = 0;
};

std::vector<DecodedFrame> DecodeAll(const fs::path& path, int& width, int& height) {
    VideoReader reader(path);
    width = reader.Width();
    height = reader.Height();
    std::vector<DecodedFrame> frames;
    DecodedFrame frame;
    while (reader.Next(frame.pixels, frame.timeS)) frames.push_back(frame);
    return frames;
}

// The page as the host repaints it, through the loaded module, turning and
// climbing frame by frame.
TEST_F(Mp4WriterTest, EveryRepaintIsAFrameAtTheRepaintRateAndLooksAsPainted) {
    constexpr int kFrames = 30;
    constexpr int kCompared = 17;
    constexpr double kFrameS = 0.04;
    const fs::path path = dir / "flight.mp4";
    std::vector<std::uint32_t> compared;
    {
        quorvel::sim::ModuleHost host(QUORVEL_MODULE_PATH);
        host.Init();
        HostVessel vessel;
        vessel.state.tanks = {{4000, 10500}, {120, 150}};
        vessel.state.thrusters = {{262000, 2736, 0}};
        quorvel::sim::MfdStation station(host, vessel, 0, 400, 400);
        ASSERT_TRUE(station.Open("QuorvelMFD"));
        Mp4Writer writer(path, 400, 400, kFrameS);
        EXPECT_EQ(writer.TimeBase().num, 1);
        EXPECT_EQ(writer.TimeBase().den, 25);
        for (int i = 0; i < kFrames; ++i) {
            vessel.state.pitch = 2.0 * i * kRadiansPerDegree;
            vessel.state.bank = -3.0 * i * kRadiansPerDegree;
            vessel.state.airspeed = 100 + 3.0 * i;
            vessel.state.altitude = 300 + 250.0 * i;
            host.Step(kFrameS * (i + 1), kFrameS, 61000);
            station.Repaint();
            writer.AddFrame(station.Surface().Pixels());
            if (i == kCompared) compared.assign(station.Surface().Pixels().begin(), station.Surface().Pixels().end());
        }
        EXPECT_FALSE(fs::exists(path)) << "named before it is whole";
        writer.Finish();
    }
    EXPECT_EQ(Files(), std::vector<fs::path>{path});

    int width = 0, height = 0;
    const auto frames = DecodeAll(path, width, height);
    EXPECT_EQ(width, 400);
    EXPECT_EQ(height, 400);
    ASSERT_EQ(frames.size(), static_cast<std::size_t>(kFrames));
    EXPECT_NEAR(frames[kCompared].timeS, kCompared * 0.04, 1e-3);
    EXPECT_GE(quorvel::test::LumaPsnr(frames[kCompared].pixels, 400, compared, 400, 400, 400), 35.0);
    // A neighbouring frame differs visibly, so the match is the frame's own.
    EXPECT_LT(quorvel::test::LumaPsnr(frames[kCompared + 3].pixels, 400, compared, 400, 400, 400), 30.0);
}

// An odd size cannot be yuv420p as it is: one more column and row, the
// picture whole in the top left and the edge repeated.
TEST_F(Mp4WriterTest, OddSizesArePaddedWithTheirEdgeAndThirdsOfASecondKeepTheirPace) {
    constexpr int kWidth = 121, kHeight = 75, kFrames = 7;
    const fs::path path = dir / "odd.mp4";
    std::vector<std::uint32_t> source(kWidth * kHeight);
    {
        Mp4Writer writer(path, kWidth, kHeight, 1.0 / 3);
        for (int i = 0; i < kFrames; ++i) {
            // Broad bands of colour, moving, with the far edge column red.
            for (int y = 0; y < kHeight; ++y) {
                for (int x = 0; x < kWidth; ++x) {
                    const std::uint32_t band = ((x + 8 * i) / 16 + y / 16) % 2 ? 0x20C040 : 0x102080;
                    source[static_cast<std::size_t>(y * kWidth + x)] = x == kWidth - 1 ? 0xE02020 : band;
                }
            }
            writer.AddFrame(source);
        }
        writer.Finish();
    }
    int width = 0, height = 0;
    const auto frames = DecodeAll(path, width, height);
    EXPECT_EQ(width, kWidth + 1);
    EXPECT_EQ(height, kHeight + 1);
    ASSERT_EQ(frames.size(), static_cast<std::size_t>(kFrames));
    EXPECT_NEAR(frames.back().timeS, (kFrames - 1) / 3.0, 1e-3);
    const auto& last = frames.back().pixels;
    EXPECT_GE(quorvel::test::LumaPsnr(last, width, source, kWidth, kWidth, kHeight), 35.0);
    // The added column repeats the red edge, and the added row the last row.
    std::vector<std::uint32_t> red(static_cast<std::size_t>(height), 0xE02020);
    std::vector<std::uint32_t> addedColumn;
    for (int y = 0; y < height; ++y) addedColumn.push_back(last[static_cast<std::size_t>(y * width + kWidth)]);
    EXPECT_GE(quorvel::test::LumaPsnr(addedColumn, 1, red, 1, 1, height), 30.0);
    const std::span<const std::uint32_t> addedRow(last.data() + static_cast<std::size_t>(kHeight * width), kWidth);
    const std::span<const std::uint32_t> lastRow(source.data() + static_cast<std::size_t>((kHeight - 1) * kWidth),
                                                 kWidth);
    EXPECT_GE(quorvel::test::LumaPsnr(addedRow, kWidth, lastRow, kWidth, kWidth, 1), 30.0);
}

TEST_F(Mp4WriterTest, BadNamesFoldersAndUnfinishedWritersLeaveNoFile) {
    const auto refused = [](const fs::path& path, const std::string& words) {
        try {
            Mp4Writer writer(path, 64, 64, 0.1);
            ADD_FAILURE() << path << " was accepted";
        } catch (const VideoError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find(path.string()), std::string::npos) << message;
            EXPECT_NE(message.find(words), std::string::npos) << message;
        }
    };
    refused(dir / "flight.avi", ".mp4");
    refused(dir / "flight", ".mp4");
    refused(dir / "missing" / "flight.mp4", "No such file or directory");
    std::ofstream(dir / "plain-file") << "not a folder";
    refused(dir / "plain-file" / "flight.mp4", "Not a directory");
    if (geteuid() != 0) {  // a root test run writes anywhere
        fs::create_directory(dir / "read-only");
        fs::permissions(dir / "read-only", fs::perms::owner_read | fs::perms::owner_exec);
        refused(dir / "read-only" / "flight.mp4", "Permission denied");
        fs::permissions(dir / "read-only", fs::perms::owner_all);
    }
    EXPECT_THROW(Mp4Writer(dir / "a.mp4", 0, 64, 0.1), VideoError);
    EXPECT_THROW(Mp4Writer(dir / "a.mp4", 64, 64, 0.0), VideoError);
    // Cut at the NUL, the name opened would be victim.txt.
    EXPECT_THROW(Mp4Writer(dir / std::string("victim.txt\0.mp4", 15), 64, 64, 0.1), VideoError);
    {
        Mp4Writer unfinished(dir / "unfinished.mp4", 64, 64, 0.1);
        std::vector<std::uint32_t> frame(64 * 64, 0x00FF00);
        for (int i = 0; i < 5; ++i) unfinished.AddFrame(frame);
        frame.pop_back();
        EXPECT_THROW(unfinished.AddFrame(frame), VideoError);
    }
    std::vector<fs::path> left = Files();
    std::erase(left, dir / "plain-file");
    if (fs::exists(dir / "read-only")) std::erase(left, dir / "read-only");
    EXPECT_TRUE(left.empty()) << left.front();
}

}  // namespace
