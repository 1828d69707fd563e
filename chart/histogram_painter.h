// Drawing the histogram of one result of a Monte Carlo evaluation
// (montecarlo/histogram.h) with QPainter: the bins as bars over a round axis,
// the shortest coverage interval as a shaded band between two solid lines,
// and the value ± 2u of the propagated uncertainty as two dashed lines, so
// that where the distribution is lopsided (a relative humidity near 100 %)
// the two can be told apart at a glance. The numbers (range, ticks, bins,
// marks) and texts come from the core; this only maps them to the area given.
#pragma once

#include <QRectF>
#include <string>

#include "pages/humidity_monte_carlo.h"

class QPainter;

namespace wegator {

// Draws the histogram into `area`, with its text sized for the painter's device.
void PaintHistogram(QPainter& painter, const MonteCarloHistogram& picture, const QRectF& area);

}  // namespace wegator
