// The module's units and fixed figures, in one place: what its display
// units are worth in the vessel's SI units, and the reference sphere that
// stands for the body flown over.
#pragma once

namespace quorvel {

// Degrees and radians, both computed with pi taken as 3.14159265358979, a
// little short of pi itself.
inline constexpr double kDegreesPerRadian = 57.29577951308238;
inline constexpr double kRadiansPerDegree = 0.017453292519943278;
// The same factor rounded to single precision, 0.0174532924f, which is
// 1.35e-10 below it: the attitude ball and the roll pointer multiply
// single-precision degrees by this, so their angles carry that rounding.
inline constexpr float degToRadF = static_cast<float>(kRadiansPerDegree);

inline constexpr double kKnotsPerMetrePerSecond = 1.94384449;
inline constexpr double kFeetPerMetre = 3.2808399;
inline constexpr double kThousandsOfFeetPerMetre = 0.0032808399;
inline constexpr double kMetresPerSecondSquaredPerG = 9.81;

// The radius of the sphere the g-load's gravity model and the apoapsis
// height are reckoned from, m.
inline constexpr double kReferenceRadius = 6371010;

}  // namespace quorvel
