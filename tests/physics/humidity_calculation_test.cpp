#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "physics/humidity_engine.h"

using namespace wegator;

namespace {

constexpr PreferenceList kTFirst = {kInputT, kInputDewPoint, kInputP1, kInputP2};
constexpr PreferenceList kDpFirst = {kInputDewPoint, kInputT, kInputP1, kInputP2};

HumidityResult Dt(const HumidityEngine& e, double t, double dp, double p1, double p2,
                  const PreferenceList& pref = kTFirst, double u = 0.0, bool formula = false,
                  std::string_view tUnit = "°C", std::string_view sign = ".") {
    return e.ComputeFromDewPointAndTemperature(t, u, dp, u, p1, u, p2, formula, pref, tUnit, "kPa", sign);
}
HumidityResult Th(const HumidityEngine& e, double t, double rh, double p1, double p2,
                  const PreferenceList& pref, double u = 0.0, bool formula = false) {
    return e.ComputeFromTemperatureAndHumidity(t, u, rh, u, p1, u, p2, formula, pref, "°C", "kPa", ".");
}
HumidityResult Dh(const HumidityEngine& e, double rh, double dp, double p1, double p2,
                  const PreferenceList& pref, double u = 0.0, bool formula = false) {
    return e.ComputeFromDewPointAndHumidity(rh, u, dp, u, p1, u, p2, formula, pref, "°C", "kPa", ".");
}

// The number at the end of a limit message, read back with either decimal sign.
double LimitIn(const std::string& message) {
    std::string number = message.substr(message.rfind(' ') + 1);
    for (char& c : number) {
        if (c == ',') c = '.';
    }
    return std::stod(number);
}

std::string Fixed7(double v, char sign) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.7f", v);
    std::string s = buf;
    for (char& c : s) {
        if (c == '.') c = sign;
    }
    return s;
}

void ExpectAllFinite(const HumidityResult& r) {
    for (double v : r.values) ASSERT_TRUE(std::isfinite(v));
}

}  // namespace

TEST(HumidityCalculation, DewPointAndTemperatureAtOnePressure) {
    const HumidityEngine e;
    const HumidityResult r = Dt(e, 20, 10, 101.325, 101.325);
    ASSERT_FALSE(r.failed);
    EXPECT_TRUE(r.message.empty());
    for (Phase ph : {Phase::Water, Phase::Ice}) {
        // Above 0 °C both columns describe the same air.
        EXPECT_NEAR(r.Value(Quantity::DewFrostPoint, ph), 10.0, 1e-9);
        EXPECT_EQ(r.Value(Quantity::Temperature, ph), 20.0);
        EXPECT_NEAR(r.Value(Quantity::RelativeHumidity, ph), 52.4944, 1e-3);
        EXPECT_DOUBLE_EQ(r.Value(Quantity::Ppmw, ph), 0.622 * r.Value(Quantity::Ppmv, ph));
        EXPECT_DOUBLE_EQ(r.Value(Quantity::MixingRatio, ph), r.Value(Quantity::Ppmw, ph) / 1000);
        EXPECT_DOUBLE_EQ(r.Value(Quantity::Enthalpy, ph), Enthalpy(20, r.Value(Quantity::Ppmw, ph)));
    }
    // The wet bulb sees the vapour pressure back through the psychrometer equation.
    const double tw = r.Value(Quantity::BulbTemperature, Phase::Water);
    EXPECT_NEAR(e.PsychrometricPressureWater(20, tw, 101.325), e.SaturationPressureWater(10), 1e-5);
    EXPECT_LT(r.Value(Quantity::BulbTemperature, Phase::Ice), tw);
    // Saturated air is exactly 100 %, never above.
    const HumidityResult sat = Dt(e, 15, 15, 100, 100);
    ASSERT_FALSE(sat.failed);
    EXPECT_EQ(sat.Value(Quantity::RelativeHumidity, Phase::Water), 100.0);
    EXPECT_NEAR(Enthalpy(20, 10000), 10.844, 1e-12);
    EXPECT_EQ(Enthalpy(0, 0), 0.0);
}

