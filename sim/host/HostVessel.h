// The bench host's vessel: a VesselState record behind the VESSEL interface,
// with a count of every query the module makes, so that a test can tell
// whether a call reached the host.
#pragma once

#include <array>
#include <cstdint>

#include "host/Vessel.h"
#include "sim/host/VesselState.h"

namespace quorvel::sim {

enum class VesselQuery : int {
    Altitude,
    Airspeed,
    MachNumber,
    AtmDensity,
    AtmPressure,
    Pitch,
    Bank,
    Aoa,
    SlipAngle,
    ShipAirspeedVector,
    HorizonAirspeedVector,
    AngularVel,
    EngineLevel,
    Handle,
    Status,
    ApDist,
    PropellantCount,
    ThrusterCount,
    PropellantHandle,
    ThrusterHandle,
    PropellantMass,
    PropellantMaxMass,
    ThrusterMax0,
    ThrusterIsp0,
    Heading,  // hlvGetHeading with this vessel's handle
    Count
};

class QueryCounts {
public:
    void Add(VesselQuery query) { ++counts[static_cast<int>(query)]; }
    std::uint64_t Of(VesselQuery query) const { return counts[static_cast<int>(query)]; }
    std::uint64_t Total() const {
        std::uint64_t total = 0;
        for (std::uint64_t count : counts) total += count;
        return total;
    }
    void Reset() { counts.fill(0); }

private:
    std::array<std::uint64_t, static_cast<int>(VesselQuery::Count)> counts{};
};

}  // namespace quorvel::sim

// The host's side of a VESSEL. Not movable: the VESSEL it owns points back.
struct QUORVEL_BENCH_HOST_API HostVessel {
    HostVessel();
    ~HostVessel();
    HostVessel(const HostVessel&) = delete;
    HostVessel& operator=(const HostVessel&) = delete;

    // The vessel behind a handle from GetHandle, or null if it is gone.
    static HostVessel* FromHandle(OBJECTHANDLE handle);

    quorvel::sim::VesselState state;
    mutable quorvel::sim::QueryCounts queries;
    VESSEL vessel{*this};
};
