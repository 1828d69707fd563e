#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "physics/humidity_engine.h"

using namespace wegator;

namespace {

constexpr PreferenceList kContentFirst = {kInputDewPoint, kInputT, kInputP1, kInputP2};

HumidityResult Content(const HumidityEngine& e, ContentQuantity q, double value, double t, double p1, double p2,
                       const PreferenceList& pref = kContentFirst, double u = 0.0) {
    return e.ComputeFromMoistureContent(q, value, u, t, u, p1, u, p2, false, pref, "°C", "kPa", ".");
}

HumidityResult Psychro(const HumidityEngine& e, double t, double tw, double pb, std::array<int, 3> pref,
                       double u = 0.0, bool formula = false) {
    return e.ComputeFromPsychrometer(t, u, tw, u, pb, u, formula, pref, "°C", "kPa", ".");
}

double LimitIn(const std::string& message) {
    return std::stod(message.substr(message.rfind(' ') + 1));
}

}  // namespace

TEST(MoistureContent, VolumeFractionIsKeptFromP1ToP2) {
    const HumidityEngine e;
    for (double p2 : {50.0, 100.0, 400.0}) {
        const HumidityResult r = Content(e, ContentQuantity::Ppmv, 5000, 20, 100, p2);
        ASSERT_FALSE(r.failed) << r.message;
        for (Phase ph : {Phase::Water, Phase::Ice}) {
            EXPECT_NEAR(r.Value(Quantity::Ppmv, ph), 5000.0, 1e-9);
            EXPECT_DOUBLE_EQ(r.Value(Quantity::VapourPressure, ph), 1000.0 * p2 * 5000 / 1005000);
        }
    }
    // x = 10 g/kg is 16077.17 ppm by volume.
    const HumidityResult x = Content(e, ContentQuantity::MixingRatio, 10, 30, 101.325, 101.325);
    ASSERT_FALSE(x.failed) << x.message;
    EXPECT_NEAR(x.Value(Quantity::VapourPressure, Phase::Water),
                1000 * 101.325 * 16077.17041800643 / 1016077.17041800643, 1e-9);
    EXPECT_NEAR(x.Value(Quantity::MixingRatio, Phase::Water), 10.0, 1e-9);
    const HumidityResult w = Content(e, ContentQuantity::Ppmw, 10000, 30, 101.325, 101.325);
    EXPECT_NEAR(w.Value(Quantity::Ppmw, Phase::Ice), 10000.0, 1e-8);
}

TEST(MoistureContent, FormulaTermReachesTheDewPointNotTheContent) {
    const HumidityEngine e;
    const HumidityResult r = e.ComputeFromMoistureContent(ContentQuantity::Ppmv, 5000, 0, 20, 0, 100, 0, 100, true,
                                                          kContentFirst, "°C", "kPa", ".");
    ASSERT_FALSE(r.failed);
    // The content itself is exact; the dew point found by inverting the formulas is not.
    EXPECT_EQ(r.Uncertainty(Quantity::Ppmv, Phase::Water), 0.0);
    EXPECT_EQ(r.Uncertainty(Quantity::VapourPressure, Phase::Water), 0.0);
    EXPECT_GT(r.Uncertainty(Quantity::DewFrostPoint, Phase::Water), 0.005);
    EXPECT_GT(r.Uncertainty(Quantity::DewFrostPoint, Phase::Ice), 0.005);
    EXPECT_GT(r.Uncertainty(Quantity::BulbTemperature, Phase::Water), 0.0);
    EXPECT_GT(r.Uncertainty(Quantity::SaturationVapourPressure, Phase::Water), 0.0);
}

TEST(MoistureContent, DewPointRouteIsTheDewPointAndTemperatureCalculation) {
    const HumidityEngine e;
    const HumidityResult a = e.ComputeFromMoistureContent(ContentQuantity::DewPoint, -12, 0.1, 5, 0.1, 100, 0.2,
                                                          120, true, kContentFirst, "°C", "kPa", ".");
    const HumidityResult b = e.ComputeFromDewPointAndTemperature(5, 0.1, -12, 0.1, 100, 0.2, 120, true,
                                                                 kContentFirst, "°C", "kPa", ".");
    ASSERT_FALSE(a.failed);
    EXPECT_EQ(a.values, b.values);
    // Its supersaturation checks consult the three most recent edits only.
    const PreferenceList tThenDp = {kInputT, kInputT, kInputT, kInputDewPoint};
    EXPECT_EQ(e.ComputeFromDewPointAndTemperature(99, 0, 99, 0, 100, 0, 200, false, tThenDp, "°C", "kPa", ".")
                  .messageId,
              102);
    EXPECT_EQ(e.ComputeFromMoistureContent(ContentQuantity::DewPoint, 99, 0, 99, 0, 100, 0, 200, false, tThenDp,
                                           "°C", "kPa", ".")
                  .messageId,
              26);
}

