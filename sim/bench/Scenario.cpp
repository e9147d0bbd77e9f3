#include "sim/bench/Scenario.h"

#include <cmath>
#include <numbers>

#include "sim/bench/InputError.h"
#include "sim/flight/Body.h"
#include "sim/flight/HorizonFrame.h"

namespace quorvel::sim {

namespace {

constexpr double kDefaultRunwayHeadingRad = std::numbers::pi / 2;

}  // namespace

Scenario DefaultScenario() {
    Scenario scenario;
    scenario.start = RunwayStart{0, 0, kDefaultRunwayHeadingRad};
    scenario.pilot = Pilot::DefaultAutopilot;
    scenario.output.durationS = flight::kDefaultFlightDurationS;
    return scenario;
}

flight::FlightState AirStartState(const AirStart& start, const flight::VesselConfig& vessel) {
    using flight::Vec3;
    const double lat = start.latitudeRad, lon = start.longitudeRad;
    const Vec3 up{std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
    flight::FlightState state;
    state.positionM = (flight::kBodyRadiusM + start.altitudeM) * up;
    const flight::HorizonFrame horizon = flight::HorizonAt(state.positionM);
    const double gamma = start.flightPathRad, psi = start.headingRad;
    const Vec3 along = std::sin(psi) * horizon.east + std::cos(psi) * horizon.north;
    state.velocityMps = start.speedMps * (std::cos(gamma) * along + std::sin(gamma) * horizon.up);
    state.attitude = flight::AttitudeFrom(horizon, {start.pitchRad, start.bankRad, psi});
    state.bodyRateRadps = start.bodyRateRadps;
    state.mainPropellantKg = start.mainPropellantKg.value_or(vessel.mainTankCapacityKg);
    state.rcsPropellantKg = start.rcsPropellantKg.value_or(vessel.rcsTankCapacityKg);
    return state;
}

flight::FlightModel StartFlight(const Scenario& scenario) {
    flight::FlightModel model(scenario.vessel);
    if (const auto* runway = std::get_if<RunwayStart>(&scenario.start)) {
        model.PlaceOnRunway(runway->latitudeRad, runway->longitudeRad, runway->headingRad);
    } else if (!model.PlaceInFlight(AirStartState(std::get<AirStart>(scenario.start), scenario.vessel))) {
        throw InputError(scenario.source, 0, "start", "the vessel cannot be placed in that state");
    }
    return model;
}

flight::ControlLaw ControlsOf(const Scenario& scenario) {
    if (scenario.pilot == Pilot::DefaultAutopilot) return flight::DefaultFlightControls;
    return [table = scenario.schedule](double timeS, const flight::FlightModel&) { return table.At(timeS); };
}

}  // namespace quorvel::sim
