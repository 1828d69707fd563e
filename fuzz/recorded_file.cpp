// The reader of recorded station files (data files and calibration run
// series), as `wegator-cli plot` and the desktop's "open a record" use it:
// a file is either refused naming a line of it, or read into time-ordered,
// finite series that a chart can be built from.
#include <cmath>

#include "fuzz_check.h"
#include "lab/records/recorded_file.h"
#include "lab/trends/trend_chart.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace wegator::lab;
    RecordedReadOptions options;
    options.fileName = "2024_05_06_14_30_00.txt";
    options.modified = CalendarTime{2024, 5, 6, 15, 0, 0};
    const RecordedReading read = ReadRecorded(wegator::fuzz::AsText(data, size), options);
    if (!read.file) {
        FUZZ_CHECK(!read.error.empty());
        FUZZ_CHECK(read.errorLine >= 0);
        return 0;
    }
    const RecordedFile& file = *read.file;
    for (const RecordedColumn& column : file.columns) {
        for (std::size_t i = 0; i < column.points.size(); ++i) {
            FUZZ_CHECK(std::isfinite(column.points[i].value));
            if (i > 0) FUZZ_CHECK(column.points[i - 1].time <= column.points[i].time);
        }
    }
    const auto columns = SelectRecordedColumns(file, {}, nullptr);
    if (!columns) return 0;
    const auto span = RecordedSpan(file, *columns);
    if (!span) return 0;
    const SeriesSet source = RecordedSource(file);
    const TrendChart chart =
        BuildTrendChart(source, RecordedChartRequest(file, *columns, span->first, span->second, 200, ','));
    for (const ChartPanel& panel : chart.panels) {
        FUZZ_CHECK(panel.axis.low <= panel.axis.high);
        for (const ChartLine& line : panel.lines) FUZZ_CHECK(line.columns.size() <= 200);
    }
    return 0;
}
