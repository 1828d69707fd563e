#include <gtest/gtest.h>

#include <cmath>

#include "physics/humidity_engine.h"

using namespace wegator;

namespace {
HumidityEngine Engine(int set) {
    HumidityEngine e;
    e.SetFormulaSet(set);
    return e;
}
constexpr double kAtm = 101325.0;
}  // namespace

TEST(HumidityEngine, SaturationPressuresOfBothFormulaSets) {
    const HumidityEngine its = Engine(0);
    EXPECT_NEAR(its.SaturationPressureWater(0), 611.2129, 5e-5);
    EXPECT_NEAR(its.SaturationPressureIce(0), 611.1536, 5e-5);  // at exactly 0 °C the ice formula
    EXPECT_NEAR(its.SaturationPressureWater(20), 2339.262, 5e-4);
    EXPECT_NEAR(its.SaturationPressureWater(100), 101417.8, 5e-2);
    EXPECT_NEAR(its.SaturationPressureIce(-100), 0.0014019, 5e-8);
    EXPECT_EQ(its.SaturationPressureIce(0.001), its.SaturationPressureWater(0.001));

    const HumidityEngine guide = Engine(1);
    EXPECT_NEAR(guide.SaturationPressureWater(0), 611.2128, 5e-5);
    EXPECT_NEAR(guide.SaturationPressureWater(20), 2339.249, 5e-4);
    // Any nonzero formula set means the guide's formulas.
    EXPECT_EQ(Engine(7).SaturationPressureWater(20), guide.SaturationPressureWater(20));
    EXPECT_NE(its.SaturationPressureIce(-30), guide.SaturationPressureIce(-30));
}

TEST(HumidityEngine, AtAndBelowAbsoluteZeroPressuresStayTinyAndPositive) {
    for (int set : {0, 1}) {
        const HumidityEngine e = Engine(set);
        for (double t : {-273.15, -273.14, -300.0, -1e6}) {
            const double ew = e.SaturationPressureWater(t), ei = e.SaturationPressureIce(t);
            EXPECT_GT(ew, 0.0);
            EXPECT_LT(ew, 1e-100);
            EXPECT_GT(ei, 0.0);
            EXPECT_FALSE(std::isnan(e.EnhancementFactorIce(ei, t, kAtm)));
            EXPECT_FALSE(std::isnan(e.EnhancementFactorWater(ew, t, kAtm)));
        }
        EXPECT_EQ(e.SaturationPressureWater(-273.15), e.SaturationPressureWater(-273.14));
    }
}

TEST(HumidityEngine, EnhancementFactorRows) {
    const HumidityEngine e = Engine(0);
    const double es20 = e.SaturationPressureWater(20);
    EXPECT_NEAR(e.EnhancementFactorWater(es20, 20, kAtm), 1.003991, 5e-7);
    // Over ice at and above 0 °C the water factor applies.
    const double es0 = e.SaturationPressureIce(0);
    EXPECT_EQ(e.EnhancementFactorIce(es0, 0, kAtm), e.EnhancementFactorWater(es0, 0, kAtm));
    // At 0 °C water uses its upper row: continuous with small positive t, not with the t < 0 row.
    const double up = e.EnhancementFactorWater(es0, 1e-9, kAtm);
    EXPECT_NEAR(e.EnhancementFactorWater(es0, 0, kAtm), up, 1e-12);
    EXPECT_GT(std::abs(e.EnhancementFactorWater(es0, -1e-9, kAtm) - up), 1e-7);
    // At -50 °C ice still uses the -50…0 row: hand evaluation of that row.
    const double es = e.SaturationPressureIce(-50);
    const double t = -50;
    const double alpha = 3.61345e-4 + 2.9471685e-5 * t + 5.2191167e-7 * t * t + 5.019421e-9 * t * t * t;
    const double beta = std::exp(-10.7401 + 7.3698447e-2 * t - 2.6890021e-4 * t * t + 1.5395086e-6 * t * t * t);
    EXPECT_NEAR(e.EnhancementFactorIce(es, -50, kAtm),
                std::exp(alpha * (1 - es / kAtm) + beta * (kAtm / es - 1)), 1e-14);
    // A pressure of zero gives a number (no NaN from our arithmetic).
    EXPECT_FALSE(std::isnan(e.EnhancementFactorWater(es20, 20, 0.0)));
}

