// Writers of the three output forms of wegator-cli: an aligned text table,
// JSON and CSV. Texts are UTF-8 throughout.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace wegator::cli {

// Number of characters a terminal gives a UTF-8 text (one per code point).
std::size_t DisplayWidth(std::string_view text);

// An aligned table. `alignment` holds one letter per column, 'l' (left) or
// 'r' (right); columns beyond it are right-aligned.
class TextTable {
public:
    explicit TextTable(std::string alignment) : alignment_(std::move(alignment)) {}
    void AddRow(std::vector<std::string> cells) { rows_.push_back(std::move(cells)); }
    void Write(std::ostream& out, std::string_view indent = "") const;

private:
    std::string alignment_;
    std::vector<std::vector<std::string>> rows_;
};

// A JSON text written element by element; commas and nesting are kept here.
class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}
    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    // The name of the next member of the enclosing object.
    void Key(std::string_view name);
    void String(std::string_view text);
    void Number(double value);  // non-finite values are written as null
    void Integer(long long value);
    void Unsigned(unsigned long long value);  // all 64 bits of a seed
    void Bool(bool value);
    void Null();
    // Key and value in one call.
    void Member(std::string_view name, std::string_view text) { Key(name); String(text); }

private:
    void BeforeValue();
    std::ostream& out_;
    std::vector<bool> first_;  // per open container: no element written yet
    bool afterKey_ = false;
};

// A JSON string literal of `text`, quotes included. Bytes that are not valid
// UTF-8 become U+FFFD, so the output is always valid JSON.
std::string JsonQuoted(std::string_view text);

// A user's text inside a message for the terminal: in single quotes, at most
// kQuotedCharacters characters of it (then "…"), with control characters and
// bytes that are not UTF-8 shown escaped ("\n", "\t", "\x1b", "\u009b"), so
// that no text given to the program can move the cursor, rewrite the screen
// or bury the message under a megabyte of cell.
inline constexpr std::size_t kQuotedCharacters = 80;
std::string MessageQuoted(std::string_view text);
// The text with the escaping of MessageQuoted, neither cut nor quoted.
std::string MessagePrintable(std::string_view text);
// The form a text takes inside MessageQuoted's quotes (escaped and cut).
std::string MessageExcerpt(std::string_view text);

// One CSV cell, quoted when it holds a comma, a quote, a line break or
// surrounding blanks, or starts with a byte-order mark. A row of one empty
// cell is written as "" (an empty line would be skipped).
std::string CsvCell(std::string_view text);
// CsvCell(text) added to the end of `row`.
void AppendCsvCell(std::string& row, std::string_view text);
void WriteCsvRow(std::ostream& out, const std::vector<std::string>& cells);

}  // namespace wegator::cli
