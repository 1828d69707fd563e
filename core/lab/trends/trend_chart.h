// A trend chart as numbers: which readings fall into which pixel column, in
// which unit, on which value axis and under which time ticks, where the
// restarts and the stability band lie, and what the cursor reads. The screen,
// the printout and an exported picture draw the same chart; they only map
// these numbers to their pixels (chart/trend_painter.h), so everything a user
// can read off a chart is worked out, and tested, here.
//
// Time on a chart is the local calendar in milliseconds (CalendarMs), so ticks
// fall on round wall-clock times. The station's history counts the monotonic
// clock; HistorySource places it on the calendar. Readings recorded in a file
// already carry calendar times; SeriesSet holds them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "lab/trends/history.h"
#include "lab/trends/stability.h"
#include "lab/base/station_time.h"
#include "lab/trends/trend.h"

namespace wegator::lab {

// ---------------------------------------------------------------------------
// Where a chart's readings come from, in chart time.

class TrendSource {
public:
    virtual ~TrendSource() = default;
    // The readings of `quantity` in [from, to] folded into at most `columns`
    // columns of equal width, empty ones left out (as History::Query).
    virtual std::vector<Column> Query(int quantity, std::int64_t from, std::int64_t to, std::size_t columns) const = 0;
    // The markers in [from, to] that concern `quantity`, in time order.
    virtual std::vector<Marker> Markers(int quantity, std::int64_t from, std::int64_t to) const = 0;
    // The time of the earliest reading of `quantity` held, -1 when none.
    virtual std::int64_t Earliest(int quantity) const = 0;
    // The usual time between two readings of `quantity`, 0 when the source
    // cannot tell (the chart then judges by its columns).
    virtual std::int64_t UsualInterval(int /*quantity*/) const { return 0; }
};

// The station's history on the calendar: chart time = monotonic time + offset.
class HistorySource : public TrendSource {
public:
    HistorySource(const History& history, std::int64_t offsetMs) : history_(history), offset_(offsetMs) {}
    // The offset from the clock's "now" on both scales (see ChartTime).
    HistorySource(const History& history, std::int64_t nowMonotonicMs, const CalendarTime& nowCalendar)
        : HistorySource(history, CalendarMs(nowCalendar) - nowMonotonicMs) {}

    std::vector<Column> Query(int quantity, std::int64_t from, std::int64_t to, std::size_t columns) const override;
    std::vector<Marker> Markers(int quantity, std::int64_t from, std::int64_t to) const override;
    std::int64_t Earliest(int quantity) const override;
    std::int64_t offset() const { return offset_; }

private:
    const History& history_;
    std::int64_t offset_;
};

// One reading recorded in a file: its calendar time and value (°C, kPa, %).
struct RecordedPoint {
    std::int64_t time = 0;  // chart time, ms
    double value = 0;

    bool operator==(const RecordedPoint&) const = default;
};

// The readings of one quantity, in time order.
struct RecordedSeries {
    int quantity = 0;
    std::vector<RecordedPoint> points;
};

// Series read back from a file (a data file, a run's record), with the
// restarts found in it; the same columns as the live history gives.
class SeriesSet : public TrendSource {
public:
    // Keeps one reading of `quantity`. False (and nothing kept) when it is older
    // than the series' latest reading or not finite.
    bool Add(int quantity, std::int64_t time, double value);
    // A restart at `time` for one quantity or, with kAllQuantities, for all.
    void Mark(std::int64_t time, MarkerKind kind, int quantity = kAllQuantities);

    std::vector<Column> Query(int quantity, std::int64_t from, std::int64_t to, std::size_t columns) const override;
    std::vector<Marker> Markers(int quantity, std::int64_t from, std::int64_t to) const override;
    std::int64_t Earliest(int quantity) const override;
    // The median time between consecutive readings of the series.
    std::int64_t UsualInterval(int quantity) const override;

    // The series of a quantity, nullptr when it has none.
    const RecordedSeries* Find(int quantity) const;
    // The quantities that have readings, in the order they first came.
    std::vector<int> Quantities() const;
    // The earliest and latest reading of all series; -1 when there is none.
    std::int64_t Earliest() const;
    std::int64_t Latest() const;
    bool empty() const;

    const std::vector<RecordedSeries>& series() const { return series_; }
    const std::vector<Marker>& markers() const { return markers_; }

private:
    RecordedSeries* FindMutable(int quantity);

    std::vector<RecordedSeries> series_;
    // Where each quantity's series is: a recorded file may bring thousands.
    std::unordered_map<int, std::size_t> index_;
    std::vector<Marker> markers_;
};

// ---------------------------------------------------------------------------
// What to show.

// One line of a chart. Values are stored in °C, kPa or %; `convert` turns one
// into the unit shown (empty: shown as stored). Lines whose `panel` (the unit
// text when empty) is the same share a panel and its value axis.
struct TrendLine {
    int quantity = 0;  // the id in the source
    std::string label;
    std::string unit;  // "°C", "hPa, mbar", "%", …
    std::function<double(double)> convert;
    std::string panel;

