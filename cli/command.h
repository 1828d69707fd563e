// The frame every subcommand of wegator-cli fits into. A subcommand drives one
// page model: it declares its entry fields (which are both options and batch
// columns), turns a list of edits into one run of the page, and describes
// what the page showed in the three output forms. Parsing, batch files,
// output selection, the PDF printout and exit statuses are shared (main.cpp).
#pragma once

#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <CLI/CLI.hpp>

#include "pages/page_host.h"
#include "pages/print_layout.h"
#include "physics/humidity_engine.h"
#include "text_output.h"

namespace wegator::cli {

// One edit of an entry field: the field's index in Command::FieldNames() and
// the text typed into it.
struct Edit {
    int field = 0;
    std::string text;
};

// The local time a printout made now carries.
inline PrintTime PrintedNow() { return LocalPrintTime(std::chrono::system_clock::now()); }

// A mistake in how the program was called (exit status 2).
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What one run of a page showed.
class Evaluation {
public:
    virtual ~Evaluation() = default;
    // Message boxes in the order the page showed them; empty on success.
    std::vector<RecordingHost::Shown> messages;
    // What the page's "Drukuj" button would print; only after a successful run.
    std::vector<PrintCell> printout;
    // Sheets printed after the page's own (the Monte Carlo figures).
    std::vector<std::vector<PrintCell>> furtherSheets;
    // What failed after the page computed (a Monte Carlo evaluation whose
    // every draw the page refused): one line each on standard error, and the
    // run fails as if the page had shown a message.
    std::vector<std::string> failures;
    bool Succeeded() const { return messages.empty() && failures.empty(); }

    // The human-readable form.
    virtual void WriteTable(std::ostream& out) const = 0;
    // Members of the page's JSON object (the shared members are written by the driver).
    virtual void WriteJsonMembers(JsonWriter& json) const = 0;
    // One CSV row matching Command::CsvHeader() (the message columns are added by the driver).
    virtual std::vector<std::string> CsvCells() const = 0;
    // Cells matching Command::CsvTrailer(), after the message columns.
    virtual std::vector<std::string> CsvTrailerCells() const { return {}; }
};

class Command {
public:
    virtual ~Command() = default;
    virtual std::string Name() const = 0;
    virtual std::string Description() const = 0;
    // Option names (without "--") of the entry fields, which are also the batch columns.
    virtual const std::vector<std::string>& FieldNames() const = 0;
    // Adds every option of the subcommand except the output options.
    virtual void AddOptions(CLI::App& sub) = 0;
    // Examples and notes printed at the end of the subcommand's --help.
    virtual std::string HelpFooter() const = 0;
    // The edits given on the command line, in the order they were given.
    virtual std::vector<Edit> EditsFromOptions(const CLI::App& sub) const = 0;
    // Throws UsageError when a text cannot go into the field at all.
    // `where` names the edit in the message ("--t", "line 3, column t").
    virtual void CheckEdit(const Edit& edit, const std::string& where) const = 0;
    // Opens a fresh page with the chosen settings, makes the edits and computes.
    virtual std::unique_ptr<Evaluation> Evaluate(const std::vector<Edit>& edits) const = 0;
    virtual std::vector<std::string> CsvHeader() const = 0;
    // Columns after the message columns, which a run asks for with an option
    // (so the columns of a run without it never move).
    virtual std::vector<std::string> CsvTrailer() const { return {}; }
    // Whether an empty batch cell of `field` is typed in as an empty text; when
    // not, the field is left as the fresh page has it.
    virtual bool EmptyCellIsTyped(int /*field*/) const { return false; }
    // Options that --batch excludes (the field options, by default).
    virtual std::vector<std::string> BatchExcludedOptions() const { return FieldNames(); }

    // Whether Evaluate also lays out the page's printout. A batch never
    // prints, and after the calculation the layout is the dearest part of a row.
    void SetBuildPrintout(bool build) { buildPrintout_ = build; }
    // The engine's inversions; the plain bisections serve the benchmarks as
    // the baseline the fast ones are measured against.
    void SetInversions(HumidityEngine::Inversions method) { inversions_ = method; }

protected:
    bool buildPrintout_ = true;
    HumidityEngine::Inversions inversions_ = HumidityEngine::Inversions::Fast;
};

// The subcommands, in the order --help lists them.
std::unique_ptr<Command> MakeRelativeHumidityCommand();
std::unique_ptr<Command> MakeMoistureContentCommand();
std::unique_ptr<Command> MakePsychrometerCommand();
std::unique_ptr<Command> MakePressureCommand();

}  // namespace wegator::cli
