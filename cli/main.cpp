// wegator-cli: the calculator pages of wegator driven from the command line.
// Each subcommand opens a fresh page, types the given texts into its fields in
// the given order, presses "Oblicz" and prints what the page shows; on request
// it also writes what the page's "Drukuj" button prints to a PDF.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QString>
#include <QtGlobal>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <span>

#include "app/files.h"
#include "app/settings_store.h"
#include "command.h"
#include "csv_reader.h"
#include "digest/qt_file_digest.h"
#include "evaluation_output.h"
#include "input_file.h"
#include "lab_commands.h"
#include "language.h"
#include "lab_run.h"
#include "options.h"
#include "plot_command.h"
#include "station/qt_station.h"
#include "pdf_output.h"
#include "wegator_version.h"

namespace wegator::cli {

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitMessage = 1;
constexpr int kExitUsage = 2;

struct OutputOptions {
    bool json = false;
    bool csv = false;
    std::string batch;
    CLI::Option* batchOption = nullptr;
    std::string printPdf;
    CLI::Option* printPdfOption = nullptr;
};

struct Subcommand {
    std::unique_ptr<Command> command;
    CLI::App* app = nullptr;
    OutputOptions output;
};

void AddOutputOptions(CLI::App& sub, const Command& command, OutputOptions& output) {
    const std::string group = "Output";
    auto* json = sub.add_flag("--json", output.json, "Print a JSON object (an array of objects with --batch)")
                     ->group(group);
    sub.add_flag("--csv", output.csv, "Print a CSV header and one row (the form --batch always uses)")
        ->group(group)
        ->excludes(json);
    output.batchOption =
        sub.add_option("--batch", output.batch,
                       "Compute every row of a CSV file (\"-\" reads standard input); the header names the "
                       "columns (" + [&] {
                           std::string names;
                           for (const auto& n : command.FieldNames()) names += (names.empty() ? "" : ",") + n;
                           return names;
                       }() + "), empty cells are empty fields; output is CSV, or JSON with --json")
            ->type_name("FILE")
            ->group(group);
    const bool monteCarlo = sub.get_option_no_throw("--monte-carlo") != nullptr;
    output.printPdfOption =
        sub.add_option("--print-pdf", output.printPdf,
                       "After a successful computation, also write the page's printout (the sheet its "
                       "\"Drukuj\" button prints) to FILE as a one-page A4 PDF" +
                           std::string(monteCarlo ? " (with --monte-carlo, a second page of its figures)" : "") +
                           "; nothing is written when the page shows a message. A pipe or a device is written "
                           "into; /dev/stdout gets the PDF instead of the usual output")
            ->type_name("FILE")
            ->group(group);
}

// --batch takes the entry fields from its file; the field options cannot come with it.
void CheckBatchExclusions(const Subcommand& sub) {
    if (sub.output.batchOption->count() == 0) return;
    if (sub.output.printPdfOption->count() > 0) {
        throw UsageError("--print-pdf writes the printout of a single page and cannot be combined with --batch");
    }
    for (const auto& name : sub.command->BatchExcludedOptions()) {
        const CLI::Option* option = sub.app->get_option_no_throw("--" + name);
        if (option != nullptr && option->count() > 0) {
            throw UsageError("--batch takes the fields from its file and cannot be combined with --" + name);
        }
    }
}

// Writes the page's printout as a PDF (see pdf_output.h). Qt's own
// command-line options are not the user's: the application gets the program
// name only. Throws UsageError when the PDF cannot be written.
void WritePdf(const std::string& path, PdfTarget target, const Evaluation& evaluation) {
    PreparePdfApplication();
    int argc = 1;
    char name[] = "wegator-cli";
    char* argv[] = {name, nullptr};
    const QGuiApplication application(argc, argv);
    std::vector<PrintSheet> sheets(1);
    sheets.front().cells = evaluation.printout;
    for (const auto& cells : evaluation.furtherSheets) sheets.push_back({cells, std::nullopt});
    WritePdfSheets(path, target, sheets);
}

int RunSingle(const Subcommand& sub) {
    std::vector<Edit> edits = sub.command->EditsFromOptions(*sub.app);
    for (Edit& edit : edits) {
        edit.text = TrimBlanks(edit.text);
        sub.command->CheckEdit(edit, "--" + sub.command->FieldNames()[static_cast<std::size_t>(edit.field)]);
    }
    const bool printPdf = sub.output.printPdfOption->count() > 0;
    const PdfTarget pdfTarget = printPdf ? ClassifyPdfTarget(sub.output.printPdf) : PdfTarget::File;
    const auto evaluation = sub.command->Evaluate(edits);
    // The PDF comes first: when it cannot be written, the run stops before any output.
    const bool pdfWritten = printPdf && evaluation->messages.empty();
    if (pdfWritten) WritePdf(sub.output.printPdf, pdfTarget, *evaluation);
    if (pdfWritten && pdfTarget == PdfTarget::StandardOutput) {
        // The PDF is the output.
    } else if (sub.output.json) {
        JsonWriter json(std::cout);
        WriteJson(json, *sub.command, *evaluation, 0);
        std::cout << '\n';
    } else if (sub.output.csv) {
        WriteCsvRow(std::cout, CsvHeader(*sub.command));
        WriteCsvRow(std::cout, CsvCells(*evaluation));
    } else if (evaluation->messages.empty()) {
        evaluation->WriteTable(std::cout);
    }
    ReportMessages(std::cerr, *evaluation, "");
    return evaluation->Succeeded() ? kExitSuccess : kExitMessage;
}

int RunBatch(const Subcommand& sub) {
    TwoPassInput input(sub.output.batch, "the batch file");
    sub.command->SetBuildPrintout(false);
    return RunBatchRows(*sub.command, input, sub.output.json, std::cout, std::cerr) ? kExitSuccess : kExitMessage;
}

constexpr const char* kFooter = R"(Exit status:
  0  the page computed its results (with --batch: every row did)
  1  the page showed a message, printed on standard error as
     "wegator-cli: message <id>: <text>" (with --batch: at least one row did;
     the message_id and message columns say which)
  2  usage error: unknown option, missing value, bad unit or option value,
     a text that cannot be typed into a field, an unreadable batch file, a
     --print-pdf file that cannot be written (nothing else is printed then);
     also when standard output cannot be written

Each subcommand opens a fresh page, types the given texts into its fields (in
command-line order), presses "Oblicz" and prints the page's texts: an aligned
table by default (nothing when the page showed a message), or with --json and
--csv the page's state in any case. Messages, captions and headings are the
program's own texts, in the language the desktop program keeps in the
settings (Polish when none was chosen yet), or as --lang says. --print-pdf FILE also writes the page's printout, as its "Drukuj"
button would print it, to a PDF (not with --batch): a new or regular file is
replaced only once the PDF is complete, a pipe or a character device is
written into, and /dev/stdout (or the file standard output goes to) gets the
PDF instead of the usual output.

Examples:
  wegator-cli rh --p1 101.325 --p2 101.325 --dp 10 --t 20
  wegator-cli rh --p1 100 --p2 100 --t 25 --rh 40 --json
  wegator-cli --lang en rh --p1 100 --p2 100 --t 10 --dp 20
  wegator-cli moisture --quantity ppmv --content 5000 --t 20 --p1 100 --p2 200
  wegator-cli psychro --pb 101.325 --t 20 --tw 15 --print-pdf reading.pdf
  wegator-cli pressure --value 1 --unit atm
  wegator-cli moisture --help)";

