#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "lab/trends/trend_chart.h"

using namespace wegator::lab;
using wegator::LabelledTicks;
using wegator::MarginAxis;
using wegator::TicksThatFit;

namespace {

constexpr std::int64_t kSecond = 1000;
constexpr std::int64_t kMinute = 60 * kSecond;
constexpr std::int64_t kHour = 60 * kMinute;

// Monday 6 May 2024 as the wall clock reads it.
std::int64_t At(int hour, int minute, int second = 0, int day = 6) {
    return CalendarMs(CalendarTime{2024, 5, day, hour, minute, second});
}

int Id(TrendQuantity q) { return static_cast<int>(q); }

TrendChartRequest Request(std::vector<TrendLine> lines, std::int64_t from, std::int64_t to, std::size_t columns) {
    TrendChartRequest request;
    request.lines = std::move(lines);
    request.from = from;
    request.to = to;
    request.columns = columns;
    return request;
}

}  // namespace

// The usual windows get round steps with at most eight intervals; the date
// stands at the first tick of a day's chart and where midnight passes.
TEST(TrendChart, TimeTicksOfTheUsualWindows) {
    struct Case {
        std::int64_t from, to;
        std::int64_t step;
        std::vector<std::string> labels;
        std::vector<std::string> dates;  // by tick, "" where none
    };
    const Case cases[] = {
        {At(14, 25, 30), At(14, 35, 30), 2 * kMinute, {"14:26", "14:28", "14:30", "14:32", "14:34"}, {"", "", "", "", ""}},
        {At(14, 30), At(15, 30), 10 * kMinute, {"14:30", "14:40", "14:50", "15:00", "15:10", "15:20", "15:30"},
         {"", "", "", "", "", "", ""}},
        {At(6, 30), At(14, 30), kHour, {"07:00", "08:00", "09:00", "10:00", "11:00", "12:00", "13:00", "14:00"},
         {"", "", "", "", "", "", "", ""}},
        {At(14, 30), At(14, 30, 0, 7), 3 * kHour, {"15:00", "18:00", "21:00", "00:00", "03:00", "06:00", "09:00", "12:00"},
         {"06.05", "", "", "07.05", "", "", "", ""}},
        {At(0, 0), At(0, 0, 0, 16), 2 * 24 * kHour, {"07.05", "09.05", "11.05", "13.05", "15.05"}, {"", "", "", "", ""}},
        // A minute of a short history: seconds.
        {At(14, 30), At(14, 31), 10 * kSecond, {"14:30:00", "14:30:10", "14:30:20", "14:30:30", "14:30:40", "14:30:50", "14:31:00"},
         {"", "", "", "", "", "", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.labels.front());
        const TimeAxis axis = TimeTicks(c.from, c.to);
        EXPECT_EQ(axis.stepMs, c.step);
        std::vector<std::string> labels, dates;
        for (const TimeTick& t : axis.ticks) {
            labels.push_back(t.label);
            dates.push_back(t.date);
            EXPECT_EQ(t.time % c.step, 0);
        }
        EXPECT_EQ(labels, c.labels);
        EXPECT_EQ(dates, c.dates);
    }
    // A narrow chart has room for fewer labels; a file's or paper's chart
    // names the whole date at its first tick.
    EXPECT_EQ(TimeTicks(At(14, 30), At(15, 30), 3).stepMs, 30 * kMinute);
    EXPECT_EQ(TimeTicks(At(14, 30), At(15, 30), 8, true).ticks.front().date, "06.05.2024");
}

// The station's history and recorded series give the same columns; each
// column keeps the extremes of its readings, spikes included.
TEST(TrendChart, ColumnsKeepEachColumnsExtremesFromHistoryAndFile) {
    const CalendarTime now{2024, 5, 6, 15, 0, 0};
    const std::int64_t nowMonotonic = 3600 * kSecond;
    History history;
    SeriesSet recorded;
    const HistorySource live(history, nowMonotonic, now);
    std::vector<RecordedPoint> points;
    for (std::int64_t t = 50 * kMinute; t <= nowMonotonic; t += kSecond) {
        const double v = 20.0 + 0.01 * std::sin(static_cast<double>(t) * 1e-3) + (t % (97 * kSecond) == 0 ? 0.5 : 0.0);
        history.Add(Id(TrendQuantity::Temperature), t, v);
        points.push_back({t + live.offset(), v});
        recorded.Add(Id(TrendQuantity::Temperature), points.back().time, v);
    }
    history.Mark(55 * kMinute, MarkerKind::Cleared);
    recorded.Mark(55 * kMinute + live.offset(), MarkerKind::Cleared);

    const TrendChartRequest request =
        Request({StationLine(TrendQuantity::Temperature, "°C", "kPa")}, At(14, 50), At(15, 0), 37);
    const TrendChart fromHistory = BuildTrendChart(live, request);
    const TrendChart fromFile = BuildTrendChart(recorded, request);
    ASSERT_EQ(fromHistory.panels.size(), 1u);
    ASSERT_EQ(fromFile.panels.size(), 1u);
    const std::vector<ChartColumn>& columns = fromHistory.panels[0].lines[0].columns;
    ASSERT_EQ(columns.size(), 37u);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        SCOPED_TRACE(i);
        const ChartColumn& c = columns[i];
        double lo = 1e9, hi = -1e9;
        for (const RecordedPoint& p : points) {
            if (p.time >= c.from && p.time <= c.to) lo = std::min(lo, p.value), hi = std::max(hi, p.value);
        }
        EXPECT_EQ(c.min, lo);
        EXPECT_EQ(c.max, hi);
        const ChartColumn& f = fromFile.panels[0].lines[0].columns[i];
        EXPECT_EQ(std::tie(f.from, f.to, f.count, f.min, f.max), std::tie(c.from, c.to, c.count, c.min, c.max));
    }
    ASSERT_EQ(fromHistory.markers.size(), 1u);
    EXPECT_EQ(fromHistory.markers[0].time, At(14, 55));
    EXPECT_EQ(fromHistory.markers[0].label, "wyczyszczono");
    EXPECT_EQ(fromFile.markers.size(), 1u);
}

