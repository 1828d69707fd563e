#include "pages/rh_page_widget.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "text/strings.h"
#include "numeric_edit.h"
#include "pages/recompute_marker.h"

namespace wegator {
namespace {

class RhPageWidgetTest : public ::testing::Test {
protected:
    void Type(RhField field, const char* text) { QTest::keyClicks(page.Field(field), QString::fromUtf8(text)); }
    void Compute() { QTest::mouseClick(page.ComputeButton(), Qt::LeftButton); }
    QString Result(RhRow row, int column) const { return page.ResultField(row, column)->text(); }
    double ResultValue(RhRow row, int column) const {
        return Result(row, column).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
    }
    bool OutOfDate() const { return page.Marker()->IsShown() && !page.PrintButton()->isEnabled(); }

    RecordingHost host;
    RelativeHumidityPage model{host};
    RhPageWidget page{model};
};

TEST_F(RhPageWidgetTest, TypedDewPointAndTemperatureFillTheGrid) {
    EXPECT_TRUE(OutOfDate());
    Type(RhField::DewPoint, "10");
    Type(RhField::Temperature, "20");
    Type(RhField::HumidityUncertainty, "0.5");  // RH itself is empty: this goes
    Type(RhField::P1, "101.325");
    Type(RhField::P2, "101.325");
    Compute();

    EXPECT_TRUE(host.shown.empty());
    // Over water at 10 °C dew point and 20 °C: e(10 °C) / e(20 °C) is 52.5 %.
    EXPECT_EQ(Result(RhRow::DewFrostPoint, 0), QStringLiteral("10,000"));
    EXPECT_EQ(Result(RhRow::Temperature, 0), QStringLiteral("20,000"));
    EXPECT_NEAR(ResultValue(RhRow::Humidity, 0), 52.5, 0.1);
    EXPECT_NEAR(ResultValue(RhRow::VapourPressure, 0), 1232.9, 1.0);  // 1227.9 Pa × enhancement 1.004
    EXPECT_NEAR(ResultValue(RhRow::MixingRatio, 0), 7.66, 0.01);
    // No ice above 0 °C: that half of the grid stays empty.
    EXPECT_TRUE(Result(RhRow::DewFrostPoint, 2).isEmpty());
    EXPECT_TRUE(Result(RhRow::Humidity, 3).isEmpty());
    EXPECT_EQ(page.ResultUnitLabel(RhRow::Temperature)->text(), QStringLiteral("°C"));
    EXPECT_EQ(page.ResultUnitLabel(RhRow::Enthalpy)->text(), QStringLiteral("kcal/kg"));

    // The inputs show the values used; the uncertainty of the missing input is gone.
    EXPECT_EQ(page.Field(RhField::P1)->text(), QStringLiteral("101,325"));
    EXPECT_EQ(page.Field(RhField::P1Uncertainty)->text(), QStringLiteral("0,000"));
    EXPECT_TRUE(page.Field(RhField::HumidityUncertainty)->text().isEmpty());
    EXPECT_FALSE(page.Marker()->IsShown());
    EXPECT_TRUE(page.PrintButton()->isEnabled());
    EXPECT_TRUE(host.menuPrintEnabled);

    // Result fields are for reading: no entry background, no text cursor, not on the Tab chain.
    QLineEdit* result = page.ResultField(RhRow::Humidity, 0);
    EXPECT_TRUE(result->isReadOnly());
    EXPECT_EQ(result->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(result->palette().color(QPalette::Base), page.palette().color(QPalette::Window));
    EXPECT_NE(page.Field(RhField::P1)->palette().color(QPalette::Base), page.palette().color(QPalette::Window));
    EXPECT_FALSE(result->focusPolicy() & Qt::TabFocus);

    // An edit makes the shown results out of date without taking them away.
    Type(RhField::Temperature, "5");
    EXPECT_TRUE(OutOfDate());
    EXPECT_FALSE(host.menuPrintEnabled);
    EXPECT_EQ(Result(RhRow::Temperature, 0), QStringLiteral("20,000"));
}

TEST_F(RhPageWidgetTest, MissingOrMalformedInputIsReportedOnceAndEmptiesTheGrid) {
    Type(RhField::DewPoint, "10");
    Type(RhField::Temperature, "20");
    Type(RhField::P1, "101.325");
    Type(RhField::P2, "101.325");
    Compute();
    ASSERT_FALSE(Result(RhRow::Temperature, 0).isEmpty());

    // Only one of DP/FP, T and RH.
    page.Field(RhField::Temperature)->selectAll();
    QTest::keyClick(page.Field(RhField::Temperature), Qt::Key_Delete);
    Compute();
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_TRUE(host.shown[0].warning);
    EXPECT_EQ(host.shown[0].messageId, 12);
    EXPECT_EQ(host.shown[0].text, std::string(LoadString(12)));
    EXPECT_TRUE(Result(RhRow::Temperature, 0).isEmpty());
    EXPECT_TRUE(OutOfDate());

    // A second separator in P1: the field's own message, and no other.
    host.shown.clear();
    Type(RhField::Temperature, "20");
    Type(RhField::P1, ".5");  // "101,325.5"
    Compute();
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_EQ(host.shown[0].messageId, 15);
    EXPECT_EQ(page.Field(RhField::P1)->text(), QStringLiteral("101,325.5"));
    EXPECT_TRUE(Result(RhRow::Temperature, 0).isEmpty());
}

TEST_F(RhPageWidgetTest, TemperatureUnitChangeRewritesTheInputsAndTheResults) {
    Type(RhField::DewPoint, "10");
    Type(RhField::Temperature, "20");
    Type(RhField::TemperatureUncertainty, "0.1");
    Type(RhField::P1, "100");
    Type(RhField::P2, "100");
    Compute();
    ASSERT_TRUE(host.shown.empty());
    QComboBox* units = page.TemperatureUnitList();
    QTest::keyClick(units, Qt::Key_End);  // "°F"

    EXPECT_EQ(units->currentText(), QStringLiteral("°F"));
    EXPECT_EQ(page.Field(RhField::Temperature)->text(), QStringLiteral("68,000"));
    EXPECT_EQ(page.Field(RhField::TemperatureUncertainty)->text(), QStringLiteral("0,180"));
    EXPECT_EQ(page.ResultUnitLabel(RhRow::DewFrostPoint)->text(), QStringLiteral("°F"));
    EXPECT_EQ(page.ResultUnitLabel(RhRow::BulbTemperature)->text(), QStringLiteral("°F"));
    // The numbers held stand in the new unit, still out of date.
    EXPECT_EQ(Result(RhRow::DewFrostPoint, 0), QStringLiteral("50,000"));
    EXPECT_EQ(Result(RhRow::Temperature, 1), QStringLiteral("0,180"));
    EXPECT_TRUE(OutOfDate());
}

}  // namespace
}  // namespace wegator
