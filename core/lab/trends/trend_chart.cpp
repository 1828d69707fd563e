#include "lab/trends/trend_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "lab/base/lab_messages.h"
#include "physics/units.h"
#include "text/strings.h"

namespace wegator::lab {

namespace {

constexpr std::int64_t kMinute = 60 * 1000;
constexpr std::int64_t kHour = 60 * kMinute;
constexpr std::int64_t kDay = 24 * kHour;

// The chart's own texts.
namespace id {
constexpr int kNothingRecorded = 1430;  // no reading of any line in the window
constexpr int kNothingChosen = 1431;    // no line asked for
constexpr int kMarkerFirst = 1432;      // 1432 … 1435 by MarkerKind
constexpr int kShortHistory = 1480;     // "historia krótsza niż okno: %s z %s"
}  // namespace id

constexpr std::int64_t kSecond = 1000;

// A readable length of time: "40 s", "12 min", "3 h 20 min".
std::string DurationText(std::int64_t ms) {
    const std::int64_t seconds = std::max<std::int64_t>(0, (ms + kSecond / 2) / kSecond);
    if (seconds < 60) return std::to_string(seconds) + " s";
    const std::int64_t minutes = (seconds + 30) / 60;
    if (minutes < 60) return std::to_string(minutes) + " min";
    const std::string hours = std::to_string(minutes / 60) + " h";
    return minutes % 60 == 0 ? hours : hours + " " + std::to_string(minutes % 60) + " min";
}

// A value axis keeps this share of its height free above and below the readings.
constexpr double kAxisMargin = 0.05;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

std::string ClockText(std::int64_t ms, bool seconds) {
    const CalendarTime t = CalendarFromMs(ms);
    char text[16];
    if (seconds) {
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    } else {
        std::snprintf(text, sizeof text, "%02d:%02d", t.hour, t.minute);
    }
    return text;
}

std::string DateText(std::int64_t ms) {
    const CalendarTime t = CalendarFromMs(ms);
    char text[16];
    std::snprintf(text, sizeof text, "%02d.%02d", t.day, t.month);
    return text;
}

std::string YearText(std::int64_t ms) { return std::to_string(CalendarFromMs(ms).year); }

// A number at fixed decimals with the decimal sign; never "-0,0".
std::string Number(double value, int decimals, char decimalSign) {
    const double scale = std::pow(10.0, decimals);
    if (std::round(value * scale) == 0) value = 0;
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string out(text);
    std::replace(out.begin(), out.end(), '.', decimalSign);
    return out;
}

// Columns of equal width over [from, to] as History::Query makes them, for
// points already in time order.
std::vector<Column> Decimate(const std::vector<RecordedPoint>& points, std::int64_t from, std::int64_t to,
                             std::size_t columns) {
    std::vector<Column> out;
    if (to < from || columns == 0) return out;
    const std::int64_t width = to - from + 1;
    const auto n = static_cast<std::int64_t>(columns);
    std::int64_t lastColumn = -1;
    auto it = std::lower_bound(points.begin(), points.end(), from,
                               [](const RecordedPoint& p, std::int64_t t) { return p.time < t; });
    for (; it != points.end() && it->time <= to; ++it) {
        const auto c = static_cast<std::int64_t>((static_cast<__int128>(it->time - from) * n) / width);
        if (out.empty() || lastColumn != c) {
            lastColumn = c;
            Column col;
            col.from = from + static_cast<std::int64_t>((static_cast<__int128>(c) * width + n - 1) / n);
            col.to = from + static_cast<std::int64_t>((static_cast<__int128>(c + 1) * width + n - 1) / n) - 1;
            out.push_back(col);
        }
        out.back().span.Add(it->time, it->value);
    }
    return out;
}

void ShiftSpan(Span& span, std::int64_t by) {
    span.first += by;
    span.last += by;
    span.moments.tMean += static_cast<double>(by);
}

}  // namespace

// ---------------------------------------------------------------------------
// Sources.

std::vector<Column> HistorySource::Query(int quantity, std::int64_t from, std::int64_t to,
                                         std::size_t columns) const {
    std::vector<Column> out = history_.Query(quantity, from - offset_, to - offset_, columns);
    for (Column& c : out) {
        c.from += offset_;
        c.to += offset_;
        ShiftSpan(c.span, offset_);
    }
    return out;
}

std::int64_t HistorySource::Earliest(int quantity) const {
    const std::int64_t t = history_.Earliest(quantity);
    return t < 0 ? -1 : t + offset_;
}

std::vector<Marker> HistorySource::Markers(int quantity, std::int64_t from, std::int64_t to) const {
    std::vector<Marker> out = history_.Markers(quantity, from - offset_, to - offset_);
    for (Marker& m : out) m.time += offset_;
    return out;
}

RecordedSeries* SeriesSet::FindMutable(int quantity) {
    const auto found = index_.find(quantity);
    return found == index_.end() ? nullptr : &series_[found->second];
}

const RecordedSeries* SeriesSet::Find(int quantity) const {
    const auto found = index_.find(quantity);
    return found == index_.end() ? nullptr : &series_[found->second];
}

bool SeriesSet::Add(int quantity, std::int64_t time, double value) {
    if (!std::isfinite(value)) return false;
    RecordedSeries* s = FindMutable(quantity);
    if (s == nullptr) {
        index_.emplace(quantity, series_.size());
        series_.push_back(RecordedSeries{quantity, {}});
        s = &series_.back();
    }
    if (!s->points.empty() && time < s->points.back().time) return false;
    s->points.push_back(RecordedPoint{time, value});
    return true;
}

void SeriesSet::Mark(std::int64_t time, MarkerKind kind, int quantity) {
    const Marker m{time, kind, quantity};
    // Kept in time order, so a file read out of order still charts in order.
    markers_.insert(std::upper_bound(markers_.begin(), markers_.end(), m,
                                     [](const Marker& a, const Marker& b) { return a.time < b.time; }),
                    m);
}

std::vector<Column> SeriesSet::Query(int quantity, std::int64_t from, std::int64_t to, std::size_t columns) const {
    const RecordedSeries* s = Find(quantity);
    if (s == nullptr) return {};
    return Decimate(s->points, from, to, columns);
}

std::vector<Marker> SeriesSet::Markers(int quantity, std::int64_t from, std::int64_t to) const {
    std::vector<Marker> out;
    for (const Marker& m : markers_) {
        if (m.time >= from && m.time <= to && (m.quantity == quantity || m.quantity == kAllQuantities)) {
            out.push_back(m);
        }
    }
    return out;
}

std::int64_t SeriesSet::Earliest(int quantity) const {
    const RecordedSeries* s = Find(quantity);
    return s == nullptr || s->points.empty() ? -1 : s->points.front().time;
}

std::int64_t SeriesSet::UsualInterval(int quantity) const {
    const RecordedSeries* s = Find(quantity);
    if (s == nullptr || s->points.size() < 2) return 0;
    std::vector<std::int64_t> steps;
    steps.reserve(s->points.size() - 1);
    for (std::size_t i = 1; i < s->points.size(); ++i) steps.push_back(s->points[i].time - s->points[i - 1].time);
    auto middle = steps.begin() + static_cast<std::ptrdiff_t>(steps.size() / 2);
    std::nth_element(steps.begin(), middle, steps.end());
    return *middle;
}

std::vector<int> SeriesSet::Quantities() const {
    std::vector<int> out;
    for (const RecordedSeries& s : series_) {
        if (!s.points.empty()) out.push_back(s.quantity);
    }
    return out;
}

std::int64_t SeriesSet::Earliest() const {
    std::int64_t out = -1;
    for (const RecordedSeries& s : series_) {
        if (!s.points.empty() && (out < 0 || s.points.front().time < out)) out = s.points.front().time;
    }
    return out;
}

std::int64_t SeriesSet::Latest() const {
    std::int64_t out = -1;
    for (const RecordedSeries& s : series_) {
        if (!s.points.empty() && s.points.back().time > out) out = s.points.back().time;
    }
    return out;
}

bool SeriesSet::empty() const { return Earliest() < 0; }

// ---------------------------------------------------------------------------
// Lines and band.

TrendLine StationLine(TrendQuantity quantity, std::string_view temperatureUnit, std::string_view pressureUnit) {
    const TrendQuantityInfo& info = QuantityInfo(quantity);
    TrendLine line;
    line.quantity = static_cast<int>(quantity);
    line.label = QuantityName(quantity);
    switch (info.unit) {
        case TrendUnit::Temperature: {
            line.unit = std::string(temperatureUnit);
            line.convert = [unit = line.unit](double c) { return TemperatureFromCelsius(c, unit); };
            // A dew point of 10 °C and an air temperature of 20 °C on one axis
            // would both be flat lines: each keeps a panel of its own (its
            // reading, average and result together), the channels one for all.
            if (info.kind == StabilityQuantity::DewOrFrostPoint) {
                line.panel = "DP " + line.unit;
            } else if (quantity >= TrendQuantity::Channel1 && quantity <= TrendQuantity::Channel8) {
                line.panel = "CH " + line.unit;
            }
            break;
        }
        case TrendUnit::TemperatureDifference: {
            // A spread of a few hundredths on the axis of 20 °C would be a flat
            // line: it gets a panel of its own.
            const std::string unit(temperatureUnit);
            line.unit = unit == kTemperatureUnits[2] ? unit : "K";
            line.panel = "Δ" + line.unit;
            line.convert = [unit](double k) { return TemperatureDifferenceFromCelsius(k, unit); };
            break;
        }
        case TrendUnit::Pressure: {
            const std::string unit(pressureUnit);
            // "hPa, mbar" names two units for a list; a chart says the first.
            line.unit = unit.substr(0, unit.find(','));
            line.convert = [unit](double kPa) { return PressureFromKilopascal(kPa, unit); };
            break;
        }
        case TrendUnit::Percent: line.unit = "%"; break;
    }
    return line;
}

TrendBandRequest StabilityBand(int quantity, const StabilityFigures& figures, const StabilityCriterion& criterion,
                               std::int64_t offsetMs) {
    TrendBandRequest band;
    band.quantity = quantity;
    band.from = figures.from + offsetMs;
    band.to = figures.to + offsetMs;
    band.low = figures.mean - criterion.sdLimit;
    band.high = figures.mean + criterion.sdLimit;
    return band;
}

// ---------------------------------------------------------------------------
// Time ticks.

std::int64_t ChartWindowMs(int window) {
    static constexpr std::int64_t kMinutes[kChartWindows] = {10, 60, 8 * 60, 24 * 60};
    return kMinutes[window >= 0 && window < kChartWindows ? window : 0] * kMinute;
}

TimeAxis TimeTicks(std::int64_t from, std::int64_t to, int maxIntervals, bool dated) {
    static constexpr std::int64_t kSteps[] = {kSecond,      2 * kSecond, 5 * kSecond, 10 * kSecond, 15 * kSecond,
                                              30 * kSecond, kMinute,     2 * kMinute, 5 * kMinute, 10 * kMinute,
                                              15 * kMinute, 30 * kMinute, kHour,      2 * kHour,
                                              3 * kHour,    6 * kHour,    12 * kHour, kDay};
    TimeAxis axis;
    if (to <= from) return axis;
    const std::int64_t span = to - from;
    const std::int64_t intervals = std::max(1, maxIntervals);
    axis.stepMs = 0;
    for (std::int64_t s : kSteps) {
        if (span / s <= intervals) {
            axis.stepMs = s;
            break;
        }
    }
    // Files of weeks: whole days at 2, 5, 10 × 10^k.
    for (std::int64_t decade = 1; axis.stepMs == 0; decade *= 10) {
        for (std::int64_t k : {2, 5, 10}) {
            if (axis.stepMs == 0 && span / (k * decade * kDay) <= intervals) axis.stepMs = k * decade * kDay;
        }
    }
    const bool dayStep = axis.stepMs >= kDay;
    const bool seconds = axis.stepMs < kMinute;
    std::int64_t previousDay = FloorDiv(from, kDay);
    bool first = true;
    for (std::int64_t t = FloorDiv(from + axis.stepMs - 1, axis.stepMs) * axis.stepMs; t <= to; t += axis.stepMs) {
        TimeTick tick;
        tick.time = t;
        const std::int64_t day = FloorDiv(t, kDay);
        if (dayStep) {
            tick.label = DateText(t);
            if (first && dated) tick.date = YearText(t);
        } else {
            tick.label = ClockText(t, seconds);
            if (first && dated) {
                tick.date = DateText(t) + "." + YearText(t);
            } else if (day != previousDay || (first && span >= kDay)) {
                tick.date = DateText(t);
            }
        }
        previousDay = day;
        first = false;
        axis.ticks.push_back(std::move(tick));
    }
    return axis;
}

// ---------------------------------------------------------------------------
// The chart.

namespace {

// The panel's axis and its labels, with the decimals its step needs.
void ApplyAxis(ChartPanel& panel, ChartAxis axis, char decimalSign, const std::vector<bool>& labelled) {
    panel.axis = std::move(axis);
    const int decimals = DecimalsOf(panel.axis.step);
    panel.decimals = std::min(decimals + 1, 6);
    panel.tickLabels.clear();
    panel.tickLabels.reserve(panel.axis.ticks.size());
    for (std::size_t i = 0; i < panel.axis.ticks.size(); ++i) {
        const bool shown = i >= labelled.size() || labelled[i];
        panel.tickLabels.push_back(shown ? Number(panel.axis.ticks[i], decimals, decimalSign) : std::string());
    }
}

// The usual time between readings judged by the columns themselves: the
// median step from one column's last reading to the next one's first.
std::int64_t UsualStep(const std::vector<Column>& columns) {
    std::vector<std::int64_t> steps;
    steps.reserve(columns.size());
    for (std::size_t i = 1; i < columns.size(); ++i) {
        const std::int64_t step = columns[i].span.first - columns[i - 1].span.last;
        if (step > 0) steps.push_back(step);
    }
    if (steps.empty()) return 0;
    auto middle = steps.begin() + static_cast<std::ptrdiff_t>(steps.size() / 2);
    std::nth_element(steps.begin(), middle, steps.end());
    return *middle;
}

}  // namespace

TrendChart BuildTrendChart(const TrendSource& source, const TrendChartRequest& request) {
    TrendChart chart;
    chart.title = request.title;
    chart.from = request.from;
    chart.to = std::max(request.to, request.from + 1);
    chart.columns = std::max<std::size_t>(request.columns, 1);
    chart.decimalSign = request.decimalSign;
    chart.cursor = request.cursor;

    // A window longer than the history: the chart starts a little before the
    // first reading, so the readings fill it, and says the window is not full.
    if (request.trimToHistory) {
        std::int64_t earliest = -1;
        for (const TrendLine& line : request.lines) {
            const std::int64_t t = source.Earliest(line.quantity);
            if (t >= 0 && (earliest < 0 || t < earliest)) earliest = t;
        }
        const std::int64_t window = chart.to - chart.from;
        if (earliest >= 0 && earliest < chart.to && earliest - chart.from > window / 20) {
            const std::int64_t held = chart.to - earliest;
            chart.from = std::min(earliest - held / 50, chart.to - kMinute);
            chart.note = MessageText(id::kShortHistory, {DurationText(held), DurationText(window)});
        }
    }

    // A narrow chart gets fewer ticks so that "HH:MM" labels do not collide.
    const TimeAxis timeAxis = TimeTicks(chart.from, chart.to,
                                        static_cast<int>(std::clamp<std::size_t>(chart.columns / 80, 2, 8)), request.dated);
    chart.tickStepMs = timeAxis.stepMs;
    chart.ticks = timeAxis.ticks;

    if (request.lines.empty()) {
        chart.emptyText = std::string(LoadString(id::kNothingChosen));
        chart.note.clear();
        return chart;
    }

    // Lines into panels by unit, in the order the units first come.
    struct Range {
        double min = std::numeric_limits<double>::infinity();
        double max = -std::numeric_limits<double>::infinity();
        bool Empty() const { return min > max; }
        void Hold(double low, double high) {
            min = std::min(min, low);
            max = std::max(max, high);
        }
    };
    // A recorded file may give each of thousands of columns a panel of its
    // own: each key is looked up, not searched for.
    std::unordered_map<std::string, std::size_t> panelOfKey;
    std::vector<Range> ranges;
    std::vector<int> markerLines;
    for (std::size_t i = 0; i < request.lines.size(); ++i) {
        const TrendLine& in = request.lines[i];
        const auto [key, added] = panelOfKey.emplace(in.PanelKey(), chart.panels.size());
        const std::size_t p = key->second;
        if (added) {
            ranges.emplace_back();
            chart.panels.emplace_back();
            chart.panels.back().unit = in.unit;
        }
        ChartPanel& panel = chart.panels[p];
        ChartLine line;
        line.quantity = in.quantity;
        line.label = in.label;
        line.unit = in.unit;
        line.colour = static_cast<int>(i);
        const auto hueTaken = [&](int colour) {
            return std::any_of(panel.lines.begin(), panel.lines.end(),
                               [&](const ChartLine& l) { return l.colour % kLineHues == colour % kLineHues; });
        };
        if (panel.lines.size() < static_cast<std::size_t>(kLineHues)) {
            while (hueTaken(line.colour)) ++line.colour;
        }
        const std::vector<Column> columns = source.Query(in.quantity, chart.from, chart.to, chart.columns);
        const std::vector<Marker> markers = source.Markers(in.quantity, chart.from, chart.to);
        std::int64_t usual = source.UsualInterval(in.quantity);
        if (usual <= 0) usual = UsualStep(columns);
        const double gapLimit = request.gapFactor * static_cast<double>(usual);
        line.columns.reserve(columns.size());
        Range& range = ranges[p];
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const Column& col = columns[c];
            ChartColumn out;
            out.from = col.from;
            out.to = col.to;
            out.count = col.span.Count();
            out.min = col.span.min;
            out.max = col.span.max;
            out.mean = col.span.Mean();
            if (in.convert) {
                out.min = in.convert(out.min);
                out.max = in.convert(out.max);
                out.mean = in.convert(out.mean);
                if (out.min > out.max) std::swap(out.min, out.max);
            }
            if (c > 0) {
                const std::int64_t last = columns[c - 1].span.last;
                const std::int64_t first = col.span.first;
                const bool marked = std::any_of(markers.begin(), markers.end(), [&](const Marker& m) {
                    return m.time >= last && m.time < first;
                });
                out.joined = !marked && !(usual > 0 && static_cast<double>(first - last) > gapLimit);
            }
            range.Hold(out.min, out.max);
            line.columns.push_back(out);
        }
        if (!line.columns.empty()) markerLines.push_back(in.quantity);
        for (const TrendBandRequest& band : request.bands) {
            if (band.quantity != in.quantity) continue;
            const std::int64_t from = std::max(band.from, chart.from);
            const std::int64_t to = std::min(band.to, chart.to);
            if (from > to) continue;
            double low = band.low;
            double high = band.high;
            if (in.convert) {
                low = in.convert(low);
                high = in.convert(high);
            }
            panel.bands.push_back(ChartBand{panel.lines.size(), from, to, std::min(low, high), std::max(low, high)});
        }
        panel.lines.push_back(std::move(line));
    }

