// The moisture-content page: from the air temperature and one measure of the
// water content (dew or frost point, PPMV, PPMW or mixing ratio x) at P1,
// every quantity at P2.
#pragma once

#include <array>
#include <string>
#include <utility>
#include <string_view>

#include "pages/calculator_page.h"

namespace wegator {

// Entry fields of the page, in the order of its rows.
enum class MoistureField {
    Content, ContentUncertainty,
    Temperature, TemperatureUncertainty,
    P1, P1Uncertainty,
    P2,
};
inline constexpr int kMoistureFieldCount = 7;

// The quantity list that labels the first input row; the index is the ContentQuantity.
inline constexpr std::array<std::string_view, 4> kContentQuantities = {"DP/FP", "PPMV", "PPMW", "x"};

class MoistureContentPage : public CalculatorPage {
public:
    explicit MoistureContentPage(PageHost& host);

    // The settings record with this page's precisions (MISTURE_PREC_INPUT, MISTURE_PREC_CALCUL).
    using CalculatorPage::ApplySettings;
    void ApplySettings(const Settings& s);

    const std::string& FieldText(MoistureField f) const { return Field(static_cast<int>(f)); }
    // A user edit of a field: the text changes and InputEdited runs.
    void SetFieldText(MoistureField f, std::string text) { EditField(static_cast<int>(f), std::move(text)); }
    // The "Oblicz" button.
    void Compute();
    void InputEdited(MoistureField f) { FieldEdited(static_cast<int>(f)); }

    // A new entry of the quantity list (index into kContentQuantities): the
    // content value and its uncertainty are emptied, which counts as an edit
    // of the content.
    void ChangeContentQuantity(int index);
    int ContentQuantityIndex() const { return quantity_; }
    ContentQuantity SelectedContentQuantity() const { return static_cast<ContentQuantity>(quantity_); }
    // The list entry's text, which is also the first row's label.
    std::string_view ContentQuantityText() const;

    // Unit lists (index into kTemperatureUnits, kPressureUnits); the enthalpy list is the base's.
    void ChangeTemperatureUnit(int index);
    void ChangePressureUnit(int index);
    // Unit label at the right of an input row: for the content row the
    // temperature unit, "ppm" or "g/kg" by the selected quantity.
    std::string FieldUnit(MoistureField f) const;
    // Code of a primary input in the edit history; -1 for the uncertainty fields.
    static int FieldCode(MoistureField f);

    // What the "Drukuj" button prints at `printedAt`: the inputs and the grid as shown.
    HumidityPrintout Printout(const PrintTime& printedAt) const;

private:
    double Read(MoistureField f) { return ReadFieldAt(static_cast<int>(f)); }
    int CodeOfField(int f) const override { return FieldCode(static_cast<MoistureField>(f)); }

    int quantity_ = static_cast<int>(ContentQuantity::DewPoint);
};

}  // namespace wegator
