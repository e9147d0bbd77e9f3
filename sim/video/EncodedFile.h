// One file being encoded: an FFmpeg encoder feeding a muxer that writes
// under the final name plus ".partial" (sim/files/PendingFile.h). Complete
// drains the encoder, writes the trailer and closes the file, and Finish
// renames it too; destroyed unfinished or uncommitted, or after a throw,
// it leaves no file behind.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "sim/files/PendingFile.h"
#include "sim/video/FfmpegObjects.h"

namespace quorvel::video {

using OptionList = std::vector<std::pair<std::string, std::string>>;

struct EncoderSetup {
    const char* formatName = nullptr;  // the muxer, e.g. "mp4"
    const char* codecName = nullptr;   // the encoder, e.g. "libx264"
    int width = 0;
    int height = 0;
    AVPixelFormat pixelFormat = AV_PIX_FMT_NONE;
    AVRational timeBase{1, 1};   // of the frames' pts
    AVRational frameRate{0, 1};  // {0, 1}: not constant
    int compressionLevel = -1;   // the encoder's effort; -1 leaves its default
    OptionList codecOptions;     // the encoder's private options
    OptionList muxerOptions;
    std::function<void(AVCodecContext&)> describe;  // e.g. the colour description
};

class EncodedFile {
public:
    // Opens the encoder and the file and writes the header. Throws
    // VideoError naming finalPath when the encoder refuses the setup or the
    // file cannot be created.
    EncodedFile(const std::filesystem::path& finalPath, const EncoderSetup& setup);
    EncodedFile(const EncodedFile&) = delete;
    EncodedFile& operator=(const EncodedFile&) = delete;

    // Encodes one frame of the setup's size and format, its pts in the
    // setup's time base, and writes what the encoder gives back. Throws
    // VideoError when encoding or writing fails, or after Finish.
    void Send(const AVFrame& frame);
    // Writes the rest and closes the file under its temporary name, which
    // the returned file gives it when committed, alone or with others.
    // Throws VideoError when the rest cannot be written.
    sim::PendingFile& Complete();
    // Complete, then the file's own name. Throws VideoError when the rest
    // cannot be written or renamed.
    void Finish();

    const std::string& Name() const { return name; }

private:
    void Encode(const AVFrame* frame);
    [[noreturn]] void Fail(const std::string& what, int error) const;

    std::string name;  // the final path, for messages
    // Declared first, so freed last: the file is closed before it goes.
    sim::PendingFile pending;
    OutputHandle output;
    CodecContextHandle encoder;
    PacketHandle packet;
    AVStream* stream = nullptr;
    bool finished = false;
};

}  // namespace quorvel::video
