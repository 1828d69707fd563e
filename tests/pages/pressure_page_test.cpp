#include <gtest/gtest.h>

#include "pages/pressure_page.h"

using namespace wegator;

namespace {

int UnitIndex(std::string_view text) {
    for (std::size_t i = 0; i < kPressurePageUnits.size(); ++i)
        if (kPressurePageUnits[i].text == text) return static_cast<int>(i);
    return -1;
}

std::string Shown(const PressurePage& page, std::string_view unit) {
    return page.ResultTexts()[static_cast<std::size_t>(UnitIndex(unit))];
}

}  // namespace

TEST(PressurePage, OpensShowingOneKilopascal) {
    RecordingHost host;
    const PressurePage page(host);
    EXPECT_EQ(page.InputText(), "1,000");
    EXPECT_EQ(Shown(page, "Pa"), "1000,000");
    EXPECT_EQ(Shown(page, "bar"), "0,010");
    EXPECT_TRUE(page.PrintEnabled());
    EXPECT_FALSE(page.MarkerVisible());
    EXPECT_TRUE(host.menuPrintEnabled);

    const PressurePage four(host, NumberFormat{4, 4, "."});
    EXPECT_EQ(Shown(four, "Pa"), "1000.0000");
}

TEST(PressurePage, ConvertsFromTheChosenUnit) {
    RecordingHost host;
    PressurePage page(host);
    page.ChangeInputUnit(UnitIndex("atm"));
    page.Compute();
    EXPECT_EQ(Shown(page, "kPa"), "101,325");
    page.ChangeInputUnit(UnitIndex("psi"));
    page.Compute();
    EXPECT_EQ(Shown(page, "kPa"), "6,890");

    // The number is not converted by a unit change, only read in the new unit.
    page.ChangeInputUnit(UnitIndex("bar"));
    EXPECT_EQ(page.InputText(), "1,000");
    EXPECT_FALSE(page.PrintEnabled());
    EXPECT_FALSE(host.menuPrintEnabled);
    page.Compute();
    EXPECT_EQ(Shown(page, "kPa"), "100,000");

    // Long texts stay in fixed point; negatives convert like anything else.
    page.ChangeInputUnit(UnitIndex("MPa"));
    page.SetInputText("20000");
    page.Compute();
    EXPECT_EQ(Shown(page, "micron"), "150012400000,000");
    page.SetInputText("-0.002");
    page.Compute();
    EXPECT_EQ(Shown(page, "hPa, mbar"), "-20,000");
    EXPECT_TRUE(host.shown.empty());
}

TEST(PressurePage, EmptyAndRejectedInputsKeepTheResults) {
    RecordingHost host;
    PressurePage page(host);
    const auto before = page.ResultTexts();
    page.SetInputText("");
    EXPECT_FALSE(page.PrintEnabled());
    page.Compute();
    EXPECT_EQ(page.ResultTexts(), before);
    EXPECT_TRUE(page.PrintEnabled());

    page.SetInputText("2,5,");
    page.Compute();
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_EQ(host.shown[0].messageId, 15);
    EXPECT_EQ(page.InputText(), "2,5,");
    EXPECT_EQ(page.ResultTexts(), before);
    EXPECT_FALSE(page.PrintEnabled());
    EXPECT_TRUE(page.MarkerVisible());
}

TEST(PressurePage, WidestResultCoversTheLargestEntryInEveryUnit) {
    RecordingHost host;
    PressurePage page(host, NumberFormat{7, 7, ","});
    page.ChangeInputUnit(3);  // MPa, the largest unit
    page.SetInputText("20000");
    page.Compute();
    EXPECT_EQ(Shown(page, "micron"), "150012400000,0000000");
    const std::string widest = page.WidestResultText();
    EXPECT_EQ(widest.size(), 23u);
    page.SetInputText("9999999,9999999");  // fifteen characters, the most an entry takes
    page.Compute();
    ASSERT_TRUE(host.shown.empty());
    for (const std::string& text : page.ResultTexts()) EXPECT_LE(text.size(), widest.size()) << text;
    EXPECT_EQ(Shown(page, "micron").size() + 1, widest.size());  // and room for a minus
}

TEST(PressurePage, SettingsAndActivation) {
    RecordingHost host;
    PressurePage page(host);
    Settings s;
    s.decimal = ".";
    s.pressurePrecInput = 1;
    s.pressurePrecCalcul = 2;
    page.ApplySettings(s);
    page.SetStale();
    page.Activate();
    EXPECT_FALSE(page.Stale());
    EXPECT_TRUE(page.MarkerVisible());
    EXPECT_FALSE(host.menuPrintEnabled);
    page.Compute();
    EXPECT_EQ(page.InputText(), "1.0");
    EXPECT_EQ(Shown(page, "Pa"), "1000.00");
    EXPECT_TRUE(host.menuPrintEnabled);
}
