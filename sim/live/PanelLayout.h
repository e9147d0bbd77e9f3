// Where the live window puts its MFDs: side by side, left to right, all at
// one integer zoom (so they keep their sizes relative to each other, as on
// a panel), the largest at which the row and the status strip under it fit
// the window; centred across, a margin from the top. Zoom 1 when even
// that does not fit: the window's minimum size is the zoom-1 layout.
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
    int zoom = 1;
    std::vector<PixelRect> mfds;  // in the order given
    PixelRect status;             // the full width, under the MFDs
};

inline constexpr int kPanelMargin = 8;  // around and between MFDs, pixels

// MFD sides up to 65535 and up to 16 MFDs, as the bench host allows.
PanelLayout LayOutPanel(int windowWidth, int windowHeight, std::span<const PixelSize> mfds, int statusHeight);
// The window size the layout fills exactly at a zoom; at zoom 1, the
// window's minimum.
PixelSize PanelSize(std::span<const PixelSize> mfds, int statusHeight, int zoom);
// The MFD whose picture holds the point, if any.
std::optional<std::size_t> MfdAt(const PanelLayout& layout, int x, int y);

}  // namespace quorvel::live
