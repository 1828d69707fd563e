// What the calculator pages accept as inputs, in internal units, and the
// numbers of the messages their checks share. One place, so the pages cannot
// drift apart.
#pragma once

namespace wegator::input_limits {

inline constexpr double kLowestPressure = 3.0;               // kPa, included
inline constexpr double kHighestPressure = 20000.0;          // kPa, included
inline constexpr double kPressureUncertaintyLimit = 100.0;   // kPa, excluded
inline constexpr double kLowestRatio = 3.0;                  // P2/P1 in %, included
inline constexpr double kHighestRatio = 2000.0;
inline constexpr double kLowestTemperature = -100.0;         // °C
inline constexpr double kHighestTemperature = 100.0;
inline constexpr double kTemperatureUncertaintyLimit = 100.0;  // K, excluded

// Dew or frost point given as an input.
inline constexpr int kDewPointOutOfRange = 5;
inline constexpr int kDewPointUncertaintyOutOfRange = 6;

inline bool Within(double v, double low, double high) { return v >= low && v <= high; }
inline bool StrictlyWithin(double v, double low, double high) { return v > low && v < high; }

}  // namespace wegator::input_limits
