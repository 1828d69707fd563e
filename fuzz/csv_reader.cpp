// The batch-file reader of wegator-cli. Whatever it reads, written back with
// the CSV writer of the command line's output, must read back the same: a
// batch's output can be fed to another batch.
#include "csv_reader.h"

#include <sstream>

#include "fuzz_check.h"
#include "text_output.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<wegator::cli::CsvRecord> records;
    try {
        records = wegator::cli::ParseCsv(wegator::fuzz::AsText(data, size));
    } catch (const wegator::cli::CsvError&) {
        return 0;
    }
    std::ostringstream written;
    int previousLine = 0;
    for (const auto& record : records) {
        FUZZ_CHECK(record.line > previousLine);
        FUZZ_CHECK(!record.cells.empty());
        previousLine = record.line;
        wegator::cli::WriteCsvRow(written, record.cells);
    }
    const auto reread = wegator::cli::ParseCsv(written.str());
    FUZZ_CHECK(reread.size() == records.size());
    for (std::size_t i = 0; i < records.size(); ++i) FUZZ_CHECK(reread[i].cells == records[i].cells);
    return 0;
}
