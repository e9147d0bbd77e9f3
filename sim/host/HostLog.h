// What the bench host reports about the modules it runs: refused calls and
// other faults a module made. Kept for tests and echoed to stderr.
#pragma once

#include <string>
#include <vector>

#include "platform/Win32.h"

namespace quorvel::sim {

HLVAPI void HostReport(std::string message);
HLVAPI const std::vector<std::string>& HostReports();
HLVAPI void ClearHostReports();
// Whether reports are also written to stderr (on by default).
HLVAPI void EchoHostReports(bool echo);

}  // namespace quorvel::sim
