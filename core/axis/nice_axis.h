// A chart axis on round numbers: the range a chart shows and its ticks. Shared
// by every chart the program draws (the station's trends, the histogram of a
// Monte Carlo evaluation), so they all read alike.
#pragma once

#include <vector>

namespace wegator {

// A chart axis: a range [low, high] on round numbers and its ticks, 4 to 8 of
// them at a step of 1, 2, 2.5 or 5 × 10^k.
struct ChartAxis {
    double low = 0;
    double high = 1;
    double step = 0.2;
    std::vector<double> ticks;
};

// The axis that holds [min, max] (in either order). A single value gets a
// range around it.
ChartAxis NiceAxis(double min, double max);
// The axis that holds [min, max] and the criterion band [bandLow, bandHigh], so
// the band is always in sight.
ChartAxis NiceAxis(double min, double max, double bandLow, double bandHigh);

// The decimals that show every multiple of `step` exactly (0.25 → 2, 5 → 0).
int DecimalsOf(double step);

}  // namespace wegator
