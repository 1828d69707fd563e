#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "text/string_table.h"
#include "text/strings.h"
#include "pages/psychrometer_page.h"
#include "physics/units.h"

using namespace wegator;

namespace {

using F = PsychrometerField;
using Entry = std::pair<PsychrometerField, const char*>;
using History = std::array<int, 3>;

class PsychrometerPageTest : public ::testing::Test {
protected:
    PsychrometerPageTest() : page(host) {}

    void Fill(std::initializer_list<Entry> entries) {
        for (const auto& [field, text] : entries) page.SetFieldText(field, text);
    }
    // Compute with the reading given; the id of the single message shown, 0 when none.
    int ComputeWith(const char* t, const char* tw, const char* pb = "101.325") {
        Fill({{F::Pressure, pb}, {F::Bulb, tw}, {F::Temperature, t}});
        host.shown.clear();
        page.Compute();
        EXPECT_FALSE(page.Busy());
        EXPECT_LE(host.shown.size(), 1u);
        return host.shown.empty() ? 0 : host.shown.back().messageId;
    }
    int ShownInColumns(int first) const {
        int shown = 0;
        for (int row = 0; row < CalculatorPage::kRows; ++row)
            for (int c = first; c < first + 2; ++c) shown += !page.ResultText(row, c).empty();
        return shown;
    }

    RecordingHost host;
    PsychrometerPage page;
};

}  // namespace

TEST_F(PsychrometerPageTest, InputChecksInOrder) {
    EXPECT_EQ(ComputeWith("", "", ""), 46);
    EXPECT_EQ(ComputeWith("100.001", "", ""), 7);
    // The pressure is examined before the bulb, whatever the bulb holds.
    EXPECT_EQ(ComputeWith("20", "200", ""), 13);
    EXPECT_EQ(ComputeWith("20", "200", "2.9"), 1);
    page.SetFieldText(F::PressureUncertainty, "-100");
    EXPECT_EQ(ComputeWith("20", "200"), 2);
    page.SetFieldText(F::PressureUncertainty, "0.05");
    EXPECT_EQ(ComputeWith("20", "200"), 54);
    Fill({{F::BulbUncertainty, "100"}, {F::TemperatureUncertainty, "100"}});
    EXPECT_EQ(ComputeWith("20", "-100"), 53);
    page.SetFieldText(F::BulbUncertainty, "-0.1");
    EXPECT_EQ(ComputeWith("20", "-100"), 9);
    page.SetFieldText(F::TemperatureUncertainty, "0.1");
    EXPECT_EQ(ComputeWith("20", "20.5"), 59);
    EXPECT_TRUE(host.shown.back().warning);
    EXPECT_FALSE(page.PrintEnabled());

    // Equal readings are a saturated psychrometer; the bounds are accepted.
    EXPECT_EQ(ComputeWith("20", "20"), 0);
    EXPECT_NEAR(page.LastResult().Value(Quantity::RelativeHumidity, Phase::Water), 100.0, 1e-9);
    EXPECT_EQ(ComputeWith("100", "200", "20000"), 54);
    EXPECT_EQ(ComputeWith("20", "15", "3"), 0);
    EXPECT_TRUE(page.PrintEnabled());
    EXPECT_TRUE(host.menuPrintEnabled);
}

TEST_F(PsychrometerPageTest, EmptyBulbReadsAsZeroInTheSelectedUnit) {
    ASSERT_EQ(ComputeWith("1", ""), 0);
    EXPECT_EQ(page.FieldText(F::Bulb), "0,000");
    EXPECT_EQ(page.FieldText(F::BulbUncertainty), "0,000");
    EXPECT_EQ(page.LastResult().Value(Quantity::BulbTemperature, Phase::Water), 0.0);

    page.ChangeTemperatureUnit(2);  // °F
    ASSERT_EQ(ComputeWith("1", ""), 0);
    EXPECT_EQ(page.FieldText(F::Bulb), "0,000");
    EXPECT_NEAR(page.LastResult().Value(Quantity::BulbTemperature, Phase::Ice), -160.0 / 9.0, 1e-12);
    EXPECT_EQ(page.ResultText(9, 2), "0,000");  // shown again in °F
    EXPECT_EQ(page.RowUnit(9), "°F");
}

