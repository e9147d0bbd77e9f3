// quorvel-animate: a short looping animated picture (WebP) from part of a
// video of a flight, for the README.

#include <CLI/CLI.hpp>

#include <filesystem>
#include <iostream>

#include "sim/files/ProgramExit.h"
#include "sim/video/AnimatedPicture.h"
#include "sim/video/FfmpegObjects.h"

int main(int argc, char** argv) {
    std::string video;
    std::string picture;
    quorvel::video::AnimationSpan span;
    CLI::App app{"quorvel-animate: makes a looping animated WebP picture from part of a video."};
    app.add_option("video", video, "the video (an MP4 quorvel-sim wrote)")->required();
    app.add_option("picture", picture, "the picture to write, a name ending in .webp")->required();
    app.add_option("--from", span.fromS, "where in the video it starts, seconds")->check(CLI::Range(0.0, 1e9));
    app.add_option("--length", span.lengthS, "how much of the video it shows, seconds")
        ->check(CLI::Range(0.01, 6000.0));
    app.add_option("--fps", span.framesPerSecond, "frames per second")->check(CLI::Range(0.1, 50.0));
    app.add_option("--quality", span.quality, "0 (smallest) to 100 (best)")->check(CLI::Range(0, 100));
    app.add_option("--speed", span.speed, "how many times faster than the video it plays")
        ->check(CLI::Range(0.01, 100.0));
    app.footer("Exit status: 0 written; 2 a bad option, a video it cannot read or a picture it cannot write.");
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& help) {
        return app.exit(help);
    } catch (const CLI::ParseError& error) {
        std::cerr << "quorvel-animate: " << error.what() << "\n";
        return 2;
    }
    // Whatever fails here is a video it cannot read or a picture it cannot write.
    constexpr int kCannotMakeIt = 2;
    return quorvel::sim::ExitStatusOf(
        "quorvel-animate",
        [&] {
            const std::size_t frames = quorvel::video::WriteAnimatedPicture(video, picture, span);
            std::cout << picture << ": " << frames << " frames, " << std::filesystem::file_size(picture) / 1024
                      << " KiB\n";
            return 0;
        },
        kCannotMakeIt);
}
