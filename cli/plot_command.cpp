#include "plot_command.h"

#include <sys/stat.h>

#include <QByteArray>
#include <QGuiApplication>
#include <QString>
#include <QtGlobal>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <vector>

#include "chart/trend_painter.h"
#include "command.h"
#include "evaluation_output.h"
#include "lab/base/lab_messages.h"
#include "lab/records/recorded_file.h"
#include "lab/records/regular_file.h"
#include "language.h"
#include "station/qt_station.h"
#include "text_output.h"

namespace wegator::cli {

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitMessage = 1;
constexpr int kExitUsage = 2;
// The chart's own text for a picture type it cannot write.
constexpr int kUnknownPictureType = 1447;

// Numbers on the command line's charts carry the point, as everything else
// the command line prints.
constexpr char kDecimalSign = '.';

std::string Stamp(std::int64_t ms) { return lab::FormatCalendar("yyyy-MM-dd HH:mm:ss", lab::CalendarFromMs(ms)); }

// The time a --from or --to names; a time of day alone falls on the day of
// the file's last reading.
std::int64_t ChartTimeOption(const std::string& text, const char* option, std::int64_t lastReading) {
    for (const char* pattern : {"yyyy-M-d H:m:s", "yyyy-M-d H:m"}) {
        if (const auto t = lab::ParseCalendar(pattern, text)) return lab::CalendarMs(*t);
    }
    for (const char* pattern : {"H:m:s", "H:m"}) {
        if (auto t = lab::ParseCalendar(pattern, text)) {
            const lab::CalendarTime day = lab::CalendarFromMs(lastReading);
            t->year = day.year;
            t->month = day.month;
            t->day = day.day;
            return lab::CalendarMs(*t);
        }
    }
    throw UsageError(std::string(option) + ": " + lab::MessageText(lab::msg::PlotBadTime, {MessageExcerpt(text)}));
}

std::vector<std::string> CommaList(const std::string& text) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(',', start), text.size());
        std::string name = text.substr(start, end - start);
        name.erase(0, name.find_first_not_of(' '));
        name.erase(name.find_last_not_of(' ') + 1);
        if (!name.empty()) names.push_back(name);
        start = end + 1;
    }
    return names;
}

// A bound of the value axis with as many decimals as its tick labels show.
std::string AxisNumber(double value, const std::vector<std::string>& tickLabels) {
    int decimals = 0;
    if (!tickLabels.empty()) {
        const std::size_t sign = tickLabels.front().find(kDecimalSign);
        if (sign != std::string::npos) decimals = static_cast<int>(tickLabels.front().size() - sign - 1);
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

void PrintSummary(const lab::TrendChart& chart) {
    for (std::size_t p = 0; p < chart.panels.size(); ++p) {
        const lab::ChartPanel& panel = chart.panels[p];
        // Names and units come from the file's header: whatever it holds is
        // shown escaped and cut, never sent to the terminal as it is.
        std::string names;
        for (const lab::ChartLine& line : panel.lines)
            names += (names.empty() ? "" : ", ") + MessageExcerpt(line.label);
        std::string ticks;
        for (const std::string& label : panel.tickLabels) {
            if (!label.empty()) ticks += (ticks.empty() ? "" : " ") + label;  // a label left out for want of room
        }
        std::cout << lab::MessageText(lab::msg::PlotPanel,
                                      {std::to_string(p + 1) + " (" + names + ")", MessageExcerpt(panel.unit),
                                       AxisNumber(panel.axis.low, panel.tickLabels),
                                       AxisNumber(panel.axis.high, panel.tickLabels), ticks})
                  << '\n';
    }
    std::cout << lab::MessageText(lab::msg::PlotTime, {Stamp(chart.from), Stamp(chart.to)}) << '\n';
}

// Qt draws the picture and needs an application object to find fonts; it
// runs without a display on the "offscreen" platform unless the environment
// chooses another, and keeps its notes on the environment to itself.
void PrepareApplication() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) {
            std::cerr << "wegator-cli: " << OneLine(text.toStdString()) << '\n';
        }
    });
}

int Refuse(int id, const std::string& text) {
    std::cerr << "wegator-cli: message " << id << ": " << MessagePrintable(OneLine(text)) << '\n';
    return kExitMessage;
}

// The picture goes into a folder that is there already (a mistyped folder is
// not made), and in place of nothing or of a regular file.
void CheckPicturePlace(const std::string& out) {
    const std::filesystem::path path(out);
    const std::string extension = path.extension().string();
    if (extension != ".png" && extension != ".svg" && extension != ".pdf") {
        throw UsageError("--out: " + lab::MessageText(kUnknownPictureType, {MessageExcerpt(extension)}));
    }
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    struct stat status {};
    if (::stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
        throw UsageError("--out: " + lab::MessageText(lab::msg::PlotNoFolder, {MessageQuoted(folder.string())}));
    }
    if (::stat(out.c_str(), &status) == 0) {
        if (const auto reason = lab::NotARegularFile(status.st_mode)) {
            throw UsageError("--out " + MessageQuoted(out) + ": " + reason->second);
        }
    }
}

