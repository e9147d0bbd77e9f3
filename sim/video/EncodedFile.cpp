#include "sim/video/EncodedFile.h"

namespace quorvel::video {

namespace {

struct DictionaryHandle {
    AVDictionary* entries = nullptr;
    explicit DictionaryHandle(const OptionList& options) {
        for (const auto& [key, value] : options) av_dict_set(&entries, key.c_str(), value.c_str(), 0);
    }
    ~DictionaryHandle() { av_dict_free(&entries); }
    DictionaryHandle(const DictionaryHandle&) = delete;
    DictionaryHandle& operator=(const DictionaryHandle&) = delete;
};

}  // namespace

EncodedFile::EncodedFile(const std::filesystem::path& finalPath, const EncoderSetup& setup)
    : name(finalPath.string()), pending(finalPath) {
    av_log_set_level(AV_LOG_ERROR);
    const AVCodec* codec = avcodec_find_encoder_by_name(setup.codecName);
    if (codec == nullptr) throw VideoError(name + ": this FFmpeg has no " + setup.codecName + " encoder");
    const std::string temp = pending.TempPath().string();
    AVFormatContext* format = nullptr;
    if (const int error = avformat_alloc_output_context2(&format, nullptr, setup.formatName, temp.c_str()); error < 0) {
        Fail("cannot make a " + std::string(setup.formatName) + " file", error);
    }
    output.reset(format);

    encoder.reset(avcodec_alloc_context3(codec));
    packet.reset(av_packet_alloc());
    if (!encoder || !packet) throw VideoError(name + ": no memory for the encoder");
    encoder->width = setup.width;
    encoder->height = setup.height;
    encoder->pix_fmt = setup.pixelFormat;
    encoder->time_base = setup.timeBase;
    encoder->framerate = setup.frameRate;
    if (setup.compressionLevel >= 0) encoder->compression_level = setup.compressionLevel;
    if ((output->oformat->flags & AVFMT_GLOBALHEADER) != 0) encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (setup.describe) setup.describe(*encoder);
    DictionaryHandle codecOptions(setup.codecOptions);
    if (const int error = avcodec_open2(encoder.get(), codec, &codecOptions.entries); error < 0) {
        Fail("the " + std::string(setup.codecName) + " encoder refused " + std::to_string(setup.width) + "x" +
                 std::to_string(setup.height),
             error);
    }

    stream = avformat_new_stream(output.get(), nullptr);
    if (stream == nullptr) throw VideoError(name + ": no memory for the stream");
    stream->time_base = encoder->time_base;
    stream->avg_frame_rate = setup.frameRate;
    if (const int error = avcodec_parameters_from_context(stream->codecpar, encoder.get()); error < 0) {
        Fail("cannot describe the stream", error);
    }
    if ((output->oformat->flags & AVFMT_NOFILE) == 0) {
        if (const int error = avio_open(&output->pb, temp.c_str(), AVIO_FLAG_WRITE); error < 0) {
            Fail("cannot write it", error);
        }
    }
    DictionaryHandle muxerOptions(setup.muxerOptions);
    if (const int error = avformat_write_header(output.get(), &muxerOptions.entries); error < 0) {
        Fail("cannot write its header", error);
    }
}

void EncodedFile::Fail(const std::string& what, int error) const {
    throw VideoError(name + ": " + what + ": " + FfmpegErrorText(error));
}

void EncodedFile::Send(const AVFrame& frame) {
    if (finished) throw VideoError(name + ": a frame after the end");
    Encode(&frame);
}

void EncodedFile::Encode(const AVFrame* frame) {
    if (const int error = avcodec_send_frame(encoder.get(), frame); error < 0) Fail("cannot encode a frame", error);
    while (true) {
        const int received = avcodec_receive_packet(encoder.get(), packet.get());
        if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return;
        if (received < 0) Fail("cannot encode a frame", received);
        av_packet_rescale_ts(packet.get(), encoder->time_base, stream->time_base);
        packet->stream_index = stream->index;
        // Takes the packet's data and leaves it blank for the next one.
        if (const int error = av_interleaved_write_frame(output.get(), packet.get()); error < 0) {
            Fail("cannot write it", error);
        }
    }
}

sim::PendingFile& EncodedFile::Complete() {
    if (finished) throw VideoError(name + ": finished twice");
    finished = true;
    Encode(nullptr);
    if (const int error = av_write_trailer(output.get()); error < 0) Fail("cannot finish it", error);
    // Closed here rather than by the owner, so that a failed last write shows.
    if ((output->oformat->flags & AVFMT_NOFILE) == 0) {
        if (const int error = avio_closep(&output->pb); error < 0) Fail("cannot finish it", error);
    }
    output.reset();
    return pending;
}

void EncodedFile::Finish() {
    std::error_code error;
    if (!Complete().Commit(error)) {
        throw VideoError(name + ": cannot rename " + pending.TempPath().string() + " to it: " + error.message());
    }
}

}  // namespace quorvel::video
