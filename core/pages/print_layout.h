// The printout of a page: one sheet of plain text lines on a fixed grid of
// positions, scaled to the printable area of whatever printer is chosen. Every
// cell is a text the page shows (a field, a label, a caption) or a fixed line;
// nothing is recomputed for printing.
#pragma once

#include <array>
#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace wegator {

class HumidityEngine;
struct Settings;

// A text at a position of the virtual sheet, 2300 units wide and 3000 high.
struct PrintCell {
    int k;  // column
    int n;  // line
    std::string text;
};

inline constexpr int kSheetWidth = 2300;
inline constexpr int kSheetHeight = 3000;

// Columns of the sheet.
inline constexpr int kLabelColumn = 100;
inline constexpr int kWaterColumn = 450;      // input value, or value over water
inline constexpr int kWaterUColumn = 800;     // input uncertainty, or its uncertainty over water
inline constexpr int kIceColumn = 1150;       // input unit, or value over ice
inline constexpr int kIceUColumn = 1500;      // its uncertainty over ice
inline constexpr int kResultUnitColumn = 1850;

// Device position of a sheet position on a printable area of width × height
// pixels: the product first, then the truncating division.
struct DevicePoint {
    long long x;
    long long y;
};
DevicePoint ToDevice(int k, int n, long long width, long long height);

// One input row of a humidity page: label, value, uncertainty, unit (any may be empty).
struct PrintInputRow {
    std::string label, value, uncertainty, unit;
};

// What a humidity page (relative humidity, moisture content, psychrometer,
// laboratory) prints.
struct HumidityPrintout {
    // Headings as the page shows them: "Niepewność", "Nad wodą", "Nad lodem".
    std::string uncertaintyHeading, overWaterHeading, overIceHeading;
    std::string inputCaption;       // the input group's caption as shown
    std::vector<PrintInputRow> inputs;  // from line 400 down, one per 100 units
    std::string resultsCaption;     // the results frame's caption as shown
    // Ten result rows in the grid's order: label, four texts as shown, unit label.
    struct ResultRow {
        std::string label;
        std::array<std::string, 4> cells;
        std::string unit;
    };
    std::array<ResultRow, 10> results;
    // The laboratory the sheet comes from (LaboratoryLines), under the
    // program's line; none on the calculator pages.
    std::vector<std::string> laboratoryLines;
    std::vector<std::string> traceLines;  // below those (HumidityTraceLines)
    // Printed under the inputs: what the reader must know before trusting
    // the numbers (the laboratory's inputs gone stale).
    std::vector<std::string> warnings;
};

// What the pressure page prints.
struct PressurePrintout {
    std::string inputCaption;   // "Wartości wejściowe"
    std::string inputUnit;      // the selected unit's text
    std::string inputValue;     // the input field's text
    std::string resultsCaption; // "Wartości obliczone"
    // Unit label and result text, in the order printed.
    std::array<std::array<std::string, 2>, 12> results;
    std::vector<std::string> traceLines;  // below the program's line (PressureTraceLines)
};

std::vector<PrintCell> LayOut(const HumidityPrintout& page);
std::vector<PrintCell> LayOut(const PressurePrintout& page);

// The line at the foot of every printout naming the program and its version,
// so that a sheet says what computed it.
std::string PrintProgramLine();
// The foot of a sheet of a humidity printout's own (a further sheet beside
// the page's): the rule at line 2300, the program's line and the trace lines.
void AppendHumidityFooter(std::vector<PrintCell>& cells, const std::vector<std::string>& traceLines);
// The laboratory on its printouts: its name, its address and "Nr akredytacji:
// …" as the settings give them, a line each, the empty ones left out.
std::vector<std::string> LaboratoryLines(const Settings& settings);

// The local date and time a sheet is printed at. The shells read their clock
// and hand it in, so a printout is the same whenever a test makes it.
struct PrintTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
};
// The local time of a moment of the system clock.
PrintTime LocalPrintTime(std::chrono::system_clock::time_point moment);
// "2025-03-14 09:05", the same in every language.
std::string FormatPrintTime(const PrintTime& t);

// The lines under the program's line that let a printed sheet be traced: when
// it was printed and the formula set, then whether the formulas' uncertainty
// is included and the psychrometer constants in use ("domyślna" for the
// default, else the constant with ten decimals), e.g.
//   Wydrukowano 2025-03-14 09:05; wzory ITS-90
//   Z niepewnością wzorów; stałe psychrometru: Aw domyślna, Ai 0,0005750000 1/K
// Two lines, because with the longest formula-set name and two constants of
// the user's, one would run past the right edge of the sheet in the printer's
// default font.
std::vector<std::string> HumidityTraceLines(const PrintTime& printedAt, const HumidityEngine& engine,
                                            bool formulaUncertainty, std::string_view decimalSign);
// A pressure conversion uses no humidity formula: only when it was printed.
std::vector<std::string> PressureTraceLines(const PrintTime& printedAt);

}  // namespace wegator
