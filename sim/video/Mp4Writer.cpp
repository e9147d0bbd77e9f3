#include "sim/video/Mp4Writer.h"

#include <algorithm>
#include <string>

extern "C" {
#include <libavutil/rational.h>
}

#include "sim/files/FileExtension.h"
#include "sim/files/NameText.h"

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
    // Checked whole, so that the file opened is the one checked.
    if (const std::string fault = sim::NameTextFault(name); !fault.empty()) throw VideoError("a video's name " + fault);
    if (!sim::HasExtension(path, ".mp4")) throw VideoError(name + ": a video's name must end in .mp4");
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
    evenWidth = setup.width;
    evenHeight = setup.height;
    scaler.reset(sws_getContext(evenWidth, evenHeight, AV_PIX_FMT_BGR0, evenWidth, evenHeight, AV_PIX_FMT_YUV420P,
                                SWS_BILINEAR, nullptr, nullptr, nullptr));
    if (!scaler) throw VideoError(name + ": no colour conversion for the frames");
    picture = AllocatePicture(evenWidth, evenHeight, AV_PIX_FMT_YUV420P, name);
    encoder = std::thread([this] { Encode(); });
}

Mp4Writer::~Mp4Writer() {
    StopEncoding();
}

void Mp4Writer::StopEncoding() {
    {
        const std::lock_guard<std::mutex> guard(lock);
        closing = true;
    }
    changed.notify_all();
    if (encoder.joinable()) encoder.join();
}

// The first failure stays: every later call reports it.
void Mp4Writer::RethrowFailure() {
    if (failure) std::rethrow_exception(failure);
}

void Mp4Writer::AddFrame(std::span<const std::uint32_t> pixels) {
    if (pixels.size() != std::size_t{width} * height) {
        throw VideoError(file->Name() + ": a frame of " + std::to_string(pixels.size()) + " pixels, not " +
                         std::to_string(width) + "x" + std::to_string(height));
    }
    Pixels frame;
    {
        std::unique_lock<std::mutex> guard(lock);
        changed.wait(guard, [this] { return queued.size() < kQueuedFrames || failure || closing; });
        RethrowFailure();
        if (closing) throw VideoError(file->Name() + ": a frame after the end");
        if (!spare.empty()) {
            frame = std::move(spare.back());
            spare.pop_back();
        }
    }
    // Copied here, padded to even sides by repeating the last column and row.
    const auto evenW = static_cast<std::size_t>(evenWidth);
    frame.resize(evenW * static_cast<std::size_t>(evenHeight));
    for (std::uint32_t y = 0; y < height; ++y) {
        std::uint32_t* row = frame.data() + y * evenW;
        std::copy_n(pixels.data() + std::size_t{y} * width, width, row);
        if (evenW != width) row[width] = row[width - 1];
    }
    if (static_cast<std::uint32_t>(evenHeight) != height) {
        std::copy_n(frame.data() + (height - 1) * evenW, evenW, frame.data() + height * evenW);
    }
    {
        const std::lock_guard<std::mutex> guard(lock);
        queued.push_back(std::move(frame));
    }
    changed.notify_all();
    ++frames;
}

void Mp4Writer::Encode() {
    std::int64_t pts = 0;
    while (true) {
        Pixels frame;
        {
            std::unique_lock<std::mutex> guard(lock);
            changed.wait(guard, [this] { return !queued.empty() || closing; });
            if (queued.empty()) return;  // closing, and everything encoded
            frame = std::move(queued.front());
            queued.pop_front();
        }
        try {
            Convert(frame, pts++);
        } catch (...) {
            const std::lock_guard<std::mutex> guard(lock);
            failure = std::current_exception();
            queued.clear();
            closing = true;
        }
        {
            const std::lock_guard<std::mutex> guard(lock);
            spare.push_back(std::move(frame));
        }
        changed.notify_all();
    }
}

void Mp4Writer::Convert(const Pixels& frame, std::int64_t pts) {
    if (const int error = av_frame_make_writable(picture.get()); error < 0) {
        throw VideoError(file->Name() + ": no frame to encode into: " + FfmpegErrorText(error));
    }
    const auto* source = reinterpret_cast<const std::uint8_t*>(frame.data());
    const int sourceStride = evenWidth * 4;
    sws_scale(scaler.get(), &source, &sourceStride, 0, evenHeight, picture->data, picture->linesize);
    picture->pts = pts;
    file->Send(*picture);
}

sim::PendingFile& Mp4Writer::Complete() {
    StopEncoding();
    RethrowFailure();  // the thread is gone: no lock needed
    return file->Complete();
}

void Mp4Writer::Finish() {
    StopEncoding();
    RethrowFailure();
    file->Finish();
}

}  // namespace quorvel::video
