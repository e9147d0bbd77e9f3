// A short looping animated picture for a README, made from part of a
// video: animated WebP (lossy, from FFmpeg's libwebp encoder), which
// browsers and GitHub's README show, and which keeps a few seconds of a
// 400x400 page to a fraction of an animated PNG or a GIF (a GIF's 256
// colours band the shaded ball).
#pragma once

#include <cstddef>
#include <filesystem>

namespace quorvel::video {

struct AnimationSpan {
    double fromS = 0;             // from this time in the video
    double lengthS = 5;           // for this long of the video
    double framesPerSecond = 10;  // of the picture, each taken from the video
    int quality = 60;             // the encoder's quality, 0 to 100
    double speed = 1;             // how many times faster than the video it plays
};

// Writes the span of the video as a looping animation at `picture`
// (a name ending in ".webp"), under ".partial" until whole, and returns
// its frame count. Throws VideoError, naming the file, for a bad name or
// span, a video that cannot be read or has no frame in the span, or a
// picture that cannot be written; nothing is left behind then.
std::size_t WriteAnimatedPicture(const std::filesystem::path& video, const std::filesystem::path& picture,
                                 const AnimationSpan& span);

}  // namespace quorvel::video
