#include "app/settings_store.h"

#include "app/files.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <variant>
#include <vector>

namespace wegator {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kFileHeader = "Windows Registry Editor Version 5.00";
// Older exports start like this; accepted when reading, never written.
constexpr std::string_view kOldFileHeader = "REGEDIT4";
constexpr std::string_view kKeySection = "[HKEY_CURRENT_USER\\SOFTWARE\\TREVAN\\WEGATOR]";
constexpr std::string_view kDwordPrefix = "dword:";
constexpr std::size_t kDwordHexDigits = 8;

// A text value larger than this is not read (the setting gets its default).
constexpr std::size_t kTextReadBuffer = 1024;
// Paths are never cut: a long path stored as its first 80 bytes would point at
// a different file. Budget and read buffer are both 4096 bytes.
constexpr std::size_t kPathBytes = 4096;
constexpr std::size_t kDwordBytes = 4;
// A fractional setting is stored as a short text, at most 15 characters and NUL.
constexpr std::size_t kNumberBytes = 16;

// The path of the correction table of one QX-311 channel, an element of
// Settings::calibrationFileNameTempQx311.
struct Qx311Table {
    std::size_t channel;
};

using SettingField = std::variant<std::string Settings::*, Qx311Table, double Settings::*, std::int32_t Settings::*>;

// How one setting lives in the store file. Text and fractional settings are
// stored as texts ("Name"="…"), integer settings as dwords ("Name"=dword:…).
struct SettingDescriptor {
    std::string_view name;  // value name as it stands in the file
    SettingField field;
    std::size_t byteBudget;  // bytes stored: the text and its NUL, cut to this
    std::size_t readBuffer;  // a stored text longer than this is not read
    int fractionDigits;      // fractional settings: "%.10f" or "%.5f"
    // Written for a missing value instead of the field's default (only "Language").
    std::optional<std::string_view> storedWhenMissing;