    // A panel with nothing recorded in the window says nothing; the chart with
    // no panel left says so in words.
    std::size_t kept = 0;
    for (std::size_t p = 0; p < chart.panels.size(); ++p) {
        if (ranges[p].Empty()) continue;
        if (kept != p) {
            chart.panels[kept] = std::move(chart.panels[p]);
            ranges[kept] = ranges[p];
        }
        ++kept;
    }
    chart.panels.resize(kept);
    ranges.resize(kept);
    if (chart.panels.empty()) {
        chart.emptyText = std::string(LoadString(id::kNothingRecorded));
        chart.note.clear();
        return chart;
    }

    for (std::size_t p = 0; p < chart.panels.size(); ++p) {
        ChartPanel& panel = chart.panels[p];
        // The band stays in sight even when the readings are far from it.
        for (const ChartBand& band : panel.bands) ranges[p].Hold(band.low, band.high);
        panel.dataLow = ranges[p].min;
        panel.dataHigh = ranges[p].max;
        ApplyAxis(panel, MarginAxis(panel.dataLow, panel.dataHigh, 8, kAxisMargin), chart.decimalSign, {});
    }

    // Markers of the lines shown: the station's once, each line's own once.
    for (int q : markerLines) {
        for (const Marker& m : source.Markers(q, chart.from, chart.to)) {
            const bool known = std::any_of(chart.markers.begin(), chart.markers.end(), [&](const ChartMarker& c) {
                return c.time == m.time && c.kind == m.kind;
            });
            if (known) continue;
            const auto kind = static_cast<std::size_t>(m.kind);
            ChartMarker marker;
            marker.time = m.time;
            marker.kind = m.kind;
            marker.label = request.markerLabels[kind].empty()
                               ? std::string(LoadString(id::kMarkerFirst + static_cast<int>(kind)))
                               : request.markerLabels[kind];
            chart.markers.push_back(std::move(marker));
        }
    }
    std::stable_sort(chart.markers.begin(), chart.markers.end(),
                     [](const ChartMarker& a, const ChartMarker& b) { return a.time < b.time; });
    return chart;
}