TEST_F(PsychrometerPageTest, ComputedValueOutOfRangeNamesTheLatestEditInAWarning) {
    // A dry bulb far above a frozen wet bulb leaves no vapour.
    Fill({{F::Pressure, "101.325"}, {F::Temperature, "40"}, {F::Bulb, "0"}});
    EXPECT_EQ(page.EditHistory(), (History{0, 1, 5}));
    EXPECT_EQ(page.Preference(), (History{5, 1, 0}));
    page.Compute();
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_TRUE(host.shown[0].warning);  // the same box as the other pages' limits
    EXPECT_EQ(host.shown[0].messageId, 137);  // Tw/Ti
    for (const auto& t : page.ResultTexts()) EXPECT_TRUE(t.empty());
    EXPECT_FALSE(page.PrintEnabled());

    page.SetFieldText(F::Temperature, "40");
    EXPECT_EQ(page.EditHistory(), (History{0, 5, 1}));
    host.shown.clear();
    page.Compute();
    EXPECT_EQ(host.shown.at(0).messageId, 136);
    page.SetFieldText(F::Pressure, "101.325");
    host.shown.clear();
    page.Compute();
    EXPECT_EQ(host.shown.at(0).messageId, 135);
}

TEST_F(PsychrometerPageTest, ThreeEntryHistoryMovesTheLastEditToTheFront) {
    page.SetFieldText(F::Bulb, "13");
    EXPECT_EQ(page.EditHistory(), (History{0, 0, 5}));
    page.SetFieldText(F::Temperature, "1");
    EXPECT_EQ(page.EditHistory(), (History{0, 5, 1}));
    page.SetFieldText(F::Bulb, "14");  // out of g1
    EXPECT_EQ(page.EditHistory(), (History{0, 1, 5}));
    page.SetFieldText(F::Bulb, "15");  // already in front
    EXPECT_EQ(page.EditHistory(), (History{0, 1, 5}));
    page.SetFieldText(F::Pressure, "100");  // g0 counts as new
    EXPECT_EQ(page.EditHistory(), (History{1, 5, 0}));
    page.SetFieldText(F::Temperature, "20");
    EXPECT_EQ(page.EditHistory(), (History{5, 0, 1}));
    // Uncertainties and the page's own rewrites during Compute are no primary edits.
    Fill({{F::TemperatureUncertainty, "0.1"}, {F::BulbUncertainty, "0.1"}, {F::PressureUncertainty, "0.1"}});
    EXPECT_EQ(page.EditHistory(), (History{5, 0, 1}));
    page.Compute();
    ASSERT_TRUE(page.PrintEnabled());
    EXPECT_EQ(page.FieldText(F::Bulb), "15,000");
    EXPECT_EQ(page.EditHistory(), (History{5, 0, 1}));
    page.SetFieldText(F::BulbUncertainty, "0.2");
    EXPECT_FALSE(page.PrintEnabled());
}

TEST_F(PsychrometerPageTest, IceHalfBlankedByTheEnteredBulb) {
    ASSERT_EQ(ComputeWith("20", "15"), 0);  // frost point and bulb above zero
    ASSERT_GT(page.LastResult().Value(Quantity::DewFrostPoint, Phase::Ice), 0.0);
    EXPECT_EQ(ShownInColumns(0), 20);
    EXPECT_EQ(ShownInColumns(2), 0);
    ASSERT_EQ(ComputeWith("20", "8"), 0);  // frost point below zero
    EXPECT_EQ(ShownInColumns(0) + ShownInColumns(2), 40);
    ASSERT_EQ(ComputeWith("-60", "-60"), 0);  // dew point far below zero
    EXPECT_EQ(ShownInColumns(0), 0);
    EXPECT_EQ(ShownInColumns(2), 20);
}

