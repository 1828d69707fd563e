#include "lab_run.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

#include "app/settings_store.h"
#include "command.h"
#include "lab/tables/cal_file.h"
#include "lab/tables/calibration_tables.h"
#include "lab/station/lab_host.h"
#include "lab/records/record_file.h"
#include "lab/station/laboratory_page.h"
#include "lab/lines/stream_use.h"
#include "lab/trends/trend.h"
#include "options.h"
#include "pdf_output.h"
#include "print/laboratory_printout.h"
#include "station/qt_station.h"
#include "stop_signals.h"
#include "time_limit.h"
#include "text_output.h"

namespace wegator::cli {

namespace {

using lab::LabInput;
using lab::LaboratoryPage;

constexpr int kExitSuccess = 0;
constexpr int kExitNoInstrument = 1;
constexpr int kExitUsage = 2;
// The station ran, but its calibration run did not give its N rows.
constexpr int kExitRunIncomplete = 3;
// The streams open half a second after the start; this is when they are judged.
constexpr int kOpenCheckMs = 1500;

std::string OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    return text;
}

// Messages go to standard error, one line each, as the calculator commands print them.
class ConsoleHost : public lab::LabHost {
public:
    void ShowWarning(int messageId, const std::string& text) override { Print(messageId, text); }
    void ShowMessage(int messageId, const std::string& text) override { Print(messageId, text); }
    void EnableMenuPrint(bool) override {}
    void Beep() override {}

private:
    static void Print(int messageId, const std::string& text) {
        std::cerr << "wegator-cli: message " << messageId << ": " << MessagePrintable(OneLine(text)) << '\n';
    }
};

// Why a calibration run was cut short, for standard error.
const char* InterruptionName(lab::RunInterruption reason) {
    switch (reason) {
        case lab::RunInterruption::Signal: return "SIGINT or SIGTERM";
        case lab::RunInterruption::TimeLimit: return "--seconds are over";
        case lab::RunInterruption::NoInstrument: return "no instrument could be opened";
        case lab::RunInterruption::WriteFailed: return "a run file could not be written";
        default: return "stopped";
    }
}

std::string Stamp(const lab::CalendarTime& t) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return buffer;
}

const char* kInputNames[lab::kLabInputs] = {"dp", "t", "pb"};
const char* kInputLabels[lab::kLabInputs] = {"DP/FP", "T", "Pb"};

void WriteNumber(JsonWriter& json, double value, bool present) {
    if (present) {
        json.Number(value);
    } else {
        json.Null();
    }
}

// "12:31:05" of a monotonic moment of the station.
std::string ClockOf(std::int64_t monotonicMs, const lab::Clock& clock) {
    const lab::CalendarTime t =
        lab::CalendarFromMs(lab::ChartTime(monotonicMs, clock.MonotonicMs(), clock.LocalTime()));
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    return buffer;
}

// Has it settled? Each quantity in use with its figures over the window, in
// internal units (K/min and K, kPa/min and kPa, %/min and %), and the station
// as a whole; "since" is the wall-clock time it has been stable since.
void WriteStability(JsonWriter& json, const LaboratoryPage& page, const lab::Clock& clock, bool useDewPoint) {
    json.Key("stability");
    json.BeginObject();
    for (lab::TrendQuantity q : page.TrendQuantitiesInUse()) {
        const lab::StabilityVerdict v = page.Verdict(q);
        json.Key(lab::QuantityInfo(q).key);
        json.BeginObject();
        json.Key("drift");
        json.Number(v.figures.drift);
        json.Key("sd");
        json.Number(v.figures.standardDeviation);
        json.Key("p2p");
        json.Number(v.figures.peakToPeak);
        json.Key("count");
        json.Integer(v.figures.count);
        json.Key("window_min");
        json.Number(static_cast<double>(page.Stability().windowMs) / 60000.0);
        json.Key("stable");
        json.Bool(v.stable);
        json.Key("since");
        if (v.stable) {
            json.String(ClockOf(v.since, clock));
        } else {
            json.Null();
        }
        json.Member("text", page.VerdictText(q));
        json.EndObject();
    }
    json.EndObject();
    const lab::StationStability station = page.StationVerdict(useDewPoint);
    json.Key("station");
    json.BeginObject();
    json.Key("stable");
    json.Bool(station.stable);
    json.Key("since");
    if (station.stable) {
        json.String(ClockOf(station.since, clock));
    } else {
        json.Null();
    }
    json.Member("text", page.StationVerdictText(useDewPoint));
    json.EndObject();
}

