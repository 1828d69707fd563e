#include "lab_commands.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "text/string_table.h"
#include "text/strings.h"
#include "command.h"
#include "evaluation_output.h"
#include "input_file.h"
#include "lab/tables/cal_file.h"
#include "lab/base/lab_messages.h"
#include "lab/records/manifest.h"
#include "lab/lines/port_names.h"
#include "lab/lines/stream_decoder.h"
#include "lab_output.h"
#include "lab_reader.h"
#include "serial/port_list.h"

namespace wegator::cli {

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
// "Plik kalibracji nie zawiera żadnego wiersza.": a table that corrects nothing.
constexpr int kCalFileWithoutRows = 1495;

// A message of the program on one line of standard error, nothing in it a terminal could act on.
void ReportMessage(int id, const std::string& text) {
    std::cerr << "wegator-cli: message " << id << ": " << MessagePrintable(OneLine(text)) << '\n';
}

// The table in `file`, or nothing after its message: the checks of a station
// loading its tables (209 unreadable, 1340 too large, 1101 to 1104 a refused
// line), and 1495 for a file without rows, which the station does not run with.
std::optional<lab::CalibrationTable> LoadTable(const std::string& file) {
    const lab::CalParseResult read = lab::ReadCalFile(file);
    // The name as the user gave it may hold anything: it is shown quoted, escaped and cut.
    if (!read.ok) {
        const lab::CalFileMessage message = lab::CalLoadFailureMessage(read, MessageQuoted(file));
        ReportMessage(message.messageId, message.text);
        return std::nullopt;
    }
    if (read.rows.empty()) {
        ReportMessage(kCalFileWithoutRows, std::string(LoadString(kCalFileWithoutRows)) + "\n" + MessageQuoted(file));
        return std::nullopt;
    }
    return lab::CalibrationTable(read.rows);
}

// What each stream is, for the help.
std::string_view StreamTitle(lab::Stream stream) {
    switch (stream) {
        case lab::Stream::Qx310Temperature: return "QX-310 air thermometer";
        case lab::Stream::Qx311: return "QX-311 eight-channel thermometer";
        case lab::Stream::Qx316: return "QX-316 barometer";
        case lab::Stream::Dp30: return "MBW DP30 dew-point hygrometer";
        case lab::Stream::F250: return "ASL F-250 thermometer";
        case lab::Stream::Qx310Environment: return "QX-310 room temperature and humidity";
    }
    return "";
}

std::string StreamNames() {
    std::string names;
    for (const lab::Stream stream : lab::kAllStreams)
        names += (names.empty() ? "" : ", ") + std::string(lab::StreamName(stream));
    return names;
}

std::string ReadInput(const std::string& path) { return ReadInputFile(path, "the recorded lines"); }

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// Every carriage return of the bytes gives one line of output.
int RunDecode(lab::Stream stream, const std::string& bytes, bool json) {
    lab::StreamDecoder decoder(stream);
    decoder.Reset(0);
    int line = 0;
    bool anyAccepted = false;
    const LabTables noTables{};
    for (const char c : bytes) {
        const std::optional<lab::LineResult> result = decoder.Feed(static_cast<std::uint8_t>(c), 0);
        if (!result) continue;
        ++line;
        anyAccepted = anyAccepted || result->reading.has_value();
        if (json) {
            JsonWriter out(std::cout);
            out.BeginObject();
            out.Key("line");
            out.Integer(line);
            out.Member("verdict", lab::VerdictName(result->verdict));
            out.Key("reading");
            if (result->reading) {
                out.BeginObject();
                WriteReadingMembers(out, Correct(*result->reading, noTables));
                out.EndObject();
            } else {
                out.Null();
            }
            out.Key("commands");
            out.BeginArray();
            for (const lab::F250Command command : result->commands) out.String(lab::F250CommandName(command));
            out.EndArray();
            out.EndObject();
            std::cout << '\n';
        } else {
            std::cout << line << "  " << lab::VerdictName(result->verdict);
            if (result->reading) std::cout << "  " << ReadingText(Correct(*result->reading, noTables));
            for (const lab::F250Command command : result->commands) {
                std::cout << "  send " << lab::F250CommandName(command);
            }
            std::cout << '\n';
        }
    }
    return anyAccepted ? kExitSuccess : kExitFailure;
}

int RunPorts(bool json) {
    const std::vector<SerialPortEntry> entries = FindSerialPorts();
    if (!json) {
        std::cout << PortListText(entries).toStdString();
        return kExitSuccess;
    }
    JsonWriter out(std::cout);
    out.BeginArray();
    for (const SerialPortEntry& entry : entries) {
        out.BeginObject();
        out.Member("port", lab::ComName(entry.number));
        out.Key("number");
        out.Integer(entry.number);
        out.Member("device", entry.device.toStdString());
        out.Member("description", entry.description.toStdString());
        out.EndObject();
    }
    out.EndArray();
    std::cout << '\n';
    return kExitSuccess;
}

// A table of the three columns under the editor's headings.
TextTable CalTextTable() {
    TextTable text("rrr");
    text.AddRow({std::string(LoadString(msg::TableValueHeading)), std::string(LoadString(msg::TableCorrectionHeading)),
                 std::string(LoadString(msg::TableUncertaintyHeading))});
    return text;
}

void WriteCalJson(JsonWriter& out, std::string_view key, double x, double correction, double uncertainty) {
    out.BeginObject();
    out.Key(key);
    out.Number(x);
    out.Key("correction");
    out.Number(correction);
    out.Key("uncertainty");
    out.Number(uncertainty);
    out.EndObject();
}

int RunCalShow(const std::string& file, bool json) {
    const std::optional<lab::CalibrationTable> table = LoadTable(file);
    if (!table) return kExitFailure;
    if (json) {
        JsonWriter out(std::cout);
        out.BeginArray();
        for (const lab::CalibrationEntry& row : table->Entries()) {
            WriteCalJson(out, "value", row.value, row.correction, row.uncertainty);
        }
        out.EndArray();
        std::cout << '\n';
        return kExitSuccess;
    }
    TextTable text = CalTextTable();
    for (const lab::CalibrationEntry& row : table->Entries()) {
        text.AddRow({lab::FormatCalNumber(row.value), lab::FormatCalNumber(row.correction),
                     lab::FormatCalNumber(row.uncertainty)});
    }
    text.Write(std::cout);
    return kExitSuccess;
}

// A reading as given on the command line: a decimal number with a point.
double ParseReading(const std::string& text) {
    double value = 0.0;
    const char* begin = text.data();
    if (!text.empty() && text.front() == '+') ++begin;
    const auto [end, error] = std::from_chars(begin, text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        throw UsageError(MessageQuoted(text) + " is no reading: give a number with a point, such as -12.5");
    }
    return value;
}

int RunCalLookup(const std::string& file, const std::vector<std::string>& given, bool json) {
    std::vector<double> readings;
    for (const std::string& text : given) readings.push_back(ParseReading(text));
    const std::optional<lab::CalibrationTable> table = LoadTable(file);
    if (!table) return kExitFailure;
    if (json) {
        JsonWriter out(std::cout);
        out.BeginArray();
        for (const double x : readings) {
            WriteCalJson(out, "reading", x, table->Correction(x), table->Uncertainty(x));
        }
        out.EndArray();
        std::cout << '\n';
        return kExitSuccess;
    }
    TextTable text = CalTextTable();
    for (const double x : readings) {
        text.AddRow({Fixed(x, 3), Fixed(table->Correction(x), 4), Fixed(table->Uncertainty(x), 4)});
    }
    text.Write(std::cout);
    return kExitSuccess;
}

constexpr const char* kReadFooter = R"(Each instrument option names its port: COMn (the link COMn in
$XDG_CONFIG_HOME/TREVAN/ports when there is one, else COM1-32 = /dev/ttyS0-31,
COM33-64 = /dev/ttyUSB0-31, COM65-96 = /dev/ttyACM0-31) or a device path.
Every accepted line prints one reading, corrected when a table is given for
it: dp30, f250, qx310 (the QX-310's air temperature) and qx311-1 ... qx311-8
(the QX-311's channels). The F-250 is sent its input command at the start, on
a reopen and after 10 s without a reading, and "A4" at the end; its dialogue
goes to $XDG_STATE_HOME/TREVAN/F250.txt. The run ends after --count readings
(all instruments together), after --seconds, or on Ctrl-C.

Exit status:
  0  readings were received and the run ended as asked
  1  a port could not be opened or was lost (without --retry), a table was
     refused, or no reading came
  2  usage error, or standard output could not be written

Examples:
  wegator-cli lab read --dp30 COM7 --table dp30=dp30.cal --count 3
  wegator-cli lab read --f250 /dev/ttyUSB0 --f250-input B --seconds 60 --json
  wegator-cli lab read --qx316 COM9 --qx311 COM10 --retry)";

// lab verify: each finding on its own line, the verdict last; what failed
// also on standard error, so that a script's log names it.
int RunVerify(const std::string& file, const lab::RecordedReadOptions& read) {
    const lab::VerifyReport report = lab::VerifyRecorded(file, read);
    for (const lab::VerifyFinding& finding : report.findings) {
        std::cout << (finding.ok ? "  " : "! ") << MessagePrintable(OneLine(finding.text)) << '\n';
        if (!finding.ok) std::cerr << "wegator-cli: " << MessagePrintable(OneLine(finding.text)) << '\n';
    }
    // The verdict names what was checked: the file, its chain or none, the tables.
    std::cout << MessagePrintable(lab::MessageText(report.ok ? lab::msg::VerifyAllHold : lab::msg::VerifyFailed,
                                                   {report.checked.empty() ? MessageQuoted(file) : report.checked}))
              << '\n';
    return report.ok ? kExitSuccess : kExitFailure;
}

constexpr const char* kVerifyFooter = R"(Beside every data file and every calibration run's series file the station
writes a manifest, the same name with ".json" added: the program and its
version, the formulas and psychrometer constants, each correction table in use
with the SHA-256 of its bytes, each instrument with its port, identifier and
uncertainty, the averaging and the recording interval, the file's units and
columns, the start and the computer, and every later settings change.
Beside each file the station also keeps a chain, FILE.chain: one line per line
written (its SHA-256 and a digest over the chain before it) and the reasons
records are missing (stale inputs, no results, a run's delay, a failed write,
a restart), written when they happen.
lab verify reads the file with its manifest and chain: the manifest must name
the file, every table must still have its checksum, every line must be the
record the chain confirms (a changed, missing, added, moved or duplicated
record, a cut end or a missing run summary is named), every gap between
records must be explained, and the file's last header must hold the columns
and units declared. A last record left unconfirmed by a station stopped while
writing is reported, not failed. A file without a chain ("no chain") is
checked as before: records counted, gaps by the records' times.

Exit status: 0 every record holds or is explained; 1 something does not (each
failing line starts with "!" and is repeated on standard error), or the file
or its manifest cannot be read; 2 usage error.

Example:
  wegator-cli lab verify ~/lab/2026-12.txt)";

}  // namespace

