// The psychrometer page: from the dry temperature T and the wet- or ice-bulb
// temperature Tw/Ti at the barometric pressure Pb, every quantity at Pb.
#pragma once

#include <array>
#include <string>
#include <utility>
#include <string_view>

#include "pages/calculator_page.h"

namespace wegator {

// Entry fields of the page, in the order of its rows.
enum class PsychrometerField {
    Temperature, TemperatureUncertainty,
    Bulb, BulbUncertainty,
    Pressure, PressureUncertainty,
};
inline constexpr int kPsychrometerFieldCount = 6;

class PsychrometerPage : public CalculatorPage {
public:
    explicit PsychrometerPage(PageHost& host);

    // The settings record with this page's precisions (PSYCHOMETER_PREC_INPUT, PSYCHOMETER_PREC_CALCUL).
    using CalculatorPage::ApplySettings;
    void ApplySettings(const Settings& s);

    // This page has three primary inputs and keeps a three-entry history
    // g0, g1, g2 (g2 the most recent; codes T 1, Tw/Ti 5, Pb 0), all 0 at
    // creation. It stands in for CalculatorPage's four-entry history, which
    // this page leaves unused.
    const std::array<int, 3>& EditHistory() const { return history3_; }
    // The preference list handed to the calculation: g2, g1, g0.
    std::array<int, 3> Preference() const { return {history3_[2], history3_[1], history3_[0]}; }

    // Results caption: 178/179 by the formula-uncertainty flag, "." shown as the decimal sign.
    std::string ResultsCaption() const override;
    int ResultsCaptionId() const override;

    const std::string& FieldText(PsychrometerField f) const { return Field(static_cast<int>(f)); }
    // A user edit of a field: the text changes and InputEdited runs.
    void SetFieldText(PsychrometerField f, std::string text) { EditField(static_cast<int>(f), std::move(text)); }
    // The "Oblicz" button.
    void Compute();
    void InputEdited(PsychrometerField f) { FieldEdited(static_cast<int>(f)); }

    // Unit lists (index into kTemperatureUnits, kPressureUnits); the enthalpy list is the base's.
    void ChangeTemperatureUnit(int index);
    void ChangePressureUnit(int index);
    // Unit label at the right of an input row.
    std::string FieldUnit(PsychrometerField f) const;
    // Code of a primary input in the edit history; -1 for the uncertainty fields.
    static int FieldCode(PsychrometerField f);

    // What the "Drukuj" button prints at `printedAt`: the inputs and the grid as shown.
    HumidityPrintout Printout(const PrintTime& printedAt) const;

private:
    double Read(PsychrometerField f) { return ReadFieldAt(static_cast<int>(f)); }
    int CodeOfField(int f) const override { return FieldCode(static_cast<PsychrometerField>(f)); }
    // Moves a primary input to the front of the three-entry history.
    void RecordEdit(int code) override;

    std::array<int, 3> history3_{};
};

}  // namespace wegator
