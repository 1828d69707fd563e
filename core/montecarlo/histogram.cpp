#include "montecarlo/histogram.h"

#include <algorithm>
#include <cmath>

namespace wegator::montecarlo {

Histogram MakeHistogram(std::span<const double> sorted, std::size_t bins, double markLow, double markHigh) {
    Histogram h;
    if (sorted.empty() || bins == 0) {
        h.axis = NiceAxis(markLow, markHigh);
        h.decimals = DecimalsOf(h.axis.step);
        return h;
    }
    const std::size_t n = sorted.size();
    const auto at = [&](double fraction) {
        return sorted[std::min(n - 1, static_cast<std::size_t>(fraction * static_cast<double>(n - 1)))];
    };
    double low = std::min(at(0.0005), markLow);
    double high = std::max(at(0.9995), markHigh);
    if (!std::isfinite(low) || !std::isfinite(high)) low = high = sorted[n / 2];
    h.axis = NiceAxis(low, high);
    h.decimals = DecimalsOf(h.axis.step);
    if (high == low) {
        // Every value the same: one bin around it.
        h.binWidth = h.axis.step / 2.0;
        h.binLow = low - h.binWidth / 2.0;
        h.counts.assign(1, 0);
    } else {
        h.binWidth = (high - low) / static_cast<double>(bins);
        h.binLow = low;
        h.counts.assign(bins, 0);
    }
    for (double v : sorted) {
        const double position = (v - h.binLow) / h.binWidth;
        if (position < 0.0) {
            ++h.below;
        } else if (position >= static_cast<double>(h.counts.size())) {
            // The highest value of the range belongs to the last bin.
            if (v <= high) {
                ++h.counts.back();
            } else {
                ++h.above;
            }
        } else {
            ++h.counts[static_cast<std::size_t>(position)];
        }
    }
    h.peak = *std::max_element(h.counts.begin(), h.counts.end());
    return h;
}

}  // namespace wegator::montecarlo
