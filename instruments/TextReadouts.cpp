#include "instruments/TextReadouts.h"

#include "host/Vessel.h"
#include "plugin/QuorvelMFD.h"

namespace quorvel {

namespace {

constexpr double kReferenceRadius = 6371010;              // m
constexpr double kThousandsOfFeetPerMetre = 0.0032808399;

// An unsigned position used as a signed coordinate.
std::int32_t Signed(std::uint32_t value) { return static_cast<std::int32_t>(value); }

}  // namespace

ReadoutLayout LayOutReadouts(std::uint32_t W, std::uint32_t H, std::uint32_t cw, std::uint32_t ch) {
    ReadoutLayout layout{};
    for (std::uint32_t k = 1; k <= 8; ++k) layout.column[k - 1] = {Signed(cw), Signed(H / 3 + k * ch)};
    layout.apoapsis = {Signed(5 * W / 6 - 3 * cw / 2), Signed(2 * H / 3 + 3 * ch / 2)};
    const std::uint32_t bottomRow = 5 * H / 6 - ch / 2;
    layout.burnTime = {Signed(cw), Signed(bottomRow)};
    // Ten cells from the right edge; on a display narrower than that the
    // unsigned difference would wrap far off the surface, so the readout
    // starts at the left edge instead.
    layout.rcs = {W >= 10 * cw ? Signed(W - 10 * cw) : 0, Signed(bottomRow)};
    return layout;
}

double ApoapsisThousandsOfFeet(double apoapsisDistance) {
    return (apoapsisDistance - kReferenceRadius) * kThousandsOfFeetPerMetre;
}

double BurnTimeSeconds(double exhaustVelocity, double propellantMass, double maxThrust) {
    return maxThrust > 0 ? exhaustVelocity * propellantMass / maxThrust : 0.0;
}

void QuorvelMFD::DrawReadoutColumn(HDC hdc) {
    static constexpr const char* kFormats[8] = {"M %1.2f",  "T %3.0f",  "G %+1.1f", "a %+1.1f",
                                                "b %+1.1f", "p %+1.1f", "r %+1.1f", "y %+1.1f"};
    const FlightData& f = *flightData;
    const double values[8] = {f.mach,  f.airspeed * kKnotsPerMetrePerSecond,
                              f.gLoad, f.aoa,
                              f.slip,  f.pitchRate,
                              f.rollRate, f.yawRate};
    const ReadoutLayout layout = LayOutReadouts(width, height, cellWidth, cellHeight);
    SetInk(hdc, kReadoutInk);
    for (int k = 0; k < 8; ++k) {
        MoveCursorPixel(hdc, layout.column[k].x, layout.column[k].y);
        PrintAtCursor(hdc, kFormats[k], values[k]);
    }
}

void QuorvelMFD::DrawApoapsis(HDC hdc) {
    double apoapsisDistance = 0;
    // Without a reference body there is no apoapsis to show.
    if (vessel->GetApDist(apoapsisDistance) == nullptr) return;
    const double value = ApoapsisThousandsOfFeet(apoapsisDistance);
    const CursorPixel at = LayOutReadouts(width, height, cellWidth, cellHeight).apoapsis;
    SetInk(hdc, kReadoutInk);
    MoveCursorPixel(hdc, at.x, at.y);
    PrintAtCursor(hdc, "%3.0f", value);
}

void QuorvelMFD::DrawBurnTimeAndRcs(HDC hdc) {
    if (vessel->GetPropellantCount() == 0 || vessel->GetThrusterCount() == 0) return;
    const PROPELLANTHANDLE mainPropellant = vessel->GetPropellantHandleByIndex(0);
    const THRUSTERHANDLE mainThruster = vessel->GetThrusterHandleByIndex(0);
    const double m = vessel->GetPropellantMass(mainPropellant);
    const double F = vessel->GetThrusterMax0(mainThruster);
    const double I = vessel->GetThrusterIsp0(mainThruster);
    const double burnTime = BurnTimeSeconds(I, m, F);

    const ReadoutLayout layout = LayOutReadouts(width, height, cellWidth, cellHeight);
    SetInk(hdc, kReadoutInk);
    MoveCursorPixel(hdc, layout.burnTime.x, layout.burnTime.y);
    PrintAtCursor(hdc, "BurnT: %.0fs", burnTime);

    // The RCS readout needs a second propellant and a second thruster,
    // though the thruster itself is not read.
    if (vessel->GetPropellantCount() < 2 || vessel->GetThrusterCount() < 2) return;
    const PROPELLANTHANDLE rcsPropellant = vessel->GetPropellantHandleByIndex(1);
    const double m1 = vessel->GetPropellantMass(rcsPropellant);
    const double M1 = vessel->GetPropellantMaxMass(rcsPropellant);
    MoveCursorPixel(hdc, layout.rcs.x, layout.rcs.y);
    if (M1 > 0) PrintAtCursor(hdc, "RCS: %2.0f%%", 100 * m1 / M1);
}

}  // namespace quorvel
