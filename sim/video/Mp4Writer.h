// An H.264 MP4 of one MFD's repaints: frames of a fixed size, 32-bit
// pixels as an MfdSurface holds them (0x00RRGGBB, top row first; see
// sim/MfdSurface.h), at a constant rate of one frame per repaint interval
// of simulated time. yuv420p, so that every common player opens it.
//
// yuv420p needs even sides: an odd width or height is padded by one
// column or row repeating the last one, so the picture is whole and its
// edge keeps its colour; the video is then one pixel wider or taller.
//
// The file is written under its name plus ".partial" and renamed by
// Finish; a writer destroyed unfinished, or one that threw, leaves no file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <vector>

#include "sim/video/EncodedFile.h"
#include "sim/video/FfmpegObjects.h"

namespace quorvel::video {

class Mp4Writer {
public:
    static constexpr std::uint32_t kMaxSide = 8192;
    static constexpr double kMinIntervalS = 1e-3;
    static constexpr double kMaxIntervalS = 1e6;

    // Throws VideoError, naming the file, for a name not ending in ".mp4",
    // a side of 0 or over kMaxSide, an interval outside kMinIntervalS to
    // kMaxIntervalS, or a file that cannot be created (a folder that does
    // not exist or is not writable), with FFmpeg's words for why.
    Mp4Writer(const std::filesystem::path& path, std::uint32_t width, std::uint32_t height, double frameIntervalS);

    // One frame: width x height pixels. Throws VideoError for another count
    // of pixels or when the file cannot be written.
    void AddFrame(std::span<const std::uint32_t> pixels);
    // Writes the rest and gives the file its name; throws VideoError when
    // it cannot. Nothing may be added after.
    void Finish();

    std::uint64_t Frames() const { return frames; }
    // The frame rate's exact time base: the interval as a fraction of a second.
    AVRational TimeBase() const { return timeBase; }

private:
    std::uint32_t width;
    std::uint32_t height;
    AVRational timeBase;
    std::unique_ptr<EncodedFile> file;
    ScalerHandle scaler;
    FrameHandle picture;
    std::vector<std::uint32_t> padded;  // an odd-sized frame, made even
    std::uint64_t frames = 0;
};

}  // namespace quorvel::video
