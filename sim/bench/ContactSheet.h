// One MFD's whole run on one picture: a grid of downscaled frames in time
// order (left to right, then down), each labelled with its time and the
// figures a pilot reads first (altitude, speed, Mach), under a title.
// The labels are drawn with GDI text on the sheet's own DIB, so the sheet
// comes out the same wherever the host runs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "sim/host/MfdSurface.h"

namespace quorvel::sim {

struct SheetLabel {
    double timeS = 0;
    double altitudeM = 0;
    double speedMps = 0;
    double mach = 0;
};

struct SheetLayout {
    std::uint32_t thumbWidth = 0;
    std::uint32_t thumbHeight = 0;
    std::uint32_t columns = 0;
    std::uint32_t rows = 0;
    std::uint32_t width = 0;  // the whole sheet
    std::uint32_t height = 0;
    std::uint32_t cellWidth = 0;  // a thumbnail, its label and the gap after them
    std::uint32_t cellHeight = 0;
    std::uint32_t gridTop = 0;  // below the title

    // The top-left corner of frame i's thumbnail.
    std::uint32_t ThumbX(std::size_t i) const;
    std::uint32_t ThumbY(std::size_t i) const;
};

// Thumbnails fit a 160-pixel box, aspect kept, never enlarged and at least
// a pixel each way; up to 10 a row.
SheetLayout LayoutSheet(std::size_t frames, std::uint32_t frameWidth, std::uint32_t frameHeight);

// Each target pixel the mean of the source pixels under it (0x00RRGGBB).
// Sizes must match the spans; nothing is written otherwise.
void Downscale(std::span<const std::uint32_t> source, std::uint32_t width, std::uint32_t height,
               std::span<std::uint32_t> target, std::uint32_t targetWidth, std::uint32_t targetHeight);

class ContactSheet {
public:
    // Up to this many frames a sheet; a longer run keeps every n-th.
    static constexpr std::size_t kMaxFrames = 120;

    // For frames of one MFD's size, expecting about `expectedFrames` offers.
    ContactSheet(std::string title, std::uint32_t frameWidth, std::uint32_t frameHeight, std::size_t expectedFrames);

    // Keeps a thumbnail of the frame when it falls on the sheet's stride.
    void Offer(const MfdSurface& frame, const SheetLabel& label);
    std::size_t Frames() const { return labels.size(); }

    // Draws the sheet; false when it has no frames or cannot be written,
    // and then `why`, when given, says why.
    bool WritePng(const std::string& path, std::string* why = nullptr) const;

private:
    std::string title;
    std::uint32_t frameWidth;
    std::uint32_t frameHeight;
    std::size_t stride;
    std::size_t offered = 0;
    std::uint32_t thumbWidth;
    std::uint32_t thumbHeight;
    std::vector<std::vector<std::uint32_t>> thumbs;
    std::vector<SheetLabel> labels;
};

}  // namespace quorvel::sim
