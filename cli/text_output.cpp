#include "text_output.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace wegator::cli {

std::size_t DisplayWidth(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

void TextTable::Write(std::ostream& out, std::string_view indent) const {
    std::vector<std::size_t> widths;
    for (const auto& row : rows_) {
        if (widths.size() < row.size()) widths.resize(row.size(), 0);
        for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], DisplayWidth(row[c]));
    }
    for (const auto& row : rows_) {
        std::string line(indent);
        for (std::size_t c = 0; c < row.size(); ++c) {
            const std::string pad(widths[c] - DisplayWidth(row[c]), ' ');
            if (c > 0) line += "  ";
            if (c < alignment_.size() && alignment_[c] == 'l') {
                line += row[c] + pad;
            } else {
                line += pad + row[c];
            }
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out << line << '\n';
    }
}

namespace {

// Length of the valid UTF-8 sequence starting at text[i], or 0 when it is not one.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    unsigned int minimum = 0;
    unsigned int codePoint = 0;
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, minimum = 0x80, codePoint = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, minimum = 0x800, codePoint = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, minimum = 0x10000, codePoint = lead & 0x07u;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        codePoint = (codePoint << 6) | (byte(i + k) & 0x3Fu);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return 0;
    return length;
}

constexpr char kHexDigits[] = "0123456789abcdef";

// Escapes at most `limit` characters of `text` (a byte that is not UTF-8 counts
// as one character); `cut` tells whether characters were left over.
std::string Escaped(std::string_view text, std::size_t limit, bool& cut) {
    std::string out;
    const auto escape = [&](std::string_view prefix, unsigned char byte) {
        out.append(prefix).append(1, kHexDigits[byte >> 4]).append(1, kHexDigits[byte & 0x0F]);
    };
    std::size_t characters = 0;
    std::size_t i = 0;
    for (; i < text.size() && characters < limit; ++characters) {
        const auto u = static_cast<unsigned char>(text[i]);
        const std::size_t length = Utf8SequenceLength(text, i);
        if (length == 0) {
            escape("\\x", u);
            ++i;
        } else if (length == 2 && u == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0) {
            // C1 control characters: a terminal takes U+009B as the start of a command.
            escape("\\u00", static_cast<unsigned char>(text[i + 1]));
            i += 2;
        } else if (length > 1) {
            out.append(text.substr(i, length));
            i += length;
        } else {
            switch (text[i]) {
                case '\n': out += "\\n"; break;
                case '\r': out += "\\r"; break;
                case '\t': out += "\\t"; break;
                default:
                    if (u < 0x20 || u == 0x7F) {
                        escape("\\x", u);
                    } else {
                        out += text[i];
                    }
            }
            ++i;
        }
    }
    cut = i < text.size();
    return out;
}

}  // namespace

std::string MessageExcerpt(std::string_view text) {
    bool cut = false;
    std::string out = Escaped(text, kQuotedCharacters, cut);
    if (cut) out += "…";
    return out;
}

std::string MessageQuoted(std::string_view text) {
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on "'" + std::string.
    std::string quoted(1, '\'');
    quoted += MessageExcerpt(text);
    quoted += '\'';
    return quoted;
}

std::string MessagePrintable(std::string_view text) {
    bool cut = false;
    return Escaped(text, text.size(), cut);
}

std::string JsonQuoted(std::string_view text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x80) {
            const std::size_t length = Utf8SequenceLength(text, i);
            if (length == 0) {
                out += "\\ufffd";
                ++i;
            } else {
                out.append(text.substr(i, length));
                i += length;
            }
            continue;
        }
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            case '\b': out += "\\b"; break;
            case '\f': out += "\\f"; break;
            default:
                if (u < 0x20 || u == 0x7F) {
                    out += "\\u00";
                    out += kHexDigits[u >> 4];
                    out += kHexDigits[u & 0x0F];
                } else {
                    out += c;
                }
        }
        ++i;
    }
    out += '"';
    return out;
}

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back()) out_ << ',';
        first_.back() = false;
    }
}

void JsonWriter::BeginObject() {
    BeforeValue();
    out_ << '{';
    first_.push_back(true);
}

void JsonWriter::EndObject() {
    first_.pop_back();
    out_ << '}';
}

void JsonWriter::BeginArray() {
    BeforeValue();
    out_ << '[';
    first_.push_back(true);
}

void JsonWriter::EndArray() {
    first_.pop_back();
    out_ << ']';
}

void JsonWriter::Key(std::string_view name) {
    BeforeValue();
    out_ << JsonQuoted(name) << ':';
    afterKey_ = true;
}

void JsonWriter::String(std::string_view text) {
    BeforeValue();
    out_ << JsonQuoted(text);
}

void JsonWriter::Number(double value) {
    BeforeValue();
    if (!std::isfinite(value)) {
        out_ << "null";
        return;
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out_ << std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer));
}

void JsonWriter::Integer(long long value) {
    BeforeValue();
    out_ << value;
}

void JsonWriter::Unsigned(unsigned long long value) {
    BeforeValue();
    out_ << value;
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    out_ << (value ? "true" : "false");
}

void JsonWriter::Null() {
    BeforeValue();
    out_ << "null";
}

void AppendCsvCell(std::string& row, std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    // A byte-order mark opening a file is not read as text: a cell that starts
    // with one is quoted, in case it opens the file.
    // One look at each character: find_first_of would search the four
    // characters for each of them, and a batch writes millions of cells.
    const bool special = std::any_of(text.begin(), text.end(),
                                     [](char c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; });
    const bool quote = special ||
                       (!text.empty() && (blank(text.front()) || blank(text.back()))) ||
                       text.starts_with("\xEF\xBB\xBF");
    if (!quote) {
        row += text;
        return;
    }
    row += '"';
    for (char c : text) {
        if (c == '"') row += '"';
        row += c;
    }
    row += '"';
}

std::string CsvCell(std::string_view text) {
    std::string cell;
    AppendCsvCell(cell, text);
    return cell;
}

void WriteCsvRow(std::ostream& out, const std::vector<std::string>& cells) {
    // A row of one empty cell would be an empty line, which readers skip.
    if (cells.size() == 1 && cells.front().empty()) {
        out << "\"\"\n";
        return;
    }
    // The row is put together first and written at once: a batch writes
    // dozens of cells per row, and each write into the stream has its cost.
    std::string row;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) row += ',';
        AppendCsvCell(row, cells[i]);
    }
    row += '\n';
    out.write(row.data(), static_cast<std::streamsize>(row.size()));
}

}  // namespace wegator::cli