TEST(HumidityEngine, DewAndFrostPointsInvertTheVapourPressure) {
    for (int set : {0, 1}) {
        const HumidityEngine e = Engine(set);
        for (double p : {3000.0, kAtm, 2.0e6}) {
            for (double td = -100; td <= 100; td += 7.25) {
                const double es = e.SaturationPressureWater(td);
                EXPECT_NEAR(e.DewPoint(es * e.EnhancementFactorWater(es, td, p), p), td, 2e-11)
                    << "set " << set << " p " << p;
                const double ei = e.SaturationPressureIce(td);
                const double fi = td <= 0 ? e.EnhancementFactorIce(ei, td, p) : e.EnhancementFactorWater(ei, td, p);
                EXPECT_NEAR(e.FrostPoint(ei * fi, p), td, 2e-11) << "set " << set << " p " << p;
            }
        }
    }
}

TEST(HumidityEngine, DewPointBisectionEndsAndSentinels) {
    const HumidityEngine e = Engine(0);
    // Nothing is drier than no vapour: the search stays at its lower end.
    EXPECT_EQ(e.DewPoint(0.0, kAtm), -200.0);
    EXPECT_EQ(e.DewPoint(-5.0, kAtm), -200.0);
    EXPECT_EQ(e.FrostPoint(-5.0, kAtm), -200.0);
    EXPECT_NEAR(e.DewPoint(1e12, kAtm), 200.0, 1e-10);
    // Above e_w(0) the frost point is a dew point over water.
    const double wet = e.SaturationPressureWater(5) * e.EnhancementFactorWater(e.SaturationPressureWater(5), 5, kAtm);
    EXPECT_NEAR(e.FrostPoint(wet, kAtm), 5.0, 2e-11);
    EXPECT_EQ(e.FrostPoint(wet, kAtm), e.DewPoint(wet, kAtm));
}

TEST(HumidityEngine, SaturationTemperatures) {
    for (int set : {0, 1}) {
        const HumidityEngine e = Engine(set);
        for (double t = -90; t <= 150; t += 12.5) {
            EXPECT_NEAR(e.SaturationTemperatureWater(e.SaturationPressureWater(t)), t, 2e-11);
            EXPECT_NEAR(e.SaturationTemperatureIce(e.SaturationPressureIce(t)), t, 2e-11);
        }
        EXPECT_EQ(e.SaturationTemperatureIce(e.SaturationPressureWater(500) * 1.01), 100.0);
        EXPECT_EQ(e.SaturationTemperatureIce(0.0), -100.0);
        EXPECT_EQ(e.SaturationTemperatureIce(-1.0), -100.0);
        EXPECT_EQ(e.SaturationTemperatureWater(-1.0), -100.0);
        EXPECT_EQ(e.SaturationTemperatureWater(1e300), 100.0);
    }
}

TEST(HumidityEngine, FormulaUncertainties) {
    const HumidityEngine e;
    EXPECT_EQ(e.FormulaUncertaintyWater(0), 0.0001);
    EXPECT_EQ(e.FormulaUncertaintyWater(-0.001), 0.006);
    EXPECT_EQ(e.FormulaUncertaintyIce(0), 0.01);
    EXPECT_EQ(e.FormulaUncertaintyIce(0.001), 0.0001);
}