void PrintJson(const LaboratoryPage& page, const lab::Clock& clock, bool useDewPoint) {
    const lab::CalendarTime now = clock.LocalTime();
    JsonWriter json(std::cout);
    json.BeginObject();
    json.Member("time", Stamp(now));
    json.Key("inputs");
    json.BeginObject();
    for (int i = 0; i < lab::kLabInputs; ++i) {
        const auto input = static_cast<LabInput>(i);
        json.Key(kInputNames[i]);
        json.BeginObject();
        json.Key("value");
        WriteNumber(json, page.Average(input), page.Average(input) != lab::kNoAverage);
        json.Key("uncertainty");
        WriteNumber(json, page.AverageUncertainty(input), page.AverageUncertainty(input) != lab::kNoAverage);
        json.Member("text", page.AverageText(input));
        json.Member("uncertainty_text", page.AverageUncertaintyText(input));
        json.Member("unit", page.InputUnit(input));
        json.Key("observations");
        json.Integer(page.Observations(input));
        json.EndObject();
    }
    json.EndObject();
    json.Key("results");
    json.BeginArray();
    const HumidityResult& r = page.Results();
    for (int row = 0; row < kResultRows; ++row) {
        json.BeginObject();
        json.Member("quantity", ResultRowLabel(row));
        json.Member("unit", ResultRowUnit(row, page.TemperatureUnit(), page.EnthalpyUnit()));
        for (int phase = 0; phase < 2; ++phase) {
            const Phase p = static_cast<Phase>(phase);
            const bool shown = !page.ResultText(row, 2 * phase).empty();
            json.Key(p == Phase::Water ? "water" : "ice");
            json.BeginObject();
            // Internal units: °C, K, %, ppm, g/kg, kcal/kg, Pa.
            json.Key("value");
            WriteNumber(json, r.Value(ResultRowQuantity(row), p), shown);
            json.Key("uncertainty");
            WriteNumber(json, r.Uncertainty(ResultRowQuantity(row), p), shown);
            json.Member("text", page.ResultText(row, 2 * phase));
            json.Member("uncertainty_text", page.ResultText(row, 2 * phase + 1));
            json.EndObject();
        }
        json.EndObject();
    }
    json.EndArray();
    json.Member("status", page.StatusText());
    // Why there are no results, as the page's message number and text.
    const LaboratoryPage::Calculation& calculation = page.CalculationState();
    json.Key("calculation");
    json.BeginObject();
    json.Key("ok");
    json.Bool(calculation.ok);
    json.Key("message");
    if (calculation.messageId != 0) {
        json.Integer(calculation.messageId);
    } else {
        json.Null();
    }
    json.Member("text", calculation.text);
    json.EndObject();
    json.Key("stale");
    json.BeginArray();
    for (LabInput input : page.StaleInputs()) json.String(kInputNames[static_cast<int>(input)]);
    json.EndArray();
    WriteStability(json, page, clock, useDewPoint);
    json.EndObject();
    std::cout << std::endl;
}

void PrintText(const LaboratoryPage& page, const lab::CalendarTime& now) {
    // A line standing on an out-of-date input says so first, where a reader
    // (or grep) meets it before any number.
    if (const std::string mark = page.StaleMark(); !mark.empty()) std::cout << mark << "  ";
    std::cout << Stamp(now);
    for (int i = 0; i < lab::kLabInputs; ++i) {
        const auto input = static_cast<LabInput>(i);
        std::cout << "  " << kInputLabels[i] << ' ' << page.AverageText(input) << " ± "
                  << page.AverageUncertaintyText(input) << ' ' << page.InputUnit(input);
    }
    // Each result over water, then over ice; a half the page leaves blank is "-".
    auto half = [&page](int row, int column) {
        const std::string& value = page.ResultText(row, column);
        return value.empty() ? std::string("-") : value + " ± " + page.ResultText(row, column + 1);
    };
    std::cout << "  |";
    for (int row = 0; row < kResultRows; ++row) {
        std::cout << "  " << ResultRowLabel(row) << ' ' << half(row, 0) << " / " << half(row, 2) << ' '
                  << ResultRowUnit(row, page.TemperatureUnit(), page.EnthalpyUnit());
    }
    if (const std::string status = page.StatusText(); !status.empty()) std::cout << "  | " << status;
    std::cout << std::endl;
}

