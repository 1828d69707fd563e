#include "pages/result_grid.h"

#include "pages/number_entry.h"
#include "physics/units.h"

namespace wegator {

namespace {

constexpr std::array<Quantity, kResultRows> kRowQuantities = {
    Quantity::DewFrostPoint,
    Quantity::Temperature,
    Quantity::RelativeHumidity,
    Quantity::Ppmv,
    Quantity::Ppmw,
    Quantity::MixingRatio,
    Quantity::Enthalpy,
    Quantity::VapourPressure,
    Quantity::SaturationVapourPressure,
    Quantity::BulbTemperature,
};
constexpr std::array<std::string_view, kResultRows> kRowLabels = {
    "DP/FP", "T", "RH", "PPMV", "PPMW", "x", "I", "WVP", "SWVP", "Tw/Ti",
};

}  // namespace

Quantity ResultRowQuantity(int row) { return kRowQuantities.at(static_cast<std::size_t>(row)); }

std::string_view ResultRowLabel(int row) { return kRowLabels.at(static_cast<std::size_t>(row)); }

std::string ResultRowUnit(int row, std::string_view temperatureUnit, std::string_view enthalpyUnit) {
    switch (ResultRowQuantity(row)) {
        case Quantity::DewFrostPoint:
        case Quantity::Temperature:
        case Quantity::BulbTemperature: return std::string(temperatureUnit);
        case Quantity::RelativeHumidity: return "%";
        case Quantity::Ppmv:
        case Quantity::Ppmw: return "ppm";
        case Quantity::MixingRatio: return "g/kg";
        case Quantity::Enthalpy: return std::string(enthalpyUnit);
        case Quantity::VapourPressure:
        case Quantity::SaturationVapourPressure: return "Pa";
    }
    return {};
}

double ResultForDisplay(Quantity q, double internal, std::string_view temperatureUnit, std::string_view enthalpyUnit) {
    switch (q) {
        case Quantity::DewFrostPoint:
        case Quantity::Temperature:
        case Quantity::BulbTemperature: return TemperatureFromCelsius(internal, temperatureUnit);
        case Quantity::Enthalpy: return EnthalpyFromInternal(internal, enthalpyUnit);
        default: return internal;
    }
}

double ResultDifferenceForDisplay(Quantity q, double internal, std::string_view temperatureUnit,
                                  std::string_view enthalpyUnit) {
    switch (q) {
        case Quantity::DewFrostPoint:
        case Quantity::Temperature:
        case Quantity::BulbTemperature: return TemperatureDifferenceFromCelsius(internal, temperatureUnit);
        case Quantity::Enthalpy: return EnthalpyFromInternal(internal, enthalpyUnit);
        default: return internal;
    }
}

ResultHalves HalvesThatApply(const HumidityResult& result, double iceBulbCelsius) {
    return {.water = PhaseShown(result, Phase::Water, iceBulbCelsius),
            .ice = PhaseShown(result, Phase::Ice, iceBulbCelsius)};
}

ResultGridTexts FormatResultGrid(const HumidityResult& result, ResultHalves halves, std::string_view temperatureUnit,
                                 std::string_view enthalpyUnit, int resultPrecision, std::string_view decimalSign) {
    ResultGridTexts texts;
    for (int row = 0; row < kResultRows; ++row) {
        const Quantity q = ResultRowQuantity(row);
        for (const Phase p : {Phase::Water, Phase::Ice}) {
            if (!(p == Phase::Water ? halves.water : halves.ice)) continue;
            const double value = ResultForDisplay(q, result.Value(q, p), temperatureUnit, enthalpyUnit);
            const double uncertainty =
                ResultDifferenceForDisplay(q, result.Uncertainty(q, p), temperatureUnit, enthalpyUnit);
            const std::size_t at = static_cast<std::size_t>(kResultColumns * row + 2 * static_cast<int>(p));
            texts[at] = FormatResult(value, resultPrecision, decimalSign);
            texts[at + 1] = FormatResult(uncertainty, resultPrecision, decimalSign);
        }
    }
    return texts;
}

}  // namespace wegator
