#include "pages/moisture_page.h"

#include <cmath>
#include <utility>

#include "text/string_table.h"
#include "text/strings.h"
#include "pages/input_limits.h"
#include "physics/units.h"

namespace wegator {

using namespace input_limits;

namespace {

// "Uzupełnij wartość …" of the content row, by quantity (DP/FP, PPMV, PPMW, x).
constexpr std::array<int, 4> kEnterContent = {42, 43, 44, 45};
// Range messages of the uncertainty of a content given as PPMV, PPMW or x (indexed like
// the list; DP/FP has its own).
constexpr std::array<int, 4> kContentUncertaintyOutOfRange = {0, 50, 51, 52};

// Limits of the inputs of this page only, in internal units.
constexpr double kContentUncertaintyLimit = 100000.0;    // excluded

}  // namespace

MoistureContentPage::MoistureContentPage(PageHost& host) : CalculatorPage(host, kMoistureFieldCount) {}

void MoistureContentPage::ApplySettings(const Settings& s) {
    ApplySettings(s, s.misturePrecInput, s.misturePrecCalcul);
}

std::string_view MoistureContentPage::ContentQuantityText() const {
    return kContentQuantities[static_cast<std::size_t>(quantity_)];
}

std::string MoistureContentPage::FieldUnit(MoistureField f) const {
    switch (f) {
        case MoistureField::Content:
        case MoistureField::ContentUncertainty:
            switch (SelectedContentQuantity()) {
                case ContentQuantity::DewPoint: return std::string(TemperatureUnit());
                case ContentQuantity::Ppmv:
                case ContentQuantity::Ppmw: return "ppm";
                case ContentQuantity::MixingRatio: return "g/kg";
            }
            return {};
        case MoistureField::Temperature:
        case MoistureField::TemperatureUncertainty:
            return std::string(TemperatureUnit());
        case MoistureField::P1:
        case MoistureField::P1Uncertainty:
        case MoistureField::P2:
            return std::string(PressureUnit());
    }
    return {};
}

int MoistureContentPage::FieldCode(MoistureField f) {
    switch (f) {
        case MoistureField::Content: return kInputDewPoint;  // whatever the quantity
        case MoistureField::Temperature: return kInputT;
        case MoistureField::P1: return kInputP1;
        case MoistureField::P2: return kInputP2;
        default: return -1;
    }
}

void MoistureContentPage::ChangeContentQuantity(int index) {
    if (index < 0 || index >= static_cast<int>(kContentQuantities.size())) return;
    quantity_ = index;
    // A number of one quantity means nothing as another: the row starts empty.
    SetFieldText(MoistureField::Content, {});
    SetFieldText(MoistureField::ContentUncertainty, {});
}

void MoistureContentPage::Compute() {
    busy_ = true;
    // A rejected entry has told the user itself; the grid only empties.
    auto rejected = [this] {
        ClearResults();
        busy_ = false;
    };
    const std::string_view tUnit = TemperatureUnit();
    const std::string_view pUnit = PressureUnit();
    const ContentQuantity quantity = SelectedContentQuantity();
    const auto q = static_cast<std::size_t>(quantity_);

    if (FieldText(MoistureField::Content).empty()) return Fail(kEnterContent[q]);

    // Air temperature.
    if (FieldText(MoistureField::Temperature).empty()) return Fail(msg::EnterTemperature);
    double t = Read(MoistureField::Temperature);
    if (t == InvalidValue) return rejected();
    t = TemperatureToCelsius(t, tUnit);
    if (!Within(t, kLowestTemperature, kHighestTemperature)) return Fail(msg::TemperatureOutOfRange);
    double ut = Read(MoistureField::TemperatureUncertainty);
    if (ut == InvalidValue) return rejected();
    ut = std::fabs(TemperatureDifferenceToCelsius(ut, tUnit));
    if (ut >= kTemperatureUncertaintyLimit) return Fail(msg::TemperatureUncertaintyOutOfRange);

    // Pressures.
    if (FieldText(MoistureField::P1).empty()) return Fail(msg::EnterInputPressure);
    double p1 = Read(MoistureField::P1);
    if (p1 == InvalidValue) return rejected();
    p1 = PressureToKilopascal(p1, pUnit);
    if (!Within(p1, kLowestPressure, kHighestPressure)) return Fail(msg::InputPressureOutOfRange);
    double up1 = Read(MoistureField::P1Uncertainty);
    if (up1 == InvalidValue) return rejected();
    up1 = std::fabs(PressureToKilopascal(up1, pUnit));
    if (up1 >= kPressureUncertaintyLimit) return Fail(msg::InputPressureUncertaintyOutOfRange);

    if (FieldText(MoistureField::P2).empty()) return Fail(msg::EnterOutputPressure);
    double p2 = Read(MoistureField::P2);
    if (p2 == InvalidValue) return rejected();
    p2 = PressureToKilopascal(p2, pUnit);
    if (!Within(p2, kLowestPressure, kHighestPressure)) return Fail(msg::OutputPressureOutOfRange);
    if (!Within(p2 / p1 * 100.0, kLowestRatio, kHighestRatio)) return Fail(msg::PressureRatioOutOfRange);

    // The content, in °C for a dew or frost point, else in its own unit (ppm or g/kg).
    double content = Read(MoistureField::Content);
    if (content == InvalidValue) return rejected();
    double uContent = 0.0;
    if (quantity == ContentQuantity::DewPoint) {
        content = TemperatureToCelsius(content, tUnit);
        if (!Within(content, kLowestTemperature, kHighestTemperature)) return Fail(kDewPointOutOfRange);
        uContent = Read(MoistureField::ContentUncertainty);
        if (uContent == InvalidValue) return rejected();
        uContent = std::fabs(TemperatureDifferenceToCelsius(uContent, tUnit));
        if (uContent >= kTemperatureUncertaintyLimit) return Fail(kDewPointUncertaintyOutOfRange);
    } else {
        if (!(content > 0.0 && content < kHighestContent)) return Fail(kContentOutOfRange[q]);
        uContent = Read(MoistureField::ContentUncertainty);
        if (uContent == InvalidValue) return rejected();
        uContent = std::fabs(uContent);
        if (uContent >= kContentUncertaintyLimit) return Fail(kContentUncertaintyOutOfRange[q]);
    }

    const HumidityResult result =
        engine_.ComputeFromMoistureContent(quantity, content, uContent, t, ut, p1, up1, p2, formulaUncertainty_,
                                           Preference(), tUnit, pUnit, format_.decimalSign);
    // A computed value out of range is reported like an input check: a warning
    // with the limit the engine worked out.
    if (result.failed) return FailCalculation(result);
    ShowResults(result);
    HoldRequest(Route::MoistureContent, quantity, {t, content, 0.0, 0.0, p1, p2}, {ut, uContent, 0.0, 0.0, up1, 0.0},
                Preference());
    busy_ = false;
}

void MoistureContentPage::ChangeTemperatureUnit(int index) {
    // The content follows the temperature unit only while it is a dew or frost point.
    const bool dewPoint = SelectedContentQuantity() == ContentQuantity::DewPoint;
    const std::array<ConvertedInput, 4> all = {{
        {static_cast<int>(MoistureField::Content), false},
        {static_cast<int>(MoistureField::ContentUncertainty), true},
        {static_cast<int>(MoistureField::Temperature), false},
        {static_cast<int>(MoistureField::TemperatureUncertainty), true},
    }};
    const std::span<const ConvertedInput> inputs = dewPoint ? std::span(all) : std::span(all).subspan(2);
    ChangeUnit(UnitKind::Temperature, index, inputs);
}

void MoistureContentPage::ChangePressureUnit(int index) {
    const std::array<ConvertedInput, 3> inputs = {{
        {static_cast<int>(MoistureField::P1), false},
        {static_cast<int>(MoistureField::P1Uncertainty), true},
        {static_cast<int>(MoistureField::P2), false},
    }};
    ChangeUnit(UnitKind::Pressure, index, inputs);
}

HumidityPrintout MoistureContentPage::Printout(const PrintTime& printedAt) const {
    HumidityPrintout out = PrintoutOfResults(printedAt);
    out.inputCaption = LoadString(msg::InputsAtP1Caption);
    using F = MoistureField;
    out.inputs = {
        {std::string(ContentQuantityText()), FieldText(F::Content), FieldText(F::ContentUncertainty),
         FieldUnit(F::Content)},
        {"T", FieldText(F::Temperature), FieldText(F::TemperatureUncertainty), FieldUnit(F::Temperature)},
        {"Pin", FieldText(F::P1), FieldText(F::P1Uncertainty), FieldUnit(F::P1)},
        {"Pout", FieldText(F::P2), "", FieldUnit(F::P2)},
    };
    return out;
}

}  // namespace wegator
