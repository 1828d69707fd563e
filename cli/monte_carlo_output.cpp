#include "monte_carlo_output.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "grid_rows.h"
#include "text/strings.h"

namespace wegator::cli {

namespace {

// Texts of the printout's Monte Carlo sheet.
constexpr int kSheetTitle = 1600;          // "Przedziały rozszerzenia metodą Monte Carlo"
constexpr int kValueHeading = 1601;        // "Wartość"
constexpr int kMeanHeading = 1602;         // "Średnia"
constexpr int kIntervalHeading = 1603;     // "Przedział najkrótszy"

// Columns and lines of that sheet.
// Apart enough for seven decimals ("5.0000e+003") and an interval of two
// such ends; the results over water and over ice come under headings of
// their own, so no column is spent on the phase.
constexpr int kLabelColumn = 100;
constexpr int kValueColumn = 300;
constexpr int kUColumn = 580;
constexpr int kMeanColumn = 840;
constexpr int kSdColumn = 1120;
constexpr int kIntervalColumn = 1380;
constexpr int kUnitColumn = 1950;
constexpr int kTitleLine = 100;
constexpr int kLineStep = 100;
// The rows end above the foot, whose rule is at line 2300.
constexpr int kLastRowLine = 2200;
// Characters of a status line that fit across the sheet in the printer's
// default font with room to spare; a longer one (a refusal's message) goes on
// to further lines.
constexpr std::size_t kSheetLineCharacters = 95;

// `text` cut at blanks into lines of at most `width` characters (a word
// longer than that stays whole).
std::vector<std::string> Wrapped(const std::string& text, std::size_t width) {
    std::vector<std::string> lines;
    std::string line;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t blank = std::min(text.find(' ', start), text.size());
        const std::string word = text.substr(start, blank - start);
        if (!line.empty() && DisplayWidth(line) + 1 + DisplayWidth(word) > width) {
            lines.push_back(line);
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
        start = blank + 1;
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

std::optional<std::uint64_t> WholeNumber(const std::string& text) {
    std::uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || ptr != end) return std::nullopt;
    return value;
}

// A probability as typed: "0.95", and "0,95" as a Polish keyboard gives it.
std::optional<double> Probability(std::string text) {
    std::replace(text.begin(), text.end(), ',', '.');
    char* end = nullptr;
    const double p = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || !std::isfinite(p)) return std::nullopt;
    return p;
}

const char* StatusKey(montecarlo::Status status) {
    switch (status) {
        case montecarlo::Status::Stable: return "stable";
        case montecarlo::Status::CapReached: return "cap_reached";
        case montecarlo::Status::Fixed: return "fixed";
        case montecarlo::Status::Cancelled: return "cancelled";
        case montecarlo::Status::NothingAccepted: return "nothing_accepted";
    }
    return "";
}

const char* ColumnKey(Phase phase) { return phase == Phase::Water ? "water" : "ice"; }

// "95 %" of a coverage of 0.95, in the decimal sign of the texts.
std::string CoveragePercent(double coverage, const std::string& decimalSign) {
    char text[32];
    std::snprintf(text, sizeof text, "%g %%", 100.0 * coverage);
    return WithDecimalSign(text, decimalSign);
}

// "[low, high]"; with a decimal comma the ends are parted by a semicolon.
std::string Interval(const std::string& low, const std::string& high, const std::string& decimalSign) {
    return "[" + low + (decimalSign == "," ? "; " : ", ") + high + "]";
}

void WritePair(JsonWriter& json, std::string_view key, double low, double high) {
    json.Key(key);
    json.BeginArray();
    json.Number(low);
    json.Number(high);
    json.EndArray();
}

void WriteTextPair(JsonWriter& json, std::string_view key, const std::string& low, const std::string& high) {
    json.Key(key);
    json.BeginArray();
    json.String(low);
    json.String(high);
    json.EndArray();
}

}  // namespace

void MonteCarloOptions::AddTo(CLI::App& sub) {
    const std::string group = "Monte Carlo (GUM Supplement 1)";
    const auto drawsCheck = CLI::Validator(
        [](const std::string& text) -> std::string {
            if (text.empty()) return {};
            const auto n = WholeNumber(text);
            if (n && *n >= kFewestDraws && *n <= kMostDraws) return {};
            return "the number of draws is a whole number from " + std::to_string(kFewestDraws) + " to " +
                   std::to_string(kMostDraws) + ", not " + MessageQuoted(text);
        },
        "");
    option = sub.add_option("--monte-carlo", draws,
                            "Also evaluate the results by Monte Carlo: draw the inputs from normal distributions "
                            "of their values and uncertainties (pressures, RH and contents cut to their ranges), "
                            "compute the page at every draw and give each result its mean, standard deviation and "
                            "coverage intervals beside u. N fixes the number of draws (1000 to 10000000); without "
                            "N the draws go on until the figures are stable to 2 significant digits, at most "
                            "2000000. Memory: 8 bytes a draw for each result shown (10 or 20 results: 80 or "
                            "160 MB for each million draws, up to 1.6 GB at 10000000)")
                 ->expected(0, 1)
                 ->check(drawsCheck)
                 ->type_name("[N]")
                 ->group(group);
    const auto seedCheck = CLI::Validator(
        [](const std::string& text) -> std::string {
            if (WholeNumber(text)) return {};
            return "the seed is a whole number from 0 to 18446744073709551615, not " + MessageQuoted(text);
        },
        "");
    sub.add_option("--seed", seed,
                   "Seed of the draws (0 to 18446744073709551615): the same seed gives the same draws and the "
                   "same digits on every machine, another seed other draws")
        ->check(seedCheck)
        ->needs(option)
        ->type_name("S")
        ->capture_default_str()
        ->group(group);
    const auto coverageCheck = CLI::Validator(
        [](const std::string& text) -> std::string {
            const auto p = Probability(text);
            if (p && *p >= 0.5 && *p <= 0.999) return {};
            return "the coverage probability is a number from 0.5 to 0.999, not " + MessageQuoted(text);
        },
        "");
    sub.add_option("--coverage", coverage,
                   "Coverage probability of the intervals, 0.5 to 0.999: the shortest interval and the "
                   "probabilistically symmetric one each hold this share of the draws")
        ->check(coverageCheck)
        ->needs(option)
        ->type_name("P")
        ->capture_default_str()
        ->group(group);
}

montecarlo::Options MonteCarloOptions::ToOptions() const {
    montecarlo::Options options;
    options.seed = WholeNumber(seed).value_or(1);
    options.coverage = Probability(coverage).value_or(0.95);
    options.significantDigits = 2;
    options.draws = draws.empty() ? 0 : static_cast<std::size_t>(WholeNumber(draws).value_or(0));
    options.maxDraws = kMonteCarloCap;
    return options;
}

MonteCarloSnapshot MonteCarloSnapshot::Run(const CalculatorPage& page, const montecarlo::Options& options,
                                           int resultPrecision, const std::string& decimalSign) {
    const CalculationRequest& request = *page.LastRequest();
    const HumidityMonteCarlo mc = RunMonteCarlo(page.Engine(), request, options);
    MonteCarloSnapshot snapshot;
    snapshot.options = options;
    snapshot.status = mc.outcome.status;
    snapshot.drawn = mc.outcome.drawn;
    snapshot.accepted = mc.outcome.accepted;
    snapshot.refused = mc.outcome.refused;
    snapshot.firstRefusalId = mc.firstRefusalId;
    snapshot.firstRefusal = mc.firstRefusal;
    snapshot.statusLines = MonteCarloStatusLines(mc, options, decimalSign);
    snapshot.decimalSign = decimalSign;
    if (snapshot.NothingAccepted()) return snapshot;
    const std::size_t count = std::min(mc.outputs.size(), mc.outcome.outputs.size());
    for (std::size_t i = 0; i < count; ++i) {
        snapshot.results.push_back({mc.outputs[i].row, mc.outputs[i].phase,
                                    FormatMonteCarloRow(request, mc, i, page.TemperatureUnit(), page.EnthalpyUnit(),
                                                        resultPrecision, decimalSign),
                                    mc.outcome.outputs[i]});
    }
    return snapshot;
}

std::string MonteCarloSnapshot::NothingAcceptedLine() const {
    std::string line = "Monte Carlo: the page refused all " + std::to_string(drawn) + " draws";
    if (firstRefusalId != 0) {
        line += "; the first with message " + std::to_string(firstRefusalId) + ": " + firstRefusal;
    }
    return line;
}

void MonteCarloSnapshot::WriteTable(std::ostream& out) const {
    // The first status line names the method, the seed and the coverage.
    out << '\n';
    for (const std::string& line : statusLines) out << line << '\n';
    if (results.empty()) return;
    const std::string percent = CoveragePercent(options.coverage, decimalSign);
    TextTable table("llrrrrrrrl");
    table.AddRow({"", "", "value", "u", "MC mean", "σ_MC", "shortest " + percent, "symmetric " + percent, "u/σ_MC",
                  ""});
    for (const MonteCarloResult& result : results) {
        const MonteCarloRowTexts& t = result.texts;
        table.AddRow({kGridRows[static_cast<std::size_t>(result.row)].label,
                      result.phase == Phase::Water ? "over water" : "over ice", t.value, t.u, t.mean, t.sd,
                      Interval(t.shortestLow, t.shortestHigh, decimalSign),
                      Interval(t.symmetricLow, t.symmetricHigh, decimalSign), t.ratio, t.unit});
    }
    out << '\n';
    table.Write(out);
}

void MonteCarloSnapshot::WriteJson(JsonWriter& json) const {
    json.BeginObject();
    json.Key("seed");
    json.Unsigned(options.seed);
    json.Key("coverage");
    json.Number(options.coverage);
    json.Key("draws");
    json.Integer(static_cast<long long>(drawn));
    json.Key("accepted");
    json.Integer(static_cast<long long>(accepted));
    json.Key("refused");
    json.Integer(static_cast<long long>(refused));
    json.Member("status", StatusKey(status));
    json.Key("first_refusal");
    if (firstRefusalId != 0) {
        json.BeginObject();
        json.Key("message_id");
        json.Integer(firstRefusalId);
        json.Member("text", firstRefusal);
        json.EndObject();
    } else {
        json.Null();
    }
    json.Key("results");
    json.BeginArray();
    for (const MonteCarloResult& result : results) {
        const GridRow& row = kGridRows[static_cast<std::size_t>(result.row)];
        const MonteCarloRowTexts& t = result.texts;
        json.BeginObject();
        json.Member("name", row.label);
        json.Member("column", ColumnKey(result.phase));
        json.Member("unit", t.unit);
        json.Member("value", t.value);
        json.Member("u", t.u);
        json.Member("mean", t.mean);
        json.Member("sd", t.sd);
        WriteTextPair(json, "shortest", t.shortestLow, t.shortestHigh);
        WriteTextPair(json, "symmetric", t.symmetricLow, t.symmetricHigh);
        json.Member("u_over_sd", t.ratio);
        // Adaptive runs only: whether this result reached the digits asked for.
        json.Key("stable");
        if (options.draws == 0) {
            json.Bool(result.internal.stable);
        } else {
            json.Null();
        }
        json.Member("internal_unit", row.internalUnit);
        json.Member("internal_uncertainty_unit", row.internalUncertaintyUnit);
        json.Key("internal");
        json.BeginObject();
        json.Key("mean");
        json.Number(result.internal.mean);
        json.Key("sd");
        json.Number(result.internal.sd);
        WritePair(json, "shortest", result.internal.shortestLow, result.internal.shortestHigh);
        WritePair(json, "symmetric", result.internal.symmetricLow, result.internal.symmetricHigh);
        json.EndObject();
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
}

std::vector<std::string> MonteCarloSnapshot::CsvHeader() {
    std::vector<std::string> header;
    for (const GridRow& row : kGridRows) {
        for (Phase phase : {Phase::Water, Phase::Ice}) {
            const std::string prefix = std::string(row.key) + "_" + ColumnKey(phase) + "_mc_";
            for (const char* figure : {"mean", "sd", "low", "high"}) header.push_back(prefix + figure);
        }
    }
    header.insert(header.end(), {"mc_draws", "mc_refused"});
    return header;
}

std::vector<std::string> MonteCarloSnapshot::EmptyCsvCells() { return std::vector<std::string>(CsvHeader().size()); }

std::vector<std::string> MonteCarloSnapshot::CsvCells() const {
    std::vector<std::string> cells = EmptyCsvCells();
    for (const MonteCarloResult& result : results) {
        const std::size_t at = 8 * static_cast<std::size_t>(result.row) + (result.phase == Phase::Water ? 0 : 4);
        const MonteCarloRowTexts& t = result.texts;
        cells[at] = t.mean;
        cells[at + 1] = t.sd;
        cells[at + 2] = t.shortestLow;
        cells[at + 3] = t.shortestHigh;
    }
    cells[cells.size() - 2] = std::to_string(drawn);
    cells[cells.size() - 1] = std::to_string(refused);
    return cells;
}

std::vector<PrintCell> MonteCarloSnapshot::Sheet(const std::vector<std::string>& traceLines) const {
    std::vector<PrintCell> cells;
    int n = kTitleLine;
    cells.push_back({kLabelColumn, n, std::string(LoadString(kSheetTitle))});
    n += kLineStep;
    cells.push_back({kLabelColumn, n, std::string(24, '-')});
    for (const std::string& status : statusLines) {
        for (const std::string& line : Wrapped(status, kSheetLineCharacters)) {
            n += kLineStep;
            cells.push_back({kLabelColumn, n, line});
        }
    }
    if (!results.empty()) {
        n += 2 * kLineStep;
        cells.push_back({kValueColumn, n, std::string(LoadString(kValueHeading))});
        cells.push_back({kUColumn, n, "u"});
        cells.push_back({kMeanColumn, n, std::string(LoadString(kMeanHeading))});
        cells.push_back({kSdColumn, n, "σ"});
        cells.push_back({kIntervalColumn, n,
                         std::string(LoadString(kIntervalHeading)) + " " +
                             CoveragePercent(options.coverage, decimalSign)});
        std::array<std::vector<const MonteCarloResult*>, 2> phases;
        for (const MonteCarloResult& result : results) {
            phases[static_cast<std::size_t>(result.phase)].push_back(&result);
        }
        // Twenty results (both columns of every row) and their two headings
        // still end above the foot.
        int lines = static_cast<int>(results.size());
        for (const auto& phase : phases) lines += phase.empty() ? 0 : 1;
        const int step = std::min(kLineStep, (kLastRowLine - n) / lines);
        for (const auto& phase : phases) {
            if (phase.empty()) continue;
            n += step;
            cells.push_back({kLabelColumn, n, phase.front()->texts.column});
            for (const MonteCarloResult* result : phase) {
                n += step;
                const MonteCarloRowTexts& t = result->texts;
                cells.push_back({kLabelColumn, n, t.label});
                cells.push_back({kValueColumn, n, t.value});
                cells.push_back({kUColumn, n, t.u});
                cells.push_back({kMeanColumn, n, t.mean});
                cells.push_back({kSdColumn, n, t.sd});
                cells.push_back({kIntervalColumn, n, Interval(t.shortestLow, t.shortestHigh, decimalSign)});
                cells.push_back({kUnitColumn, n, t.unit});
            }
        }
    }
    AppendHumidityFooter(cells, traceLines);
    return cells;
}

}  // namespace wegator::cli
