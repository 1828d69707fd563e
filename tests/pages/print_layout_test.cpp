#include <gtest/gtest.h>

#include <algorithm>

#include "app/settings.h"
#include "pages/print_layout.h"
#include "wegator_version.h"

using namespace wegator;

namespace {
const PrintCell* At(const std::vector<PrintCell>& cells, int k, int n) {
    auto it = std::find_if(cells.begin(), cells.end(), [&](const PrintCell& c) { return c.k == k && c.n == n; });
    return it == cells.end() ? nullptr : &*it;
}
}  // namespace

TEST(PrintLayout, A4PositionsAndTheHumiditySheet) {
    // A4 at 600 dpi: printable 4760 × 6814 pixels.
    EXPECT_EQ(ToDevice(kLabelColumn, 1300, 4760, 6814).x, 206);
    EXPECT_EQ(ToDevice(kLabelColumn, 1300, 4760, 6814).y, 2952);
    EXPECT_EQ(ToDevice(kSheetWidth, kSheetHeight, 4760, 6814).x, 4760);

    HumidityPrintout p;
    p.uncertaintyHeading = "Niepewność";
    p.overWaterHeading = "Nad wodą";
    p.overIceHeading = "Nad lodem";
    p.inputCaption = "Wartości wejściowe";
    p.inputs = {{"T", "20,000", "0,100", "°C"}, {"Tw/Ti", "15,000", "0,100", "°C"}, {"Pb", "101,325", "", "kPa"}};
    p.resultsCaption = "caption";
    p.results[0] = {"DP/FP", {"10,000", "0,050", "", ""}, "°C"};
    p.results[9] = {"Tw/Ti", {"15,000", "0,100", "15,000", "0,100"}, "°C"};
    p.laboratoryLines = {"Laboratorium Wilgotności", "Nr akredytacji: AB 123"};
    p.traceLines = {"Wydrukowano"};
    const std::vector<PrintCell> cells = LayOut(p);
    EXPECT_EQ(At(cells, 100, 100)->text, "Wartości wejściowe");
    EXPECT_EQ(At(cells, 100, 200)->text, std::string(16, '-'));
    EXPECT_EQ(At(cells, 800, 300)->text, "Niepewność");
    EXPECT_EQ(At(cells, 100, 500)->text, "Tw/Ti");
    EXPECT_EQ(At(cells, 1150, 600)->text, "kPa");
    EXPECT_EQ(At(cells, 100, 700), nullptr);  // only the page's own input rows
    EXPECT_EQ(At(cells, 100, 1100)->text, std::string(24, '-'));
    EXPECT_EQ(At(cells, 1150, 1200)->text, "Nad lodem");
    EXPECT_EQ(At(cells, 450, 1300)->text, "10,000");
    EXPECT_EQ(At(cells, 1150, 1300)->text, "");  // a blanked column prints empty cells
    EXPECT_EQ(At(cells, 1850, 2200)->text, "°C");
    EXPECT_EQ(At(cells, 100, 2300)->text, std::string(41, '-'));
    EXPECT_EQ(At(cells, 100, 2400)->text, std::string("Obliczono programem Wegator ") + kVersion);
    EXPECT_EQ(At(cells, 100, 2500)->text, "Laboratorium Wilgotności");
    EXPECT_EQ(At(cells, 100, 2600)->text, "Nr akredytacji: AB 123");
    EXPECT_EQ(At(cells, 100, 2700)->text, "Wydrukowano");
}

TEST(PrintLayout, LaboratoryLinesLeaveOutWhatIsNotGiven) {
    const struct {
        const char *name, *address, *accreditation;
        std::vector<std::string> lines;
    } cases[] = {
        {"", "", "", {}},
        {"Laboratorium", "", "PCA AB 123", {"Laboratorium", "Nr akredytacji: PCA AB 123"}},
        {"Laboratorium", "ul. Długa 1", "", {"Laboratorium", "ul. Długa 1"}},
    };
    for (const auto& c : cases) {
        Settings s;
        s.labName = c.name;
        s.labAddress = c.address;
        s.labAccreditation = c.accreditation;
        EXPECT_EQ(LaboratoryLines(s), c.lines) << c.name << c.address << c.accreditation;
    }
}

TEST(PrintLayout, PressureSheet) {
    PressurePrintout p;
    p.inputCaption = "Wartości wejściowe";
    p.inputUnit = "kPa";
    p.inputValue = "1,0000";
    p.resultsCaption = "Wartości obliczone";
    p.results[0] = {"Pa", "1000,0000"};
    p.results[11] = {"psf", "20,9205"};
    const std::vector<PrintCell> cells = LayOut(p);
    EXPECT_EQ(At(cells, 100, 200)->text, std::string(15, '-'));
    EXPECT_EQ(At(cells, 450, 300)->text, "1,0000");
    EXPECT_EQ(At(cells, 450, 700)->text, "1000,0000");
    EXPECT_EQ(At(cells, 100, 1800)->text, "psf");
    EXPECT_EQ(At(cells, 100, 2000)->text, std::string(41, '-'));
    EXPECT_EQ(At(cells, 100, 2100)->text, std::string("Obliczono programem Wegator ") + kVersion);
}
