// A Monte Carlo evaluation of what a humidity page computed: its inputs are
// drawn from their distributions, the page's own calculation (the same range
// checks, the same formulas, values only) runs at every draw, and each result
// the page shows gains its Monte Carlo mean, standard deviation and 95 %
// coverage intervals beside the propagated uncertainty. Nothing the page
// shows, prints or records changes.
//
// The distributions drawn:
//   temperatures (T, DP/FP, Tw/Ti, a content given as a dew point): normal;
//   P1, Pb: normal cut to positive pressures;
//   RH: normal cut to (0, 100] %;
//   a content in ppmv, ppmw or g/kg: normal cut to positive contents;
//   the formulas' own uncertainty (when the page includes it): two further
//   inputs, the errors of the saturation pressure at the dew point and at the
//   air temperature, each a standard normal multiple of the formulas'
//   relative uncertainty, as the propagation takes them.
// A draw the page would refuse (a dew point above the air temperature, a
// state beyond saturation, an input outside its range) is counted and
// reported, never part of the statistics: the figures are those of the
// states the page accepts.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "montecarlo/histogram.h"
#include "montecarlo/monte_carlo.h"
#include "pages/result_grid.h"
#include "physics/humidity_engine.h"
#include "physics/route_evaluator.h"

namespace wegator {

// What a page computed, in internal units, for a Monte Carlo evaluation.
struct CalculationRequest {
    Route route = Route::DewPointAndTemperature;
    ContentQuantity content = ContentQuantity::DewPoint;  // the moisture page's quantity
    RouteInputs values;         // the content in its own unit (°C, ppm or g/kg)
    RouteInputs uncertainties;  // standard uncertainties, same units; p2 unused
    bool formulaUncertainty = true;
    HumidityResult result;      // the page's result: values and propagated uncertainties
    ResultHalves halves;        // the columns the page shows
    // For the page's message of a refused draw: the edit history as the page
    // hands it to a calculation, and the units and decimal sign it speaks in.
    PreferenceList preference{};
    std::string temperatureUnit = "°C", pressureUnit = "kPa", decimalSign = ",";
};

// One result the evaluation summarises: a quantity in a column the page shows.
struct MonteCarloOutput {
    int row = 0;  // the grid row (0 DP/FP … 9 Tw/Ti)
    Phase phase = Phase::Water;
};

struct HumidityMonteCarlo {
    montecarlo::Outcome outcome;           // outcome.outputs[i] is outputs[i]
    std::vector<MonteCarloOutput> outputs;  // grid rows top to bottom, water before ice
    // The page's message for the first refused draw, in its units and
    // decimal sign (empty when no draw was refused).
    std::string firstRefusal;
    int firstRefusalId = 0;
};

// Runs the evaluation. The engine carries the page's formula set and
// psychrometer constants.
HumidityMonteCarlo RunMonteCarlo(const HumidityEngine& engine, const CalculationRequest& request,
                                 const montecarlo::Options& options, const montecarlo::Progress& progress = {});

// One summarised result as texts in the page's units and result format, for
// the table of a window, the command line and the printout.
struct MonteCarloRowTexts {
    std::string label;       // the grid row's label: "DP/FP", "T", …
    std::string column;      // the grid column's heading: "Nad wodą" or "Nad lodem"
    std::string unit;        // as the grid shows it
    std::string value;       // the page's value
    std::string u;           // its propagated standard uncertainty
    std::string mean;        // Monte Carlo mean
    std::string sd;          // Monte Carlo standard deviation
    std::string shortestLow, shortestHigh;
    std::string symmetricLow, symmetricHigh;
    std::string ratio;       // u / σ_MC to three decimals ("—" when σ_MC is 0)
};
MonteCarloRowTexts FormatMonteCarloRow(const CalculationRequest& request, const HumidityMonteCarlo& mc,
                                       std::size_t output, std::string_view temperatureUnit,
                                       std::string_view enthalpyUnit, int resultPrecision,
                                       std::string_view decimalSign);

// The run in words, in the interface language: how many draws, whether the
// figures are stable to the digits asked for (or the cap came first), and
// how many draws the page refused with its message for the first of them,
// e.g. "Stabilne na 2 cyfrach znaczących po 40 000 losowaniach; odrzucono
// 1 234 z 40 000 (…)". One line per statement.
std::vector<std::string> MonteCarloStatusLines(const HumidityMonteCarlo& mc, const montecarlo::Options& options,
                                               std::string_view decimalSign);

// The histogram of one summarised result, as numbers and texts in the
// page's units, for a painter to map: the values drawn, the shortest
// coverage interval and, to compare, the page's value ± 2u.
struct MonteCarloHistogram {
    montecarlo::Histogram histogram;
    double intervalLow = 0.0, intervalHigh = 0.0;
    double compareLow = 0.0, compareHigh = 0.0;
    std::string name;            // the result: "RH (nad wodą)"
    std::string axisTitle;       // under the axis: the name and its unit
    std::string intervalLegend;  // what the shaded band is
    std::string compareLegend;   // what the dashed lines are
    std::string tailsNote;       // how many values lie beyond the bars; empty when none
    std::string decimalSign = ",";
};
MonteCarloHistogram HistogramOfOutput(const CalculationRequest& request, const HumidityMonteCarlo& mc,
                                      std::size_t output, double coverage, std::string_view temperatureUnit,
                                      std::string_view enthalpyUnit, std::string_view decimalSign);

// A coverage probability in per cent, without the sign: "95", "99,7".
std::string CoveragePercent(double coverage, std::string_view decimalSign);

// A count of draws with its thousands apart ("1 000 000", no-break spaces).
std::string DrawCount(std::size_t n);

// A value of an output's row in the page's units (a value, not a difference):
// for the histogram of that output.
double ToDisplayValue(int row, double internal, std::string_view temperatureUnit, std::string_view enthalpyUnit);

}  // namespace wegator
