#include "sim/live/PanelLayout.h"

#include <algorithm>

namespace quorvel::live {

namespace {

// In 64 bits: 16 MFDs of 65535 pixels at a large zoom overflow an int.
struct RowSize {
    long long width = 0;
    long long height = 0;
};

RowSize Row(std::span<const PixelSize> mfds) {
    RowSize row;
    for (const PixelSize& size : mfds) {
        row.width += size.width;
        row.height = std::max<long long>(row.height, size.height);
    }
    return row;
}

long long Gaps(std::span<const PixelSize> mfds) {
    return kPanelMargin * static_cast<long long>(mfds.size() + 1);
}

}  // namespace

PixelSize PanelSize(std::span<const PixelSize> mfds, int statusHeight, int zoom) {
    const RowSize row = Row(mfds);
    zoom = std::max(zoom, 1);
    const long long width = row.width * zoom + Gaps(mfds);
    const long long height = row.height * zoom + 2LL * kPanelMargin + std::max(statusHeight, 0);
    return {static_cast<std::uint32_t>(std::min<long long>(width, UINT32_MAX)),
            static_cast<std::uint32_t>(std::min<long long>(height, UINT32_MAX))};
}

PanelLayout LayOutPanel(int windowWidth, int windowHeight, std::span<const PixelSize> mfds, int statusHeight) {
    const RowSize row = Row(mfds);
    statusHeight = std::max(statusHeight, 0);
    const long long roomWidth = static_cast<long long>(windowWidth) - Gaps(mfds);
    const long long roomHeight = static_cast<long long>(windowHeight) - 2LL * kPanelMargin - statusHeight;
    long long zoom = 1;
    if (row.width > 0 && row.height > 0 && roomWidth > 0 && roomHeight > 0) {
        zoom = std::max(1LL, std::min(roomWidth / row.width, roomHeight / row.height));
    }
    PanelLayout layout;
    layout.zoom = static_cast<int>(std::min<long long>(zoom, 1 << 16));
    const long long used = row.width * layout.zoom + Gaps(mfds);
    long long x = std::max(0LL, (static_cast<long long>(windowWidth) - used) / 2) + kPanelMargin;
    for (const PixelSize& size : mfds) {
        const long long width = static_cast<long long>(size.width) * layout.zoom;
        const long long height = static_cast<long long>(size.height) * layout.zoom;
        layout.mfds.push_back({static_cast<int>(std::min<long long>(x, INT32_MAX)), kPanelMargin,
                               static_cast<int>(std::min<long long>(width, INT32_MAX)),
                               static_cast<int>(std::min<long long>(height, INT32_MAX))});
        x += width + kPanelMargin;
    }
    const long long statusTop = row.height * layout.zoom + 2LL * kPanelMargin;
    layout.status = {0, static_cast<int>(std::min<long long>(statusTop, INT32_MAX)), std::max(windowWidth, 0),
                     statusHeight};
    return layout;
}

std::optional<std::size_t> MfdAt(const PanelLayout& layout, int x, int y) {
    for (std::size_t i = 0; i < layout.mfds.size(); ++i) {
        const PixelRect& r = layout.mfds[i];
        if (x >= r.x && y >= r.y && x - r.x < r.width && y - r.y < r.height) return i;
    }
    return std::nullopt;
}

}  // namespace quorvel::live