TEST(HumidityEngine, PsychrometerEquationAndItsInverse) {
    HumidityEngine e = Engine(0);
    EXPECT_NEAR(e.EffectiveConstantWater(20), 0.00066532864, 1e-15);
    EXPECT_NEAR(e.EffectiveConstantWater(15), 0.00066224648, 1e-14);
    EXPECT_NEAR(e.PsychrometricPressureWater(20, 15, 101.325), 1370.2121, 5e-5);
    // Saturated air: no depression, any pressure and constant.
    EXPECT_EQ(e.PsychrometricPressureWater(12, 12, 250), e.SaturationPressureWater(12));
    EXPECT_EQ(e.PsychrometricPressureIce(-12, -12, 90), e.SaturationPressureIce(-12));
    EXPECT_DOUBLE_EQ(e.PsychrometricPressureIce(-5, -8, 100), e.SaturationPressureIce(-8) - 0.000575 * 100000 * 3);

    for (double tw = -30; tw <= 40; tw += 5) {
        const double ew = e.PsychrometricPressureWater(tw + 4, tw, 101.325);
        EXPECT_NEAR(e.WetBulbTemperature(101.325, tw + 4, ew), tw, 1e-9);
        const double ei = e.PsychrometricPressureIce(tw + 4, tw, 95);
        EXPECT_NEAR(e.IceBulbTemperature(95, tw + 4, ei), tw, 1e-9);
    }
}

TEST(HumidityEngine, StoredConstantsAndTheDefaultBitPattern) {
    HumidityEngine e = Engine(0);
    const double withDefault = e.PsychrometricPressureWater(20, 15, 100);
    e.SetPsychrometerConstantWater(-1.0000001);
    EXPECT_EQ(e.EffectiveConstantWater(15), -1.0000001);
    EXPECT_NE(e.PsychrometricPressureWater(20, 15, 100), withDefault);
    e.SetPsychrometerConstantWater(-1.0);
    EXPECT_EQ(e.PsychrometricPressureWater(20, 15, 100), withDefault);
    e.SetPsychrometerConstantIce(0.0006);
    EXPECT_EQ(e.EffectiveConstantIce(), 0.0006);
    EXPECT_TRUE(IsDefaultConstant(-1.0));
    EXPECT_FALSE(IsDefaultConstant(std::nextafter(-1.0, 0.0)));
}

TEST(HumidityEngine, PsychrometerConstantFromAReference) {
    HumidityEngine e = Engine(0);
    // A reading made with a known constant gives that constant back.
    const double a = 0.0007;
    e.SetPsychrometerConstantWater(a);
    const double td = e.SaturationTemperatureWater(e.PsychrometricPressureWater(22, 16, 100));
    EXPECT_NEAR(e.PsychrometerConstantWater(22, 16, td, 100), a, 1e-9);
    e.SetPsychrometerConstantIce(0.0006);
    const double tf = e.SaturationTemperatureIce(e.PsychrometricPressureIce(-3, -6, 100));
    EXPECT_NEAR(e.PsychrometerConstantIce(-3, -6, tf, 100), 0.0006, 1e-9);
    // A reference equal to the wet bulb would need a constant of 0.
    EXPECT_EQ(e.PsychrometerConstantWater(20, 15, 15, 101.325), -1.0);
    // A reference far below needs more than 0.002.
    EXPECT_EQ(e.PsychrometerConstantWater(20, 15, -40, 101.325), -1.0);
}

// Below -100 °C the enhancement-factor fit is extrapolated; held at its
// -100 °C value, the moist-air saturation pressure keeps rising with t down to
// the end of the dew-point search, so its inverses find the one root there.
TEST(HumidityEngine, MoistSaturationPressureRisesBelowMinus100) {
    for (int set : {0, 1}) {
        const HumidityEngine e = Engine(set);
        for (double p : {3000.0, kAtm, 1e7, 2e7}) {
            for (Phase ph : {Phase::Water, Phase::Ice}) {
                double last = 0.0;
                for (double t = -199.5; t <= -90.0; t += 0.5) {
                    const double g = e.MoistSaturationPressure(ph, t, p);
                    ASSERT_TRUE(std::isfinite(g));
                    ASSERT_GT(g, last) << "set " << set << " p " << p << " t " << t;
                    last = g;
                    if (t <= -100.5) {
                        EXPECT_NEAR(e.Condensation(ph, g, p), t, 2e-11) << "set " << set << " p " << p;
                    }
                }
            }
        }
    }
    // At -100 °C and above the factor is the fit itself.
    const HumidityEngine e;
    const double es = e.SaturationPressureIce(-100);
    EXPECT_EQ(e.MoistSaturationPressure(Phase::Ice, -100, 1e7), es * e.EnhancementFactorIce(es, -100, 1e7));
}
