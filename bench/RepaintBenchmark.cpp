// One whole repaint of a page on a 400 by 400 MFD, as the host pays for
// it: ball, overlay, dials, readouts and rate indicator.

#include <benchmark/benchmark.h>

#include "plugin/ModuleEntry.h"
#include "plugin/QuorvelMFD.h"
#include "sim/host/HostVessel.h"
#include "sim/host/MfdSurface.h"

namespace {

void PageRepaint(benchmark::State& state) {
    hlcDLLInit(nullptr);
    {
        HostVessel vessel;
        vessel.state.position = {6371010 + 30000, 0, 0};
        vessel.state.tanks = {{4000, 10500}, {120, 150}};
        vessel.state.thrusters = {{262000, 2736, 0}, {500, 1373, 1}};
        vessel.state.hasApoapsis = true;
        vessel.state.apoapsisDistance = 6371010 + 90000;
        quorvel::QuorvelMFD page(400, 400, &vessel.vessel);
        page.flightData->pitch = 30;
        page.flightData->bank = 10;
        page.flightData->heading = 95;
        page.flightData->eas = 320;
        page.flightData->easRate = 4;
        page.flightData->altitudeFt = 98000;
        page.flightData->verticalSpeedFpm = 30000;
        quorvel::sim::MfdSurface surface(400, 400);
        for (auto _ : state) {
            surface.Clear();
            page.Repaint(surface.Dc());
        }
    }
    hlcDLLExit(nullptr);
}
BENCHMARK(PageRepaint)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
