#include "sim/bench/ContactSheet.h"

#include <algorithm>
#include <cstdio>

#include "sim/bench/MessageText.h"

namespace quorvel::sim {

namespace {

constexpr std::uint32_t kThumbBox = 160;
constexpr std::uint32_t kMaxColumns = 10;
constexpr std::uint32_t kGap = 8;
constexpr CharCell kLabelCell{7, 13};
constexpr std::uint32_t kLabelLines = 2;
constexpr std::uint32_t kTitleLines = 2;
constexpr std::uint32_t kBackground = 0x202020;
constexpr std::uint32_t kFrameBorder = 0x505050;
constexpr COLORREF kTitleInk = RGB(240, 240, 240);
constexpr COLORREF kTimeInk = RGB(255, 214, 102);
constexpr COLORREF kFigureInk = RGB(190, 190, 190);

void Text(HDC dc, std::uint32_t x, std::uint32_t y, COLORREF ink, const std::string& text) {
    SetTextColor(dc, ink);
    TextOutA(dc, static_cast<int>(x), static_cast<int>(y), text.c_str(), static_cast<int>(text.size()));
}

}  // namespace

std::uint32_t SheetLayout::ThumbX(std::size_t i) const {
    return kGap + static_cast<std::uint32_t>(i % columns) * cellWidth;
}

std::uint32_t SheetLayout::ThumbY(std::size_t i) const {
    return gridTop + static_cast<std::uint32_t>(i / columns) * cellHeight;
}

SheetLayout LayoutSheet(std::size_t frames, std::uint32_t frameWidth, std::uint32_t frameHeight) {
    SheetLayout layout;
    const double scale =
        std::min({1.0, double(kThumbBox) / std::max(frameWidth, 1u), double(kThumbBox) / std::max(frameHeight, 1u)});
    layout.thumbWidth = std::max(1u, static_cast<std::uint32_t>(frameWidth * scale + 0.5));
    layout.thumbHeight = std::max(1u, static_cast<std::uint32_t>(frameHeight * scale + 0.5));
    const auto count = static_cast<std::uint32_t>(std::min<std::size_t>(frames, ContactSheet::kMaxFrames));
    layout.columns = std::clamp(count, 1u, kMaxColumns);
    layout.rows = count == 0 ? 0 : (count + layout.columns - 1) / layout.columns;
    // A label no narrower than its longest line.
    const std::uint32_t labelWidth = 18 * kLabelCell.width;
    layout.cellWidth = std::max(layout.thumbWidth, labelWidth) + kGap;
    layout.cellHeight = layout.thumbHeight + 4 + kLabelLines * kLabelCell.height + kGap;
    layout.gridTop = kGap + kTitleLines * kLabelCell.height + kGap;
    layout.width = std::max(kGap + layout.columns * layout.cellWidth, 60 * kLabelCell.width);
    layout.height = layout.gridTop + layout.rows * layout.cellHeight;
    return layout;
}

void Downscale(std::span<const std::uint32_t> source, std::uint32_t width, std::uint32_t height,
               std::span<std::uint32_t> target, std::uint32_t targetWidth, std::uint32_t targetHeight) {
    if (source.size() != std::size_t{width} * height || target.size() != std::size_t{targetWidth} * targetHeight ||
        target.empty() || source.empty()) {
        return;
    }
    for (std::uint32_t ty = 0; ty < targetHeight; ++ty) {
        const std::uint32_t y0 = static_cast<std::uint32_t>(std::uint64_t{ty} * height / targetHeight);
        const std::uint32_t y1 =
            std::max(y0 + 1, static_cast<std::uint32_t>(std::uint64_t{ty + 1} * height / targetHeight));
        for (std::uint32_t tx = 0; tx < targetWidth; ++tx) {
            const std::uint32_t x0 = static_cast<std::uint32_t>(std::uint64_t{tx} * width / targetWidth);
            const std::uint32_t x1 =
                std::max(x0 + 1, static_cast<std::uint32_t>(std::uint64_t{tx + 1} * width / targetWidth));
            std::uint64_t r = 0, g = 0, b = 0;
            for (std::uint32_t y = y0; y < y1; ++y) {
                for (std::uint32_t x = x0; x < x1; ++x) {
                    const std::uint32_t p = source[std::size_t{y} * width + x];
                    r += (p >> 16) & 0xFF;
                    g += (p >> 8) & 0xFF;
                    b += p & 0xFF;
                }
            }
            const std::uint64_t n = std::uint64_t{y1 - y0} * (x1 - x0);
            target[std::size_t{ty} * targetWidth + tx] =
                static_cast<std::uint32_t>(((r + n / 2) / n) << 16 | ((g + n / 2) / n) << 8 | ((b + n / 2) / n));
        }
    }
}

// TextOutA draws the title's bytes as single characters, so it is made printable.
ContactSheet::ContactSheet(std::string title, std::uint32_t frameWidth, std::uint32_t frameHeight,
                           std::size_t expectedFrames)
    : title(Printable(std::move(title))),
      frameWidth(frameWidth),
      frameHeight(frameHeight),
      stride(std::max<std::size_t>(1, (expectedFrames + kMaxFrames - 1) / kMaxFrames)) {
    const SheetLayout layout = LayoutSheet(1, frameWidth, frameHeight);
    thumbWidth = layout.thumbWidth;
    thumbHeight = layout.thumbHeight;
}

void ContactSheet::Offer(const MfdSurface& frame, const SheetLabel& label) {
    const bool onStride = offered++ % stride == 0;
    if (!onStride || labels.size() >= kMaxFrames || !frame.HasPixels()) return;
    if (frame.Width() != frameWidth || frame.Height() != frameHeight) return;
    std::vector<std::uint32_t> thumb(std::size_t{thumbWidth} * thumbHeight);
    Downscale(frame.Pixels(), frameWidth, frameHeight, thumb, thumbWidth, thumbHeight);
    thumbs.push_back(std::move(thumb));
    labels.push_back(label);
}

bool ContactSheet::WritePng(const std::string& path, std::string* why) const {
    const auto fail = [why](const char* reason) {
        if (why != nullptr) *why = reason;
        return false;
    };
    if (labels.empty()) return fail("no frames");
    const SheetLayout layout = LayoutSheet(labels.size(), frameWidth, frameHeight);
    MfdSurface sheet(layout.width, layout.height, kLabelCell);
    if (!sheet.HasPixels()) return fail("no memory for the sheet");
    sheet.Fill(kBackground);
    const std::span<std::uint32_t> pixels = sheet.Pixels();
    HDC dc = sheet.Dc();
    SetBkMode(dc, TRANSPARENT);

    char line[96];
    Text(dc, kGap, kGap, kTitleInk, title);
    std::snprintf(line, sizeof line, "t %.1f to %.1f s, %zu frames%s", labels.front().timeS, labels.back().timeS,
                  labels.size(), stride > 1 ? " (a selection)" : "");
    Text(dc, kGap, kGap + kLabelCell.height, kFigureInk, line);

    for (std::size_t i = 0; i < labels.size(); ++i) {
        const std::uint32_t x = layout.ThumbX(i), y = layout.ThumbY(i);
        // A border one pixel outside the thumbnail, so black frames still show their extent.
        for (std::uint32_t row = y - 1; row <= y + thumbHeight; ++row) {
            for (std::uint32_t column = x - 1; column <= x + thumbWidth; ++column) {
                pixels[std::size_t{row} * layout.width + column] = kFrameBorder;
            }
        }
        for (std::uint32_t row = 0; row < thumbHeight; ++row) {
            const auto source = thumbs[i].begin() + static_cast<std::ptrdiff_t>(row) * thumbWidth;
            std::copy(source, source + thumbWidth, pixels.begin() + static_cast<std::ptrdiff_t>(y + row) * layout.width + x);
        }
        const SheetLabel& label = labels[i];
        const std::uint32_t textY = y + thumbHeight + 4;
        const int timeLength = std::snprintf(line, sizeof line, "t %.1f s", label.timeS);
        Text(dc, x, textY, kTimeInk, line);
        std::snprintf(line, sizeof line, "M %.2f", label.mach);
        Text(dc, x + static_cast<std::uint32_t>(std::max(timeLength + 2, 11)) * kLabelCell.width, textY, kFigureInk,
             line);
        std::snprintf(line, sizeof line, "%.1f km %.0f m/s", label.altitudeM / 1000, label.speedMps);
        Text(dc, x, textY + kLabelCell.height, kFigureInk, line);
    }
    // The sheet's flat background and borders pack far smaller unfiltered.
    return sheet.WritePng(path, why, platform::PngPacking::Flat);
}

}  // namespace quorvel::sim
