#include "sim/bench/MfdSize.h"

#include <charconv>
#include <cstdio>

#include "platform/SurfaceLimit.h"

namespace quorvel::sim {

std::optional<MfdSize> ParseMfdSize(const std::string& text) {
    const auto x = text.find('x');
    if (x == std::string::npos) return std::nullopt;
    const auto number = [](const char* first, const char* last) -> std::optional<std::uint32_t> {
        std::uint32_t value = 0;
        const auto [end, error] = std::from_chars(first, last, value);
        if (error != std::errc{} || end != last || value < 1 || value > 65535) return std::nullopt;
        return value;
    };
    const auto width = number(text.data(), text.data() + x);
    const auto height = number(text.data() + x + 1, text.data() + text.size());
    if (!width || !height) return std::nullopt;
    return MfdSize{*width, *height};
}

std::string MfdSizeFault(MfdSize size) {
    const double bytes = 4.0 * size.width * size.height;
    if (bytes <= static_cast<double>(platform::kMaxSurfaceBytes)) return "";
    constexpr double kMiB = 1 << 20;
    char text[160];
    std::snprintf(text, sizeof text, "needs %.1f MiB of pixels, more than the %.0f MiB a surface may have",
                  bytes / kMiB, static_cast<double>(platform::kMaxSurfaceBytes) / kMiB);
    return text;
}

}  // namespace quorvel::sim
