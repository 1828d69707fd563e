// Units of the humidity quantities and the conversions between the units a
// user picks on a page and the internal units every calculation runs in:
// temperatures in °C, temperature differences in K, pressures P1/P2 in kPa,
// vapour pressures in Pa, enthalpy in kcal/kg.
//
// A unit is identified by its display text. The texts are compared byte for
// byte; a text that matches no unit leaves the value unchanged, exactly as
// the internal unit does.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace wegator {

// List orders are fixed: the index in a unit list is the unit's code.
inline constexpr std::array<std::string_view, 3> kTemperatureUnits = {"°C", "°K", "°F"};
inline constexpr std::array<std::string_view, 4> kPressureUnits = {"kPa", "MPa", "mmHg", "hPa, mbar"};
inline constexpr std::array<std::string_view, 2> kEnthalpyUnits = {"kcal/kg", "kJ/kg"};

// The index of a unit text in its list; 0, the list's first unit, for an
// empty text (no choice made yet in this run) or one the list does not hold.
template <std::size_t N>
constexpr int UnitIndex(const std::array<std::string_view, N>& units, std::string_view text) {
    for (std::size_t i = 0; i < N; ++i) {
        if (units[i] == text) return static_cast<int>(i);
    }
    return 0;
}

// Codes of the unit lists (the index of each text above).
enum class TemperatureUnit { Celsius = 0, Kelvin = 1, Fahrenheit = 2 };
enum class PressureUnit { Kilopascal = 0, Megapascal = 1, MillimetreOfMercury = 2, Hectopascal = 3 };
enum class EnthalpyUnit { KilocaloriePerKilogram = 0, KilojoulePerKilogram = 1 };

// One mmHg in kPa. The reverse factor is 7.50062 and this is exactly its
// reciprocal, so a value converted there and back comes home unchanged.
inline constexpr double kKilopascalPerMmHg = 0.13332231202220618;
inline constexpr double kMmHgPerKilopascal = 7.50062;

// A temperature unit as files write it: the kelvin is "K" (the unit lists
// show it as "°K"), every other unit as shown.
std::string_view RecordedUnit(std::string_view unit);

double TemperatureToCelsius(double value, std::string_view unit);
double TemperatureFromCelsius(double celsius, std::string_view unit);
// Uncertainties and other differences: no 273.15 or 32 offset.
double TemperatureDifferenceToCelsius(double value, std::string_view unit);
double TemperatureDifferenceFromCelsius(double kelvin, std::string_view unit);
// A pressure conversion is a pure factor, so values and uncertainties share these.
double PressureToKilopascal(double value, std::string_view unit);
double PressureFromKilopascal(double kilopascal, std::string_view unit);
// Enthalpy is only ever converted for display.
double EnthalpyFromInternal(double kcalPerKg, std::string_view unit);

// The twelve units of the pressure conversion page, in list order.
struct PressurePageUnit {
    std::string_view text;
    double toKilopascal;    // value in the unit × this = kPa
    double fromKilopascal;  // kPa × this = value in the unit
};

inline constexpr std::array<PressurePageUnit, 12> kPressurePageUnits = {{
    {"Pa", 0.001, 1000},
    {"hPa, mbar", 0.1, 10},
    {"kPa", 1, 1},
    {"MPa", 1000, 0.001},
    {"bar", 100, 0.01},
    {"mmHg", 0.13332231202220618, 7.50062},
    {"micron", 0.00013332231202220618, 7500.62},
    {"atm", 101.32502738308865, 0.00986923},
    {"at", 98.0665, 0.010197162129779282},
    {"mmH2O", 0.00980665, 101.97162129779282},
    {"psi", 6.89, 0.14513788098693758},
    {"psf", 0.0478, 20.920502092050206},
}};
// "kPa" is selected when the page opens.
inline constexpr int kPressurePageDefaultUnit = 2;

// Converts between two pressure-page units (by list index) through kPa.
// An index outside the list is treated as kPa.
double ConvertPressurePageUnits(double value, int fromUnit, int toUnit);

}  // namespace wegator
