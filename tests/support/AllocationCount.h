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

// The operator new calls the calling thread has made so far, for counting
// one piece of code's allocations apart from other threads'.
std::uint64_t NewCallsOnThisThread();

}  // namespace quorvel::test
