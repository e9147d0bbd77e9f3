#include "sim/live/ScriptedInput.h"

#include <algorithm>
#include <cmath>

namespace quorvel::live {

ScriptedInput::ScriptedInput(std::vector<ScriptedEvent> list) : events(std::move(list)) {
    // A time that is not a number is never due, and would unsettle the sort.
    std::erase_if(events, [](const ScriptedEvent& e) { return std::isnan(e.timeS); });
    std::stable_sort(events.begin(), events.end(),
                     [](const ScriptedEvent& a, const ScriptedEvent& b) { return a.timeS < b.timeS; });
}

std::vector<InputEvent> ScriptedInput::Due(double simTimeS) {
    std::vector<InputEvent> due;
    for (; next < events.size() && events[next].timeS <= simTimeS + 1e-6; ++next) due.push_back(events[next].event);
    return due;
}

}  // namespace quorvel::live
