// BitBlt with SRCCOPY, clipped at every edge of the source and of the
// destination, between bottom-up and top-down DIB sections.

#include <string>

#include "corpus/Corpus.h"

namespace quorvel::corpus {

namespace {

struct Copy {
    const char* name;
    int x;
    int y;
    int width;
    int height;
    int sourceX;
    int sourceY;
};

// The source is 16 by 12, the destination 24 by 20.
constexpr Copy kCopies[] = {
    {"inside", 4, 4, 16, 12, 0, 0},          {"dest-left", -5, 4, 16, 12, 0, 0},
    {"dest-right", 12, 4, 16, 12, 0, 0},     {"dest-top", 4, -5, 16, 12, 0, 0},
    {"dest-bottom", 4, 12, 16, 12, 0, 0},    {"source-left", 4, 4, 16, 12, -5, 0},
    {"source-right", 4, 4, 16, 12, 5, 0},    {"source-top", 4, 4, 16, 12, 0, -5},
    {"source-bottom", 4, 4, 16, 12, 0, 5},   {"all-edges", -3, -3, 30, 30, -2, -2},
    {"part", 2, 3, 7, 5, 6, 4},              {"zero-width", 4, 4, 0, 12, 0, 0},
    {"zero-height", 4, 4, 16, 0, 0, 0},      {"dest-outside", 24, 4, 16, 12, 0, 0},
    {"source-outside", 4, 4, 16, 12, 16, 0}, {"dest-corner", 20, 17, 16, 12, 0, 0},
};

}  // namespace

void BitBltScenes(Corpus& corpus) {
    for (const bool sourceUp : {false, true}) {
        SceneDib source(16, 12, sourceUp);
        // Every pixel different, so that any shift or flip shows.
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < 16; ++x) source.At(x, y) = 0x400000u | static_cast<std::uint32_t>(y * 16 + x) << 4;
        }
        for (const bool destUp : {false, true}) {
            for (const Copy& copy : kCopies) {
                SceneDib image(24, 20, destUp);
                image.Fill(0x202020);
                const BOOL done = BitBlt(image.Dc(), copy.x, copy.y, copy.width, copy.height, source.Dc(),
                                         copy.sourceX, copy.sourceY, SRCCOPY);
                const std::string scene = std::string("bitblt-") + (sourceUp ? "up" : "down") + "-to-" +
                                          (destUp ? "up" : "down") + "-" + copy.name;
                corpus.Picture(scene, image);
                corpus.Fact(scene, done ? "succeeds" : "fails");
            }
        }
    }
}

}  // namespace quorvel::corpus
