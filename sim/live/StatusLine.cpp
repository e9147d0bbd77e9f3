#include "sim/live/StatusLine.h"

#include <cstdio>

namespace quorvel::live {

std::string StatusText(const StatusFacts& f) {
    char rate[48];
    if (f.acceleration == 0) {
        std::snprintf(rate, sizeof rate, "paused");
    } else {
        std::snprintf(rate, sizeof rate, "%gx%s", f.acceleration, f.behind ? " (behind)" : "");
    }
    const sim::VesselState& s = *f.state;
    char flight[240];
    std::snprintf(flight, sizeof flight, "t %.1f s  %s  %s\nalt %.0f m  TAS %.1f m/s  Mach %.2f  fuel %.0f kg", f.timeS,
                  rate, f.pilot.empty() ? "replay" : ("pilot: " + f.pilot).c_str(), s.altitude, s.airspeed, s.mach,
                  s.tanks.empty() ? 0.0 : s.tanks[0].mass);
    std::string text = flight;
    text += "\n";
    for (std::size_t i = 0; i < f.mfds.size(); ++i) {
        text +=
            (i > 0 ? "   MFD " : "MFD ") + std::to_string(i) + (i == f.keyboard ? " (keys)" : "") + ": " + f.mfds[i];
        if (i == f.keyboard && !f.lastKey.empty()) text += ", " + f.lastKey;
    }
    text += "\nF1 pause  F2-F4 1x 10x 100x  F6 autopilot  Esc end";
    return text;
}

}  // namespace quorvel::live
