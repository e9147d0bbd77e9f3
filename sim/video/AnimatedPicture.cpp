#include "sim/video/AnimatedPicture.h"

#include <cmath>
#include <string>
#include <vector>

#include "sim/files/FileExtension.h"
#include "sim/video/EncodedFile.h"
#include "sim/video/VideoReader.h"

extern "C" {
#include <libavutil/imgutils.h>
}

namespace quorvel::video {

namespace {

constexpr double kMaxLengthS = 60;  // as it plays
constexpr double kMaxFramesPerSecond = 50;
constexpr double kMaxSpeed = 100;

void CheckRequest(const std::filesystem::path& picture, const AnimationSpan& span) {
    const std::string name = picture.string();
    if (!sim::HasExtension(picture, ".webp")) throw VideoError(name + ": an animated picture's name must end in .webp");
    if (!(span.fromS >= 0 && std::isfinite(span.fromS)))
        throw VideoError(name + ": the span must start at 0 s or later");
    if (!(span.speed > 0 && span.speed <= kMaxSpeed)) {
        throw VideoError(name + ": the speed must be more than 0 and at most " + std::to_string(kMaxSpeed));
    }
    if (!(span.lengthS > 0 && span.lengthS / span.speed <= kMaxLengthS)) {
        throw VideoError(name + ": the span must play for more than 0 and at most " + std::to_string(kMaxLengthS) +
                         " s");
    }
    if (!(span.framesPerSecond > 0 && span.framesPerSecond <= kMaxFramesPerSecond)) {
        throw VideoError(name + ": frames per second must be more than 0 and at most " +
                         std::to_string(kMaxFramesPerSecond));
    }
    if (span.quality < 0 || span.quality > 100) throw VideoError(name + ": the quality must be 0 to 100");
}

}  // namespace

std::size_t WriteAnimatedPicture(const std::filesystem::path& video, const std::filesystem::path& picture,
                                 const AnimationSpan& span) {
    CheckRequest(picture, span);
    VideoReader reader(video);
    const std::string name = picture.string();

    EncoderSetup setup;
    setup.formatName = "webp";
    setup.codecName = "libwebp_anim";
    setup.width = reader.Width();
    setup.height = reader.Height();
    setup.pixelFormat = AV_PIX_FMT_BGRA;  // the reader's 0xFFRRGGBB
    setup.timeBase = {1, 1000};           // WebP times frames in milliseconds
    setup.compressionLevel = 6;           // its slowest and smallest; the frames are few
    setup.codecOptions = {{"quality", std::to_string(span.quality)}};
    setup.muxerOptions = {{"loop", "0"}};  // for ever; FFmpeg's default plays it once
    std::unique_ptr<EncodedFile> file;
    FrameHandle frame;

    // Each frame takes the first video frame in its slot of speed/fps of
    // the video, and plays at that slot's time divided by the speed, so a
    // slower video keeps its pace.
    const double frameS = span.speed / span.framesPerSecond;
    const double endS = span.fromS + span.lengthS;
    constexpr double kSlack = 1e-6;  // a frame's time stamp rounded a little early
    std::vector<std::uint32_t> pixels;
    double timeS = 0;
    long long nextSlot = 0;
    std::size_t taken = 0;
    while (reader.Next(pixels, timeS) && timeS < endS - kSlack) {
        const double position = (timeS - span.fromS) / frameS + kSlack;
        if (position < 0) continue;
        // Within the span, so at most kMaxLengthS * kMaxFramesPerSecond.
        const auto slot = static_cast<long long>(position);
        if (slot < nextSlot) continue;
        nextSlot = slot + 1;
        if (!file) {
            file = std::make_unique<EncodedFile>(picture, setup);
            frame = AllocatePicture(setup.width, setup.height, setup.pixelFormat, name);
        }
        if (const int error = av_frame_make_writable(frame.get()); error < 0) {
            throw VideoError(name + ": no frame to encode into: " + FfmpegErrorText(error));
        }
        const int rowBytes = setup.width * 4;
        av_image_copy_plane(frame->data[0], frame->linesize[0], reinterpret_cast<const std::uint8_t*>(pixels.data()),
                            rowBytes, rowBytes, setup.height);
        frame->pts = std::llround(static_cast<double>(slot) * 1000 / span.framesPerSecond);
        file->Send(*frame);
        ++taken;
    }
    if (!file) {
        throw VideoError(video.string() + ": no frame from " + std::to_string(span.fromS) + " s to " +
                         std::to_string(endS) + " s");
    }
    file->Finish();
    return taken;
}

}  // namespace quorvel::video