// Values are shown in the page's units, and lines share a panel by unit.
TEST(TrendChart, UnitsConvertedAndPanelsByUnit) {
    SeriesSet s;
    const std::int64_t t = At(12, 0);
    s.Add(Id(TrendQuantity::DewPoint), t, 0.0);
    s.Add(Id(TrendQuantity::Temperature), t, 100.0);
    s.Add(Id(TrendQuantity::Pressure), t, 101.325);
    s.Add(Id(TrendQuantity::RoomHumidity), t, 45.0);
    s.Add(Id(TrendQuantity::ChannelSpread), t, 0.5);
    s.Add(Id(TrendQuantity::RoomTemperature), t, 20.0);
    std::vector<TrendLine> lines;
    for (TrendQuantity q : {TrendQuantity::DewPoint, TrendQuantity::Pressure, TrendQuantity::Temperature,
                            TrendQuantity::RoomHumidity, TrendQuantity::ChannelSpread, TrendQuantity::RoomTemperature}) {
        lines.push_back(StationLine(q, "°F", "hPa, mbar"));
    }
    const TrendChart chart = BuildTrendChart(s, Request(lines, At(11, 0), At(13, 0), 100));

    struct Expected {
        std::string unit;
        std::vector<double> means;
    };
    // The dew point keeps a panel of its own; the air and room temperatures share one.
    const std::vector<Expected> expected = {
        {"°F", {32.0}}, {"hPa", {1013.25}}, {"°F", {212.0, 68.0}}, {"%", {45.0}}, {"°F", {0.9}}};
    ASSERT_EQ(chart.panels.size(), expected.size());
    for (std::size_t p = 0; p < expected.size(); ++p) {
        SCOPED_TRACE(p);
        EXPECT_EQ(chart.panels[p].unit, expected[p].unit);
        ASSERT_EQ(chart.panels[p].lines.size(), expected[p].means.size());
        for (std::size_t l = 0; l < expected[p].means.size(); ++l) {
            EXPECT_NEAR(chart.panels[p].lines[l].columns.at(0).mean, expected[p].means[l], 1e-9);
            EXPECT_GE(expected[p].means[l], chart.panels[p].axis.low);
            EXPECT_LE(expected[p].means[l], chart.panels[p].axis.high);
        }
    }
    EXPECT_EQ(StationLine(TrendQuantity::ChannelSpread, "°C", "kPa").unit, "K");
}

