// Angle units of the bench host: radians inside, degrees where people read
// and write them.
#pragma once

#include <numbers>

namespace quorvel::flight {

inline constexpr double kRadiansPerDegree = std::numbers::pi / 180;
inline constexpr double kDegreesPerRadian = 180 / std::numbers::pi;
inline constexpr double kTurnRad = 2 * std::numbers::pi;

}  // namespace quorvel::flight
