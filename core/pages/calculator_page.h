// The model shared by the relative-humidity, moisture-content and
// psychrometer pages: input texts, unit choices, the grid of results, the
// order in which the primary inputs were edited, and whether the shown
// results are valid (print enabled, recompute marker hidden) or out of date.
//
// The widgets only forward events (a typed text, a button, a unit choice) and
// show what the model holds; every rule lives here.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings.h"
#include "pages/humidity_monte_carlo.h"
#include "pages/number_entry.h"
#include "pages/page_host.h"
#include "pages/print_layout.h"
#include "pages/result_grid.h"
#include "physics/humidity_engine.h"

namespace wegator {

class CalculatorPage {
public:
    virtual ~CalculatorPage() = default;

    // ---- settings copied in by the main window
    HumidityEngine& Engine() { return engine_; }
    const HumidityEngine& Engine() const { return engine_; }
    void SetFormulaUncertainty(bool on) { formulaUncertainty_ = on; }
    bool FormulaUncertainty() const { return formulaUncertainty_; }
    void SetFormat(const NumberFormat& format) { format_ = format; }
    const NumberFormat& Format() const { return format_; }
    // Copies the formula set, psychrometer constants, formula-uncertainty flag,
    // decimal sign and the given precisions from the settings record.
    void ApplySettings(const Settings& s, int inputPrecision, int resultPrecision);

    // ---- state
    // Move-to-front list of input codes, h[3] the most recent; all 0 at creation.
    const std::array<int, 4>& EditHistory() const { return history_; }
    // The preference list handed to a calculation: h3, h2, h1, h0.
    PreferenceList Preference() const { return {history_[3], history_[2], history_[1], history_[0]}; }
    bool Busy() const { return busy_; }
    bool Stale() const { return stale_; }
    void SetStale() { stale_ = true; }
    bool PrintEnabled() const { return printEnabled_; }
    bool MarkerVisible() const { return markerVisible_; }
    // Results caption: 97/98 (at P2) or 178/179, by the formula-uncertainty flag.
    virtual std::string ResultsCaption() const;
    // String-table number of that caption.
    virtual int ResultsCaptionId() const;

    // The result grid: ten rows, four columns (value over water, its
    // uncertainty, value over ice, its uncertainty), as shown; empty when blank.
    static constexpr int kRows = kResultRows;
    const ResultGridTexts& ResultTexts() const { return results_; }
    const std::string& ResultText(int row, int column) const { return results_[kResultColumns * row + column]; }
    // The numbers behind the grid after the last successful Compute (internal
    // units), kept while they are shown, out of date or not, so that a change
    // of unit shows them in the new unit; reset (failed set) whenever the grid
    // is emptied.
    const HumidityResult& LastResult() const { return last_; }
    // The calculation behind those numbers, for a Monte Carlo evaluation of
    // it; empty whenever no result is held.
    const std::optional<CalculationRequest>& LastRequest() const { return request_; }
    // The quantity of the result that fills a grid row (rows top to bottom:
    // DP/FP, T, RH, PPMV, PPMW, x, I, WVP, SWVP, Tw/Ti).
    static Quantity RowQuantity(int row) { return ResultRowQuantity(row); }
    // Label at the left of a grid row ("DP/FP", "T", … "Tw/Ti").
    static std::string_view RowLabel(int row) { return ResultRowLabel(row); }
    // Unit label at the right of a grid row, given the page's temperature and
    // enthalpy units (the vapour pressures are always in "Pa").
    static std::string RowUnitLabel(int row, std::string_view temperatureUnit, std::string_view enthalpyUnit) {
        return ResultRowUnit(row, temperatureUnit, enthalpyUnit);
    }
    // The same in this page's units.
    std::string RowUnit(int row) const { return RowUnitLabel(row, TemperatureUnit(), EnthalpyUnit()); }

    // ---- unit lists: index into kTemperatureUnits, kPressureUnits, kEnthalpyUnits
    int TemperatureUnitIndex() const { return temperatureUnit_; }
    int PressureUnitIndex() const { return pressureUnit_; }
    int EnthalpyUnitIndex() const { return enthalpyUnit_; }
    std::string_view TemperatureUnit() const;
    std::string_view PressureUnit() const;
    std::string_view EnthalpyUnit() const;
    // Enthalpy is only shown, never entered: the label changes, the results
    // held are shown in the new unit and marked out of date.
    void ChangeEnthalpyUnit(int index);

