// How wegator-cli shows an instrument reading: one line of text, or one JSON
// object, with the raw value, the correction from a table and the corrected
// value. Shared by "lab read" and "lab decode".
#pragma once

#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "lab/tables/calibration_table.h"
#include "lab/tables/calibration_tables.h"
#include "lab/lines/reading.h"
#include "text_output.h"

namespace wegator::cli {

// The tables given with --table NAME=FILE, by table.
using LabTables = std::array<std::optional<lab::CalibrationTable>, lab::kTableCount>;

// "dp30", "f250", "qx310", "qx311-1" … "qx311-8".
std::string_view LabTableName(lab::TableId id);
std::optional<lab::TableId> LabTableFromName(std::string_view name);

// A reading with what its table says about it.
struct CorrectedReading {
    lab::Reading raw;
    double correction = 0.0;
    double uncertainty = 0.0;
    bool corrected = false;  // a table applied

    double Value() const { return raw.value + correction; }
};
CorrectedReading Correct(const lab::Reading& reading, const LabTables& tables);

// "°C", or "kPa" for the QX-316.
std::string_view ReadingUnit(lab::Stream stream);

// "dp30       -12.34 °C", with the humidity, the QX-311 channel and, when a
// table applied, "(raw …, correction …, uncertainty …)". Numbers as the
// laboratory page shows them.
std::string ReadingText(const CorrectedReading& reading);
// The members of one reading's JSON object (the caller opens and closes it).
void WriteReadingMembers(JsonWriter& json, const CorrectedReading& reading);

}  // namespace wegator::cli
