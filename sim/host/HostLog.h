// What the bench host reports about the modules it runs: refused calls and
// other faults a module made. Kept for tests and echoed to stderr.
#pragma once

#include <string>
#include <vector>

#include "platform/Win32.h"

namespace quorvel::sim {

QUORVEL_BENCH_HOST_API void HostReport(std::string message);
QUORVEL_BENCH_HOST_API const std::vector<std::string>& HostReports();
QUORVEL_BENCH_HOST_API void ClearHostReports();
// Whether reports are also written to stderr (on by default).
QUORVEL_BENCH_HOST_API void EchoHostReports(bool echo);

}  // namespace quorvel::sim
