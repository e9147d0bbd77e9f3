#include "module/drawing/Degrees.h"

#include <cmath>

#include "module/drawing/PixelRounding.h"

namespace quorvel {

namespace {

double SingleRadians(double degrees) { return ToSingle(degrees * degToRadF); }

}  // namespace

float SinDegrees(double degrees) { return ToSingle(std::sin(SingleRadians(degrees))); }
float CosDegrees(double degrees) { return ToSingle(std::cos(SingleRadians(degrees))); }

}  // namespace quorvel
