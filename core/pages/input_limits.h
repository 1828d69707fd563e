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

// Relative humidity given as an input: in (0, 100] %.
inline constexpr int kHumidityOutOfRange = 10;

// A moisture content in ppm or g/kg: in (0, 10^6), by its quantity
// (ContentQuantity; the dew point has the messages above).
inline constexpr double kHighestContent = 1000000.0;  // excluded; so is 0
inline constexpr int kContentOutOfRange[4] = {0, 47, 48, 49};

// A psychrometer's wet- or ice-bulb reading.
inline constexpr int kBulbOutOfRange = 54;
inline constexpr int kBulbAboveTemperature = 59;

inline bool Within(double v, double low, double high) { return v >= low && v <= high; }
inline bool StrictlyWithin(double v, double low, double high) { return v > low && v < high; }

}  // namespace wegator::input_limits