    bool IsDword() const { return std::holds_alternative<std::int32_t Settings::*>(field); }
};

constexpr SettingDescriptor Text(std::string_view name, std::size_t byteBudget, std::string Settings::*field,
                                 std::optional<std::string_view> storedWhenMissing = {}) {
    return {name, field, byteBudget, kTextReadBuffer, 0, storedWhenMissing};
}

constexpr SettingDescriptor Path(std::string_view name, SettingField field) {
    return {name, field, kPathBytes, kPathBytes, 0, {}};
}

constexpr SettingDescriptor Number(std::string_view name, int fractionDigits, double Settings::*field) {
    return {name, field, kNumberBytes, kTextReadBuffer, fractionDigits, {}};
}

constexpr SettingDescriptor Dword(std::string_view name, std::int32_t Settings::*field) {
    return {name, field, kDwordBytes, kDwordBytes, 0, {}};
}

// Every stored setting, in the order start-up reads them. Load and save both
// walk this table, so a setting is added by adding one row (and its field).
const SettingDescriptor kSettingsTable[] = {
    // A first start writes "en" but keeps the field empty so that the user is
    // asked for the language.
    Text("Language", 2, &Settings::language, "en"),
    Text("Decimal", 1, &Settings::decimal),
    Number("GLOBAL_AW", 10, &Settings::globalAw),
    Number("GLOBAL_AI", 10, &Settings::globalAi),
    Text("GLOBAL_AW_USER", 16, &Settings::globalAwUser),
    Text("GLOBAL_AI_USER", 16, &Settings::globalAiUser),
    Dword("RH_PREC_INPUT", &Settings::rhPrecInput),
    Dword("RH_PREC_CALCUL", &Settings::rhPrecCalcul),
    Dword("MISTURE_PREC_INPUT", &Settings::misturePrecInput),
    Dword("MISTURE_PREC_CALCUL", &Settings::misturePrecCalcul),
    Dword("PSYCHOMETER_PREC_INPUT", &Settings::psychometerPrecInput),
    Dword("PSYCHOMETER_PREC_CALCUL", &Settings::psychometerPrecCalcul),
    Dword("LABORATORY_PREC_INPUT", &Settings::laboratoryPrecInput),
    Dword("LABORATORY_PREC_CALCUL", &Settings::laboratoryPrecCalcul),
    Dword("PRESSURE_PREC_INPUT", &Settings::pressurePrecInput),
    Dword("PRESSURE_PREC_CALCUL", &Settings::pressurePrecCalcul),
    Dword("FORMULAS_UNCERTAINTY", &Settings::formulasUncertainty),
    Dword("USED_FORMULAS", &Settings::usedFormulas),
    Number("SETTINGS_LAB_DP30", 5, &Settings::settingsLabDp30),
    Number("SETTINGS_LAB_F250", 5, &Settings::settingsLabF250),
    Number("SETTINGS_LAB_QX310", 5, &Settings::settingsLabQx310),
    Number("SETTINGS_LAB_QX311", 5, &Settings::settingsLabQx311),
    Number("SETTINGS_LAB_QX316", 5, &Settings::settingsLabQx316),
    Text("SAVE_FILE_CODE", 80, &Settings::saveFileCode),
    Path("SAVE_FILE_NAME", &Settings::saveFileName),
    Dword("SAVE_FILE_TIME", &Settings::saveFileTime),
    Path("CALIBRATION_FILE_NAME_DP30", &Settings::calibrationFileNameDp30),
    Path("CALIBRATION_FILE_NAME_F250", &Settings::calibrationFileNameF250),
    Path("CALIBRATION_FILE_NAME_TEMP_QX310", &Settings::calibrationFileNameTempQx310),
    Path("CALIBRATION_FILE_NAME_TEMP1_QX311", Qx311Table{0}),
    Path("CALIBRATION_FILE_NAME_TEMP2_QX311", Qx311Table{1}),
    Path("CALIBRATION_FILE_NAME_TEMP3_QX311", Qx311Table{2}),
    Path("CALIBRATION_FILE_NAME_TEMP4_QX311", Qx311Table{3}),
    Path("CALIBRATION_FILE_NAME_TEMP5_QX311", Qx311Table{4}),
    Path("CALIBRATION_FILE_NAME_TEMP6_QX311", Qx311Table{5}),
    Path("CALIBRATION_FILE_NAME_TEMP7_QX311", Qx311Table{6}),
    Path("CALIBRATION_FILE_NAME_TEMP8_QX311", Qx311Table{7}),
    Dword("SETTINGS_LAB_UPDATE", &Settings::settingsLabUpdate),
    Dword("SETTINGS_LAB_MEAN_TIME", &Settings::settingsLabMeanTime),
    Dword("SETTINGS_LAB_IS_DEVICES_ERROR", &Settings::settingsLabIsDevicesError),
    Dword("SETTINGS_LAB_CALIBRATION_TABLE_DP30", &Settings::settingsLabCalibrationTableDp30),
    Dword("SETTINGS_LAB_CALIBRATION_TABLE_F250", &Settings::settingsLabCalibrationTableF250),
    Dword("SETTINGS_LAB_CALIBRATION_TABLE_TEMP_QX310", &Settings::settingsLabCalibrationTableTempQx310),
    Dword("SETTINGS_LAB_CALIBRATION_TABLE_TEMP_QX311", &Settings::settingsLabCalibrationTableTempQx311),
    Dword("SETTINGS_LAB_VALUES_FROM_DEVICES", &Settings::settingsLabValuesFromDevices),
    Dword("SETTINGS_LAB_DEVICES", &Settings::settingsLabDevices),
    Dword("SETTINGS_PORT_COM_DP30", &Settings::settingsPortComDp30),
    Dword("SETTINGS_PORT_COM_QX316", &Settings::settingsPortComQx316),
    Dword("SETTINGS_PORT_COM_ENV_QX310", &Settings::settingsPortComEnvQx310),
    Dword("SETTINGS_PORT_COM_QX310", &Settings::settingsPortComQx310),
    Dword("SETTINGS_PORT_COM_QX311", &Settings::settingsPortComQx311),
    Dword("SETTINGS_PORT_COM_F250", &Settings::settingsPortComF250),
    Dword("SETTINGS_PORT_PRESS_DEVICE", &Settings::settingsPortPressDevice),
    Dword("SETTINGS_PORT_ENV_QX310_DEVICE", &Settings::settingsPortEnvQx310Device),
    Dword("SETTINGS_PORT_TEMP_DEVICE", &Settings::settingsPortTempDevice),
    Dword("SETTINGS_QX311_DEVIATION", &Settings::settingsQx311Deviation),
    Text("SETTINGS_PORT_TEMP_CANAL_F250", 4, &Settings::settingsPortTempCanalF250),
    Text("SETTINGS_PORT_TEMP_CANAL_QX311", 4, &Settings::settingsPortTempCanalQx311),
    Path("CALIBR_FILE_PATH", &Settings::calibrFilePath),
};

// ---- Text helpers --------------------------------------------------------

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Value and key names are not case-sensitive, as in the registry.
bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return true;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string_view UpToNul(std::string_view text) { return text.substr(0, text.find('\0')); }

// The bytes a text value leaves in the store: the text and its terminating NUL,
// cut to the budget, and never in the middle of a UTF-8 character. A line end
// cannot be stored inside a line, so it ends the text like the NUL does.
std::string_view CutToBudget(std::string_view text, std::size_t byteBudget) {
    text = text.substr(0, text.find_first_of(std::string_view("\0\r\n", 3)));
    if (text.size() <= byteBudget) return text;
    std::size_t cut = byteBudget;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    return text.substr(0, cut);
}

std::string Quote(std::string_view text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

// Reads a quoted text starting at line[pos] == '"'; on success pos is left
// just past the closing quote. A text without its closing quote (a line cut
// short) is no text.
std::optional<std::string> Unquote(std::string_view line, std::size_t& pos) {
    if (pos >= line.size() || line[pos] != '"') return std::nullopt;
    std::string text;
    for (std::size_t i = pos + 1; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            pos = i + 1;
            return text;
        }
        if (c == '\\' && i + 1 < line.size() && (line[i + 1] == '\\' || line[i + 1] == '"')) {
            text += line[++i];
        } else {
            text += c;
        }
    }
    return std::nullopt;
}

std::string FormatDword(std::uint32_t value) {
    char digits[kDwordHexDigits];
    for (std::size_t i = kDwordHexDigits; i-- > 0; value >>= 4) {
        digits[i] = "0123456789abcdef"[value & 0xF];
    }
    return std::string(kDwordPrefix) + std::string(digits, kDwordHexDigits);
}

// Fixed notation with the given number of fraction digits, always with a "."
// whatever locale the program runs in (what "%.10f" gives in the C locale).
std::string FormatNumber(double value, int fractionDigits) {
    char buffer[400];  // enough for any double in fixed notation
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, fractionDigits);
    if (result.ec != std::errc{}) return "-1";
    return std::string(buffer, result.ptr);
}

