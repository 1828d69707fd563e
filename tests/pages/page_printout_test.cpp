#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "text/string_table.h"
#include "text/strings.h"
#include "pages/pressure_page.h"
#include "pages/rh_page.h"

using namespace wegator;

namespace {

const std::string* TextAt(const std::vector<PrintCell>& cells, int k, int n) {
    auto it = std::find_if(cells.begin(), cells.end(), [&](const PrintCell& c) { return c.k == k && c.n == n; });
    return it == cells.end() ? nullptr : &it->text;
}

}  // namespace

TEST(PagePrintout, RelativeHumidityRowsAsShown) {
    RecordingHost host;
    RelativeHumidityPage page(host);
    page.ChangeTemperatureUnit(2);  // °F
    page.ChangeEnthalpyUnit(1);     // kJ/kg
    page.SetFieldText(RhField::P1, "100");
    page.SetFieldText(RhField::P1Uncertainty, "0.5");
    page.SetFieldText(RhField::P2, "120");
    page.SetFieldText(RhField::DewPoint, "-76");  // -60 °C: the water half stays empty
    page.SetFieldText(RhField::Temperature, "68");
    page.SetFieldText(RhField::HumidityUncertainty, "1");
    page.Compute();
    ASSERT_TRUE(host.shown.empty());

    const HumidityPrintout p = page.Printout({2025, 3, 14, 9, 5});
    EXPECT_EQ(p.inputCaption, LoadString(msg::InputsAtP1Caption));
    EXPECT_EQ(p.resultsCaption, LoadString(98));
    EXPECT_EQ(p.uncertaintyHeading, LoadString(msg::UncertaintyHeading));
    EXPECT_EQ(p.overWaterHeading, LoadString(msg::OverWaterHeading));
    EXPECT_EQ(p.overIceHeading, LoadString(msg::OverIceHeading));
    ASSERT_EQ(p.inputs.size(), 5u);
    const char* labels[] = {"DP/FP", "T", "RH", "Pin", "Pout"};
    const char* units[] = {"°F", "°F", "%", "kPa", "kPa"};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(p.inputs[i].label, labels[i]);
        EXPECT_EQ(p.inputs[i].unit, units[i]);
    }
    EXPECT_EQ(p.inputs[0].value, "-76,000");
    EXPECT_EQ(p.inputs[2].value, "");  // the input not given, its uncertainty erased by Compute
    EXPECT_EQ(p.inputs[2].uncertainty, "");
    EXPECT_EQ(p.inputs[3].uncertainty, "0,500");
    EXPECT_EQ(p.inputs[4].value, "120,000");
    EXPECT_EQ(p.inputs[4].uncertainty, "");

    for (int row = 0; row < CalculatorPage::kRows; ++row) {
        const auto& r = p.results[static_cast<std::size_t>(row)];
        EXPECT_EQ(r.label, CalculatorPage::RowLabel(row));
        EXPECT_EQ(r.unit, page.RowUnit(static_cast<RhRow>(row)));
        for (int c = 0; c < 4; ++c) EXPECT_EQ(r.cells[static_cast<std::size_t>(c)], page.ResultText(row, c));
        EXPECT_EQ(r.cells[0], "");
        EXPECT_NE(r.cells[2], "");
    }
    EXPECT_EQ(p.results[1].cells[2], "68,000");
    EXPECT_EQ(p.results[6].unit, "kJ/kg");
    EXPECT_EQ(p.results[8].unit, "Pa");

    // On the sheet: blanked cells print empty, labels stay.
    const std::vector<PrintCell> cells = LayOut(p);
    EXPECT_EQ(*TextAt(cells, kLabelColumn, 100), "Wartości wejściowe dla ciśnienia P1");
    EXPECT_EQ(*TextAt(cells, kLabelColumn, 800), "Pout");
    EXPECT_EQ(*TextAt(cells, kIceColumn, 800), "kPa");
    EXPECT_EQ(*TextAt(cells, kLabelColumn, 1300), "DP/FP");
    EXPECT_EQ(*TextAt(cells, kWaterColumn, 1300), "");
    EXPECT_EQ(*TextAt(cells, kIceColumn, 1400), "68,000");
    EXPECT_EQ(*TextAt(cells, kResultUnitColumn, 2200), "°F");
    // Below the program's line, what the sheet was made with.
    EXPECT_EQ(*TextAt(cells, kLabelColumn, 2500), "Wydrukowano 2025-03-14 09:05; wzory ITS-90");
    EXPECT_EQ(*TextAt(cells, kLabelColumn, 2600), "Z niepewnością wzorów; stałe psychrometru: Aw domyślna, Ai domyślna");
}

TEST(PagePrintout, TraceLineNamesTheSettingsInForce) {
    RecordingHost host;
    RelativeHumidityPage page(host);
    Settings s;
    s.usedFormulas = 1;
    s.formulasUncertainty = 0;
    s.globalAw = 0.0006653286;
    s.decimal = ".";
    page.ApplySettings(s, 3, 3);
    EXPECT_EQ(page.Printout({2024, 12, 31, 23, 59}).traceLines,
              (std::vector<std::string>{
                  "Wydrukowano 2024-12-31 23:59; wzory „A Guide to the Measurement of Humidity”",
                  "Bez niepewności wzorów; stałe psychrometru: Aw 0.0006653286 1/K, Ai domyślna"}));
    s.globalAw = -1.0;
    s.globalAi = 0.0005;
    s.decimal = ",";
    page.ApplySettings(s, 3, 3);
    EXPECT_NE(page.Printout({}).traceLines.at(1).find("Aw domyślna, Ai 0,0005000000 1/K"), std::string::npos);

    // The local time of a moment is what the shells hand in.
    const PrintTime now = LocalPrintTime(std::chrono::system_clock::now());
    EXPECT_GE(now.year, 2024);
    EXPECT_TRUE(now.month >= 1 && now.month <= 12 && now.minute >= 0 && now.minute < 60);
}

TEST(PagePrintout, PressureUnitsInListOrder) {
    RecordingHost host;
    PressurePage page(host);
    page.ChangeInputUnit(4);  // bar
    page.SetInputText("2");
    page.Compute();
    const PressurePrintout p = page.Printout({2025, 1, 2, 3, 4});
    EXPECT_EQ(p.inputCaption, LoadString(msg::InputsCaption));
    EXPECT_EQ(p.resultsCaption, LoadString(msg::ResultsCaption));
    EXPECT_EQ(p.inputUnit, "bar");
    EXPECT_EQ(p.inputValue, "2,000");
    const char* order[] = {"Pa", "hPa, mbar", "kPa", "MPa", "bar", "mmHg",
                           "micron", "atm", "at", "mmH2O", "psi", "psf"};
    for (std::size_t i = 0; i < p.results.size(); ++i) {
        EXPECT_EQ(p.results[i][0], order[i]);
        EXPECT_EQ(p.results[i][1], page.ResultTexts()[i]);
    }
    EXPECT_EQ(p.results[2][1], "200,000");
    const std::vector<PrintCell> cells = LayOut(p);
    EXPECT_EQ(*TextAt(cells, kLabelColumn, 300), "bar");
    EXPECT_EQ(*TextAt(cells, kWaterColumn, 900), "200,000");
    // A pressure conversion uses no humidity formula: only the time is traced.
    EXPECT_EQ(*TextAt(cells, kLabelColumn, 2200), "Wydrukowano 2025-01-02 03:04");
}
