// wegator-cli psychro: the psychrometer page.
#include <array>

#include "humidity_command.h"
#include "pages/psychrometer_page.h"

namespace wegator::cli {

namespace {

// Labels of the input rows, as the page shows them.
constexpr std::array<const char*, 3> kInputRows = {"T", "Tw/Ti", "Pb"};

class PsychrometerCommand : public HumidityCommand {
public:
    PsychrometerCommand()
        : HumidityCommand({
              {"t", "Air (dry-bulb) temperature T, in the temperature unit", true},
              {"u-t", "Standard uncertainty of T", false},
              {"tw", "Wet- or ice-bulb temperature Tw/Ti, in the temperature unit (empty or absent reads as 0)",
               true},
              {"u-tw", "Standard uncertainty of Tw/Ti", false},
              {"pb", "Barometric pressure Pb, in the pressure unit", true},
              {"u-pb", "Standard uncertainty of Pb", false},
          }) {}

    std::string Name() const override { return "psychro"; }
    std::string Description() const override {
        return "Psychrometer page: from T and the wet- or ice-bulb Tw/Ti at Pb, every quantity at Pb";
    }

    std::string HelpFooter() const override {
        return R"(Give --t and --pb; a Tw/Ti that is empty or not given reads as 0 in the
temperature unit, as on the page, and is shown as such. Tw/Ti may equal T but
not exceed it. Each value is a text as it would be typed into the page: "."
or "," as separator, truncated to the input precision. The over-water columns
take Tw/Ti as a wet bulb, the over-ice columns as an ice bulb. When a
calculation leaves the formulas' range, the message names the limit of the
most recently edited primary input (t, tw, pb): the one given last on the
command line, or the rightmost column of a batch file.

Examples:
  wegator-cli psychro --pb 101.325 --t 20 --tw 15
  wegator-cli psychro --t 25 --u-t 0.1 --tw 18 --u-tw 0.2 --pb 1013 --u-pb 1 \
      --pressure-unit hPa --aw 0.000662 --json
  wegator-cli psychro --pb 100 --t 20 --tw 15 --print-pdf reading.pdf
  wegator-cli psychro --batch readings.csv  # header e.g.: pb,t,u-t,tw,u-tw)";
    }

    std::unique_ptr<Evaluation> Evaluate(const std::vector<Edit>& edits) const override {
        RecordingHost host;
        PsychrometerPage page(host);
        page.ApplySettings(PageSettings(), format_.inputPrecision, format_.resultPrecision);
        page.Engine().SetInversions(inversions_);
        // Units are chosen while the fields are still empty, so nothing is converted.
        page.ChangeTemperatureUnit(*FindUnit(TemperatureUnitChoices(), humidity_.temperatureUnit));
        page.ChangePressureUnit(*FindUnit(PressureUnitChoices(), humidity_.pressureUnit));
        page.ChangeEnthalpyUnit(*FindUnit(EnthalpyUnitChoices(), humidity_.enthalpyUnit));
        page.Activate();
        host.shown.clear();
        for (const Edit& edit : edits) page.SetFieldText(static_cast<PsychrometerField>(edit.field), edit.text);
        page.Compute();

        std::array<std::string, CalculatorPage::kRows> rowUnits;
        for (int r = 0; r < CalculatorPage::kRows; ++r) rowUnits[static_cast<std::size_t>(r)] = page.RowUnit(r);
        auto result = Snapshot(host, page, edits, rowUnits,
                               buildPrintout_ ? std::optional(page.Printout(PrintedNow())) : std::nullopt);
        for (int f = 0; f < kPsychrometerFieldCount; ++f) {
            result->fields.push_back(page.FieldText(static_cast<PsychrometerField>(f)));
        }
        result->units = {{"temperature", std::string(page.TemperatureUnit())},
                         {"pressure", std::string(page.PressureUnit())},
                         {"enthalpy", std::string(page.EnthalpyUnit())}};
        for (int row = 0; row < 3; ++row) {
            const auto value = static_cast<PsychrometerField>(2 * row);
            result->inputRows.push_back(
                {kInputRows[static_cast<std::size_t>(row)], 2 * row, 2 * row + 1, page.FieldUnit(value)});
        }
        return result;
    }
};

}  // namespace

std::unique_ptr<Command> MakePsychrometerCommand() { return std::make_unique<PsychrometerCommand>(); }

}  // namespace wegator::cli
