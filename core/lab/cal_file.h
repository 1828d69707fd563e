// The .cal file of a correction table: plain text, one point per line,
//
//   value;correction;uncertainty CR LF      e.g. "-10.000;0.125;0.020\r\n"
//
// numbers with a point whatever the decimal sign on screen. Written with
// three decimals; read from any decimal notation with a point.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lab/calibration_table.h"

namespace wegator::lab {

// What reading a .cal text or file gives: the rows in file order, or the
// number of the first line (from 1) that is not three numbers.
struct CalParseResult {
    bool ok = false;
    std::vector<CalibrationEntry> rows;
    int badLine = 0;  // when !ok and the text was read: the refused line

    bool operator==(const CalParseResult&) const = default;
};

// Reads a whole .cal text line by line. A line ends with CR LF, LF or CR, the
// last one may end without; blank lines are skipped. Every other line must be
// three numbers with a point separated by ";", blanks around them allowed,
// and may end in one more ";". Any other line refuses the whole text, so a
// table is never half loaded ("0,10;0,02;0,01" is refused, not read as zeros).
CalParseResult ParseCalText(std::string_view text);

// The file read whole and parsed. When it cannot be opened or read, ok is
// false and badLine 0.
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
// name when it could not be read, the refused line's message (1101) and the
// file name when a line is not three numbers.
struct CalFileMessage {
    int messageId = 0;
    std::string text;
};
CalFileMessage CalLoadFailureMessage(const CalParseResult& result, const std::string& fileName);

}  // namespace wegator::lab
