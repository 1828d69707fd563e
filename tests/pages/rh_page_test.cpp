#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

#include "text/string_table.h"
#include "text/strings.h"
#include "pages/rh_page.h"
#include "physics/units.h"

using namespace wegator;

namespace {

using F = RhField;
using Entry = std::pair<RhField, const char*>;
int Row(RhRow r) { return static_cast<int>(r); }

class RhPageTest : public ::testing::Test {
protected:
    RhPageTest() : page(host) {}

    void Fill(std::initializer_list<Entry> entries) {
        for (const auto& [field, text] : entries) page.SetFieldText(field, text);
    }
    // Compute with the pressures and only the given primary inputs; the id of
    // the single message shown, 0 when none.
    int ComputeWith(std::initializer_list<Entry> entries, const char* p1 = "100", const char* p2 = "100") {
        Fill({{F::P1, p1}, {F::P2, p2}, {F::DewPoint, ""}, {F::Temperature, ""}, {F::Humidity, ""}});
        Fill(entries);
        host.shown.clear();
        page.Compute();
        EXPECT_FALSE(page.Busy());
        EXPECT_LE(host.shown.size(), 1u);
        return host.shown.empty() ? 0 : host.shown.back().messageId;
    }
    bool GridEmpty() const {
        for (const auto& t : page.ResultTexts())
            if (!t.empty()) return false;
        return true;
    }

    RecordingHost host;
    RelativeHumidityPage page;
};

const std::initializer_list<Entry> kDpT = {{F::DewPoint, "10"}, {F::Temperature, "20"}};

}  // namespace

TEST_F(RhPageTest, PressureChecksInOrder) {
    EXPECT_EQ(ComputeWith(kDpT, "", ""), 13);
    EXPECT_EQ(ComputeWith({}, "2.9", ""), 1);
    page.SetFieldText(F::P1Uncertainty, "-100");
    EXPECT_EQ(ComputeWith({}, "100", ""), 2);
    page.SetFieldText(F::P1Uncertainty, "");
    EXPECT_EQ(ComputeWith({}, "100", ""), 3);
    EXPECT_EQ(ComputeWith({}, "100", "2.9"), 4);
    EXPECT_EQ(ComputeWith({}, "3", "7000"), 79);
    EXPECT_EQ(ComputeWith({}, "100", "2100"), 79);
    // Warnings carry the decimal sign; fields read so far are normalised.
    EXPECT_TRUE(host.shown.back().warning);
    EXPECT_EQ(host.shown.back().text, WithDecimalSign(LoadString(79), ","));
    EXPECT_NE(host.shown.back().text.find("0,03"), std::string::npos);
    EXPECT_EQ(page.FieldText(F::P1Uncertainty), "0,000");
    EXPECT_EQ(page.FieldText(F::P2), "2100,000");
    // Both ends of the ratio pass on to the combination check.
    EXPECT_EQ(ComputeWith({}, "100", "3"), 12);
    EXPECT_EQ(ComputeWith({}, "100", "2000"), 12);
    EXPECT_TRUE(GridEmpty());
    EXPECT_FALSE(page.PrintEnabled());
    EXPECT_TRUE(page.MarkerVisible());
    EXPECT_FALSE(host.menuPrintEnabled);
}

