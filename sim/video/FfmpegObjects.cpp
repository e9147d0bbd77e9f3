#include "sim/video/FfmpegObjects.h"

extern "C" {
#include <libavutil/error.h>
}

namespace quorvel::video {

std::string FfmpegErrorText(int error) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, text, sizeof text);
    return text;
}

void CloseOutput::operator()(AVFormatContext* format) const {
    if (format->pb != nullptr && (format->oformat->flags & AVFMT_NOFILE) == 0) avio_closep(&format->pb);
    avformat_free_context(format);
}

FrameHandle AllocatePicture(int width, int height, AVPixelFormat format, const std::string& file) {
    FrameHandle frame(av_frame_alloc());
    if (!frame) throw VideoError(file + ": no memory for a frame");
    frame->width = width;
    frame->height = height;
    frame->format = format;
    if (const int error = av_frame_get_buffer(frame.get(), 0); error < 0) {
        throw VideoError(file + ": no frame of " + std::to_string(width) + "x" + std::to_string(height) + ": " +
                         FfmpegErrorText(error));
    }
    return frame;
}

}  // namespace quorvel::video
