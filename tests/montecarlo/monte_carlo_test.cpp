#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "montecarlo/histogram.h"
#include "montecarlo/monte_carlo.h"

using namespace wegator::montecarlo;

namespace {

// y = 2·x1 + 3·x2: normal, σ = √(2²·0.5² + 3²·0.2²), interval ± 1.959964 σ.
const InputDistribution kLinearInputs[] = {{1.0, 0.5}, {-2.0, 0.2}};
const double kLinearSigma = std::sqrt(1.0 + 0.36);
EvaluatorFactory Linear() {
    return [] {
        return [](std::span<const double> x, std::span<double> y) {
            y[0] = 2.0 * x[0] + 3.0 * x[1];
            return 0;
        };
    };
}

}  // namespace

TEST(MonteCarlo, LinearModelGivesTheNormalAnswer) {
    Options o;
    o.draws = 200000;
    const Outcome r = Evaluate(kLinearInputs, 1, Linear(), o);
    ASSERT_EQ(r.status, Status::Fixed);
    EXPECT_EQ(r.accepted, 200000u);
    const OutputSummary& s = r.outputs[0];
    const double half = 1.959964 * kLinearSigma;
    // Statistical tolerances: a few standard errors of each figure at 2·10^5 draws.
    EXPECT_NEAR(s.mean, -4.0, 4 * kLinearSigma / std::sqrt(2e5));
    EXPECT_NEAR(s.sd, kLinearSigma, 0.01 * kLinearSigma);
    for (double end : {s.shortestLow, s.symmetricLow}) EXPECT_NEAR(end, -4.0 - half, 0.03 * kLinearSigma);
    for (double end : {s.shortestHigh, s.symmetricHigh}) EXPECT_NEAR(end, -4.0 + half, 0.03 * kLinearSigma);
    EXPECT_TRUE(std::is_sorted(r.sorted[0].begin(), r.sorted[0].end()));
}

TEST(MonteCarlo, AdaptiveRunStopsWhenTheDigitsAskedForAreStable) {
    Options o;
    o.seed = 7;
    o.significantDigits = 1;
    const Outcome one = Evaluate(kLinearInputs, 1, Linear(), o);
    o.significantDigits = 2;
    const Outcome two = Evaluate(kLinearInputs, 1, Linear(), o);
    ASSERT_EQ(one.status, Status::Stable);
    ASSERT_EQ(two.status, Status::Stable);
    // A digit more costs more draws.
    EXPECT_GT(two.drawn, one.drawn);
    const double tolerance = NumericalTolerance(kLinearSigma, 2);
    EXPECT_DOUBLE_EQ(tolerance, 0.05);
    EXPECT_NEAR(two.outputs[0].sd, kLinearSigma, tolerance);
    EXPECT_NEAR(two.outputs[0].mean, -4.0, tolerance);
    EXPECT_NEAR(two.outputs[0].shortestHigh, -4.0 + 1.959964 * kLinearSigma, 2 * tolerance);
    // A cap below what the digits need ends the run unsure, and says which
    // result lacks them: a σ of 0.095 has a tolerance a tenth of one of 1.17's.
    // (The same seed draws the same inputs, so the first result is as stable
    // as in the run above when the cap is where that run stopped.)
    o.maxDraws = two.drawn;
    const EvaluatorFactory twoResults = [] {
        return [](std::span<const double> x, std::span<double> y) {
            y[0] = 2.0 * x[0] + 3.0 * x[1];
            y[1] = 0.19 * x[0];
            return 0;
        };
    };
    const Outcome capped = Evaluate(kLinearInputs, 2, twoResults, o);
    EXPECT_EQ(capped.status, Status::CapReached);
    EXPECT_EQ(capped.drawn, two.drawn);
    EXPECT_TRUE(capped.outputs[0].stable);
    EXPECT_FALSE(capped.outputs[1].stable);
}

