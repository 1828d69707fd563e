#include "pages/pressure_page_widget.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>

#include "numeric_edit.h"
#include "pages/recompute_marker.h"

namespace wegator {
namespace {

int UnitIndex(std::string_view text) {
    for (std::size_t i = 0; i < kPressurePageUnits.size(); ++i) {
        if (kPressurePageUnits[i].text == text) return static_cast<int>(i);
    }
    return -1;
}

TEST(PressurePageWidget, OpensAtOneKilopascalAndConvertsATypedValue) {
    RecordingHost host;
    PressurePage model(host);
    PressurePageWidget page(model);

    EXPECT_EQ(page.ResultField(UnitIndex("Pa"))->text(), QStringLiteral("1000,000"));
    EXPECT_EQ(page.ResultField(UnitIndex("bar"))->text(), QStringLiteral("0,010"));
    EXPECT_EQ(page.InputUnitList()->currentText(), QStringLiteral("kPa"));
    EXPECT_TRUE(page.PrintButton()->isEnabled());
    EXPECT_FALSE(page.Marker()->IsShown());

    // One atmosphere, chosen and typed as a user would.
    QTest::keyClicks(page.InputUnitList(), QStringLiteral("atm"));
    EXPECT_EQ(page.InputUnitList()->currentText(), QStringLiteral("atm"));
    EXPECT_FALSE(page.PrintButton()->isEnabled());
    EXPECT_TRUE(page.Marker()->IsShown());
    page.InputField()->selectAll();
    QTest::keyClicks(page.InputField(), QStringLiteral("1"));
    QTest::mouseClick(page.ComputeButton(), Qt::LeftButton);

    EXPECT_EQ(page.ResultField(UnitIndex("kPa"))->text(), QStringLiteral("101,325"));
    EXPECT_EQ(page.ResultField(UnitIndex("atm"))->text(), QStringLiteral("1,000"));
    EXPECT_EQ(page.InputField()->text(), QStringLiteral("1,000"));
    EXPECT_TRUE(page.PrintButton()->isEnabled());
    EXPECT_TRUE(host.menuPrintEnabled);
    EXPECT_TRUE(host.shown.empty());
}

// The text a field shows, painted as it is: nothing cut off at either end.
::testing::AssertionResult ShowsWholeText(QLineEdit* field) {
    field->grab();  // lays the text out (and scrolls it, if it must) as painting does
    const QString text = field->text();
    const int visible = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) * -2 + field->width() - 4;
    const int needed = QFontMetrics(field->font()).horizontalAdvance(text);
    const int middle = field->height() / 2;
    const int atLeft = field->cursorPositionAt(QPoint(1, middle));
    const int atRight = field->cursorPositionAt(QPoint(field->width() - 2, middle));
    if (needed < visible && atLeft == 0 && atRight == text.size()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << '"' << text.toStdString() << "\" needs " << needed << " px, "
                                         << visible << " px visible, characters " << atLeft << " to " << atRight
                                         << " shown";
}

TEST(PressurePageWidget, LongestResultsShowEveryDigit) {
    RecordingHost host;
    PressurePage model(host, NumberFormat{4, 7, ","});
    PressurePageWidget page(model);
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    QTest::keyClicks(page.InputUnitList(), QStringLiteral("MPa"));
    page.InputField()->selectAll();
    QTest::keyClicks(page.InputField(), QStringLiteral("20000"));
    QTest::mouseClick(page.ComputeButton(), Qt::LeftButton);
    QApplication::processEvents();

    QLineEdit* micron = page.ResultField(UnitIndex("micron"));
    EXPECT_EQ(micron->text(), QStringLiteral("150012400000,0000000"));
    for (std::size_t i = 0; i < kPressurePageUnits.size(); ++i) EXPECT_TRUE(ShowsWholeText(page.ResultField(int(i))));

    // The largest entry there is, and the fields follow a new precision.
    page.InputField()->selectAll();
    QTest::keyClicks(page.InputField(), QStringLiteral("9999999,9999999"));
    QTest::mouseClick(page.ComputeButton(), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(ShowsWholeText(page.InputField()));
    for (std::size_t i = 0; i < kPressurePageUnits.size(); ++i) EXPECT_TRUE(ShowsWholeText(page.ResultField(int(i))));
    const int wide = micron->width();
    model.SetFormat({4, 2, ","});
    page.Refresh();
    QApplication::processEvents();
    EXPECT_LT(micron->minimumWidth(), wide);
    EXPECT_TRUE(ShowsWholeText(micron));
}

}  // namespace
}  // namespace wegator
