#include "sim/host/HostLog.h"

#include <cstdio>

namespace quorvel::sim {

namespace {

struct Log {
    std::vector<std::string> reports;
    bool echo = true;
};

Log& TheLog() {
    static Log log;
    return log;
}

}  // namespace

void HostReport(std::string message) {
    if (TheLog().echo) std::fprintf(stderr, "quorvel-sim: %s\n", message.c_str());
    TheLog().reports.push_back(std::move(message));
}

const std::vector<std::string>& HostReports() { return TheLog().reports; }

void ClearHostReports() { TheLog().reports.clear(); }

void EchoHostReports(bool echo) { TheLog().echo = echo; }

}  // namespace quorvel::sim
