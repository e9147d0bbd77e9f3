// What moves the bench host's vessel from step to step: the flight model
// flown by a scenario's pilot, or a recorded telemetry log played back.
// Either way the run loop steps it, copies its state into the vessel the
// module queries and, at the end, asks it for its closing summary line.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "sim/bench/Scenario.h"
#include "sim/bench/Telemetry.h"
#include "sim/host/VesselState.h"

namespace quorvel::sim {

class VesselDriver {
public:
    virtual ~VesselDriver() = default;

    // The time of the state before the first step.
    virtual double StartTimeS() const = 0;
    // Advances by one flight-model step.
    virtual void Step() = 0;
    virtual double TimeS() const = 0;
    virtual void WriteState(VesselState& state) const = 0;
    // One line: what the run did (take-off, burn-out, the highest point...).
    virtual std::string Summary() const = 0;
    // Whoever picks a flown vessel's controls from the next step on, to be
    // replaced; null for a replay, which nobody flies.
    virtual flight::ControlLaw* Pilot() { return nullptr; }
};

// The scenario's vessel, placed as it starts and flown by its pilot.
std::unique_ptr<VesselDriver> FlyScenario(const Scenario& scenario);

// The log's states in time order, from its first record, interpolated at
// each step; `source` names it in the summary.
std::unique_ptr<VesselDriver> ReplayLog(std::vector<TelemetryRecord> log, std::string source);

// Seconds from the log's first record to its last.
double LogSpanS(const std::vector<TelemetryRecord>& log);

}  // namespace quorvel::sim
