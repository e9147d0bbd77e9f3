#include "sim/live/PanelLayout.h"

#include <algorithm>
#include <cmath>

namespace quorvel::live {

namespace {

// In 64 bits: 16 MFDs of 65535 pixels at a large zoom overflow an int.
struct RowSize {
    long long width = 0;
    long long height = 0;
    std::size_t first = 0;
    std::size_t count = 0;
};

// The MFDs in `rows` rows of as even a count as they split into.
std::vector<RowSize> Rows(std::span<const PixelSize> mfds, std::size_t rows) {
    std::vector<RowSize> result;
    std::size_t first = 0;
    for (std::size_t r = 0; r < rows; ++r) {
        RowSize row{.first = first, .count = (mfds.size() - first) / (rows - r)};
        for (std::size_t i = first; i < first + row.count; ++i) {
            row.width += mfds[i].width;
            row.height = std::max<long long>(row.height, mfds[i].height);
        }
        first += row.count;
        result.push_back(row);
    }
    return result;
}

// The largest scale at which the rows fit the room.
double Fit(const std::vector<RowSize>& rows, long long width, long long height) {
    long long total = 0;
    double scale = HUGE_VAL;
    for (const RowSize& row : rows) {
        total += row.height;
        const long long room = width - kPanelMargin * static_cast<long long>(row.count + 1);
        scale = std::min(scale, static_cast<double>(room) / static_cast<double>(std::max(row.width, 1LL)));
    }
    const long long room = height - kPanelMargin * static_cast<long long>(rows.size() + 1);
    return std::min(scale, static_cast<double>(room) / static_cast<double>(std::max(total, 1LL)));
}

int Clamped(long long value) {
    return static_cast<int>(std::clamp<long long>(value, 0, INT32_MAX));
}

}  // namespace

PixelSize PanelSize(std::span<const PixelSize> mfds, int statusHeight, int zoom) {
    const RowSize row = Rows(mfds, 1).front();
    zoom = std::max(zoom, 1);
    const long long width = row.width * zoom + kPanelMargin * static_cast<long long>(mfds.size() + 1);
    const long long height = row.height * zoom + 2LL * kPanelMargin + std::max(statusHeight, 0);
    return {static_cast<std::uint32_t>(std::min<long long>(width, UINT32_MAX)),
            static_cast<std::uint32_t>(std::min<long long>(height, UINT32_MAX))};
}

PanelLayout LayOutPanel(int windowWidth, int windowHeight, std::span<const PixelSize> mfds, int statusHeight) {
    statusHeight = std::clamp(statusHeight, 0, std::max(windowHeight, 0));
    const long long roomHeight = static_cast<long long>(windowHeight) - statusHeight;
    // The number of rows whose scale is largest; the fewest on a tie.
    std::size_t bestRows = 1;
    double best = -HUGE_VAL;
    for (std::size_t rows = 1; rows <= std::max<std::size_t>(mfds.size(), 1); ++rows) {
        const double scale = Fit(Rows(mfds, rows), windowWidth, roomHeight);
        const double kept = scale >= 1 ? std::floor(scale) : scale;
        if (kept > best) {
            best = kept;
            bestRows = rows;
        }
    }
    PanelLayout layout;
    layout.rows = bestRows;
    layout.scale = std::clamp(best, 1e-6, 65536.0);
    long long y = kPanelMargin;
    for (const RowSize& row : Rows(mfds, bestRows)) {
        long long rowWidth = kPanelMargin * static_cast<long long>(row.count - 1), rowHeight = 1;
        const auto scaled = [&](std::uint32_t side) {
            return std::max(1LL, std::llround(static_cast<double>(side) * layout.scale));
        };
        for (std::size_t i = row.first; i < row.first + row.count; ++i) rowWidth += scaled(mfds[i].width);
        long long x = std::max<long long>(kPanelMargin, (windowWidth - rowWidth) / 2);
        for (std::size_t i = row.first; i < row.first + row.count; ++i) {
            const long long width = scaled(mfds[i].width), height = scaled(mfds[i].height);
            layout.mfds.push_back({Clamped(x), Clamped(y), Clamped(width), Clamped(height)});
            x += width + kPanelMargin;
            rowHeight = std::max(rowHeight, height);
        }
        y += rowHeight + kPanelMargin;
    }
    // Under the MFDs, and never below the window's bottom.
    const long long statusTop = std::min<long long>(y, std::max(roomHeight, 0LL));
    layout.status = {0, Clamped(statusTop), std::max(windowWidth, 0), statusHeight};
    return layout;
}

PixelSize UsedSize(const PanelLayout& layout, int statusHeight) {
    long long right = 0, left = INT32_MAX;
    for (const PixelRect& r : layout.mfds) {
        right = std::max<long long>(right, static_cast<long long>(r.x) + r.width);
        left = std::min<long long>(left, r.x);
    }
    const long long width = layout.mfds.empty() ? 0 : right - left + 2LL * kPanelMargin;
    const long long height = static_cast<long long>(layout.status.y) + std::max(statusHeight, 0);
    return {static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)};
}

std::optional<std::size_t> MfdAt(const PanelLayout& layout, int x, int y) {
    for (std::size_t i = 0; i < layout.mfds.size(); ++i) {
        const PixelRect& r = layout.mfds[i];
        if (x >= r.x && y >= r.y && x - r.x < r.width && y - r.y < r.height) return i;
    }
    return std::nullopt;
}

}  // namespace quorvel::live
