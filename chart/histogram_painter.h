// Drawing the histogram of one result of a Monte Carlo evaluation
// (montecarlo/histogram.h) with QPainter: the bins as bars over a round axis,
// the shortest coverage interval as a shaded band between two solid lines,
// and the value ± 2u of the propagated uncertainty as two dashed lines, so
// that where the distribution is lopsided (a relative humidity near 100 %)
// the two can be told apart at a glance. The numbers (range, ticks, bins)
// come from the core; this only maps them to the area given.
#pragma once

#include <QRectF>
#include <string>

#include "montecarlo/histogram.h"

class QPainter;

namespace wegator {

struct HistogramPicture {
    montecarlo::Histogram histogram;
    // The shortest coverage interval and the value ± 2u, in the axis's units.
    double intervalLow = 0.0, intervalHigh = 0.0;
    double compareLow = 0.0, compareHigh = 0.0;
    std::string axisTitle;       // under the axis: the quantity and its unit
    std::string intervalLegend;  // what the shaded band is
    std::string compareLegend;   // what the dashed lines are
    std::string tailsNote;       // how many values lie beyond the bars; empty when none
    std::string decimalSign = ",";
};

// Draws the picture into `area`, with its text sized for the painter's device.
void PaintHistogram(QPainter& painter, const HistogramPicture& picture, const QRectF& area);

}  // namespace wegator