// ---- The store file as read ----------------------------------------------

enum class ValueKind { Text, Dword, Other };

struct StoredValue {
    std::string name;
    ValueKind kind = ValueKind::Other;
    std::string text;         // Text: the unescaped bytes
    std::uint32_t dword = 0;  // Dword
    std::string line;         // as found in the file, for writing it back unchanged
};

struct StoreContents {
    std::vector<StoredValue> values;     // values of our key, in file order
    std::vector<std::string> otherKeys;  // sections of other keys, verbatim
};

// One "name"=data line, or nothing when the line is not a complete value line.
std::optional<StoredValue> ParseValueLine(std::string_view line) {
    StoredValue value;
    std::size_t pos = line.find_first_not_of(" \t");
    if (pos == std::string_view::npos) return std::nullopt;
    if (line[pos] == '@') {  // the key's unnamed value
        value.name = "@";
        ++pos;
    } else {
        auto name = Unquote(line, pos);
        if (!name) return std::nullopt;
        value.name = std::move(*name);
    }
    pos = line.find_first_not_of(" \t", pos);
    if (pos == std::string_view::npos || line[pos] != '=') return std::nullopt;
    const std::string_view data = Trim(line.substr(pos + 1));

    if (data.starts_with('"')) {
        std::size_t end = 0;
        auto text = Unquote(data, end);
        if (!text || end != data.size()) return std::nullopt;
        value.kind = ValueKind::Text;
        value.text = std::move(*text);
    } else if (StartsWithIgnoringCase(data, kDwordPrefix)) {
        const std::string_view hex = data.substr(kDwordPrefix.size());
        if (hex.size() != kDwordHexDigits) return std::nullopt;
        const auto result = std::from_chars(hex.data(), hex.data() + hex.size(), value.dword, 16);
        if (result.ec != std::errc{} || result.ptr != hex.data() + hex.size()) return std::nullopt;
        value.kind = ValueKind::Dword;
    } else {
        value.kind = ValueKind::Other;  // binary, multi-string, deletion, …
    }
    value.line = std::string(line);
    return value;
}