TEST(HumidityCalculation, PressureChangeBetweenP1AndP2) {
    const HumidityEngine e;
    const HumidityResult at1 = Dt(e, 30, 5, 100, 100);
    const HumidityResult at2 = Dt(e, 30, 5, 100, 200);
    ASSERT_FALSE(at1.failed);
    ASSERT_FALSE(at2.failed);
    const double f1 = e.EnhancementFactorWater(e.SaturationPressureWater(5), 5, 100000);
    const double f2 = e.EnhancementFactorWater(e.SaturationPressureWater(5), 5, 200000);
    EXPECT_NEAR(at2.Value(Quantity::VapourPressure, Phase::Water),
                2 * at1.Value(Quantity::VapourPressure, Phase::Water) * f2 / f1, 1e-9);
    EXPECT_NEAR(at2.Value(Quantity::Ppmv, Phase::Water) / at1.Value(Quantity::Ppmv, Phase::Water), f2 / f1, 1e-4);
    EXPECT_GT(at2.Value(Quantity::DewFrostPoint, Phase::Water), 5.0);
}

TEST(HumidityCalculation, TheThreeCalculationsAgree) {
    for (int set : {0, 1}) {
        HumidityEngine e;
        e.SetFormulaSet(set);
        for (double t : {-40.0, -5.0, 25.0, 80.0}) {
            for (double dp : {t - 30.0, t - 2.0}) {
                const HumidityResult dt = Dt(e, t, dp, 101.325, 101.325);
                ASSERT_FALSE(dt.failed) << dt.message;
                for (Phase ph : {Phase::Water, Phase::Ice}) {
                    const double rh = dt.Value(Quantity::RelativeHumidity, ph);
                    const HumidityResult th = e.ComputeFromTemperatureAndHumidity(
                        t, 0, rh, 0, 101.325, 0, 101.325, false, kTFirst, "°C", "kPa", ".");
                    ASSERT_FALSE(th.failed) << th.message;
                    EXPECT_NEAR(th.Value(Quantity::DewFrostPoint, ph), dt.Value(Quantity::DewFrostPoint, ph), 1e-8)
                        << "t " << t << " dp " << dp << " set " << set;
                    const HumidityResult dh = Dh(e, rh, dt.Value(Quantity::DewFrostPoint, ph), 101.325, 101.325,
                                                 kTFirst);
                    ASSERT_FALSE(dh.failed) << dh.message;
                    EXPECT_NEAR(dh.Value(Quantity::Temperature, ph), t, 1e-8);
                    EXPECT_NEAR(dh.Value(Quantity::Ppmv, ph), dt.Value(Quantity::Ppmv, ph),
                                1e-8 * dt.Value(Quantity::Ppmv, ph));
                }
            }
        }
    }
}

TEST(HumidityCalculation, UncertaintiesVanishWithoutInputsAndFormulaTerm) {
    const HumidityEngine e;
    for (const HumidityResult& r :
         {Dt(e, 20, -10, 100, 150), Th(e, -20, 70, 100, 90, kTFirst), Dh(e, 40, -3, 100, 100, kTFirst)}) {
        ASSERT_FALSE(r.failed) << r.message;
        for (std::size_t i = 1; i < r.values.size(); i += 2) EXPECT_EQ(r.values[i], 0.0) << i;
    }
}

TEST(HumidityCalculation, FormulaTermAlone) {
    const HumidityEngine e;
    const HumidityResult r = Dt(e, 25, 20, 101.325, 101.325, kTFirst, 0.0, true);
    ASSERT_FALSE(r.failed);
    const double wvp = r.Value(Quantity::VapourPressure, Phase::Water);
    // (1 + 0.0001)·1.0008 on the saturation pressure at the dew point, plus the tiny
    // change of the enhancement factor itself.
    EXPECT_NEAR(r.Uncertainty(Quantity::VapourPressure, Phase::Water) / wvp, 0.0009, 2e-5);
    // The dew point at P2 comes from the shifted vapour pressures: about 0.0009·WVP
    // divided by the slope of the saturation curve (about 6 %/K at 20 °C).
    EXPECT_NEAR(r.Uncertainty(Quantity::DewFrostPoint, Phase::Water), 0.0009 / 0.0626, 1e-3);
    EXPECT_GT(r.Uncertainty(Quantity::SaturationVapourPressure, Phase::Water), 0.0);
    EXPECT_EQ(r.Uncertainty(Quantity::Temperature, Phase::Water), 0.0);
    // Near 0 °C the dew point still carries the formula term.
    const HumidityResult cold = Dt(e, 10, 0.01, 101.325, 101.325, kTFirst, 0.0, true);
    EXPECT_GT(cold.Uncertainty(Quantity::DewFrostPoint, Phase::Water), 0.01);
}

