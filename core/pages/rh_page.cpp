#include "pages/rh_page.h"

#include <cmath>
#include <utility>

#include "text/string_table.h"
#include "text/strings.h"
#include "pages/input_limits.h"
#include "physics/units.h"

namespace wegator {

using namespace input_limits;

namespace {

// Messages of the relative-humidity checks that have no shared name.
constexpr int kHumidityUncertaintyOutOfRange = 11;

// Limits of the inputs of this page only, in internal units.
constexpr double kHumidityUncertaintyLimit = 100.0;     // %, excluded

}  // namespace

RelativeHumidityPage::RelativeHumidityPage(PageHost& host) : CalculatorPage(host, kRhFieldCount) {}

std::string RelativeHumidityPage::FieldUnit(RhField f) const {
    switch (f) {
        case RhField::DewPoint:
        case RhField::DewPointUncertainty:
        case RhField::Temperature:
        case RhField::TemperatureUncertainty:
            return std::string(TemperatureUnit());
        case RhField::Humidity:
        case RhField::HumidityUncertainty:
            return "%";
        case RhField::P1:
        case RhField::P1Uncertainty:
        case RhField::P2:
            return std::string(PressureUnit());
    }
    return {};
}

int RelativeHumidityPage::FieldCode(RhField f) {
    switch (f) {
        case RhField::DewPoint: return kInputDewPoint;
        case RhField::Temperature: return kInputT;
        case RhField::Humidity: return kInputRh;
        case RhField::P1: return kInputP1;
        case RhField::P2: return kInputP2;
        default: return -1;
    }
}

void RelativeHumidityPage::Compute() {
    busy_ = true;
    // A rejected entry has told the user itself; the grid only empties.
    auto rejected = [this] {
        ClearResults();
        busy_ = false;
    };
    const std::string_view tUnit = TemperatureUnit();
    const std::string_view pUnit = PressureUnit();

    const bool hasDewPoint = !FieldText(RhField::DewPoint).empty();
    const bool hasTemperature = !FieldText(RhField::Temperature).empty();
    const bool hasHumidity = !FieldText(RhField::Humidity).empty();

    // Pressures.
    if (FieldText(RhField::P1).empty()) return Fail(msg::EnterInputPressure);
    double p1 = Read(RhField::P1);
    if (p1 == InvalidValue) return rejected();
    p1 = PressureToKilopascal(p1, pUnit);
    if (!Within(p1, kLowestPressure, kHighestPressure)) return Fail(msg::InputPressureOutOfRange);

    double up1 = Read(RhField::P1Uncertainty);
    if (up1 == InvalidValue) return rejected();
    up1 = std::fabs(PressureToKilopascal(up1, pUnit));
    if (up1 >= kPressureUncertaintyLimit) return Fail(msg::InputPressureUncertaintyOutOfRange);

    if (FieldText(RhField::P2).empty()) return Fail(msg::EnterOutputPressure);
    double p2 = Read(RhField::P2);
    if (p2 == InvalidValue) return rejected();
    p2 = PressureToKilopascal(p2, pUnit);
    if (!Within(p2, kLowestPressure, kHighestPressure)) return Fail(msg::OutputPressureOutOfRange);

    const double ratio = p2 / p1 * 100.0;
    if (!Within(ratio, kLowestRatio, kHighestRatio)) return Fail(msg::PressureRatioOutOfRange);

    // Each reader gives false when the entry was rejected (and the grid is emptied).
    auto readTemperature = [&](RhField f, double& celsius) {
        const double v = Read(f);
        if (v == InvalidValue) return false;
        celsius = TemperatureToCelsius(v, tUnit);
        return true;
    };
    auto readTemperatureUncertainty = [&](RhField f, double& kelvin) {
        const double v = Read(f);
        if (v == InvalidValue) return false;
        kelvin = std::fabs(TemperatureDifferenceToCelsius(v, tUnit));
        return true;
    };
    auto readHumidity = [&](double& rh, double& urh) -> int {
        rh = Read(RhField::Humidity);
        if (rh == InvalidValue) return -1;
        if (!(rh > 0.0 && rh <= 100.0)) return kHumidityOutOfRange;
        urh = Read(RhField::HumidityUncertainty);
        if (urh == InvalidValue) return -1;
        urh = std::fabs(urh);
        if (urh >= kHumidityUncertaintyLimit) return kHumidityUncertaintyOutOfRange;
        return 0;
    };

    const bool formulas = formulaUncertainty_;
    const PreferenceList preference = Preference();
    const std::string sign = format_.decimalSign;
    HumidityResult result;
    double dp = 0, udp = 0, t = 0, ut = 0, rh = 0, urh = 0;

    if (hasDewPoint && hasTemperature && !hasHumidity) {
        ClearField(static_cast<int>(RhField::HumidityUncertainty));
        if (!readTemperature(RhField::DewPoint, dp)) return rejected();
        if (!Within(dp, kLowestTemperature, kHighestTemperature)) return Fail(kDewPointOutOfRange);
        if (!readTemperatureUncertainty(RhField::DewPointUncertainty, udp)) return rejected();
        if (udp >= kTemperatureUncertaintyLimit) return Fail(kDewPointUncertaintyOutOfRange);
        if (!readTemperature(RhField::Temperature, t)) return rejected();
        if (!Within(t, kLowestTemperature, kHighestTemperature)) return Fail(msg::TemperatureOutOfRange);
        if (t < dp) return Fail(msg::DewPointAboveTemperature);
        if (!readTemperatureUncertainty(RhField::TemperatureUncertainty, ut)) return rejected();
        if (ut >= kTemperatureUncertaintyLimit) return Fail(msg::TemperatureUncertaintyOutOfRange);
        result = engine_.ComputeFromDewPointAndTemperature(t, ut, dp, udp, p1, up1, p2, formulas, preference,
                                                           tUnit, pUnit, sign);
    } else if (!hasDewPoint && hasTemperature && hasHumidity) {
        ClearField(static_cast<int>(RhField::DewPointUncertainty));
        if (!readTemperature(RhField::Temperature, t)) return rejected();
        if (!StrictlyWithin(t, kLowestTemperature, kHighestTemperature)) return Fail(msg::TemperatureOutOfRange);
        if (!readTemperatureUncertainty(RhField::TemperatureUncertainty, ut)) return rejected();
        if (ut >= kTemperatureUncertaintyLimit) return Fail(msg::TemperatureUncertaintyOutOfRange);
        if (const int check = readHumidity(rh, urh); check != 0) return check < 0 ? rejected() : Fail(check);
        result = engine_.ComputeFromTemperatureAndHumidity(t, ut, rh, urh, p1, up1, p2, formulas, preference,
                                                           tUnit, pUnit, sign);
    } else if (hasDewPoint && !hasTemperature && hasHumidity) {
        ClearField(static_cast<int>(RhField::TemperatureUncertainty));
        if (!readTemperature(RhField::DewPoint, dp)) return rejected();
        if (!StrictlyWithin(dp, kLowestTemperature, kHighestTemperature)) return Fail(kDewPointOutOfRange);
        if (!readTemperatureUncertainty(RhField::DewPointUncertainty, udp)) return rejected();
        if (udp >= kTemperatureUncertaintyLimit) return Fail(kDewPointUncertaintyOutOfRange);
        if (const int check = readHumidity(rh, urh); check != 0) return check < 0 ? rejected() : Fail(check);
        result = engine_.ComputeFromDewPointAndHumidity(rh, urh, dp, udp, p1, up1, p2, formulas, preference,
                                                        tUnit, pUnit, sign);
    } else {
        return Fail(msg::EnterPressuresAndTwoFields);
    }

    // A calculation that left the formulas' range names the limit of an input.
    if (result.failed) return FailCalculation(result);
    ShowResults(result);
    const Route route = !hasHumidity   ? Route::DewPointAndTemperature
                        : !hasDewPoint ? Route::TemperatureAndHumidity
                                       : Route::DewPointAndHumidity;
    HoldRequest(route, ContentQuantity::DewPoint, {t, dp, rh, 0.0, p1, p2}, {ut, udp, urh, 0.0, up1, 0.0},
                preference);
    busy_ = false;
}

void RelativeHumidityPage::ChangeTemperatureUnit(int index) {
    const std::array<ConvertedInput, 4> inputs = {{
        {static_cast<int>(RhField::DewPoint), false},
        {static_cast<int>(RhField::DewPointUncertainty), true},
        {static_cast<int>(RhField::Temperature), false},
        {static_cast<int>(RhField::TemperatureUncertainty), true},
    }};
    ChangeUnit(UnitKind::Temperature, index, inputs);
}

void RelativeHumidityPage::ChangePressureUnit(int index) {
    const std::array<ConvertedInput, 3> inputs = {{
        {static_cast<int>(RhField::P1), false},
        {static_cast<int>(RhField::P1Uncertainty), true},
        {static_cast<int>(RhField::P2), false},
    }};
    ChangeUnit(UnitKind::Pressure, index, inputs);
}

HumidityPrintout RelativeHumidityPage::Printout(const PrintTime& printedAt) const {
    HumidityPrintout out = PrintoutOfResults(printedAt);
    out.inputCaption = LoadString(msg::InputsAtP1Caption);
    using F = RhField;
    out.inputs = {
        {"DP/FP", FieldText(F::DewPoint), FieldText(F::DewPointUncertainty), FieldUnit(F::DewPoint)},
        {"T", FieldText(F::Temperature), FieldText(F::TemperatureUncertainty), FieldUnit(F::Temperature)},
        {"RH", FieldText(F::Humidity), FieldText(F::HumidityUncertainty), FieldUnit(F::Humidity)},
        {"Pin", FieldText(F::P1), FieldText(F::P1Uncertainty), FieldUnit(F::P1)},
        {"Pout", FieldText(F::P2), "", FieldUnit(F::P2)},
    };
    return out;
}

}  // namespace wegator
