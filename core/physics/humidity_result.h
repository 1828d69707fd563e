// The outcome of one complete humidity calculation: every quantity at the
// output pressure P2, over water and over ice, each with its standard
// uncertainty, or the message that says which input left the formulas' range.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace wegator {

// Saturation reference of a result column.
enum class Phase { Water = 0, Ice = 1 };

// A value and its standard uncertainty, in the same internal unit.
struct UncertainValue {
    double value = 0.0;
    double uncertainty = 0.0;
};

// The ten quantities of a result, in the order of the stored values.
enum class Quantity {
    VapourPressure = 0,            // WVP, Pa
    SaturationVapourPressure = 1,  // SWVP at the air temperature, Pa
    RelativeHumidity = 2,          // RH, %
    DewFrostPoint = 3,             // dew point (water), frost point (ice) at P2, °C
    Temperature = 4,               // air temperature, °C
    Ppmv = 5,                      // volume fraction of vapour in dry air, ppm
    Ppmw = 6,                      // mass fraction of vapour in dry air, ppm
    Enthalpy = 7,                  // I(1+x), kcal/kg
    MixingRatio = 8,               // x, g/kg
    BulbTemperature = 9,           // wet bulb (water), ice bulb (ice), °C
};
inline constexpr std::size_t kQuantityCount = 10;

// Codes of the primary inputs; the preference list of a calculation holds
// them, most recently edited first, and decides which input a limit names.
enum InputCode : int {
    kInputP1 = 0,
    kInputT = 1,
    kInputRh = 2,
    kInputDewPoint = 3,  // dew or frost point, or a moisture content
    kInputP2 = 4,
    kInputBulb = 5,      // wet- or ice-bulb temperature of a psychrometer
};
using PreferenceList = std::array<int, 4>;

// The measure of water content given on the moisture-content page.
enum class ContentQuantity {
    DewPoint = 0,     // dew or frost point, °C
    Ppmv = 1,         // ppm by volume
    Ppmw = 2,         // ppm by mass
    MixingRatio = 3,  // x, g/kg
};

struct HumidityResult {
    bool failed = true;
    std::string message;  // ready to show; empty on success
    int messageId = 0;    // string-table number of the message, 0 on success
    // Ten quantities × (value over water, its uncertainty, value over ice, its uncertainty).
    std::array<double, 4 * kQuantityCount> values{};

    double Value(Quantity q, Phase p) const { return values[Index(q, p)]; }
    double Uncertainty(Quantity q, Phase p) const { return values[Index(q, p) + 1]; }
    void Set(Quantity q, Phase p, UncertainValue v) {
        values[Index(q, p)] = v.value;
        values[Index(q, p) + 1] = v.uncertainty;
    }
    static std::size_t Index(Quantity q, Phase p) {
        return 4 * static_cast<std::size_t>(q) + 2 * static_cast<std::size_t>(p);
    }
};

// Below this dew point (°C) the "over water" half of a result means nothing.
inline constexpr double kLowestWaterDewPoint = -50.0;

// Whether a result column is shown: a dew point far below zero only makes
// sense over ice, a frost point and an ice bulb both above zero only over
// water. iceBulbCelsius is the ice-bulb temperature the page judges by (the
// computed one, or the reading of a psychrometer).
inline bool PhaseShown(const HumidityResult& r, Phase phase, double iceBulbCelsius) {
    if (phase == Phase::Water) return !(r.Value(Quantity::DewFrostPoint, Phase::Water) < kLowestWaterDewPoint);
    return !(r.Value(Quantity::DewFrostPoint, Phase::Ice) > 0.0 && iceBulbCelsius > 0.0);
}
inline bool PhaseShown(const HumidityResult& r, Phase phase) {
    return PhaseShown(r, phase, r.Value(Quantity::BulbTemperature, Phase::Ice));
}

// Units and decimal sign in which a limit message speaks to the user.
struct MessageFormat {
    std::string_view temperatureUnit = "°C";
    std::string_view pressureUnit = "kPa";
    std::string_view decimalSign = ",";
};

}  // namespace wegator
