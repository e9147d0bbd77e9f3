// Angles in degrees as the drawing turns them into sines and cosines.
#pragma once

namespace quorvel {

// pi/180, as the drawing's double-precision trigonometry uses it.
inline constexpr double kRadiansPerDegree = 0.017453292519943278;
// The same in single precision, for single-precision degrees.
inline constexpr float degToRadF = static_cast<float>(kRadiansPerDegree);

// Sine and cosine of degrees in single precision: the radians are the
// degrees times degToRadF rounded to single precision, and the result is
// rounded to single precision again. A float argument gives the same
// result as the product formed in single precision.
float SinDegrees(double degrees);
float CosDegrees(double degrees);

}  // namespace quorvel
