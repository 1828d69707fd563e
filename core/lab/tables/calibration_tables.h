// The laboratory's eleven correction tables: the MBW DP30, the ASL F-250, the
// QX-310 and each of the QX-311's eight channels; their settings, their
// loading from the files the settings name, and the four status lines of the
// laboratory page.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "app/settings.h"
#include "lab/tables/calibration_table.h"
#include "lab/lines/reading.h"

namespace wegator {
class PageHost;
}

namespace wegator::lab {

enum class TableId : std::uint8_t {
    Dp30,
    F250,
    Qx310,
    Qx311Channel1,
    Qx311Channel2,
    Qx311Channel3,
    Qx311Channel4,
    Qx311Channel5,
    Qx311Channel6,
    Qx311Channel7,
    Qx311Channel8,
};
inline constexpr std::size_t kTableCount = 11;

// The QX-311 channel's table, channel 1 to 8.
TableId Qx311Table(int channel);
// 1 to 8 for a QX-311 table, 0 for the others.
int Qx311ChannelOf(TableId id);

// The table that corrects a reading: the DP30's, the F-250's, the QX-310's
// for the air-temperature stream, the channel's for QX-311 channels 1 to 8;
// none for the QX-311's channel 0, the barometer and the room's conditions.
std::optional<TableId> TableFor(const Reading& reading);

// The four groups that share one in-use switch and one status line.
enum class TableFamily : std::uint8_t { Dp30, F250, Qx310, Qx311 };
inline constexpr std::size_t kTableFamilyCount = 4;
TableFamily FamilyOf(TableId id);
// The stream whose readings the family's tables correct.
Stream StreamOf(TableFamily family);

// Settings names: "CALIBRATION_FILE_NAME_DP30" … "CALIBRATION_FILE_NAME_TEMP8_QX311",
// and the switches "SETTINGS_LAB_CALIBRATION_TABLE_DP30" … "…_TEMP_QX311".
std::string_view TableFileSettingName(TableId id);
std::string_view TableSwitchSettingName(TableFamily family);

// The table's file name and its family's switch in the settings record.
std::string& TableFileName(Settings& settings, TableId id);
const std::string& TableFileName(const Settings& settings, TableId id);
bool TableSwitchOn(const Settings& settings, TableFamily family);
std::int32_t& TableSwitch(Settings& settings, TableFamily family);

// A status line of the laboratory page: its text and its tooltip (the table's
// path, or the text itself when no table is in use).
struct TableStatus {
    std::string text;
    std::string tooltip;

    bool operator==(const TableStatus&) const = default;
};

// The tables as the laboratory page holds them for the run.
class CalibrationTables {
public:
    // Loads every table whose file the settings name and takes the in-use
    // switches. A file that cannot be read gives warning 209 with the file's
    // name, a file with a refused line gives that line's warning (1101 to
    // 1104) naming the line and the file; either way that table stays empty
    // (its readings go uncorrected) and the settings keep the name, so the
    // table comes back once the file does. A file without rows loads quietly
    // as no table.
    void Load(const Settings& settings, PageHost& host);
    // Takes new in-use switches (the settings sheet's OK); the tables stay.
    void ApplySwitches(const Settings& settings);

    const CalibrationTable& Table(TableId id) const { return tables_[Index(id)]; }
    const std::string& FileName(TableId id) const { return fileNames_[Index(id)]; }
    // The file was read and the table holds its rows (at least one: a table
    // without rows corrects nothing and is no table).
    bool Loaded(TableId id) const { return loaded_[Index(id)]; }
    // What the table editor closed with: the new rows and the file they came
    // from or went to; the table counts as loaded when that file is named and
    // the table has rows.
    void Replace(TableId id, const CalibrationTable& table, const std::string& fileName);

    // Loaded and its family's switch on: readings are corrected with it.
    bool InUse(TableId id) const;
    // Correction and uncertainty at a raw reading; 0 for a table not in use.
    double Correction(TableId id, double reading) const;
    double Uncertainty(TableId id, double reading) const;
    // The reading's value with its table's correction added when that table
    // is in use; the raw value otherwise.
    double Corrected(const Reading& reading) const;
    // QX-311 tables in use (0 to 8).
    int Qx311TablesInUse() const;

    // The family's status line: "Tablica DP30 jest używana" with the path as
    // tooltip, or "Brak tablicy DP30"; for the QX-311 "Liczba używanych tablic
    // przez QX-311: n" (tooltip: the paths, one per line) or "Brak tablicy QX-311".
    TableStatus Status(TableFamily family) const;

private:
    static std::size_t Index(TableId id) { return static_cast<std::size_t>(id); }

    std::array<CalibrationTable, kTableCount> tables_{};
    std::array<std::string, kTableCount> fileNames_{};
    std::array<bool, kTableCount> loaded_{};
    // Why a named table could not be loaded (empty: it was, or none is named).
    std::array<std::string, kTableCount> problems_{};
    std::array<bool, kTableFamilyCount> switches_{};
};

}  // namespace wegator::lab
