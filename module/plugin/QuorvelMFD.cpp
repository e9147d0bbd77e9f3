#include "module/plugin/QuorvelMFD.h"

#include <algorithm>

#include "module/attitude/AttitudeOverlay.h"
#include "module/drawing/MfdText.h"
#include "host/Vessel.h"
#include "module/instruments/RateIndicator.h"
#include "module/instruments/RoundDials.h"
#include "module/instruments/TextReadouts.h"
#include "module/plugin/ModuleState.h"
#include "module/plugin/PenSet.h"

namespace quorvel {

namespace {

DialPens DialPensOf(const PenSet& pens) {
    return {pens.rateUpPen, pens.rateDownPen, pens.scalePen, pens.scaleBrush, pens.pointerPen, pens.pointerBrush};
}

}  // namespace

QuorvelMFD::QuorvelMFD(std::uint32_t width, std::uint32_t height, VESSEL* vessel)
    : MFD(width, height, vessel),
      flightData(std::make_unique<FlightData>(vessel)),
      attitudeBall(std::make_unique<AttitudeBall>(BallPlacementOnPage(width, height))) {
    // Last, so that a page whose construction failed is never listed.
    openPages.push_back(this);
}

QuorvelMFD::~QuorvelMFD() {
    flightData.reset();
    attitudeBall->Release();
    attitudeBall.reset();
    // Only this page stops being sampled; the others go on.
    openPages.erase(std::remove(openPages.begin(), openPages.end(), this), openPages.end());
}

void* QuorvelMFD::ScalarDeletingDestructor(unsigned int flags) {
    this->~QuorvelMFD();
    if ((flags & 1u) != 0) ::operator delete(this);
    return this;
}

// Later steps draw over earlier ones. Nothing is cleared, and the pens,
// brush, text state and position the last step leaves stay selected.
void QuorvelMFD::Repaint(HDC hdc) {
    SetCharCell(hdc, cellWidth, cellHeight);
    DrawAttitude(hdc);
    DrawAirspeedDial(hdc);
    DrawAltitudeDial(hdc);
    DrawReadoutColumn(hdc);
    DrawApoapsis(hdc);
    DrawBurnTimeAndRcs(hdc);
    DrawRateIndicator(hdc);
}

void QuorvelMFD::DrawAttitude(HDC hdc) {
    const FlightData& f = *flightData;
    RenderBall(*attitudeBall, hdc, f, ballScale);
    const OverlayInput input = OverlayInputOf(*attitudeBall, f.heading, f.pitch);
    DrawAttitudeOverlay(hdc, ComputeAttitudeOverlay(input, Geometry()),
                        {penSet.aircraftPen, penSet.flightPathPen, penSet.predictorPen});
}

void QuorvelMFD::DrawAirspeedDial(HDC hdc) {
    const AirspeedDialInput input{flightData->eas, flightData->easRate};
    DrawAirspeedReading(hdc, ReadAirspeedDial(input, Geometry()), DialPensOf(penSet));
}

void QuorvelMFD::DrawAltitudeDial(HDC hdc) {
    const AltitudeDialInput input{flightData->altitudeFt, flightData->verticalSpeedFpm};
    DrawAltitudeReading(hdc, ReadAltitudeDial(input, Geometry()), DialPensOf(penSet));
}

void QuorvelMFD::DrawReadoutColumn(HDC hdc) {
    const FlightData& f = *flightData;
    const ReadoutColumnInput input{f.mach, f.airspeed, f.gLoad, f.aoa, f.slip, f.pitchRate, f.rollRate, f.yawRate};
    PrintReadoutColumn(hdc, input, LayOutReadouts(Geometry()));
}

void QuorvelMFD::DrawApoapsis(HDC hdc) {
    double apoapsisDistance = 0;
    // Without a reference body there is no apoapsis to show.
    if (vessel->GetApDist(apoapsisDistance) == nullptr) return;
    PrintApoapsis(hdc, ApoapsisThousandsOfFeet(apoapsisDistance), LayOutReadouts(Geometry()).apoapsis);
}

// The vessel is asked at paint time, between the two readouts.
void QuorvelMFD::DrawBurnTimeAndRcs(HDC hdc) {
    if (vessel->GetPropellantCount() == 0 || vessel->GetThrusterCount() == 0) return;
    const PROPELLANTHANDLE mainPropellant = vessel->GetPropellantHandleByIndex(0);
    const THRUSTERHANDLE mainThruster = vessel->GetThrusterHandleByIndex(0);
    const double m = vessel->GetPropellantMass(mainPropellant);
    const double F = vessel->GetThrusterMax0(mainThruster);
    const double I = vessel->GetThrusterIsp0(mainThruster);
    const ReadoutLayout layout = LayOutReadouts(Geometry());
    PrintBurnTime(hdc, BurnTimeSeconds(I, m, F), layout.burnTime);

    // The RCS readout needs a second propellant and a second thruster,
    // though the thruster itself is not read.
    if (vessel->GetPropellantCount() < 2 || vessel->GetThrusterCount() < 2) return;
    const PROPELLANTHANDLE rcsPropellant = vessel->GetPropellantHandleByIndex(1);
    const double m1 = vessel->GetPropellantMass(rcsPropellant);
    const double M1 = vessel->GetPropellantMaxMass(rcsPropellant);
    PrintRcs(hdc, m1, M1, layout.rcs);
}

void QuorvelMFD::DrawRateIndicator(HDC hdc) {
    const FlightData& f = *flightData;
    const RateIndicatorGeometry g = ComputeRateIndicator(Geometry(), {f.pitchRate, f.yawRate, f.rollRate});
    DrawRateScalesAndPointers(hdc, g, {penSet.scalePen, penSet.pointerPen, penSet.pointerBrush});
}

bool QuorvelMFD::ConsumeKeyBuffered(std::uint32_t key) {
    if (key != kScaleKey) return false;
    ballScale = ballScale + 1 > 4 ? 1 : ballScale + 1;
    return true;
}

}  // namespace quorvel
