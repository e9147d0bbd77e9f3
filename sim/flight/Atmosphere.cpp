#include "sim/flight/Atmosphere.h"

#include <array>
#include <cmath>

#include "sim/flight/Body.h"

namespace quorvel::flight {

namespace {

struct Layer {
    double baseGeopotentialM;
    double baseTemperatureK;
    double lapseKpm;
    double basePressurePa;
};

// Layers in geopotential altitude; the table's base pressures, rather
// than ones chained from sea level, so each layer starts on the standard.
constexpr std::array<Layer, 7> kLayers{{
    {0, 288.15, -0.0065, 101325},
    {11000, 216.65, 0, 22632.1},
    {20000, 216.65, 0.001, 5474.89},
    {32000, 228.65, 0.0028, 868.019},
    {47000, 270.65, 0, 110.906},
    {51000, 270.65, -0.0028, 66.9389},
    {71000, 214.65, -0.002, 3.95642},
}};

constexpr double kGeopotentialRadiusM = 6356766;  // r0 of the standard
constexpr double kStandardTopM = 86000;           // geometric
constexpr double kScaleHeightAboveTopM = 5600;
constexpr double kLowestM = -5000;

AtmosphereSample FromTemperatureAndPressure(double temperatureK, double pressurePa) {
    return {temperatureK, pressurePa, pressurePa / (kGasConstantJpkgK * temperatureK),
            std::sqrt(kHeatCapacityRatio * kGasConstantJpkgK * temperatureK)};
}

AtmosphereSample Standard(double altitudeM) {
    const double h = kGeopotentialRadiusM * altitudeM / (kGeopotentialRadiusM + altitudeM);
    std::size_t i = kLayers.size() - 1;
    while (i > 0 && h < kLayers[i].baseGeopotentialM) --i;
    const Layer& layer = kLayers[i];
    const double dh = h - layer.baseGeopotentialM;
    const double temperatureK = layer.baseTemperatureK + layer.lapseKpm * dh;
    const double g0OverR = kStandardGravityMps2 / kGasConstantJpkgK;
    const double pressurePa =
        layer.lapseKpm == 0
            ? layer.basePressurePa * std::exp(-g0OverR * dh / layer.baseTemperatureK)
            : layer.basePressurePa * std::pow(temperatureK / layer.baseTemperatureK, -g0OverR / layer.lapseKpm);
    return FromTemperatureAndPressure(temperatureK, pressurePa);
}

}  // namespace

AtmosphereSample StandardAtmosphere(double altitudeM) {
    static const AtmosphereSample top = Standard(kStandardTopM);
    if (std::isnan(altitudeM) || altitudeM > kAtmosphereTopM) return {top.temperatureK, 0, 0, top.speedOfSoundMps};
    if (altitudeM <= kStandardTopM) return Standard(std::fmax(altitudeM, kLowestM));
    const double fall = std::exp(-(altitudeM - kStandardTopM) / kScaleHeightAboveTopM);
    return {top.temperatureK, top.pressurePa * fall, top.densityKgpm3 * fall, top.speedOfSoundMps};
}

}  // namespace quorvel::flight