// A correction table that would correct the station's readings but cannot be loaded.
struct TableProblem {
    std::string name;
    std::string reason;
};

std::vector<TableProblem> MissingTables(const Settings& settings) {
    std::vector<TableProblem> problems;
    for (std::size_t i = 0; i < lab::kTableCount; ++i) {
        const auto id = static_cast<lab::TableId>(i);
        const std::string& path = lab::TableFileName(settings, id);
        const lab::TableFamily family = lab::FamilyOf(id);
        // Only the tables of the instruments the station reads.
        if (path.empty() || !lab::TableSwitchOn(settings, family) ||
            !lab::StreamInUse(settings, lab::StreamOf(family))) {
            continue;
        }
        const lab::CalParseResult parsed = lab::ReadCalFile(path);
        if (parsed.ok && !parsed.rows.empty()) continue;
        const std::string reason =
            parsed.ok ? path + " holds no rows" : lab::CalLoadFailureMessage(parsed, path).text;
        problems.push_back({std::string(lab::TableFileSettingName(id)), OneLine(reason)});
    }
    return problems;
}

// "KEY=DRIFT,SD": the criterion of the kind of quantity KEY names (a dew
// point, a temperature, a pressure, a relative humidity), or why it is none.
struct CriterionOption {
    lab::StabilityQuantity kind = lab::StabilityQuantity::DewOrFrostPoint;
    double drift = 0.0;
    double sd = 0.0;
};

std::optional<CriterionOption> ParseCriterion(const std::string& text, std::string& error) {
    const std::size_t equals = text.find('=');
    const std::size_t comma = text.find(',', equals == std::string::npos ? 0 : equals);
    const std::optional<lab::TrendQuantity> quantity =
        equals == std::string::npos ? std::nullopt : lab::QuantityByKey(text.substr(0, equals));
    if (!quantity) {
        std::string keys;
        for (int q = 0; q < lab::kTrendQuantities; ++q) {
            keys += std::string(keys.empty() ? "" : ", ") +
                    std::string(lab::QuantityInfo(static_cast<lab::TrendQuantity>(q)).key);
        }
        error = "KEY=DRIFT,SD with KEY one of " + keys;
        return std::nullopt;
    }
    // Limits as the settings sheet takes them: above 0, at most 100.
    auto limit = [](const std::string& number) -> std::optional<double> {
        char* end = nullptr;
        const double value = std::strtod(number.c_str(), &end);
        if (number.empty() || end != number.c_str() + number.size() || !(value > 0.0 && value <= 100.0)) {
            return std::nullopt;
        }
        return value;
    };
    const std::optional<double> drift =
        comma == std::string::npos ? std::nullopt : limit(text.substr(equals + 1, comma - equals - 1));
    const std::optional<double> sd = comma == std::string::npos ? std::nullopt : limit(text.substr(comma + 1));
    if (!drift || !sd) {
        error = "DRIFT and SD are numbers above 0 and at most 100, in the quantity's unit (K, kPa, %) per minute "
                "and in it";
        return std::nullopt;
    }
    return CriterionOption{lab::QuantityInfo(*quantity).kind, *drift, *sd};
}

// A number from `low` to `high`. "nan" reads as a number and passes every
// comparison: a window of NaN minutes would never judge the station stable.
CLI::Validator FiniteRange(double low, double high) {
    return CLI::Validator(
        [low, high](std::string& text) -> std::string {
            double value = 0.0;
            if (CLI::detail::lexical_cast(text, value) && std::isfinite(value) && value >= low && value <= high) {
                return {};
            }
            char range[64];
            std::snprintf(range, sizeof range, "a number from %g to %g, not ", low, high);
            return range + MessageQuoted(text);
        },
        "");
}