struct LabCommands::Options {
    CLI::App* lab = nullptr;
    CLI::App* read = nullptr;
    CLI::App* decode = nullptr;
    CLI::App* ports = nullptr;
    CLI::App* cal = nullptr;
    CLI::App* show = nullptr;
    CLI::App* lookup = nullptr;
    CLI::App* verify = nullptr;

    // lab read
    std::array<std::string, lab::kStreamCount> portNames;
    std::string f250Input = "A";
    std::vector<std::string> tables;
    long long count = 0;
    double seconds = 0.0;
    bool retry = false;
    bool dropped = false;
    // lab decode
    std::string instrument;
    std::string input;
    // cal show, cal lookup
    std::string calFile;
    std::vector<std::string> readings;
    // lab verify
    std::string recordedFile;
    lab::RecordedReadOptions recordedRead;

    bool json = false;
};

LabCommands::LabCommands(CLI::App& app) : options_(std::make_unique<Options>()) {
    Options& o = *options_;
    o.lab = app.add_subcommand("lab", "Instruments on serial ports: read them, decode their bytes, list the ports");
    o.lab->require_subcommand(1, 1);
    o.lab->footer("See wegator-cli lab read --help.");

    o.read = o.lab->add_subcommand("read", "Read instruments on their serial ports and print every reading");
    for (const lab::Stream stream : lab::kAllStreams) {
        const lab::LineSettings line = lab::StreamLineSettings(stream);
        o.read
            ->add_option("--" + std::string(lab::StreamName(stream)), o.portNames[static_cast<std::size_t>(stream)],
                         "Port of the " + std::string(StreamTitle(stream)) + " (" + std::to_string(line.baud) +
                             " baud, " + std::to_string(line.dataBits) + line.parity + std::to_string(line.stopBits) +
                             ")")
            ->type_name("PORT")
            ->group("Instruments");
    }
    o.read->add_option("--f250-input", o.f250Input, "Input the F-250 measures: A or B (default A)")
        ->type_name("A|B")
        ->check(CLI::IsMember({"A", "B"}, CLI::ignore_case).description(""))
        ->group("Instruments");
    o.read
        ->add_option("--table", o.tables,
                     "Correct a stream's readings with a .cal table: dp30, f250, qx310 or qx311-1 ... qx311-8; "
                     "may be given several times")
        ->type_name("NAME=FILE")
        ->group("Instruments");
    o.read->add_option("--count", o.count, "Stop after this many readings")
        ->type_name("N")
        ->check(CLI::PositiveNumber)
        ->group("Run");
    o.read->add_option("--seconds", o.seconds, "Stop after this many seconds")
        ->type_name("S")
        ->check(CLI::Validator(
            [](std::string& text) -> std::string {
                // "nan" and "inf" are read as numbers, and a NaN passes every comparison.
                double seconds = 0.0;
                if (CLI::detail::lexical_cast(text, seconds) && std::isfinite(seconds) && seconds > 0.0) return {};
                return "the seconds are a positive number, not " + MessageExcerpt(text);
            },
            ""))
        ->group("Run");
    o.read
        ->add_flag("--retry", o.retry,
                   "Keep trying a port that cannot be opened or vanishes (an adapter pulled, an instrument off); "
                   "the loss and the reopening are reported once each")
        ->group("Run");
    o.read->add_flag("--dropped", o.dropped, "Report every dropped line with its reason on standard error")
        ->group("Output");
    o.read
        ->add_flag("--json", o.json,
                   "One JSON object per reading: time, port, stream, raw, correction, value, uncertainty, unit")
        ->group("Output");
    o.read->footer(kReadFooter);

    o.decode = o.lab->add_subcommand(
        "decode",
        "Run an instrument's line decoder over bytes from a file: one line per carriage return, with the "
        "verdict and the reading");
    std::vector<std::string> streams;
    for (const lab::Stream stream : lab::kAllStreams) streams.emplace_back(lab::StreamName(stream));
    o.decode->add_option("--instrument", o.instrument, "The stream the bytes come from: " + StreamNames())
        ->required()
        ->type_name("NAME")
        ->check(CLI::IsMember(streams).description(""));
    o.decode->add_option("FILE", o.input, "The bytes (\"-\" reads standard input)")->required();
    o.decode->add_flag("--json", o.json, "One JSON object per line");
    o.decode->footer(R"(The bytes are fed to the decoder as if every line came in time, so no line
is late. Each carriage return prints one line: its number, the verdict
(accepted, late, overlong, length, lead, parity, flags, digit, channel,
format, kind) and, when accepted, the reading; for the F-250 also the
commands the program would send ("send U0").

Exit status: 0 at least one line was accepted, 1 none was, 2 usage error or
an unreadable file.

Example:
  printf 'R**B* 012.34\r' | wegator-cli lab decode --instrument dp30 -)");

    o.ports =
        o.lab->add_subcommand("ports", "List the serial ports as the settings offer them: COMn:device[: description]");
    o.ports->add_flag("--json", o.json, "A JSON array of ports");
    o.verify = o.lab->add_subcommand(
        "verify", "Check a recorded data file or run series against its manifest (FILE.json beside it)");
    o.verify->add_option("FILE", o.recordedFile, "The data file or the run's series file")->required();
    o.verify->footer(kVerifyFooter);

    o.cal = app.add_subcommand("cal", "Correction tables (.cal files): show them and look corrections up");
    o.cal->require_subcommand(1, 1);
    o.cal->footer(R"(A .cal file holds one point per line: value;correction;uncertainty, with a
point as the decimal sign, such as "-10.000;0.125;0.020". Between two points
the correction and its uncertainty are interpolated linearly; beyond the
first and the last point, that point's values hold.

Examples:
  wegator-cli cal show dp30.cal
  wegator-cli cal lookup dp30.cal 5 12.5 -3)");
    o.show = o.cal->add_subcommand("show", "Print the rows of a .cal table");
    o.show->add_option("FILE", o.calFile, "The .cal file")->required();
    o.show->add_flag("--json", o.json, "A JSON array of rows");
    o.lookup = o.cal->add_subcommand("lookup", "The interpolated correction and uncertainty at each reading");
    o.lookup->add_option("FILE", o.calFile, "The .cal file")->required();
    o.lookup->add_option("READING", o.readings, "Readings, with a point as the decimal sign")->required();
    o.lookup->add_flag("--json", o.json, "A JSON array of look-ups");
    for (CLI::App* cal : {o.show, o.lookup}) {
        cal->footer(R"(The table is checked as the station checks the tables it loads.

Exit status: 0 done; 1 the table was refused: it cannot be read (message
209), it is over 16 MiB (1340), it holds no row (1495), or a line is refused
(its message names the line): 1101 not three numbers, 1102 a negative
uncertainty, 1103 the value of an earlier line (to three decimals), 1104 a
number outside -1000000 to 1000000; 2 usage error.)");
    }
}