TEST_F(RhPageTest, CombinationsAndRangeChecksInOrder) {
    EXPECT_EQ(ComputeWith({{F::DewPoint, "10"}, {F::Temperature, "20"}, {F::Humidity, "50"}}), 12);
    EXPECT_EQ(ComputeWith({{F::Temperature, "20"}}), 12);
    EXPECT_EQ(ComputeWith({{F::Temperature, "20"}, {F::Humidity, "50"}}), 0);
    EXPECT_EQ(ComputeWith({{F::DewPoint, "10"}, {F::Humidity, "50"}}), 0);
    // With T the bounds are accepted and T may equal the dew point; with RH they are not.
    EXPECT_EQ(ComputeWith({{F::DewPoint, "20"}, {F::Temperature, "20"}}), 0);
    EXPECT_EQ(ComputeWith({{F::DewPoint, "-100"}, {F::Temperature, "-100"}}), 0);
    EXPECT_EQ(ComputeWith({{F::DewPoint, "20.001"}, {F::Temperature, "20"}}), 8);
    EXPECT_EQ(ComputeWith({{F::DewPoint, "-100.001"}, {F::Temperature, "200"}}), 5);
    EXPECT_EQ(ComputeWith({{F::DewPoint, "10"}, {F::Temperature, "100.001"}}), 7);
    EXPECT_EQ(ComputeWith({{F::DewPoint, "-100"}, {F::Humidity, "0"}}), 5);
    EXPECT_EQ(ComputeWith({{F::Temperature, "100"}, {F::Humidity, "50"}}), 7);
    EXPECT_EQ(ComputeWith({{F::Temperature, "20"}, {F::Humidity, "100"}}), 0);
    EXPECT_EQ(ComputeWith({{F::Temperature, "20"}, {F::Humidity, "0"}}), 10);
    // Uncertainties: value before uncertainty, dew-point row before temperature row.
    Fill({{F::DewPointUncertainty, "100"}, {F::TemperatureUncertainty, "100"}});
    EXPECT_EQ(ComputeWith({{F::DewPoint, "10"}, {F::Temperature, "200"}}), 6);
    page.SetFieldText(F::DewPointUncertainty, "0.1");
    EXPECT_EQ(ComputeWith({{F::DewPoint, "10"}, {F::Temperature, "200"}}), 7);
    EXPECT_EQ(ComputeWith(kDpT), 9);
    EXPECT_EQ(ComputeWith({{F::Temperature, "20"}, {F::Humidity, "0"}}), 9);
    Fill({{F::TemperatureUncertainty, "0.1"}, {F::HumidityUncertainty, "-100"}});
    EXPECT_EQ(ComputeWith({{F::Temperature, "20"}, {F::Humidity, "50"}}), 11);
}

TEST_F(RhPageTest, UncertaintyFieldsOfTheMissingInputAndTheirSigns) {
    Fill({{F::HumidityUncertainty, "0.5"}, {F::DewPointUncertainty, "-0.2"}, {F::TemperatureUncertainty, ""}});
    ASSERT_EQ(ComputeWith(kDpT), 0);
    EXPECT_EQ(page.FieldText(F::HumidityUncertainty), "");
    EXPECT_EQ(page.FieldText(F::DewPointUncertainty), "-0,200");
    EXPECT_EQ(page.FieldText(F::TemperatureUncertainty), "0,000");
    const HumidityResult negative = page.LastResult();
    page.SetFieldText(F::DewPointUncertainty, "0.2");
    ASSERT_EQ(ComputeWith(kDpT), 0);
    EXPECT_EQ(page.LastResult().values, negative.values);

    // A failing check still leaves the missing row's uncertainty erased.
    EXPECT_EQ(ComputeWith({{F::Temperature, "20"}, {F::Humidity, "0"}}), 10);
    EXPECT_EQ(page.FieldText(F::DewPointUncertainty), "");
}

TEST_F(RhPageTest, RejectedEntryReportsOnlyItself) {
    ASSERT_EQ(ComputeWith(kDpT), 0);
    page.ChangePressureUnit(1);  // MPa
    EXPECT_EQ(ComputeWith(kDpT, "0.1.0", "0.1"), 15);
    EXPECT_EQ(page.FieldText(F::P1), "0.1.0");
    EXPECT_TRUE(GridEmpty());
    EXPECT_FALSE(page.PrintEnabled());
    EXPECT_EQ(ComputeWith({{F::DewPoint, "123456789"}, {F::Temperature, "20"}}, "0.1", "0.1"), 14);
    EXPECT_EQ(ComputeWith(kDpT, "0.001", "0.1"), 1);  // 1 kPa
}

