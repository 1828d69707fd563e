#include "pages/rh_page.h"

#include <cmath>
#include <utility>

#include "app/string_table.h"
#include "app/strings.h"
#include "physics/units.h"

namespace wegator {

namespace {

// Messages of the relative-humidity checks that have no shared name.
constexpr int kDewPointOutOfRange = 5;
constexpr int kDewPointUncertaintyOutOfRange = 6;
constexpr int kDewPointAboveTemperature = 8;
constexpr int kHumidityOutOfRange = 10;
constexpr int kHumidityUncertaintyOutOfRange = 11;

// Limits of the inputs, in internal units.
constexpr double kLowestPressure = 3.0;        // kPa
constexpr double kHighestPressure = 20000.0;   // kPa
constexpr double kPressureUncertaintyLimit = 100.0;  // kPa, excluded
constexpr double kLowestRatio = 3.0;           // P2/P1 in %
constexpr double kHighestRatio = 2000.0;
constexpr double kLowestTemperature = -100.0;  // °C
constexpr double kHighestTemperature = 100.0;
constexpr double kTemperatureUncertaintyLimit = 100.0;  // K, excluded
constexpr double kHumidityUncertaintyLimit = 100.0;     // %, excluded

// A unit conversion that lands a hair below zero is shown as zero rather than "-0,000".
constexpr double kTemperatureZeroBand = -1e-11;
constexpr double kPressureZeroBand = -1e-11;
constexpr double kPressureUncertaintyZeroBand = -1e-13;

double SnapToZero(double value, double band) { return (value < 0.0 && value > band) ? 0.0 : value; }

bool Within(double v, double low, double high) { return v >= low && v <= high; }
bool StrictlyWithin(double v, double low, double high) { return v > low && v < high; }

template <typename Array>
std::string_view UnitText(const Array& units, int index) {
    return (index >= 0 && index < static_cast<int>(units.size())) ? units[static_cast<std::size_t>(index)]
                                                                  : units[0];
}

}  // namespace

RelativeHumidityPage::RelativeHumidityPage(PageHost& host) : CalculatorPage(host) {}

std::string_view RelativeHumidityPage::TemperatureUnit() const { return UnitText(kTemperatureUnits, temperatureUnit_); }
std::string_view RelativeHumidityPage::PressureUnit() const { return UnitText(kPressureUnits, pressureUnit_); }
std::string_view RelativeHumidityPage::EnthalpyUnit() const { return UnitText(kEnthalpyUnits, enthalpyUnit_); }

std::string RelativeHumidityPage::RowUnit(RhRow row) const {
    switch (row) {
        case RhRow::DewFrostPoint:
        case RhRow::Temperature:
        case RhRow::BulbTemperature:
            return std::string(TemperatureUnit());
        case RhRow::Humidity:
            return "%";
        case RhRow::Ppmv:
        case RhRow::Ppmw:
            return "ppm";
        case RhRow::MixingRatio:
            return "g/kg";
        case RhRow::Enthalpy:
            return std::string(EnthalpyUnit());
        case RhRow::VapourPressure:
        case RhRow::SaturationVapourPressure:
            return "Pa";
    }
    return {};
}

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

void RelativeHumidityPage::SetFieldText(RhField f, std::string text) {
    fields_[static_cast<int>(f)] = std::move(text);
    InputEdited(f);
}

void RelativeHumidityPage::RewriteField(RhField f, std::string text) { SetFieldText(f, std::move(text)); }

void RelativeHumidityPage::InputEdited(RhField f) {
    if (busy_) return;  // the page's own writes during Compute
    const int code = FieldCode(f);
    if (code >= 0) RecordEdit(code);
    MarkOutOfDate();
}

double RelativeHumidityPage::Read(RhField f) { return ReadField(fields_[static_cast<int>(f)]); }

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
        fields_[static_cast<int>(RhField::HumidityUncertainty)].clear();
        if (!readTemperature(RhField::DewPoint, dp)) return rejected();
        if (!Within(dp, kLowestTemperature, kHighestTemperature)) return Fail(kDewPointOutOfRange);
        if (!readTemperatureUncertainty(RhField::DewPointUncertainty, udp)) return rejected();
        if (udp >= kTemperatureUncertaintyLimit) return Fail(kDewPointUncertaintyOutOfRange);
        if (!readTemperature(RhField::Temperature, t)) return rejected();
        if (!Within(t, kLowestTemperature, kHighestTemperature)) return Fail(msg::TemperatureOutOfRange);
        if (t < dp) return Fail(kDewPointAboveTemperature);
        if (!readTemperatureUncertainty(RhField::TemperatureUncertainty, ut)) return rejected();
        if (ut >= kTemperatureUncertaintyLimit) return Fail(msg::TemperatureUncertaintyOutOfRange);
        result = engine_.ComputeFromDewPointAndTemperature(t, ut, dp, udp, p1, up1, p2, formulas, preference,
                                                           tUnit, pUnit, sign);
    } else if (!hasDewPoint && hasTemperature && hasHumidity) {
        fields_[static_cast<int>(RhField::DewPointUncertainty)].clear();
        if (!readTemperature(RhField::Temperature, t)) return rejected();
        if (!StrictlyWithin(t, kLowestTemperature, kHighestTemperature)) return Fail(msg::TemperatureOutOfRange);
        if (!readTemperatureUncertainty(RhField::TemperatureUncertainty, ut)) return rejected();
        if (ut >= kTemperatureUncertaintyLimit) return Fail(msg::TemperatureUncertaintyOutOfRange);
        if (const int check = readHumidity(rh, urh); check != 0) return check < 0 ? rejected() : Fail(check);
        result = engine_.ComputeFromTemperatureAndHumidity(t, ut, rh, urh, p1, up1, p2, formulas, preference,
                                                           tUnit, pUnit, sign);
    } else if (hasDewPoint && !hasTemperature && hasHumidity) {
        fields_[static_cast<int>(RhField::TemperatureUncertainty)].clear();
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

    if (result.failed) {
        ClearResults();
        host_.ShowMessage(result.messageId, result.message);
        busy_ = false;
        return;
    }
    ShowResults(result, tUnit, EnthalpyUnit());
    busy_ = false;
}

