// What a run of a page puts out, for one run and for the rows of a batch:
// its messages on standard error, and its results as CSV or JSON.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "command.h"
#include "input_file.h"
#include "text_output.h"

namespace wegator::cli {

// The text on one line: line breaks become blanks.
std::string OneLine(std::string text);

// The page's messages, then what failed after it computed, one line each on
// `err`, after "wegator-cli: <prefix>".
void ReportMessages(std::ostream& err, const Evaluation& evaluation, const std::string& prefix);

// One JSON object of a run; `line` > 0 names the batch line it came from.
void WriteJson(JsonWriter& json, const Command& command, const Evaluation& evaluation, int line);

// The CSV header and row: the command's columns, then the first message's id
// and text, then the columns a run asked for beyond them.
std::vector<std::string> CsvHeader(const Command& command);
std::vector<std::string> CsvCells(const Evaluation& evaluation);

// Computes every row of a batch file: its header names the columns, each
// later record is one fresh page's edits. Every row is checked before the
// first is computed, so a bad cell (UsageError, naming its line and column)
// leaves no output. Results go to `out` as CSV, or as one JSON array with
// `json`; messages to `err`, prefixed with their line. Returns whether every
// row computed.
bool RunBatchRows(const Command& command, TwoPassInput& input, bool json, std::ostream& out, std::ostream& err);

}  // namespace wegator::cli
