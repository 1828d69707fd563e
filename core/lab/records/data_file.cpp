#include "lab/records/data_file.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "text/strings.h"
#include "lab/base/lab_messages.h"
#include "pages/page_host.h"

namespace wegator::lab {

namespace {

constexpr Phase W = Phase::Water;
constexpr Phase I = Phase::Ice;

// Result rows of the grid: 0 DP/FP, 1 T, 2 RH, 3 PPMV, 4 PPMW, 5 x, 6 I, 7 WVP, 8 SWVP, 9 Tw/Ti.
constexpr std::array<DataColumn, kDataColumnCount> kColumns = {{
    {1, true, 0, W, ""},
    {2, true, 1, W, ""},
    {4, true, 2, W, ""},
    {8, false, 0, W, "DP"},
    {16, false, 1, W, "T"},
    {32, false, 2, W, "RH"},
    {128, false, 3, W, "PPMV"},
    {256, false, 4, W, "PPMW"},
    {512, false, 5, W, "x"},
    {2048, false, 6, W, "I"},
    {1024, false, 7, W, "WVP"},
    {64, false, 8, W, "SWVP"},
    {4096, false, 9, W, "Tw"},
    {8, false, 0, I, "FP"},
    {16, false, 1, I, "T"},
    {32, false, 2, I, "RH"},
    {128, false, 3, I, "PPMV"},
    {256, false, 4, I, "PPMW"},
    {512, false, 5, I, "x"},
    {2048, false, 6, I, "I"},
    {1024, false, 7, I, "WVP"},
    {64, false, 8, I, "SWVP"},
    {4096, false, 9, I, "Ti"},
}};

constexpr int kInputLabels[3] = {msg::DewPointInputLabel, msg::TemperatureInputLabel, msg::PressureInputLabel};

std::string Separator(bool csv) { return csv ? "," : "\t"; }

// A CSV field holding the separator or a quote is quoted, its quotes doubled.
std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"") == std::string_view::npos) return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + '"';
}

std::string TwoDigits(int v) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02d", v);
    return buffer;
}

// What a record's time is written in when the locale offers nothing legible.
const DateFormats kPlainDateFormats{"yyyy-MM-dd", "HH:mm:ss"};

// Blanks that part nothing: spaces, tabs and the no-break spaces some
// locales put between fields (UTF-8). Their length at `at`, else 0.
std::size_t BlankAt(std::string_view s, std::size_t at) {
    const std::string_view rest = s.substr(at);
    if (rest.starts_with(' ') || rest.starts_with('\t')) return 1;
    for (std::string_view blank : {"\u00A0", "\u2009", "\u202F"}) {
        if (rest.starts_with(blank)) return blank.size();
    }
    return 0;
}

bool HasNonBlank(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t blank = BlankAt(s, i);
        if (blank == 0) return true;
        i += blank;
    }
    return false;
}

// Whether FormatCalendar writes `pattern` as numbers a reader can take apart
// again: every field one it writes in digits (d, dd, M, MM, yy, yyyy; H, HH,
// h, hh, m, mm, s, ss; and AP), each of `required` once and no other numeric
// field, and something besides blanks between two numeric fields.
bool Legible(std::string_view pattern, std::string_view required) {
    std::string found;
    bool parted = true;  // since the last numeric field
    std::size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        if (c == '\'') {
            const std::size_t close = pattern.find('\'', i + 1);
            const std::size_t end = close == std::string_view::npos ? pattern.size() : close;
            // "''" is a quote of its own; quoted text is copied as it stands.
            if (close == i + 1 || HasNonBlank(pattern.substr(i + 1, end - i - 1))) parted = true;
            i = close == std::string_view::npos ? pattern.size() : close + 1;
            continue;
        }
        if (const std::size_t blank = BlankAt(pattern, i); blank > 0) {
            i += blank;
            continue;
        }
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) {
            parted = true;
            ++i;
            continue;
        }
        std::size_t n = 1;
        while (i + n < pattern.size() && pattern[i + n] == c) ++n;
        if ((c == 'A' || c == 'a') && n == 1 && i + 1 < pattern.size() &&
            (pattern[i + 1] == 'P' || pattern[i + 1] == 'p')) {
            parted = true;  // AM or PM stands between fields like text
            i += 2;
            continue;
        }
        const bool digits =
            (c == 'y') ? (n == 2 || n == 4) : (n <= 2 && std::string_view("dMHhms").find(c) != std::string_view::npos);
        const char field = c == 'h' ? 'H' : c;
        if (!digits || !parted || required.find(field) == std::string_view::npos ||
            found.find(field) != std::string::npos) {
            return false;
        }
        found += field;
        parted = false;
        i += n;
    }
    return found.size() == required.size();
}

