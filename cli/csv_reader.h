// Reading of the batch files of wegator-cli: comma-separated values with
// optional double-quoted cells ("" inside a quoted cell is one quote).
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace wegator::cli {

struct CsvRecord {
    int line = 0;  // line number (from 1) where the record starts
    std::vector<std::string> cells;
};

// A malformed file: an unterminated quote or text after a closing quote.
class CsvError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Splits a whole file into records. A UTF-8 byte-order mark is skipped; line
// ends may be LF, CRLF or CR; lines with no characters at all are skipped.
std::vector<CsvRecord> ParseCsv(std::string_view text);

}  // namespace wegator::cli