    const std::string& PanelKey() const { return panel.empty() ? unit : panel; }
};

// A station quantity as the page shows it: its name, its unit text and the
// conversion from the stored unit. `temperatureUnit` and `pressureUnit` are
// texts of kTemperatureUnits and kPressureUnits ("°C", "°K", "°F"; "kPa", "hPa,
// mbar", …). A temperature difference (the channels' spread) is shown in K
// (°F difference under °F) on a panel of its own.
TrendLine StationLine(TrendQuantity quantity, std::string_view temperatureUnit, std::string_view pressureUnit);

// The stability criterion of one line drawn over its window: [from, to] in
// chart time (the window ending now) and [low, high] in the stored unit (the
// window's mean ± the standard-deviation limit), converted as the line is.
struct TrendBandRequest {
    int quantity = 0;
    std::int64_t from = 0;
    std::int64_t to = 0;
    double low = 0;
    double high = 0;
};

// The band of a quantity's stability window now: figures of the window ending
// at `now` (monotonic, as History), its mean ± the criterion's SD limit, placed
// on the calendar by `offsetMs` (HistorySource::offset).
TrendBandRequest StabilityBand(int quantity, const StabilityFigures& figures, const StabilityCriterion& criterion,
                               std::int64_t offsetMs);

// The time windows a live chart offers, ending now: 10 min, 1 h, 8 h, 24 h
// by their index in the settings (labChartWindow); another index is 0.
inline constexpr int kChartWindows = 4;
std::int64_t ChartWindowMs(int window);

struct TrendChartRequest {
    std::string title;
    std::vector<TrendLine> lines;
    std::int64_t from = 0;  // chart time, ms
    std::int64_t to = 0;
    std::size_t columns = 0;  // pixel columns across the plot
    // The criterion bands, one for each quantity judged (a band of a quantity
    // not drawn is left out).
    std::vector<TrendBandRequest> bands;
    // A window longer than the history held starts at its first reading and
    // says so (the live chart); a recorded file is drawn over what it asks.
    bool trimToHistory = false;
    // The first time tick carries the whole date (a recorded file, paper),
    // not only a tick where the day changes.
    bool dated = false;
    // Readings further apart than this many usual intervals are a gap in the
    // line, not a bridge (a lost instrument, a skipped record). A file is
    // written at a steady pace; an instrument's readings come less evenly.
    double gapFactor = 3.0;
    // Marker labels by MarkerKind; an empty one takes the program's own text.
    std::array<std::string, 4> markerLabels;
    char decimalSign = ',';
    // The cursor, chart time, when one is to be drawn.
    std::optional<std::int64_t> cursor;
};

// ---------------------------------------------------------------------------
// The chart.

// A tick of the time axis: "HH:MM", with the date "dd.MM" where the day
// changes (and at the first tick of a chart longer than a day). Steps of a
// whole day show the date alone as the label.
struct TimeTick {
    std::int64_t time = 0;
    std::string label;
    std::string date;  // empty unless the day changes here

    bool operator==(const TimeTick&) const = default;
};

// One pixel column of a line, in the unit shown.
struct ChartColumn {
    std::int64_t from = 0;  // chart time, ms
    std::int64_t to = 0;
    double min = 0;
    double max = 0;
    double mean = 0;
    std::int64_t count = 0;
    // False where a gap or a restart lies between this column and the one
    // before: the line breaks there.
    bool joined = true;
};

// The colours a painter has for lines. A line's colour c is hue c % kLineHues;
// c / kLineHues tells lines of one hue apart (a dashed pen) when a panel has
// more lines than hues.
inline constexpr int kLineHues = 20;

struct ChartLine {
    int quantity = 0;
    std::string label;
    std::string unit;
    // By the line's place in the request, moved on to a hue its panel does
    // not show yet: no two lines of a panel alike.
    int colour = 0;
    std::vector<ChartColumn> columns;
};

// A criterion band in its panel, in the unit shown.
struct ChartBand {
    std::size_t line = 0;  // index into the panel's lines
    std::int64_t from = 0;
    std::int64_t to = 0;
    double low = 0;
    double high = 0;
};

struct ChartPanel {
    std::string unit;
    ChartAxis axis;
    std::vector<std::string> tickLabels;  // one per axis tick, with the decimal sign; empty where left out
    int decimals = 0;                     // for values read off this panel
    std::vector<ChartLine> lines;
    std::vector<ChartBand> bands;
    // What the axis must hold: every reading and band.
    double dataLow = 0;
    double dataHigh = 0;
    // The plot and label heights the axis was fitted to (FitTrendChart); 0
    // before it was.
    double fittedHeight = 0;
    double fittedLabelHeight = 0;
};

struct ChartMarker {
    std::int64_t time = 0;
    MarkerKind kind = MarkerKind::SettingsChanged;
    std::string label;
};

struct TrendChart {
    std::string title;
    std::int64_t from = 0;
    std::int64_t to = 0;
    std::size_t columns = 0;
    std::int64_t tickStepMs = 0;
    std::vector<TimeTick> ticks;
    std::vector<ChartPanel> panels;  // top to bottom
    std::vector<ChartMarker> markers;
    std::optional<std::int64_t> cursor;
    char decimalSign = ',';
    // Said in place of the chart when there is nothing to show.
    std::string emptyText;
    // Said above the plots: the history is shorter than the window asked.
    std::string note;