TEST(MoistureContent, ContentLimitsInTheChosenQuantity) {
    const HumidityEngine e;
    struct Case {
        ContentQuantity q;
        double value;
        int id;
    };
    // Far too much water for air at 20 °C: the content must come down.
    for (const Case& c : {Case{ContentQuantity::Ppmv, 200000, 110}, Case{ContentQuantity::Ppmw, 100000, 153},
                          Case{ContentQuantity::MixingRatio, 100, 156}}) {
        const HumidityResult r = Content(e, c.q, c.value, 20, 101.325, 101.325);
        ASSERT_TRUE(r.failed);
        EXPECT_EQ(r.messageId, c.id);
        const double limit = LimitIn(r.message);
        // The message prints seven decimals, so allow for its rounding.
        EXPECT_FALSE(Content(e, c.q, limit - 1e-7, 20, 101.325, 101.325).failed);
        EXPECT_EQ(Content(e, c.q, limit * (1 + 1e-6), 20, 101.325, 101.325).messageId, c.id);
    }
    // The temperature named instead when it was edited last.
    const HumidityResult t = Content(e, ContentQuantity::Ppmv, 200000, 20, 101.325, 101.325,
                                     {kInputT, kInputDewPoint, kInputP1, kInputP2});
    EXPECT_EQ(t.messageId, 101);
    // P1 no longer changes the vapour pressure, so it has no limit: the next entry is named.
    EXPECT_EQ(Content(e, ContentQuantity::Ppmv, 200000, 20, 100, 100, {kInputP1, kInputP2, kInputT, kInputT})
                  .messageId,
              100);
}

TEST(Psychrometer, ReadingGivesTheVapourPressureOfMoistAir) {
    const HumidityEngine e;
    const HumidityResult r = Psychro(e, 20, 15, 101.325, {kInputT, kInputBulb, kInputP1}, 0.1, true);
    ASSERT_FALSE(r.failed) << r.message;
    const double ew = e.PsychrometricPressureWater(20, 15, 101.325);
    EXPECT_NEAR(ew, 1370.2121, 5e-5);
    const double f = e.EnhancementFactorWater(ew, e.SaturationTemperatureWater(ew), 101325);
    EXPECT_NEAR(r.Value(Quantity::VapourPressure, Phase::Water), ew * f, 1e-9);
    const double ei = e.PsychrometricPressureIce(20, 15, 101.325);
    // An iced bulb above 0 °C reads with the smaller ice constant.
    EXPECT_GT(ei, ew);
    EXPECT_NEAR(r.Value(Quantity::VapourPressure, Phase::Ice),
                ei * e.EnhancementFactorIce(ei, e.SaturationTemperatureIce(ei), 101325), 1e-9);
    // The T and Tw/Ti rows repeat the reading.
    for (Phase ph : {Phase::Water, Phase::Ice}) {
        EXPECT_EQ(r.Value(Quantity::Temperature, ph), 20.0);
        EXPECT_EQ(r.Uncertainty(Quantity::Temperature, ph), 0.1);
        EXPECT_EQ(r.Value(Quantity::BulbTemperature, ph), 15.0);
        EXPECT_EQ(r.Uncertainty(Quantity::BulbTemperature, ph), 0.1);
        EXPECT_GT(r.Uncertainty(Quantity::VapourPressure, ph), 0.0);
    }
    // Zero uncertainties and no formula term: nothing to propagate.
    const HumidityResult exact = Psychro(e, 20, 15, 101.325, {kInputT, kInputBulb, kInputP1});
    for (std::size_t i = 1; i < exact.values.size(); i += 2) EXPECT_EQ(exact.values[i], 0.0);
}

TEST(Psychrometer, SaturatedReadingIsAccepted) {
    HumidityEngine e;
    for (int set : {0, 1}) {
        e.SetFormulaSet(set);
        // At 20 MPa and -90 °C the enhancement factor is near 150 and moves fast with temperature.
        for (double pb : {101.325, 3.0, 20000.0}) {
            for (double t : {-90.0, -30.0, -0.5, 0.0, 12.3, 45.0, 80.0}) {
                if (pb == 3.0 && t > 20.0) continue;  // more vapour than air
                const HumidityResult r = Psychro(e, t, t, pb, {kInputT, kInputBulb, kInputP1});
                ASSERT_FALSE(r.failed) << t << " °C at " << pb << " kPa: " << r.message;
                EXPECT_NEAR(r.Value(Quantity::RelativeHumidity, Phase::Water), 100.0, 1e-9);
            }
        }
    }
}

TEST(Psychrometer, LimitsOfTheReading) {
    const HumidityEngine e;
    // A dry bulb far above a frozen wet bulb: no vapour left.
    const HumidityResult dry = Psychro(e, 40, 0, 101.325, {kInputT, kInputBulb, kInputP1});
    ASSERT_TRUE(dry.failed);
    EXPECT_EQ(dry.messageId, 136);
    const double tLimit = LimitIn(dry.message);
    EXPECT_FALSE(Psychro(e, tLimit - 1e-6, 0, 101.325, {kInputT, kInputBulb, kInputP1}).messageId == 136);
    EXPECT_EQ(Psychro(e, tLimit + 1e-6, 0, 101.325, {kInputT, kInputBulb, kInputP1}).messageId, 136);
    EXPECT_EQ(Psychro(e, 40, 0, 101.325, {kInputBulb, kInputT, kInputP1}).messageId, 137);
    EXPECT_EQ(Psychro(e, 40, 0, 101.325, {kInputP1, kInputT, kInputBulb}).messageId, 135);
    // Vapour above the barometric pressure: Pb must rise.
    const HumidityResult thin = Psychro(e, 50, 50, 3, {kInputP1, kInputT, kInputBulb});
    ASSERT_TRUE(thin.failed);
    EXPECT_EQ(thin.messageId, 147);
    const double pLimit = LimitIn(thin.message);
    EXPECT_FALSE(Psychro(e, 50, 50, pLimit + 1e-5, {kInputP1, kInputT, kInputBulb}).failed);
    EXPECT_EQ(Psychro(e, 50, 50, pLimit - 1e-5, {kInputP1, kInputT, kInputBulb}).messageId, 147);
}