// The time without its zone ("t" outside quotes), blanks trimmed.
std::string WithoutTimeZone(std::string_view pattern) {
    std::string out;
    bool quoted = false;
    for (const char c : pattern) {
        if (c == '\'') quoted = !quoted;
        if (c != 't' || quoted) out += c;
    }
    const std::size_t first = out.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return out.substr(first, out.find_last_not_of(" \t") - first + 1);
}

}  // namespace

DateFormats RecordDateFormats(std::string_view localeShortDate, std::string_view localeTime) {
    if (!Legible(localeShortDate, "dMy")) return kPlainDateFormats;
    std::string time = WithoutTimeZone(localeTime);
    if (!Legible(time, "Hms")) time = kPlainDateFormats.time;
    return {std::string(localeShortDate), time};
}

const std::array<DataColumn, kDataColumnCount>& DataColumns() { return kColumns; }

std::vector<DataColumn> SelectedColumns(const SaveFileContents& c) {
    const int bits = (c.dewPointInput ? 1 : 0) | (c.temperatureInput ? 2 : 0) | (c.pressureInput ? 4 : 0) |
                     (c.dewPointComputed ? 8 : 0) | (c.temperatureComputed ? 16 : 0) |
                     (c.relativeHumidity ? 32 : 0) | (c.saturationVapourPressure ? 64 : 0) | (c.ppmv ? 128 : 0) |
                     (c.ppmw ? 256 : 0) | (c.mixingRatio ? 512 : 0) | (c.vapourPressure ? 1024 : 0) |
                     (c.enthalpy ? 2048 : 0) | (c.wetBulb ? 4096 : 0);
    std::vector<DataColumn> columns;
    for (const DataColumn& column : kColumns) {
        if (bits & column.bit) columns.push_back(column);
    }
    return columns;
}

namespace {

std::string ColumnName(const DataColumn& column) {
    if (column.input) return std::string(LoadString(kInputLabels[column.index]));
    return std::string(column.name) + " " +
           std::string(LoadString(column.phase == Phase::Water ? msg::OverWater : msg::OverIce));
}

// The line without its end ("\r\n" or "\n").
std::string_view WithoutLineEnd(std::string_view line) {
    if (line.ends_with('\n')) line.remove_suffix(1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    return line;
}

// How much of an existing file is searched for its last header: a week of
// records a minute apart with every column is a few megabytes, and a header
// further back than this is simply written again.
constexpr std::streamoff kTailBytes = 1 << 20;

}  // namespace

std::string ColumnLabel(const DataColumn& column, std::string_view unit) {
    return ColumnName(column) + " (" + std::string(unit) + ")";
}

std::string UncertaintyLabel(const DataColumn& column, std::string_view unit) {
    return "u(" + ColumnName(column) + ") (" + std::string(unit) + ")";
}

DataFileTail ReadDataFileTail(const std::string& path) {
    DataFileTail tail;
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return tail;
    const std::streamoff size = in.tellg();
    if (size <= 0) return tail;
    tail.empty = false;
    const std::streamoff start = size > kTailBytes ? size - kTailBytes : 0;
    in.seekg(start);
    std::string text(static_cast<std::size_t>(size - start), '\0');
    if (!in.read(text.data(), static_cast<std::streamsize>(text.size()))) return tail;
    // A line cut by where the tail starts is not a whole line.
    std::size_t begin = 0;
    if (start > 0) {
        begin = text.find('\n');
        if (begin == std::string::npos) return tail;
        ++begin;
    }
    const std::string_view lead = LoadString(msg::DateAndTime);
    std::string_view rest = std::string_view(text).substr(begin);
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end == std::string_view::npos ? rest.size() : end + 1);
        rest.remove_prefix(line.size());
        if (line.starts_with(kByteOrderMark)) line.remove_prefix(kByteOrderMark.size());
        const std::string_view afterLead = line.substr(std::min(line.size(), lead.size()));
        if (line.starts_with(lead) && (afterLead.starts_with('\t') || afterLead.starts_with(','))) {
            tail.lastHeader = std::string(WithoutLineEnd(line));
        }
    }
    return tail;
}

