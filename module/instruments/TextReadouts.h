// Where the page's text readouts stand, and the figures they show: the
// eight-row column (Mach, true airspeed, g-load, angle of attack, slip,
// body rates), the apoapsis altitude, the burn time and the RCS propellant.
// Positions are the texts' top-left corners in MFD pixels, computed in
// unsigned 32-bit arithmetic with every division truncating its own term.
// The Print functions set the ink and draw one readout each, through the
// MFD text cursor.
#pragma once

#include <array>
#include <cstdint>

#include "module/drawing/MfdText.h"
#include "module/drawing/PageGeometry.h"
#include "platform/Win32.h"

namespace quorvel {

struct ReadoutLayout {
    std::array<CursorPixel, 8> column;  // rows 1 to 8
    CursorPixel apoapsis;
    CursorPixel burnTime;
    CursorPixel rcs;
};

ReadoutLayout LayOutReadouts(const PageGeometry& page);

// Height of an apoapsis distance above the 6371010 m reference sphere, in
// thousands of feet.
double ApoapsisThousandsOfFeet(double apoapsisDistance);

// Seconds the propellant lasts at the thruster's full thrust; 0 for a
// thrust of 0 or less (or not a number).
double BurnTimeSeconds(double exhaustVelocity, double propellantMass, double maxThrust);

// The column's figures, top to bottom except the airspeed, which it shows
// in knots.
struct ReadoutColumnInput {
    double mach;
    double airspeed;  // m/s, true airspeed
    double gLoad;
    double aoa;        // deg
    double slip;       // deg
    double pitchRate;  // deg/s
    double rollRate;   // deg/s
    double yawRate;    // deg/s
};

void PrintReadoutColumn(HDC hdc, const ReadoutColumnInput& input, const ReadoutLayout& layout);
void PrintApoapsis(HDC hdc, double thousandsOfFeet, CursorPixel at);
void PrintBurnTime(HDC hdc, double seconds, CursorPixel at);
// In the ink PrintBurnTime set: the cursor moves to `at`, and the share of
// the tank left is printed only for a tank whose capacity is above 0.
void PrintRcs(HDC hdc, double propellantMass, double propellantMaxMass, CursorPixel at);

}  // namespace quorvel
