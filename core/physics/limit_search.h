// Finding the limit of one input for a failed range check: the value at which
// the failed condition just holds, with the other inputs fixed, found by
// bisection on a fixed interval, and the tests that decide whether that limit
// is worth telling the user.
#pragma once

#include <cmath>
#include <optional>

namespace wegator {

struct SearchInterval {
    double lo;
    double hi;
};

// Temperatures (air, dew or frost point, wet or ice bulb), °C.
inline constexpr SearchInterval kTemperatureSearch = {-120.0, 120.0};
// Relative humidity, %: up to 100 for the checks of RH itself, a little beyond otherwise.
inline constexpr SearchInterval kHumiditySearchTo100 = {0.001, 100.0};
inline constexpr SearchInterval kHumiditySearch = {0.0, 101.0};
// Volume fraction, ppm.
inline constexpr SearchInterval kPpmvSearch = {1e-5, 1e6};

// An unknown P1 for a given P2 (kPa): P2/P1 between 21 and 1/33.67.
inline SearchInterval InputPressureSearch(double p2) {
    return {p2 * 0.047619047619047616, 33.666666666666664 * p2};
}
// An unknown P2 for a given P1 (kPa): P2/P1 between 1/33.67 and 21.
inline SearchInterval OutputPressureSearch(double p1) {
    return {p1 * 0.0297029702970297, 21.0 * p1};
}

// Width at which a limit search stops.
inline constexpr double kLimitTolerance = 1e-10;
// Every limit is reported 5e-8 below the boundary found.
inline constexpr double kLimitShift = 5e-8;

// Bisection for the boundary of the region where holds(x) is true. Returns the
// end of the final interval on the side where the condition holds, or nullopt
// when the condition is the same at both ends (no boundary to report). The
// search also stops when the interval can no longer be halved in doubles, so
// it ends for any interval.
template <typename Holds>
std::optional<double> FindBoundary(SearchInterval interval, Holds&& holds) {
    double lo = interval.lo, hi = interval.hi;
    const bool holdsAtLo = holds(lo);
    if (holds(hi) == holdsAtLo) return std::nullopt;
    while (hi - lo > kLimitTolerance) {
        const double mid = (lo + hi) / 2.0;
        if (mid <= lo || mid >= hi) break;
        if (holds(mid) == holdsAtLo) {
            lo = mid;
        } else {
            hi = mid;
        }
    }
    return holdsAtLo ? lo : hi;
}

// A temperature limit (already shifted) is told only inside the formulas' range.
inline bool TemperatureLimitAdmissible(double limit) {
    return limit >= -100.0 - kLimitShift && limit <= 100.0 - kLimitShift;
}
// A pressure limit is told only when it keeps P2/P1 within 0.03 … 20.
inline bool PressureRatioAdmissible(double ratio) {
    return ratio >= 0.03 - kLimitShift && ratio <= 20.0 - kLimitShift;
}

}  // namespace wegator
