#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "text/string_table.h"
#include "text/strings.h"
#include "pages/moisture_page.h"
#include "physics/units.h"

using namespace wegator;

namespace {

using F = MoistureField;
using Entry = std::pair<MoistureField, const char*>;

enum ListIndex { kDpFp = 0, kPpmv = 1, kPpmw = 2, kX = 3 };

class MoisturePageTest : public ::testing::Test {
protected:
    MoisturePageTest() : page(host) {}

    void Fill(std::initializer_list<Entry> entries) {
        for (const auto& [field, text] : entries) page.SetFieldText(field, text);
    }
    // Compute with the pressures, the temperature and the content given; the
    // id of the single message shown, 0 when none.
    int ComputeWith(const char* content, const char* t = "20", const char* p1 = "100", const char* p2 = "100") {
        Fill({{F::P1, p1}, {F::P2, p2}, {F::Temperature, t}, {F::Content, content}});
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
    MoistureContentPage page;
};

}  // namespace

TEST_F(MoisturePageTest, QuantitySwitchEmptiesTheContentRowAndRelabelsIt) {
    EXPECT_EQ(page.ContentQuantityText(), "DP/FP");
    EXPECT_EQ(page.FieldUnit(F::Content), "°C");
    ASSERT_EQ(ComputeWith("10"), 0);
    page.SetFieldText(F::ContentUncertainty, "0.2");
    page.SetFieldText(F::Temperature, "20");
    ASSERT_EQ(page.EditHistory()[3], kInputT);

    page.ChangeContentQuantity(kPpmv);
    EXPECT_EQ(page.SelectedContentQuantity(), ContentQuantity::Ppmv);
    EXPECT_EQ(page.ContentQuantityText(), "PPMV");
    EXPECT_EQ(page.FieldText(F::Content), "");
    EXPECT_EQ(page.FieldText(F::ContentUncertainty), "");
    EXPECT_EQ(page.FieldUnit(F::Content), "ppm");
    EXPECT_EQ(page.EditHistory()[3], kInputDewPoint);  // the emptying is an edit of the content
    EXPECT_FALSE(page.PrintEnabled());

    // A temperature-unit change now leaves the content alone.
    Fill({{F::Content, "1000"}, {F::ContentUncertainty, "0.5"}});
    page.ChangeTemperatureUnit(2);  // °F
    EXPECT_EQ(page.FieldText(F::Content), "1000");
    EXPECT_EQ(page.FieldText(F::ContentUncertainty), "0.5");
    EXPECT_EQ(page.FieldText(F::Temperature), "68,000");
    EXPECT_EQ(page.FieldUnit(F::Content), "ppm");
    EXPECT_EQ(page.FieldUnit(F::Temperature), "°F");

    page.ChangeContentQuantity(kX);
    EXPECT_EQ(page.FieldUnit(F::Content), "g/kg");
    page.ChangeContentQuantity(kDpFp);
    EXPECT_EQ(page.FieldUnit(F::Content), "°F");
    // Back on a dew point, the content follows the temperature unit again.
    Fill({{F::Content, "50"}, {F::ContentUncertainty, "0.18"}});
    page.ChangeTemperatureUnit(0);
    EXPECT_EQ(page.FieldText(F::Content), "10,000");
    EXPECT_EQ(page.FieldText(F::ContentUncertainty), "0,100");
}

TEST_F(MoisturePageTest, InputChecksInOrder) {
    // The empty content is named by its quantity, before anything else.
    const int enter[] = {42, 43, 44, 45};
    for (int q = kDpFp; q <= kX; ++q) {
        page.ChangeContentQuantity(q);
        EXPECT_EQ(ComputeWith("", "", "", ""), enter[q]);
    }
    page.ChangeContentQuantity(kDpFp);
    // The temperature before any pressure is examined.
    EXPECT_EQ(ComputeWith("10", "", "", ""), 46);
    EXPECT_EQ(ComputeWith("10", "100.001", "", ""), 7);
    page.SetFieldText(F::TemperatureUncertainty, "-100");
    EXPECT_EQ(ComputeWith("10", "100", "", ""), 9);
    page.SetFieldText(F::TemperatureUncertainty, "0.1");
    EXPECT_EQ(ComputeWith("10", "20", "", ""), 13);
    EXPECT_EQ(ComputeWith("10", "20", "2.9", ""), 1);
    page.SetFieldText(F::P1Uncertainty, "100");
    EXPECT_EQ(ComputeWith("10", "20", "100", ""), 2);
    page.SetFieldText(F::P1Uncertainty, "");
    EXPECT_EQ(ComputeWith("10", "20", "100", ""), 3);
    EXPECT_EQ(ComputeWith("10", "20", "100", "20000.001"), 4);
    EXPECT_EQ(ComputeWith("10", "20", "100", "2100"), 79);
    EXPECT_EQ(ComputeWith("10", "20", "3", "7000"), 79);
    EXPECT_TRUE(host.shown.back().warning);
    EXPECT_EQ(host.shown.back().text, WithDecimalSign(LoadString(79), ","));
    // The content itself comes last.
    EXPECT_EQ(ComputeWith("-100.001", "20", "100", "2000"), 5);
    page.SetFieldText(F::ContentUncertainty, "-100");
    EXPECT_EQ(ComputeWith("-100"), 6);
    page.SetFieldText(F::ContentUncertainty, "");
    EXPECT_EQ(ComputeWith("-100"), 0);  // the lowest dew point is accepted
    EXPECT_EQ(page.FieldText(F::ContentUncertainty), "0,000");
    EXPECT_TRUE(host.menuPrintEnabled);

    // A rejected entry reports itself only, whatever the unit; the grid empties.
    page.ChangePressureUnit(1);  // MPa
    EXPECT_EQ(ComputeWith("10", "20", "0.1.0", "0.1"), 15);
    EXPECT_EQ(page.FieldText(F::P1), "0.1.0");
    EXPECT_TRUE(GridEmpty());
    EXPECT_FALSE(page.PrintEnabled());
    EXPECT_TRUE(page.MarkerVisible());
    EXPECT_FALSE(host.menuPrintEnabled);
}

TEST_F(MoisturePageTest, ContentRangesOfTheFractions) {
    struct Case {
        int quantity;
        int valueMessage, uncertaintyMessage;
    };
    for (const Case c : {Case{kPpmv, 47, 50}, Case{kPpmw, 48, 51}, Case{kX, 49, 52}}) {
        page.ChangeContentQuantity(c.quantity);
        EXPECT_EQ(ComputeWith("0"), c.valueMessage) << c.quantity;
        EXPECT_EQ(ComputeWith("1000000"), c.valueMessage) << c.quantity;
        EXPECT_EQ(ComputeWith("-5"), c.valueMessage) << c.quantity;
        page.SetFieldText(F::ContentUncertainty, "-100000");
        EXPECT_EQ(ComputeWith("1"), c.uncertaintyMessage) << c.quantity;
        page.SetFieldText(F::ContentUncertainty, "99999.999");
        EXPECT_EQ(ComputeWith("1"), 0) << c.quantity;
    }

    // A negative uncertainty is taken as its magnitude.
    page.ChangeContentQuantity(kPpmv);
    page.SetFieldText(F::ContentUncertainty, "-500");
    ASSERT_EQ(ComputeWith("5000"), 0);
    EXPECT_EQ(page.FieldText(F::ContentUncertainty), "-500,000");
    const HumidityResult negative = page.LastResult();
    EXPECT_GT(negative.Uncertainty(Quantity::Ppmv, Phase::Water), 0.0);
    page.SetFieldText(F::ContentUncertainty, "500");
    ASSERT_EQ(ComputeWith("5000"), 0);
    EXPECT_EQ(page.LastResult().values, negative.values);
}

TEST_F(MoisturePageTest, MixingRatioIsCarriedAsVolumeFraction) {
    page.ChangeContentQuantity(kX);
    ASSERT_EQ(ComputeWith("10", "30", "101.325", "101.325"), 0);
    const double ppmv = 16077.17041800643;
    const HumidityResult& r = page.LastResult();
    for (Phase ph : {Phase::Water, Phase::Ice}) {
        EXPECT_NEAR(r.Value(Quantity::VapourPressure, ph), 1000 * 101.325 * ppmv / (ppmv + 1e6), 1e-9);
        EXPECT_NEAR(r.Value(Quantity::Ppmv, ph), ppmv, 1e-6);
        EXPECT_NEAR(r.Value(Quantity::MixingRatio, ph), 10.0, 1e-9);
    }
    // The grid shows what the engine gives for the same inputs.
    const HumidityResult direct = HumidityEngine().ComputeFromMoistureContent(
        ContentQuantity::MixingRatio, 10, 0, 30, 0, 101.325, 0, 101.325, true, page.Preference(), "°C", "kPa", ",");
    EXPECT_EQ(r.values, direct.values);
    EXPECT_EQ(page.ResultText(5, 0), FormatResult(direct.Value(Quantity::MixingRatio, Phase::Water), 3, ","));
}

TEST_F(MoisturePageTest, ComputedValueOutOfRangeIsAWarningWithItsLimit) {
    // Dew point above the air temperature once compressed: supersaturated over water.
    Fill({{F::P1, "100"}, {F::P2, "110"}, {F::Content, "20"}, {F::Temperature, "20"}});
    page.Compute();
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_TRUE(host.shown[0].warning);
    EXPECT_EQ(host.shown[0].messageId, 101);  // T, the last input edited
    EXPECT_NE(host.shown[0].text.find(','), std::string::npos);
    EXPECT_TRUE(GridEmpty());
    EXPECT_FALSE(page.PrintEnabled());

    // Blaming follows the edit order: the content now.
    page.SetFieldText(F::Content, "20");
    host.shown.clear();
    page.Compute();
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_EQ(host.shown[0].messageId, 102);
}

TEST_F(MoisturePageTest, PressureUnitAndSettings) {
    Fill({{F::P1, "100"}, {F::P1Uncertainty, "-0.5"}, {F::P2, "90"}});
    page.ChangePressureUnit(3);  // hPa, mbar
    EXPECT_EQ(page.FieldText(F::P1), "1000,000");
    EXPECT_EQ(page.FieldText(F::P1Uncertainty), "5,000");
    EXPECT_EQ(page.FieldText(F::P2), "900,000");
    EXPECT_EQ(page.EditHistory()[3], kInputP2);

    Settings s;
    s.misturePrecInput = 1;
    s.misturePrecCalcul = 5;
    s.formulasUncertainty = 0;
    page.ApplySettings(s);
    EXPECT_EQ(page.Format().inputPrecision, 1);
    EXPECT_EQ(page.Format().resultPrecision, 5);
    EXPECT_EQ(page.ResultsCaptionId(), 97);
}

TEST_F(MoisturePageTest, PrintoutShowsTheSelectedQuantity) {
    page.ChangeContentQuantity(kPpmw);
    page.SetFieldText(F::ContentUncertainty, "5");
    ASSERT_EQ(ComputeWith("8000", "25", "100", "200"), 0);
    const HumidityPrintout p = page.Printout({2025, 3, 14, 9, 5});
    EXPECT_EQ(p.inputCaption, LoadString(msg::InputsAtP1Caption));
    EXPECT_EQ(p.resultsCaption, LoadString(98));
    ASSERT_EQ(p.inputs.size(), 4u);
    const PrintInputRow expected[] = {{"PPMW", "8000,000", "5,000", "ppm"},
                                      {"T", "25,000", "0,000", "°C"},
                                      {"Pin", "100,000", "0,000", "kPa"},
                                      {"Pout", "200,000", "", "kPa"}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(p.inputs[i].label, expected[i].label);
        EXPECT_EQ(p.inputs[i].value, expected[i].value);
        EXPECT_EQ(p.inputs[i].uncertainty, expected[i].uncertainty);
        EXPECT_EQ(p.inputs[i].unit, expected[i].unit);
    }
    EXPECT_EQ(p.results[4].cells[0], page.ResultText(4, 0));
}