// CLI11's messages repeat the command line as given: every argument that is
// long or holds control characters is put in its message-safe form, and
// whatever else could act on a terminal is escaped.
std::string SafeParseMessage(std::string message, std::span<char* const> args) {
    std::vector<std::string> texts;
    for (const char* arg : args) {
        const std::string text = arg;
        texts.push_back(text);
        // "--option=value" reaches the message as its value alone.
        if (text.starts_with("-") && text.find('=') != std::string::npos)
            texts.push_back(text.substr(text.find('=') + 1));
    }
    std::sort(texts.begin(), texts.end(), [](const auto& a, const auto& b) { return a.size() > b.size(); });
    for (const std::string& text : texts) {
        const std::string safe = MessageExcerpt(text);
        if (safe == text) continue;
        for (std::size_t at = message.find(text); at != std::string::npos; at = message.find(text, at + safe.size())) {
            message.replace(at, text.size(), safe);
        }
    }
    // The line breaks left are CLI11's own.
    std::string safe;
    for (std::size_t start = 0; start < message.size();) {
        const std::size_t end = std::min(message.find('\n', start), message.size());
        safe += MessagePrintable(std::string_view(message).substr(start, end - start));
        if (end < message.size()) safe += '\n';
        start = end + 1;
    }
    return safe;
}