TEST_F(RhPageTest, GridShowsEveryQuantityInTheChosenUnits) {
    page.SetFormat({3, 4, ","});
    page.ChangeTemperatureUnit(2);  // °F
    page.ChangeEnthalpyUnit(1);     // kJ/kg
    page.ChangePressureUnit(3);     // hPa, mbar
    Fill({{F::P1, "1013.25"}, {F::P1Uncertainty, "0.5"}, {F::P2, "900"}, {F::DewPoint, "14"},
          {F::DewPointUncertainty, "0.2"}, {F::Temperature, "68"}, {F::TemperatureUncertainty, "0.18"}});
    page.Compute();
    ASSERT_TRUE(host.shown.empty());

    const HumidityResult r = HumidityEngine().ComputeFromDewPointAndTemperature(
        20.0, TemperatureDifferenceToCelsius(0.18, "°F"), -10.0, TemperatureDifferenceToCelsius(0.2, "°F"),
        PressureToKilopascal(1013.25, "hPa, mbar"), PressureToKilopascal(0.5, "hPa, mbar"), 90.0, true,
        page.Preference(), "°F", "hPa, mbar", ",");
    ASSERT_FALSE(r.failed);
    ASSERT_LT(r.Value(Quantity::DewFrostPoint, Phase::Ice), 0.0);  // both halves shown
    // Grid rows top to bottom; 't' in °F, 'i' in kJ/kg.
    const std::pair<Quantity, char> rows[] = {
        {Quantity::DewFrostPoint, 't'}, {Quantity::Temperature, 't'},  {Quantity::RelativeHumidity, '-'},
        {Quantity::Ppmv, '-'},          {Quantity::Ppmw, '-'},         {Quantity::MixingRatio, '-'},
        {Quantity::Enthalpy, 'i'},      {Quantity::VapourPressure, '-'}, {Quantity::SaturationVapourPressure, '-'},
        {Quantity::BulbTemperature, 't'}};
    for (int row = 0; row < CalculatorPage::kRows; ++row) {
        const auto [q, kind] = rows[row];
        for (Phase p : {Phase::Water, Phase::Ice}) {
            double v = r.Value(q, p), u = r.Uncertainty(q, p);
            if (kind == 't') v = v * 1.8 + 32.0, u *= 1.8;
            if (kind == 'i') v *= 4.1868, u *= 4.1868;
            const int c = 2 * static_cast<int>(p);
            EXPECT_EQ(page.ResultText(row, c), FormatResult(v, 4, ",")) << row << "/" << c;
            EXPECT_EQ(page.ResultText(row, c + 1), FormatResult(u, 4, ",")) << row << "/" << c;
        }
    }
    EXPECT_EQ(page.ResultText(Row(RhRow::Temperature), 0), "68,0000");
    EXPECT_EQ(page.RowUnit(RhRow::BulbTemperature), "°F");
    EXPECT_EQ(page.RowUnit(RhRow::Enthalpy), "kJ/kg");
    EXPECT_EQ(page.RowUnit(RhRow::VapourPressure), "Pa");
    EXPECT_EQ(page.FieldUnit(F::P2), "hPa, mbar");
}

TEST_F(RhPageTest, ColumnsBlankedWhereThePhaseDoesNotApply) {
    auto columnShown = [&](int c) {
        int shown = 0;
        for (int row = 0; row < CalculatorPage::kRows; ++row) shown += !page.ResultText(row, c).empty();
        return shown;
    };
    ASSERT_EQ(ComputeWith({{F::DewPoint, "-60"}, {F::Temperature, "20"}}), 0);
    EXPECT_EQ(columnShown(0) + columnShown(1), 0);
    EXPECT_EQ(columnShown(2) + columnShown(3), 20);
    ASSERT_EQ(ComputeWith({{F::DewPoint, "15"}, {F::Temperature, "25"}}), 0);
    EXPECT_EQ(columnShown(0) + columnShown(1), 20);
    EXPECT_EQ(columnShown(2) + columnShown(3), 0);
    ASSERT_EQ(ComputeWith({{F::DewPoint, "-5"}, {F::Temperature, "20"}}), 0);
    EXPECT_EQ(columnShown(0) + columnShown(1) + columnShown(2) + columnShown(3), 40);
}

