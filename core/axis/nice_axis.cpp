#include "axis/nice_axis.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace wegator {

ChartAxis NiceAxis(double min, double max) {
    if (min > max) std::swap(min, max);
    if (!std::isfinite(min) || !std::isfinite(max)) {
        min = 0;
        max = 1;
    }
    if (max == min) {
        // A still value: a range around it, wide enough to show it is still.
        const double half = min == 0 ? 1.0 : std::abs(min) * 0.01;
        min -= half;
        max += half;
    }
    ChartAxis axis;
    const double span = max - min;
    static constexpr double kMantissas[] = {1.0, 2.0, 2.5, 5.0};
    // Start a decade below the step that would give about eight ticks and take
    // the first round step that needs no more than eight.
    for (int k = static_cast<int>(std::floor(std::log10(span / 8.0))) - 1;; ++k) {
        for (const double m : kMantissas) {
            const double scale = std::pow(10.0, std::abs(k));
            const double step = k >= 0 ? m * scale : m / scale;
            // A hair of tolerance, so a limit that is a tick in decimal is not
            // pushed a whole step out by the binary step's rounding.
            const double first = std::floor(min / step + 1e-9);
            const double last = std::ceil(max / step - 1e-9);
            const auto count = static_cast<long long>(last - first) + 1;
            if (count > 8) continue;
            // Ticks as whole multiples of the step, divided by the power of
            // ten last, so 0.3 prints as 0.3 and not 0.30000000000000004.
            const auto at = [&](long long i) { return k >= 0 ? i * m * scale : i * m / scale; };
            axis.step = step;
            axis.low = at(static_cast<long long>(first));
            axis.high = at(static_cast<long long>(last));
            for (long long i = static_cast<long long>(first); i <= static_cast<long long>(last); ++i) {
                axis.ticks.push_back(at(i));
            }
            return axis;
        }
    }
}

ChartAxis NiceAxis(double min, double max, double bandLow, double bandHigh) {
    if (min > max) std::swap(min, max);
    if (bandLow > bandHigh) std::swap(bandLow, bandHigh);
    return NiceAxis(std::min(min, bandLow), std::max(max, bandHigh));
}

int DecimalsOf(double step) {
    for (int d = 0; d < 9; ++d) {
        const double scaled = step * std::pow(10.0, d);
        if (std::abs(scaled - std::round(scaled)) < 1e-6 * std::max(1.0, scaled)) return d;
    }
    return 9;
}

}  // namespace wegator