    // The page becomes the visible page of the main window.
    virtual void Activate();

protected:
    // A page with this many entry fields, numbered by the page.
    CalculatorPage(PageHost& host, int fieldCount);

    const std::string& Field(int f) const { return fields_[static_cast<std::size_t>(f)]; }
    // A user edit of a field, or the page's own rewrite outside Compute: the
    // text changes and it counts as an edit.
    void EditField(int f, std::string text);
    // An edit of a field: its primary input moves to the front of the history
    // and the results are out of date (nothing while Compute writes).
    void FieldEdited(int f);
    // Code of a field's primary input in the edit history; -1 for uncertainties.
    virtual int CodeOfField(int f) const = 0;
    // Reads a field for Compute. A rejected text empties the grid before the
    // warning (14 or 15) shows and gives InvalidValue.
    double ReadFieldAt(int f);
    // Empties a field without counting as an edit (Compute's own write).
    void ClearField(int f) { fields_[static_cast<std::size_t>(f)].clear(); }

    // Moves a primary input to the front of the edit history.
    virtual void RecordEdit(int code);
    // Results out of date: print disabled, marker shown (clears Stale).
    void MarkOutOfDate();
    // Results valid: print enabled, marker hidden (clears Stale).
    void MarkValid();
    void ClearResults();
    // Shows message n with "." replaced by the decimal sign, clears the results
    // and ends the computation (Busy back to 0).
    void Fail(int messageId);
    // The same for a message whose text is ready (a limit message built by the
    // engine): shown as it is in a warning box.
    void FailWithText(int messageId, const std::string& text);
    // A calculation that left the formulas' range: its own message, shown
    // like every other limit message.
    void FailCalculation(const HumidityResult& result) { FailWithText(result.messageId, result.message); }
    // GetValue of a field of this page with its input precision and decimal
    // sign; a rejected text is reported by a warning (14 or 15).
    double ReadField(std::string& text);
    // Shows a successful calculation: every grid field in the page's units,
    // the columns blanked where the phase does not apply, then results valid.
    void ShowResults(const HumidityResult& result);
    // The same, with the ice columns blanked when the frost point and the given
    // bulb temperature (°C) are both above zero: a page whose bulb temperature
    // is an input judges by the entered one.
    void ShowResults(const HumidityResult& result, double iceBulbCelsius);
    // Keeps the calculation behind the results just shown (after ShowResults):
    // its route, inputs and uncertainties in internal units and the edit
    // history it was handed.
    void HoldRequest(Route route, ContentQuantity content, const RouteInputs& values,
                     const RouteInputs& uncertainties, const PreferenceList& preference);
    // The held results in the page's units and format again (nothing when none are held).
    void FormatHeldResults();

    // Headings, results caption, the ten result rows as shown and the trace
    // line of a sheet printed at `printedAt`; the page adds its input caption and rows.
    HumidityPrintout PrintoutOfResults(const PrintTime& printedAt) const;

    // An input that a change of the temperature or pressure unit converts.
    enum class UnitKind { Temperature, Pressure };
    struct ConvertedInput {
        int field;         // the page's number of the field
        bool uncertainty;  // a difference: no offset, taken as its magnitude
    };
    // Selects entry `index` of the temperature or pressure list and rewrites the
    // listed inputs into the new unit. Every one that is not empty is first read
    // in the old unit, in the order given, and written back normalised; a
    // rejected text stops the change, leaving the unit as it was (the inputs read
    // before it stay normalised). Then the converted values are written
    // (FormatInput, a hair below zero shown as zero). Every write counts as an edit.
    void ChangeUnit(UnitKind kind, int index, std::span<const ConvertedInput> inputs);

    PageHost& host_;
    HumidityEngine engine_;
    bool formulaUncertainty_ = true;
    NumberFormat format_;
    std::array<int, 4> history_{};
    bool busy_ = false;
    bool stale_ = false;
    bool printEnabled_ = false;
    bool markerVisible_ = true;
    ResultGridTexts results_{};
    HumidityResult last_;
    std::optional<CalculationRequest> request_;
    ResultHalves halves_;
    std::vector<std::string> fields_;
    int temperatureUnit_ = 0, pressureUnit_ = 0, enthalpyUnit_ = 0;
};

}  // namespace wegator