TEST_F(RhPageTest, EngineFailureShowsItsOwnTextAsAWarning) {
    Fill({{F::P1, "100"}, {F::P2, "110"}, {F::DewPoint, "20"}, {F::Temperature, "20"}});
    page.Compute();
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_TRUE(host.shown[0].warning);  // the box of every limit message
    EXPECT_EQ(host.shown[0].messageId, 101);  // names T, the last input edited
    EXPECT_TRUE(GridEmpty());
    EXPECT_FALSE(page.PrintEnabled());
}

// Whatever ends a calculation, the old results are gone before its box shows.
TEST(RhPageFailure, GridIsEmptyWhenTheMessageShows) {
    struct Host : RecordingHost {
        const RelativeHumidityPage* page = nullptr;
        std::vector<bool> gridEmpty;
        void ShowWarning(int id, const std::string& text) override {
            bool empty = true;
            for (const auto& t : page->ResultTexts()) empty = empty && t.empty();
            gridEmpty.push_back(empty && !page->PrintEnabled());
            RecordingHost::ShowWarning(id, text);
        }
    } host;
    RelativeHumidityPage page(host);
    host.page = &page;
    // Each time results are shown first, then one more edit makes Compute fail.
    auto computeAfterSuccess = [&](RhField f, const char* text) {
        for (const Entry& e : {Entry{F::P1, "100"}, Entry{F::P2, "100"}, Entry{F::DewPoint, "20"},
                               Entry{F::Temperature, "20"}, Entry{F::Humidity, ""}}) {
            page.SetFieldText(e.first, e.second);
        }
        page.Compute();
        ASSERT_TRUE(page.PrintEnabled());
        page.SetFieldText(f, text);
        page.Compute();
    };
    computeAfterSuccess(F::Temperature, "200");  // an input check
    computeAfterSuccess(F::Temperature, "2-0");  // a rejected entry
    computeAfterSuccess(F::P2, "110");           // saturated air compressed: the engine's limit
    ASSERT_EQ(host.shown.size(), 3u);
    EXPECT_EQ(host.shown[0].messageId, 7);
    EXPECT_EQ(host.shown[1].messageId, 15);
    EXPECT_GE(host.shown[2].messageId, msg::FirstRangeMessage);
    EXPECT_EQ(host.gridEmpty, (std::vector<bool>{true, true, true}));
}

TEST_F(RhPageTest, EditHistoryMovesTheLastEditToTheFront) {
    using H = std::array<int, 4>;
    Fill({{F::DewPoint, "1"}, {F::Temperature, "1"}, {F::Humidity, "1"}});
    EXPECT_EQ(page.EditHistory(), (H{0, 3, 1, 2}));
    Fill({{F::Temperature, "2"}, {F::Temperature, "3"}});  // out of h2, then already in front
    EXPECT_EQ(page.EditHistory(), (H{0, 3, 2, 1}));
    page.SetFieldText(F::P2, "1");  // new: the oldest drops out
    EXPECT_EQ(page.EditHistory(), (H{3, 2, 1, 4}));
    page.SetFieldText(F::DewPoint, "2");  // h0 counts as new
    EXPECT_EQ(page.EditHistory(), (H{2, 1, 4, 3}));
    EXPECT_EQ(page.Preference(), (PreferenceList{3, 4, 1, 2}));

    // Uncertainties and the page's own rewrites during Compute are no primary edits.
    Fill({{F::P1, "100"}, {F::P2, "100"}, {F::Humidity, ""}, {F::DewPoint, "10"}, {F::Temperature, "20"}});
    const H before = page.EditHistory();
    page.Compute();
    ASSERT_TRUE(page.PrintEnabled());
    EXPECT_EQ(page.FieldText(F::Temperature), "20,000");
    page.SetFieldText(F::HumidityUncertainty, "1");
    EXPECT_EQ(page.EditHistory(), before);
    EXPECT_FALSE(page.PrintEnabled());
    EXPECT_TRUE(page.MarkerVisible());
}

