// An H.264 MP4 of one MFD's repaints: frames of a fixed size, 32-bit
// pixels as an MfdSurface holds them (0x00RRGGBB, top row first; see
// sim/host/MfdSurface.h), at a constant rate of one frame per repaint
// interval of simulated time. yuv420p, so that every common player opens
// it.
//
// yuv420p needs even sides: an odd width or height is padded by one
// column or row repeating the last one, so the picture is whole and its
// edge keeps its colour; the video is then one pixel wider or taller.
//
// The file is written under its name plus ".partial" and renamed by
// Finish, or by committing what Complete returns; a writer destroyed
// unfinished or uncommitted, or one that threw, leaves no file.
//
// Frames are converted and encoded on a thread of the writer's own, so
// that the caller goes on repainting meanwhile: AddFrame copies the frame
// and waits only while kQueuedFrames wait already. An encoding failure is
// thrown by the next AddFrame or by Finish.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <filesystem>
#include <memory>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

#include "sim/video/EncodedFile.h"
#include "sim/video/FfmpegObjects.h"

namespace quorvel::video {

class Mp4Writer {
public:
    static constexpr std::uint32_t kMaxSide = 8192;
    static constexpr double kMinIntervalS = 1e-3;
    static constexpr double kMaxIntervalS = 1e6;
    static constexpr std::size_t kQueuedFrames = 4;

    // Throws VideoError, naming the file, for a name not ending in ".mp4",
    // a side of 0 or over kMaxSide, an interval outside kMinIntervalS to
    // kMaxIntervalS, or a file that cannot be created (a folder that does
    // not exist or is not writable), with FFmpeg's words for why.
    Mp4Writer(const std::filesystem::path& path, std::uint32_t width, std::uint32_t height, double frameIntervalS);
    // Stops the encoding thread; unfinished, the file is removed.
    ~Mp4Writer();
    Mp4Writer(const Mp4Writer&) = delete;
    Mp4Writer& operator=(const Mp4Writer&) = delete;

    // One frame: width x height pixels. Throws VideoError for another count
    // of pixels or when the file cannot be written.
    void AddFrame(std::span<const std::uint32_t> pixels);
    // Writes the rest, leaving the file under its temporary name, which the
    // returned file gives it when committed. Throws VideoError when it
    // cannot. Nothing may be added after.
    sim::PendingFile& Complete();
    // Complete, then the file's own name; throws VideoError when it cannot.
    void Finish();

    std::uint64_t Frames() const { return frames; }
    // The frame rate's exact time base: the interval as a fraction of a second.
    AVRational TimeBase() const { return timeBase; }

private:
    using Pixels = std::vector<std::uint32_t>;

    void Encode();  // the encoding thread
    void Convert(const Pixels& frame, std::int64_t pts);
    void StopEncoding();
    void RethrowFailure();  // with the lock held, or the thread joined

    std::uint32_t width;
    std::uint32_t height;
    int evenWidth = 0;  // the frame as encoded, odd sides padded
    int evenHeight = 0;
    AVRational timeBase;
    std::unique_ptr<EncodedFile> file;
    ScalerHandle scaler;
    FrameHandle picture;
    std::uint64_t frames = 0;

    // Shared with the encoding thread, under `lock`.
    std::mutex lock;
    std::condition_variable changed;
    std::deque<Pixels> queued;
    std::vector<Pixels> spare;  // buffers to reuse
    bool closing = false;
    std::exception_ptr failure;
    std::thread encoder;  // last: started when all else is ready, joined first
};

}  // namespace quorvel::video
