#include "pages/psychrometer_page.h"

#include <cmath>
#include <utility>

#include "text/string_table.h"
#include "text/strings.h"
#include "pages/input_limits.h"
#include "physics/units.h"

namespace wegator {

using namespace input_limits;

namespace {

// Messages of the psychrometer checks that have no shared name.
constexpr int kBulbUncertaintyOutOfRange = 53;

}  // namespace

PsychrometerPage::PsychrometerPage(PageHost& host) : CalculatorPage(host, kPsychrometerFieldCount) {}

void PsychrometerPage::ApplySettings(const Settings& s) {
    ApplySettings(s, s.psychometerPrecInput, s.psychometerPrecCalcul);
}

int PsychrometerPage::ResultsCaptionId() const {
    return formulaUncertainty_ ? msg::CaptionWithFormulaUncertainty : msg::CaptionWithoutFormulaUncertainty;
}

std::string PsychrometerPage::ResultsCaption() const {
    return WithDecimalSign(LoadString(ResultsCaptionId()), format_.decimalSign);
}

std::string PsychrometerPage::FieldUnit(PsychrometerField f) const {
    switch (f) {
        case PsychrometerField::Temperature:
        case PsychrometerField::TemperatureUncertainty:
        case PsychrometerField::Bulb:
        case PsychrometerField::BulbUncertainty:
            return std::string(TemperatureUnit());
        case PsychrometerField::Pressure:
        case PsychrometerField::PressureUncertainty:
            return std::string(PressureUnit());
    }
    return {};
}

int PsychrometerPage::FieldCode(PsychrometerField f) {
    switch (f) {
        case PsychrometerField::Temperature: return kInputT;
        case PsychrometerField::Bulb: return kInputBulb;
        case PsychrometerField::Pressure: return kInputP1;
        default: return -1;
    }
}

void PsychrometerPage::RecordEdit(int code) {
    if (history3_[2] == code) return;
    // Take the code out of g1 (or drop the oldest entry g0), close up towards
    // g0 and put the code in front.
    const int from = history3_[1] == code ? 1 : 0;
    for (int i = from; i < 2; ++i) history3_[i] = history3_[i + 1];
    history3_[2] = code;
}

void PsychrometerPage::Compute() {
    busy_ = true;
    // A rejected entry has told the user itself; the grid only empties.
    auto rejected = [this] {
        ClearResults();
        busy_ = false;
    };
    const std::string_view tUnit = TemperatureUnit();
    const std::string_view pUnit = PressureUnit();

    // Dry temperature.
    if (FieldText(PsychrometerField::Temperature).empty()) return Fail(msg::EnterTemperature);
    double t = Read(PsychrometerField::Temperature);
    if (t == InvalidValue) return rejected();
    t = TemperatureToCelsius(t, tUnit);
    if (!Within(t, kLowestTemperature, kHighestTemperature)) return Fail(msg::TemperatureOutOfRange);

    // Barometric pressure.
    if (FieldText(PsychrometerField::Pressure).empty()) return Fail(msg::EnterInputPressure);
    double pb = Read(PsychrometerField::Pressure);
    if (pb == InvalidValue) return rejected();
    pb = PressureToKilopascal(pb, pUnit);
    if (!Within(pb, kLowestPressure, kHighestPressure)) return Fail(msg::InputPressureOutOfRange);
    double upb = Read(PsychrometerField::PressureUncertainty);
    if (upb == InvalidValue) return rejected();
    upb = std::fabs(PressureToKilopascal(upb, pUnit));
    if (upb >= kPressureUncertaintyLimit) return Fail(msg::InputPressureUncertaintyOutOfRange);

    // Bulb temperature: an empty field is a reading of zero in the selected unit.
    double tw = Read(PsychrometerField::Bulb);
    if (tw == InvalidValue) return rejected();
    tw = TemperatureToCelsius(tw, tUnit);
    if (!Within(tw, kLowestTemperature, kHighestTemperature)) return Fail(kBulbOutOfRange);
    double utw = Read(PsychrometerField::BulbUncertainty);
    if (utw == InvalidValue) return rejected();
    utw = std::fabs(TemperatureDifferenceToCelsius(utw, tUnit));
    if (utw >= kTemperatureUncertaintyLimit) return Fail(kBulbUncertaintyOutOfRange);

    double ut = Read(PsychrometerField::TemperatureUncertainty);
    if (ut == InvalidValue) return rejected();
    ut = std::fabs(TemperatureDifferenceToCelsius(ut, tUnit));
    if (ut >= kTemperatureUncertaintyLimit) return Fail(msg::TemperatureUncertaintyOutOfRange);

    // A wet bulb cannot read warmer than the air; equal readings mean saturation.
    if (t < tw) return Fail(kBulbAboveTemperature);

    const HumidityResult result = engine_.ComputeFromPsychrometer(
        t, ut, tw, utw, pb, upb, formulaUncertainty_, Preference(), tUnit, pUnit, format_.decimalSign);
    // A reading outside the formulas' range: the engine's own text, in the
    // same box as every other page's limit messages.
    if (result.failed) return FailCalculation(result);
    // The ice half is judged by the bulb temperature as entered.
    ShowResults(result, tw);
    const auto consulted = Preference();
    HoldRequest(Route::Psychrometer, ContentQuantity::DewPoint, {t, 0.0, 0.0, tw, pb, pb}, {ut, 0.0, 0.0, utw, upb, 0.0},
                {consulted[0], consulted[1], consulted[2], -1});
    busy_ = false;
}

void PsychrometerPage::ChangeTemperatureUnit(int index) {
    const std::array<ConvertedInput, 4> inputs = {{
        {static_cast<int>(PsychrometerField::Temperature), false},
        {static_cast<int>(PsychrometerField::TemperatureUncertainty), true},
        {static_cast<int>(PsychrometerField::Bulb), false},
        {static_cast<int>(PsychrometerField::BulbUncertainty), true},
    }};
    ChangeUnit(UnitKind::Temperature, index, inputs);
}

void PsychrometerPage::ChangePressureUnit(int index) {
    const std::array<ConvertedInput, 2> inputs = {{
        {static_cast<int>(PsychrometerField::Pressure), false},
        {static_cast<int>(PsychrometerField::PressureUncertainty), true},
    }};
    ChangeUnit(UnitKind::Pressure, index, inputs);
}

HumidityPrintout PsychrometerPage::Printout(const PrintTime& printedAt) const {
    HumidityPrintout out = PrintoutOfResults(printedAt);
    out.inputCaption = LoadString(msg::InputsCaption);
    using F = PsychrometerField;
    out.inputs = {
        {"T", FieldText(F::Temperature), FieldText(F::TemperatureUncertainty), FieldUnit(F::Temperature)},
        {"Tw/Ti", FieldText(F::Bulb), FieldText(F::BulbUncertainty), FieldUnit(F::Bulb)},
        {"Pb", FieldText(F::Pressure), FieldText(F::PressureUncertainty), FieldUnit(F::Pressure)},
    };
    return out;
}

}  // namespace wegator
