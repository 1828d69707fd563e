// The moisture-content and psychrometer pages, typed into and clicked.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "text/string_table.h"
#include "text/strings.h"
#include "pages/moisture_page_widget.h"
#include "numeric_edit.h"
#include "pages/psychrometer_page_widget.h"
#include "pages/recompute_marker.h"

namespace wegator {
namespace {

// Result rows, top to bottom.
enum Row { kDewPoint, kTemperature, kHumidity, kPpmv, kPpmw, kMixingRatio, kEnthalpy, kWvp, kSwvp, kBulb };

double Number(const QLineEdit* field) { return field->text().replace(QLatin1Char(','), QLatin1Char('.')).toDouble(); }

TEST(MoisturePageWidget, ContentTypedAsPpmvFillsTheGrid) {
    RecordingHost host;
    MoistureContentPage model(host);
    MoisturePageWidget page(model);
    auto type = [&](MoistureField f, const char* text) { QTest::keyClicks(page.Field(f), QString::fromUtf8(text)); };

    QComboBox* quantity = page.ContentQuantityList();
    // The quantity list stands where a label would; only T, P1 and P2 explain themselves.
    EXPECT_TRUE(quantity->toolTip().isEmpty());
    EXPECT_EQ(page.findChild<QLabel*>(QStringLiteral("p2Label"))->toolTip(), QString::fromUtf8(LoadString(20)));
    EXPECT_EQ(quantity->currentText(), QStringLiteral("DP/FP"));
    EXPECT_EQ(page.FieldUnitLabel(MoistureField::Content)->text(), QStringLiteral("°C"));
    EXPECT_EQ(page.ResultsGroup()->title(), QString::fromUtf8(LoadString(msg::CaptionAtP2WithFormulaUncertainty)));

    // A dew point typed first means nothing as PPMV: the row empties on the switch.
    type(MoistureField::Content, "-5");
    type(MoistureField::ContentUncertainty, "0.2");
    QTest::keyClick(quantity, Qt::Key_Down);
    EXPECT_EQ(quantity->currentText(), QStringLiteral("PPMV"));
    EXPECT_TRUE(page.Field(MoistureField::Content)->text().isEmpty());
    EXPECT_TRUE(page.Field(MoistureField::ContentUncertainty)->text().isEmpty());
    EXPECT_EQ(page.FieldUnitLabel(MoistureField::Content)->text(), QStringLiteral("ppm"));

    type(MoistureField::Content, "5000");
    type(MoistureField::ContentUncertainty, "50");
    type(MoistureField::Temperature, "20");
    type(MoistureField::P1, "101.325");
    type(MoistureField::P2, "101.325");
    QTest::mouseClick(page.ComputeButton(), Qt::LeftButton);

    ASSERT_TRUE(host.shown.empty()) << host.shown[0].text;
    EXPECT_EQ(page.Field(MoistureField::Content)->text(), QStringLiteral("5000,000"));
    // At one pressure the volume fraction comes back unchanged, and the vapour
    // pressure is its share of the total: 101325 · 5000 / 1005000 Pa.
    EXPECT_EQ(page.ResultField(kPpmv, 0)->text(), QStringLiteral("5000,000"));
    EXPECT_NEAR(Number(page.ResultField(kPpmv, 1)), 50.0, 0.5);
    EXPECT_NEAR(Number(page.ResultField(kWvp, 0)), 504.104, 0.001);
    EXPECT_NEAR(Number(page.ResultField(kPpmw, 0)), 5000 / 1.607717, 0.01);
    EXPECT_NEAR(Number(page.ResultField(kMixingRatio, 0)), 5 / 1.607717, 0.001);
    EXPECT_EQ(page.ResultField(kTemperature, 0)->text(), QStringLiteral("20,000"));
    // A frost point below zero: both halves of the grid stay.
    EXPECT_LT(Number(page.ResultField(kDewPoint, 2)), 0.0);
    EXPECT_FALSE(page.ResultField(kHumidity, 2)->text().isEmpty());
    EXPECT_EQ(page.ResultUnitLabel(kPpmv)->text(), QStringLiteral("ppm"));
    EXPECT_TRUE(page.PrintButton()->isEnabled());
    EXPECT_FALSE(page.Marker()->IsShown());

    // A temperature unit leaves a content in ppm alone and converts T.
    QTest::keyClick(page.TemperatureUnitList(), Qt::Key_End);  // "°F"
    EXPECT_EQ(page.Field(MoistureField::Content)->text(), QStringLiteral("5000,000"));
    EXPECT_EQ(page.Field(MoistureField::Temperature)->text(), QStringLiteral("68,000"));
    EXPECT_EQ(page.FieldUnitLabel(MoistureField::Content)->text(), QStringLiteral("ppm"));
    EXPECT_EQ(page.ResultUnitLabel(kDewPoint)->text(), QStringLiteral("°F"));
    EXPECT_TRUE(page.Marker()->IsShown());
    EXPECT_FALSE(page.PrintButton()->isEnabled());
}

TEST(PsychrometerPageWidget, BulbWarmerThanTheAirIsRefusedAndAReadingComputes) {
    RecordingHost host;
    PsychrometerPage model(host);
    PsychrometerPageWidget page(model);
    auto type = [&](PsychrometerField f, const char* text) {
        page.Field(f)->selectAll();
        QTest::keyClicks(page.Field(f), QString::fromUtf8(text));
    };
    auto compute = [&] { QTest::mouseClick(page.ComputeButton(), Qt::LeftButton); };

    EXPECT_EQ(page.ResultsGroup()->title(), QString::fromUtf8(LoadString(msg::CaptionWithFormulaUncertainty)));
    EXPECT_EQ(page.FieldUnitLabel(PsychrometerField::Pressure)->text(), QStringLiteral("kPa"));
    auto toolTip = [&](const char* label) { return page.findChild<QLabel*>(QString::fromLatin1(label))->toolTip(); };
    EXPECT_EQ(toolTip("pressureLabel"), QString::fromUtf8(LoadString(180)));  // "Pb"
    EXPECT_EQ(toolTip("bulbLabel"), QString::fromUtf8(LoadString(28)));
    EXPECT_EQ(toolTip("resultLabel9"), QString::fromUtf8(LoadString(28)));

    type(PsychrometerField::Temperature, "20");
    type(PsychrometerField::Bulb, "20.5");
    type(PsychrometerField::Pressure, "101.325");
    compute();
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_TRUE(host.shown[0].warning);
    EXPECT_EQ(host.shown[0].messageId, 59);
    EXPECT_EQ(host.shown[0].text, WithDecimalSign(LoadString(59), ","));
    EXPECT_TRUE(page.ResultField(kTemperature, 0)->text().isEmpty());
    EXPECT_TRUE(page.Marker()->IsShown());
    EXPECT_FALSE(page.PrintButton()->isEnabled());

    // The worked reading T 20, Tw 15 at 101.325 kPa: the psychrometric vapour
    // pressure is 1370.21 Pa, raised by the enhancement factor (1.003 … 1.005).
    host.shown.clear();
    type(PsychrometerField::Bulb, "15");
    compute();
    ASSERT_TRUE(host.shown.empty()) << host.shown[0].text;
    EXPECT_GT(Number(page.ResultField(kWvp, 0)), 1370.21 * 1.003);
    EXPECT_LT(Number(page.ResultField(kWvp, 0)), 1370.21 * 1.005);
    // The readings themselves are repeated, not computed.
    EXPECT_EQ(page.ResultField(kTemperature, 0)->text(), QStringLiteral("20,000"));
    EXPECT_EQ(page.ResultField(kBulb, 0)->text(), QStringLiteral("15,000"));
    EXPECT_EQ(page.Field(PsychrometerField::BulbUncertainty)->text(), QStringLiteral("0,000"));
    // Bulb and frost point above zero: no ice, the whole ice half is blank.
    for (int row = kDewPoint; row <= kBulb; ++row) {
        EXPECT_TRUE(page.ResultField(row, 2)->text().isEmpty()) << row;
        EXPECT_TRUE(page.ResultField(row, 3)->text().isEmpty()) << row;
    }
    EXPECT_TRUE(page.PrintButton()->isEnabled());
    EXPECT_FALSE(page.Marker()->IsShown());
}

}  // namespace
}  // namespace wegator
