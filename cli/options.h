// Option values shared by the subcommands: unit texts with their ASCII
// aliases, number formats, the humidity settings and the entry texts.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <CLI/CLI.hpp>

#include "app/settings.h"

namespace wegator::cli {

// A unit the user may name on the command line.
struct UnitChoice {
    std::string_view text;                // the page's own text
    std::vector<std::string_view> aliases;  // further accepted spellings
};

// The index of the unit named by `name`: its own text or an alias, compared
// without regard to ASCII case. nullopt when none matches.
std::optional<int> FindUnit(std::span<const UnitChoice> units, std::string_view name);
// "°C, °K, °F (or C, K, F)": for messages and help.
std::string DescribeUnits(std::span<const UnitChoice> units);
// A CLI11 check that replaces a unit name by the unit's own text, or fails
// with the list of valid names.
CLI::Validator UnitValidator(std::span<const UnitChoice> units, std::string kind);

const std::vector<UnitChoice>& TemperatureUnitChoices();
const std::vector<UnitChoice>& PressureUnitChoices();
const std::vector<UnitChoice>& EnthalpyUnitChoices();
const std::vector<UnitChoice>& PressurePageUnitChoices();

// --temperature-unit, --pressure-unit and --enthalpy-unit: the unit lists of
// the humidity pages, each stored as the unit's own text.
void AddUnitOptions(CLI::App& sub, std::string& temperatureUnit, std::string& pressureUnit, std::string& enthalpyUnit);

// Digits after the decimal sign and the sign itself, as given on the command line.
struct FormatOptions {
    int inputPrecision;
    int resultPrecision;
    std::string decimalSign = ".";
    void AddTo(CLI::App& sub);
};

// Settings of the humidity pages: formula set, formula uncertainty,
// psychrometer constants, units.
struct HumidityOptions {
    std::string temperatureUnit = "°C";
    std::string pressureUnit = "kPa";
    std::string enthalpyUnit = "kcal/kg";
    std::string formulas = "its90";
    std::string formulaUncertainty = "on";
    double aw = -1.0;
    double ai = -1.0;
    void AddTo(CLI::App& sub);
    // The settings record a main window would hand to the page.
    Settings ToSettings(const FormatOptions& format) const;
};

// Throws UsageError when `text` holds a character that the entry field's
// keystroke filter would drop (anything but digits, '.', ',' and '-').
void CheckEntryText(std::string_view what, std::string_view text);
// The text without surrounding blanks (spaces and tabs).
std::string TrimBlanks(std::string_view text);

}  // namespace wegator::cli
