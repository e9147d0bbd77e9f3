// Two pictures of the same thing compared pixel by pixel, and the
// difference shown to a person: as a PNG of the two images and their
// difference side by side, and as a character map for a log.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "tests/pictures/PagePictures.h"

namespace quorvel::test {

// Per pixel of equal-sized pictures: whether it is left out of the
// comparison. Empty leaves nothing out.
using PixelMask = std::vector<bool>;

struct PictureDiff {
    bool sameSize = false;
    std::uint64_t compared = 0;  // pixels not masked out
    std::uint64_t differing = 0;
    Box bounds;  // of the differing pixels
};

// Reads a PNG; nullopt, with libpng's reason in error, when it cannot.
std::optional<Picture> ReadPicture(const std::string& path, std::string& error);

PictureDiff Compare(const Picture& a, const Picture& b, const PixelMask& mask = {});

// Writes a, b and their difference side by side, each scaled up `zoom`
// times: in the difference, pixels that differ are white, masked ones dark
// blue, the rest a dim grey copy of a.
bool WriteDiffPicture(const std::string& path, const Picture& a, const Picture& b, const PixelMask& mask, int zoom);

// The differing region (with a margin) as characters, one per pixel: '.'
// background in both, '#' the same ink in both, 'a' or 'b' ink in that
// one only, 'x' different ink in both. Wider regions are cut at maxColumns.
void PrintDiffMap(std::ostream& out, const Picture& a, const Picture& b, const PictureDiff& diff, int maxColumns);

}  // namespace quorvel::test
