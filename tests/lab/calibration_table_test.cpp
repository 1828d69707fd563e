#include "lab/tables/calibration_table.h"

#include <gtest/gtest.h>

using namespace wegator::lab;

TEST(CalibrationTable, InterpolatesBetweenPointsAndClampsAtTheEnds) {
    const CalibrationEntry points[] = {{10, 0.20, 0.04}, {0, 0.10, 0.02}};
    const CalibrationTable table(points);
    ASSERT_EQ(table.Count(), 2u);
    EXPECT_EQ(table.Entry(0).value, 0);  // sorted on insertion

    struct Case {
        double x, correction, uncertainty;
    };
    for (const Case c : {Case{5, 0.15, 0.03}, Case{-3, 0.10, 0.02}, Case{12, 0.20, 0.04}, Case{0, 0.10, 0.02},
                         Case{10, 0.20, 0.04}, Case{2.5, 0.125, 0.025}}) {
        SCOPED_TRACE(c.x);
        EXPECT_NEAR(table.Correction(c.x), c.correction, 1e-12);
        EXPECT_NEAR(table.Uncertainty(c.x), c.uncertainty, 1e-12);
    }

    // An uncertainty falling to 0 at the next point is 0 there, not a rounded -3e-17.
    const CalibrationEntry falling[] = {{0, 0.1, 0.22}, {10, 0.2, 0}};
    EXPECT_EQ(CalibrationTable(falling).Uncertainty(10), 0.0);
}

TEST(CalibrationTable, EmptyOneEntryAndEqualValues) {
    CalibrationTable table;
    EXPECT_EQ(table.Correction(20), 0.0);
    EXPECT_EQ(table.Uncertainty(20), 0.0);

    table.Insert(5, 0.3, 0.1);
    for (double x : {-100.0, 5.0, 100.0}) EXPECT_EQ(table.Correction(x), 0.3);

    // An equal value goes before its equal; between two equal points the first one's correction holds.
    table.Insert(5, 0.5, 0.2);
    table.Insert(7, 0.7, 0.2);
    EXPECT_EQ(table.Entry(0).correction, 0.5);
    EXPECT_EQ(table.Correction(5), 0.5);
    EXPECT_NEAR(table.Correction(6), 0.5, 1e-12);
    // Built at once from the same entries, the table is the same.
    const CalibrationEntry inserted[] = {{5, 0.3, 0.1}, {5, 0.5, 0.2}, {7, 0.7, 0.2}};
    EXPECT_EQ(CalibrationTable(inserted), table);

    table.Clear();
    EXPECT_TRUE(table.Empty());
}
