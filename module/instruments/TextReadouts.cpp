#include "module/instruments/TextReadouts.h"

#include "module/drawing/Palette.h"
#include "module/drawing/PixelRounding.h"
#include "module/units/Units.h"

namespace quorvel {

ReadoutLayout LayOutReadouts(const PageGeometry& page) {
    const std::uint32_t W = page.width;
    const std::uint32_t H = page.height;
    const std::uint32_t cw = page.cellWidth;
    const std::uint32_t ch = page.cellHeight;
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

void PrintReadoutColumn(HDC hdc, const ReadoutColumnInput& input, const ReadoutLayout& layout) {
    static constexpr const char* kFormats[8] = {"M %1.2f",  "T %3.0f",  "G %+1.1f", "a %+1.1f",
                                                "b %+1.1f", "p %+1.1f", "r %+1.1f", "y %+1.1f"};
    const double values[8] = {input.mach,  input.airspeed * kKnotsPerMetrePerSecond,
                              input.gLoad, input.aoa,
                              input.slip,  input.pitchRate,
                              input.rollRate, input.yawRate};
    SetInk(hdc, kLightGrey);
    for (int k = 0; k < 8; ++k) {
        MoveCursorPixel(hdc, layout.column[k].x, layout.column[k].y);
        PrintAtCursor(hdc, kFormats[k], values[k]);
    }
}

void PrintApoapsis(HDC hdc, double thousandsOfFeet, CursorPixel at) {
    SetInk(hdc, kLightGrey);
    MoveCursorPixel(hdc, at.x, at.y);
    PrintAtCursor(hdc, "%3.0f", thousandsOfFeet);
}

void PrintBurnTime(HDC hdc, double seconds, CursorPixel at) {
    SetInk(hdc, kLightGrey);
    MoveCursorPixel(hdc, at.x, at.y);
    PrintAtCursor(hdc, "BurnT: %.0fs", seconds);
}

void PrintRcs(HDC hdc, double propellantMass, double propellantMaxMass, CursorPixel at) {
    MoveCursorPixel(hdc, at.x, at.y);
    if (propellantMaxMass > 0) PrintAtCursor(hdc, "RCS: %2.0f%%", 100 * propellantMass / propellantMaxMass);
}

}  // namespace quorvel
