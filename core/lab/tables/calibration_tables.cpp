#include "lab/tables/calibration_tables.h"

#include "text/string_table.h"
#include "text/strings.h"
#include "lab/tables/cal_file.h"
#include "lab/base/lab_messages.h"
#include "pages/page_host.h"

namespace wegator::lab {

namespace {

constexpr std::string_view kFileSettingNames[kTableCount] = {
    "CALIBRATION_FILE_NAME_DP30",        "CALIBRATION_FILE_NAME_F250",        "CALIBRATION_FILE_NAME_TEMP_QX310",
    "CALIBRATION_FILE_NAME_TEMP1_QX311", "CALIBRATION_FILE_NAME_TEMP2_QX311", "CALIBRATION_FILE_NAME_TEMP3_QX311",
    "CALIBRATION_FILE_NAME_TEMP4_QX311", "CALIBRATION_FILE_NAME_TEMP5_QX311", "CALIBRATION_FILE_NAME_TEMP6_QX311",
    "CALIBRATION_FILE_NAME_TEMP7_QX311", "CALIBRATION_FILE_NAME_TEMP8_QX311",
};

constexpr std::string_view kSwitchSettingNames[kTableFamilyCount] = {
    "SETTINGS_LAB_CALIBRATION_TABLE_DP30",
    "SETTINGS_LAB_CALIBRATION_TABLE_F250",
    "SETTINGS_LAB_CALIBRATION_TABLE_TEMP_QX310",
    "SETTINGS_LAB_CALIBRATION_TABLE_TEMP_QX311",
};

// Status texts of the single-table families: in use, missing.
struct StatusTexts {
    int inUse;
    int missing;
};
constexpr StatusTexts kStatusTexts[] = {
    {wegator::msg::Dp30TableInUse, wegator::msg::NoDp30Table},
    {wegator::msg::F250TableInUse, wegator::msg::NoF250Table},
    {wegator::msg::Qx310TableInUse, wegator::msg::NoQx310Table},
};

constexpr int kFirstQx311Index = static_cast<int>(TableId::Qx311Channel1);

}  // namespace

TableId Qx311Table(int channel) { return static_cast<TableId>(kFirstQx311Index + channel - 1); }

int Qx311ChannelOf(TableId id) {
    const int index = static_cast<int>(id);
    return index >= kFirstQx311Index ? index - kFirstQx311Index + 1 : 0;
}

std::optional<TableId> TableFor(const Reading& reading) {
    switch (reading.stream) {
        case Stream::Dp30: return TableId::Dp30;
        case Stream::F250: return TableId::F250;
        case Stream::Qx310Temperature: return TableId::Qx310;
        case Stream::Qx311:
            if (reading.channel >= 1 && reading.channel <= static_cast<int>(kQx311Channels)) {
                return Qx311Table(reading.channel);
            }
            return std::nullopt;
        default: return std::nullopt;
    }
}

Stream StreamOf(TableFamily family) {
    switch (family) {
        case TableFamily::Dp30: return Stream::Dp30;
        case TableFamily::F250: return Stream::F250;
        case TableFamily::Qx310: return Stream::Qx310Temperature;
        case TableFamily::Qx311: break;
    }
    return Stream::Qx311;
}

TableFamily FamilyOf(TableId id) {
    switch (id) {
        case TableId::Dp30: return TableFamily::Dp30;
        case TableId::F250: return TableFamily::F250;
        case TableId::Qx310: return TableFamily::Qx310;
        default: return TableFamily::Qx311;
    }
}

std::string_view TableFileSettingName(TableId id) { return kFileSettingNames[static_cast<std::size_t>(id)]; }

std::string_view TableSwitchSettingName(TableFamily family) {
    return kSwitchSettingNames[static_cast<std::size_t>(family)];
}

std::string& TableFileName(Settings& settings, TableId id) {
    switch (id) {
        case TableId::Dp30: return settings.calibrationFileNameDp30;
        case TableId::F250: return settings.calibrationFileNameF250;
        case TableId::Qx310: return settings.calibrationFileNameTempQx310;
        default: return settings.calibrationFileNameTempQx311[static_cast<std::size_t>(Qx311ChannelOf(id) - 1)];
    }
}

const std::string& TableFileName(const Settings& settings, TableId id) {
    return TableFileName(const_cast<Settings&>(settings), id);
}

std::int32_t& TableSwitch(Settings& settings, TableFamily family) {
    switch (family) {
        case TableFamily::Dp30: return settings.settingsLabCalibrationTableDp30;
        case TableFamily::F250: return settings.settingsLabCalibrationTableF250;
        case TableFamily::Qx310: return settings.settingsLabCalibrationTableTempQx310;
        case TableFamily::Qx311: break;
    }
    return settings.settingsLabCalibrationTableTempQx311;
}

bool TableSwitchOn(const Settings& settings, TableFamily family) {
    return TableSwitch(const_cast<Settings&>(settings), family) != 0;
}

void CalibrationTables::Load(const Settings& settings, PageHost& host) {
    ApplySwitches(settings);
    for (std::size_t i = 0; i < kTableCount; ++i) {
        const auto id = static_cast<TableId>(i);
        tables_[i].Clear();
        loaded_[i] = false;
        problems_[i].clear();
        fileNames_[i] = TableFileName(settings, id);
        if (fileNames_[i].empty()) continue;
        const CalParseResult file = ReadCalFile(fileNames_[i]);
        if (!file.ok) {
            const CalFileMessage m = CalLoadFailureMessage(file, fileNames_[i]);
            host.ShowWarning(m.messageId, m.text);
            // Kept for the status line: the readings go uncorrected for as long as it lasts.
            problems_[i] = m.text;
            continue;
        }
        tables_[i] = CalibrationTable(file.rows);
        loaded_[i] = !tables_[i].Empty();
    }
}

void CalibrationTables::ApplySwitches(const Settings& settings) {
    for (std::size_t f = 0; f < kTableFamilyCount; ++f) {
        switches_[f] = TableSwitchOn(settings, static_cast<TableFamily>(f));
    }
}

void CalibrationTables::Replace(TableId id, const CalibrationTable& table, const std::string& fileName) {
    tables_[Index(id)] = table;
    fileNames_[Index(id)] = fileName;
    problems_[Index(id)].clear();
    loaded_[Index(id)] = !fileName.empty() && !table.Empty();
}

bool CalibrationTables::InUse(TableId id) const {
    return loaded_[Index(id)] && switches_[static_cast<std::size_t>(FamilyOf(id))];
}

double CalibrationTables::Correction(TableId id, double reading) const {
    return InUse(id) ? Table(id).Correction(reading) : 0.0;
}

double CalibrationTables::Uncertainty(TableId id, double reading) const {
    return InUse(id) ? Table(id).Uncertainty(reading) : 0.0;
}

double CalibrationTables::Corrected(const Reading& reading) const {
    const auto id = TableFor(reading);
    return id ? reading.value + Correction(*id, reading.value) : reading.value;
}

int CalibrationTables::Qx311TablesInUse() const {
    int n = 0;
    for (int channel = 1; channel <= static_cast<int>(kQx311Channels); ++channel) {
        if (InUse(Qx311Table(channel))) ++n;
    }
    return n;
}

TableStatus CalibrationTables::Status(TableFamily family) const {
    TableStatus s;
    // A table switched on that could not be loaded says so first: the page
    // must not look as if its readings were corrected.
    if (switches_[static_cast<std::size_t>(family)]) {
        for (std::size_t i = 0; i < kTableCount; ++i) {
            if (FamilyOf(static_cast<TableId>(i)) != family || problems_[i].empty()) continue;
            s.text = MessageText(lab::msg::TableNotLoaded, {fileNames_[i]});
            s.tooltip = problems_[i];
            return s;
        }
    }
    if (family == TableFamily::Qx311) {
        const int n = Qx311TablesInUse();
        if (n == 0) {
            s.text = LoadString(wegator::msg::NoQx311Table);
            s.tooltip = s.text;
            return s;
        }
        s.text = std::string(LoadString(wegator::msg::Qx311TablesInUse)) + ": " + std::to_string(n);
        for (int channel = 1; channel <= static_cast<int>(kQx311Channels); ++channel) {
            if (!InUse(Qx311Table(channel))) continue;
            if (!s.tooltip.empty()) s.tooltip += '\n';
            s.tooltip += std::to_string(channel) + ": " + FileName(Qx311Table(channel));
        }
        return s;
    }
    // The single-table families share their numbers with their tables.
    const TableId id = static_cast<TableId>(family);
    const StatusTexts& texts = kStatusTexts[static_cast<std::size_t>(family)];
    if (InUse(id)) {
        s.text = LoadString(texts.inUse);
        s.tooltip = FileName(id);
    } else {
        s.text = LoadString(texts.missing);
        s.tooltip = s.text;
    }
    return s;
}

}  // namespace wegator::lab