TEST_F(RhPageTest, UnitChangesConvertTheInputs) {
    page.SetFieldText(F::TemperatureUncertainty, "0.1");
    ASSERT_EQ(ComputeWith(kDpT), 0);
    page.SetFieldText(F::DewPointUncertainty, "");  // an empty field is left alone
    page.ChangeTemperatureUnit(2);
    EXPECT_EQ(page.FieldText(F::DewPoint), "50,000");
    EXPECT_EQ(page.FieldText(F::DewPointUncertainty), "");
    EXPECT_EQ(page.FieldText(F::Temperature), "68,000");
    EXPECT_EQ(page.FieldText(F::TemperatureUncertainty), "0,180");
    EXPECT_EQ(page.FieldUnit(F::DewPoint), "°F");
    EXPECT_EQ(page.EditHistory()[3], kInputT);  // the rewrites are edits
    // The results held stand beside the new unit in that unit, out of date.
    EXPECT_EQ(page.RowUnit(RhRow::DewFrostPoint), "°F");
    EXPECT_EQ(page.ResultText(Row(RhRow::DewFrostPoint), 0), "50,000");
    EXPECT_EQ(page.ResultText(Row(RhRow::Temperature), 0), "68,000");
    EXPECT_EQ(page.ResultText(Row(RhRow::Temperature), 1), "0,180");
    EXPECT_FALSE(page.PrintEnabled());
    EXPECT_TRUE(page.MarkerVisible());

    // A rejected entry stops the change: nothing converted, the unit stays.
    page.SetFieldText(F::TemperatureUncertainty, "1-");
    host.shown.clear();
    page.ChangeTemperatureUnit(1);
    EXPECT_EQ(host.shown.size(), 1u);
    EXPECT_EQ(page.TemperatureUnit(), "°F");
    page.SetFieldText(F::TemperatureUncertainty, "-0.18");
    page.ChangeTemperatureUnit(1);
    EXPECT_EQ(page.FieldText(F::Temperature), "293,150");
    EXPECT_EQ(page.FieldText(F::TemperatureUncertainty), "0,100");

    // Pressures; a conversion crumb just below zero is shown as zero.
    page.SetFormat({12, 3, "."});
    Fill({{F::P1, "100"}, {F::P1Uncertainty, "-0.000000000001"}, {F::P2, "-0.000000000001"}});
    page.ChangePressureUnit(2);  // mmHg
    EXPECT_EQ(page.FieldText(F::P1), "750.062000000000");
    EXPECT_EQ(page.FieldText(F::P1Uncertainty), "0.000000000008");
    EXPECT_EQ(page.FieldText(F::P2), "0.000000000000");
    page.SetFormat({3, 3, "."});
    Fill({{F::P1, "100"}, {F::P2, "-0.001"}});
    page.ChangePressureUnit(0);
    EXPECT_EQ(page.FieldText(F::P1), "13.332");
    EXPECT_EQ(page.FieldText(F::P2), "-0.000");  // -0.00013 kPa is a real value
}

TEST_F(RhPageTest, EnthalpyUnitAndActivation) {
    ASSERT_EQ(ComputeWith(kDpT), 0);
    const HumidityResult held = page.LastResult();
    page.ChangeEnthalpyUnit(1);
    // The numbers held are shown at once in kJ/kg, out of date until the next Compute.
    const std::string kilojoules = FormatResult(held.Value(Quantity::Enthalpy, Phase::Water) * 4.1868, 3, ",");
    EXPECT_EQ(page.ResultText(Row(RhRow::Enthalpy), 0), kilojoules);
    EXPECT_EQ(page.RowUnit(RhRow::Enthalpy), "kJ/kg");
    EXPECT_FALSE(page.PrintEnabled());
    EXPECT_TRUE(page.MarkerVisible());
    page.Compute();
    EXPECT_EQ(page.ResultText(Row(RhRow::Enthalpy), 0), kilojoules);

    EXPECT_EQ(page.ResultsCaptionId(), 98);
    page.SetFormulaUncertainty(false);
    page.SetStale();
    page.Activate();
    EXPECT_EQ(page.ResultsCaption(), LoadString(97));
    EXPECT_FALSE(page.Stale());
    EXPECT_TRUE(page.MarkerVisible());
    EXPECT_FALSE(host.menuPrintEnabled);
    page.Compute();
    host.menuPrintEnabled = false;
    page.Activate();
    EXPECT_TRUE(host.menuPrintEnabled);
}
