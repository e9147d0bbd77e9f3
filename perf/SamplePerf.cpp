// The page's per-step sample of its vessel, alone.

#include <benchmark/benchmark.h>

#include "module/flightdata/FlightData.h"
#include "perf/AllocationCounter.h"
#include "perf/FlyingVessel.h"

namespace {

void FlightDataSample(benchmark::State& state) {
    HostVessel vessel;
    quorvel::perf::PutInAClimb(vessel);
    quorvel::FlightData data(&vessel.vessel);
    double t = 0;
    const quorvel::perf::AllocationCounter allocations(state);
    for (auto _ : state) {
        t += 0.02;
        data.sample(t);
        benchmark::DoNotOptimize(data.gLoad);
    }
}
BENCHMARK(FlightDataSample);

}  // namespace
