// The live window's status text, in lines short enough for a window of
// one MFD: time, time acceleration and who flies; altitude, speed, Mach
// and main fuel; what each MFD shows, which has the keyboard and the last
// key it was given; the keys that run the window.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "sim/host/VesselState.h"

namespace quorvel::live {

struct StatusFacts {
    double timeS = 0;
    double acceleration = 1;  // 0: paused
    bool behind = false;      // simulated time runs slower than asked
    const sim::VesselState* state = nullptr;
    std::string pilot;              // who flies: "autopilot", "hands"...; empty: a replay
    std::vector<std::string> mfds;  // what each shows
    std::size_t keyboard = 0;       // the MFD that has the keyboard
    std::string lastKey;            // "key 47 taken"; empty before the first
};

// Four lines, split by '\n'.
std::string StatusText(const StatusFacts& facts);

}  // namespace quorvel::live