int Main(int argc, char** argv) {
    InstallQtFileDigest();
    CLI::App app{"wegator-cli: the calculator pages of wegator (relative humidity, moisture content, "
                 "psychrometer, pressure), its laboratory station (lab run), instruments (lab) and correction "
                 "tables (cal) on the command line",
                 "wegator-cli"};
    app.require_subcommand(1, 1);
    app.set_version_flag("--version", std::string("wegator-cli ") + kVersion, "Print the program's version and exit");
    app.footer(kFooter);
    app.get_formatter()->column_width(34);
    std::string language;
    app.add_option("--lang", language,
                   "Language of messages, captions and headings: pl or en (default: the one of the settings, "
                   "else pl); before the command")
        ->type_name("pl|en")
        ->check(CLI::IsMember({"pl", "en"}).description(""));
    app.failure_message([args = std::span<char* const>(argv, static_cast<std::size_t>(argc))](const CLI::App* failed,
                                                                                              const CLI::Error& e) {
        return SafeParseMessage("wegator-cli: " + CLI::FailureMessage::simple(failed, e), args.subspan(1));
    });

    std::vector<Subcommand> subcommands;
    subcommands.push_back({MakeRelativeHumidityCommand(), nullptr, {}});
    subcommands.push_back({MakeMoistureContentCommand(), nullptr, {}});
    subcommands.push_back({MakePsychrometerCommand(), nullptr, {}});
    subcommands.push_back({MakePressureCommand(), nullptr, {}});
    for (Subcommand& sub : subcommands) {
        sub.app = app.add_subcommand(sub.command->Name(), sub.command->Description());
        sub.command->AddOptions(*sub.app);
        AddOutputOptions(*sub.app, *sub.command, sub.output);
        sub.app->footer(sub.command->HelpFooter());
    }
    LabCommands lab(app);

    // The laboratory station without a window: "lab run".
    const auto labs = app.get_subcommands([](const CLI::App* sub) { return sub->get_name() == "lab"; });
    CLI::App* labApp = labs.empty() ? app.add_subcommand("lab", "The laboratory station and its instruments")
                                    : labs.front();
    labApp->require_subcommand(1, 1);
    LabRunOptions labRun;
    CLI::App* labRunApp = labApp->add_subcommand(
        "run", "Run the laboratory station headless: read the instruments the settings name, average, "
               "recompute, record the data file and, with --run-folder, one calibration run");
    AddLabRunOptions(*labRunApp, labRun);
    labRunApp->footer(kLabRunFooter);
    PlotOptions plot;
    CLI::App* plotApp = AddPlotCommand(app, plot);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? kExitSuccess : kExitUsage;
    }
    const std::filesystem::path store = labRunApp->parsed() && !labRun.settingsFile.empty()
                                            ? std::filesystem::path(labRun.settingsFile)
                                            : SettingsStorePath();
    if (CommandLineLanguage(language, store) == "en" && !UseEnglish()) {
        std::cerr << "wegator-cli: the English texts cannot be loaded; the texts stay Polish\n";
    }
    if (labRunApp->parsed()) return RunLabStation(labRun);
    if (plotApp->parsed()) return RunPlot(plot);
    lab::RecordedReadOptions recorded;
    recorded.dateFormats = UserDateFormats();
    if (const StringLookup english = EnglishTexts()) recorded.languages.push_back(english);
    lab.SetRecordedReadOptions(std::move(recorded));
    try {
        if (const std::optional<int> status = lab.Run()) return *status;
        for (const Subcommand& sub : subcommands) {
            if (!sub.app->parsed()) continue;
            CheckBatchExclusions(sub);
            return sub.output.batchOption->count() > 0 ? RunBatch(sub) : RunSingle(sub);
        }
    } catch (const UsageError& e) {
        std::cerr << "wegator-cli: " << e.what() << '\n';
        return kExitUsage;
    }
    return kExitUsage;
}

}  // namespace

}  // namespace wegator::cli

// Whatever was printed must have reached standard output: a full disk, a
// closed pipe or /dev/full turn a run that printed nothing into a failure.
int main(int argc, char** argv) {
    const int status = wegator::cli::Main(argc, argv);
    errno = 0;
    std::cout.flush();
    if (std::cout.good() && std::fflush(stdout) == 0 && std::ferror(stdout) == 0) return status;
    const int error = errno;
    std::cerr << "wegator-cli: cannot write to standard output" << (error != 0 ? ": " : "")
              << (error != 0 ? std::strerror(error) : "") << '\n';
    return wegator::cli::kExitUsage;
}
