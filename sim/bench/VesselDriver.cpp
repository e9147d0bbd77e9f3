#include "sim/bench/VesselDriver.h"

#include <algorithm>
#include <cstdio>

#include "sim/bench/VesselStateWriter.h"
#include "sim/flight/FlightSummary.h"

namespace quorvel::sim {

namespace {

class FlownVessel : public VesselDriver {
public:
    explicit FlownVessel(const Scenario& scenario)
        : model(StartFlight(scenario)),
          pilot(ControlsOf(scenario)),
          startedLanded(model.Readings().landed),
          startPropellantKg(model.State().mainPropellantKg) {}

    double StartTimeS() const override { return 0; }
    void Step() override {
        model.Step(pilot(model.TimeS(), model));
        summary.Update(model);
    }
    double TimeS() const override { return model.TimeS(); }
    void WriteState(VesselState& state) const override { WriteVesselState(model, state); }
    flight::ControlLaw* Pilot() override { return &pilot; }

    std::string Summary() const override {
        std::string text;
        char part[160];
        if (startedLanded && summary.tookOff) {
            std::snprintf(part, sizeof part, "take-off %.1f s, ", summary.takeOffTimeS);
            text += part;
        }
        // Only a burn that happened in this run: a dry tank from the start is no burn-out.
        if (startPropellantKg > 0 && summary.burntOut) {
            std::snprintf(part, sizeof part, "burn-out %.1f s at %.1f km and %.0f m/s, ", summary.burnOutTimeS,
                          summary.burnOutAltitudeM / 1000, summary.burnOutSpeedMps);
            text += part;
        }
        std::snprintf(part, sizeof part, "highest %.1f km at %.1f s, Mach %.2f, %.1f g at most",
                      summary.maxAltitudeM / 1000, summary.maxAltitudeTimeS, summary.maxMach, summary.maxGLoad);
        return text + part;
    }

private:
    flight::FlightModel model;
    flight::ControlLaw pilot;
    flight::FlightSummary summary;
    bool startedLanded;
    double startPropellantKg;
};

class ReplayedVessel : public VesselDriver {
public:
    ReplayedVessel(std::vector<TelemetryRecord> records, std::string source)
        : log(std::move(records)), source(std::move(source)), startS(log.empty() ? 0 : log.front().timeS) {
        ReplayState(log, startS, current);
    }

    double StartTimeS() const override { return startS; }
    void Step() override {
        ++steps;
        ReplayState(log, TimeS(), current);
        if (current.altitude > highestM) {
            highestM = current.altitude;
            highestTimeS = TimeS();
        }
        maxMach = std::max(maxMach, current.mach);
    }
    // Counted, as the flight model does, so that step times match its own.
    double TimeS() const override { return startS + static_cast<double>(steps) * flight::FlightModel::kStepS; }
    void WriteState(VesselState& state) const override { state = current; }

    std::string Summary() const override {
        char text[400];
        std::snprintf(text, sizeof text,
                      "replayed %zu records of %s (t %.1f to %.1f s), highest %.1f km at %.1f s, Mach %.2f at most",
                      log.size(), source.c_str(), startS, log.empty() ? startS : log.back().timeS, highestM / 1000,
                      highestTimeS, maxMach);
        return text;
    }

private:
    std::vector<TelemetryRecord> log;
    std::string source;
    double startS;
    long long steps = 0;
    VesselState current;
    double highestM = 0;
    double highestTimeS = 0;
    double maxMach = 0;
};

}  // namespace

std::unique_ptr<VesselDriver> FlyScenario(const Scenario& scenario) { return std::make_unique<FlownVessel>(scenario); }

std::unique_ptr<VesselDriver> ReplayLog(std::vector<TelemetryRecord> log, std::string source) {
    return std::make_unique<ReplayedVessel>(std::move(log), std::move(source));
}

double LogSpanS(const std::vector<TelemetryRecord>& log) {
    return log.empty() ? 0 : log.back().timeS - log.front().timeS;
}

}  // namespace quorvel::sim
