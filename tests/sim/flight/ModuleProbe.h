// The module's view of a flight-model vessel: a bench-host vessel whose
// state the model writes, sampled by the module's own FlightData, as the
// bench host does once per step. The module differences velocities from
// one sample to the next, so its first g-load after construction is not
// a reading.
#pragma once

#include "module/flightdata/FlightData.h"
#include "sim/bench/VesselStateWriter.h"
#include "sim/flight/FlightModel.h"
#include "sim/host/HostVessel.h"

namespace quorvel::test {

struct ModuleProbe {
    void Sample(const flight::FlightModel& model) {
        sim::WriteVesselState(model, host.state);
        data.sample(model.TimeS());
    }

    HostVessel host;
    FlightData data{&host.vessel};
};

}  // namespace quorvel::test
