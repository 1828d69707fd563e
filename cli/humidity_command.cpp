#include "humidity_command.h"

#include <algorithm>

#include "grid_rows.h"

namespace wegator::cli {

namespace {

// Column keys of the grid, in the page's column order.
constexpr std::array<const char*, 4> kColumnKeys = {"water", "u_water", "ice", "u_ice"};

}  // namespace

GridSnapshot GridSnapshot::Take(const CalculatorPage& page,
                                const std::array<std::string, CalculatorPage::kRows>& rowUnits, bool succeeded) {
    GridSnapshot snapshot;
    snapshot.caption = page.ResultsCaption();
    snapshot.rowUnits = rowUnits;
    snapshot.texts = page.ResultTexts();
    if (succeeded) snapshot.numbers = page.LastResult();
    return snapshot;
}

void GridSnapshot::WriteTable(std::ostream& out) const {
    out << caption << '\n';
    TextTable table("ll");
    table.AddRow({"", "", "over water", "u", "over ice", "u"});
    for (int r = 0; r < CalculatorPage::kRows; ++r) {
        std::vector<std::string> cells = {kGridRows[static_cast<std::size_t>(r)].label,
                                          rowUnits[static_cast<std::size_t>(r)]};
        for (int c = 0; c < 4; ++c) cells.push_back(texts[static_cast<std::size_t>(4 * r + c)]);
        table.AddRow(std::move(cells));
    }
    table.Write(out);
}

void GridSnapshot::WriteJsonMembers(JsonWriter& json) const {
    json.Member("caption", caption);
    json.Key("results");
    json.BeginArray();
    for (std::size_t r = 0; r < kGridRows.size(); ++r) {
        const GridRow& row = kGridRows[r];
        json.BeginObject();
        json.Member("name", row.label);
        json.Member("unit", rowUnits[r]);
        for (std::size_t c = 0; c < 4; ++c) json.Member(kColumnKeys[c], texts[4 * r + c]);
        json.Member("internal_unit", row.internalUnit);
        json.Member("internal_uncertainty_unit", row.internalUncertaintyUnit);
        json.Key("internal");
        if (numbers) {
            json.BeginObject();
            for (Phase phase : {Phase::Water, Phase::Ice}) {
                const bool water = phase == Phase::Water;
                json.Key(water ? "water" : "ice");
                json.Number(numbers->Value(row.quantity, phase));
                json.Key(water ? "u_water" : "u_ice");
                json.Number(numbers->Uncertainty(row.quantity, phase));
            }
            json.EndObject();
        } else {
            json.Null();
        }
        json.EndObject();
    }
    json.EndArray();
}

std::vector<std::string> GridSnapshot::CsvHeader() {
    std::vector<std::string> header;
    for (const GridRow& row : kGridRows) {
        for (const char* column : kColumnKeys) header.push_back(std::string(row.key) + "_" + column);
    }
    return header;
}

std::vector<std::string> GridSnapshot::CsvCells() const { return {texts.begin(), texts.end()}; }

void HumidityEvaluation::WriteTable(std::ostream& out) const {
    TextTable inputs("lrrl");
    inputs.AddRow({"", "value", "uncertainty", ""});
    for (const InputRow& row : inputRows) {
        const std::string uncertainty = row.uncertainty >= 0 ? fields[static_cast<std::size_t>(row.uncertainty)] : "";
        inputs.AddRow({row.label, fields[static_cast<std::size_t>(row.value)], uncertainty, row.unit});
    }
    out << "Inputs\n";
    inputs.Write(out);
    out << '\n';
    grid.WriteTable(out);
    if (monteCarlo) monteCarlo->WriteTable(out);
}

void HumidityEvaluation::WriteJsonMembers(JsonWriter& json) const {
    json.Key("units");
    json.BeginObject();
    for (const auto& [key, unit] : units) json.Member(key, unit);
    json.EndObject();
    json.Key("inputs");
    json.BeginObject();
    for (std::size_t i = 0; i < fields.size(); ++i) json.Member(fieldNames[i], fields[i]);
    json.EndObject();
    json.Key("edit_order");
    json.BeginArray();
    for (const auto& name : editOrder) json.String(name);
    json.EndArray();
    grid.WriteJsonMembers(json);
    if (!monteCarloAsked) return;
    json.Key("monte_carlo");
    if (monteCarlo) {
        monteCarlo->WriteJson(json);
    } else {
        json.Null();
    }
}

std::vector<std::string> HumidityEvaluation::CsvCells() const {
    std::vector<std::string> cells(fields.begin(), fields.end());
    for (const auto& unit : units) cells.push_back(unit.second);
    const auto gridCells = grid.CsvCells();
    cells.insert(cells.end(), gridCells.begin(), gridCells.end());
    return cells;
}

std::vector<std::string> HumidityEvaluation::CsvTrailerCells() const {
    if (!monteCarloAsked) return {};
    return monteCarlo ? monteCarlo->CsvCells() : MonteCarloSnapshot::EmptyCsvCells();
}

HumidityCommand::HumidityCommand(std::vector<EntryField> fields, std::vector<std::string> selections)
    : fields_(std::move(fields)), values_(fields_.size()), options_(fields_.size(), nullptr) {
    for (const auto& field : fields_) entryNames_.push_back(field.name);
    names_ = entryNames_;
    names_.insert(names_.end(), selections.begin(), selections.end());
}

void HumidityCommand::AddOptions(CLI::App& sub) {
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        options_[i] = sub.add_option("--" + fields_[i].name, values_[i], fields_[i].description)
                          ->type_name("TEXT")
                          ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
                          ->group("Entry fields (texts as typed; the order of the primary inputs is the edit order)");
    }
    humidity_.AddTo(sub);
    format_.AddTo(sub);
    monteCarlo_.AddTo(sub);
}

