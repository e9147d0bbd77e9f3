// The bytes the process holds through the global operator new. A binary
// that links AllocationCount.cpp has every form of operator new and delete
// replaced by counting ones; the module and the shared libraries it loads
// bind to them as well, since the program's definitions come first.
//
// Unlike malloc's statistics, the count is exact: per-thread free caches
// (the GL driver's threads fill them) hold no bytes here.
#pragma once

#include <cstdint>

namespace quorvel::test {

std::int64_t LiveNewBytes();

}  // namespace quorvel::test