// The window and criteria of the settings, with those of the command line over them.
std::optional<lab::StabilitySettings> StabilityOverride(const LabRunOptions& options, const Settings& settings) {
    if (options.stabilityWindowOption->count() == 0 && options.criteria.empty()) return std::nullopt;
    lab::StabilitySettings stability = lab::StabilityFromSettings(settings);
    if (options.stabilityWindowOption->count() > 0) {
        stability.windowMs = std::llround(options.stabilityWindow * 60000.0);
    }
    for (const std::string& text : options.criteria) {
        std::string ignored;
        const std::optional<CriterionOption> criterion = ParseCriterion(text, ignored);
        lab::StabilityCriterion& limits = stability.For(criterion->kind);
        limits.driftLimit = criterion->drift;
        limits.sdLimit = criterion->sd;
    }
    return stability;
}

// The laboratory's printout as it stands at the end: the results sheet and
// the stability sheet with its trend and the measurement record, as the
// desktop program prints them.
void PrintLabPdf(const LaboratoryPage& page, const lab::Clock& clock, const std::string& path, PdfTarget target) {
    const lab::CalendarTime t = clock.LocalTime();
    WritePdfSheets(path, target, LaboratorySheets(page, PrintTime{t.year, t.month, t.day, t.hour, t.minute}));
}

}  // namespace

const char* const kLabRunFooter = R"(Exit status:
  0  the station ran for --seconds, or until SIGINT or SIGTERM, and its calibration run (if any) gave
     its N rows; its files are closed
  1  it could not run or keep what it measured: no instrument could be opened, the settings use no
     external instruments, the data file cannot be opened, a correction table in use cannot be
     loaded (unless --ignore-missing-tables), the calibration run's files could not be created in
     --run-folder, not one result could be computed while it ran, or the --print-pdf file could
     not be written at the end (or there were no results to print)
  2  usage error, or a --print-pdf FILE that can never take a PDF (a folder, a socket)
  3  the station ran and recorded, but the calibration run of --run-folder did not give its N rows:
     it did not start for lack of stability within --longest-wait, it was interrupted (--seconds
     over, SIGINT or SIGTERM, a run file that could not be written) or an observation was missing

The last line on standard error sums up what was kept: records written to the data file and
records skipped (an input stale), calibration runs ended and interrupted or never started.

The station takes everything from the settings store (or --settings FILE), which it only reads, as
the desktop program does: the ports (COMn, through the links in $XDG_CONFIG_HOME/TREVAN/ports/), the
temperature and pressure sources (a pressure entered by hand as stored, unless --pressure), N, the
times, the uncertainties, the correction tables and the data file (SAVE_FILE_NAME while saving is
on: the first record a minute after the start, then one every SAVE_FILE_TIME minutes, appended to
what the file holds). Every recomputation prints one line: the time, the averaged inputs with their
uncertainties and the ten results over water and over ice as the page shows them, or why there are
none; while an input is stale the line starts with "NIEAKTUALNE: <inputs>"; with --json one object per line, the numbers in °C, K, kPa, %, ppm, g/kg, kcal/kg and Pa, with
"calculation" (ok, message number and text), "stale" (the inputs out of date), "stability" (each
quantity in use by its key, dp, t, pb, dp-avg, … rh: drift per minute, sd, p2p and count over the
window, window_min, stable, since HH:MM:SS or null, text) and "station" (stable, since, text: the
dew or frost point and the temperature together), in K, kPa and %. Standard error
tells, once each: an instrument lost and back (with its port), records skipped while an input is
stale and recording resumed, a calculation that fails (message number and text) and works again.

The data file's header is written again only when its columns change, not at every start on the
same file. --record-uncertainties (or SAVE_FILE_UNCERTAINTIES) follows each value column by its
standard uncertainty, u(...) in the same unit; SAVE_FILE_BOM starts a new or emptied CSV file with a
UTF-8 byte-order mark for spreadsheets. --temperature-unit, --pressure-unit and --enthalpy-unit are
the page's unit lists: the lines, the data file and the run files show their values in them; the
JSON numbers stay in °C, K, kPa and kcal/kg (its texts and "unit" follow the lists). The summary of
a run ends with the uncertainty budget of each average and the expanded uncertainty (k = 2).

