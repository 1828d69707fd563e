// wegator-cli rh: the relative-humidity page.
#include <array>

#include "humidity_command.h"
#include "pages/rh_page.h"

namespace wegator::cli {

namespace {

// Labels of the input rows, as the page shows them.
constexpr std::array<const char*, 5> kInputRows = {"DP/FP", "T", "RH", "P1", "P2"};

class RhEvaluation : public Evaluation {
public:
    std::array<std::string, kRhFieldCount> fields;  // texts the fields hold after Compute
    std::array<std::string, 5> inputUnits;          // unit labels of the input rows
    std::string temperatureUnit, pressureUnit, enthalpyUnit;
    std::vector<std::string> fieldNames;
    std::vector<std::string> editOrder;
    GridSnapshot grid;

    void WriteTable(std::ostream& out) const override {
        TextTable inputs("lrrl");
        inputs.AddRow({"", "value", "uncertainty", ""});
        for (std::size_t row = 0; row < kInputRows.size(); ++row) {
            const std::size_t field = 2 * row;
            const std::string uncertainty = field + 1 < fields.size() ? fields[field + 1] : "";
            inputs.AddRow({kInputRows[row], fields[field], uncertainty, inputUnits[row]});
        }
        out << "Inputs\n";
        inputs.Write(out);
        out << '\n';
        grid.WriteTable(out);
    }

    void WriteJsonMembers(JsonWriter& json) const override {
        json.Key("units");
        json.BeginObject();
        json.Member("temperature", temperatureUnit);
        json.Member("pressure", pressureUnit);
        json.Member("enthalpy", enthalpyUnit);
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
    }

    std::vector<std::string> CsvCells() const override {
        std::vector<std::string> cells(fields.begin(), fields.end());
        cells.insert(cells.end(), {temperatureUnit, pressureUnit, enthalpyUnit});
        const auto gridCells = grid.CsvCells();
        cells.insert(cells.end(), gridCells.begin(), gridCells.end());
        return cells;
    }
};

class RhCommand : public HumidityCommand {
public:
    RhCommand()
        : HumidityCommand({
              {"dp", "Dew or frost point DP/FP at P1, in the temperature unit", true},
              {"u-dp", "Standard uncertainty of DP/FP", false},
              {"t", "Air temperature T at P1, in the temperature unit", true},
              {"u-t", "Standard uncertainty of T", false},
              {"rh", "Relative humidity RH at P1, %", true},
              {"u-rh", "Standard uncertainty of RH, %", false},
              {"p1", "Pressure P1 at which the inputs hold, in the pressure unit", true},
              {"u-p1", "Standard uncertainty of P1", false},
              {"p2", "Pressure P2 at which the results are computed", true},
          }) {}

    std::string Name() const override { return "rh"; }
    std::string Description() const override {
        return "Relative-humidity page: from two of DP/FP, T and RH at P1, every quantity at P2";
    }

    std::string HelpFooter() const override {
        return R"(Give P1, P2 and exactly two of --dp, --t, --rh. Each value is a text as it
would be typed into the page: "." or "," as separator, truncated to the input
precision. Texts are read in the units chosen with --temperature-unit and
--pressure-unit. When a calculation leaves the formulas' range, the message
names the limit of the most recently edited primary input (dp, t, rh, p1, p2):
the one given last on the command line, or the rightmost column of a batch file.

Examples:
  wegator-cli rh --p1 101.325 --p2 101.325 --dp 10 --t 20
  wegator-cli rh --t 68 --u-t 0.2 --rh 50 --u-rh 1 --p1 760 --p2 760 \
      --temperature-unit F --pressure-unit mmHg --json
  wegator-cli rh --batch points.csv        # header e.g.: p1,p2,dp,u-dp,t,u-t
  printf 'p1,p2,t,rh\n100,100,20,50\n' | wegator-cli rh --batch - --decimal-sign ,)";
    }

    std::unique_ptr<Evaluation> Evaluate(const std::vector<Edit>& edits) const override {
        RecordingHost host;
        RelativeHumidityPage page(host);
        page.ApplySettings(PageSettings(), format_.inputPrecision, format_.resultPrecision);
        // Units are chosen while the fields are still empty, so nothing is converted.
        page.ChangeTemperatureUnit(*FindUnit(TemperatureUnitChoices(), humidity_.temperatureUnit));
        page.ChangePressureUnit(*FindUnit(PressureUnitChoices(), humidity_.pressureUnit));
        page.ChangeEnthalpyUnit(*FindUnit(EnthalpyUnitChoices(), humidity_.enthalpyUnit));
        page.Activate();
        host.shown.clear();
        for (const Edit& edit : edits) page.SetFieldText(static_cast<RhField>(edit.field), edit.text);
        page.Compute();

        auto result = std::make_unique<RhEvaluation>();
        result->messages = host.shown;
        const bool succeeded = host.shown.empty() && page.PrintEnabled();
        if (!succeeded && result->messages.empty()) {
            result->messages.push_back({true, 0, "the page showed no results"});
        }
        for (int f = 0; f < kRhFieldCount; ++f) result->fields[static_cast<std::size_t>(f)] = page.FieldText(static_cast<RhField>(f));
        result->temperatureUnit = page.TemperatureUnit();
        result->pressureUnit = page.PressureUnit();
        result->enthalpyUnit = page.EnthalpyUnit();
        result->inputUnits = {result->temperatureUnit, result->temperatureUnit, "%", result->pressureUnit,
                              result->pressureUnit};
        result->fieldNames = FieldNames();
        result->editOrder = EditOrder(edits);
        std::array<std::string, CalculatorPage::kRows> rowUnits;
        for (int r = 0; r < CalculatorPage::kRows; ++r) rowUnits[static_cast<std::size_t>(r)] = page.RowUnit(static_cast<RhRow>(r));
        result->grid = GridSnapshot::Take(page, rowUnits, succeeded);
        return result;
    }

    std::vector<std::string> CsvHeader() const override {
        std::vector<std::string> header = FieldNames();
        header.insert(header.end(), {"temperature_unit", "pressure_unit", "enthalpy_unit"});
        const auto grid = GridSnapshot::CsvHeader();
        header.insert(header.end(), grid.begin(), grid.end());
        return header;
    }
};

}  // namespace

std::unique_ptr<Command> MakeRelativeHumidityCommand() { return std::make_unique<RhCommand>(); }

}  // namespace wegator::cli
