#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <random>
#include <vector>

#include "lab/trends/history.h"
#include "lab/trends/stability.h"

using namespace wegator::lab;

namespace {

constexpr std::int64_t kSecond = 1000;
constexpr std::int64_t kMinute = 60 * kSecond;

}  // namespace

// Ten minutes at one reading a second (601 readings, both ends counted) of a
// ramp and of white noise: the ramp's drift comes out exact, the noise's
// standard deviation within the scatter a sample of 601 allows.
TEST(Stability, FiguresOfARampAndOfWhiteNoise) {
    std::mt19937 random(18);
    std::normal_distribution<double> noise(0.0, 0.01);
    struct Case {
        const char* name;
        std::function<double(std::int64_t)> value;  // of the second
        double drift, driftTolerance, sd, sdTolerance, peakToPeak;
    };
    const double rampSd = 0.5 / 60 * std::sqrt(601.0 * 602.0 / 12.0);  // equally spaced values
    const std::vector<Case> cases = {
        {"ramp 0.5 K/min", [](std::int64_t s) { return -12.0 + 0.5 * static_cast<double>(s) / 60; }, 0.5, 1e-9, rampSd, 1e-9, 5.0},
        {"noise 0.01 K", [&](std::int64_t) { return 20.0 + noise(random); }, 0.0, 1e-3, 0.01, 0.001, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        History history;
        for (std::int64_t s = 0; s <= 600; ++s) history.Add(7, s * kSecond, c.value(s));
        const StabilityFigures f = Figures(history, 7, 10 * kMinute);
        EXPECT_TRUE(f.full);
        EXPECT_EQ(f.count, 601);
        EXPECT_NEAR(f.drift, c.drift, c.driftTolerance);
        EXPECT_NEAR(f.standardDeviation, c.sd, c.sdTolerance);
        if (c.peakToPeak >= 0) {
            EXPECT_NEAR(f.peakToPeak, c.peakToPeak, 1e-9);
        }
    }
}

// A dew point at one reading a second that steps by 2 K at 20 min, then a
// "Wyczyść" at 40 min: the verdict over time, with the moment it became stable.
TEST(Stability, VerdictOverAStepAndARestart) {
    History history;
    const StabilityCriterion criterion = DefaultCriterion(StabilityQuantity::DewOrFrostPoint);
    struct Check {
        std::int64_t now;
        bool stable;
        StabilityFigure exceeded;
        double value;  // of the exceeded figure
        std::int64_t since;
    };
    // Each step of the table plays the history up to its moment, then judges.
    const std::vector<Check> checks = {
        {5 * kMinute, false, StabilityFigure::Window, 5.0, 0},           // only 5 of 10 minutes so far
        {15 * kMinute, true, StabilityFigure::None, 0, 10 * kMinute},    // since the first full window
        {25 * kMinute, false, StabilityFigure::Drift, NAN, 0},           // the step inside the window
        {35 * kMinute, true, StabilityFigure::None, 0, 30 * kMinute},    // exactly a window after the step
        {45 * kMinute, false, StabilityFigure::Window, 5.0, 0},          // 5 minutes since the restart
        {55 * kMinute, true, StabilityFigure::None, 0, 50 * kMinute},
    };
    std::int64_t t = 0;
    for (const Check& c : checks) {
        SCOPED_TRACE(c.now / kMinute);
        for (; t <= c.now; t += kSecond) {
            if (t == 40 * kMinute) history.Mark(t, MarkerKind::Cleared);
            // A little scatter, well inside the 0.02 K limit.
            history.Add(0, t, (t < 20 * kMinute ? -10.0 : -8.0) + ((t / kSecond) % 2 ? 0.005 : -0.005));
        }
        const StabilityVerdict v = Evaluate(history, 0, c.now, criterion);
        EXPECT_EQ(v.stable, c.stable);
        EXPECT_EQ(v.exceeded, c.exceeded);
        if (!std::isnan(c.value) && !c.stable) {
            EXPECT_NEAR(v.value, c.value, 1e-12);
        }
        if (c.exceeded == StabilityFigure::Drift) {
            EXPECT_GT(v.value, criterion.driftLimit);
            EXPECT_EQ(v.limit, criterion.driftLimit);
        }
        if (c.stable) {
            EXPECT_EQ(v.since, c.since);
            EXPECT_EQ(v.stableForMs, c.now - c.since);
        }
    }
}

TEST(Stability, NiceAxisRangesAndTicks) {
    struct Case {
        double min, max, bandLow, bandHigh;
        double low, high, step;
    };
    const std::vector<Case> cases = {
        {0, 1, NAN, NAN, 0, 1, 0.2},
        {-12.34, -12.27, NAN, NAN, -12.34, -12.27, 0.01},
        {0, 17, NAN, NAN, 0, 17.5, 2.5},
        {0, 7.3, NAN, NAN, 0, 8, 2},
        {47, -3, NAN, NAN, -10, 50, 10},
        {20.003, 20.003, NAN, NAN, 19.8, 20.3, 0.1},      // a still value gets a range around it
        {20.0, 20.01, 19.98, 20.02, 19.98, 20.02, 0.01},  // the criterion band stays in sight
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.min << " … " << c.max);
        const ChartAxis axis = std::isnan(c.bandLow) ? NiceAxis(c.min, c.max) : NiceAxis(c.min, c.max, c.bandLow, c.bandHigh);
        EXPECT_NEAR(axis.low, c.low, 1e-12);
        EXPECT_NEAR(axis.high, c.high, 1e-12);
        EXPECT_DOUBLE_EQ(axis.step, c.step);
        ASSERT_GE(axis.ticks.size(), 4u);
        ASSERT_LE(axis.ticks.size(), 8u);
        EXPECT_EQ(axis.ticks.front(), axis.low);
        EXPECT_EQ(axis.ticks.back(), axis.high);
        for (std::size_t i = 1; i < axis.ticks.size(); ++i) EXPECT_NEAR(axis.ticks[i] - axis.ticks[i - 1], c.step, 1e-12);
    }
}
