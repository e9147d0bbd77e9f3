#include "sim/video/VideoReader.h"

namespace quorvel::video {

VideoReader::VideoReader(const std::filesystem::path& path) : name(path.string()) {
    av_log_set_level(AV_LOG_ERROR);
    AVFormatContext* opened = nullptr;
    if (const int error = avformat_open_input(&opened, name.c_str(), nullptr, nullptr); error < 0) {
        Fail("cannot open it", error);
    }
    input.reset(opened);
    if (const int error = avformat_find_stream_info(input.get(), nullptr); error < 0) Fail("cannot read it", error);
    const AVCodec* codec = nullptr;
    streamIndex = av_find_best_stream(input.get(), AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    if (streamIndex < 0 || codec == nullptr) Fail("no video stream to decode", streamIndex);
    const AVStream* stream = input->streams[streamIndex];
    timeBase = stream->time_base;
    if (stream->start_time != AV_NOPTS_VALUE) startPts = stream->start_time;

    decoder.reset(avcodec_alloc_context3(codec));
    packet.reset(av_packet_alloc());
    frame.reset(av_frame_alloc());
    if (!decoder || !packet || !frame) throw VideoError(name + ": no memory for the decoder");
    if (const int error = avcodec_parameters_to_context(decoder.get(), stream->codecpar); error < 0) {
        Fail("cannot describe the stream", error);
    }
    if (const int error = avcodec_open2(decoder.get(), codec, nullptr); error < 0) Fail("cannot decode it", error);
}

void VideoReader::Fail(const std::string& what, int error) const {
    throw VideoError(name + ": " + what + ": " + FfmpegErrorText(error));
}

bool VideoReader::Next(std::vector<std::uint32_t>& pixels, double& timeS) {
    while (true) {
        const int received = avcodec_receive_frame(decoder.get(), frame.get());
        if (received == 0) return Convert(pixels, timeS);
        if (received == AVERROR_EOF) return false;
        if (received != AVERROR(EAGAIN)) Fail("cannot decode a frame", received);

        const int read = av_read_frame(input.get(), packet.get());
        if (read == AVERROR_EOF) {
            if (draining) return false;
            draining = true;
            avcodec_send_packet(decoder.get(), nullptr);  // asks for the frames it holds back
            continue;
        }
        if (read < 0) Fail("cannot read a packet", read);
        int sent = 0;
        if (packet->stream_index == streamIndex) sent = avcodec_send_packet(decoder.get(), packet.get());
        av_packet_unref(packet.get());
        if (sent < 0) Fail("cannot decode a packet", sent);
    }
}

bool VideoReader::Convert(std::vector<std::uint32_t>& pixels, double& timeS) {
    const auto format = static_cast<AVPixelFormat>(frame->format);
    scaler.reset(sws_getCachedContext(scaler.release(), frame->width, frame->height, format, frame->width,
                                      frame->height, AV_PIX_FMT_BGRA, SWS_BILINEAR | SWS_ACCURATE_RND, nullptr, nullptr,
                                      nullptr));
    if (!scaler) throw VideoError(name + ": no colour conversion for its frames");
    pixels.resize(static_cast<std::size_t>(frame->width) * static_cast<std::size_t>(frame->height));
    auto* target = reinterpret_cast<std::uint8_t*>(pixels.data());
    const int targetStride = frame->width * 4;
    sws_scale(scaler.get(), frame->data, frame->linesize, 0, frame->height, &target, &targetStride);
    const std::int64_t pts = frame->best_effort_timestamp == AV_NOPTS_VALUE ? startPts : frame->best_effort_timestamp;
    timeS = static_cast<double>(pts - startPts) * av_q2d(timeBase);
    av_frame_unref(frame.get());
    return true;
}

}  // namespace quorvel::video
