#include "axis/nice_axis.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace wegator {

ChartAxis NiceAxis(double min, double max, int maxTicks) {
    const long long most = std::clamp(maxTicks, 3, 8);
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
    // the first round step that needs no more than asked.
    for (int k = static_cast<int>(std::floor(std::log10(span / 8.0))) - 1;; ++k) {
        for (const double m : kMantissas) {
            const double scale = std::pow(10.0, std::abs(k));
            const double step = k >= 0 ? m * scale : m / scale;
            // A hair of tolerance, so a limit that is a tick in decimal is not
            // pushed a whole step out by the binary step's rounding.
            const double first = std::floor(min / step + 1e-9);
            const double last = std::ceil(max / step - 1e-9);
            const auto count = static_cast<long long>(last - first) + 1;
            if (count > most) continue;
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

ChartAxis MarginAxis(double min, double max, int maxTicks, double margin) {
    if (min > max) std::swap(min, max);
    if (!std::isfinite(min) || !std::isfinite(max) || max == min) {
        // Nothing to fill: the round range around a still value.
        return NiceAxis(min, max, maxTicks);
    }
    margin = std::clamp(margin, 0.0, 0.4);
    const double pad = (max - min) * margin / (1.0 - 2.0 * margin);
    ChartAxis axis;
    axis.low = min - pad;
    axis.high = max + pad;
    const double span = axis.high - axis.low;
    const long long most = std::clamp(maxTicks, 2, 8);
    static constexpr double kMantissas[] = {1.0, 2.0, 2.5, 5.0};
    // From a step finer than any asked for, the first round step that gives
    // no more ticks than asked; the one before it when it would give one.
    std::vector<double> finer;
    for (int k = static_cast<int>(std::floor(std::log10(span / 8.0))) - 1;; ++k) {
        for (const double m : kMantissas) {
            const double scale = std::pow(10.0, std::abs(k));
            const auto at = [&](long long i) { return k >= 0 ? i * m * scale : i * m / scale; };
            const double step = k >= 0 ? m * scale : m / scale;
            const auto first = static_cast<long long>(std::ceil(axis.low / step - 1e-9));
            const auto last = static_cast<long long>(std::floor(axis.high / step + 1e-9));
            std::vector<double> ticks;
            for (long long i = first; i <= last; ++i) ticks.push_back(at(i));
            if (static_cast<long long>(ticks.size()) > most) {
                finer = std::move(ticks);
                axis.step = step;
                continue;
            }
            if (ticks.size() < 2 && !finer.empty()) {
                axis.ticks = std::move(finer);
                return axis;
            }
            axis.step = step;
            axis.ticks = std::move(ticks);
            return axis;
        }
    }
}

int TicksThatFit(double panelHeight, double labelHeight) {
    if (!(labelHeight > 0) || !(panelHeight > 0)) return 3;
    const double intervals = std::floor(panelHeight / (1.5 * labelHeight));
    return static_cast<int>(std::clamp(intervals + 1, 3.0, 8.0));
}

std::vector<bool> LabelledTicks(const ChartAxis& axis, double panelHeight, double labelHeight) {
    std::vector<bool> labelled(axis.ticks.size(), false);
    const double range = axis.high - axis.low;
    bool any = false;
    double lastY = 0;
    for (std::size_t i = 0; i < axis.ticks.size(); ++i) {
        const double y = range > 0 ? (axis.ticks[i] - axis.low) / range * panelHeight : 0;
        if (any && y - lastY < labelHeight) continue;
        labelled[i] = true;
        any = true;
        lastY = y;
    }
    return labelled;
}

int DecimalsOf(double step) {
    for (int d = 0; d < 9; ++d) {
        const double scaled = step * std::pow(10.0, d);
        if (std::abs(scaled - std::round(scaled)) < 1e-6 * std::max(1.0, scaled)) return d;
    }
    return 9;
}

}  // namespace wegator
