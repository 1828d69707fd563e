#include "physics/units.h"

namespace wegator {

namespace {
constexpr std::string_view kKelvin = "°K";
constexpr std::string_view kFahrenheit = "°F";
constexpr std::string_view kMegapascal = "MPa";
constexpr std::string_view kMmHg = "mmHg";
constexpr std::string_view kHectopascal = "hPa, mbar";
constexpr std::string_view kKilojoule = "kJ/kg";

const PressurePageUnit& PageUnit(int index) {
    if (index < 0 || index >= static_cast<int>(kPressurePageUnits.size())) {
        return kPressurePageUnits[kPressurePageDefaultUnit];
    }
    return kPressurePageUnits[static_cast<std::size_t>(index)];
}
}  // namespace

std::string_view RecordedUnit(std::string_view unit) { return unit == kKelvin ? std::string_view("K") : unit; }

double TemperatureToCelsius(double value, std::string_view unit) {
    if (unit == kKelvin) return value - 273.15;
    if (unit == kFahrenheit) return (value - 32.0) * 5.0 / 9.0;
    return value;
}

double TemperatureFromCelsius(double celsius, std::string_view unit) {
    if (unit == kKelvin) return celsius + 273.15;
    if (unit == kFahrenheit) return celsius * 1.8 + 32.0;
    return celsius;
}

double TemperatureDifferenceToCelsius(double value, std::string_view unit) {
    if (unit == kFahrenheit) return value * 5.0 / 9.0;
    return value;
}

double TemperatureDifferenceFromCelsius(double kelvin, std::string_view unit) {
    if (unit == kFahrenheit) return kelvin * 1.8;
    return kelvin;
}

double PressureToKilopascal(double value, std::string_view unit) {
    if (unit == kMegapascal) return value * 1000.0;
    if (unit == kMmHg) return value * kKilopascalPerMmHg;
    if (unit == kHectopascal) return value * 0.1;
    return value;
}

double PressureFromKilopascal(double kilopascal, std::string_view unit) {
    if (unit == kMegapascal) return kilopascal * 0.001;
    if (unit == kMmHg) return kilopascal * kMmHgPerKilopascal;
    if (unit == kHectopascal) return kilopascal * 10.0;
    return kilopascal;
}

double EnthalpyFromInternal(double kcalPerKg, std::string_view unit) {
    if (unit == kKilojoule) return kcalPerKg * 4.1868;
    return kcalPerKg;
}

double ConvertPressurePageUnits(double value, int fromUnit, int toUnit) {
    return value * PageUnit(fromUnit).toKilopascal * PageUnit(toUnit).fromKilopascal;
}

}  // namespace wegator
