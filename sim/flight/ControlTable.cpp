#include "sim/flight/ControlTable.h"

#include <algorithm>
#include <cmath>
#include <istream>
#include <sstream>

namespace quorvel::flight {

namespace {

ControlInputs Mix(const ControlInputs& a, const ControlInputs& b, double f) {
    auto mix = [f](double x, double y) { return x + (y - x) * f; };
    return {mix(a.pitch, b.pitch), mix(a.roll, b.roll), mix(a.yaw, b.yaw), mix(a.throttle, b.throttle)};
}

}  // namespace

ControlTable::ControlTable(std::vector<ControlPoint> given) : points(std::move(given)) {
    std::erase_if(points, [](const ControlPoint& p) { return !std::isfinite(p.timeS); });
    std::stable_sort(points.begin(), points.end(),
                     [](const ControlPoint& a, const ControlPoint& b) { return a.timeS < b.timeS; });
}

ControlInputs ControlTable::At(double timeS) const {
    if (points.empty()) return {};
    // The first row after timeS: at a step's time this gives the later row.
    const auto next = std::upper_bound(points.begin(), points.end(), timeS,
                                       [](double t, const ControlPoint& p) { return t < p.timeS; });
    if (next == points.begin()) return points.front().controls;
    if (next == points.end() || !std::isfinite(timeS)) return std::prev(next)->controls;
    const ControlPoint& a = *std::prev(next);
    const ControlPoint& b = *next;
    return Mix(a.controls, b.controls, (timeS - a.timeS) / (b.timeS - a.timeS));
}

std::optional<ControlTable> ParseControlTable(std::istream& in, std::string& error) {
    std::vector<ControlPoint> points;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        line = line.substr(0, line.find('#'));
        std::replace(line.begin(), line.end(), ',', ' ');
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        std::istringstream fields(line);
        ControlPoint p;
        ControlInputs& c = p.controls;
        std::string extra;
        if (!(fields >> p.timeS >> c.pitch >> c.roll >> c.yaw >> c.throttle) || (fields >> extra) ||
            !std::isfinite(p.timeS)) {
            error = "line " + std::to_string(number) + ": expected time, pitch, roll, yaw and throttle";
            return std::nullopt;
        }
        points.push_back(p);
    }
    error.clear();
    return ControlTable(std::move(points));
}

}  // namespace quorvel::flight