std::vector<std::string_view> SplitLines(std::string_view data) {
    std::vector<std::string_view> lines;
    while (!data.empty()) {
        const std::size_t end = data.find('\n');
        std::string_view line = data.substr(0, end);
        if (line.ends_with('\r')) line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        data.remove_prefix(end + 1);
    }
    return lines;
}

// Reads whatever can be read: lines that are not value lines are skipped, a
// value line cut short is no value, and values before any key line count as
// ours so that a file without its header still works.
StoreContents ParseStore(std::string_view data) {
    constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
    if (data.starts_with(kUtf8Bom)) data.remove_prefix(kUtf8Bom.size());
    const std::vector<std::string_view> lines = SplitLines(data);

    StoreContents contents;
    bool inOurKey = true;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view trimmed = Trim(lines[i]);
        if (trimmed.starts_with('[') && trimmed.ends_with(']')) {
            inOurKey = EqualsIgnoringCase(trimmed, kKeySection);
            if (!inOurKey) contents.otherKeys.emplace_back(lines[i]);
            continue;
        }
        if (!inOurKey) {
            contents.otherKeys.emplace_back(lines[i]);
            continue;
        }
        if (EqualsIgnoringCase(trimmed, kFileHeader) || EqualsIgnoringCase(trimmed, kOldFileHeader)) {
            continue;
        }
        std::optional<StoredValue> value = ParseValueLine(lines[i]);
        if (!value) continue;
        // Binary data is wrapped over several lines, each but the last ending in "\".
        if (value->kind == ValueKind::Other) {
            while (Trim(lines[i]).ends_with('\\') && i + 1 < lines.size()) {
                value->line += '\n';
                value->line += lines[++i];
            }
        }
        contents.values.push_back(std::move(*value));
    }
    return contents;
}

const StoredValue* FindValue(const StoreContents& contents, std::string_view name) {
    for (auto it = contents.values.rbegin(); it != contents.values.rend(); ++it) {
        if (EqualsIgnoringCase(it->name, name)) return &*it;  // the last one wins
    }
    return nullptr;
}

bool IsOurSetting(std::string_view name) {
    for (const SettingDescriptor& setting : kSettingsTable) {
        if (EqualsIgnoringCase(setting.name, name)) return true;
    }
    return false;
}

// ---- Between the record and the file -------------------------------------

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

// Whether a value found in the file can be read into the setting, as the
// registry would: a dword where a dword belongs, a text no larger than the
// setting's read buffer where a text belongs.
bool CanRead(const SettingDescriptor& setting, const StoredValue& value) {
    if (setting.IsDword()) return value.kind == ValueKind::Dword;
    return value.kind == ValueKind::Text && value.text.size() <= setting.readBuffer;
}

void Assign(Settings& settings, const SettingDescriptor& setting, const StoredValue& value) {
    const std::string_view text = UpToNul(value.text);
    std::visit(Overloaded{
                   [&](std::string Settings::*field) { settings.*field = text; },
                   [&](Qx311Table table) { settings.calibrationFileNameTempQx311[table.channel] = text; },
                   [&](double Settings::*field) { settings.*field = ParseStoredNumber(text); },
                   [&](std::int32_t Settings::*field) { settings.*field = static_cast<std::int32_t>(value.dword); },
               },
               setting.field);
}

