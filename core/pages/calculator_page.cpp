#include "pages/calculator_page.h"

#include <cmath>
#include <utility>
#include <vector>

#include "text/string_table.h"
#include "text/strings.h"
#include "pages/edit_history.h"
#include "physics/units.h"

namespace wegator {

namespace {

// A unit conversion that lands a hair below zero is shown as zero rather than "-0,000".
constexpr double kTemperatureZeroBand = -1e-11;
constexpr double kPressureZeroBand = -1e-11;
constexpr double kPressureUncertaintyZeroBand = -1e-13;

}  // namespace

CalculatorPage::CalculatorPage(PageHost& host, int fieldCount)
    : host_(host), fields_(static_cast<std::size_t>(fieldCount)) {}

namespace {
template <typename Array>
std::string_view UnitText(const Array& units, int index) {
    return (index >= 0 && index < static_cast<int>(units.size())) ? units[static_cast<std::size_t>(index)]
                                                                  : units[0];
}
}  // namespace

std::string_view CalculatorPage::TemperatureUnit() const { return UnitText(kTemperatureUnits, temperatureUnit_); }
std::string_view CalculatorPage::PressureUnit() const { return UnitText(kPressureUnits, pressureUnit_); }
std::string_view CalculatorPage::EnthalpyUnit() const { return UnitText(kEnthalpyUnits, enthalpyUnit_); }

void CalculatorPage::ChangeEnthalpyUnit(int index) {
    if (index < 0 || index >= static_cast<int>(kEnthalpyUnits.size())) return;
    enthalpyUnit_ = index;
    FormatHeldResults();
    MarkOutOfDate();
}

void CalculatorPage::EditField(int f, std::string text) {
    fields_[static_cast<std::size_t>(f)] = std::move(text);
    FieldEdited(f);
}

void CalculatorPage::FieldEdited(int f) {
    if (busy_) return;  // the page's own writes during Compute
    const int code = CodeOfField(f);
    if (code >= 0) RecordEdit(code);
    MarkOutOfDate();
}

void CalculatorPage::ApplySettings(const Settings& s, int inputPrecision, int resultPrecision) {
    engine_.SetFormulaSet(s.usedFormulas);
    engine_.SetPsychrometerConstantWater(s.globalAw);
    engine_.SetPsychrometerConstantIce(s.globalAi);
    formulaUncertainty_ = s.formulasUncertainty != 0;
    format_.inputPrecision = inputPrecision;
    format_.resultPrecision = resultPrecision;
    format_.decimalSign.assign(1, s.decimal == "," ? ',' : '.');
}

int CalculatorPage::ResultsCaptionId() const {
    return formulaUncertainty_ ? msg::CaptionAtP2WithFormulaUncertainty : msg::CaptionAtP2WithoutFormulaUncertainty;
}

std::string CalculatorPage::ResultsCaption() const { return std::string(LoadString(ResultsCaptionId())); }

void CalculatorPage::Activate() {
    // The caption is read from the formula-uncertainty flag whenever it is shown.
    if (stale_) MarkOutOfDate();
    host_.EnableMenuPrint(printEnabled_);
}

void CalculatorPage::RecordEdit(int code) { MoveToFront(history_, code); }

void CalculatorPage::MarkOutOfDate() {
    printEnabled_ = false;
    markerVisible_ = true;
    stale_ = false;
    host_.EnableMenuPrint(false);
}

void CalculatorPage::MarkValid() {
    printEnabled_ = true;
    markerVisible_ = false;
    stale_ = false;
    host_.EnableMenuPrint(true);
}

void CalculatorPage::ClearResults() {
    MarkOutOfDate();
    for (auto& text : results_) text.clear();
    last_ = HumidityResult{};
    request_.reset();
}

void CalculatorPage::Fail(int messageId) {
    ClearResults();
    host_.ShowWarning(messageId, WithDecimalSign(LoadString(messageId), format_.decimalSign));
    busy_ = false;
}

void CalculatorPage::FailWithText(int messageId, const std::string& text) {
    ClearResults();
    host_.ShowWarning(messageId, text);
    busy_ = false;
}

double CalculatorPage::ReadField(std::string& text) { return ReadEntry(text, format_, host_); }

double CalculatorPage::ReadFieldAt(int f) {
    std::string& text = fields_[static_cast<std::size_t>(f)];
    EntryReading reading = GetValue(text, format_.inputPrecision, format_.decimalSign);
    if (reading.messageId != 0) {
        // The calculation has failed: no result stays visible behind the box.
        ClearResults();
        host_.ShowWarning(reading.messageId, std::string(LoadString(reading.messageId)));
        return InvalidValue;
    }
    text = std::move(reading.rewritten);
    return reading.value;
}

void CalculatorPage::ShowResults(const HumidityResult& result) {
    ShowResults(result, result.Value(Quantity::BulbTemperature, Phase::Ice));
}

void CalculatorPage::ShowResults(const HumidityResult& result, double iceBulbCelsius) {
    last_ = result;
    halves_ = HalvesThatApply(result, iceBulbCelsius);
    FormatHeldResults();
    MarkValid();
}

void CalculatorPage::HoldRequest(Route route, ContentQuantity content, const RouteInputs& values,
                                 const RouteInputs& uncertainties, const PreferenceList& preference) {
    CalculationRequest r;
    r.route = route;
    r.content = content;
    r.values = values;
    r.uncertainties = uncertainties;
    r.formulaUncertainty = formulaUncertainty_;
    r.result = last_;
    r.halves = halves_;
    r.preference = preference;
    r.temperatureUnit = std::string(TemperatureUnit());
    r.pressureUnit = std::string(PressureUnit());
    r.decimalSign = format_.decimalSign;
    request_ = std::move(r);
}

void CalculatorPage::FormatHeldResults() {
    if (last_.failed) return;
    results_ = FormatResultGrid(last_, halves_, TemperatureUnit(), EnthalpyUnit(), format_.resultPrecision,
                                format_.decimalSign);
}

HumidityPrintout CalculatorPage::PrintoutOfResults(const PrintTime& printedAt) const {
    HumidityPrintout out;
    out.uncertaintyHeading = LoadString(msg::UncertaintyHeading);
    out.overWaterHeading = LoadString(msg::OverWaterHeading);
    out.overIceHeading = LoadString(msg::OverIceHeading);
    out.resultsCaption = ResultsCaption();
    for (int row = 0; row < kRows; ++row) {
        auto& line = out.results[static_cast<std::size_t>(row)];
        line.label = RowLabel(row);
        for (int column = 0; column < 4; ++column) {
            line.cells[static_cast<std::size_t>(column)] = ResultText(row, column);
        }
        line.unit = RowUnit(row);
    }
    out.traceLines = HumidityTraceLines(printedAt, engine_, formulaUncertainty_, format_.decimalSign);
    return out;
}

void CalculatorPage::ChangeUnit(UnitKind kind, int index, std::span<const ConvertedInput> inputs) {
    const bool temperature = kind == UnitKind::Temperature;
    const int count = static_cast<int>(temperature ? kTemperatureUnits.size() : kPressureUnits.size());
    if (index < 0 || index >= count) return;
    const std::string_view oldUnit = temperature ? TemperatureUnit() : PressureUnit();
    const std::string_view newUnit = temperature ? UnitText(kTemperatureUnits, index) : UnitText(kPressureUnits, index);
    struct Reading {
        double internal = 0.0;
        bool present = false;
    };
    std::vector<Reading> readings(inputs.size());
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const ConvertedInput& in = inputs[i];
        if (Field(in.field).empty()) continue;
        std::string normalised = Field(in.field);
        const double v = ReadField(normalised);
        if (v == InvalidValue) return;  // the unit stays as it was
        EditField(in.field, std::move(normalised));
        double internal = 0.0;
        if (kind == UnitKind::Temperature) {
            internal = in.uncertainty ? TemperatureDifferenceToCelsius(v, oldUnit) : TemperatureToCelsius(v, oldUnit);
        } else {
            internal = PressureToKilopascal(v, oldUnit);
        }
        readings[i] = {in.uncertainty ? std::fabs(internal) : internal, true};
    }
    (temperature ? temperatureUnit_ : pressureUnit_) = index;

    for (std::size_t i = 0; i < inputs.size(); ++i) {
        if (!readings[i].present) continue;
        const ConvertedInput& in = inputs[i];
        double shown = 0.0;
        double band = kTemperatureZeroBand;
        if (kind == UnitKind::Temperature) {
            shown = in.uncertainty ? TemperatureDifferenceFromCelsius(readings[i].internal, newUnit)
                                   : TemperatureFromCelsius(readings[i].internal, newUnit);
        } else {
            shown = PressureFromKilopascal(readings[i].internal, newUnit);
            band = in.uncertainty ? kPressureUncertaintyZeroBand : kPressureZeroBand;
        }
        if (shown < 0.0 && shown > band) shown = 0.0;
        EditField(in.field, FormatInput(shown, format_.inputPrecision, format_.decimalSign));
    }
    // The numbers held stand beside the new unit labels in that unit (the
    // rewrites above have marked them out of date).
    if (temperature) FormatHeldResults();
}

}  // namespace wegator
