#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "lab/trends/history.h"

using namespace wegator::lab;

namespace {

constexpr std::int64_t kSecond = 1000;
constexpr std::int64_t kMinute = 60 * kSecond;
constexpr std::int64_t kHour = 60 * kMinute;

// A wandering value with a spike now and then, so every column has its own extremes.
double Wander(std::int64_t i) { return std::sin(static_cast<double>(i) * 0.013) + (i % 97 == 0 ? 3.0 : 0.0) - (i % 89 == 0 ? 2.0 : 0.0); }

}  // namespace

// An hour at one reading a second, looked at a minute a column: every column,
// whether from the buckets of the older tier or the recent readings, has the
// count, extremes and mean of exactly the readings of its minute.
TEST(History, ColumnsKeepEveryMinuteAndMaximumAndMarkersOutliveTheReadings) {
    History history;
    std::vector<double> values;
    for (std::int64_t i = 0; i < 3600; ++i) {
        values.push_back(Wander(i));
        ASSERT_TRUE(history.Add(1, i * kSecond, values.back()));
    }
    EXPECT_FALSE(history.Add(1, 3598 * kSecond, 0.0));  // older than the latest: refused
    EXPECT_FALSE(history.Add(1, 3600 * kSecond, NAN));
    history.Mark(100 * kSecond, MarkerKind::SettingsChanged);
    history.Mark(200 * kSecond, MarkerKind::InstrumentLost, 1);
    history.Mark(300 * kSecond, MarkerKind::InstrumentLost, 2);

    const std::vector<Column> columns = history.Query(1, 0, kHour - 1, 60);
    ASSERT_EQ(columns.size(), 60u);
    for (std::size_t c = 0; c < columns.size(); ++c) {
        SCOPED_TRACE(c);
        const auto begin = values.begin() + static_cast<std::ptrdiff_t>(c * 60);
        const auto [lo, hi] = std::minmax_element(begin, begin + 60);
        double sum = 0;
        for (auto it = begin; it != begin + 60; ++it) sum += *it;
        EXPECT_EQ(columns[c].from, static_cast<std::int64_t>(c) * kMinute);
        EXPECT_EQ(columns[c].to, static_cast<std::int64_t>(c + 1) * kMinute - 1);
        EXPECT_EQ(columns[c].span.Count(), 60);
        EXPECT_EQ(columns[c].span.min, *lo);
        EXPECT_EQ(columns[c].span.max, *hi);
        EXPECT_NEAR(columns[c].span.Mean(), sum / 60, 1e-12);
    }

    // More columns than readings: the last minute reading by reading.
    const std::vector<Column> recent = history.Query(1, 3540 * kSecond, kHour, 1600);
    ASSERT_EQ(recent.size(), 60u);
    EXPECT_EQ(recent.back().span.first, 3599 * kSecond);
    EXPECT_EQ(recent.back().span.max, values.back());

    const std::vector<Marker> expected = {{100 * kSecond, MarkerKind::SettingsChanged, kAllQuantities},
                                          {200 * kSecond, MarkerKind::InstrumentLost, 1}};
    EXPECT_EQ(history.Markers(1, 0, kHour), expected);
    EXPECT_EQ(history.LastMarker(1, kHour)->time, 200 * kSecond);
    EXPECT_EQ(history.LastMarker(1, 150 * kSecond)->kind, MarkerKind::SettingsChanged);
    EXPECT_EQ(history.LastMarker(1, 50 * kSecond), nullptr);
}

// A day of twenty quantities at one reading a second: all of it still held,
// in memory reserved once and under 20 MB, and a 1600-column chart of the day
// has the day's extremes.
TEST(History, ADayOfTwentyQuantitiesStaysInBoundedMemory) {
    History history;
    constexpr int kQuantities = 20;
    constexpr std::int64_t kDay = 24 * kHour;
    double lowest = 1e9, highest = -1e9;
    for (std::int64_t t = 0; t <= kDay; t += kSecond) {
        for (int q = 0; q < kQuantities; ++q) history.Add(q, t, Wander(t / kSecond + q));
        lowest = std::min(lowest, Wander(t / kSecond));
        highest = std::max(highest, Wander(t / kSecond));
    }
    const std::size_t bound = 20u << 20;
    EXPECT_LE(History::BytesFor(kQuantities, history.limits()), bound);
    EXPECT_LE(history.ReservedBytes(), bound);
    for (int q = 0; q < kQuantities; ++q) EXPECT_EQ(history.Earliest(q), 0) << q;

    const std::vector<Column> day = history.Query(0, 0, kDay, 1600);
    ASSERT_LE(day.size(), 1600u);
    ASSERT_GE(day.size(), 1500u);
    double low = 1e9, high = -1e9;
    for (const Column& c : day) {
        low = std::min(low, c.span.min);
        high = std::max(high, c.span.max);
    }
    EXPECT_EQ(low, lowest);
    EXPECT_EQ(high, highest);
}
