// wegator-cli plot: a file the station recorded (its data file, or the
// series file of a calibration run) drawn as a trend chart into a PNG, SVG or
// PDF file, the same chart the desktop program shows. What was drawn (per
// panel its unit, value axis and ticks; the time range) is printed, so that a
// script can check it without looking at the picture.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace wegator::cli {

struct PlotOptions {
    std::string file;
    std::string out;
    std::string quantities;  // comma-separated column names or trend keys
    std::string from, to;    // "HH:MM[:SS]" or "YYYY-MM-DD HH:MM[:SS]"
    int width = 1200;
    int height = 800;
};

// Adds "plot" to the program.
CLI::App* AddPlotCommand(CLI::App& app, PlotOptions& options);

// Draws the chart: 0 when written, 1 when the file cannot be read or nothing
// in it falls into the chosen time (message on standard error, no picture), 2
// for a usage error.
int RunPlot(const PlotOptions& options);

}  // namespace wegator::cli
