#include "pressure_page_widget.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "numeric_edit.h"
#include "recompute_marker.h"

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

}  // namespace
}  // namespace wegator
