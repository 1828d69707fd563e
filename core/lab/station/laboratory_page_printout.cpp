// The laboratory printout's record sheet: what stood behind the numbers of
// the results sheet at the moment it was printed, so that an auditor can
// follow a reported value back to the instruments, ports, correction tables
// and files it came from.
#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "app/file_digest.h"
#include "text/strings.h"
#include "lab/base/lab_messages.h"
#include "lab/station/laboratory_page.h"
#include "pages/number_entry.h"

namespace wegator::lab {

namespace {

// Columns and lines of the record sheet.
constexpr int kNameColumn = 100;
constexpr int kIndentColumn = 200;
constexpr int kValueColumn = 700;
constexpr int kAgeColumn = 1150;
constexpr int kCountColumn = 1600;
constexpr int kLine = 100;
constexpr int kTraceLine = 2800;
// A text longer than this runs past the sheet's right edge in the printer's
// default font: it goes on on the next line, broken after a '/', ',' or blank.
constexpr std::size_t kLineChars = 96;
// Digits of the table's SHA-256 on paper: enough to tell two tables apart.
constexpr std::size_t kChecksumDigits = 12;

std::vector<std::string> Wrapped(const std::string& text) {
    std::vector<std::string> lines;
    std::string rest = text;
    while (rest.size() > kLineChars) {
        std::size_t cut = rest.find_last_of("/, ", kLineChars - 1);
        cut = (cut == std::string::npos || cut == 0) ? kLineChars : cut + 1;
        lines.push_back(rest.substr(0, cut));
        rest.erase(0, cut);
    }
    lines.push_back(rest);
    return lines;
}

// "2026-12-07 16:43", the file's modification time on the local clock; empty when unknown.
std::string ModifiedText(const std::string& path) {
    std::error_code error;
    const auto written = std::filesystem::last_write_time(path, error);
    if (error) return {};
    const auto system = std::chrono::file_clock::to_sys(written);
    return FormatPrintTime(LocalPrintTime(std::chrono::time_point_cast<std::chrono::system_clock::duration>(system)));
}

std::string TableName(TableId id) {
    const int channel = Qx311ChannelOf(id);
    if (channel != 0) return MessageText(msg::RecordSheetChannelTable, {std::to_string(channel)});
    return std::string(LoadString(msg::FirstInstrumentName + static_cast<int>(StreamOf(FamilyOf(id)))));
}

}  // namespace

std::vector<PrintCell> LaboratoryPage::PrintRecord(const PrintTime& printedAt) const {
    std::vector<PrintCell> cells;
    auto cell = [&](int k, int n, std::string text) { cells.push_back({k, n, std::move(text)}); };
    // A long text over as many lines as it takes; returns the last line used.
    auto wrapped = [&](int n, const std::string& text) {
        bool first = true;
        for (std::string& line : Wrapped(text)) {
            if (!first) n += kLine;
            cell(first ? kNameColumn : kIndentColumn, n, std::move(line));
            first = false;
        }
        return n;
    };
    const std::string none(LoadString(msg::RecordSheetNone));

    int n = 100;
    cell(kNameColumn, n, std::string(LoadString(msg::RecordSheetCaption)));
    cell(kNameColumn, n += kLine, std::string(24, '-'));
    cell(kNameColumn, n += kLine, std::string(LoadString(msg::RecordSheetReadings)));
    n += kLine;
    cell(kValueColumn, n, std::string(LoadString(msg::RecordSheetValue)));
    cell(kAgeColumn, n, std::string(LoadString(msg::RecordSheetAge)));
    cell(kCountColumn, n, std::string(LoadString(msg::RecordSheetObservations)));
    for (int v = 0; v < kLabValues; ++v) {
        const auto value = static_cast<LabValue>(v);
        n += kLine;
        // The instantaneous values are in TrendQuantity's order: their names come from there.
        cell(kNameColumn, n, QuantityName(static_cast<TrendQuantity>(v)));
        if (!ValueText(value).empty()) cell(kValueColumn, n, ValueText(value) + " " + ValueUnit(value));
        cell(kAgeColumn, n, AgeText(value));
        if (v < kLabInputs) cell(kCountColumn, n, ObservationText(static_cast<LabInput>(v)));
    }
    n += 2 * kLine;
    cell(kNameColumn, n,
         MessageText(msg::RecordSheetAveraging, {std::to_string(effectiveN_), std::to_string(settings_.settingsLabMeanTime),
                                                 FormatFixed(periodMs_ / 1000.0, periodMs_ % 1000 == 0 ? 0 : 1,
                                                             format_.decimalSign)}));

    std::vector<TableId> inUse;
    for (std::size_t t = 0; t < kTableCount; ++t) {
        const auto id = static_cast<TableId>(t);
        if (tables_.InUse(id) && StreamInUse(StreamOf(FamilyOf(id)))) inUse.push_back(id);
    }
    n += kLine;
    std::string tablesHead(LoadString(msg::RecordSheetTables));
    cell(kNameColumn, n, inUse.empty() ? tablesHead + " " + none : tablesHead);
    for (TableId id : inUse) {
        const std::string& path = tables_.FileName(id);
        std::string line = MessageText(
            msg::RecordSheetTable, {TableName(id), std::filesystem::path(path).filename().string(),
                                    std::to_string(tables_.Table(id).Count()), ModifiedText(path)});
        if (const std::string digest = DigestOfFile(path); !digest.empty()) {
            line += "; SHA-256 " + ShortDigest(digest, kChecksumDigits);
        }
        cell(kIndentColumn, n += kLine, line);
    }

    std::string ports;
    for (Stream s : kAllStreams) {
        if (!StreamInUse(s)) continue;
        if (!ports.empty()) ports += ", ";
        ports += std::string(LoadString(msg::FirstInstrumentName + static_cast<int>(s))) + " COM" +
                 std::to_string(StreamPort(s));
    }
    n = wrapped(n + kLine, MessageText(msg::RecordSheetPorts, {ports.empty() ? none : ports}));
    // The file the station records into now; none while it records nothing.
    const std::string data = dataFile_.IsOpen() ? dataFile_.Path() : none;
    n = wrapped(n + kLine, MessageText(msg::RecordSheetDataFile, {data}));
    const std::string& series = run_.SeriesPath();
    wrapped(n + kLine, MessageText(msg::RecordSheetSeries, {series.empty() ? none : series}));

    AddTraceLines(cells, printedAt, kTraceLine);
    return cells;
}

}  // namespace wegator::lab
