// The rows of the result grid as the command line names them: the label the
// page shows, the key of their CSV columns, the quantity behind them and the
// internal units of value and uncertainty that the JSON numbers are in.
#pragma once

#include <array>

#include "pages/result_grid.h"
#include "physics/humidity_result.h"

namespace wegator::cli {

struct GridRow {
    const char* label;
    const char* key;
    Quantity quantity;
    const char* internalUnit;
    const char* internalUncertaintyUnit;
};

inline constexpr std::array<GridRow, kResultRows> kGridRows = {{
    {"DP/FP", "dpfp", Quantity::DewFrostPoint, "°C", "K"},
    {"T", "t", Quantity::Temperature, "°C", "K"},
    {"RH", "rh", Quantity::RelativeHumidity, "%", "%"},
    {"PPMV", "ppmv", Quantity::Ppmv, "ppm", "ppm"},
    {"PPMW", "ppmw", Quantity::Ppmw, "ppm", "ppm"},
    {"x", "x", Quantity::MixingRatio, "g/kg", "g/kg"},
    {"I", "i", Quantity::Enthalpy, "kcal/kg", "kcal/kg"},
    {"WVP", "wvp", Quantity::VapourPressure, "Pa", "Pa"},
    {"SWVP", "swvp", Quantity::SaturationVapourPressure, "Pa", "Pa"},
    {"Tw/Ti", "twti", Quantity::BulbTemperature, "°C", "K"},
}};

}  // namespace wegator::cli