    bool Empty() const { return !emptyText.empty(); }
};

TrendChart BuildTrendChart(const TrendSource& source, const TrendChartRequest& request);

// The time ticks of [from, to] at a round local-time step (1, 2, 5, 10, 15, 30
// min, 1, 2, 3, 6, 12 h, 1 day): the smallest step that leaves no more than
// `maxIntervals` steps across the range.
struct TimeAxis {
    std::int64_t stepMs = 0;
    std::vector<TimeTick> ticks;
};
// Below a minute, 1, 2, 5, 10, 15 or 30 s, labelled "HH:MM:SS". `dated`: the
// first tick carries the whole date ("dd.MM.yyyy").
TimeAxis TimeTicks(std::int64_t from, std::int64_t to, int maxIntervals = 8, bool dated = false);

// What the cursor reads at `time`: the time ("HH:MM:SS") and, for each line,
// the mean of its column nearest that time, in its unit, with the decimal sign
// ("-12,345 °C"); no value where the line has no column.
struct CursorValue {
    int quantity = 0;
    std::string label;
    std::string unit;
    int colour = 0;
    std::optional<double> value;
    std::string text;  // value and unit, or "—"
};
struct TrendCursor {
    std::int64_t time = 0;
    std::string timeLabel;
    std::vector<CursorValue> values;
};
TrendCursor CursorReadout(const TrendChart& chart, std::int64_t time);

// ---------------------------------------------------------------------------
// From numbers to a drawing: where each panel's plot lies in an area, and time
// ↔ x, value ↔ y inside a plot. The painter and the widget's mouse both use
// these, so a cursor lands where the line is drawn.

struct ChartRect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    double Right() const { return x + width; }
    double Bottom() const { return y + height; }
    bool Contains(double px, double py) const { return px >= x && px <= Right() && py >= y && py <= Bottom(); }
};

// The measures of the text a chart is drawn with, in the device's pixels.
struct ChartTextMetrics {
    double lineHeight = 14;  // one line of text
    double labelWidth = 40;  // the widest value-axis label with its unit
    double legendHeight = 14;
};

struct ChartLayout {
    ChartRect title;                 // empty height when the chart has no title
    ChartRect legend;
    ChartRect note;                  // empty height when the chart has no note
    std::vector<ChartRect> panels;   // the plots, top to bottom, sharing x and width
    ChartRect timeLabels;            // below the last plot
    // The panel whose plot holds the point, -1 when none.
    int PanelAt(double px, double py) const;
};

ChartLayout LayoutTrendChart(const TrendChart& chart, const ChartRect& area, const ChartTextMetrics& text);

// Each panel's value axis for the height its plot got: as many ticks as
// labels `labelHeight` tall can show apart, a margin above and below the
// readings, labels that would touch left out. The layout's heights do not
// depend on the axes, so a chart laid out again after this keeps them.
void FitTrendChart(TrendChart& chart, const ChartLayout& layout, double labelHeight);
// Whether the chart's axes were fitted to this layout and label height.
bool FittedTo(const TrendChart& chart, const ChartLayout& layout, double labelHeight);

// Where the markers' labels go in the first plot: along its top in rows, a
// label never over another. A label with no room left in any row is left
// out and counted on the label shown before it (`hidden`).
struct MarkerLabelPlace {
    bool shown = false;
    double x = 0;  // the label's box, `width` from the painter plus room for a count
    double y = 0;
    double width = 0;
    int hidden = 0;  // labels left out after this one, up to the next shown
};
// `widths`: each marker's label width; `countWidth`: the room a count takes.
std::vector<MarkerLabelPlace> PlaceMarkerLabels(const TrendChart& chart, const ChartRect& plot,
                                                const std::vector<double>& widths, double lineHeight,
                                                double countWidth);

class ChartMapping {
public:
    ChartMapping(std::int64_t from, std::int64_t to, const ChartAxis& axis, const ChartRect& plot);
    ChartMapping(const TrendChart& chart, const ChartPanel& panel, const ChartRect& plot)
        : ChartMapping(chart.from, chart.to, panel.axis, plot) {}

    double X(std::int64_t time) const;
    std::int64_t Time(double x) const;  // clamped to [from, to]
    double Y(double value) const;
    double Value(double y) const;
    const ChartRect& plot() const { return plot_; }

private:
    std::int64_t from_;
    std::int64_t to_;
    double low_;
    double high_;
    ChartRect plot_;
};

}  // namespace wegator::lab