TEST(HumidityCalculation, UncertaintyGuards) {
    const HumidityEngine e;
    // RH near saturation with a large uncertainty stays capped.
    const HumidityResult wet = e.ComputeFromTemperatureAndHumidity(20, 0.1, 99.9, 60, 100, 0, 100, true, kTFirst,
                                                                   "°C", "kPa", ".");
    ASSERT_FALSE(wet.failed);
    EXPECT_LE(wet.Uncertainty(Quantity::RelativeHumidity, Phase::Water), 100.0);
    const HumidityResult dtWet = e.ComputeFromDewPointAndTemperature(20, 5, 19.99, 5, 100, 0, 100, true, kTFirst,
                                                                     "°C", "kPa", ".");
    ASSERT_FALSE(dtWet.failed);
    EXPECT_LE(dtWet.Uncertainty(Quantity::RelativeHumidity, Phase::Water), 100.0);
    // u(P1) larger than P1: the lowered pressure is 0.1 kPa, the results stay finite.
    const HumidityResult big = e.ComputeFromDewPointAndTemperature(20, 0, 10, 0, 50, 80, 50, false, kTFirst, "°C",
                                                                   "kPa", ".");
    ASSERT_FALSE(big.failed);
    ExpectAllFinite(big);
    EXPECT_GT(big.Uncertainty(Quantity::VapourPressure, Phase::Water), 1000.0);
    // A negative temperature uncertainty counts by its magnitude.
    const HumidityResult neg = e.ComputeFromDewPointAndTemperature(20, -0.2, 10, 0, 100, 0, 100, false, kTFirst,
                                                                   "°C", "kPa", ".");
    EXPECT_EQ(neg.Uncertainty(Quantity::Temperature, Phase::Ice), 0.2);
    EXPECT_GT(neg.Uncertainty(Quantity::RelativeHumidity, Phase::Water), 0.0);
}

TEST(HumidityCalculation, SupersaturationMessageNamesTheLastEditedInput) {
    const HumidityEngine e;
    // DP = T = 20 °C at 100 kPa compressed to 110 kPa condenses.
    const HumidityResult r = Dt(e, 20, 20, 100, 110, kTFirst, 0.0, false, "°C", ",");
    ASSERT_TRUE(r.failed);
    EXPECT_EQ(r.messageId, 101);
    const double es = e.SaturationPressureWater(20);
    const double wvp = es * e.EnhancementFactorWater(es, 20, 110000) * 110 / 100;
    const double limit = e.DewPoint(wvp, 110000) - 5e-8;
    EXPECT_EQ(r.message, "Obliczona wartość SWVP nad wodą poza dopuszczalnym zakresem:\n"
                         "Temperatura powinna być większa od " + Fixed7(limit, ','));
    EXPECT_EQ(r.message.find('.'), std::string::npos);
    // The same limit in °F with a point.
    const HumidityResult f = Dt(e, 20, 20, 100, 110, kTFirst, 0.0, false, "°F", ".");
    EXPECT_EQ(f.message.substr(f.message.rfind(' ') + 1), Fixed7(limit * 1.8 + 32, '.'));
    // Blaming the dew point, the input pressure, the output pressure.
    EXPECT_EQ(Dt(e, 20, 20, 100, 110, kDpFirst).messageId, 102);
    EXPECT_EQ(Dt(e, 20, 20, 100, 110, {kInputP1, kInputT, kInputT, kInputT}).messageId, 99);
    EXPECT_EQ(Dt(e, 20, 20, 100, 110, {kInputP2, kInputT, kInputT, kInputT}).messageId, 100);
    // RH has no limit in this check: the next code is taken.
    EXPECT_EQ(Dt(e, 20, 20, 100, 110, {kInputRh, kInputP2, kInputT, kInputT}).messageId, 100);
}

// A limit plugged back: on its allowed side the failed check passes, a little
// beyond it the same message comes back.
struct LimitCase {
    const char* name;
    int given;  // 0 DT, 1 TH, 2 DH
    double a, b, p1, p2;
    PreferenceList pref;
    int expectedId;
    bool upperBound;  // the message says "mniejsza lub równa od"
};

void PrintTo(const LimitCase& c, std::ostream* os) { *os << c.name; }

