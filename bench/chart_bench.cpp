// Cost of a day's trend chart: six quantities of a full station history (a
// reading a second for 24 h) folded into the 1600 pixel columns of a wide
// chart, and that chart drawn into a 1600 × 600 picture. The chart is rebuilt
// and redrawn every second while readings come, beside the station's own
// work, so drawing must stay within a few milliseconds.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "chart/trend_painter.h"
#include "lab/trends/history.h"
#include "lab/trends/trend_chart.h"

namespace {

using namespace wegator::lab;

constexpr std::int64_t kDay = 24 * 3600 * 1000;
constexpr TrendQuantity kShown[] = {TrendQuantity::DewPoint, TrendQuantity::Temperature, TrendQuantity::Pressure,
                                    TrendQuantity::RoomTemperature, TrendQuantity::RoomHumidity,
                                    TrendQuantity::ResultHumidity};
const CalendarTime kNow{2024, 5, 6, 14, 30, 0};

// Drawing text needs a GUI application; the benchmarks run without a display.
void NeedGui() {
    static int argc = 1;
    static char name[] = "wegator_bench";
    static char* argv[] = {name, nullptr};
    if (QGuiApplication::instance() != nullptr) return;
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(argc, argv);
}

const History& FullDay() {
    static const History history = [] {
        History h;
        for (std::int64_t t = 0; t <= kDay; t += 1000) {
            const double x = static_cast<double>(t) * 1e-6;
            for (TrendQuantity q : kShown) {
                const int i = static_cast<int>(q);
                h.Add(i, t, 10.0 * i + std::sin(x * (1 + i)) + 0.01 * std::sin(static_cast<double>(t) * 0.37));
            }
        }
        h.Mark(kDay / 2, MarkerKind::SettingsChanged);
        return h;
    }();
    return history;
}

TrendChartRequest DayRequest(std::int64_t windowMs) {
    TrendChartRequest r;
    r.title = "DP/FP";
    for (TrendQuantity q : kShown) r.lines.push_back(StationLine(q, "°C", "hPa, mbar"));
    r.to = CalendarMs(kNow);
    r.from = r.to - windowMs;
    r.columns = 1600;
    return r;
}

// The model: six lines of a day in 1600 columns, units, axes, ticks, markers.
void ChartModelDay6x1600(benchmark::State& state) {
    const HistorySource source(FullDay(), kDay, kNow);
    const TrendChartRequest request = DayRequest(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(BuildTrendChart(source, request));
}
BENCHMARK(ChartModelDay6x1600)->Arg(kDay)->Arg(10 * 60 * 1000)->Unit(benchmark::kMicrosecond);

// The drawing of that chart into a 1600 × 600 picture, the cursor shown.
void ChartPaint1600x600(benchmark::State& state) {
    NeedGui();
    const HistorySource source(FullDay(), kDay, kNow);
    TrendChartRequest request = DayRequest(state.range(0));
    request.cursor = request.to - state.range(0) / 3;
    const TrendChart chart = BuildTrendChart(source, request);
    QImage image(1600, 600, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        wegator::PaintTrendChart(painter, chart, QRectF(0, 0, 1600, 600));
    }
}
BENCHMARK(ChartPaint1600x600)->Arg(kDay)->Arg(10 * 60 * 1000)->Unit(benchmark::kMillisecond);

}  // namespace
