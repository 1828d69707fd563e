// Drawing a trend chart (lab/trends/trend_chart.h) with QPainter: panels stacked
// under one time axis, each line a band from its lowest to its highest
// reading per pixel column with the mean drawn over it, the stability band,
// the restarts and the cursor. The same drawing serves the screen, the
// printout (at the printer's resolution) and exported pictures, and needs no
// display.
#pragma once

#include <QColor>
#include <QPen>
#include <QRectF>
#include <QSize>
#include <string>

#include "lab/trends/trend_chart.h"

class QPainter;
class QPaintDevice;

namespace wegator {

// The colour of a chart line by its ChartLine::colour: one of lab::kLineHues
// hues; a line beyond them is told apart by a dashed pen (TrendLinePen).
QColor TrendLineColour(int colour);
// The pen of a line's mean, `width` device pixels wide.
QPen TrendLinePen(int colour, double width);

// Where the chart's parts lie when drawn on `device` in `area` (device
// pixels): what PaintTrendChart draws, and what a widget hit-tests against.
lab::ChartLayout TrendChartLayout(const lab::TrendChart& chart, const QRectF& area, const QPaintDevice* device);

// Fits the chart's value axes to the plots it gets in `area` on `device`
// (lab::FitTrendChart): as many ticks as their labels have room for.
void FitTrendChart(lab::TrendChart& chart, const QRectF& area, const QPaintDevice* device);
// The same for a picture of `size` pixels (WriteTrendChart): what its numbers
// say is what the picture shows.
void FitTrendChart(lab::TrendChart& chart, QSize size);

// Draws the chart into `area`, with its text sized for the painter's device;
// a chart not fitted to that area is fitted first (on a copy).
void PaintTrendChart(QPainter& painter, const lab::TrendChart& chart, const QRectF& area);

// Writes the chart as a picture of `size` pixels: PNG, SVG or PDF by the
// file's extension. The file is replaced whole or not at all. False, with the
// reason in the language in force in *error, for another extension or when
// the file cannot be written.
bool WriteTrendChart(const std::string& path, const lab::TrendChart& chart, QSize size, std::string* error);

}  // namespace wegator