// The data part of the setting's line: a quoted text cut to the byte budget, or
// a dword.
std::string FormatData(const SettingDescriptor& setting, const Settings& settings) {
    return std::visit(
        Overloaded{
            [&](std::string Settings::*field) { return Quote(CutToBudget(settings.*field, setting.byteBudget)); },
            [&](Qx311Table table) {
                return Quote(CutToBudget(settings.calibrationFileNameTempQx311[table.channel], setting.byteBudget));
            },
            [&](double Settings::*field) {
                return Quote(CutToBudget(FormatNumber(settings.*field, setting.fractionDigits), setting.byteBudget));
            },
            [&](std::int32_t Settings::*field) { return FormatDword(static_cast<std::uint32_t>(settings.*field)); },
        },
        setting.field);
}

std::string FormatLine(const SettingDescriptor& setting, const Settings& settings) {
    return Quote(setting.name) + "=" + FormatData(setting, settings);
}

std::string FormatDefaultLine(const SettingDescriptor& setting) {
    if (setting.storedWhenMissing) {
        return Quote(setting.name) + "=" + Quote(CutToBudget(*setting.storedWhenMissing, setting.byteBudget));
    }
    return FormatLine(setting, Settings{});
}

// The whole file: our key with the given lines for our settings, then the
// values we do not know, then any other keys the file held.
std::string RenderStore(const std::vector<std::string>& settingLines, const StoreContents& kept) {
    std::string out;
    out.append(kFileHeader).append("\n\n").append(kKeySection).append("\n");
    for (const std::string& line : settingLines) out.append(line).append("\n");
    for (const StoredValue& value : kept.values) {
        if (!IsOurSetting(value.name)) out.append(value.line).append("\n");
    }
    out.append("\n");
    for (const std::string& line : kept.otherKeys) out.append(line).append("\n");
    return out;
}

// ---- Files ---------------------------------------------------------------

fs::path HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') return home;
    if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_dir != nullptr) {
        return user->pw_dir;
    }
    return {};
}

}  // namespace

fs::path SettingsStorePath() {
    fs::path configFolder;
    // A relative XDG_CONFIG_HOME is ignored, as the XDG base directory rules ask:
    // the store must not move with the current directory.
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && *xdg != '\0' && fs::path(xdg).is_absolute()) {
        configFolder = xdg;
    } else {
        const fs::path home = HomeFolder();
        if (home.empty()) return {};
        configFolder = home / ".config";
    }
    return configFolder / "TREVAN" / "WEGATOR.reg";
}

Settings LoadSettings(const fs::path& storeFile) {
    Settings settings;
    try {
        const FileRead file = ReadWholeFile(storeFile);
        // A store that exists but cannot be read is left alone: the defaults serve
        // this run, and the user's file is not overwritten by them.
        if (file.state == ReadState::Unreadable) return settings;

        const StoreContents contents = ParseStore(file.data);
        std::vector<std::string> lines;
        bool anyMissing = false;
        for (const SettingDescriptor& setting : kSettingsTable) {
            const StoredValue* value = FindValue(contents, setting.name);
            if (value != nullptr && CanRead(setting, *value)) {
                Assign(settings, setting, *value);
                lines.push_back(value->line);  // what was stored stays as it was
            } else {
                anyMissing = true;
                lines.push_back(FormatDefaultLine(setting));
            }
        }
        // Failing to write the defaults back changes nothing for this run.
        if (anyMissing) ReplaceFileAtomically(storeFile, RenderStore(lines, contents));
    } catch (const std::exception&) {
        // Out of memory over a corrupt file: whatever was read so far serves.
    }
    return settings;
}

Settings LoadSettings() { return LoadSettings(SettingsStorePath()); }

bool SaveSettings(const Settings& settings, const fs::path& storeFile) {
    try {
        const FileRead file = ReadWholeFile(storeFile);
        const StoreContents kept = ParseStore(file.data);
        std::vector<std::string> lines;
        for (const SettingDescriptor& setting : kSettingsTable) {
            lines.push_back(FormatLine(setting, settings));
        }
        return ReplaceFileAtomically(storeFile, RenderStore(lines, kept));
    } catch (const std::exception&) {
        return false;
    }
}

bool SaveSettings(const Settings& settings) { return SaveSettings(settings, SettingsStorePath()); }

}  // namespace wegator