// Every quantity judged has its criterion band, in its line's unit and in
// sight even when the readings are far from it; a band outside the window is
// not drawn.
TEST(TrendChart, BandOfEveryQuantityJudgedInSight) {
    SeriesSet s;
    for (std::int64_t t = At(12, 0); t <= At(12, 10); t += kSecond) {
        s.Add(Id(TrendQuantity::Temperature), t, 20.0);
        s.Add(Id(TrendQuantity::DewPoint), t, 5.0);
    }
    TrendChartRequest request = Request({StationLine(TrendQuantity::DewPoint, "°F", "kPa"),
                                         StationLine(TrendQuantity::Temperature, "°F", "kPa")},
                                        At(12, 0), At(12, 10), 600);
    request.bands = {TrendBandRequest{Id(TrendQuantity::Temperature), At(12, 0), At(12, 10), 21.0, 21.1},
                     TrendBandRequest{Id(TrendQuantity::DewPoint), At(12, 5), At(12, 10), 4.9, 5.1}};
    const TrendChart chart = BuildTrendChart(s, request);
    ASSERT_EQ(chart.panels.size(), 2u);
    ASSERT_EQ(chart.panels[0].bands.size(), 1u);
    ASSERT_EQ(chart.panels[1].bands.size(), 1u);
    EXPECT_EQ(chart.panels[0].bands[0].from, At(12, 5));
    const ChartBand& band = chart.panels[1].bands[0];
    EXPECT_NEAR(band.low, 69.8, 1e-9);
    EXPECT_NEAR(band.high, 69.98, 1e-9);
    EXPECT_LE(chart.panels[1].axis.low, 68.0);
    EXPECT_GE(chart.panels[1].axis.high, band.high);

    request.bands[0].from = At(11, 0);
    request.bands[0].to = At(11, 50);
    EXPECT_TRUE(BuildTrendChart(s, request).panels.at(1).bands.empty());
}

