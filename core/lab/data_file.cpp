#include "lab/data_file.h"

#include <cstdio>

#include "app/strings.h"
#include "lab/lab_messages.h"
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

}  // namespace

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

std::string ColumnLabel(const DataColumn& column, std::string_view unit) {
    std::string label;
    if (column.input) {
        label = LoadString(kInputLabels[column.index]);
    } else {
        label = std::string(column.name) + " " +
                std::string(LoadString(column.phase == Phase::Water ? msg::OverWater : msg::OverIce));
    }
    return label + " (" + std::string(unit) + ")";
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

void DataFile::Attach(std::unique_ptr<LineSink> sink, std::string path) {
    Close();
    sink_ = std::move(sink);
    path_ = std::move(path);
    headerPending_ = true;
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
    Pending record{headerPending_ ? lastHeader_ : std::string(), RecordLine(time, formats_, values, csv_)};
    headerPending_ = false;
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
        if (sink_->StartedAnew() && next.header.empty()) next.header = lastHeader_;
        if (!sink_->Append(next.header + next.record)) {
            if (warn) Warn();
            return;
        }
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
