#include "sim/host/HostServices.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <map>

#include "host/HostFunctions.h"
#include "sim/host/HostLog.h"
#include "sim/host/HostVessel.h"

namespace quorvel::sim {

namespace {

std::map<HINSTANCE, int>& InitLibCounts() {
    static std::map<HINSTANCE, int> counts;
    return counts;
}

int date2IntCalls = 0;

}  // namespace

int Date2IntCalls() { return date2IntCalls; }

int InitLibCalls(HINSTANCE module) {
    const auto found = InitLibCounts().find(module);
    return found == InitLibCounts().end() ? 0 : found->second;
}

}  // namespace quorvel::sim

void InitLib(HINSTANCE module) {
    if (++quorvel::sim::InitLibCounts()[module] > 1) quorvel::sim::HostReport("InitLib called again for one module");
}

// The number is the date as the decimal yyyymmdd: "Apr 25 2006" gives
// 20060425. The text is the compiler's __DATE__ form, "Mmm dd yyyy" with the
// day padded by a blank or a zero.
int Date2Int(const char* date) {
    ++quorvel::sim::date2IntCalls;
    if (date == nullptr) return 0;
    static constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char month[4] = {};
    int day = 0;
    int year = 0;
    char rest = 0;
    if (std::sscanf(date, "%3s %d %d%c", month, &day, &year, &rest) != 3) return 0;
    for (std::size_t m = 0; m < kMonths.size(); ++m) {
        if (std::strcmp(month, kMonths[m]) == 0 && day >= 1 && day <= 31 && year >= 1 && year <= 9999) {
            return year * 10000 + static_cast<int>(m + 1) * 100 + day;
        }
    }
    return 0;
}

int hlvGetHeading(OBJECTHANDLE handle, double* heading) {
    HostVessel* vessel = HostVessel::FromHandle(handle);
    if (vessel == nullptr || heading == nullptr) return 0;
    vessel->queries.Add(quorvel::sim::VesselQuery::Heading);
    if (!vessel->state.headingAvailable) return 0;
    *heading = vessel->state.heading;
    return 1;
}
