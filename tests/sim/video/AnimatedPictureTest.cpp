// The README's animated picture, made from part of a video: its frames are
// the span's, at the rate asked for, in a WebP a browser loops.

#include "sim/video/AnimatedPicture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "sim/video/FfmpegObjects.h"
#include "sim/video/Mp4Writer.h"
#include "tests/support/BenchProcess.h"

namespace {

namespace fs = std::filesystem;
using quorvel::video::AnimationSpan;
using quorvel::video::VideoError;
using quorvel::video::WriteAnimatedPicture;

std::uint32_t Le32(const std::vector<char>& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

struct WebPSummary {
    bool riff = false;
    int frames = 0;              // ANMF chunks
    int loops = -1;              // the ANIM chunk's loop count, 0 for ever
    std::vector<int> durations;  // ms, per frame
};

WebPSummary Summarise(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
    WebPSummary summary;
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WEBP", 4) != 0) {
        return summary;
    }
    summary.riff = true;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::string tag(bytes.data() + at, 4);
        const std::uint32_t size = Le32(bytes, at + 4);
        if (tag == "ANIM" && at + 14 <= bytes.size())
            summary.loops = static_cast<unsigned char>(bytes[at + 12]) | static_cast<unsigned char>(bytes[at + 13])
                                                                             << 8;
        if (tag == "ANMF" && at + 24 <= bytes.size()) {
            ++summary.frames;
            summary.durations.push_back(static_cast<int>(Le32(bytes, at + 20) & 0xFFFFFF));
        }
        at += 8 + size + (size & 1);
    }
    return summary;
}

class AnimatedPictureTest : public quorvel::test::BenchFolderTest {
protected:
    void SetUp() override {
        // Two seconds at 25 frames a second: a bar moving right, a pixel a frame.
        quorvel::video::Mp4Writer writer(dir / "flight.mp4", 96, 64, 0.04);
        std::vector<std::uint32_t> frame(96 * 64);
        for (int i = 0; i < 50; ++i) {
            for (int y = 0; y < 64; ++y) {
                for (int x = 0; x < 96; ++x)
                    frame[static_cast<std::size_t>(y * 96 + x)] = x >= i && x < i + 12 ? 0x30E030 : 0x101010;
            }
            writer.AddFrame(frame);
        }
        writer.Finish();
    }
};

TEST_F(AnimatedPictureTest, TakesTheSpanAtTheRateAskedAndLoopsForEver) {
    const fs::path picture = dir / "flight.webp";
    EXPECT_EQ(WriteAnimatedPicture(dir / "flight.mp4", picture, AnimationSpan{0.4, 1.0, 10, 60}), 10u);
    const WebPSummary summary = Summarise(picture);
    EXPECT_TRUE(summary.riff);
    EXPECT_EQ(summary.frames, 10);
    EXPECT_EQ(summary.loops, 0);
    // Every frame differs, so none is merged into the one before.
    for (int duration : summary.durations) EXPECT_EQ(duration, 100);
    EXPECT_FALSE(fs::exists(dir / "flight.webp.partial"));

    // Four times as fast: the whole two seconds in half a second.
    EXPECT_EQ(WriteAnimatedPicture(dir / "flight.mp4", picture, AnimationSpan{0, 2, 10, 60, 4}), 5u);
    const WebPSummary fast = Summarise(picture);
    EXPECT_EQ(fast.frames, 5);
    for (int duration : fast.durations) EXPECT_EQ(duration, 100);
}

TEST_F(AnimatedPictureTest, BadRequestsThrowAndLeaveNoPicture) {
    EXPECT_THROW(WriteAnimatedPicture(dir / "flight.mp4", dir / "flight.gif", {}), VideoError);
    EXPECT_THROW(WriteAnimatedPicture(dir / "missing.mp4", dir / "a.webp", {}), VideoError);
    EXPECT_THROW(WriteAnimatedPicture(dir / "flight.mp4", dir / "b.webp", AnimationSpan{5, 1, 10, 60}), VideoError)
        << "a span after the video's end";
    EXPECT_THROW(WriteAnimatedPicture(dir / "flight.mp4", dir / "c.webp", AnimationSpan{0, 1, 0, 60}), VideoError);
    EXPECT_THROW(WriteAnimatedPicture(dir / "flight.mp4", dir / "no" / "d.webp", {}), VideoError);
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(dir)) files.push_back(entry.path().filename());
    EXPECT_EQ(files, std::vector<fs::path>{"flight.mp4"});
}

}  // namespace
