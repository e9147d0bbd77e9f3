// Reads a video file frame by frame with FFmpeg's decoders: each frame as
// 32-bit pixels 0xFFRRGGBB (opaque, top row first) and its time in seconds
// from the first frame. For checking what a writer wrote and for making
// pictures from a video.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "sim/video/FfmpegObjects.h"

namespace quorvel::video {

class VideoReader {
public:
    // Throws VideoError, naming the file, when it cannot be opened or has
    // no video stream FFmpeg can decode.
    explicit VideoReader(const std::filesystem::path& path);

    int Width() const { return decoder->width; }
    int Height() const { return decoder->height; }

    // The next frame, Width() x Height() pixels; false after the last one.
    // Throws VideoError when the file is damaged.
    bool Next(std::vector<std::uint32_t>& pixels, double& timeS);

private:
    bool Convert(std::vector<std::uint32_t>& pixels, double& timeS);
    [[noreturn]] void Fail(const std::string& what, int error) const;

    std::string name;
    InputHandle input;
    CodecContextHandle decoder;
    PacketHandle packet;
    FrameHandle frame;
    ScalerHandle scaler;
    int streamIndex = -1;
    AVRational timeBase{1, 1};
    std::int64_t startPts = 0;
    bool draining = false;
};

}  // namespace quorvel::video
