#include "options.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "command.h"
#include "pages/number_entry.h"
#include "physics/units.h"
#include "text_output.h"

namespace wegator::cli {

namespace {

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) {
               return lower(x) == lower(y);
           });
}

// A CLI11 check that maps each accepted spelling (ASCII case ignored) onto a
// canonical word.
CLI::Validator WordValidator(std::vector<std::pair<std::vector<std::string_view>, std::string>> words,
                             std::string description) {
    return CLI::Validator(
        [words = std::move(words), description](std::string& value) -> std::string {
            for (const auto& [spellings, canonical] : words) {
                for (std::string_view s : spellings) {
                    if (EqualIgnoringAsciiCase(s, value)) {
                        value = canonical;
                        return {};
                    }
                }
            }
            return MessageQuoted(value) + " is not one of " + description;
        },
        "");
}

}  // namespace

std::optional<int> FindUnit(std::span<const UnitChoice> units, std::string_view name) {
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (name == units[i].text) return static_cast<int>(i);
    }
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (EqualIgnoringAsciiCase(name, units[i].text)) return static_cast<int>(i);
        for (std::string_view alias : units[i].aliases) {
            if (EqualIgnoringAsciiCase(name, alias)) return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

std::string DescribeUnits(std::span<const UnitChoice> units) {
    std::string texts;
    std::string aliases;
    for (const auto& unit : units) {
        texts += (texts.empty() ? "\"" : ", \"") + std::string(unit.text) + "\"";
        for (std::string_view alias : unit.aliases) aliases += (aliases.empty() ? "" : ", ") + std::string(alias);
    }
    return aliases.empty() ? texts : texts + " (or " + aliases + ")";
}

CLI::Validator UnitValidator(std::span<const UnitChoice> units, std::string kind) {
    const std::vector<UnitChoice> copy(units.begin(), units.end());
    return CLI::Validator(
        [copy, kind](std::string& value) -> std::string {
            const auto index = FindUnit(copy, value);
            if (!index)
                return "unknown " + kind + " unit " + MessageQuoted(value) + "; valid units: " + DescribeUnits(copy);
            value = std::string(copy[static_cast<std::size_t>(*index)].text);
            return {};
        },
        "");
}

const std::vector<UnitChoice>& TemperatureUnitChoices() {
    static const std::vector<UnitChoice> units = {
        {kTemperatureUnits[0], {"C"}}, {kTemperatureUnits[1], {"K"}}, {kTemperatureUnits[2], {"F"}}};
    return units;
}

const std::vector<UnitChoice>& PressureUnitChoices() {
    static const std::vector<UnitChoice> units = {
        {kPressureUnits[0], {}}, {kPressureUnits[1], {}}, {kPressureUnits[2], {}}, {kPressureUnits[3], {"hPa", "mbar"}}};
    return units;
}

const std::vector<UnitChoice>& EnthalpyUnitChoices() {
    static const std::vector<UnitChoice> units = {{kEnthalpyUnits[0], {}}, {kEnthalpyUnits[1], {}}};
    return units;
}

const std::vector<UnitChoice>& PressurePageUnitChoices() {
    static const std::vector<UnitChoice> units = [] {
        std::vector<UnitChoice> list;
        for (const auto& unit : kPressurePageUnits) {
            list.push_back({unit.text, {}});
            if (unit.text == "hPa, mbar") list.back().aliases = {"hPa", "mbar"};
        }
        return list;
    }();
    return units;
}

void FormatOptions::AddTo(CLI::App& sub) {
    sub.add_option("--input-precision", inputPrecision, "Digits kept after the decimal sign of an entry (0..7)")
        ->check(CLI::Range(0, 7).description(""))
        ->type_name("0..7")
        ->capture_default_str();
    sub.add_option("--result-precision", resultPrecision, "Digits shown after the decimal sign of a result (0..7)")
        ->check(CLI::Range(0, 7).description(""))
        ->type_name("0..7")
        ->capture_default_str();
    sub.add_option("--decimal-sign", decimalSign, "Decimal sign of the shown texts: \".\" or \",\"")
        ->transform(WordValidator({{{".", "point"}, "."}, {{",", "comma"}, ","}}, "\".\" or \",\""))
        ->type_name("SIGN")
        ->capture_default_str();
}

void AddUnitOptions(CLI::App& sub, std::string& temperatureUnit, std::string& pressureUnit,
                    std::string& enthalpyUnit) {
    sub.add_option("--temperature-unit", temperatureUnit,
                   "Unit of the temperatures typed and shown: " + DescribeUnits(TemperatureUnitChoices()) +
                       "; default °C")
        ->transform(UnitValidator(TemperatureUnitChoices(), "temperature"))
        ->type_name("UNIT");
    sub.add_option("--pressure-unit", pressureUnit,
                   "Unit of the pressures typed and shown (P1, P2 or Pb, and their uncertainties): " +
                       DescribeUnits(PressureUnitChoices()))
        ->transform(UnitValidator(PressureUnitChoices(), "pressure"))
        ->type_name("UNIT")
        ->capture_default_str();
    sub.add_option("--enthalpy-unit", enthalpyUnit, "Unit of the enthalpy row: " + DescribeUnits(EnthalpyUnitChoices()))
        ->transform(UnitValidator(EnthalpyUnitChoices(), "enthalpy"))
        ->type_name("UNIT")
        ->capture_default_str();
}

void HumidityOptions::AddTo(CLI::App& sub) {
    AddUnitOptions(sub, temperatureUnit, pressureUnit, enthalpyUnit);
    sub.add_option("--formulas", formulas,
                   "Vapour-pressure formulas: its90 (ITS-90 formulations, also 0) or guide "
                   "(A Guide to the Measurement of Humidity, also 1)")
        ->transform(WordValidator({{{"its90", "its-90", "0"}, "its90"}, {{"guide", "1"}, "guide"}},
                                  "its90, guide, 0 or 1"))
        ->type_name("its90|guide")
        ->capture_default_str();
    sub.add_option("--formula-uncertainty", formulaUncertainty,
                   "Add the formulas' own uncertainty to the results: on or off")
        ->transform(WordValidator({{{"on", "yes", "true", "1"}, "on"}, {{"off", "no", "false", "0"}, "off"}},
                                  "on or off"))
        ->type_name("on|off")
        ->capture_default_str();
    const auto constantCheck = CLI::Validator(
        [](const std::string& text) -> std::string {
            char* end = nullptr;
            const double a = std::strtod(text.c_str(), &end);
            if (end == text.c_str() || *end != '\0') return MessageQuoted(text) + " is not a number";
            if (a == -1.0 || (std::isfinite(a) && a > 0.0)) return {};
            return "a psychrometer constant is -1 (built-in) or a positive number in 1/K";
        },
        "");
    sub.add_option("--aw", aw, "Psychrometer constant over water in 1/K; -1 selects the built-in constant")
        ->check(constantCheck)
        ->type_name("NUMBER")
        ->capture_default_str();
    sub.add_option("--ai", ai, "Psychrometer constant over ice in 1/K; -1 selects the built-in constant")
        ->check(constantCheck)
        ->type_name("NUMBER")
        ->capture_default_str();
}

Settings HumidityOptions::ToSettings(const FormatOptions& format) const {
    Settings s;
    s.decimal = format.decimalSign;
    s.usedFormulas = formulas == "guide" ? 1 : 0;
    s.formulasUncertainty = formulaUncertainty == "on" ? 1 : 0;
    s.globalAw = aw;
    s.globalAi = ai;
    return s;
}

std::string TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

void CheckEntryText(std::string_view what, std::string_view text) {
    // The entry field's own filter decides; it also drops a backspace, which is a key and not a character.
    if (FilterNumericText(text) != text) {
        throw UsageError(std::string(what) + ": " + MessageQuoted(text) +
                         " cannot be typed into the field (only digits, '.', ',' and '-')");
    }
}

}  // namespace wegator::cli
