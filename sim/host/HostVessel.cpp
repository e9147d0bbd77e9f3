#include "sim/host/HostVessel.h"

#include <unordered_set>

namespace {

using quorvel::sim::VesselQuery;

std::unordered_set<const HostVessel*>& LiveVessels() {
    static std::unordered_set<const HostVessel*> vessels;
    return vessels;
}

template <typename Handle>
Handle IndexHandle(std::uint32_t index) {
    return reinterpret_cast<Handle>(static_cast<std::uintptr_t>(index) + 1);
}

template <typename Handle>
std::size_t HandleIndex(Handle handle) {
    return static_cast<std::size_t>(reinterpret_cast<std::uintptr_t>(handle)) - 1;
}

}  // namespace

// The one body the bench host's vessels fly about.
struct HostObjectTag {
} centralBody;

HostVessel::HostVessel() { LiveVessels().insert(this); }

HostVessel::~HostVessel() { LiveVessels().erase(this); }

HostVessel* HostVessel::FromHandle(OBJECTHANDLE handle) {
    auto* vessel = reinterpret_cast<HostVessel*>(handle);
    return LiveVessels().contains(vessel) ? vessel : nullptr;
}

VESSEL::VESSEL(HostVessel& host) : host(&host) {}

double VESSEL::GetAltitude() const {
    host->queries.Add(VesselQuery::Altitude);
    return host->state.altitude;
}

double VESSEL::GetAirspeed() const {
    host->queries.Add(VesselQuery::Airspeed);
    return host->state.airspeed;
}

double VESSEL::GetMachNumber() const {
    host->queries.Add(VesselQuery::MachNumber);
    return host->state.mach;
}

double VESSEL::GetAtmDensity() const {
    host->queries.Add(VesselQuery::AtmDensity);
    return host->state.atmDensity;
}

double VESSEL::GetAtmPressure() const {
    host->queries.Add(VesselQuery::AtmPressure);
    return host->state.atmPressure;
}

double VESSEL::GetPitch() const {
    host->queries.Add(VesselQuery::Pitch);
    return host->state.pitch;
}

// The page turns its ball by minus this angle, so a right bank must read
// negative for the horizon to turn counter-clockwise, as on every attitude
// indicator; the record keeps the physical right-wing-down sense.
double VESSEL::GetBank() const {
    host->queries.Add(VesselQuery::Bank);
    return -host->state.bank;
}

double VESSEL::GetAOA() const {
    host->queries.Add(VesselQuery::Aoa);
    return host->state.aoa;
}

double VESSEL::GetSlipAngle() const {
    host->queries.Add(VesselQuery::SlipAngle);
    return host->state.slip;
}

bool VESSEL::GetShipAirspeedVector(VECTOR3& airspeed) const {
    host->queries.Add(VesselQuery::ShipAirspeedVector);
    airspeed = host->state.shipAirspeed;
    return host->state.hasAirspeedVectors;
}

bool VESSEL::GetHorizonAirspeedVector(VECTOR3& airspeed) const {
    host->queries.Add(VesselQuery::HorizonAirspeedVector);
    airspeed = host->state.horizonAirspeed;
    return host->state.hasAirspeedVectors;
}

void VESSEL::GetAngularVel(VECTOR3& angularVelocity) const {
    host->queries.Add(VesselQuery::AngularVel);
    angularVelocity = host->state.angularVelocity;
}

double VESSEL::GetEngineLevel(ENGINETYPE engine) const {
    host->queries.Add(VesselQuery::EngineLevel);
    return engine == ENGINE_MAIN ? host->state.mainEngineLevel : 0.0;
}

OBJECTHANDLE VESSEL::GetHandle() const {
    host->queries.Add(VesselQuery::Handle);
    return reinterpret_cast<OBJECTHANDLE>(host);
}

void VESSEL::GetStatus(VESSELSTATUS& status) const {
    host->queries.Add(VesselQuery::Status);
    const quorvel::sim::VesselState& s = host->state;
    status = VESSELSTATUS{s.position, s.velocity, s.angularVelocity, VECTOR3{s.pitch, s.heading, -s.bank},
                          s.landed ? 1 : 0};
}

OBJECTHANDLE VESSEL::GetApDist(double& apoapsisDistance) const {
    host->queries.Add(VesselQuery::ApDist);
    if (!host->state.hasApoapsis) return nullptr;
    apoapsisDistance = host->state.apoapsisDistance;
    return &centralBody;
}

std::uint32_t VESSEL::GetPropellantCount() const {
    host->queries.Add(VesselQuery::PropellantCount);
    return static_cast<std::uint32_t>(host->state.tanks.size());
}

std::uint32_t VESSEL::GetThrusterCount() const {
    host->queries.Add(VesselQuery::ThrusterCount);
    return static_cast<std::uint32_t>(host->state.thrusters.size());
}

PROPELLANTHANDLE VESSEL::GetPropellantHandleByIndex(std::uint32_t index) const {
    host->queries.Add(VesselQuery::PropellantHandle);
    return index < host->state.tanks.size() ? IndexHandle<PROPELLANTHANDLE>(index) : nullptr;
}

THRUSTERHANDLE VESSEL::GetThrusterHandleByIndex(std::uint32_t index) const {
    host->queries.Add(VesselQuery::ThrusterHandle);
    return index < host->state.thrusters.size() ? IndexHandle<THRUSTERHANDLE>(index) : nullptr;
}

// An unknown handle reads as an empty tank or a dead thruster.
double VESSEL::GetPropellantMass(PROPELLANTHANDLE propellant) const {
    host->queries.Add(VesselQuery::PropellantMass);
    const std::size_t index = HandleIndex(propellant);
    return index < host->state.tanks.size() ? host->state.tanks[index].mass : 0.0;
}

double VESSEL::GetPropellantMaxMass(PROPELLANTHANDLE propellant) const {
    host->queries.Add(VesselQuery::PropellantMaxMass);
    const std::size_t index = HandleIndex(propellant);
    return index < host->state.tanks.size() ? host->state.tanks[index].maxMass : 0.0;
}

double VESSEL::GetThrusterMax0(THRUSTERHANDLE thruster) const {
    host->queries.Add(VesselQuery::ThrusterMax0);
    const std::size_t index = HandleIndex(thruster);
    return index < host->state.thrusters.size() ? host->state.thrusters[index].maxThrust : 0.0;
}

double VESSEL::GetThrusterIsp0(THRUSTERHANDLE thruster) const {
    host->queries.Add(VesselQuery::ThrusterIsp0);
    const std::size_t index = HandleIndex(thruster);
    return index < host->state.thrusters.size() ? host->state.thrusters[index].exhaustVelocity : 0.0;
}
