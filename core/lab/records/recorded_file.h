// Reading back what the station recorded, for a chart: the laboratory data
// file (text or CSV, as DataFile writes it, its header in Polish or in the
// language it was written in) and the series file of a calibration run (or its
// QX-311 channel file, as CalibrationRun writes them).
//
// Every column becomes a time-ordered series of (chart time, value) in the
// file's own unit. A data file whose header comes again further down was
// reopened by a station that had stopped, or its columns changed: each such
// header is a marker. A file that cannot be read is refused as a whole, with
// a message naming the line and what is wrong with it; nothing half read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lab/records/data_file.h"
#include "lab/records/regular_file.h"
#include "lab/trends/trend.h"
#include "lab/trends/trend_chart.h"
#include "text/strings.h"

namespace wegator::lab {

namespace msg {
// Why a recorded file was refused ("%d" the line's number).
inline constexpr int RecordedNotARecord = 1450;
inline constexpr int RecordedBadTime = 1451;
inline constexpr int RecordedFieldCount = 1452;
inline constexpr int RecordedNotANumber = 1453;
inline constexpr int RecordedRowOutOfOrder = 1454;
inline constexpr int RecordedNothing = 1455;
inline constexpr int RecordedRunWithoutTime = 1456;
inline constexpr int RecordedCannotRead = 1457;
// "%s, %s" the file and the refusal.
inline constexpr int RecordedRefused = 1458;
// The chart's label of a header found again further down a data file.
inline constexpr int RecordedRestart = 1459;
// The desktop's file chooser and window, the command line's plot.
inline constexpr int RecordedOpenTitle = 1460;
inline constexpr int RecordedFilter = 1461;
inline constexpr int RecordedWindowTitle = 1462;
inline constexpr int PlotPanel = 1463;
inline constexpr int PlotTime = 1464;
inline constexpr int PlotNoColumn = 1465;
inline constexpr int PlotBadTime = 1466;
inline constexpr int PlotWritten = 1467;
inline constexpr int PlotNothingInTime = 1468;
inline constexpr int RecordedOpenMenu = 1469;
// The folder a chart is to be written into is not there.
inline constexpr int PlotNoFolder = 1494;
}  // namespace msg

struct RecordedColumn {
    std::string name;               // as the header names it, without the unit: "DP/FP wejście", "Temp3"
    std::string unitText;           // as written: "°C", "hPa, mbar", "%", "ppm"; empty when the header gives none
    std::optional<TrendUnit> unit;  // nothing for units no trend shows (ppm, g/kg, kJ/kg)
    std::optional<TrendQuantity> quantity;  // the station's quantity the column holds, when it is one
    std::vector<RecordedPoint> points;      // time-ordered, chart time (CalendarMs of the wall clock)
};

struct RecordedFile {
    enum class Kind { DataFile, RunSeries };
    Kind kind = Kind::DataFile;
    std::vector<RecordedColumn> columns;  // in the order the file first names them
    std::vector<std::int64_t> restarts;   // chart times of the first record after a later header
};

struct RecordedReadOptions {
    // The user's date and time formats, tried first for a text-format data
    // file; the file was most likely written on this computer.
    DateFormats dateFormats;
    // Languages besides Polish and the one in force the header may be in.
    std::vector<StringLookup> languages;
    // A run's series file that has no summary yet (the run still going, or
    // ended by a missing observation) is timed from the moment in its name
    // ("2024_05_06_14_30_00.txt") to its last change.
    std::string fileName;
    std::optional<CalendarTime> modified;
    // The largest file ReadRecordedFile reads; a larger one is refused whole.
    std::uintmax_t sizeLimit = kRecordedFileSizeLimit;
};

struct RecordedReading {
    std::optional<RecordedFile> file;  // nothing when refused
    int errorLine = 0;                 // the line blamed; 0 when the fault lies on none
    int errorId = 0;                   // the message's string-table number
    std::string error;                 // in the language in force
};

// Reads a whole file's text.
RecordedReading ReadRecorded(std::string_view text, const RecordedReadOptions& options);
// Reads a file from disk; the file's name and last change fill in `options`.
// Only a regular file of at most `options.sizeLimit` bytes is read: a folder,
// a pipe or a device, or a larger file, is refused with its reason (1490 to
// 1493), one that cannot be opened with 1457.
RecordedReading ReadRecordedFile(const std::string& path, RecordedReadOptions options);

// The file's columns as a chart's source: column i is quantity i, each
// restart marks them all.
SeriesSet RecordedSource(const RecordedFile& file);

// A standard uncertainty ("u(DP/FP)"): drawn only when asked for by name,
// for beside the values it measures it would flatten their panel.
bool UncertaintyColumn(const RecordedColumn& column);

// The columns `names` ask for, in the order asked: a name is a column's name
// ("T wejście"), its label with the unit ("T wejście (°C)") or the trend key
// of a station quantity ("t-avg", "ch3"), which takes every column holding
// it. Nothing, and the name in `unknown`, when a name matches no column.
// Without names, every column that has a reading, but uncertainties.
std::optional<std::vector<std::size_t>> SelectRecordedColumns(const RecordedFile& file,
                                                              const std::vector<std::string>& names,
                                                              std::string* unknown);

// The earliest and latest reading of the columns; nothing when they have none.
std::optional<std::pair<std::int64_t, std::int64_t>> RecordedSpan(const RecordedFile& file,
                                                                  const std::vector<std::size_t>& columns);

// A chart of the columns over [from, to], each line in the file's own unit,
// columns of one unit sharing a panel; restarts labelled as such.
TrendChartRequest RecordedChartRequest(const RecordedFile& file, const std::vector<std::size_t>& columns,
                                       std::int64_t from, std::int64_t to, std::size_t pixelColumns, char decimalSign);

// The inverse of FormatCalendar for the patterns a record's time is written
// in; a field of one letter takes one or two digits.
std::optional<CalendarTime> ParseCalendar(std::string_view pattern, std::string_view text);

}  // namespace wegator::lab
