// The U.S. Standard Atmosphere 1976 from 0 to 86 km geometric altitude,
// continued above with the temperature held and pressure and density
// falling exponentially with a 5.6 km scale height, and cut off at
// kAtmosphereTopM. Below -5 km the air is taken as it is at -5 km.
#pragma once

namespace quorvel::flight {

struct AtmosphereSample {
    double temperatureK = 0;
    double pressurePa = 0;
    double densityKgpm3 = 0;
    double speedOfSoundMps = 0;
};

inline constexpr double kSeaLevelPressurePa = 101325;
inline constexpr double kSeaLevelDensityKgpm3 = 1.225;
inline constexpr double kGasConstantJpkgK = 287.05287;  // R*/M0 of dry air
inline constexpr double kHeatCapacityRatio = 1.4;
// Above this the body has no air: pressure and density are zero there
// (they are 1e-9 of their 86 km values on the way up).
inline constexpr double kAtmosphereTopM = 200000;

// The air at a geometric altitude above the mean radius, m. An altitude
// that is not a number reads as the vacuum above the top.
AtmosphereSample StandardAtmosphere(double altitudeM);

}  // namespace quorvel::flight
