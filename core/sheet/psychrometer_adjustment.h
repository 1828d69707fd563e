// Fitting a psychrometer constant to one reference measurement ("Regulacja"):
// the air temperature, the wet-bulb (or ice-bulb) temperature, the dew point
// (or frost point) of a reference hygrometer and the barometric pressure give
// the constant that makes the psychrometer equation agree with the reference.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "physics/humidity_engine.h"
#include "physics/humidity_result.h"

namespace wegator {

class SettingsSheetHost;

class PsychrometerAdjustment {
public:
    enum class Field { Temperature, Bulb, Reference, Pressure };
    static constexpr int kFieldCount = 4;
    // Entry fields take seven decimals.
    static constexpr int kPrecision = 7;
    // A user constant (1/K) the program accepts.
    static constexpr double kLowestConstant = 0.00045;
    static constexpr double kHighestConstant = 0.001;

    // `bulb` water: wet bulb and dew point; ice: ice bulb and frost point.
    // `formulaSet` is the one chosen on "Ogólne" (not yet confirmed); the unit
    // texts are those this dialog used last in the run ("°C" and "kPa" when
    // empty or unknown).
    PsychrometerAdjustment(Phase bulb, int formulaSet, std::string decimalSign, std::string_view temperatureUnit,
                           std::string_view pressureUnit, SettingsSheetHost& host);

    Phase Bulb() const { return bulb_; }
    const std::string& FieldText(Field f) const { return fields_[static_cast<std::size_t>(f)]; }
    // A user edit: the result is cleared and "OK" disabled.
    void EditField(Field f, std::string text);

    int TemperatureUnitIndex() const { return temperatureUnit_; }
    int PressureUnitIndex() const { return pressureUnit_; }
    std::string_view TemperatureUnit() const;
    std::string_view PressureUnit() const;
    // Rewrites the non-empty fields of that kind in the new unit ("%.7f"). A
    // field that does not read as a number stops the change before anything
    // is converted; the unit stays.
    void ChangeTemperatureUnit(int index);
    void ChangePressureUnit(int index);

    // "Regulacja": checks the inputs in order and solves for the constant.
    void Compute();
    const std::string& ResultText() const { return result_; }
    bool OkEnabled() const { return okEnabled_; }
    // "OK": true ends the dialog; false (a constant outside 0.00045 … 0.001,
    // message 56 or 55) keeps it open.
    bool Accept();

    // -1 until a computation succeeded.
    double Constant() const { return constant_; }
    bool ReferenceGiven() const { return referenceGiven_; }

private:
    void Fail(int messageId);
    // GetValue of a field; false after a rejected text (reported already).
    bool Read(Field f, double& value);

    Phase bulb_;
    HumidityEngine engine_;
    std::string decimalSign_;
    SettingsSheetHost& host_;
    std::array<std::string, kFieldCount> fields_{};
    int temperatureUnit_ = 0;
    int pressureUnit_ = 0;
    std::string result_;
    bool okEnabled_ = false;
    double constant_ = -1.0;
    bool referenceGiven_ = false;
};

}  // namespace wegator