class HumidityLimit : public testing::TestWithParam<LimitCase> {};

TEST_P(HumidityLimit, HoldsOnItsSideAndFailsBeyond) {
    const LimitCase& c = GetParam();
    const HumidityEngine e;
    auto run = [&](int code, double value) {
        double in[5] = {c.p1, 0, 0, 0, c.p2};  // indexed by input code
        if (c.given == 0) in[kInputT] = c.a, in[kInputDewPoint] = c.b;
        if (c.given == 1) in[kInputT] = c.a, in[kInputRh] = c.b;
        if (c.given == 2) in[kInputRh] = c.a, in[kInputDewPoint] = c.b;
        if (code >= 0) in[code] = value;
        if (c.given == 0) return Dt(e, in[kInputT], in[kInputDewPoint], in[kInputP1], in[kInputP2], c.pref);
        if (c.given == 1) return Th(e, in[kInputT], in[kInputRh], in[kInputP1], in[kInputP2], c.pref);
        return Dh(e, in[kInputRh], in[kInputDewPoint], in[kInputP1], in[kInputP2], c.pref);
    };
    const HumidityResult failed = run(-1, 0);
    ASSERT_TRUE(failed.failed);
    ASSERT_EQ(failed.messageId, c.expectedId) << failed.message;
    const double limit = LimitIn(failed.message);
    const int code = c.pref[0];
    const double step = 1e-6 * std::max(1.0, std::abs(limit));
    const double allowed = c.upperBound ? limit : limit + step;
    const double beyond = c.upperBound ? limit + step : limit - step;
    const HumidityResult ok = run(code, allowed);
    EXPECT_TRUE(!ok.failed || ok.messageId != c.expectedId) << c.name << ": " << ok.message;
    EXPECT_EQ(run(code, beyond).messageId, c.expectedId) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Checks, HumidityLimit,
    testing::Values(
        LimitCase{"dt_t", 0, 20, 20, 100, 110, {kInputT}, 101, false},
        LimitCase{"dt_dp", 0, 20, 20, 100, 110, {kInputDewPoint}, 102, true},
        LimitCase{"dt_p1", 0, 20, 20, 100, 110, {kInputP1}, 99, false},
        LimitCase{"dt_p2", 0, 20, 20, 100, 110, {kInputP2}, 100, true},
        LimitCase{"dt_frost_dp", 0, 20, -99.5, 100, 80, {kInputDewPoint}, 113, false},
        LimitCase{"dt_frost_p1", 0, 20, -99.5, 100, 80, {kInputP1}, 105, true},
        LimitCase{"dt_frost_p2", 0, 20, -99.5, 100, 80, {kInputP2}, 106, false},
        LimitCase{"dt_ppmv_dp", 0, 100, 90, 50, 50, {kInputDewPoint}, 91, true},
        LimitCase{"dt_ppmv_p1", 0, 100, 90, 50, 50, {kInputP1}, 92, false},
        LimitCase{"th_rh", 1, 20, 80, 100, 150, {kInputRh}, 73, true},
        LimitCase{"th_p1", 1, 20, 80, 100, 150, {kInputP1}, 74, false},
        LimitCase{"th_p2", 1, 20, 80, 100, 150, {kInputP2}, 75, true},
        LimitCase{"th_frost_t", 1, -90, 5, 100, 100, {kInputT}, 120, false},
        LimitCase{"th_frost_rh", 1, -90, 5, 100, 100, {kInputRh}, 134, false},
        LimitCase{"th_ppmv_rh", 1, 99, 60, 50, 50, {kInputRh}, 121, true},
        LimitCase{"th_ppmv_t", 1, 99, 60, 50, 50, {kInputT}, 122, true},
        LimitCase{"dh_temp_rh", 2, 1, 90, 100, 100, {kInputRh}, 87, false},
        LimitCase{"dh_temp_dp", 2, 1, 90, 100, 100, {kInputDewPoint}, 88, true},
        LimitCase{"dh_dew_dp", 2, 40, 99, 100, 200, {kInputDewPoint}, 80, true},
        LimitCase{"dh_dew_p2", 2, 40, 99, 100, 200, {kInputP2}, 82, true}),
    [](const testing::TestParamInfo<LimitCase>& info) { return std::string(info.param.name); });