LabCommands::~LabCommands() = default;

void LabCommands::SetRecordedReadOptions(lab::RecordedReadOptions options) {
    options_->recordedRead = std::move(options);
}

std::optional<int> LabCommands::Run() {
    Options& o = *options_;
    if (o.read->parsed()) {
        LabReadOptions read;
        for (const lab::Stream stream : lab::kAllStreams) {
            const std::string& name = o.portNames[static_cast<std::size_t>(stream)];
            if (!name.empty()) read.ports.push_back({stream, name});
        }
        if (read.ports.empty()) {
            std::string options;
            for (const lab::Stream stream : lab::kAllStreams) {
                options += (options.empty() ? "--" : ", --") + std::string(lab::StreamName(stream));
            }
            throw UsageError("lab read needs at least one instrument port: " + options);
        }
        read.f250Input = o.f250Input == "B" || o.f250Input == "b" ? lab::F250Command::InputB : lab::F250Command::InputA;
        bool tablesLoaded = true;
        for (const std::string& given : o.tables) {
            const std::size_t equals = given.find('=');
            const auto id = LabTableFromName(given.substr(0, equals));
            if (equals == std::string::npos || !id || equals + 1 == given.size()) {
                throw UsageError("--table takes NAME=FILE with NAME dp30, f250, qx310 or qx311-1 ... qx311-8, not " +
                                 MessageQuoted(given));
            }
            auto& slot = read.tables[static_cast<std::size_t>(*id)];
            if (slot) throw UsageError("--table " + std::string(LabTableName(*id)) + " is given twice");
            slot = LoadTable(given.substr(equals + 1));
            tablesLoaded = tablesLoaded && slot.has_value();
        }
        if (!tablesLoaded) return kExitFailure;
        if (o.read->get_option("--count")->count() > 0) read.count = o.count;
        if (o.read->get_option("--seconds")->count() > 0) read.seconds = o.seconds;
        read.retry = o.retry;
        read.json = o.json;
        read.dropped = o.dropped;
        return RunLabRead(read);
    }
    if (o.decode->parsed()) return RunDecode(*lab::StreamFromName(o.instrument), ReadInput(o.input), o.json);
    if (o.ports->parsed()) return RunPorts(o.json);
    if (o.verify->parsed()) return RunVerify(o.recordedFile, o.recordedRead);
    if (o.show->parsed()) return RunCalShow(o.calFile, o.json);
    if (o.lookup->parsed()) return RunCalLookup(o.calFile, o.readings, o.json);
    return std::nullopt;
}

}  // namespace wegator::cli