int Plot(const PlotOptions& o) {
    CheckPicturePlace(o.out);

    lab::RecordedReadOptions read;
    read.dateFormats = UserDateFormats();
    if (const StringLookup english = EnglishTexts()) read.languages.push_back(english);
    const lab::RecordedReading reading = lab::ReadRecordedFile(o.file, read);
    if (!reading.file) return Refuse(reading.errorId, MessageQuoted(o.file) + ": " + reading.error);
    const lab::RecordedFile& file = *reading.file;

    std::string unknown;
    const auto columns = lab::SelectRecordedColumns(file, CommaList(o.quantities), &unknown);
    if (!columns) {
        throw UsageError("--quantities: " + lab::MessageText(lab::msg::PlotNoColumn, {MessageExcerpt(unknown)}));
    }
    const auto span = lab::RecordedSpan(file, *columns);
    if (!span) return Refuse(lab::msg::PlotNothingInTime, lab::MessageText(lab::msg::PlotNothingInTime));
    std::int64_t from = o.from.empty() ? span->first : ChartTimeOption(o.from, "--from", span->second);
    std::int64_t to = o.to.empty() ? span->second : ChartTimeOption(o.to, "--to", span->second);
    if (to < from) throw UsageError("--from " + MessageQuoted(o.from) + " > --to " + MessageQuoted(o.to));
    // A single reading still gets a minute of time around it.
    if (to == from) {
        from -= 30000;
        to += 30000;
    }

    lab::TrendChartRequest request =
        lab::RecordedChartRequest(file, *columns, from, to, static_cast<std::size_t>(o.width), kDecimalSign);
    request.title = std::filesystem::path(o.file).filename().string();
    lab::TrendChart chart = lab::BuildTrendChart(lab::RecordedSource(file), request);
    if (chart.Empty()) return Refuse(lab::msg::PlotNothingInTime, lab::MessageText(lab::msg::PlotNothingInTime));

    PrepareApplication();
    int argc = 1;
    char name[] = "wegator-cli";
    char* argv[] = {name, nullptr};
    const QGuiApplication application(argc, argv);
    // The axes the picture has room for, so the summary tells what it shows.
    FitTrendChart(chart, QSize(o.width, o.height));
    std::string error;
    if (!WriteTrendChart(o.out, chart, QSize(o.width, o.height), &error)) {
        throw UsageError("--out " + MessageQuoted(o.out) + ": " + error);
    }
    PrintSummary(chart);
    std::cout << lab::MessageText(lab::msg::PlotWritten, {MessagePrintable(o.out)}) << '\n';
    return kExitSuccess;
}

constexpr const char* kPlotFooter = R"(Prints, per panel (one per unit), its columns, unit, value axis and tick
labels, then the time range drawn and the file written. Numbers carry the
point; names and units from the file are shown escaped and cut. Only a
regular file of at most %s is read, and never a pipe or a device.
Restarts of the station (a header repeated in a data file) are drawn as
markers. A run's series file gives the times of its first and last
observation only: its rows are spread evenly between them (a run still going
is timed from the moment in its file's name to the file's last change).

Exit status:
  0  the chart was written
  1  the file cannot be read (its message names the line: message 1450 to
     1457), is a folder (1490), a pipe or a socket (1491), a device (1492)
     or over %s (1493), or nothing in it falls into the chosen
     time (1468); no picture
  2  usage error: unknown option, a column not in the file, an unreadable
     time, another picture type, a picture that cannot be written or whose
     folder is not there (1494)

Examples:
  wegator-cli plot lab.txt --out lab.png
  wegator-cli plot lab.csv --out morning.svg --quantities dp-avg,t-avg --from 08:00 --to 12:00
  wegator-cli plot 2026_12_07_10_15_00.txt --out run.pdf --width 1600 --height 900)";

}  // namespace

CLI::App* AddPlotCommand(CLI::App& app, PlotOptions& o) {
    CLI::App* plot =
        app.add_subcommand("plot",
                           "Draw a file the station recorded (its data file, or a calibration run's series file) as a "
                           "trend chart into a PNG, SVG or PDF file");
    plot->add_option("FILE", o.file, "The recorded file: a data file (text or CSV) or a run's series file")->required();
    plot->add_option("--out", o.out, "The picture to write; its extension (.png, .svg, .pdf) chooses the format")
        ->type_name("OUT")
        ->required();
    plot->add_option("--quantities", o.quantities,
                     "Columns to draw, separated by commas: a column's name as its header gives it (\"T wejście\", "
                     "\"Temp3\") or the key of a station quantity (dp-avg, t-avg, pb-avg, dp-result, rh, "
                     "t-result; t, dp, ch1 … ch8, spread in a run's files); default: every column with a reading")
        ->type_name("A,B,…");
    plot->add_option("--from", o.from,
                     "Start of the chart: \"HH:MM[:SS]\" (on the day of the file's last reading) or "
                     "\"YYYY-MM-DD HH:MM[:SS]\"; default: the first reading")
        ->type_name("TIME");
    plot->add_option("--to", o.to, "End of the chart, as --from; default: the last reading")->type_name("TIME");
    plot->add_option("--width", o.width, "Width of the picture in pixels (default 1200)")
        ->type_name("W")
        ->check(CLI::Range(200, 10000));
    plot->add_option("--height", o.height, "Height of the picture in pixels (default 800)")
        ->type_name("H")
        ->check(CLI::Range(150, 10000));
    // The limit in the help is the one the reader keeps.
    const std::string limit = std::to_string(lab::kRecordedFileSizeLimit / (1024 * 1024)) + " MiB";
    plot->footer(FillIn(kPlotFooter, {limit, limit}));
    return plot;
}

int RunPlot(const PlotOptions& options) {
    try {
        return Plot(options);
    } catch (const UsageError& e) {
        std::cerr << "wegator-cli: " << MessagePrintable(e.what()) << '\n';
        return kExitUsage;
    }
}

}  // namespace wegator::cli