TEST(MonteCarlo, RefusedDrawsAreCountedAndLeftOutOfTheFigures) {
    // y = x, refused below zero: the mean is 2 σ above the cut, so Φ(−2) of the draws go.
    const InputDistribution x[] = {{1.0, 0.5}};
    const EvaluatorFactory cut = [] {
        return [](std::span<const double> in, std::span<double> y) {
            if (in[0] < 0.0) return 42;
            y[0] = in[0];
            return 0;
        };
    };
    Options o;
    o.draws = 100000;
    const Outcome r = Evaluate(x, 1, cut, o);
    EXPECT_EQ(r.accepted + r.refused, r.drawn);
    EXPECT_NEAR(static_cast<double>(r.refused) / 1e5, 0.02275, 0.002);
    EXPECT_EQ(r.firstRefusal, 42);
    ASSERT_EQ(r.firstRefusedInputs.size(), 1u);
    EXPECT_LT(r.firstRefusedInputs[0], 0.0);
    EXPECT_GE(r.sorted[0].front(), 0.0);
    EXPECT_EQ(r.sorted[0].size(), r.accepted);

    const EvaluatorFactory none = [] { return [](std::span<const double>, std::span<double>) { return 7; }; };
    EXPECT_EQ(Evaluate(x, 1, none, o).status, Status::NothingAccepted);
}

TEST(MonteCarlo, DrawsKeepToTheirDomainAndProgressCanCancel) {
    // An RH of 99.9 % ± 0.5 % is drawn within [0, 100]; most of it piles up at the bound.
    const InputDistribution rh[] = {{99.9, 0.5, 0.0, 100.0}, {5.0, 0.0}};
    const EvaluatorFactory both = [] {
        return [](std::span<const double> in, std::span<double> y) {
            y[0] = in[0];
            y[1] = in[1];
            return 0;
        };
    };
    Options o;
    o.draws = 50000;
    int calls = 0;
    const Outcome r = Evaluate(rh, 2, both, o, [&](std::size_t, std::size_t limit) {
        EXPECT_EQ(limit, 50000u);
        return ++calls < 100;
    });
    EXPECT_LE(r.sorted[0].back(), 100.0);
    EXPECT_GT(r.sorted[0].front(), 97.0);
    EXPECT_EQ(r.sorted[1].front(), 5.0);  // an exact input is never drawn
    EXPECT_EQ(r.sorted[1].back(), 5.0);
    EXPECT_LT(r.outputs[0].shortestHigh - r.outputs[0].mean, r.outputs[0].mean - r.outputs[0].shortestLow);

    o.draws = 0;
    EXPECT_EQ(Evaluate(rh, 2, both, o, [](std::size_t, std::size_t) { return false; }).status, Status::Cancelled);
}

TEST(MonteCarlo, IntervalsAndQuantileFromTheirDefinitions) {
    // 20 values, p = 0.9: q = 18 values wide; the symmetric one leaves one value beyond each end.
    std::vector<double> v;
    for (int i = 1; i <= 20; ++i) v.push_back(i <= 2 ? i * 10.0 : 20.0 + i);
    EXPECT_EQ(SymmetricInterval(v, 0.9), std::make_pair(10.0, 39.0));
    EXPECT_EQ(ShortestInterval(v, 0.9), std::make_pair(20.0, 40.0));
    EXPECT_NEAR(NormalQuantile(0.975), 1.959963984540054, 1e-15);
    EXPECT_NEAR(NormalQuantile(1e-10), -6.361340902404056, 1e-12);
    EXPECT_EQ(BlockSize(0.95), 10000u);
    EXPECT_EQ(BlockSize(0.999), 100000u);
}

// The tolerance is half a unit of the last digit of u written with the
// digits asked for, rounded: a u that rounds up into the next decade has its
// last digit a place higher.
TEST(MonteCarlo, NumericalToleranceIsHalfTheLastDigitOfTheRoundedU) {
    const struct {
        double u;
        int digits;
        double delta;
    } cases[] = {
        {0.0123, 2, 0.0005}, {1.17, 2, 0.05},     {0.0994, 2, 0.0005}, {0.09949, 2, 0.0005},
        {0.09951, 2, 0.005}, {0.0996, 2, 0.005},  {0.1, 2, 0.005},     {0.104, 2, 0.005},
        {9.94, 2, 0.05},     {9.96, 2, 0.5},      {99.96, 2, 5.0},     {0.94, 1, 0.05},
        {0.96, 1, 0.5},      {1.0, 1, 0.5},       {0.0996, 3, 0.00005}, {0.09996, 3, 0.0005},
        {1e-3, 2, 5e-5},     {1234.0, 2, 50.0},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(NumericalTolerance(c.u, c.digits), c.delta, c.delta * 1e-9) << c.u << " to " << c.digits;
    }
    EXPECT_EQ(NumericalTolerance(0.0, 2), 0.0);
    EXPECT_EQ(NumericalTolerance(std::numeric_limits<double>::infinity(), 2), 0.0);
}

