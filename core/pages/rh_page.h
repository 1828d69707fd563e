// The relative-humidity page: from any two of dew/frost point, air
// temperature and relative humidity at P1, every quantity at P2.
#pragma once

#include <array>
#include <string>
#include <utility>

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

    const std::string& FieldText(RhField f) const { return Field(static_cast<int>(f)); }
    // A user edit of a field: the text changes and InputEdited runs.
    void SetFieldText(RhField f, std::string text) { EditField(static_cast<int>(f), std::move(text)); }
    // The "Oblicz" button.
    void Compute();
    void InputEdited(RhField f) { FieldEdited(static_cast<int>(f)); }

    // Unit lists (index into kTemperatureUnits, kPressureUnits); the enthalpy list is the base's.
    void ChangeTemperatureUnit(int index);
    void ChangePressureUnit(int index);
    // Unit label shown at the right of a result row.
    using CalculatorPage::RowUnit;
    std::string RowUnit(RhRow row) const { return RowUnit(static_cast<int>(row)); }
    // Unit label shown at the right of an input row (the same for a value and its uncertainty).
    std::string FieldUnit(RhField f) const;
    // Code of a primary input in the edit history; -1 for the uncertainty fields.
    static int FieldCode(RhField f);

    // What the "Drukuj" button prints at `printedAt`: the inputs and the grid as shown.
    HumidityPrintout Printout(const PrintTime& printedAt) const;

private:
    double Read(RhField f) { return ReadFieldAt(static_cast<int>(f)); }
    int CodeOfField(int f) const override { return FieldCode(static_cast<RhField>(f)); }

};

}  // namespace wegator
