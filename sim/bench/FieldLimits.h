// The values the bench host takes for a vessel's figures and state, from a
// scenario file or a replay log: one table for both, so that a log gives
// the module nothing a scenario could not. Angles are in degrees, as a
// scenario gives them; a log's radians are held to the same limits.
#pragma once

#include <limits>
#include <string>

#include "sim/flight/Body.h"

namespace quorvel::sim {

// The values a number may take: min to max, min itself excluded when
// aboveMin.
struct Range {
    double min = -std::numeric_limits<double>::infinity();
    double max = std::numeric_limits<double>::infinity();
    bool aboveMin = false;
};

inline constexpr Range Positive(double max = std::numeric_limits<double>::infinity()) { return {0, max, true}; }
inline constexpr Range NonNegative(double max = std::numeric_limits<double>::infinity()) { return {0, max, false}; }

bool InRange(double value, Range range);
// "0 to 1", "above 0 and at most 100000", ...
std::string RangeText(Range range);
// Whole numbers in full (a limit of 1000000 reads better than 1e+06).
std::string NumberText(double value);

// Far beyond any vessel, but small enough that nothing overflows.
inline constexpr double kMaxMassKg = 1e9;
inline constexpr double kMaxAltitudeM = 1e9;
inline constexpr double kMaxSpeedMps = 1e5;

// Lighter, the flight model's forces over a step outgrow the speed they act on.
inline constexpr Range kEmptyMassKg{10, kMaxMassKg};
inline constexpr Range kTankKg = NonNegative(kMaxMassKg);  // a capacity, or what a tank holds
inline constexpr Range kThrustN = NonNegative(1e10);
inline constexpr Range kExhaustVelocityMps = Positive(1e5);
inline constexpr Range kFraction{0, 1};  // a throttle, an engine's level
inline constexpr Range kNozzleExitAreaM2 = NonNegative(100);
inline constexpr Range kWingAreaM2 = Positive(1e4);
// Lower, the induced drag runs away.
inline constexpr Range kAspectRatio{0.1, 100};
inline constexpr Range kRateLimitDegps = Positive(720);
inline constexpr Range kBodyRateDegps{-720, 720};

inline constexpr Range kLatitudeDeg{-90, 90};
inline constexpr Range kLongitudeDeg{-180, 180};
inline constexpr Range kHeadingDeg{-360, 360};
inline constexpr Range kPitchDeg{-90, 90};  // also the flight path
inline constexpr Range kBankDeg{-180, 180};  // also the airflow's angles
// On the ground 0; a flight starts above it.
inline constexpr Range kAltitudeM = NonNegative(kMaxAltitudeM);
inline constexpr Range kSpeedMps = NonNegative(kMaxSpeedMps);
inline constexpr Range kSpeedComponentMps{-kMaxSpeedMps, kMaxSpeedMps};
inline constexpr Range kPositionComponentM{-(flight::kBodyRadiusM + kMaxAltitudeM),
                                           flight::kBodyRadiusM + kMaxAltitudeM};
// The fastest speed in air whose sound is slower than any the standard
// atmosphere has (100 m/s).
inline constexpr Range kMach = NonNegative(kMaxSpeedMps / 100);
// About eight times sea level's, on any side of the standard atmosphere.
inline constexpr Range kDensityKgpm3 = NonNegative(10);
inline constexpr Range kPressurePa = NonNegative(1e6);
// From the body's centre; one farther out is an orbit all but open.
inline constexpr Range kApoapsisM = NonNegative(1e15);

}  // namespace quorvel::sim
