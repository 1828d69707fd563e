// The histogram of one output of a Monte Carlo evaluation, as numbers: the
// range on a round axis, the bins and their counts. The painter only maps
// them to pixels.
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <vector>

#include "axis/nice_axis.h"

namespace wegator::montecarlo {

struct Histogram {
    ChartAxis axis;           // the horizontal axis: its range holds every bin
    int decimals = 0;         // of the axis's tick labels
    double binLow = 0.0;      // where the first bin starts
    double binWidth = 1.0;
    std::vector<std::size_t> counts;
    std::size_t peak = 0;     // the largest count
    std::size_t below = 0;    // values left of the axis (the far tail), not drawn
    std::size_t above = 0;    // values right of it
};

// Equal bins over the axis that holds the values from the 0.05 % to the
// 99.95 % quantile of `sorted` (ascending), widened so the marks (the ends of
// a coverage interval) are in sight; about `bins` of them span that body.
// The far tails beyond the axis are counted, not drawn, so a few outliers do
// not squeeze the body of the distribution into one bin. `shown`, when
// given, maps each value to the unit drawn (rising, so the order holds); the
// marks are in that unit.
Histogram MakeHistogram(std::span<const double> sorted, std::size_t bins, double markLow, double markHigh,
                        const std::function<double(double)>& shown = {});

}  // namespace wegator::montecarlo