TEST(HumidityCalculation, InadmissibleLimitsFallThroughToMessage26) {
    const HumidityEngine e;
    // No input of the list has a limit in the frost-point check.
    const HumidityResult none = Dt(e, 20, -99.5, 100, 80, {kInputT, kInputRh, kInputT, kInputRh});
    ASSERT_TRUE(none.failed);
    EXPECT_EQ(none.messageId, 26);
    EXPECT_EQ(none.message, "Wartości wejściowe poza zakresem");
    // The temperature that would bring a dew point of 95 °C at double pressure
    // below saturation lies above 100 °C: skipped, the dew point is blamed instead.
    const HumidityResult skip = Dt(e, 99, 95, 100, 200, {kInputT, kInputDewPoint, kInputP1, kInputP1});
    ASSERT_TRUE(skip.failed);
    EXPECT_EQ(skip.messageId, 102);
    // P1 of the list: the pressure needed is within the ratio range, so it is told.
    EXPECT_EQ(Dt(e, 99, 95, 100, 200, {kInputP1, kInputT, kInputT, kInputT}).messageId, 99);
}

TEST(HumidityCalculation, ExtremeFiniteInputsGiveResultsOrMessages) {
    HumidityEngine e;
    const double temps[] = {-100, -60, -0.001, 0, 45, 100};
    const double rhs[] = {1e-7, 0.5, 60, 100};
    const double pressures[][2] = {{3, 3}, {3, 60}, {100, 3}, {20000, 20000}, {20000, 600}, {1000, 20000}};
    const double us[] = {0, 99.9};
    int results = 0, messages = 0;
    auto tally = [&](const HumidityResult& r) {
        if (r.failed) {
            EXPECT_FALSE(r.message.empty());
            ++messages;
        } else {
            ExpectAllFinite(r);
            ++results;
        }
    };
    for (int set : {0, 1}) {
        e.SetFormulaSet(set);
        for (double t : temps) {
            for (const auto& p : pressures) {
                for (double u : us) {
                    for (double dp : temps) {
                        if (dp > t) continue;
                        tally(e.ComputeFromDewPointAndTemperature(t, u, dp, u, p[0], u, p[1], true, kDpFirst,
                                                                  "°C", "kPa", "."));
                    }
                    for (double rh : rhs) {
                        tally(e.ComputeFromTemperatureAndHumidity(t, u, rh, u, p[0], u, p[1], true, kTFirst,
                                                                  "°K", "mmHg", ","));
                        tally(e.ComputeFromDewPointAndHumidity(rh, u, t, u, p[0], u, p[1], true,
                                                               {kInputRh, kInputP2, kInputP1, kInputDewPoint},
                                                               "°F", "MPa", "."));
                    }
                }
            }
        }
    }
    EXPECT_GT(results, 0);
    EXPECT_GT(messages, 0);
}

// A dew or frost point near -100 °C with a large uncertainty: the lowered
// state lies far below -100 °C, where the factor's fit no longer holds.
TEST(HumidityCalculation, LargeUncertaintiesFarBelowMinus100) {
    const HumidityEngine e;
    // With P1 = P2 the frost point at P2 is the input itself, and so is its
    // uncertainty (the formulas' term adds some 1e-5 K to it).
    const HumidityResult same = e.ComputeFromDewPointAndTemperature(20, 0, -99, 60, 10000, 0, 10000, true, kDpFirst,
                                                                    "°C", "kPa", ".");
    ASSERT_FALSE(same.failed) << same.message;
    EXPECT_NEAR(same.Uncertainty(Quantity::DewFrostPoint, Phase::Ice), 60.0, 5e-4);
    ExpectAllFinite(same);
    // Inputs that pass every check compute, whatever the blanked water column holds.
    const HumidityResult dh = e.ComputeFromDewPointAndHumidity(50, 0, -99, 5, 5000, 0, 5000, true, kDpFirst, "°C",
                                                               "kPa", ".");
    EXPECT_FALSE(dh.failed) << dh.message;
    const HumidityResult dt = e.ComputeFromDewPointAndTemperature(20, 0, -99, 80, 100, 0, 100, true, kDpFirst,
                                                                  "°C", "kPa", ".");
    EXPECT_FALSE(dt.failed) << dt.message;
    EXPECT_NEAR(dt.Uncertainty(Quantity::DewFrostPoint, Phase::Ice), 80.0, 5e-4);
}
