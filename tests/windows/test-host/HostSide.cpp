#include "tests/windows/test-host/HostSide.h"

#include "sim/host/MfdFont.h"

namespace testhost {

ModuleCalls moduleCalls;

namespace {

bool SameText(const char* a, const char* b) {
    while (*a != 0 && *a == *b) ++a, ++b;
    return *a == *b;
}

// Handles the module only passes back.
int body, mainTank, rcsTank, mainEngine, rcsThruster;

template <typename Handle>
Handle HandleOf(int& object) {
    return reinterpret_cast<Handle>(&object);
}

constexpr double kReferenceRadius = 6371010.0;

}  // namespace

}  // namespace testhost

using namespace testhost;

void InitLib(HINSTANCE module) {
    ++moduleCalls.initLib;
    moduleCalls.initLibModule = module;
}

int Date2Int(const char* date) {
    ++moduleCalls.date2Int;
    return SameText(date, "Apr 25 2006") ? 20060425 : 0;
}

int hlvRegisterMFDMode(const MFDMODESPEC& spec) {
    ++moduleCalls.registrations;
    moduleCalls.registered = spec;
    return kModeId;
}

bool hlvUnregisterMFDMode(int modeId) {
    ++moduleCalls.unregistrations;
    moduleCalls.unregisteredId = modeId;
    return modeId == kModeId;
}

int hlvGetHeading(OBJECTHANDLE, double* heading) {
    *heading = 1.2;
    return 1;
}

MFD::MFD(std::uint32_t width, std::uint32_t height, VESSEL* vessel)
    : width(width),
      height(height),
      cellWidth(quorvel::sim::MfdCharCell(width, height).width),
      cellHeight(quorvel::sim::MfdCharCell(width, height).height),
      vessel(vessel) {}

MFD::~MFD() {
    ++moduleCalls.baseDestructions;
    moduleCalls.lastDestroyed = this;
}

VESSEL::VESSEL(HostVessel& host) : host(&host) {}

double VESSEL::GetAltitude() const { return 12000.0; }
double VESSEL::GetAirspeed() const { return 450.0; }
double VESSEL::GetMachNumber() const { return 1.52; }
double VESSEL::GetAtmDensity() const { return 0.31; }
double VESSEL::GetAtmPressure() const { return 19330.0; }
double VESSEL::GetPitch() const { return 0.35; }
double VESSEL::GetBank() const { return -0.5; }
double VESSEL::GetAOA() const { return 0.07; }
double VESSEL::GetSlipAngle() const { return 0.01; }

bool VESSEL::GetShipAirspeedVector(VECTOR3& airspeed) const {
    airspeed = {4.5, -31.4, 448.8};
    return true;
}

bool VESSEL::GetHorizonAirspeedVector(VECTOR3& airspeed) const {
    airspeed = {150.0, 130.0, 400.0};
    return true;
}

void VESSEL::GetAngularVel(VECTOR3& angularVelocity) const { angularVelocity = {0.02, -0.01, 0.05}; }

double VESSEL::GetEngineLevel(ENGINETYPE) const { return 1.0; }

OBJECTHANDLE VESSEL::GetHandle() const { return reinterpret_cast<OBJECTHANDLE>(host); }

void VESSEL::GetStatus(VESSELSTATUS& status) const {
    status = {};
    status.position = {kReferenceRadius + 12000.0, 0.0, 0.0};
    status.velocity = {130.0, 0.0, 420.0};
}

OBJECTHANDLE VESSEL::GetApDist(double& apoapsisDistance) const {
    apoapsisDistance = kReferenceRadius + 61000.0;
    return HandleOf<OBJECTHANDLE>(body);
}

std::uint32_t VESSEL::GetPropellantCount() const { return 2; }
std::uint32_t VESSEL::GetThrusterCount() const { return 2; }

PROPELLANTHANDLE VESSEL::GetPropellantHandleByIndex(std::uint32_t index) const {
    return index == 0 ? HandleOf<PROPELLANTHANDLE>(mainTank) : HandleOf<PROPELLANTHANDLE>(rcsTank);
}

THRUSTERHANDLE VESSEL::GetThrusterHandleByIndex(std::uint32_t index) const {
    return index == 0 ? HandleOf<THRUSTERHANDLE>(mainEngine) : HandleOf<THRUSTERHANDLE>(rcsThruster);
}

double VESSEL::GetPropellantMass(PROPELLANTHANDLE propellant) const {
    return propellant == HandleOf<PROPELLANTHANDLE>(mainTank) ? 4200.0 : 62.0;
}

double VESSEL::GetPropellantMaxMass(PROPELLANTHANDLE propellant) const {
    return propellant == HandleOf<PROPELLANTHANDLE>(mainTank) ? 8000.0 : 100.0;
}

double VESSEL::GetThrusterMax0(THRUSTERHANDLE thruster) const {
    return thruster == HandleOf<THRUSTERHANDLE>(mainEngine) ? 60000.0 : 400.0;
}

double VESSEL::GetThrusterIsp0(THRUSTERHANDLE thruster) const {
    return thruster == HandleOf<THRUSTERHANDLE>(mainEngine) ? 3000.0 : 2800.0;
}
