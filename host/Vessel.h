// The host's vessel interface: every query the module makes of the vessel
// an MFD belongs to. All queries are const and answer in SI units (m, m/s,
// kg, N, Pa, kg/m^3) and radians. The vessel frame is x right, y up,
// z forward; the horizon frame x east, y up, z north.
#pragma once

#include <cstdint>

#include "host/HostTypes.h"

struct HostVessel;

class HLVAPI VESSEL {
public:
    explicit VESSEL(HostVessel& host);
    VESSEL(const VESSEL&) = delete;
    VESSEL& operator=(const VESSEL&) = delete;

    double GetAltitude() const;
    double GetAirspeed() const;
    double GetMachNumber() const;
    double GetAtmDensity() const;
    double GetAtmPressure() const;
    double GetPitch() const;      // nose above the horizon
    double GetBank() const;       // left wing down (a right bank reads negative)
    double GetAOA() const;        // nose above the airflow
    double GetSlipAngle() const;  // nose right of the airflow

    // Airspeed in the vessel frame (z forward); false without an atmosphere.
    bool GetShipAirspeedVector(VECTOR3& airspeed) const;
    // Airspeed in the local horizon frame (y up); false without an atmosphere.
    bool GetHorizonAirspeedVector(VECTOR3& airspeed) const;
    // Angular velocity about the vessel's x, y and z axes, rad/s, each by
    // the right-hand grip: x nose up, y nose left, z right wing down.
    void GetAngularVel(VECTOR3& angularVelocity) const;

    double GetEngineLevel(ENGINETYPE engine) const;
    OBJECTHANDLE GetHandle() const;
    void GetStatus(VESSELSTATUS& status) const;
    // Writes the apoapsis distance from the body centre; returns the body,
    // or null (and writes nothing) when the orbit has no apoapsis.
    OBJECTHANDLE GetApDist(double& apoapsisDistance) const;

    std::uint32_t GetPropellantCount() const;
    std::uint32_t GetThrusterCount() const;
    PROPELLANTHANDLE GetPropellantHandleByIndex(std::uint32_t index) const;
    THRUSTERHANDLE GetThrusterHandleByIndex(std::uint32_t index) const;
    double GetPropellantMass(PROPELLANTHANDLE propellant) const;
    double GetPropellantMaxMass(PROPELLANTHANDLE propellant) const;
    double GetThrusterMax0(THRUSTERHANDLE thruster) const;
    double GetThrusterIsp0(THRUSTERHANDLE thruster) const;

private:
    HostVessel* host;
};
