#include "sheet/psychrometer_adjustment.h"

#include "sheet/settings_sheet.h"
#include "text/strings.h"
#include "pages/number_entry.h"
#include "physics/units.h"

namespace wegator {

namespace {

// Messages of the adjustment, by string-table number.
constexpr int kEnterTemperature = 69;
constexpr int kEnterBulb = 70;
constexpr int kEnterPressure = 71;
constexpr int kTemperatureNotAboveBulb = 63;
constexpr int kPressureOutOfRange = 66;
constexpr int kFrostPointAboveZero = 67;

struct BulbTexts {
    int referenceMissing;       // 169 / 72
    int bulbNotAboveReference;  // 64 / 65
    int solverFailed;           // 60 / 61
    int outOfRange;             // 56 / 55
    double lowestPressure;      // kPa, excluded
    double highestPressure;     // kPa, included
};

constexpr BulbTexts kWater{169, 64, 60, 56, 0.0, 10000000.0};
constexpr BulbTexts kIce{72, 65, 61, 55, 3.0, 20000.0};

const BulbTexts& TextsOf(Phase bulb) { return bulb == Phase::Water ? kWater : kIce; }

// A converted value a hair below zero is written as zero, not "-0.0000000".
double ZeroIfHair(double value) { return (value < 0.0 && value > -1e-8) ? 0.0 : value; }

}  // namespace

PsychrometerAdjustment::PsychrometerAdjustment(Phase bulb, int formulaSet, std::string decimalSign,
                                               std::string_view temperatureUnit, std::string_view pressureUnit,
                                               SettingsSheetHost& host)
    : bulb_(bulb),
      decimalSign_(std::move(decimalSign)),
      host_(host),
      temperatureUnit_(UnitIndex(kTemperatureUnits, temperatureUnit)),
      pressureUnit_(UnitIndex(kPressureUnits, pressureUnit)) {
    engine_.SetFormulaSet(formulaSet);
}

std::string_view PsychrometerAdjustment::TemperatureUnit() const {
    return kTemperatureUnits[static_cast<std::size_t>(temperatureUnit_)];
}

std::string_view PsychrometerAdjustment::PressureUnit() const {
    return kPressureUnits[static_cast<std::size_t>(pressureUnit_)];
}

void PsychrometerAdjustment::EditField(Field f, std::string text) {
    fields_[static_cast<std::size_t>(f)] = std::move(text);
    result_.clear();
    okEnabled_ = false;
}

bool PsychrometerAdjustment::Read(Field f, double& value) {
    const EntryReading reading = GetValue(FieldText(f), kPrecision, decimalSign_);
    if (reading.messageId != 0) {
        host_.ShowWarning(reading.messageId, std::string(LoadString(reading.messageId)));
        return false;
    }
    // The field shows what was computed with, as every entry field does.
    fields_[static_cast<std::size_t>(f)] = reading.rewritten;
    value = reading.value;
    return true;
}

void PsychrometerAdjustment::ChangeTemperatureUnit(int index) {
    if (index < 0 || index >= static_cast<int>(kTemperatureUnits.size()) || index == temperatureUnit_) return;
    constexpr Field kTemperatures[] = {Field::Temperature, Field::Bulb, Field::Reference};
    double celsius[3] = {};
    for (int i = 0; i < 3; ++i) {
        if (FieldText(kTemperatures[i]).empty()) continue;
        if (!Read(kTemperatures[i], celsius[i])) return;
        celsius[i] = TemperatureToCelsius(celsius[i], TemperatureUnit());
    }
    temperatureUnit_ = index;
    for (int i = 0; i < 3; ++i) {
        if (FieldText(kTemperatures[i]).empty()) continue;
        EditField(kTemperatures[i], FormatFixed(ZeroIfHair(TemperatureFromCelsius(celsius[i], TemperatureUnit())),
                                                kPrecision, decimalSign_));
    }
}

void PsychrometerAdjustment::ChangePressureUnit(int index) {
    if (index < 0 || index >= static_cast<int>(kPressureUnits.size()) || index == pressureUnit_) return;
    double kilopascal = 0.0;
    const bool empty = FieldText(Field::Pressure).empty();
    if (!empty) {
        if (!Read(Field::Pressure, kilopascal)) return;
        kilopascal = PressureToKilopascal(kilopascal, PressureUnit());
    }
    pressureUnit_ = index;
    if (!empty) {
        EditField(Field::Pressure, FormatFixed(ZeroIfHair(PressureFromKilopascal(kilopascal, PressureUnit())),
                                               kPrecision, decimalSign_));
    }
}

void PsychrometerAdjustment::Fail(int messageId) {
    result_.clear();
    okEnabled_ = false;
    host_.ShowWarning(messageId, std::string(LoadString(messageId)));
}

void PsychrometerAdjustment::Compute() {
    const BulbTexts& texts = TextsOf(bulb_);
    double reference = 0.0, t = 0.0, bulbT = 0.0, pressure = 0.0;

    const bool given = !FieldText(Field::Reference).empty();
    if (given) {
        if (!Read(Field::Reference, reference)) return;
        reference = TemperatureToCelsius(reference, TemperatureUnit());
    }
    referenceGiven_ = given;
    if (FieldText(Field::Temperature).empty()) return Fail(kEnterTemperature);
    if (!Read(Field::Temperature, t)) return;
    t = TemperatureToCelsius(t, TemperatureUnit());
    if (FieldText(Field::Bulb).empty()) return Fail(kEnterBulb);
    if (!Read(Field::Bulb, bulbT)) return;
    bulbT = TemperatureToCelsius(bulbT, TemperatureUnit());
    if (FieldText(Field::Pressure).empty()) return Fail(kEnterPressure);
    if (!Read(Field::Pressure, pressure)) return;
    pressure = PressureToKilopascal(pressure, PressureUnit());

    if (bulbT >= t) return Fail(kTemperatureNotAboveBulb);
    if (referenceGiven_ && bulbT <= reference) return Fail(texts.bulbNotAboveReference);
    if (bulb_ == Phase::Ice && referenceGiven_ && reference > 0.0) return Fail(kFrostPointAboveZero);
    if (pressure <= texts.lowestPressure || pressure > texts.highestPressure) return Fail(kPressureOutOfRange);
    if (!referenceGiven_) return Fail(texts.referenceMissing);

    const double a = bulb_ == Phase::Water ? engine_.PsychrometerConstantWater(t, bulbT, reference, pressure)
                                           : engine_.PsychrometerConstantIce(t, bulbT, reference, pressure);
    if (a == HumidityEngine::kDefaultConstant) return Fail(texts.solverFailed);
    constant_ = a;
    result_ = FormatFixed(a, 10, decimalSign_);
    okEnabled_ = true;
}

bool PsychrometerAdjustment::Accept() {
    if ((constant_ >= kLowestConstant && constant_ <= kHighestConstant) || !referenceGiven_) return true;
    const int id = TextsOf(bulb_).outOfRange;
    host_.ShowWarning(id, std::string(LoadString(id)));
    return false;
}

}  // namespace wegator
