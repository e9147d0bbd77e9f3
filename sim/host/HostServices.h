// Host services a module calls besides the mode registry: InitLib, the
// version number of a build date, and the heading of a vessel.
#pragma once

#include <cstdint>

#include "platform/Win32.h"

namespace quorvel::sim {

// How many times InitLib has been called for a module instance.
QUORVEL_BENCH_HOST_API int InitLibCalls(HINSTANCE module);
// How many times any module has called Date2Int.
QUORVEL_BENCH_HOST_API int Date2IntCalls();

}  // namespace quorvel::sim
