// The laboratory page's trends: every reading, average and result goes into
// the history as it comes; the stability verdicts are worked out from it on
// demand, so that the page, the printout and the command line say the same.
#include <algorithm>
#include <cmath>

#include "lab/station/laboratory_page.h"
#include "lab/base/lab_messages.h"
#include "lab/lines/stream_use.h"
#include "pages/number_entry.h"
#include "physics/units.h"

namespace wegator::lab {

void LaboratoryPage::Remember(TrendQuantity quantity, double value) {
    if (value == kNoReading || value == kNoAverage) return;
    trends_.Add(static_cast<int>(quantity), clock_.MonotonicMs(), value);
}

void LaboratoryPage::MarkTrends(MarkerKind kind, int quantity) { trends_.Mark(clock_.MonotonicMs(), kind, quantity); }

// A lost or returning instrument concerns the quantities read from it: a
// barometer lost says nothing about the dew point's stability.
void LaboratoryPage::MarkStreamTrends(Stream stream, MarkerKind kind) {
    using Q = TrendQuantity;
    std::vector<Q> quantities;
    switch (stream) {
        case Stream::Dp30: quantities = {Q::DewPoint, Q::DewPointAverage}; break;
        case Stream::Qx316: quantities = {Q::Pressure, Q::PressureAverage}; break;
        case Stream::Qx310Environment: quantities = {Q::RoomTemperature, Q::RoomHumidity}; break;
        case Stream::Qx311:
            for (int c = 1; c <= EightChannelPage::kChannels; ++c) quantities.push_back(ChannelQuantity(c));
            quantities.push_back(Q::ChannelSpread);
            if (StreamFeeds(stream, LabInput::Temperature)) {
                quantities.insert(quantities.end(), {Q::Temperature, Q::TemperatureAverage});
            }
            break;
        case Stream::Qx310Temperature:
        case Stream::F250:
            if (StreamFeeds(stream, LabInput::Temperature)) quantities = {Q::Temperature, Q::TemperatureAverage};
            break;
    }
    for (Q q : quantities) MarkTrends(kind, static_cast<int>(q));
}

void LaboratoryPage::OverrideStability(const StabilitySettings& stability) {
    stability_ = stability;
    stabilityOverridden_ = true;
    Changed();
}

StabilityVerdict LaboratoryPage::Verdict(TrendQuantity quantity) const {
    return Evaluate(trends_, static_cast<int>(quantity), clock_.MonotonicMs(), stability_.For(quantity),
                    stability_.windowMs);
}

StationStability LaboratoryPage::StationVerdict(bool useDewPoint) const {
    StationStability station;
    station.stable = true;
    const bool dewPoint = useDewPoint && StreamInUse(Stream::Dp30);
    for (TrendQuantity q : {TrendQuantity::DewPoint, TrendQuantity::Temperature}) {
        if (q == TrendQuantity::DewPoint && !dewPoint) continue;
        StabilityVerdict v = Verdict(q);
        station.stable = station.stable && v.stable;
        if (v.stable) station.since = std::max(station.since, v.since);
        station.verdicts.emplace_back(q, std::move(v));
    }
    if (station.verdicts.empty()) station.stable = false;
    if (!station.stable) station.since = 0;
    return station;
}

std::string LaboratoryPage::TrendUnitText(TrendQuantity quantity) const {
    switch (QuantityInfo(quantity).unit) {
        case TrendUnit::Temperature:
        case TrendUnit::TemperatureDifference: return std::string(TemperatureUnit());
        case TrendUnit::Pressure: return std::string(PressureUnit());
        case TrendUnit::Percent: break;
    }
    return "%";
}

std::string LaboratoryPage::VerdictText(TrendQuantity quantity) const { return VerdictText(quantity, Verdict(quantity)); }

std::string LaboratoryPage::VerdictText(TrendQuantity quantity, const StabilityVerdict& verdict) const {
    return lab::VerdictText(quantity, verdict, TrendUnitText(quantity), format_.decimalSign.front(),
                            clock_.MonotonicMs(), clock_.LocalTime());
}

std::string LaboratoryPage::StationVerdictText(bool useDewPoint) const {
    return StationVerdictText(StationVerdict(useDewPoint));
}

std::string LaboratoryPage::StationVerdictText(const StationStability& station) const {
    std::vector<std::pair<TrendQuantity, StabilityVerdict>> ordered = station.verdicts;
    std::stable_partition(ordered.begin(), ordered.end(), [](const auto& qv) { return !qv.second.stable; });
    std::string text;
    for (const auto& [q, v] : ordered) {
        if (!text.empty()) text += "; ";
        text += VerdictText(q, v);
    }
    return text;
}

std::vector<TrendQuantity> LaboratoryPage::TrendQuantitiesInUse() const {
    using Q = TrendQuantity;
    std::vector<Q> out;
    if (StreamInUse(Stream::Dp30)) out.insert(out.end(), {Q::DewPoint, Q::DewPointAverage});
    out.insert(out.end(), {Q::Temperature, Q::TemperatureAverage});
    if (StreamInUse(Stream::Qx316)) out.insert(out.end(), {Q::Pressure, Q::PressureAverage});
    if (StreamInUse(Stream::Qx310Environment)) out.insert(out.end(), {Q::RoomTemperature, Q::RoomHumidity});
    if (StreamInUse(Stream::Qx311)) {
        for (int c = 1; c <= EightChannelPage::kChannels; ++c) out.push_back(ChannelQuantity(c));
        out.push_back(Q::ChannelSpread);
    }
    out.insert(out.end(), {Q::ResultDewPoint, Q::ResultHumidity, Q::ResultTemperature});
    return out;
}

const std::vector<TrendQuantity>& LaboratoryPage::JudgedQuantities() {
    using Q = TrendQuantity;
    static const std::vector<Q> judged{Q::DewPoint, Q::Temperature, Q::Pressure, Q::ResultHumidity};
    return judged;
}

TrendChart LaboratoryPage::Chart(const std::vector<TrendQuantity>& quantities, std::int64_t windowMs,
                                 std::size_t columns, std::string_view temperatureUnit, bool dated) const {
    const std::int64_t now = clock_.MonotonicMs();
    const HistorySource source(trends_, now, clock_.LocalTime());
    TrendChartRequest request;
    request.to = now + source.offset();
    request.from = request.to - windowMs;
    request.columns = columns;
    request.decimalSign = format_.decimalSign.front();
    request.trimToHistory = true;
    request.dated = dated;
    const std::string_view unit = temperatureUnit.empty() ? TemperatureUnit() : temperatureUnit;
    for (TrendQuantity q : quantities) request.lines.push_back(StationLine(q, unit, PressureUnit()));
    const std::vector<TrendQuantity>& judged = JudgedQuantities();
    for (TrendQuantity q : quantities) {
        if (std::find(judged.begin(), judged.end(), q) == judged.end()) continue;
        const StabilityVerdict verdict = Verdict(q);
        if (verdict.figures.count > 0) {
            request.bands.push_back(StabilityBand(static_cast<int>(q), verdict.figures, stability_.For(q), source.offset()));
        }
    }
    return BuildTrendChart(source, request);
}

namespace {
// Columns and lines of the printout's trend sheet.
constexpr int kNameColumn = 100;
constexpr int kDriftColumn = 500;
constexpr int kSdColumn = 880;
constexpr int kSpanColumn = 1220;
constexpr int kCountColumn = 1540;
constexpr int kLimitColumn = 1760;
constexpr int kLine = 100;
constexpr int kPaperColumns = 700;
}  // namespace

LaboratoryPage::TrendPrintout LaboratoryPage::PrintTrends(const PrintTime& printedAt,
                                                          std::vector<TrendQuantity> quantities,
                                                          std::int64_t windowMs) const {
    using Q = TrendQuantity;
    TrendPrintout out;
    // Each verdict judged once, for its figures and its line.
    std::vector<std::pair<Q, StabilityVerdict>> judged;
    for (Q q : JudgedQuantities()) {
        StabilityVerdict v = Verdict(q);
        if (v.figures.count > 0) judged.emplace_back(q, std::move(v));
    }
    if (quantities.empty()) {
        for (const auto& qv : judged) quantities.push_back(qv.first);
    }
    const std::string& sign = format_.decimalSign;
    auto cell = [&](int k, int n, std::string text) { out.cells.push_back({k, n, std::move(text)}); };

    int n = 100;
    cell(kNameColumn, n, std::string(LoadString(msg::TrendSheetCaption)));
    cell(kNameColumn, n += kLine, std::string(24, '-'));
    cell(kNameColumn, n += kLine,
         MessageText(msg::TrendSheetWindow, {std::to_string(stability_.windowMs / 60000)}));
    n += kLine;
    cell(kDriftColumn, n, std::string(LoadString(msg::TrendSheetDrift)));
    cell(kSdColumn, n, std::string(LoadString(msg::TrendSheetDeviation)));
    cell(kSpanColumn, n, std::string(LoadString(msg::TrendSheetSpan)));
    cell(kCountColumn, n, std::string(LoadString(msg::TrendSheetCount)));
    cell(kLimitColumn, n, std::string(LoadString(msg::TrendSheetLimits)));
    for (const auto& [judgedQuantity, v] : judged) {
        const Q q = judgedQuantity;  // a plain name, for the lambda below to take
        const std::string unit = TrendUnitText(q);
        const std::string difference = DifferenceUnit(q, unit);
        const StabilityCriterion& c = stability_.For(q);
        auto shown = [&](double x) {
            double value = ShownDifference(q, x, unit);
            // A drift that rounds to nothing is 0,0000, not -0,0000.
            if (std::fabs(value) < 0.00005) value = 0.0;
            return FormatFixed(value, 4, sign);
        };
        n += kLine;
        cell(kNameColumn, n, QuantityName(q));
        cell(kDriftColumn, n, shown(v.figures.drift) + " " + difference + "/min");
        cell(kSdColumn, n, shown(v.figures.standardDeviation) + " " + difference);
        cell(kSpanColumn, n, shown(v.figures.peakToPeak) + " " + difference);
        cell(kCountColumn, n, std::to_string(v.figures.count));
        cell(kLimitColumn, n, shown(c.driftLimit) + "; " + shown(c.sdLimit));
    }
    n += kLine;
    for (const auto& [q, v] : judged) cell(kNameColumn, n += kLine, VerdictText(q, v));

    // The history the screen shows, and at least the window judged.
    if (windowMs <= 0) windowMs = ChartWindowMs(settings_.labChartWindow);
    out.chart = Chart(quantities, std::max(windowMs, stability_.windowMs), kPaperColumns, {}, true);
    out.chartN = std::max(out.chartN, n + 2 * kLine);
    // The laboratory's lines stand above the trace lines, the chart above them.
    const int laboratoryLines = static_cast<int>(LaboratoryLines(settings_).size());
    out.chartHeight = 2700 - laboratoryLines * kLine - out.chartN;
    AddTraceLines(out.cells, printedAt, 2800);
    return out;
}

void LaboratoryPage::AddTraceLines(std::vector<PrintCell>& cells, const PrintTime& printedAt, int firstLine) const {
    // Every sheet says which laboratory it comes from, right above its trace.
    std::vector<std::string> laboratory = LaboratoryLines(settings_);
    int n = firstLine - static_cast<int>(laboratory.size()) * kLine;
    for (std::string& line : laboratory) {
        cells.push_back({kNameColumn, n, std::move(line)});
        n += kLine;
    }
    for (std::string& line :
         HumidityTraceLines(printedAt, engine_, settings_.formulasUncertainty != 0, format_.decimalSign)) {
        cells.push_back({kNameColumn, n, std::move(line)});
        n += kLine;
    }
}

}  // namespace wegator::lab
