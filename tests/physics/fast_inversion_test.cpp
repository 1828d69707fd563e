// The fast inversions and the complete calculations built on them give the
// very doubles (and messages) of the plain bisections.
#include <gtest/gtest.h>

#include <random>

#include "inversion_sweep.h"
#include "physics/humidity_engine.h"

using namespace wegator;

namespace {

class InversionSweep : public testing::TestWithParam<int> {};

TEST_P(InversionSweep, FastEqualsBisectionBitForBit) {
    const auto which = static_cast<sweep::Inversion>(GetParam());
    sweep::Result result;
    sweep::Sweep(20250611u + static_cast<unsigned>(which)).Run(which, 1, result);
    EXPECT_EQ(result.inputs[which], sweep::kInputs[which]);
    EXPECT_EQ(result.mismatches[which], 0) << result.firstMismatch;
}

INSTANTIATE_TEST_SUITE_P(Inversions, InversionSweep, testing::Range(0, static_cast<int>(sweep::kInversionCount)),
                         [](const testing::TestParamInfo<int>& info) {
                             std::string name = sweep::kNames[static_cast<std::size_t>(info.param)];
                             return name.substr(0, name.find('/'));
                         });

// Complete calculations of every page, successful or failing with a limit
// message, with every input uncertain and the formulas' term on or off.
TEST(FastInversions, CompleteCalculationsEqualTheBisectionsOnes) {
    std::mt19937_64 random(7);
    const auto uniform = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(random); };
    HumidityEngine fast, reference;
    reference.SetInversions(HumidityEngine::Inversions::Bisection);
    const PreferenceList preferences[] = {{kInputT, kInputDewPoint, kInputP1, kInputP2},
                                          {kInputP2, kInputP1, kInputT, kInputDewPoint},
                                          {kInputDewPoint, kInputRh, kInputP1, kInputP2},
                                          {kInputP1, kInputRh, kInputT, kInputP2}};
    int failed = 0;
    for (int i = 0; i < 1500; ++i) {
        const int set = i % 2;
        fast.SetFormulaSet(set);
        reference.SetFormulaSet(set);
        const double p1 = std::exp(uniform(std::log(3.0), std::log(20000.0)));
        const double p2 = p1 * std::exp(uniform(-1.2, 1.2));
        const double t = uniform(-100.0, 100.0), dp = t - uniform(-5.0, 60.0), rh = uniform(0.0, 110.0);
        const double u = i % 3 == 0 ? 0.0 : uniform(0.0, 5.0);
        const bool formula = i % 4 != 0;
        const PreferenceList& preference = preferences[i % 4];
        const auto run = [&](const HumidityEngine& e) {
            switch (i % 6) {
                case 0: return e.ComputeFromDewPointAndTemperature(t, u, dp, u, p1, u, p2, formula, preference, "°C",
                                                                   "kPa", ",");
                case 1: return e.ComputeFromTemperatureAndHumidity(t, u, rh, u, p1, u, p2, formula, preference, "°F",
                                                                   "kPa", ".");
                case 2: return e.ComputeFromDewPointAndHumidity(rh, u, dp, u, p1, u, p2, formula, preference, "°C",
                                                                "MPa", ",");
                case 3: return e.ComputeFromMoistureContent(ContentQuantity::Ppmv, uniform(0.0, 3e5), u * 100, t, u,
                                                            p1, u, p2, formula, preference, "°C", "kPa", ",");
                case 4: return e.ComputeFromMoistureContent(ContentQuantity::DewPoint, dp, u, t, u, p1, u, p2,
                                                            formula, preference, "°K", "kPa", ",");
                default: return e.ComputeFromPsychrometer(t, u, t - uniform(-1.0, 20.0), u, p1, u, formula,
                                                          {preference[0], preference[1], preference[2]}, "°C", "kPa",
                                                          ",");
            }
        };
        std::mt19937_64 replay = random;  // the content draws the same number twice
        const HumidityResult a = run(fast);
        random = replay;
        const HumidityResult b = run(reference);
        failed += a.failed ? 1 : 0;
        ASSERT_EQ(a.failed, b.failed) << i;
        ASSERT_EQ(a.message, b.message) << i;
        for (std::size_t k = 0; k < a.values.size(); ++k) {
            ASSERT_EQ(std::bit_cast<std::uint64_t>(a.values[k]), std::bit_cast<std::uint64_t>(b.values[k]))
                << "calculation " << i << ", value " << k << ": " << a.values[k] << " vs " << b.values[k];
        }
    }
    // Both kinds of outcome were compared.
    EXPECT_GT(failed, 100);
    EXPECT_LT(failed, 1400);
}

}  // namespace
