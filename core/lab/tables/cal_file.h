// The .cal file of a correction table: plain text, one point per line,
//
//   value;correction;uncertainty CR LF      e.g. "-10.000;0.125;0.020\r\n"
//
// numbers with a point whatever the decimal sign on screen. Written with
// three decimals; read from any decimal notation with a point.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lab/tables/calibration_table.h"

namespace wegator::lab {

// The largest magnitude a value, a correction or an uncertainty may have.
// The laboratory's instruments read temperatures and dew points in °C; no
// certificate comes near a million in any column. The bound keeps every
// interpolation finite: two corrections differ by at most 2e6, scaled by a
// fraction of at most one, where rows near 1e308 overflowed to infinity and
// gave NaN corrections.
inline constexpr double kCalNumberLimit = 1e6;

// Why a .cal line is refused.
enum class CalLineFault : std::uint8_t {
    None,
    NotThreeNumbers,      // message 1101
    NegativeUncertainty,  // 1102
    RepeatedValue,        // 1103: the value of an earlier line, to the three decimals a table keeps
    OutOfRange,           // 1104: a number beyond ±kCalNumberLimit
    FileTooLarge,         // 1340: the file is larger than kCalFileSizeLimit (badLine 0)
};

// The largest .cal file read: 16 MiB, half a million rows, far beyond any
// certificate. A larger file is refused before it is read, not after it has
// filled the memory.
inline constexpr std::uintmax_t kCalFileSizeLimit = 16 * 1024 * 1024;

// What reading a .cal text or file gives: the rows in file order, or the
// first line (from 1) that is refused and why.
struct CalParseResult {
    bool ok = false;
    std::vector<CalibrationEntry> rows;
    int badLine = 0;  // when !ok and the text was read: the refused line
    CalLineFault fault = CalLineFault::None;

    bool operator==(const CalParseResult&) const = default;
};

// Reads a whole .cal text line by line. A line ends with CR LF, LF or CR, the
// last one may end without; blank lines are skipped. Every other line must be
// three numbers with a point separated by ";", blanks around them allowed,
// and may end in one more ";". Any other line refuses the whole text, so a
// table is never half loaded ("0,10;0,02;0,01" is refused, not read as zeros);
// so does a row that fails CheckCalEntry, and a row whose value, written with
// three decimals, repeats an earlier row's (the correction would jump there,
// and the editor could not tell the two rows apart).
CalParseResult ParseCalText(std::string_view text);

// A row's own fault: a number beyond ±kCalNumberLimit, or a negative
// uncertainty; None for a row a table may hold.
CalLineFault CheckCalEntry(const CalibrationEntry& entry);

// A number as a .cal file keeps it: rounded to three decimals.
double StoredCalNumber(double value);

// The file read whole and parsed. When it cannot be opened or read, ok is
// false and badLine 0; a file over kCalFileSizeLimit is FileTooLarge.
CalParseResult ReadCalFile(const std::filesystem::path& file);

// "%.03f;%.03f;%.03f\r\n" for every entry, in the given order, with a point.
std::string FormatCalText(std::span<const CalibrationEntry> rows);

// Writes the rows into a temporary file beside the target and renames it over
// the target, so a failed save (full disk, no permission, a folder in the way)
// leaves the old file byte for byte. A replaced file keeps its permissions.
bool WriteCalFile(const std::filesystem::path& file, std::span<const CalibrationEntry> rows);

// A number as the table shows and stores it: three decimals, a point, no
// "-0.000".
std::string FormatCalNumber(double value);

// The message for a file that could not be loaded: string 209 and the file
// name when it could not be read, 1340 and the name when it is too large, the
// refused line's message (1101 to 1104, naming the line) and the file name otherwise.
struct CalFileMessage {
    int messageId = 0;
    std::string text;
};
CalFileMessage CalLoadFailureMessage(const CalParseResult& result, const std::string& fileName);

}  // namespace wegator::lab