// The value axis of a short panel gets fewer ticks, its labels never touch,
// and a margin keeps the highest and lowest readings off the frame.
TEST(TrendChart, ValueAxisFitsItsPanel) {
    struct Case {
        double low, high, panelHeight, labelHeight;
        std::size_t mostTicks;
    };
    const Case cases[] = {
        {20.003, 20.019, 60, 14, 3},   // a temperature that hardly moves, in a short panel
        {19.6, 24.9, 60, 14, 3},
        {-12.34, -12.27, 200, 14, 8},  // room for every tick
        {-40.0, 0.0, 120, 14, 6},
        {1013.2, 1013.2, 30, 14, 3},   // a still pressure in a panel of two lines
        {0.5, 100.0, 20, 14, 3},       // smaller than two labels: a label left out
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.low << " … " << c.high << " in " << c.panelHeight);
        const ChartAxis axis = MarginAxis(c.low, c.high, TicksThatFit(c.panelHeight, c.labelHeight), 0.05);
        EXPECT_LE(axis.ticks.size(), c.mostTicks);
        EXPECT_GE(axis.ticks.size(), 2u);
        EXPECT_GE(c.low - axis.low, 0.049 * (axis.high - axis.low));
        EXPECT_GE(axis.high - c.high, 0.049 * (axis.high - axis.low));
        const std::vector<bool> labelled = LabelledTicks(axis, c.panelHeight, c.labelHeight);
        double last = -1e9;
        int shown = 0;
        for (std::size_t i = 0; i < axis.ticks.size(); ++i) {
            if (!labelled[i]) continue;
            const double y = (axis.ticks[i] - axis.low) / (axis.high - axis.low) * c.panelHeight;
            EXPECT_GE(y - last, c.labelHeight);
            last = y;
            ++shown;
        }
        EXPECT_GE(shown, c.panelHeight >= 2 * c.labelHeight ? 2 : 1);
    }

    // A chart fitted to a layout keeps the same heights when laid out again.
    SeriesSet s;
    for (TrendQuantity q : {TrendQuantity::DewPoint, TrendQuantity::Temperature, TrendQuantity::Pressure,
                            TrendQuantity::RoomHumidity}) {
        for (int i = 0; i < 60; ++i) s.Add(Id(q), At(12, i), 20.0 + 0.001 * i);
    }
    std::vector<TrendLine> lines;
    for (TrendQuantity q : {TrendQuantity::DewPoint, TrendQuantity::Temperature, TrendQuantity::Pressure,
                            TrendQuantity::RoomHumidity}) {
        lines.push_back(StationLine(q, "°C", "kPa"));
    }
    TrendChart chart = BuildTrendChart(s, Request(lines, At(12, 0), At(13, 0), 600));
    const ChartTextMetrics text{14, 40, 14};
    const ChartLayout layout = LayoutTrendChart(chart, ChartRect{0, 0, 600, 320}, text);
    EXPECT_FALSE(FittedTo(chart, layout, 14));
    FitTrendChart(chart, layout, 14);
    EXPECT_TRUE(FittedTo(chart, LayoutTrendChart(chart, ChartRect{0, 0, 600, 320}, text), 14));
    for (const ChartPanel& panel : chart.panels) EXPECT_LE(panel.axis.ticks.size(), 3u);
}

