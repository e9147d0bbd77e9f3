// Where the live window puts its MFDs: in rows, in the order given, all at
// one scale (so they keep their sizes relative to each other, as on a
// panel), with the status strip under them. The scale is the largest whole
// zoom at which the MFDs and the strip fit the window, over every number
// of rows; when not even zoom 1 fits, the largest scale below 1 that does
// (the renderer scales the pictures down). Each row is centred across, a
// margin from the one above. Pure arithmetic, no window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace quorvel::live {

struct PixelSize {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct PanelLayout {
    double scale = 1;             // a whole zoom from 1 up, or below 1
    std::size_t rows = 1;
    std::vector<PixelRect> mfds;  // in the order given, each at least a pixel a side
    PixelRect status;             // the full width, under the MFDs
};

inline constexpr int kPanelMargin = 8;  // around and between MFDs, pixels

// MFD sides up to 65535 and up to 16 MFDs, as the bench host allows. The
// status strip is inside the window whenever the window is taller than it.
PanelLayout LayOutPanel(int windowWidth, int windowHeight, std::span<const PixelSize> mfds, int statusHeight);
// The window size that holds the MFDs in one row at a whole zoom.
PixelSize PanelSize(std::span<const PixelSize> mfds, int statusHeight, int zoom);
// The smallest window size that a layout fills: the window to open for a
// layout made for the display's usable area.
PixelSize UsedSize(const PanelLayout& layout, int statusHeight);
// The MFD whose picture holds the point, if any.
std::optional<std::size_t> MfdAt(const PanelLayout& layout, int x, int y);

}  // namespace quorvel::live
