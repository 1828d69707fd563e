// --monte-carlo of the humidity subcommands: the options that ask for a
// Monte Carlo evaluation of what the page computed, and its figures in the
// table, JSON, CSV and the printout's further sheet. Without the option
// nothing of a run's output changes.
#pragma once

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "montecarlo/monte_carlo.h"
#include "pages/calculator_page.h"
#include "pages/humidity_monte_carlo.h"
#include "pages/print_layout.h"
#include "text_output.h"

namespace wegator::cli {

// The adaptive run stops at this many draws at the latest: the core's cap.
inline constexpr std::size_t kMonteCarloCap = montecarlo::Options{}.maxDraws;
// The numbers of draws a user may fix.
inline constexpr std::size_t kFewestDraws = 1'000;
inline constexpr std::size_t kMostDraws = 10'000'000;

// --monte-carlo [N], --seed S, --coverage P, as given.
struct MonteCarloOptions {
    std::string draws;  // empty: adaptive
    std::string seed = "1";
    std::string coverage = "0.95";
    CLI::Option* option = nullptr;

    void AddTo(CLI::App& sub);
    bool Asked() const { return option != nullptr && option->count() > 0; }
    // The evaluation's options (the texts were checked while parsing).
    montecarlo::Options ToOptions() const;
};

// One result the evaluation summarised: a grid row in a column the page shows.
struct MonteCarloResult {
    int row = 0;
    Phase phase = Phase::Water;
    MonteCarloRowTexts texts;             // in the page's units and format
    montecarlo::OutputSummary internal;  // in the row's internal units
};

// What a Monte Carlo evaluation of a page's result gave, as the command line
// puts it out.
struct MonteCarloSnapshot {
    montecarlo::Options options;
    montecarlo::Status status = montecarlo::Status::Fixed;
    std::size_t drawn = 0, accepted = 0, refused = 0;
    int firstRefusalId = 0;
    std::string firstRefusal;             // the page's message for it
    std::vector<std::string> statusLines;  // in the interface language
    std::vector<MonteCarloResult> results;
    std::string decimalSign;

    // Evaluates the calculation the page holds (page.LastRequest() must be set).
    static MonteCarloSnapshot Run(const CalculatorPage& page, const montecarlo::Options& options,
                                  int resultPrecision, const std::string& decimalSign);

    bool NothingAccepted() const { return status == montecarlo::Status::NothingAccepted; }
    // The line standard error gets when every draw was refused.
    std::string NothingAcceptedLine() const;

    // The block under the result grid.
    void WriteTable(std::ostream& out) const;
    // The value of the "monte_carlo" member.
    void WriteJson(JsonWriter& json) const;
    // Columns after all others: mean, σ and the shortest interval's ends of
    // every row in both columns, then draws and refused draws. A row without
    // an evaluation (or a column the page does not show) leaves them empty.
    static std::vector<std::string> CsvHeader();
    std::vector<std::string> CsvCells() const;
    static std::vector<std::string> EmptyCsvCells();
    // A further sheet of the printout, with the page's trace lines at its foot.
    std::vector<PrintCell> Sheet(const std::vector<std::string>& traceLines) const;
};

}  // namespace wegator::cli
