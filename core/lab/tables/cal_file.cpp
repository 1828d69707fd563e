#include "lab/tables/cal_file.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <utility>

#include "app/files.h"
#include "text/string_table.h"
#include "text/strings.h"

namespace wegator::lab {

namespace {

constexpr char kSeparator = ';';
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr int kDecimals = 3;
constexpr std::string_view kLinePlaceholder = "%d";

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// A whole field as a finite decimal number with a point; nothing else.
bool ReadNumber(std::string_view field, double& out) {
    field = Trim(field);
    if (!field.empty() && field.front() == '+') field.remove_prefix(1);
    if (field.empty()) return false;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), out);
    return error == std::errc{} && end == field.data() + field.size() && std::isfinite(out);
}

// One line: "value;correction;uncertainty", optionally with a last ";".
bool ReadRow(std::string_view line, CalibrationEntry& row) {
    std::array<std::string_view, 4> fields;
    std::size_t count = 0;
    for (;;) {
        const std::size_t cut = line.find(kSeparator);
        if (count == fields.size()) return false;
        fields[count++] = line.substr(0, cut);
        if (cut == std::string_view::npos) break;
        line.remove_prefix(cut + 1);
    }
    if (count == 4 && !Trim(fields[3]).empty()) return false;
    return count >= 3 && ReadNumber(fields[0], row.value) && ReadNumber(fields[1], row.correction) &&
           ReadNumber(fields[2], row.uncertainty);
}

// The first line (from 1) whose value, as the file keeps it, repeats that of
// an earlier line; 0 when none does. One sort, so that tables of many rows
// load as fast in any order.
int FirstRepeatedValueLine(std::span<const CalibrationEntry> rows, std::span<const int> lines) {
    std::vector<std::pair<double, int>> stored;
    stored.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) stored.emplace_back(StoredCalNumber(rows[i].value), lines[i]);
    std::sort(stored.begin(), stored.end());
    // Within a run of equal values the lines come in file order: the second
    // is the first to repeat the value.
    int first = 0;
    for (std::size_t i = 1; i < stored.size(); ++i) {
        const bool secondOfRun =
            stored[i].first == stored[i - 1].first && (i == 1 || stored[i - 2].first != stored[i].first);
        if (secondOfRun && (first == 0 || stored[i].second < first)) first = stored[i].second;
    }
    return first;
}

}  // namespace

CalParseResult ParseCalText(std::string_view text) {
    CalParseResult result;
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    std::vector<int> lines;  // each row's line, for naming a repeated value
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        // A line ends with LF, CR LF or a lone CR; the last one may end without.
        const std::size_t cut = text.find_first_of("\r\n");
        const std::string_view line = text.substr(0, cut);
        if (cut == std::string_view::npos) {
            text = {};
        } else {
            const bool crlf = text[cut] == '\r' && cut + 1 < text.size() && text[cut + 1] == '\n';
            text.remove_prefix(cut + (crlf ? 2 : 1));
        }
        if (Trim(line).empty()) continue;
        CalibrationEntry row;
        result.fault = ReadRow(line, row) ? CheckCalEntry(row) : CalLineFault::NotThreeNumbers;
        if (result.fault != CalLineFault::None) {
            result.badLine = lineNumber;
            break;
        }
        result.rows.push_back(row);
        lines.push_back(lineNumber);
    }
    // A value repeated before the first bad line is the first fault of the file.
    if (const int repeated = FirstRepeatedValueLine(result.rows, lines); repeated > 0) {
        result.badLine = repeated;
        result.fault = CalLineFault::RepeatedValue;
    }
    if (result.fault != CalLineFault::None) {
        result.rows.clear();
        return result;
    }
    result.ok = true;
    return result;
}

CalLineFault CheckCalEntry(const CalibrationEntry& entry) {
    for (const double v : {entry.value, entry.correction, entry.uncertainty}) {
        if (!(std::fabs(v) <= kCalNumberLimit)) return CalLineFault::OutOfRange;
    }
    return entry.uncertainty < 0 ? CalLineFault::NegativeUncertainty : CalLineFault::None;
}

double StoredCalNumber(double value) {
    const std::string text = FormatCalNumber(value);
    double stored = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), stored);
    return stored;
}

CalParseResult ReadCalFile(const std::filesystem::path& file) {
    const FileRead read = ReadWholeFile(file, kCalFileSizeLimit);
    if (read.state == ReadState::TooLarge) {
        CalParseResult refused;
        refused.fault = CalLineFault::FileTooLarge;
        return refused;
    }
    if (read.state != ReadState::Read) return {};
    return ParseCalText(read.data);
}

std::string FormatCalNumber(double value) {
    std::array<char, 400> buffer{};  // room for the largest double in fixed notation
    const auto [end, error] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, kDecimals);
    std::string text(buffer.data(), error == std::errc{} ? end : buffer.data());
    // A value that rounds to zero is shown as zero, whichever side it lay on.
    if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
    return text;
}

std::string FormatCalText(std::span<const CalibrationEntry> rows) {
    std::string text;
    for (const CalibrationEntry& r : rows) {
        text += FormatCalNumber(r.value);
        text += kSeparator;
        text += FormatCalNumber(r.correction);
        text += kSeparator;
        text += FormatCalNumber(r.uncertainty);
        text += kLineEnd;
    }
    return text;
}

bool WriteCalFile(const std::filesystem::path& file, std::span<const CalibrationEntry> rows) {
    return ReplaceFileAtomically(file, FormatCalText(rows), FileAccess::LikeTheOld);
}

CalFileMessage CalLoadFailureMessage(const CalParseResult& result, const std::string& fileName) {
    CalFileMessage m;
    if (result.badLine > 0) {
        switch (result.fault) {
            case CalLineFault::NegativeUncertainty: m.messageId = msg::CalibrationFileNegativeUncertainty; break;
            case CalLineFault::RepeatedValue: m.messageId = msg::CalibrationFileRepeatedValue; break;
            case CalLineFault::OutOfRange: m.messageId = msg::CalibrationFileNumberOutOfRange; break;
            default: m.messageId = msg::CalibrationFileBadLine; break;
        }
        std::string text(LoadString(m.messageId));
        if (const std::size_t at = text.find(kLinePlaceholder); at != std::string::npos) {
            text.replace(at, kLinePlaceholder.size(), std::to_string(result.badLine));
        }
        m.text = text;
    } else if (result.fault == CalLineFault::FileTooLarge) {
        m.messageId = msg::CalibrationFileTooLarge;
        m.text = LoadString(m.messageId);
    } else {
        m.messageId = msg::CalibrationFileUnavailable;
        m.text = LoadString(m.messageId);
    }
    m.text += "\n" + fileName;
    return m;
}

}  // namespace wegator::lab
