// wegator-cli rh: the relative-humidity page.
#include <array>

#include "humidity_command.h"
#include "pages/rh_page.h"

namespace wegator::cli {

namespace {

// Labels of the input rows, as the page shows them.
constexpr std::array<const char*, 5> kInputRows = {"DP/FP", "T", "RH", "P1", "P2"};

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
  wegator-cli rh --p1 100 --p2 100 --t 20 --rh 50 --print-pdf point.pdf
  wegator-cli rh --p1 101.325 --p2 101.325 --t 20 --u-t 0.1 --dp 19.9 \
      --u-dp 0.2 --monte-carlo            # Monte Carlo intervals beside u
  wegator-cli rh --batch points.csv        # header e.g.: p1,p2,dp,u-dp,t,u-t
  printf 'p1,p2,t,rh\n100,100,20,50\n' | wegator-cli rh --batch - --decimal-sign ,)";
    }

    std::unique_ptr<Evaluation> Evaluate(const std::vector<Edit>& edits) const override {
        RecordingHost host;
        RelativeHumidityPage page(host);
        page.ApplySettings(PageSettings(), format_.inputPrecision, format_.resultPrecision);
        page.Engine().SetInversions(inversions_);
        // Units are chosen while the fields are still empty, so nothing is converted.
        page.ChangeTemperatureUnit(*FindUnit(TemperatureUnitChoices(), humidity_.temperatureUnit));
        page.ChangePressureUnit(*FindUnit(PressureUnitChoices(), humidity_.pressureUnit));
        page.ChangeEnthalpyUnit(*FindUnit(EnthalpyUnitChoices(), humidity_.enthalpyUnit));
        page.Activate();
        host.shown.clear();
        for (const Edit& edit : edits) page.SetFieldText(static_cast<RhField>(edit.field), edit.text);
        page.Compute();

        std::array<std::string, CalculatorPage::kRows> rowUnits;
        for (int r = 0; r < CalculatorPage::kRows; ++r) rowUnits[static_cast<std::size_t>(r)] = page.RowUnit(static_cast<RhRow>(r));
        auto result = Snapshot(host, page, edits, rowUnits,
                               buildPrintout_ ? std::optional(page.Printout(PrintedNow())) : std::nullopt);
        for (int f = 0; f < kRhFieldCount; ++f) result->fields.push_back(page.FieldText(static_cast<RhField>(f)));
        const std::string temperatureUnit(page.TemperatureUnit());
        const std::string pressureUnit(page.PressureUnit());
        result->units = {{"temperature", temperatureUnit},
                         {"pressure", pressureUnit},
                         {"enthalpy", std::string(page.EnthalpyUnit())}};
        const std::array<std::string, 5> inputUnits = {temperatureUnit, temperatureUnit, "%", pressureUnit,
                                                       pressureUnit};
        for (int row = 0; row < 5; ++row) {
            const int field = 2 * row;
            result->inputRows.push_back({kInputRows[static_cast<std::size_t>(row)], field,
                                         field + 1 < kRhFieldCount ? field + 1 : -1,
                                         inputUnits[static_cast<std::size_t>(row)]});
        }
        return result;
    }
};

}  // namespace

std::unique_ptr<Command> MakeRelativeHumidityCommand() { return std::make_unique<RhCommand>(); }

}  // namespace wegator::cli
