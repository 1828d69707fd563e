#include <gtest/gtest.h>

#include "physics/units.h"

using namespace wegator;

TEST(Units, TemperatureValuesAndDifferences) {
    EXPECT_DOUBLE_EQ(TemperatureFromCelsius(0.0, "°K"), 273.15);
    EXPECT_DOUBLE_EQ(TemperatureToCelsius(212.0, "°F"), 100.0);
    EXPECT_DOUBLE_EQ(TemperatureToCelsius(-40.0, "°F"), -40.0);
    EXPECT_DOUBLE_EQ(TemperatureFromCelsius(-40.0, "°F"), -40.0);
    EXPECT_DOUBLE_EQ(TemperatureToCelsius(273.15, "°K"), 0.0);
    // Uncertainties never pick up the offsets.
    EXPECT_DOUBLE_EQ(TemperatureDifferenceFromCelsius(0.1, "°F"), 0.18);
    EXPECT_DOUBLE_EQ(TemperatureDifferenceFromCelsius(0.1, "°K"), 0.1);
    EXPECT_DOUBLE_EQ(TemperatureDifferenceToCelsius(0.18, "°F"), 0.1);
    // Unknown texts, including near misses, leave the value alone.
    EXPECT_EQ(TemperatureToCelsius(12.5, "K"), 12.5);
    EXPECT_EQ(TemperatureFromCelsius(12.5, "°k"), 12.5);
}

TEST(Units, PressureAndEnthalpy) {
    EXPECT_NEAR(PressureToKilopascal(1.0, "mmHg"), 0.13332231, 1e-8);
    EXPECT_EQ(PressureFromKilopascal(PressureToKilopascal(1.0, "mmHg"), "mmHg"), 1.0);
    EXPECT_DOUBLE_EQ(PressureFromKilopascal(100.0, "hPa, mbar"), 1000.0);
    EXPECT_DOUBLE_EQ(PressureToKilopascal(1.0, "MPa"), 1000.0);
    EXPECT_EQ(PressureToKilopascal(7.0, "hPa"), 7.0);
    EXPECT_DOUBLE_EQ(EnthalpyFromInternal(10.0, "kJ/kg"), 41.868);
    EXPECT_EQ(EnthalpyFromInternal(10.0, "kcal/kg"), 10.0);
}

TEST(Units, PressurePageFactorsAreReciprocal) {
    for (const auto& unit : kPressurePageUnits) {
        EXPECT_NEAR(unit.toKilopascal * unit.fromKilopascal, 1.0, 1e-15) << unit.text;
    }
    EXPECT_EQ(kPressurePageUnits[kPressurePageDefaultUnit].text, "kPa");
    EXPECT_NEAR(ConvertPressurePageUnits(1.0, 7, 2), 101.32502738, 1e-8);  // atm
    EXPECT_DOUBLE_EQ(ConvertPressurePageUnits(1.0, 10, 2), 6.89);          // psi
    EXPECT_DOUBLE_EQ(ConvertPressurePageUnits(1.0, 4, 1), 1000.0);          // bar to hPa
}
