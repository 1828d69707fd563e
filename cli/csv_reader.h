// Reading of the batch files of wegator-cli: comma-separated values with
// optional double-quoted cells ("" inside a quoted cell is one quote).
#pragma once

#include <functional>
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

// Reads records one at a time, holding no more than one record and one block
// of input, so a file of any length is read in the same memory. A UTF-8
// byte-order mark is skipped; line ends may be LF, CRLF or CR; lines with no
// characters at all are skipped.
class CsvReader {
public:
    // The next block of input; an empty one at the end. It may throw to say
    // the input cannot be read.
    using Source = std::function<std::string_view()>;

    explicit CsvReader(Source source) : source_(std::move(source)) {}
    // The next record into `record`; false at the end of the input. Throws
    // CsvError for a malformed record.
    bool Next(CsvRecord& record);

private:
    // The character at the read position, or -1 at the end of the input.
    int Peek() {
        if (position_ == block_.size() && !Refill()) return -1;
        return static_cast<unsigned char>(block_[position_]);
    }
    // The character after the one at the read position, or -1.
    int PeekSecond();
    bool Refill();
    // Consumes a line end at the read position (LF, CR or CRLF), if there is one.
    bool AtLineEnd();

    Source source_;
    std::string_view block_;
    std::size_t position_ = 0;
    std::string carried_;  // the last character of a block, kept for PeekSecond
    bool started_ = false;
    bool ended_ = false;  // the source has given its last block
    int line_ = 1;
};

// Splits a whole file into records, as CsvReader reads them.
std::vector<CsvRecord> ParseCsv(std::string_view text);

}  // namespace wegator::cli
