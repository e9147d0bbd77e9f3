// Owners for the FFmpeg objects the video units hold, one deleter each, so
// that every way out of an encode or a decode frees them; the error type
// the video units throw; and FFmpeg's text for its error codes.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/frame.h>
#include <libswscale/swscale.h>
}

namespace quorvel::video {

// Everything the video units refuse or fail at; the message names the file.
class VideoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// FFmpeg's words for an AVERROR code.
std::string FfmpegErrorText(int error);

struct FreeCodecContext {
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct FreeFrame {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct FreePacket {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct FreeScaler {
    void operator()(SwsContext* scaler) const { sws_freeContext(scaler); }
};
struct CloseInput {
    void operator()(AVFormatContext* format) const { avformat_close_input(&format); }
};
// An output's file is closed before the context is freed.
struct CloseOutput {
    void operator()(AVFormatContext* format) const;
};

using CodecContextHandle = std::unique_ptr<AVCodecContext, FreeCodecContext>;
using FrameHandle = std::unique_ptr<AVFrame, FreeFrame>;
using PacketHandle = std::unique_ptr<AVPacket, FreePacket>;
using ScalerHandle = std::unique_ptr<SwsContext, FreeScaler>;
using InputHandle = std::unique_ptr<AVFormatContext, CloseInput>;
using OutputHandle = std::unique_ptr<AVFormatContext, CloseOutput>;

// A frame with its own picture buffer of the size and format; throws
// VideoError (naming `file`) when there is no memory for it.
FrameHandle AllocatePicture(int width, int height, AVPixelFormat format, const std::string& file);

}  // namespace quorvel::video
