// Where the page's text readouts stand, and the figures they show: the
// eight-row column (Mach, true airspeed, g-load, angle of attack, slip,
// body rates), the apoapsis altitude, the burn time and the RCS propellant.
// Positions are the texts' top-left corners in MFD pixels, computed in
// unsigned 32-bit arithmetic with every division truncating its own term.
#pragma once

#include <array>
#include <cstdint>

#include "plugin/MfdText.h"

namespace quorvel {

struct ReadoutLayout {
    std::array<CursorPixel, 8> column;  // rows 1 to 8
    CursorPixel apoapsis;
    CursorPixel burnTime;
    CursorPixel rcs;
};

ReadoutLayout LayOutReadouts(std::uint32_t width, std::uint32_t height, std::uint32_t cellWidth,
                             std::uint32_t cellHeight);

// Height of an apoapsis distance above the 6371010 m reference sphere, in
// thousands of feet.
double ApoapsisThousandsOfFeet(double apoapsisDistance);

// Seconds the propellant lasts at the thruster's full thrust; 0 for a
// thrust of 0 or less (or not a number).
double BurnTimeSeconds(double exhaustVelocity, double propellantMass, double maxThrust);

inline constexpr COLORREF kReadoutInk = 0xC0C0C0;

}  // namespace quorvel