// ---------------------------------------------------------------------------
// The cursor.

TrendCursor CursorReadout(const TrendChart& chart, std::int64_t time) {
    TrendCursor cursor;
    cursor.time = std::clamp(time, chart.from, chart.to);
    cursor.timeLabel = ClockText(cursor.time, true);
    // Beyond a line's first or last reading by more than this, the line has no
    // value there: the last reading of an hour ago is not the value now.
    const std::int64_t columnWidth = (chart.to - chart.from) / static_cast<std::int64_t>(std::max<std::size_t>(chart.columns, 1));
    const std::int64_t reach = columnWidth + (chart.to - chart.from) / 100;
    for (const ChartPanel& panel : chart.panels) {
        for (const ChartLine& line : panel.lines) {
            CursorValue value;
            value.quantity = line.quantity;
            value.label = line.label;
            value.unit = line.unit;
            value.colour = line.colour;
            const auto& cols = line.columns;
            if (!cols.empty() && cursor.time >= cols.front().from - reach && cursor.time <= cols.back().to + reach) {
                auto next = std::lower_bound(cols.begin(), cols.end(), cursor.time,
                                             [](const ChartColumn& c, std::int64_t t) { return c.to < t; });
                const auto distance = [&](const ChartColumn& c) {
                    return cursor.time < c.from ? c.from - cursor.time : cursor.time > c.to ? cursor.time - c.to : 0;
                };
                const ChartColumn* best = nullptr;
                if (next != cols.end()) best = &*next;
                if (next != cols.begin() && (best == nullptr || distance(*(next - 1)) < distance(*best))) {
                    best = &*(next - 1);
                }
                value.value = best->mean;
            }
            value.text = value.value ? Number(*value.value, panel.decimals, chart.decimalSign) + " " + line.unit
                                     : std::string("—");
            cursor.values.push_back(std::move(value));
        }
    }
    return cursor;
}

