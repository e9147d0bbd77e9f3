// The largest pixel buffer the platform makes for one surface (a 32-bit
// DIB section). A larger request fails as Windows fails one it cannot
// map; the bench host holds its MFDs to this on either system.
#pragma once

#include <cstddef>

namespace quorvel::platform {

inline constexpr std::size_t kMaxSurfaceBytes = std::size_t{512} << 20;

}  // namespace quorvel::platform
