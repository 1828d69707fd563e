#include "pages/print_layout.h"

#include <cstdio>
#include <ctime>

#include "app/settings.h"
#include "text/string_table.h"
#include "text/strings.h"
#include "physics/humidity_engine.h"
#include "wegator_version.h"

namespace wegator {

namespace {

constexpr int kPrintedByMessage = 183;      // "Obliczono programem Wegator %s"
constexpr int kAccreditationMessage = 184;  // "Nr akredytacji: %s"
constexpr int kLineStep = 100;

// Lines of the humidity printout.
constexpr int kCaptionLine = 100;
constexpr int kRuleLine = 200;
constexpr int kHeadingLine = 300;
constexpr int kFirstInputLine = 400;
constexpr int kResultsCaptionLine = 1000;
constexpr int kResultsRuleLine = 1100;
constexpr int kColumnHeadingLine = 1200;
constexpr int kFirstResultLine = 1300;
constexpr int kFootRuleLine = 2300;

// Lines of the pressure printout.
constexpr int kPressureUnitLine = 300;
constexpr int kPressureResultsCaptionLine = 500;
constexpr int kPressureResultsRuleLine = 600;
constexpr int kFirstPressureLine = 700;
constexpr int kPressureFootRuleLine = 2000;

const std::string kInputRule(16, '-');
const std::string kPressureInputRule(15, '-');
const std::string kResultsRule(24, '-');
const std::string kFootRule(41, '-');

void Footer(std::vector<PrintCell>& cells, int ruleLine, const std::vector<std::string>& laboratoryLines,
            const std::vector<std::string>& traceLines) {
    cells.push_back({kLabelColumn, ruleLine, kFootRule});
    cells.push_back({kLabelColumn, ruleLine + kLineStep, PrintProgramLine()});
    int n = ruleLine + 2 * kLineStep;
    for (const auto* lines : {&laboratoryLines, &traceLines}) {
        for (const std::string& line : *lines) {
            cells.push_back({kLabelColumn, n, line});
            n += kLineStep;
        }
    }
}

// A psychrometer constant as the trace line names it.
std::string ConstantText(const char* symbol, double setting, std::string_view decimalSign) {
    std::string text = symbol;
    text += ' ';
    if (IsDefaultConstant(setting)) return text + std::string(LoadString(msg::TraceDefaultConstant));
    char number[64];
    std::snprintf(number, sizeof number, "%.10f", setting);
    return text + WithDecimalSign(number, decimalSign) + " 1/K";
}

}  // namespace

DevicePoint ToDevice(int k, int n, long long width, long long height) {
    return {width * k / kSheetWidth, height * n / kSheetHeight};
}

std::string PrintProgramLine() { return FillIn(LoadString(kPrintedByMessage), {kVersion}); }

void AppendHumidityFooter(std::vector<PrintCell>& cells, const std::vector<std::string>& traceLines) {
    Footer(cells, kFootRuleLine, {}, traceLines);
}

std::vector<std::string> LaboratoryLines(const Settings& settings) {
    std::vector<std::string> lines;
    if (!settings.labName.empty()) lines.push_back(settings.labName);
    if (!settings.labAddress.empty()) lines.push_back(settings.labAddress);
    if (!settings.labAccreditation.empty()) {
        lines.push_back(FillIn(LoadString(kAccreditationMessage), {settings.labAccreditation}));
    }
    return lines;
}

PrintTime LocalPrintTime(std::chrono::system_clock::time_point moment) {
    const std::time_t t = std::chrono::system_clock::to_time_t(moment);
    std::tm local{};
    localtime_r(&t, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min};
}

std::string FormatPrintTime(const PrintTime& t) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour, t.minute);
    return text;
}

namespace {
std::string PrintedAtText(const PrintTime& printedAt) {
    return std::string(LoadString(msg::TracePrinted)) + ' ' + FormatPrintTime(printedAt);
}
}  // namespace

std::vector<std::string> PressureTraceLines(const PrintTime& printedAt) { return {PrintedAtText(printedAt)}; }

