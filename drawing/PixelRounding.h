// How the drawing turns computed coordinates into pixels, each way defined
// for every input: a value that is not finite becomes 0, and one beyond the
// int range saturates at its limit, before the conversion.
#pragma once

#include <cstdint>

#include "platform/Win32.h"

namespace quorvel {

// A double narrowed to single precision; beyond the float range it becomes
// the infinity of its sign, as IEEE arithmetic rounds it, without relying
// on a conversion the language leaves undefined.
float ToSingle(double value);

// Rounds to a number of decimals, halves away from zero, in double
// precision: 2.5 gives 3 and -2.5 gives -3 at 0 decimals.
double RoundToDecimals(double value, int digits);

// Half-away rounding to a whole pixel (RoundToDecimals with 0 decimals).
std::int32_t RoundHalfAway(double value);
// Narrowed to single precision, then rounded to the nearest integer with
// an exact half going to the even neighbour: 2.5 gives 2, 3.5 gives 4.
std::int32_t RoundNearestEven(double value);
// Truncated toward zero.
std::int32_t Truncate(double value);
// A coordinate computed in 64 bits, saturated at the int range's limits.
// Pixel arithmetic on sizes the host gives (up to 2^32 - 1) runs in 64 bits
// and lands here, so that no size can overflow it.
std::int32_t Saturate(std::int64_t value);
POINT SaturatedPoint(std::int64_t x, std::int64_t y);
// An unsigned page position used as a signed coordinate, as GDI takes it:
// the bits kept, so that 2^31 and above wrap negative.
constexpr std::int32_t Signed(std::uint32_t value) { return static_cast<std::int32_t>(value); }

// The value if it is a number, else 0: for clamps that a NaN would slip
// through, since every comparison with it is false.
float NumberOrZero(float value);

}  // namespace quorvel