// Every accepted value is kept and sorted, whatever its sign, size or
// repetitions: the same values as the model gave, in ascending order.
TEST(MonteCarlo, KeepsEveryAcceptedValueInOrder) {
    const InputDistribution x[] = {{0.0, 1.0}};
    using Model = double (*)(double);
    const Model models[] = {
        [](double v) { return std::floor(4.0 * v) * 0.25; },  // few values, each many times
        [](double v) { return v * 1e-300; },                   // tiny, of both signs
        [](double v) { return std::exp(40.0 * v); },           // wide range of magnitudes
        [](double v) { return 1e6 + 1e-9 * v; },               // close together: high bytes shared
    };
    for (Model model : models) {
        std::vector<double> given;
        const EvaluatorFactory factory = [&] {
            return [&](std::span<const double> in, std::span<double> y) {
                if (in[0] > 2.5) return 1;  // some refused, so blocks hold fewer values than draws
                y[0] = model(in[0]);
                given.push_back(y[0]);
                return 0;
            };
        };
        Options o;
        o.draws = 23456;
        o.threads = 1;
        const Outcome r = Evaluate(x, 1, factory, o);
        std::sort(given.begin(), given.end());
        ASSERT_EQ(r.sorted[0].size(), given.size());
        EXPECT_GT(r.refused, 0u);
        EXPECT_TRUE(std::equal(given.begin(), given.end(), r.sorted[0].begin(),
                               [](double a, double b) { return a == b; }));
        EXPECT_TRUE(std::is_sorted(r.sorted[0].begin(), r.sorted[0].end()));
    }
}

// The bars tile the drawn axis: a value inside the axis is in a bar, and only
// what lies beyond the axis is counted as left off.
TEST(MonteCarlo, HistogramLeavesOffOnlyWhatLiesBeyondItsAxis) {
    std::vector<double> uniform;
    for (int i = 0; i < 10000; ++i) uniform.push_back(i / 10000.0);
    std::vector<double> outlier = uniform;
    outlier.back() = 50.0;  // one far outlier must not squeeze the rest into one bin
    // A normal sample: its far tail reaches past the 0.05 % quantile but
    // mostly stays within the round axis around it.
    std::vector<double> normal;
    for (int i = 1; i < 40000; ++i) normal.push_back(NormalQuantile(i / 40000.0));
    const struct {
        const std::vector<double>* values;
        double markLow, markHigh;
    } cases[] = {{&uniform, 0.1, 0.9}, {&outlier, 0.1, 0.9}, {&normal, -1.96, 1.96}, {&normal, -3.5, 1.0}};
    for (const auto& c : cases) {
        const std::vector<double>& v = *c.values;
        const Histogram h = MakeHistogram(v, 40, c.markLow, c.markHigh);
        const auto below = static_cast<std::size_t>(std::count_if(v.begin(), v.end(), [&](double x) {
            return x < h.axis.low;
        }));
        const auto above = static_cast<std::size_t>(std::count_if(v.begin(), v.end(), [&](double x) {
            return x > h.axis.high;
        }));
        EXPECT_EQ(h.below, below);
        EXPECT_EQ(h.above, above);
        std::size_t inBars = 0;
        for (std::size_t count : h.counts) inBars += count;
        EXPECT_EQ(inBars + below + above, v.size());
        EXPECT_GE(h.counts.size(), 40u);
        EXPECT_DOUBLE_EQ(h.binLow, h.axis.low);
        EXPECT_NEAR(h.binLow + h.binWidth * static_cast<double>(h.counts.size()), h.axis.high, 1e-9);
        EXPECT_LE(h.axis.low, c.markLow);
        EXPECT_GE(h.axis.high, c.markHigh);
    }
    // The outlier is left off; the body keeps its bins.
    const Histogram h = MakeHistogram(outlier, 40, 0.1, 0.9);
    EXPECT_EQ(h.above, 1u);
    EXPECT_LT(h.axis.high, 2.0);
    // A unit of display is applied to every value and to nothing else.
    const Histogram kelvin = MakeHistogram(uniform, 40, 273.25, 274.05, [](double t) { return t + 273.15; });
    EXPECT_GT(kelvin.axis.low, 270.0);
    EXPECT_EQ(kelvin.below + kelvin.above, 0u);
}