void RelativeHumidityPage::ChangeTemperatureUnit(int index) {
    if (index < 0 || index >= static_cast<int>(kTemperatureUnits.size())) return;
    struct Entry {
        RhField field;
        bool uncertainty;
        double internal = 0.0;
        bool present = false;
    };
    std::array<Entry, 4> entries = {{{RhField::DewPoint, false},
                                     {RhField::DewPointUncertainty, true},
                                     {RhField::Temperature, false},
                                     {RhField::TemperatureUncertainty, true}}};
    const std::string_view oldUnit = TemperatureUnit();
    for (Entry& e : entries) {
        if (FieldText(e.field).empty()) continue;
        std::string text = FieldText(e.field);
        const double v = ReadField(text);
        if (v == InvalidValue) return;  // the unit stays as it was
        RewriteField(e.field, std::move(text));
        e.internal = e.uncertainty ? std::fabs(TemperatureDifferenceToCelsius(v, oldUnit))
                                   : TemperatureToCelsius(v, oldUnit);
        e.present = true;
    }

    temperatureUnit_ = index;
    const std::string_view newUnit = TemperatureUnit();
    for (const Entry& e : entries) {
        if (!e.present) continue;
        const double shown = e.uncertainty ? TemperatureDifferenceFromCelsius(e.internal, newUnit)
                                           : TemperatureFromCelsius(e.internal, newUnit);
        RewriteField(e.field, FormatInput(SnapToZero(shown, kTemperatureZeroBand), format_.inputPrecision,
                                          format_.decimalSign));
    }
}

void RelativeHumidityPage::ChangePressureUnit(int index) {
    if (index < 0 || index >= static_cast<int>(kPressureUnits.size())) return;
    struct Entry {
        RhField field;
        bool uncertainty;
        double band;
        double internal = 0.0;
        bool present = false;
    };
    std::array<Entry, 3> entries = {{{RhField::P1, false, kPressureZeroBand},
                                     {RhField::P1Uncertainty, true, kPressureUncertaintyZeroBand},
                                     {RhField::P2, false, kPressureZeroBand}}};
    const std::string_view oldUnit = PressureUnit();
    for (Entry& e : entries) {
        if (FieldText(e.field).empty()) continue;
        std::string text = FieldText(e.field);
        const double v = ReadField(text);
        if (v == InvalidValue) return;  // the unit stays as it was
        RewriteField(e.field, std::move(text));
        const double kpa = PressureToKilopascal(v, oldUnit);
        e.internal = e.uncertainty ? std::fabs(kpa) : kpa;
        e.present = true;
    }

    pressureUnit_ = index;
    const std::string_view newUnit = PressureUnit();
    for (const Entry& e : entries) {
        if (!e.present) continue;
        const double shown = SnapToZero(PressureFromKilopascal(e.internal, newUnit), e.band);
        RewriteField(e.field, FormatInput(shown, format_.inputPrecision, format_.decimalSign));
    }
}

void RelativeHumidityPage::ChangeEnthalpyUnit(int index) {
    if (index < 0 || index >= static_cast<int>(kEnthalpyUnits.size())) return;
    enthalpyUnit_ = index;
    MarkOutOfDate();
}

HumidityPrintout RelativeHumidityPage::Printout() const {
    HumidityPrintout out = PrintoutOfResults(TemperatureUnit(), EnthalpyUnit());
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
