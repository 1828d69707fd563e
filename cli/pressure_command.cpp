// wegator-cli pressure: the pressure page, one value shown in twelve units.
#include <optional>

#include "command.h"
#include "options.h"
#include "pages/number_entry.h"
#include "pages/pressure_page.h"
#include "physics/units.h"

namespace wegator::cli {

namespace {

constexpr int kValueField = 0;
constexpr int kUnitField = 1;

class PressureEvaluation : public Evaluation {
public:
    std::string inputText;
    int unit = kPressurePageDefaultUnit;
    std::optional<double> value;  // the number read from the input, when there is one
    std::array<std::string, kPressurePageUnits.size()> texts;

    std::string UnitText() const { return std::string(kPressurePageUnits[static_cast<std::size_t>(unit)].text); }

    void WriteTable(std::ostream& out) const override {
        out << "Input: " << inputText << (inputText.empty() ? "" : " ") << UnitText() << '\n';
        TextTable table("lr");
        for (std::size_t i = 0; i < texts.size(); ++i) table.AddRow({std::string(kPressurePageUnits[i].text), texts[i]});
        table.Write(out);
    }

    void WriteJsonMembers(JsonWriter& json) const override {
        json.Key("input");
        json.BeginObject();
        json.Member("text", inputText);
        json.Member("unit", UnitText());
        json.Key("value");
        value ? json.Number(*value) : json.Null();
        json.EndObject();
        json.Key("results");
        json.BeginArray();
        for (std::size_t i = 0; i < texts.size(); ++i) {
            json.BeginObject();
            json.Member("unit", kPressurePageUnits[i].text);
            json.Member("text", texts[i]);
            json.Key("value");
            if (value) {
                json.Number(ConvertPressurePageUnits(*value, unit, static_cast<int>(i)));
            } else {
                json.Null();
            }
            json.EndObject();
        }
        json.EndArray();
    }

    std::vector<std::string> CsvCells() const override {
        std::vector<std::string> cells = {inputText, UnitText()};
        cells.insert(cells.end(), texts.begin(), texts.end());
        return cells;
    }
};

class PressureCommand : public Command {
public:
    std::string Name() const override { return "pressure"; }
    std::string Description() const override { return "Pressure page: one pressure shown in twelve units"; }
    const std::vector<std::string>& FieldNames() const override { return names_; }
    std::vector<std::string> BatchExcludedOptions() const override { return {"value"}; }
    // The input opens holding "1": an empty value cell empties it, and the row
    // reports that it has nothing to convert. An empty unit cell keeps the unit of --unit.
    bool EmptyCellIsTyped(int field) const override { return field == kValueField; }

    void AddOptions(CLI::App& sub) override {
        value_ = sub.add_option("--value", valueText_,
                                "The pressure, as typed into the page (without --value the field keeps its "
                                "opening text \"1\")")
                     ->type_name("TEXT");
        sub.add_option("--unit", unitText_,
                       "Unit of the value (of rows without a unit cell in a batch): " +
                           DescribeUnits(PressurePageUnitChoices()) + "; ASCII case does not matter")
            ->transform(UnitValidator(PressurePageUnitChoices(), "pressure"))
            ->type_name("UNIT")
            ->capture_default_str();
        format_.AddTo(sub);
    }

    std::string HelpFooter() const override {
        return R"(The value is read in the chosen unit with the input precision (extra decimals
are cut off) and shown in every unit with the result precision, always in
fixed-point form. There are no range checks. An empty value is refused (in a
batch, its row reports message 0 and no results).

Examples:
  wegator-cli pressure --value 1 --unit atm
  wegator-cli pressure --value 750,5 --unit mmHg --result-precision 2 --csv
  wegator-cli pressure --value 2 --unit bar --print-pdf pressure.pdf
  wegator-cli pressure --batch readings.csv      # header: value,unit)";
    }

    std::vector<Edit> EditsFromOptions(const CLI::App&) const override {
        if (value_->count() == 0) return {};
        // The page would keep showing its opening 1 kPa as if they were the results.
        if (TrimBlanks(valueText_).empty()) throw UsageError("--value: an empty text is no pressure to convert");
        return {{kValueField, valueText_}};
    }

    void CheckEdit(const Edit& edit, const std::string& where) const override {
        if (edit.field == kValueField) {
            CheckEntryText(where, edit.text);
        } else if (!FindUnit(PressurePageUnitChoices(), edit.text)) {
            throw UsageError(where + ": unknown pressure unit " + MessageQuoted(edit.text) +
                             "; valid units: " + DescribeUnits(PressurePageUnitChoices()));
        }
    }

    std::unique_ptr<Evaluation> Evaluate(const std::vector<Edit>& edits) const override {
        RecordingHost host;
        PressurePage page(host);
        Settings settings;
        settings.decimal = format_.decimalSign;
        settings.pressurePrecInput = format_.inputPrecision;
        settings.pressurePrecCalcul = format_.resultPrecision;
        page.ApplySettings(settings);
        page.SetFormat({format_.inputPrecision, format_.resultPrecision, format_.decimalSign});
        // The page opens computing its own text "1" in kPa, here with the chosen format.
        page.Compute();
        page.Activate();
        host.shown.clear();

        page.ChangeInputUnit(*FindUnit(PressurePageUnitChoices(), unitText_));
        for (const Edit& edit : edits) {
            if (edit.field == kUnitField) {
                page.ChangeInputUnit(*FindUnit(PressurePageUnitChoices(), edit.text));
            } else {
                page.SetInputText(edit.text);
            }
        }
        page.Compute();

        auto result = std::make_unique<PressureEvaluation>();
        result->messages = host.shown;
        // An empty field leaves the page's older results up, which are not results of this row.
        const bool empty = page.InputText().empty();
        const bool succeeded = host.shown.empty() && page.PrintEnabled() && !empty;
        if (!succeeded && result->messages.empty()) {
            result->messages.push_back({true, 0, empty ? "no value to convert" : "the page showed no results"});
        }
        result->inputText = page.InputText();
        result->unit = page.InputUnitIndex();
        // After a rejected entry the page keeps showing older results, out of
        // date; they are not results of this input, so none are reported.
        if (succeeded) result->texts = page.ResultTexts();
        if (succeeded && buildPrintout_) result->printout = LayOut(page.Printout(PrintedNow()));
        if (succeeded && !result->inputText.empty()) {
            const EntryReading reading = GetValue(result->inputText, format_.inputPrecision, format_.decimalSign);
            if (reading.messageId == 0) result->value = reading.value;
        }
        return result;
    }

    std::vector<std::string> CsvHeader() const override {
        std::vector<std::string> header = names_;
        for (const auto& unit : kPressurePageUnits) header.emplace_back(unit.text);
        return header;
    }

private:
    std::vector<std::string> names_ = {"value", "unit"};
    std::string valueText_;
    std::string unitText_ = "kPa";
    CLI::Option* value_ = nullptr;
    FormatOptions format_{4, 4};
};

}  // namespace

std::unique_ptr<Command> MakePressureCommand() { return std::make_unique<PressureCommand>(); }

}  // namespace wegator::cli