std::vector<Edit> HumidityCommand::EditsFromOptions(const CLI::App& sub) const {
    // A field given twice was edited twice: only its last edit decides its
    // place in the edit order, and its last text is the one it holds.
    std::vector<int> order;
    for (const CLI::Option* option : sub.parse_order()) {
        const auto found = std::find(options_.begin(), options_.end(), option);
        if (found == options_.end()) continue;
        const int field = static_cast<int>(found - options_.begin());
        order.erase(std::remove(order.begin(), order.end(), field), order.end());
        order.push_back(field);
    }
    std::vector<Edit> edits;
    for (int field : order) edits.push_back({field, values_[static_cast<std::size_t>(field)]});
    return edits;
}

void HumidityCommand::CheckEdit(const Edit& edit, const std::string& where) const {
    CheckEntryText(where, edit.text);
}

std::vector<std::string> HumidityCommand::CsvHeader() const {
    std::vector<std::string> header = FieldNames();
    for (const auto& key : UnitKeys()) header.push_back(key + "_unit");
    const auto grid = GridSnapshot::CsvHeader();
    header.insert(header.end(), grid.begin(), grid.end());
    return header;
}

std::vector<std::string> HumidityCommand::CsvTrailer() const {
    if (!monteCarlo_.Asked()) return {};
    return MonteCarloSnapshot::CsvHeader();
}

std::vector<std::string> HumidityCommand::EditOrder(const std::vector<Edit>& edits) const {
    std::vector<std::string> order;
    for (const Edit& edit : edits) {
        if (!IsEntryField(edit.field)) continue;  // a selection
        const EntryField& field = fields_[static_cast<std::size_t>(edit.field)];
        if (field.primary) order.push_back(field.name);
    }
    return order;
}

std::unique_ptr<HumidityEvaluation> HumidityCommand::Snapshot(
    const RecordingHost& host, const CalculatorPage& page, const std::vector<Edit>& edits,
    const std::array<std::string, CalculatorPage::kRows>& rowUnits,
    const std::optional<HumidityPrintout>& printout) const {
    auto result = std::make_unique<HumidityEvaluation>();
    result->messages = host.shown;
    const bool succeeded = host.shown.empty() && page.PrintEnabled();
    if (!succeeded && result->messages.empty()) {
        result->messages.push_back({true, 0, "the page showed no results"});
    }
    if (succeeded && printout) result->printout = LayOut(*printout);
    result->fieldNames = FieldNames();
    result->editOrder = EditOrder(edits);
    result->grid = GridSnapshot::Take(page, rowUnits, succeeded);
    result->monteCarloAsked = monteCarlo_.Asked();
    if (result->monteCarloAsked && succeeded && page.LastRequest()) {
        result->monteCarlo =
            MonteCarloSnapshot::Run(page, monteCarlo_.ToOptions(), format_.resultPrecision, format_.decimalSign);
        if (result->monteCarlo->NothingAccepted()) result->failures.push_back(result->monteCarlo->NothingAcceptedLine());
        if (printout) result->furtherSheets.push_back(result->monteCarlo->Sheet(printout->traceLines));
    }
    return result;
}

}  // namespace wegator::cli
