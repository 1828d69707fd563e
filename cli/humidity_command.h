// What the humidity subcommands (relative humidity, moisture content,
// psychrometer) share: entry fields given as options in edit order, the
// humidity settings, and the ten-row result grid of a CalculatorPage in the
// three output forms. A new humidity subcommand lists its fields and feeds its
// page; everything else comes from here.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "command.h"
#include "monte_carlo_output.h"
#include "options.h"
#include "pages/calculator_page.h"
#include "physics/humidity_result.h"

namespace wegator::cli {

// An entry field of a humidity page.
struct EntryField {
    std::string name;         // option name without "--", also the batch column
    std::string description;  // for --help
    bool primary;             // a primary input: its edits make up the edit history
};

// The result grid as a page showed it.
struct GridSnapshot {
    std::string caption;
    std::array<std::string, CalculatorPage::kRows> rowUnits;
    std::array<std::string, 4 * CalculatorPage::kRows> texts;
    std::optional<HumidityResult> numbers;  // internal units; only after a successful Compute

    static GridSnapshot Take(const CalculatorPage& page, const std::array<std::string, CalculatorPage::kRows>& rowUnits,
                             bool succeeded);
    void WriteTable(std::ostream& out) const;
    // The "caption" and "results" members.
    void WriteJsonMembers(JsonWriter& json) const;
    static std::vector<std::string> CsvHeader();
    std::vector<std::string> CsvCells() const;
};

// What a humidity page showed: its input rows, unit choices, the edit order
// and the result grid.
class HumidityEvaluation : public Evaluation {
public:
    // An input row as the page shows it.
    struct InputRow {
        std::string label;
        int value = 0;         // index into `fields`
        int uncertainty = -1;  // index into `fields`; -1 for a row without one
        std::string unit;
    };
    std::vector<std::string> fieldNames;  // the command's FieldNames(): keys of `fields`
    std::vector<std::string> fields;      // texts the fields (and selections) hold after Compute
    std::vector<InputRow> inputRows;
    // Unit choices: members of "units" in JSON, columns "<key>_unit" in CSV.
    std::vector<std::pair<std::string, std::string>> units;
    std::vector<std::string> editOrder;
    GridSnapshot grid;
    // With --monte-carlo: the evaluation of the page's result, none when the
    // page showed a message.
    bool monteCarloAsked = false;
    std::optional<MonteCarloSnapshot> monteCarlo;

    void WriteTable(std::ostream& out) const override;
    void WriteJsonMembers(JsonWriter& json) const override;
    std::vector<std::string> CsvCells() const override;
    std::vector<std::string> CsvTrailerCells() const override;
};

class HumidityCommand : public Command {
public:
    // `selections` are batch columns beyond the entry fields that choose from a
    // list rather than type a text (the moisture page's quantity). They have
    // no field option of their own; the subcommand offers its own option for
    // them and checks their cells in CheckEdit. Their edits come after the
    // entry fields' in FieldNames().
    explicit HumidityCommand(std::vector<EntryField> fields, std::vector<std::string> selections = {});

    const std::vector<std::string>& FieldNames() const override { return names_; }
    void AddOptions(CLI::App& sub) override;
    std::vector<Edit> EditsFromOptions(const CLI::App& sub) const override;
    void CheckEdit(const Edit& edit, const std::string& where) const override;
    // The columns of FieldNames(), one "<key>_unit" per UnitKeys(), the grid.
    std::vector<std::string> CsvHeader() const override;
    // The Monte Carlo columns, when --monte-carlo is given.
    std::vector<std::string> CsvTrailer() const override;
    std::vector<std::string> BatchExcludedOptions() const override { return entryNames_; }

protected:
    const std::vector<EntryField>& Fields() const { return fields_; }
    bool IsEntryField(int field) const { return field >= 0 && field < static_cast<int>(fields_.size()); }
    // Names of the primary inputs among the edits, in edit order.
    std::vector<std::string> EditOrder(const std::vector<Edit>& edits) const;
    // Settings, precisions and decimal sign as the page receives them.
    Settings PageSettings() const { return humidity_.ToSettings(format_); }
    // Keys of HumidityEvaluation::units, in order.
    virtual std::vector<std::string> UnitKeys() const { return {"temperature", "pressure", "enthalpy"}; }
    // What every humidity page shows alike after Compute: the messages, the
    // edit order, the grid and, after a success, the printout when one was made
    // and the Monte Carlo evaluation when one was asked for. The subcommand
    // adds the fields, input rows and units.
    std::unique_ptr<HumidityEvaluation> Snapshot(const RecordingHost& host, const CalculatorPage& page,
                                                 const std::vector<Edit>& edits,
                                                 const std::array<std::string, CalculatorPage::kRows>& rowUnits,
                                                 const std::optional<HumidityPrintout>& printout) const;

    FormatOptions format_{3, 3};
    HumidityOptions humidity_;
    MonteCarloOptions monteCarlo_;

private:
    std::vector<EntryField> fields_;
    std::vector<std::string> entryNames_;
    std::vector<std::string> names_;
    std::vector<std::string> values_;
    std::vector<CLI::Option*> options_;
};

}  // namespace wegator::cli