TEST_F(PsychrometerPageTest, UnitChangesConvertTheReading) {
    Fill({{F::Temperature, "20"}, {F::TemperatureUncertainty, "-0.1"}, {F::Bulb, "10"}, {F::BulbUncertainty, ""},
          {F::Pressure, "100"}, {F::PressureUncertainty, "0.2"}});
    page.ChangeTemperatureUnit(2);
    EXPECT_EQ(page.FieldText(F::Temperature), "68,000");
    EXPECT_EQ(page.FieldText(F::TemperatureUncertainty), "0,180");
    EXPECT_EQ(page.FieldText(F::Bulb), "50,000");
    EXPECT_EQ(page.FieldText(F::BulbUncertainty), "");
    EXPECT_EQ(page.EditHistory()[2], kInputBulb);  // the rewrites are edits

    page.ChangePressureUnit(2);  // mmHg
    EXPECT_EQ(page.FieldText(F::Pressure), "750,062");
    EXPECT_EQ(page.FieldText(F::PressureUncertainty), "1,500");
    EXPECT_EQ(page.EditHistory()[2], kInputP1);

    // A rejected entry stops the change: nothing converted, the unit stays.
    page.SetFieldText(F::BulbUncertainty, "1-");
    host.shown.clear();
    page.ChangeTemperatureUnit(1);
    EXPECT_EQ(host.shown.size(), 1u);
    EXPECT_EQ(page.TemperatureUnit(), "°F");
    EXPECT_EQ(page.FieldText(F::Temperature), "68,000");
}

TEST_F(PsychrometerPageTest, CaptionSettingsAndPrintout) {
    EXPECT_EQ(page.ResultsCaptionId(), 178);
    Settings s;
    s.psychometerPrecInput = 2;
    s.psychometerPrecCalcul = 1;
    s.formulasUncertainty = 0;
    page.ApplySettings(s);
    EXPECT_EQ(page.Format().inputPrecision, 2);
    EXPECT_EQ(page.Format().resultPrecision, 1);
    EXPECT_EQ(page.ResultsCaption(), LoadString(179));
    // A caption's decimal point shows the decimal sign; other points stay.
    SetStringLookup(
        [](int id) -> std::string_view { return id == 178 ? "Results at 0.5 K, u.f. included" : PolishString(id); });
    page.SetFormulaUncertainty(true);
    EXPECT_EQ(page.ResultsCaption(), "Results at 0,5 K, u.f. included");
    SetStringLookup(nullptr);

    page.SetFieldText(F::PressureUncertainty, "0.2");
    ASSERT_EQ(ComputeWith("20", "15"), 0);
    const HumidityPrintout p = page.Printout({2025, 3, 14, 9, 5});
    EXPECT_EQ(p.inputCaption, LoadString(msg::InputsCaption));
    EXPECT_EQ(p.resultsCaption, LoadString(178));
    ASSERT_EQ(p.inputs.size(), 3u);
    const PrintInputRow expected[] = {
        {"T", "20,00", "0,00", "°C"}, {"Tw/Ti", "15,00", "0,00", "°C"}, {"Pb", "101,32", "0,20", "kPa"}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(p.inputs[i].label, expected[i].label);
        EXPECT_EQ(p.inputs[i].value, expected[i].value);
        EXPECT_EQ(p.inputs[i].uncertainty, expected[i].uncertainty);
        EXPECT_EQ(p.inputs[i].unit, expected[i].unit);
    }
    EXPECT_EQ(p.results[9].cells[0], "15,0");
    EXPECT_EQ(p.results[9].cells[2], "");  // the blanked ice half
}
