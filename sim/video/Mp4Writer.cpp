#include "sim/video/Mp4Writer.h"

#include <algorithm>
#include <string>

extern "C" {
#include <libavutil/rational.h>
}

namespace quorvel::video {

namespace {

// x264's fastest preset: a video run encodes every repaint, and the next
// faster preset costs twice the time a frame (against 30 % less size).
// Its default quality keeps the page's brightness at about 40 dB PSNR;
// colour is bound by yuv420p's halved chroma, whatever the quality.
constexpr const char* kPreset = "ultrafast";
constexpr const char* kQuality = "23";  // x264's constant rate factor

// Sources of any size up to kMaxSide fit an int, and so do their even sides.
int Even(std::uint32_t side) {
    return static_cast<int>(side + (side & 1));
}

}  // namespace

Mp4Writer::Mp4Writer(const std::filesystem::path& path, std::uint32_t width, std::uint32_t height,
                     double frameIntervalS)
    : width(width), height(height) {
    const std::string name = path.string();
    if (!HasExtension(path, ".mp4")) throw VideoError(name + ": a video's name must end in .mp4");
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide) {
        throw VideoError(name + ": frames of " + std::to_string(width) + "x" + std::to_string(height) +
                         ": each side must be 1 to " + std::to_string(kMaxSide) + " pixels");
    }
    if (!(frameIntervalS >= kMinIntervalS && frameIntervalS <= kMaxIntervalS)) {
        throw VideoError(name + ": a frame every " + std::to_string(frameIntervalS) + " s: the interval must be " +
                         std::to_string(kMinIntervalS) + " to " + std::to_string(kMaxIntervalS) + " s");
    }
    // Exact for every interval of whole microseconds and for simple
    // fractions such as 1/3 s; 0.04 s becomes 1/25.
    timeBase = av_d2q(frameIntervalS, 1000000);

    EncoderSetup setup;
    setup.formatName = "mp4";
    setup.codecName = "libx264";
    setup.width = Even(width);
    setup.height = Even(height);
    setup.pixelFormat = AV_PIX_FMT_YUV420P;
    setup.timeBase = timeBase;
    setup.frameRate = av_inv_q(timeBase);
    setup.codecOptions = {{"preset", kPreset}, {"crf", kQuality}};
    // The moov box first, so that a browser can start playing at once.
    setup.muxerOptions = {{"movflags", "+faststart"}};
    // What swscale's conversion below produces: BT.601, limited range.
    setup.describe = [](AVCodecContext& encoder) {
        encoder.color_range = AVCOL_RANGE_MPEG;
        encoder.colorspace = AVCOL_SPC_SMPTE170M;
        encoder.color_primaries = AVCOL_PRI_SMPTE170M;
        encoder.color_trc = AVCOL_TRC_SMPTE170M;
    };
    file = std::make_unique<EncodedFile>(path, setup);

    scaler.reset(sws_getContext(setup.width, setup.height, AV_PIX_FMT_BGR0, setup.width, setup.height,
                                AV_PIX_FMT_YUV420P, SWS_BILINEAR | SWS_ACCURATE_RND, nullptr, nullptr, nullptr));
    if (!scaler) throw VideoError(name + ": no colour conversion for the frames");
    picture = AllocatePicture(setup.width, setup.height, AV_PIX_FMT_YUV420P, name);
    if (setup.width != static_cast<int>(width) || setup.height != static_cast<int>(height)) {
        padded.resize(static_cast<std::size_t>(setup.width) * static_cast<std::size_t>(setup.height));
    }
}

void Mp4Writer::AddFrame(std::span<const std::uint32_t> pixels) {
    const std::size_t expected = std::size_t{width} * height;
    if (pixels.size() != expected) {
        throw VideoError(file->Name() + ": a frame of " + std::to_string(pixels.size()) + " pixels, not " +
                         std::to_string(width) + "x" + std::to_string(height));
    }
    const std::uint32_t* rows = pixels.data();
    int stride = static_cast<int>(width);
    if (!padded.empty()) {
        const std::size_t evenWidth = Even(width);
        for (std::uint32_t y = 0; y < height; ++y) {
            std::uint32_t* row = padded.data() + y * evenWidth;
            std::copy_n(pixels.data() + std::size_t{y} * width, width, row);
            if (evenWidth != width) row[width] = row[width - 1];
        }
        if (Even(height) != static_cast<int>(height)) {
            std::copy_n(padded.data() + (height - 1) * evenWidth, evenWidth, padded.data() + height * evenWidth);
        }
        rows = padded.data();
        stride = static_cast<int>(evenWidth);
    }
    if (const int error = av_frame_make_writable(picture.get()); error < 0) {
        throw VideoError(file->Name() + ": no frame to encode into: " + FfmpegErrorText(error));
    }
    const auto* source = reinterpret_cast<const std::uint8_t*>(rows);
    const int sourceStride = stride * 4;
    sws_scale(scaler.get(), &source, &sourceStride, 0, picture->height, picture->data, picture->linesize);
    picture->pts = static_cast<std::int64_t>(frames);
    file->Send(*picture);
    ++frames;
}

void Mp4Writer::Finish() {
    file->Finish();
}

}  // namespace quorvel::video
