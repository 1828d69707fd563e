#include "pages/humidity_monte_carlo.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

#include "pages/input_limits.h"
#include "pages/number_entry.h"
#include "text/string_table.h"
#include "text/strings.h"

namespace wegator {

using namespace input_limits;

namespace {

// Texts of a run in words.
constexpr int kRunHeading = 1580;
constexpr int kStable = 1581;
constexpr int kCapReached = 1582;
constexpr int kFixedDraws = 1583;
constexpr int kRefused = 1584;
constexpr int kNothingAccepted = 1585;
constexpr int kCancelled = 1586;
constexpr int kNotYetStable = 1587;
constexpr int kOnlyShortestUnsettled = 1588;
// A result's column in running text.
constexpr int kOverWaterWords = 189;
constexpr int kOverIceWords = 190;
// Texts of a histogram.
constexpr int kIntervalLegend = 1643;  // "przedział najkrótszy %s"
constexpr int kCompareLegend = 1644;   // "wartość ± 2u"
constexpr int kTails = 1645;           // "poza wykresem: %s z lewej, %s z prawej"
// Column headings of the grid, for a result's column.
constexpr int kOverWater = 1004;
constexpr int kOverIce = 1005;
constexpr int kInputsOutOfRange = 26;

// The inputs drawn, in this order: the five primary inputs, then the
// formulas' errors at the dew point and at the air temperature.
enum Input : std::size_t { kT, kDp, kRh, kTw, kP1, kFormulaVapour, kFormulaSaturation, kInputCount };

RouteInputs InputsOf(std::span<const double> x, const CalculationRequest& r) {
    RouteInputs in;
    in.t = x[kT], in.dp = x[kDp], in.rh = x[kRh], in.tw = x[kTw], in.p1 = x[kP1];
    in.p2 = r.route == Route::Psychrometer ? x[kP1] : r.values.p2;
    return in;
}

std::array<montecarlo::InputDistribution, kInputCount> Distributions(const CalculationRequest& r) {
    const RouteInputs& v = r.values;
    const RouteInputs& u = r.uncertainties;
    constexpr double inf = std::numeric_limits<double>::infinity();
    const bool content = r.route == Route::MoistureContent && r.content != ContentQuantity::DewPoint;
    const double z = r.formulaUncertainty ? 1.0 : 0.0;
    return {{
        {v.t, u.t, -inf, inf},
        {v.dp, u.dp, content ? 0.0 : -inf, inf},
        {v.rh, u.rh, 0.0, 100.0},
        {v.tw, u.tw, -inf, inf},
        {v.p1, u.p1, 0.0, inf},
        {0.0, z, -inf, inf},
        {0.0, z, -inf, inf},
    }};
}

// The checks the page makes of its inputs before it calculates, in its
// order: the number of the message that refuses a draw, or 0.
int PageCheck(const CalculationRequest& r, const RouteInputs& in) {
    const bool psychrometer = r.route == Route::Psychrometer;
    if (!Within(in.p1, kLowestPressure, kHighestPressure)) return msg::InputPressureOutOfRange;
    if (!psychrometer && !Within(in.p2 / in.p1 * 100.0, kLowestRatio, kHighestRatio)) {
        return msg::PressureRatioOutOfRange;
    }
    const auto humidity = [&] { return in.rh > 0.0 && in.rh <= 100.0 ? 0 : kHumidityOutOfRange; };
    switch (r.route) {
        case Route::DewPointAndTemperature:
            if (!Within(in.dp, kLowestTemperature, kHighestTemperature)) return kDewPointOutOfRange;
            if (!Within(in.t, kLowestTemperature, kHighestTemperature)) return msg::TemperatureOutOfRange;
            return in.t < in.dp ? msg::DewPointAboveTemperature : 0;
        case Route::TemperatureAndHumidity:
            if (!StrictlyWithin(in.t, kLowestTemperature, kHighestTemperature)) return msg::TemperatureOutOfRange;
            return humidity();
        case Route::DewPointAndHumidity:
            if (!StrictlyWithin(in.dp, kLowestTemperature, kHighestTemperature)) return kDewPointOutOfRange;
            return humidity();
        case Route::MoistureContent:
            if (!Within(in.t, kLowestTemperature, kHighestTemperature)) return msg::TemperatureOutOfRange;
            if (r.content == ContentQuantity::DewPoint) {
                return Within(in.dp, kLowestTemperature, kHighestTemperature) ? 0 : kDewPointOutOfRange;
            }
            return in.dp > 0.0 && in.dp < kHighestContent ? 0 : kContentOutOfRange[static_cast<int>(r.content)];
        case Route::Psychrometer:
            if (!Within(in.t, kLowestTemperature, kHighestTemperature)) return msg::TemperatureOutOfRange;
            if (!Within(in.tw, kLowestTemperature, kHighestTemperature)) return kBulbOutOfRange;
            return in.t < in.tw ? kBulbAboveTemperature : 0;
    }
    return 0;
}

// The page's own message for refused inputs: the complete calculation at
// them (values exact, so only its range checks speak).
std::pair<int, std::string> RefusalMessage(const HumidityEngine& engine, const CalculationRequest& r,
                                           const RouteInputs& in, int pageCheck) {
    if (pageCheck != 0) return {pageCheck, WithDecimalSign(LoadString(pageCheck), r.decimalSign)};
    const std::string_view t = r.temperatureUnit, p = r.pressureUnit, sign = r.decimalSign;
    HumidityResult result;
    switch (r.route) {
        case Route::DewPointAndTemperature:
            result = engine.ComputeFromDewPointAndTemperature(in.t, 0, in.dp, 0, in.p1, 0, in.p2, false,
                                                              r.preference, t, p, sign);
            break;
        case Route::TemperatureAndHumidity:
            result = engine.ComputeFromTemperatureAndHumidity(in.t, 0, in.rh, 0, in.p1, 0, in.p2, false,
                                                              r.preference, t, p, sign);
            break;
        case Route::DewPointAndHumidity:
            result = engine.ComputeFromDewPointAndHumidity(in.rh, 0, in.dp, 0, in.p1, 0, in.p2, false,
                                                           r.preference, t, p, sign);
            break;
        case Route::MoistureContent:
            result = engine.ComputeFromMoistureContent(r.content, in.dp, 0, in.t, 0, in.p1, 0, in.p2, false,
                                                       r.preference, t, p, sign);
            break;
        case Route::Psychrometer:
            result = engine.ComputeFromPsychrometer(in.t, 0, in.tw, 0, in.p1, 0, false,
                                                    {r.preference[0], r.preference[1], r.preference[2]}, t, p,
                                                    sign);
            break;
    }
    if (result.failed && result.messageId != 0) {
        // A limit message spans lines in a box; a status line keeps it on one.
        std::string text = result.message;
        for (char& c : text) {
            if (c == '\n') c = ' ';
        }
        return {result.messageId, text};
    }
    // Refused only for a result that is not a number, with the formulas' error drawn.
    return {kInputsOutOfRange, WithDecimalSign(LoadString(kInputsOutOfRange), r.decimalSign)};
}

}  // namespace

HumidityMonteCarlo RunMonteCarlo(const HumidityEngine& engine, const CalculationRequest& request,
                                 const montecarlo::Options& options, const montecarlo::Progress& progress) {
    HumidityMonteCarlo mc;
    for (int row = 0; row < kResultRows; ++row) {
        if (request.halves.water) mc.outputs.push_back({row, Phase::Water});
        if (request.halves.ice) mc.outputs.push_back({row, Phase::Ice});
    }
    std::vector<std::size_t> slots;
    for (const MonteCarloOutput& o : mc.outputs) slots.push_back(HumidityResult::Index(ResultRowQuantity(o.row), o.phase));

    const auto distributions = Distributions(request);
    const montecarlo::EvaluatorFactory factory = [&]() -> montecarlo::Evaluator {
        auto route = std::make_shared<RouteEvaluator>(engine, request.route, request.content);
        if (request.halves.water != request.halves.ice) {
            route->OnlyColumn(request.halves.water ? Phase::Water : Phase::Ice);
        }
        auto values = std::make_shared<HumidityResult>();
        return [&request, &slots, route, values](std::span<const double> x, std::span<double> y) {
            const RouteInputs in = InputsOf(x, request);
            if (const int refused = PageCheck(request, in); refused != 0) return refused;
            if (!route->Evaluate(in, x[kFormulaVapour], x[kFormulaSaturation], *values)) return kInputsOutOfRange;
            for (std::size_t k = 0; k < slots.size(); ++k) y[k] = values->values[slots[k]];
            return 0;
        };
    };
    mc.outcome = montecarlo::Evaluate(distributions, mc.outputs.size(), factory, options, progress);
    if (mc.outcome.refused > 0 && !mc.outcome.firstRefusedInputs.empty()) {
        const RouteInputs in = InputsOf(mc.outcome.firstRefusedInputs, request);
        std::tie(mc.firstRefusalId, mc.firstRefusal) = RefusalMessage(engine, request, in, PageCheck(request, in));
    }
    return mc;
}

MonteCarloRowTexts FormatMonteCarloRow(const CalculationRequest& request, const HumidityMonteCarlo& mc,
                                       std::size_t output, std::string_view temperatureUnit,
                                       std::string_view enthalpyUnit, int resultPrecision,
                                       std::string_view decimalSign) {
    const MonteCarloOutput& o = mc.outputs.at(output);
    const Quantity q = ResultRowQuantity(o.row);
    const auto value = [&](double v) {
        return FormatResult(ResultForDisplay(q, v, temperatureUnit, enthalpyUnit), resultPrecision, decimalSign);
    };
    const auto difference = [&](double v) {
        return FormatResult(ResultDifferenceForDisplay(q, v, temperatureUnit, enthalpyUnit), resultPrecision,
                            decimalSign);
    };
    MonteCarloRowTexts t;
    t.label = std::string(ResultRowLabel(o.row));
    t.column = std::string(LoadString(o.phase == Phase::Water ? kOverWater : kOverIce));
    t.unit = ResultRowUnit(o.row, temperatureUnit, enthalpyUnit);
    const double u = request.result.Uncertainty(q, o.phase);
    t.value = value(request.result.Value(q, o.phase));
    t.u = difference(u);
    if (output >= mc.outcome.outputs.size()) return t;
    const montecarlo::OutputSummary& s = mc.outcome.outputs[output];
    t.mean = value(s.mean);
    t.sd = difference(s.sd);
    t.shortestLow = value(s.shortestLow);
    t.shortestHigh = value(s.shortestHigh);
    t.symmetricLow = value(s.symmetricLow);
    t.symmetricHigh = value(s.symmetricHigh);
    t.ratio = s.sd > 0.0 ? FormatFixed(u / s.sd, 3, decimalSign) : "—";
    return t;
}

std::vector<std::string> MonteCarloStatusLines(const HumidityMonteCarlo& mc, const montecarlo::Options& options,
                                               std::string_view decimalSign) {
    const montecarlo::Outcome& o = mc.outcome;
    std::vector<std::string> lines;
    lines.push_back(
        FillIn(LoadString(kRunHeading), {std::to_string(options.seed), CoveragePercent(options.coverage, decimalSign)}));
    switch (o.status) {
        case montecarlo::Status::Stable:
            lines.push_back(FillIn(LoadString(kStable), {std::to_string(options.significantDigits),
                                                         DrawCount(o.drawn)}));
            break;
        case montecarlo::Status::CapReached: {
            lines.push_back(FillIn(LoadString(kCapReached),
                                   {std::to_string(options.significantDigits), DrawCount(o.drawn)}));
            // Which results the digits still lack, so the others can be read as they stand.
            const bool bothColumns = std::any_of(mc.outputs.begin(), mc.outputs.end(),
                                                 [](const MonteCarloOutput& out) { return out.phase == Phase::Ice; }) &&
                                     std::any_of(mc.outputs.begin(), mc.outputs.end(),
                                                 [](const MonteCarloOutput& out) { return out.phase == Phase::Water; });
            std::string unstable;
            for (std::size_t i = 0; i < mc.outputs.size() && i < o.outputs.size(); ++i) {
                if (o.outputs[i].stable) continue;
                if (!unstable.empty()) unstable += ", ";
                unstable += ResultRowLabel(mc.outputs[i].row);
                if (bothColumns) {
                    unstable += ' ';
                    unstable += LoadString(mc.outputs[i].phase == Phase::Water ? kOverWaterWords : kOverIceWords);
                }
            }
            if (!unstable.empty()) lines.push_back(FillIn(LoadString(kNotYetStable), {unstable}));
            // Where only the shortest intervals lack them, the rest may be read as stable.
            if (!unstable.empty() && std::all_of(o.outputs.begin(), o.outputs.end(), [](const auto& s) {
                    return s.stableApartFromShortest;
                })) {
                lines.push_back(std::string(LoadString(kOnlyShortestUnsettled)));
            }
            break;
        }
        case montecarlo::Status::Fixed: lines.push_back(FillIn(LoadString(kFixedDraws), {DrawCount(o.drawn)})); break;
        case montecarlo::Status::Cancelled: lines.push_back(std::string(LoadString(kCancelled))); break;
        case montecarlo::Status::NothingAccepted:
            lines.push_back(FillIn(LoadString(kNothingAccepted), {mc.firstRefusal}));
            return lines;
    }
    if (o.refused > 0 && o.status != montecarlo::Status::Cancelled) {
        const double share = 100.0 * static_cast<double>(o.refused) / static_cast<double>(o.drawn);
        lines.push_back(FillIn(LoadString(kRefused), {DrawCount(o.refused), DrawCount(o.drawn),
                                                      FormatFixed(share, 1, decimalSign), mc.firstRefusal}));
    }
    return lines;
}

MonteCarloHistogram HistogramOfOutput(const CalculationRequest& request, const HumidityMonteCarlo& mc,
                                      std::size_t output, double coverage, std::string_view temperatureUnit,
                                      std::string_view enthalpyUnit, std::string_view decimalSign) {
    const MonteCarloOutput& o = mc.outputs.at(output);
    const montecarlo::OutputSummary& summary = mc.outcome.outputs.at(output);
    const Quantity q = ResultRowQuantity(o.row);
    const auto display = [&](double internal) { return ResultForDisplay(q, internal, temperatureUnit, enthalpyUnit); };

    // Every unit conversion rises with the value, so the values stay in order
    // (converted one by one as they are counted: no second copy of them).
    const std::vector<double>& sorted = mc.outcome.sorted.at(output);

    const double value = request.result.Value(q, o.phase);
    const double u = request.result.Uncertainty(q, o.phase);
    MonteCarloHistogram h;
    h.intervalLow = display(summary.shortestLow);
    h.intervalHigh = display(summary.shortestHigh);
    h.compareLow = display(value - 2 * u);
    h.compareHigh = display(value + 2 * u);
    const std::size_t bins =
        std::clamp<std::size_t>(static_cast<std::size_t>(std::sqrt(static_cast<double>(sorted.size()))), 20, 80);
    h.histogram = montecarlo::MakeHistogram(sorted, bins, std::min(h.intervalLow, h.compareLow),
                                            std::max(h.intervalHigh, h.compareHigh), display);
    h.name = std::string(ResultRowLabel(o.row)) + " (" +
             std::string(LoadString(o.phase == Phase::Water ? kOverWaterWords : kOverIceWords)) + ")";
    const std::string unit = ResultRowUnit(o.row, temperatureUnit, enthalpyUnit);
    h.axisTitle = unit.empty() ? h.name : h.name + ", " + unit;
    h.intervalLegend = FillIn(LoadString(kIntervalLegend), {CoveragePercent(coverage, decimalSign) + "\u00a0%"});
    h.compareLegend = std::string(LoadString(kCompareLegend));
    if (h.histogram.below + h.histogram.above > 0) {
        h.tailsNote = FillIn(LoadString(kTails), {DrawCount(h.histogram.below), DrawCount(h.histogram.above)});
    }
    h.decimalSign = std::string(decimalSign);
    return h;
}

std::string CoveragePercent(double coverage, std::string_view decimalSign) {
    const double percent = 100.0 * coverage;
    return FormatFixed(percent, std::abs(percent - std::round(percent)) < 1e-9 ? 0 : 1, decimalSign);
}

std::string DrawCount(std::size_t n) {
    const std::string digits = std::to_string(n);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += "\u00a0";
        out += digits[i];
    }
    return out;
}

double ToDisplayValue(int row, double internal, std::string_view temperatureUnit, std::string_view enthalpyUnit) {
    return ResultForDisplay(ResultRowQuantity(row), internal, temperatureUnit, enthalpyUnit);
}

}  // namespace wegator