// A line breaks where readings are further apart than the file's usual
// interval allows, and at every restart, which is marked where the gap begins.
TEST(TrendChart, GapsAndRestartsBreakTheLine) {
    struct Case {
        std::string name;
        std::vector<int> seconds;  // reading times after 12:00
        int restart;               // a restart marked here, -1 none
        std::vector<std::size_t> breaks;  // columns not joined to the one before
    };
    const std::vector<Case> cases = {
        {"steady", {0, 10, 20, 30, 40, 50}, -1, {}},
        {"a record skipped", {0, 10, 20, 40, 50, 60}, -1, {3}},
        {"a little late", {0, 10, 20, 34, 44, 54}, -1, {}},
        {"a restart on pace", {0, 10, 20, 30, 40, 50}, 20, {3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SeriesSet s;
        for (int t : c.seconds) s.Add(Id(TrendQuantity::Temperature), At(12, 0, t), 20.0 + t);
        if (c.restart >= 0) s.Mark(At(12, 0, c.restart), MarkerKind::SettingsChanged);
        TrendChartRequest request =
            Request({StationLine(TrendQuantity::Temperature, "°C", "kPa")}, At(12, 0), At(12, 1, 10), 700);
        request.gapFactor = 1.5;
        const TrendChart chart = BuildTrendChart(s, request);
        const std::vector<ChartColumn>& columns = chart.panels.at(0).lines.at(0).columns;
        ASSERT_EQ(columns.size(), c.seconds.size());
        std::vector<std::size_t> breaks;
        for (std::size_t i = 1; i < columns.size(); ++i) {
            if (!columns[i].joined) breaks.push_back(i);
        }
        EXPECT_EQ(breaks, c.breaks);
    }
}

// No two lines of a panel share a colour, however many there are; a chart of
// a few lines gives each its own.
TEST(TrendChart, EveryLineOfAPanelItsOwnColour) {
    for (std::size_t count : {std::size_t{9}, std::size_t{30}}) {
        SCOPED_TRACE(count);
        SeriesSet s;
        std::vector<TrendLine> lines;
        for (std::size_t i = 0; i < count; ++i) {
            s.Add(static_cast<int>(i), At(12, 0), static_cast<double>(i));
            TrendLine line;
            line.quantity = static_cast<int>(i);
            line.unit = i % 3 == 0 ? "%" : "°C";
            lines.push_back(line);
        }
        const TrendChart chart = BuildTrendChart(s, Request(lines, At(11, 0), At(13, 0), 100));
        std::vector<int> all;
        for (const ChartPanel& panel : chart.panels) {
            std::vector<int> hues, colours;
            for (const ChartLine& line : panel.lines) {
                hues.push_back(line.colour % kLineHues);
                colours.push_back(line.colour);
                all.push_back(line.colour);
            }
            std::sort(hues.begin(), hues.end());
            std::sort(colours.begin(), colours.end());
            if (panel.lines.size() <= static_cast<std::size_t>(kLineHues)) {
                EXPECT_EQ(std::adjacent_find(hues.begin(), hues.end()), hues.end());
            }
            EXPECT_EQ(std::adjacent_find(colours.begin(), colours.end()), colours.end());
        }
        std::sort(all.begin(), all.end());
        if (count <= static_cast<std::size_t>(kLineHues)) {
            EXPECT_EQ(std::adjacent_find(all.begin(), all.end()), all.end());
        }
    }
}

// Marker labels close together go in rows and are never written over one
// another; those with no room left are counted on the label before them.
TEST(TrendChart, MarkerLabelsNeverOverprint) {
    SeriesSet s;
    s.Add(Id(TrendQuantity::Temperature), At(12, 0), 20.0);
    s.Add(Id(TrendQuantity::Temperature), At(13, 0), 20.0);
    for (int m = 0; m < 12; ++m) {
        s.Mark(At(12, 30, m * 10), m % 2 == 0 ? MarkerKind::InstrumentLost : MarkerKind::InstrumentBack);
    }
    s.Mark(At(12, 5), MarkerKind::Cleared);
    const TrendChart chart =
        BuildTrendChart(s, Request({StationLine(TrendQuantity::Temperature, "°C", "kPa")}, At(12, 0), At(13, 0), 600));
    ASSERT_EQ(chart.markers.size(), 13u);
    const ChartRect plot{50, 40, 600, 200};
    const std::vector<double> widths(chart.markers.size(), 90);
    const std::vector<MarkerLabelPlace> places = PlaceMarkerLabels(chart, plot, widths, 14, 20);
    int shown = 0, hidden = 0;
    for (std::size_t i = 0; i < places.size(); ++i) {
        hidden += places[i].hidden;
        if (!places[i].shown) continue;
        ++shown;
        EXPECT_GE(places[i].x, plot.x);
        EXPECT_LE(places[i].x + places[i].width, plot.Right() + 1e-9);
        for (std::size_t j = 0; j < i; ++j) {
            if (!places[j].shown || places[j].y != places[i].y) continue;
            const bool apart = places[j].x + places[j].width <= places[i].x || places[i].x + places[i].width <= places[j].x;
            EXPECT_TRUE(apart) << i << " over " << j;
        }
    }
    EXPECT_GE(shown, 4);  // the lone one and a row each of the crowd
    EXPECT_EQ(shown + hidden, 13);
}

// A window longer than the history starts at its first reading and says so.
TEST(TrendChart, ShortHistorySaysSo) {
    SeriesSet s;
    for (int m = 0; m <= 12; ++m) s.Add(Id(TrendQuantity::Temperature), At(12, 48) + m * kMinute, 20.0);
    TrendChartRequest request =
        Request({StationLine(TrendQuantity::Temperature, "°C", "kPa")}, At(13, 0, 0, 5), At(13, 0), 600);
    request.trimToHistory = true;
    const TrendChart chart = BuildTrendChart(s, request);
    EXPECT_EQ(chart.note, "historia krótsza niż okno: 12 min z 24 h");
    EXPECT_LE(chart.from, At(12, 48));
    EXPECT_GT(chart.from, At(12, 47));
    EXPECT_GE(chart.ticks.size(), 4u);
    request.from = At(12, 50);  // the window full: drawn as asked
    EXPECT_EQ(BuildTrendChart(s, request).note, "");
    EXPECT_EQ(BuildTrendChart(s, request).from, At(12, 50));
}

// The cursor reads the column nearest its time, and nothing where a line has
// no readings near it; a chart with nothing to show says so.
TEST(TrendChart, CursorReadoutAndEmptyChart) {
    SeriesSet s;
    s.Add(Id(TrendQuantity::DewPoint), At(12, 0), -12.25);
    s.Add(Id(TrendQuantity::DewPoint), At(12, 30), -12.5);
    s.Add(Id(TrendQuantity::RoomHumidity), At(13, 0), 45.0);
    TrendChartRequest request = Request({StationLine(TrendQuantity::DewPoint, "°C", "kPa"),
                                         StationLine(TrendQuantity::RoomHumidity, "°C", "kPa")},
                                        At(12, 0), At(13, 0), 60);
    const TrendChart chart = BuildTrendChart(s, request);
    ASSERT_FALSE(chart.Empty());
    struct Case {
        std::int64_t time;
        std::string label, dewPoint, humidity;
    };
    const Case cases[] = {
        {At(12, 10), "12:10:00", "-12,250 °C", "—"},
        {At(12, 20), "12:20:00", "-12,500 °C", "—"},
        {At(13, 0), "13:00:00", "—", "45,00 %"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const TrendCursor cursor = CursorReadout(chart, c.time);
        EXPECT_EQ(cursor.timeLabel, c.label);
        ASSERT_EQ(cursor.values.size(), 2u);
        EXPECT_EQ(cursor.values[0].text, c.dewPoint);
        EXPECT_EQ(cursor.values[1].text, c.humidity);
    }

    request.lines.clear();
    EXPECT_EQ(BuildTrendChart(s, request).emptyText, "Nie wybrano wielkości do pokazania");
    request.lines = {StationLine(TrendQuantity::Pressure, "°C", "kPa")};
    EXPECT_EQ(BuildTrendChart(s, request).emptyText, "Brak odczytów w pokazanym oknie czasu");
}

// Panels stack in the area and share the time axis; time and value map to
// pixels and back.
TEST(TrendChart, LayoutAndMapping) {
    SeriesSet s;
    s.Add(Id(TrendQuantity::Temperature), At(12, 0), 20.0);
    s.Add(Id(TrendQuantity::Pressure), At(12, 0), 100.0);
    const TrendChart chart = BuildTrendChart(
        s, Request({StationLine(TrendQuantity::Temperature, "°C", "kPa"), StationLine(TrendQuantity::Pressure, "°C", "kPa")},
                   At(11, 30), At(12, 30), 400));
    const ChartLayout layout = LayoutTrendChart(chart, ChartRect{0, 0, 800, 400}, ChartTextMetrics{});
    ASSERT_EQ(layout.panels.size(), 2u);
    EXPECT_EQ(layout.panels[0].x, layout.panels[1].x);
    EXPECT_EQ(layout.panels[0].width, layout.panels[1].width);
    EXPECT_LT(layout.panels[0].Bottom(), layout.panels[1].y);
    EXPECT_LE(layout.panels[1].Bottom(), layout.timeLabels.y);
    EXPECT_EQ(layout.PanelAt(layout.panels[1].x + 1, layout.panels[1].y + 1), 1);
    EXPECT_EQ(layout.PanelAt(0, 0), -1);

    const ChartMapping map(chart, chart.panels[0], layout.panels[0]);
    EXPECT_DOUBLE_EQ(map.X(chart.from), layout.panels[0].x);
    EXPECT_DOUBLE_EQ(map.X(chart.to), layout.panels[0].Right());
    EXPECT_EQ(map.Time(map.X(At(12, 0))), At(12, 0));
    EXPECT_EQ(map.Time(-100), chart.from);
    EXPECT_DOUBLE_EQ(map.Y(chart.panels[0].axis.low), layout.panels[0].Bottom());
    EXPECT_NEAR(map.Value(map.Y(20.0)), 20.0, 1e-9);
}