// ---------------------------------------------------------------------------
// Layout and mapping.

int ChartLayout::PanelAt(double px, double py) const {
    for (std::size_t i = 0; i < panels.size(); ++i) {
        if (panels[i].Contains(px, py)) return static_cast<int>(i);
    }
    return -1;
}

ChartLayout LayoutTrendChart(const TrendChart& chart, const ChartRect& area, const ChartTextMetrics& text) {
    ChartLayout layout;
    const double h = text.lineHeight;
    double top = area.y;
    layout.title = ChartRect{area.x, top, area.width, chart.title.empty() ? 0.0 : 1.4 * h};
    top += layout.title.height;
    layout.legend = ChartRect{area.x, top, area.width, chart.Empty() ? 0.0 : text.legendHeight + 0.3 * h};
    top += layout.legend.height;
    layout.note = ChartRect{area.x, top, area.width, chart.note.empty() || chart.Empty() ? 0.0 : 1.2 * h};
    top += layout.note.height;

    // Room on the left for the value labels, on the right for half the last
    // time label, below for the clock and the date.
    const double left = area.x + text.labelWidth + 0.6 * h;
    const double right = area.Right() - 1.6 * h;
    const double bottomLabels = 2.3 * h;
    const double plotWidth = std::max(1.0, right - left);
    layout.timeLabels = ChartRect{left, area.Bottom() - bottomLabels, plotWidth, bottomLabels};
    const std::size_t n = chart.panels.size();
    if (n == 0) return layout;
    // Each panel's unit sits above its plot, so every plot starts below a line of text.
    // (the plot's top value label reaches half a line above the plot).
    const double unitLine = 1.6 * h;
    const double gap = 0.5 * h;
    const double available = layout.timeLabels.y - top - static_cast<double>(n) * unitLine - static_cast<double>(n - 1) * gap;
    const double plotHeight = std::max(1.0, available / static_cast<double>(n));
    for (std::size_t i = 0; i < n; ++i) {
        top += unitLine;
        layout.panels.push_back(ChartRect{left, top, plotWidth, plotHeight});
        top += plotHeight + gap;
    }
    return layout;
}

