// The laboratory data file: at a fixed interval one record of the averaged
// inputs and the computed results the laboratory page shows, tab-separated
// ("Format tekstowy") or comma-separated ("Format CSV"), with a header line
// before the first record and whenever the columns differ from those of the
// last header the file holds: a station restarted on the same file with the
// same columns goes on under the header already there, so that a
// spreadsheet sees one table. On request each value column is followed by
// its standard uncertainty, and a CSV file started new begins with a UTF-8
// byte-order mark for spreadsheets that would otherwise misread "°C".
//
// A record never gets lost and never lands half: each record (with a pending
// header) goes to the file in one write; a write that fails is cut back and
// the record waits in a bounded backlog, written in order before the next
// record once the disk takes it again. The user is warned once per episode.
#pragma once

#include <array>
#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings.h"
#include "lab/records/record_file.h"
#include "lab/base/station_time.h"
#include "physics/humidity_result.h"

namespace wegator {
class PageHost;
}

namespace wegator::lab {

// One column a record may hold: an averaged input (DP/FP, T, Pb) or a result
// of the grid (row 0 … 9, over water or over ice).
struct DataColumn {
    int bit;                // its bit in SAVE_FILE_CODE
    bool input;             // an averaged input, else a result
    int index;              // input 0 DP/FP, 1 T, 2 Pb; or the result row
    Phase phase;            // results only
    std::string_view name;  // "DP", "FP", "T", "RH", … "Tw", "Ti" (results only)
};
inline constexpr std::size_t kDataColumnCount = 23;
// Every column in file order: the three inputs, the ten results over water,
// the ten over ice.
const std::array<DataColumn, kDataColumnCount>& DataColumns();
// The columns a selection of contents asks for, in file order.
std::vector<DataColumn> SelectedColumns(const SaveFileContents& contents);
// A column's header label: "DP/FP wejście (°C)", "RH nad wodą (%)", with the
// unit shown beside the column's field on the page.
std::string ColumnLabel(const DataColumn& column, std::string_view unit);
// The label of the column of its standard uncertainty, in the same unit:
// "u(DP/FP wejście) (°C)", "u(RH nad wodą) (%)".
std::string UncertaintyLabel(const DataColumn& column, std::string_view unit);

// The UTF-8 byte-order mark a CSV file for spreadsheets may start with.
inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// What an existing data file tells before records are appended to it: whether
// it is empty, and its last header line (without line end, without a mark),
// empty when none was found in its last megabyte.
struct DataFileTail {
    bool empty = true;
    std::string lastHeader;
};
DataFileTail ReadDataFileTail(const std::string& path);

// The user's date and time formats, for the text format ("dd.MM.yyyy",
// "HH:mm:ss" and the like, see FormatCalendar).
struct DateFormats {
    std::string shortDate = "dd.MM.yyyy";
    std::string time = "HH:mm:ss";

    bool operator==(const DateFormats&) const = default;
};

// The formats a text-format record is written in, from the locale's short
// date and long time formats (Qt's patterns). The time zone ("t") is left
// out. A date a reader could not take apart again falls back, with the time,
// to "yyyy-MM-dd HH:mm:ss": one that lacks a day, a month or a year, one with
// a field written as a name ("MMM", "dddd") or with no separator but blanks
// between two fields (the C locale's "d MMM yyyy" came out as "7 12 2026").
// A time that lacks an hour, a minute or a second, or has such a field, falls
// back to "HH:mm:ss" alone.
DateFormats RecordDateFormats(std::string_view localeShortDate, std::string_view localeTime);

// The header line: "Data i czas", then each label, each followed by the
// separator, then "\r\n". A CSV label holding a comma or a quote is quoted.
std::string HeaderLine(const std::vector<std::string>& labels, bool csv);
// A record: the date and time, then each field's text with "," written as ".",
// each followed by the separator, then "\r\n". CSV dates are "yyyy.MM.dd
// HH:mm:ss", text-format dates are in the user's formats.
std::string RecordLine(const CalendarTime& time, const DateFormats& formats, const std::vector<std::string>& values,
                       bool csv);

class DataFile {
public:
    // At most this many records wait for the disk; older ones give way.
    static constexpr std::size_t kBacklogLimit = 10080;  // a week of records a minute apart

    explicit DataFile(PageHost& host) : host_(host) {}

    // Takes an opened file; the next record starts with a header line unless
    // the file's last header (tail.lastHeader) is the one it would write. A
    // file that is empty gets the byte-order mark, when asked for, first.
    void Attach(std::unique_ptr<LineSink> sink, std::string path, DataFileTail tail = {});
    // Records still waiting get one last try (quietly); those the disk
    // still refuses are dropped with the file.
    void Close();
    ~DataFile() { Close(); }
    bool IsOpen() const { return sink_ != nullptr; }
    const std::string& Path() const { return path_; }
    LineSink* Sink() const { return sink_.get(); }

    void SetCsv(bool csv) { csv_ = csv; }
    bool Csv() const { return csv_; }
    void SetDateFormats(DateFormats formats) { formats_ = std::move(formats); }
    // A CSV file started new or emptied begins with the byte-order mark;
    // never one in the middle of a file appended to.
    void SetByteOrderMark(bool on) { byteOrderMark_ = on; }
    // The columns, the format or the file may have changed. Nothing to keep
    // track of: every record compares its header with the file's last one
    // and writes it only when they differ.
    void SetHeaderPending() {}

    // Writes one record after those still waiting; labels and values of the
    // selected columns, in file order.
    void Write(const CalendarTime& time, const std::vector<std::string>& labels,
               const std::vector<std::string>& values);
    // Writes what waits (also done before every record); a failure warns
    // once per episode unless `warn` is off.
    void WriteBacklog(bool warn = true);

    std::size_t Backlog() const { return backlog_.size(); }
    // Records given up because the backlog was full.
    std::size_t Dropped() const { return dropped_; }

private:
    struct Pending {
        std::string header;  // empty: no header before this record
        std::string record;
    };
    void Warn();

    PageHost& host_;
    std::unique_ptr<LineSink> sink_;
    std::string path_;
    bool csv_ = false;
    bool byteOrderMark_ = false;
    // Nothing has been written into the file yet (new, emptied or recreated).
    bool atStart_ = false;
    // The last header the file holds or will hold once the backlog is
    // written, without its line end; empty: none known.
    std::string fileHeader_;
    bool warned_ = false;
    DateFormats formats_;
    std::string lastHeader_;
    std::deque<Pending> backlog_;
    std::size_t dropped_ = 0;
};

}  // namespace wegator::lab
