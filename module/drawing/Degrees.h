// Angles in degrees as the drawing turns them into sines and cosines.
#pragma once

#include "module/units/Units.h"

namespace quorvel {

// Sine and cosine of degrees in single precision: the radians are the
// degrees times degToRadF rounded to single precision, and the result is
// rounded to single precision again. A float argument gives the same
// result as the product formed in single precision.
float SinDegrees(double degrees);
float CosDegrees(double degrees);

}  // namespace quorvel
