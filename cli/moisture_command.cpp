// wegator-cli moisture: the moisture-content page.
#include <array>
#include <optional>

#include "humidity_command.h"
#include "pages/moisture_page.h"

namespace wegator::cli {

namespace {

// The batch column that picks the quantity of the content row; it follows the
// seven entry fields.
constexpr int kQuantityColumn = kMoistureFieldCount;

// The quantity list's entries with the spellings accepted for them.
const std::vector<UnitChoice>& QuantityChoices() {
    static const std::vector<UnitChoice> choices = {{kContentQuantities[0], {"dpfp"}},
                                                    {kContentQuantities[1], {}},
                                                    {kContentQuantities[2], {}},
                                                    {kContentQuantities[3], {}}};
    return choices;
}

class MoistureCommand : public HumidityCommand {
public:
    MoistureCommand()
        : HumidityCommand(
              {
                  {"content", "The water content at P1 as the chosen --quantity: a dew or frost point in the "
                              "temperature unit, PPMV or PPMW in ppm, x in g/kg", true},
                  {"u-content", "Standard uncertainty of the content, in its unit", false},
                  {"t", "Air temperature T at P1, in the temperature unit", true},
                  {"u-t", "Standard uncertainty of T", false},
                  {"p1", "Pressure P1 at which the inputs hold, in the pressure unit", true},
                  {"u-p1", "Standard uncertainty of P1", false},
                  {"p2", "Pressure P2 at which the results are computed", true},
              },
              {"quantity"}) {}

    std::string Name() const override { return "moisture"; }
    std::string Description() const override {
        return "Moisture-content page: from T and one of DP/FP, PPMV, PPMW, x at P1, every quantity at P2";
    }

    void AddOptions(CLI::App& sub) override {
        sub.add_option("--quantity", quantity_,
                       "What --content gives (the entry of the page's list): " + DescribeUnits(QuantityChoices()) +
                           "; ASCII case does not matter; in a batch, the default for rows without a "
                           "quantity cell")
            ->transform(UnitValidator(QuantityChoices(), "content quantity"))
            ->type_name("QUANTITY")
            ->capture_default_str();
        HumidityCommand::AddOptions(sub);
    }

    void CheckEdit(const Edit& edit, const std::string& where) const override {
        if (IsEntryField(edit.field)) return HumidityCommand::CheckEdit(edit, where);
        if (!FindUnit(QuantityChoices(), edit.text)) {
            throw UsageError(where + ": unknown content quantity " + MessageQuoted(edit.text) +
                             "; valid quantities: " + DescribeUnits(QuantityChoices()));
        }
    }

    std::string HelpFooter() const override {
        return R"(Give --content, --t, --p1 and --p2. --quantity chooses what the content is, as
the page's list does: a dew or frost point (DP/FP, in the temperature unit),
a volume fraction (PPMV) or mass fraction (PPMW) in ppm, or a mixing ratio x
in g/kg; it is chosen before any text is typed. Each value is a text as it
would be typed into the page: "." or "," as separator, truncated to the input
precision. When a calculation leaves the formulas' range, the message names
the limit of the most recently edited primary input (content, t, p1, p2): the
one given last on the command line, or the rightmost column of a batch file.
A quantity column of a batch file picks the quantity of its row (an empty cell
keeps --quantity), wherever the column stands.

Examples:
  wegator-cli moisture --p1 101.325 --p2 101.325 --t 20 --content 10
  wegator-cli moisture --quantity ppmv --content 5000 --u-content 50 --t 20 \
      --p1 100 --p2 200 --json
  wegator-cli moisture --quantity x --content 7,5 --t 25 --p1 1013,25 \
      --p2 1013,25 --pressure-unit hPa --decimal-sign , --print-pdf point.pdf
  wegator-cli moisture --batch points.csv  # header e.g.: quantity,content,t,p1,p2)";
    }

    std::unique_ptr<Evaluation> Evaluate(const std::vector<Edit>& edits) const override {
        RecordingHost host;
        MoistureContentPage page(host);
        page.ApplySettings(PageSettings(), format_.inputPrecision, format_.resultPrecision);
        page.Engine().SetInversions(inversions_);
        // Units and the quantity are chosen while the fields are still empty,
        // so nothing is converted and no typed content is emptied.
        page.ChangeTemperatureUnit(*FindUnit(TemperatureUnitChoices(), humidity_.temperatureUnit));
        page.ChangePressureUnit(*FindUnit(PressureUnitChoices(), humidity_.pressureUnit));
        page.ChangeEnthalpyUnit(*FindUnit(EnthalpyUnitChoices(), humidity_.enthalpyUnit));
        page.Activate();
        std::string quantity = quantity_;
        for (const Edit& edit : edits) {
            if (edit.field == kQuantityColumn) quantity = edit.text;
        }
        const int quantityIndex = *FindUnit(QuantityChoices(), quantity);
        if (quantityIndex != page.ContentQuantityIndex()) page.ChangeContentQuantity(quantityIndex);
        host.shown.clear();
        for (const Edit& edit : edits) {
            if (IsEntryField(edit.field)) page.SetFieldText(static_cast<MoistureField>(edit.field), edit.text);
        }
        page.Compute();

        std::array<std::string, CalculatorPage::kRows> rowUnits;
        for (int r = 0; r < CalculatorPage::kRows; ++r) rowUnits[static_cast<std::size_t>(r)] = page.RowUnit(r);
        auto result = Snapshot(host, page, edits, rowUnits,
                               buildPrintout_ ? std::optional(page.Printout(PrintedNow())) : std::nullopt);
        for (int f = 0; f < kMoistureFieldCount; ++f) {
            result->fields.push_back(page.FieldText(static_cast<MoistureField>(f)));
        }
        result->fields.emplace_back(page.ContentQuantityText());
        result->units = {{"temperature", std::string(page.TemperatureUnit())},
                         {"pressure", std::string(page.PressureUnit())},
                         {"enthalpy", std::string(page.EnthalpyUnit())},
                         {"content", page.FieldUnit(MoistureField::Content)}};
        using F = MoistureField;
        const auto row = [&](std::string label, F value, std::optional<F> uncertainty) {
            result->inputRows.push_back({std::move(label), static_cast<int>(value),
                                         uncertainty ? static_cast<int>(*uncertainty) : -1, page.FieldUnit(value)});
        };
        row(std::string(page.ContentQuantityText()), F::Content, F::ContentUncertainty);
        row("T", F::Temperature, F::TemperatureUncertainty);
        row("P1", F::P1, F::P1Uncertainty);
        row("P2", F::P2, std::nullopt);
        return result;
    }

protected:
    std::vector<std::string> UnitKeys() const override { return {"temperature", "pressure", "enthalpy", "content"}; }

private:
    std::string quantity_{kContentQuantities[0]};
};

}  // namespace

std::unique_ptr<Command> MakeMoistureContentCommand() { return std::make_unique<MoistureCommand>(); }

}  // namespace wegator::cli
