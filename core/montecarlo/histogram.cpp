#include "montecarlo/histogram.h"

#include <algorithm>
#include <cmath>

namespace wegator::montecarlo {

Histogram MakeHistogram(std::span<const double> sorted, std::size_t bins, double markLow, double markHigh,
                        const std::function<double(double)>& shown) {
    Histogram h;
    if (sorted.empty() || bins == 0) {
        h.axis = NiceAxis(markLow, markHigh);
        h.decimals = DecimalsOf(h.axis.step);
        return h;
    }
    const auto show = [&](double v) { return shown ? shown(v) : v; };
    const std::size_t n = sorted.size();
    const auto at = [&](double fraction) {
        return show(sorted[std::min(n - 1, static_cast<std::size_t>(fraction * static_cast<double>(n - 1)))]);
    };
    double low = std::min(at(0.0005), markLow);
    double high = std::max(at(0.9995), markHigh);
    if (!std::isfinite(low) || !std::isfinite(high)) low = high = show(sorted[n / 2]);
    h.axis = NiceAxis(low, high);
    h.decimals = DecimalsOf(h.axis.step);
    if (high == low) {
        // Every value the same: one bin around it.
        h.binWidth = h.axis.step / 2.0;
        h.binLow = low - h.binWidth / 2.0;
        h.counts.assign(1, 0);
    } else {
        // The bins tile the whole axis, about `bins` of them over the body,
        // so a value is either in a bar or beyond the axis, never drawn nowhere.
        const double axisSpan = h.axis.high - h.axis.low;
        const double wanted = static_cast<double>(bins) * axisSpan / (high - low);
        const auto count = std::clamp<std::size_t>(static_cast<std::size_t>(std::lround(wanted)), bins, 4 * bins);
        h.binWidth = axisSpan / static_cast<double>(count);
        h.binLow = h.axis.low;
        h.counts.assign(count, 0);
    }
    const double last = h.binLow + h.binWidth * static_cast<double>(h.counts.size());
    for (double value : sorted) {
        const double v = show(value);
        if (v < h.binLow) {
            ++h.below;
        } else if (v > last) {
            ++h.above;
        } else {
            // The end of the range belongs to the last bin.
            const auto bin = static_cast<std::size_t>((v - h.binLow) / h.binWidth);
            ++h.counts[std::min(bin, h.counts.size() - 1)];
        }
    }
    h.peak = *std::max_element(h.counts.begin(), h.counts.end());
    return h;
}

}  // namespace wegator::montecarlo