std::string HeaderLine(const std::vector<std::string>& labels, bool csv) {
    const std::string sep = Separator(csv);
    std::string line = std::string(LoadString(msg::DateAndTime)) + sep;
    for (const std::string& label : labels) line += (csv ? CsvField(label) : label) + sep;
    return line + "\r\n";
}

std::string RecordLine(const CalendarTime& time, const DateFormats& formats, const std::vector<std::string>& values,
                       bool csv) {
    const std::string sep = Separator(csv);
    std::string line;
    if (csv) {
        line = std::to_string(time.year) + "." + TwoDigits(time.month) + "." + TwoDigits(time.day) + " " +
               TwoDigits(time.hour) + ":" + TwoDigits(time.minute) + ":" + TwoDigits(time.second);
    } else {
        line = FormatCalendar(formats.shortDate, time) + " " + FormatCalendar(formats.time, time);
    }
    line += sep;
    for (const std::string& value : values) {
        // Numbers in files always have a point, whatever the screen shows.
        std::string text = value;
        for (char& c : text) {
            if (c == ',') c = '.';
        }
        line += text + sep;
    }
    return line + "\r\n";
}

void DataFile::Attach(std::unique_ptr<LineSink> sink, std::string path, DataFileTail tail) {
    Close();
    sink_ = std::move(sink);
    path_ = std::move(path);
    atStart_ = tail.empty;
    fileHeader_ = std::move(tail.lastHeader);
}

void DataFile::Close() {
    // What waits for the disk gets one last try before the file goes; no
    // second warning, the first one told the user already.
    WriteBacklog(false);
    sink_.reset();
    path_.clear();
    backlog_.clear();
    warned_ = false;
}

void DataFile::Write(const CalendarTime& time, const std::vector<std::string>& labels,
                     const std::vector<std::string>& values) {
    if (!sink_) return;
    lastHeader_ = HeaderLine(labels, csv_);
    // A header only where the columns change: the same one again (after a
    // restart, "Wyczyść" or a settings change) would split a spreadsheet's table.
    const bool newColumns = WithoutLineEnd(lastHeader_) != fileHeader_;
    if (newColumns) fileHeader_ = std::string(WithoutLineEnd(lastHeader_));
    Pending record{newColumns ? lastHeader_ : std::string(), RecordLine(time, formats_, values, csv_)};
    backlog_.push_back(std::move(record));
    if (backlog_.size() > kBacklogLimit) {
        // The oldest record gives way; a header it carried goes on with the next.
        if (!backlog_.front().header.empty() && backlog_[1].header.empty()) backlog_[1].header = backlog_.front().header;
        backlog_.pop_front();
        ++dropped_;
    }
    WriteBacklog();
}

void DataFile::WriteBacklog(bool warn) {
    while (sink_ && !backlog_.empty()) {
        Pending& next = backlog_.front();
        // A file deleted under the program is a new file: it needs a header.
        if (sink_->StartedAnew()) {
            atStart_ = true;
            if (next.header.empty()) next.header = lastHeader_;
        }
        const bool mark = atStart_ && byteOrderMark_ && csv_;
        if (!sink_->Append((mark ? std::string(kByteOrderMark) : std::string()) + next.header + next.record)) {
            if (warn) Warn();
            return;
        }
        atStart_ = false;
        backlog_.pop_front();
        if (warn) warned_ = false;
    }
}

void DataFile::Warn() {
    if (warned_) return;
    warned_ = true;
    host_.ShowWarning(msg::DataFileWriteFailed, MessageText(msg::DataFileWriteFailed, {path_, sink_->Error()}));
}

}  // namespace wegator::lab