std::vector<std::string> HumidityTraceLines(const PrintTime& printedAt, const HumidityEngine& engine,
                                            bool formulaUncertainty, std::string_view decimalSign) {
    std::string first = PrintedAtText(printedAt);
    first += "; ";
    first += LoadString(engine.FormulaSet() == 0 ? msg::TraceFormulasIts90 : msg::TraceFormulasGuide);
    std::string second(
        LoadString(formulaUncertainty ? msg::TraceWithFormulaUncertainty : msg::TraceWithoutFormulaUncertainty));
    second += "; ";
    second += LoadString(msg::TracePsychrometerConstants);
    second += ": ";
    second += ConstantText("Aw", engine.PsychrometerConstantWaterSetting(), decimalSign);
    second += ", ";
    second += ConstantText("Ai", engine.PsychrometerConstantIceSetting(), decimalSign);
    return {first, second};
}

std::vector<PrintCell> LayOut(const HumidityPrintout& page) {
    std::vector<PrintCell> cells;
    cells.push_back({kLabelColumn, kCaptionLine, page.inputCaption});
    cells.push_back({kLabelColumn, kRuleLine, kInputRule});
    cells.push_back({kWaterUColumn, kHeadingLine, page.uncertaintyHeading});
    int n = kFirstInputLine;
    for (const PrintInputRow& row : page.inputs) {
        cells.push_back({kLabelColumn, n, row.label});
        cells.push_back({kWaterColumn, n, row.value});
        cells.push_back({kWaterUColumn, n, row.uncertainty});
        cells.push_back({kIceColumn, n, row.unit});
        n += kLineStep;
    }
    for (const std::string& warning : page.warnings) {
        cells.push_back({kLabelColumn, n, warning});
        n += kLineStep;
    }
    cells.push_back({kLabelColumn, kResultsCaptionLine, page.resultsCaption});
    cells.push_back({kLabelColumn, kResultsRuleLine, kResultsRule});
    cells.push_back({kWaterColumn, kColumnHeadingLine, page.overWaterHeading});
    cells.push_back({kWaterUColumn, kColumnHeadingLine, page.uncertaintyHeading});
    cells.push_back({kIceColumn, kColumnHeadingLine, page.overIceHeading});
    cells.push_back({kIceUColumn, kColumnHeadingLine, page.uncertaintyHeading});
    n = kFirstResultLine;
    for (const auto& row : page.results) {
        cells.push_back({kLabelColumn, n, row.label});
        const int columns[4] = {kWaterColumn, kWaterUColumn, kIceColumn, kIceUColumn};
        for (int i = 0; i < 4; ++i) cells.push_back({columns[i], n, row.cells[static_cast<std::size_t>(i)]});
        cells.push_back({kResultUnitColumn, n, row.unit});
        n += kLineStep;
    }
    Footer(cells, kFootRuleLine, page.laboratoryLines, page.traceLines);
    return cells;
}

std::vector<PrintCell> LayOut(const PressurePrintout& page) {
    std::vector<PrintCell> cells;
    cells.push_back({kLabelColumn, kCaptionLine, page.inputCaption});
    cells.push_back({kLabelColumn, kRuleLine, kPressureInputRule});
    cells.push_back({kLabelColumn, kPressureUnitLine, page.inputUnit});
    cells.push_back({kWaterColumn, kPressureUnitLine, page.inputValue});
    cells.push_back({kLabelColumn, kPressureResultsCaptionLine, page.resultsCaption});
    cells.push_back({kLabelColumn, kPressureResultsRuleLine, kResultsRule});
    int n = kFirstPressureLine;
    for (const auto& row : page.results) {
        cells.push_back({kLabelColumn, n, row[0]});
        cells.push_back({kWaterColumn, n, row[1]});
        n += kLineStep;
    }
    Footer(cells, kPressureFootRuleLine, {}, page.traceLines);
    return cells;
}

}  // namespace wegator
