// A chart axis on round numbers: the range a chart shows and its ticks. Shared
// by every chart the program draws (the station's trends, the histogram of a
// Monte Carlo evaluation), so they all read alike.
#pragma once

#include <vector>

namespace wegator {

// A chart axis: a range [low, high] on round numbers and its ticks, at most
// as many as asked (8 unless told) at a step of 1, 2, 2.5 or 5 × 10^k.
struct ChartAxis {
    double low = 0;
    double high = 1;
    double step = 0.2;
    std::vector<double> ticks;
};

// The axis that holds [min, max] (in either order) with at most `maxTicks`
// ticks (3 … 8: three ticks always hold a range, whatever round numbers it
// straddles). A single value gets a range around it.
ChartAxis NiceAxis(double min, double max, int maxTicks = 8);
// The axis that holds [min, max] and the criterion band [bandLow, bandHigh], so
// the band is always in sight.
ChartAxis NiceAxis(double min, double max, double bandLow, double bandHigh);

// The axis of [min, max] with `margin` of its height (a fraction) free below
// and above, so the highest and lowest values are drawn inside the plot and
// not under its frame; its ends lie there, not on round numbers, and its
// ticks are the round numbers between them, at most `maxTicks` (at least two:
// where only one would fit, the finer step stays and LabelledTicks thins
// the labels). The readings fill the plot however few ticks it has room for.
ChartAxis MarginAxis(double min, double max, int maxTicks, double margin);

// The most ticks a value axis `panelHeight` tall can label with labels
// `labelHeight` tall (one and a half labels of room per step), 3 … 8.
int TicksThatFit(double panelHeight, double labelHeight);

// Which ticks of `axis` get their label on a panel `panelHeight` tall: from
// the lowest up, a label that would touch the one below it is left out.
std::vector<bool> LabelledTicks(const ChartAxis& axis, double panelHeight, double labelHeight);

// The decimals that show every multiple of `step` exactly (0.25 → 2, 5 → 0).
int DecimalsOf(double step);

}  // namespace wegator