void FitTrendChart(TrendChart& chart, const ChartLayout& layout, double labelHeight) {
    for (std::size_t p = 0; p < chart.panels.size() && p < layout.panels.size(); ++p) {
        ChartPanel& panel = chart.panels[p];
        const double height = layout.panels[p].height;
        ChartAxis axis = MarginAxis(panel.dataLow, panel.dataHigh, TicksThatFit(height, labelHeight), kAxisMargin);
        const std::vector<bool> labelled = LabelledTicks(axis, height, labelHeight);
        ApplyAxis(panel, std::move(axis), chart.decimalSign, labelled);
        panel.fittedHeight = height;
        panel.fittedLabelHeight = labelHeight;
    }
}

bool FittedTo(const TrendChart& chart, const ChartLayout& layout, double labelHeight) {
    for (std::size_t p = 0; p < chart.panels.size() && p < layout.panels.size(); ++p) {
        const ChartPanel& panel = chart.panels[p];
        if (std::abs(panel.fittedHeight - layout.panels[p].height) > 0.5 || panel.fittedLabelHeight != labelHeight) {
            return false;
        }
    }
    return true;
}

std::vector<MarkerLabelPlace> PlaceMarkerLabels(const TrendChart& chart, const ChartRect& plot,
                                                const std::vector<double>& widths, double lineHeight,
                                                double countWidth) {
    std::vector<MarkerLabelPlace> places(chart.markers.size());
    const double h = lineHeight;
    const double pad = 0.2 * h;
    // Rows down to a quarter of the plot at most, so the labels leave the lines in sight.
    const auto rows = static_cast<std::size_t>(std::clamp(std::floor(plot.height / (4 * h)), 1.0, 3.0));
    std::vector<double> rowEnd(rows, -std::numeric_limits<double>::infinity());
    const double span = static_cast<double>(std::max<std::int64_t>(chart.to - chart.from, 1));
    std::size_t lastShown = places.size();
    for (std::size_t i = 0; i < chart.markers.size(); ++i) {
        const double x = plot.x + static_cast<double>(chart.markers[i].time - chart.from) / span * plot.width;
        const double width = (i < widths.size() ? widths[i] : 0.0) + countWidth + 0.2 * h;
        double left = x + pad;
        if (left + width > plot.Right()) left = x - pad - width;
        left = std::max(left, plot.x);
        MarkerLabelPlace& place = places[i];
        for (std::size_t r = 0; r < rows; ++r) {
            if (left < rowEnd[r] + pad) continue;
            place.shown = true;
            place.x = left;
            place.y = plot.y + 0.1 * h + static_cast<double>(r) * h;
            place.width = width;
            rowEnd[r] = left + width;
            lastShown = i;
            break;
        }
        if (!place.shown && lastShown < places.size()) ++places[lastShown].hidden;
    }
    return places;
}

ChartMapping::ChartMapping(std::int64_t from, std::int64_t to, const ChartAxis& axis, const ChartRect& plot)
    : from_(from), to_(std::max(to, from + 1)), low_(axis.low), high_(axis.high > axis.low ? axis.high : axis.low + 1),
      plot_(plot) {}

double ChartMapping::X(std::int64_t time) const {
    return plot_.x + static_cast<double>(time - from_) / static_cast<double>(to_ - from_) * plot_.width;
}

std::int64_t ChartMapping::Time(double x) const {
    const double f = plot_.width > 0 ? (x - plot_.x) / plot_.width : 0.0;
    const auto t = from_ + static_cast<std::int64_t>(std::llround(f * static_cast<double>(to_ - from_)));
    return std::clamp(t, from_, to_);
}

double ChartMapping::Y(double value) const { return plot_.Bottom() - (value - low_) / (high_ - low_) * plot_.height; }

double ChartMapping::Value(double y) const {
    return plot_.height > 0 ? low_ + (plot_.Bottom() - y) / plot_.height * (high_ - low_) : low_;
}

}  // namespace wegator::lab
