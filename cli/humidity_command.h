// What the humidity subcommands (relative humidity now; moisture content and
// psychrometer later) share: entry fields given as options in edit order, the
// humidity settings, and the ten-row result grid of a CalculatorPage in the
// three output forms. A new humidity subcommand lists its fields and feeds its
// page; everything else comes from here.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "command.h"
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

class HumidityCommand : public Command {
public:
    explicit HumidityCommand(std::vector<EntryField> fields);

    const std::vector<std::string>& FieldNames() const override { return names_; }
    void AddOptions(CLI::App& sub) override;
    std::vector<Edit> EditsFromOptions(const CLI::App& sub) const override;
    void CheckEdit(const Edit& edit, const std::string& where) const override;

protected:
    const std::vector<EntryField>& Fields() const { return fields_; }
    // Names of the primary inputs among the edits, in edit order.
    std::vector<std::string> EditOrder(const std::vector<Edit>& edits) const;
    // Settings, precisions and decimal sign as the page receives them.
    Settings PageSettings() const { return humidity_.ToSettings(format_); }

    FormatOptions format_{3, 3};
    HumidityOptions humidity_;

private:
    std::vector<EntryField> fields_;
    std::vector<std::string> names_;
    std::vector<std::string> values_;
    std::vector<CLI::Option*> options_;
};

}  // namespace wegator::cli