Stability is judged over the settings' window and limits unless --stability-window and --criterion
give others (KEY=DRIFT,SD sets the limits of every quantity of KEY's kind: dew point, temperature,
pressure or relative humidity). With --start-when-stable the calibration run starts after its delay
only once the station is stable; not stable within --longest-wait minutes, it ends without a row,
its files saying so with the verdict. Each row of the series file ends with the drift and the
standard deviation of DP/FP and T at its moment; the summary gives them over the run and whether
the station was stable throughout. A row taken while an input was stale ends with
"nieaktualne: <inputs>", and the summary counts such rows. --print-pdf writes the printout at the end as "Drukuj" prints it:
a new or regular file is replaced only once the PDF is complete, a pipe or a character device is
written into, /dev/stdout gets the PDF instead of the lines.

Examples:
  wegator-cli lab run --seconds 600
  wegator-cli lab run --settings lab.reg --json --run-folder runs --run-delay 30
  wegator-cli lab run --run-folder runs --start-when-stable --longest-wait 90 --criterion dp=0.01,0.01
  wegator-cli lab run --seconds 3600 --stability-window 5 --print-pdf station.pdf
  wegator-cli lab run --temperature-unit F --pressure-unit hPa --record-uncertainties)";

void AddLabRunOptions(CLI::App& run, LabRunOptions& o) {
    run.add_option("--settings", o.settingsFile,
                   "Settings store to use (default: the user's, " + SettingsStorePath().string() + ")")
        ->type_name("FILE")
        ->check(CLI::ExistingFile.description(""));
    run.add_option("--seconds", o.seconds, "Stop after this many seconds (default: at SIGINT or SIGTERM)")
        ->type_name("N")
        ->check(CLI::Range(1, 100000000).description(""));
    run.add_flag("--json", o.json, "One JSON object per recomputation instead of a text line");
    o.pressureOption = run.add_option("--pressure", o.pressure,
                                      "Barometric pressure in kPa, when the settings enter it by hand "
                                      "(SETTINGS_PORT_PRESS_DEVICE=1)")
                           ->type_name("KPA")
                           ->check(FiniteRange(3.0, 20000.0));
    run.add_option("--pressure-uncertainty", o.pressureUncertainty, "Its standard uncertainty in kPa (default 0)")
        ->type_name("KPA")
        ->check(FiniteRange(0.0, 1000.0));
    CLI::Option* runFolder =
        run.add_option("--run-folder", o.runFolder,
                       "Also make one calibration run (\"Kalibracja\") into this folder: N observations, a series "
                       "file and a QX-311 channel file named after its start, a summary at the end")
            ->type_name("DIR")
            ->check(CLI::ExistingDirectory.description(""));
    run.add_option("--run-delay", o.runDelay, "Seconds before the calibration run starts, 0 … 2147483 (default 10)")
        ->type_name("S")
        ->check(CLI::Range(0LL, 2147483LL).description(""));
    run.add_flag("--run-without-dew-point", o.runWithoutDewPoint, "The run's rows hold the temperature only");
    run.add_flag("--ignore-missing-tables", o.ignoreMissingTables,
                 "Run even when a correction table switched on cannot be loaded (its readings go uncorrected, "
                 "every line's status says so and the manifests name it missing)");
    o.stabilityWindowOption =
        run.add_option("--stability-window", o.stabilityWindow,
                       "Minutes of the window stability is judged over, 0.1 … 240 (default: the settings')")
            ->type_name("MIN")
            ->check(FiniteRange(0.1, 240.0));
    run.add_option("--criterion", o.criteria,
                   "Stability limits of the quantities of KEY's kind (dp, t, pb, rh, … as in the JSON): the drift "
                   "per minute and the standard deviation in K, kPa or %; repeatable (default: the settings')")
        ->type_name("KEY=DRIFT,SD")
        ->check(CLI::Validator(
            [](std::string& text) {
                std::string error;
                return ParseCriterion(text, error) ? std::string() : error;
            },
            ""));
    CLI::Option* startWhenStable =
        run.add_flag("--start-when-stable", o.startWhenStable,
                     "The calibration run starts, after its delay, only once the dew or frost point and the "
                     "temperature are stable (default: as the settings say)")
            ->needs(runFolder);
    o.longestWaitOption = run.add_option("--longest-wait", o.longestWait,
                                         "Minutes the run waits for stability at most, 1 … 1440; not stable by "
                                         "then, it ends without a row, saying so (default: the settings')")
                              ->type_name("MIN")
                              ->check(CLI::Range(1, 1440).description(""))
                              ->needs(startWhenStable);
    o.printPdfOption = run.add_option("--print-pdf", o.printPdf,
                                      "At the end, also write the laboratory's printout (the results, the "
                                      "stability sheet with its trend and the measurement record, as \"Drukuj\" "
                                      "prints them) to FILE as an "
                                      "A4 PDF. A pipe or a device is written into; /dev/stdout gets the PDF "
                                      "instead of the lines")
                           ->type_name("FILE");
    run.add_flag("--record-uncertainties", o.recordUncertainties,
                 "Follow each value column of the data file by its standard uncertainty, u(...) in the same unit "
                 "(default: as the settings say, SAVE_FILE_UNCERTAINTIES)");
    AddUnitOptions(run, o.temperatureUnit, o.pressureUnit, o.enthalpyUnit);
}

