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
// The exact result of signed pixel arithmetic that could overflow an int
// (the text cursor's cells, a position raised by a pixel), formed in 64
// bits and saturated at the int range's limits.
std::int32_t Saturate(std::int64_t value);
// An unsigned page position used as a signed coordinate, as GDI takes it:
// the bits kept, so that 2^31 and above wrap negative.
constexpr std::int32_t Signed(std::uint32_t value) { return static_cast<std::int32_t>(value); }
// A signed position moved by an unsigned size as C's arithmetic mixes them:
// in unsigned 32-bit arithmetic, wrapping, the bits used as the position.
constexpr std::int32_t Plus(std::int32_t position, std::uint32_t size) {
    return Signed(static_cast<std::uint32_t>(position) + size);
}
constexpr std::int32_t Minus(std::int32_t position, std::uint32_t size) {
    return Signed(static_cast<std::uint32_t>(position) - size);
}

// The value if it is a number, else 0: for clamps that a NaN would slip
// through, since every comparison with it is false.
float NumberOrZero(float value);

}  // namespace quorvel
