// The relative-humidity page: from any two of dew/frost point, air
// temperature and relative humidity at P1, every quantity at P2.
#pragma once

#include <array>
#include <string>

#include "pages/calculator_page.h"

namespace wegator {

// Entry fields of the page, in the order of its rows.
enum class RhField {
    DewPoint, DewPointUncertainty,
    Temperature, TemperatureUncertainty,
    Humidity, HumidityUncertainty,
    P1, P1Uncertainty,
    P2,
};
inline constexpr int kRhFieldCount = 9;

// Rows of the result grid, top to bottom.
enum class RhRow { DewFrostPoint, Temperature, Humidity, Ppmv, Ppmw, MixingRatio, Enthalpy, VapourPressure,
                   SaturationVapourPressure, BulbTemperature };

class RelativeHumidityPage : public CalculatorPage {
public:
    explicit RelativeHumidityPage(PageHost& host);

    const std::string& FieldText(RhField f) const { return fields_[static_cast<int>(f)]; }
    // A user edit of a field: the text changes and InputEdited runs.
    void SetFieldText(RhField f, std::string text);
    // The "Oblicz" button.
    void Compute();
    void InputEdited(RhField f);

    // Unit lists: index into kTemperatureUnits, kPressureUnits, kEnthalpyUnits.
    void ChangeTemperatureUnit(int index);
    void ChangePressureUnit(int index);
    void ChangeEnthalpyUnit(int index);
    int TemperatureUnitIndex() const { return temperatureUnit_; }
    int PressureUnitIndex() const { return pressureUnit_; }
    int EnthalpyUnitIndex() const { return enthalpyUnit_; }
    std::string_view TemperatureUnit() const;
    std::string_view PressureUnit() const;
    std::string_view EnthalpyUnit() const;
    // Unit label shown at the right of a result row.
    std::string RowUnit(RhRow row) const;
    // Unit label shown at the right of an input row (the same for a value and its uncertainty).
    std::string FieldUnit(RhField f) const;
    // Code of a primary input in the edit history; -1 for the uncertainty fields.
    static int FieldCode(RhField f);

    // What the "Drukuj" button prints: the inputs and the grid as shown.
    HumidityPrintout Printout() const;

private:
    // The page's own rewrite of an input outside Compute: counts as a user edit.
    void RewriteField(RhField f, std::string text);
    // Reads a field for Compute; InvalidValue when rejected (reported already).
    double Read(RhField f);

    std::array<std::string, kRhFieldCount> fields_{};
    int temperatureUnit_ = 0, pressureUnit_ = 0, enthalpyUnit_ = 0;
};

}  // namespace wegator