int RunLabStation(const LabRunOptions& options) {
    // A PDF that could never be written stops the station before it starts.
    const bool printPdf = options.printPdfOption->count() > 0;
    PdfTarget pdfTarget = PdfTarget::File;
    if (printPdf) {
        try {
            pdfTarget = ClassifyPdfTarget(options.printPdf);
        } catch (const UsageError& e) {
            std::cerr << "wegator-cli: " << e.what() << '\n';
            return kExitUsage;
        }
        PreparePdfApplication();
    }
    // Drawing the PDF takes Qt's GUI application (without a display); the
    // station alone needs no more than the core one.
    int argc = 1;
    char name[] = "wegator-cli";
    char* argv[] = {name, nullptr};
    const std::unique_ptr<QCoreApplication> application =
        printPdf ? std::make_unique<QGuiApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);

    // The store belongs to the desktop program: the station reads it and
    // leaves it as it is (no defaults written into it, nothing moved aside).
    const std::filesystem::path store =
        options.settingsFile.empty() ? SettingsStorePath() : std::filesystem::path(options.settingsFile);
    bool understood = false;
    Settings settings = ReadSettingsOnly(store, &understood);
    if (options.recordUncertainties) settings.saveFileUncertainties = 1;
    std::error_code ignored;
    if (!understood && std::filesystem::exists(store, ignored)) {
        std::cerr << "wegator-cli: " << MessageQuoted(store.string()) << " holds no settings that can be read\n";
        return kExitUsage;
    }
    if (settings.settingsLabDevices == 0) {
        std::cerr << "wegator-cli: the settings do not use external instruments (SETTINGS_LAB_DEVICES is 0)\n";
        return kExitNoInstrument;
    }
    const bool handPressureStored = !settings.settingsLabHandPressure.empty();
    if (settings.settingsPortPressDevice != 0 && options.pressureOption->count() == 0 && !handPressureStored) {
        std::cerr << "wegator-cli: the settings enter the pressure by hand and hold none; give it with --pressure\n";
        return kExitUsage;
    }
    // A station left to record on its own must not run for hours keeping
    // nothing: a data file it cannot open, or a correction table it would
    // have to do without, stops it before it starts.
    if (DecodeSaveFileCode(settings.saveFileCode).savingOn && !settings.saveFileName.empty()) {
        const lab::RecordFile::Opened data =
            lab::RecordFile::Open(settings.saveFileName, lab::RecordFile::Mode::OpenOrCreate);
        if (!data.file) {
            std::cerr << "wegator-cli: the data file " << MessageQuoted(settings.saveFileName)
                      << " cannot be opened: " << MessagePrintable(OneLine(data.error)) << '\n';
            return kExitNoInstrument;
        }
    }
    bool tablesMissing = false;
    for (const TableProblem& problem : MissingTables(settings)) {
        std::cerr << "wegator-cli: correction table " << problem.name << ": " << MessagePrintable(OneLine(problem.reason))
                  << '\n';
        tablesMissing = true;
    }
    if (tablesMissing && !options.ignoreMissingTables) {
        std::cerr << "wegator-cli: a correction table in use cannot be loaded; the readings would go uncorrected "
                     "(--ignore-missing-tables runs without it)\n";
        return kExitNoInstrument;
    }

    const StopSignals stopSignals;
    QSocketNotifier signalNotifier(stopSignals.ReadEnd(), QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, application.get(), [] { QCoreApplication::quit(); });

    ConsoleHost host;
    int status = kExitSuccess;
    // Calibration runs that gave their N rows, and those that did not.
    int runsEnded = 0, runsCut = 0;
    {
        QtStation station(host);
        LaboratoryPage& page = station.Page();
        page.ApplySettings(settings);
        // As the desktop's unit lists: the lines, the data file's columns and
        // the run files follow them; the JSON numbers stay in °C, K and kPa.
        page.ChangeTemperatureUnit(*FindUnit(TemperatureUnitChoices(), options.temperatureUnit));
        page.ChangePressureUnit(*FindUnit(PressureUnitChoices(), options.pressureUnit));
        page.ChangeEnthalpyUnit(*FindUnit(EnthalpyUnitChoices(), options.enthalpyUnit));
        page.SetDateFormats(UserDateFormats());
        if (const std::optional<lab::StabilitySettings> stability = StabilityOverride(options, settings)) {
            page.OverrideStability(*stability);
        }
        // The station is judged as the run would be: on the temperature alone
        // when the run leaves the dew point out.
        const bool useDewPoint = options.runFolder.empty() || !options.runWithoutDewPoint;
        // A PDF on standard output takes the place of the lines.
        const bool lines = !(printPdf && pdfTarget == PdfTarget::StandardOutput);
        page.SetRecomputedHandler([&page, &station, json = options.json, useDewPoint, lines] {
            if (!lines) return;
            if (json) {
                PrintJson(page, station.Clock(), useDewPoint);
            } else {
                PrintText(page, station.Clock().LocalTime());
            }
        });
        // Each loss and return, each gap in the records and each change of
        // the calculation's state is told once, as it happens.
        page.SetNoticeHandler([](const LaboratoryPage::Notice& notice) {
            std::cerr << "wegator-cli: ";
            if (notice.kind == LaboratoryPage::Notice::Kind::Calculation && notice.messageId != 0) {
                std::cerr << "message " << notice.messageId << ": ";
            }
            std::cerr << MessagePrintable(OneLine(notice.text)) << std::endl;
        });
        if (options.pressureOption->count() > 0) page.SetHandPressure(options.pressure, options.pressureUncertainty);
        page.SetUp();
        page.Activate();

        QTimer::singleShot(kOpenCheckMs, application.get(), [&] {
            bool anyOpen = false;
            for (lab::Stream s : lab::kAllStreams) {
                if (!page.StreamInUse(s)) continue;
                if (page.Phase(s) == LaboratoryPage::StreamPhase::Open) {
                    anyOpen = true;
                } else if (page.Phase(s) == LaboratoryPage::StreamPhase::Failed) {
                    const std::string reason = lab::StreamPort(settings, s) > 0 ? station.Link().LastError(s)
                                                                                : "the settings name no port for it";
                    std::cerr << "wegator-cli: " << lab::StreamName(s) << ": cannot open its port: "
                              << MessagePrintable(OneLine(reason)) << '\n';
                }
            }
            if (!anyOpen) {
                std::cerr << "wegator-cli: no instrument could be opened\n";
                status = kExitNoInstrument;
                QCoreApplication::quit();
            }
        });

        if (!options.runFolder.empty()) {
            // However the run ends (its N rows, a missing observation, at once
            // on its first row, interrupted), it is said here and its dialog
            // model closes, so that the station goes on averaging.
            page.SetRunEndedHandler([&page, &options, &runsEnded, &runsCut] {
                const lab::CalibrationRun& run = page.Run();
                const char* rows = run.Rows() == 1 ? " row" : " rows";
                const lab::RunEnding::Kind kind = run.LastEnding() ? run.LastEnding()->kind : lab::RunEnding::Kind::Completed;
                ++(kind == lab::RunEnding::Kind::Completed ? runsEnded : runsCut);
                switch (kind) {
                    case lab::RunEnding::Kind::Interrupted:
                        std::cerr << "wegator-cli: calibration run interrupted ("
                                  << InterruptionName(run.LastEnding()->reason) << ") after " << run.Rows() << " of "
                                  << run.PlannedRows() << rows << '\n';
                        break;
                    case lab::RunEnding::Kind::NeverStable:
                        std::cerr << "wegator-cli: calibration run not started: the station was not stable within "
                                  << run.Wait().longestMinutes << " min\n";
                        break;
                    case lab::RunEnding::Kind::Completed:
                    case lab::RunEnding::Kind::MissingObservation:
                        std::cerr << "wegator-cli: calibration run ended after " << run.Rows() << rows << '\n';
                        break;
                }
                page.Run().CloseDialog(true, options.runFolder);
                page.RunDialogClosed();
            });
            page.PrepareRun();
            page.Run().SetUseDewPoint(!options.runWithoutDewPoint);
            lab::CalibrationRun::StabilityWait wait = page.Run().Wait();  // the settings'
            if (options.startWhenStable) wait.on = true;
            if (options.longestWaitOption->count() > 0) wait.longestMinutes = options.longestWait;
            page.Run().SetStabilityWait(wait);
            if (!page.Run().Start(std::to_string(options.runDelay), options.runFolder)) {
                std::cerr << "wegator-cli: no calibration run: its files cannot be created in "
                          << MessageQuoted(options.runFolder)
                          << '\n';
                return kExitNoInstrument;
            }
            std::cerr << "wegator-cli: calibration run into " << MessagePrintable(page.Run().SeriesPath());
            if (wait.on) {
                std::cerr << ", once the station is stable (at most " << wait.longestMinutes << " min after the delay)";
            }
            std::cerr << '\n';
        }
        bool timeUp = false;
        TimeLimit timeLimit([&timeUp] {
            timeUp = true;
            QCoreApplication::quit();
        });
        if (options.seconds > 0) timeLimit.Start(options.seconds);

        application->exec();
        // A run still waiting or going ends its files saying why it stopped.
        page.InterruptRun(status == kExitNoInstrument ? lab::RunInterruption::NoInstrument
                          : timeUp                    ? lab::RunInterruption::TimeLimit
                                                      : lab::RunInterruption::Signal);
        // What waits for the disk gets one more try before the files close.
        page.Data().WriteBacklog();
        if (page.Data().Backlog() > 0) {
            std::cerr << "wegator-cli: " << page.Data().Backlog()
                      << (page.Data().Backlog() == 1 ? " record" : " records") << " could not be written to "
                      << page.Data().Path() << '\n';
        }
        if (status == kExitSuccess && !page.EverComputed()) {
            std::cerr << "wegator-cli: no result could be computed while the station ran\n";
            status = kExitNoInstrument;
        }
        if (printPdf && status == kExitSuccess) {
            if (!page.PrintEnabled()) {
                std::cerr << "wegator-cli: no PDF: the page shows no results to print\n";
                status = kExitNoInstrument;
            } else {
                try {
                    PrintLabPdf(page, station.Clock(), options.printPdf, pdfTarget);
                } catch (const UsageError& e) {
                    std::cerr << "wegator-cli: " << e.what() << '\n';
                    status = kExitNoInstrument;
                }
            }
        }
        // The station did its work; its calibration run did not: a scheduler may repeat the run.
        if (status == kExitSuccess && runsCut > 0) status = kExitRunIncomplete;
        // What a scheduler reading the log needs at a glance, always last.
        std::cerr << "wegator-cli: records written " << page.WrittenRecords() << ", skipped "
                  << page.SkippedRecords() << "; calibration runs ended " << runsEnded
                  << ", interrupted or not started " << runsCut << std::endl;
    }
    return status;
}

}  // namespace wegator::cli
