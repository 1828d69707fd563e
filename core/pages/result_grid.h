// The grid of results every humidity page shows (relative humidity, moisture
// content, psychrometer, laboratory): ten rows, top to bottom DP/FP, T, RH,
// PPMV, PPMW, x, I, WVP, SWVP, Tw/Ti, and four columns: value over water, its
// uncertainty, value over ice, its uncertainty.
//
// Turning a result into the grid's texts depends only on the result, the
// display units and the number format, so every page that shows humidity
// results shows them alike.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "physics/humidity_result.h"

namespace wegator {

inline constexpr int kResultRows = 10;
inline constexpr int kResultColumns = 4;
// Row-major: the text of (row, column) is at kResultColumns * row + column.
using ResultGridTexts = std::array<std::string, kResultColumns * kResultRows>;

// The quantity a grid row shows.
Quantity ResultRowQuantity(int row);
// Label at the left of a grid row ("DP/FP", "T", … "Tw/Ti").
std::string_view ResultRowLabel(int row);
// Unit label at the right of a grid row in the given temperature and enthalpy
// units (the vapour pressures are always in "Pa").
std::string ResultRowUnit(int row, std::string_view temperatureUnit, std::string_view enthalpyUnit);

// A value of a quantity in the display units (temperatures in the
// temperature unit, the enthalpy in its unit, the rest as computed), and a
// difference of it (an uncertainty: no temperature offset).
double ResultForDisplay(Quantity q, double internal, std::string_view temperatureUnit, std::string_view enthalpyUnit);
double ResultDifferenceForDisplay(Quantity q, double internal, std::string_view temperatureUnit,
                                  std::string_view enthalpyUnit);

// Which halves of the grid mean something for a result.
struct ResultHalves {
    bool water = true;
    bool ice = true;
};
// The halves PhaseShown keeps for a page that judges by the given ice-bulb
// temperature (°C).
ResultHalves HalvesThatApply(const HumidityResult& result, double iceBulbCelsius);

// The 40 texts of a result: temperatures and their uncertainties in the
// temperature unit, the enthalpy in its unit, every number by FormatResult
// with the result precision and decimal sign; a half that does not apply is empty.
ResultGridTexts FormatResultGrid(const HumidityResult& result, ResultHalves halves, std::string_view temperatureUnit,
                                 std::string_view enthalpyUnit, int resultPrecision, std::string_view decimalSign);

}  // namespace wegator
