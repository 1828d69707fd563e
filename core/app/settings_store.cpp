#include "app/settings_store.h"

#include "app/files.h"
#include "app/user_folders.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdio>
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
// The laboratory's name, address and accreditation number: a line of the
// printout each, a hundred characters at most (in UTF-8, four bytes each).
constexpr std::size_t kIdentityBytes = 404;
// A fractional setting is stored as a short text, at most 15 characters and NUL.
constexpr std::size_t kNumberBytes = 16;
// … and at most 7 of those characters stand before its point.
constexpr std::size_t kMaxStoredIntegerChars = 7;

// The path of the correction table of one QX-311 channel, an element of
// Settings::calibrationFileNameTempQx311.
struct Qx311Table {
    std::size_t channel;
};

using SettingField = std::variant<std::string Settings::*, Qx311Table, double Settings::*, std::int32_t Settings::*>;

// The values a stored number may take: lo … hi, and -1 besides where -1 means
// "the built-in value" (the psychrometer constants).
struct Range {
    double lo;
    double hi;
    bool orMinusOne = false;

    constexpr bool Holds(double v) const { return (v >= lo && v <= hi) || (orMinusOne && v == -1.0); }
};

// The texts a short text setting may hold; anything else is damage.
using TextCheck = bool (*)(std::string_view);

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
    // Numbers and dwords outside this range are damaged and get their default.
    std::optional<Range> range = {};
    // Texts this check refuses are damaged and get their default.
    TextCheck textCheck = nullptr;

    bool IsDword() const { return std::holds_alternative<std::int32_t Settings::*>(field); }
};

constexpr SettingDescriptor Text(std::string_view name, std::size_t byteBudget, std::string Settings::*field,
                                 std::optional<std::string_view> storedWhenMissing = {}) {
    return {name, field, byteBudget, kTextReadBuffer, 0, storedWhenMissing};
}

constexpr SettingDescriptor CheckedText(std::string_view name, std::size_t byteBudget, std::string Settings::*field,
                                        TextCheck check) {
    return {name, field, byteBudget, kTextReadBuffer, 0, {}, {}, check};
}

constexpr SettingDescriptor Path(std::string_view name, SettingField field) {
    return {name, field, kPathBytes, kPathBytes, 0, {}};
}

constexpr SettingDescriptor Number(std::string_view name, int fractionDigits, double Settings::*field, Range range) {
    return {name, field, kNumberBytes, kTextReadBuffer, fractionDigits, {}, range};
}

constexpr SettingDescriptor Dword(std::string_view name, std::int32_t Settings::*field,
                                  std::optional<Range> range = {}) {
    return {name, field, kDwordBytes, kDwordBytes, 0, {}, range};
}

// ---- What the program can work with ----------------------------------------

// Digits after the decimal sign: more than 7 carry nothing a humidity
// instrument measures, and a huge count stalls every number shown.
constexpr Range kPrecision{0, 7};
// A user psychrometer constant (1/K), or -1 for the built-in one.
constexpr Range kPsychrometerConstant{0.00045, 0.001, true};
// Standard uncertainty of a thermometer or hygrometer (K) and of the barometer (kPa).
constexpr Range kTemperatureUncertainty{0, 50};
constexpr Range kPressureUncertainty{0, 1000};
// A drift or standard-deviation limit: above 0 (a limit of 0 is never met), at most 100 units.
constexpr Range kStabilityLimit{0.00001, 100};
// The main window's place and size in pixels: beyond any desktop there is, a
// stored value is damage and the desktop places the window itself.
constexpr Range kWindowPlace{-100000, 100000};
constexpr Range kWindowSize{0, 100000};

// "SAVE_FILE_CODE": the plain decimal digits of a sum of the fifteen bits.
bool IsSaveFileCode(std::string_view text) {
    if (text.empty() || text.size() > 5) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return ParseStoredInteger(text) <= 32767;
}

bool IsF250Input(std::string_view text) { return text == "A" || text == "B"; }

bool IsQx311Channel(std::string_view text) { return text.size() == 1 && text[0] >= '0' && text[0] <= '8'; }

// A stored number is an optional sign, digits and at most one point, with at
// least one digit: anything else ("0.1 ", "1e3", "") was not written by this
// program, and reading it as far as it goes would give a wrong value.
bool IsStoredNumberText(std::string_view text) {
    std::size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
    bool digit = false, point = false;
    for (; i < text.size(); ++i) {
        if (text[i] >= '0' && text[i] <= '9') {
            digit = true;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digit;
}

// The hand-entered pressure: none, or a stored number within what the
// laboratory computes with (3 … 20000 kPa, an uncertainty below 100 kPa).
bool IsHandPressure(std::string_view text) {
    if (text.empty()) return true;
    if (!IsStoredNumberText(text)) return false;
    const double kpa = ParseStoredNumber(text);
    return kpa >= 3.0 && kpa <= 20000.0;
}

bool IsHandPressureUncertainty(std::string_view text) {
    if (text.empty()) return true;
    if (!IsStoredNumberText(text)) return false;
    const double kpa = ParseStoredNumber(text);
    return kpa >= 0.0 && kpa < 100.0;
}

// The quantities a trend chart shows: short keys ("dp t ch1") of lower-case
// letters, digits and hyphens, separated by spaces; which keys exist is the
// station's business (it skips a key it does not know).
bool IsChartQuantityList(std::string_view text) {
    for (char c : text) {
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == ' ')) return false;
    }
    return true;
}

// Every stored setting, in the order start-up reads them. Load and save both
// walk this table, so a setting is added by adding one row (and its field).
const SettingDescriptor kSettingsTable[] = {
    // A first start writes "en" but keeps the field empty so that the user is
    // asked for the language.
    Text("Language", 2, &Settings::language, "en"),
    Text("Decimal", 1, &Settings::decimal),
    Number("GLOBAL_AW", 10, &Settings::globalAw, kPsychrometerConstant),
    Number("GLOBAL_AI", 10, &Settings::globalAi, kPsychrometerConstant),
    Text("GLOBAL_AW_USER", 16, &Settings::globalAwUser),
    Text("GLOBAL_AI_USER", 16, &Settings::globalAiUser),
    Dword("RH_PREC_INPUT", &Settings::rhPrecInput, kPrecision),
    Dword("RH_PREC_CALCUL", &Settings::rhPrecCalcul, kPrecision),
    Dword("MISTURE_PREC_INPUT", &Settings::misturePrecInput, kPrecision),
    Dword("MISTURE_PREC_CALCUL", &Settings::misturePrecCalcul, kPrecision),
    Dword("PSYCHOMETER_PREC_INPUT", &Settings::psychometerPrecInput, kPrecision),
    Dword("PSYCHOMETER_PREC_CALCUL", &Settings::psychometerPrecCalcul, kPrecision),
    Dword("LABORATORY_PREC_INPUT", &Settings::laboratoryPrecInput, kPrecision),
    Dword("LABORATORY_PREC_CALCUL", &Settings::laboratoryPrecCalcul, kPrecision),
    Dword("PRESSURE_PREC_INPUT", &Settings::pressurePrecInput, kPrecision),
    Dword("PRESSURE_PREC_CALCUL", &Settings::pressurePrecCalcul, kPrecision),
    Dword("FORMULAS_UNCERTAINTY", &Settings::formulasUncertainty),
    Dword("USED_FORMULAS", &Settings::usedFormulas, Range{0, 1}),
    Number("SETTINGS_LAB_DP30", 5, &Settings::settingsLabDp30, kTemperatureUncertainty),
    Number("SETTINGS_LAB_F250", 5, &Settings::settingsLabF250, kTemperatureUncertainty),
    Number("SETTINGS_LAB_QX310", 5, &Settings::settingsLabQx310, kTemperatureUncertainty),
    Number("SETTINGS_LAB_QX311", 5, &Settings::settingsLabQx311, kTemperatureUncertainty),
    Number("SETTINGS_LAB_QX316", 5, &Settings::settingsLabQx316, kPressureUncertainty),
    CheckedText("SAVE_FILE_CODE", 80, &Settings::saveFileCode, IsSaveFileCode),
    Path("SAVE_FILE_NAME", &Settings::saveFileName),
    Dword("SAVE_FILE_TIME", &Settings::saveFileTime, Range{1, 6000}),
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
    Dword("SETTINGS_LAB_UPDATE", &Settings::settingsLabUpdate, Range{3, 600}),
    Dword("SETTINGS_LAB_MEAN_TIME", &Settings::settingsLabMeanTime, Range{60, 600}),
    Dword("SETTINGS_LAB_IS_DEVICES_ERROR", &Settings::settingsLabIsDevicesError),
    Dword("SETTINGS_LAB_CALIBRATION_TABLE_DP30", &Settings::settingsLabCalibrationTableDp30),
    Dword("SETTINGS_LAB_CALIBRATION_TABLE_F250", &Settings::settingsLabCalibrationTableF250),
    Dword("SETTINGS_LAB_CALIBRATION_TABLE_TEMP_QX310", &Settings::settingsLabCalibrationTableTempQx310),
    Dword("SETTINGS_LAB_CALIBRATION_TABLE_TEMP_QX311", &Settings::settingsLabCalibrationTableTempQx311),
    Dword("SETTINGS_LAB_VALUES_FROM_DEVICES", &Settings::settingsLabValuesFromDevices, Range{2, 100}),
    Dword("SETTINGS_LAB_DEVICES", &Settings::settingsLabDevices),
    Dword("SETTINGS_PORT_COM_DP30", &Settings::settingsPortComDp30),
    Dword("SETTINGS_PORT_COM_QX316", &Settings::settingsPortComQx316),
    Dword("SETTINGS_PORT_COM_ENV_QX310", &Settings::settingsPortComEnvQx310),
    Dword("SETTINGS_PORT_COM_QX310", &Settings::settingsPortComQx310),
    Dword("SETTINGS_PORT_COM_QX311", &Settings::settingsPortComQx311),
    Dword("SETTINGS_PORT_COM_F250", &Settings::settingsPortComF250),
    Dword("SETTINGS_PORT_PRESS_DEVICE", &Settings::settingsPortPressDevice, Range{0, 1}),
    Dword("SETTINGS_PORT_ENV_QX310_DEVICE", &Settings::settingsPortEnvQx310Device),
    Dword("SETTINGS_PORT_TEMP_DEVICE", &Settings::settingsPortTempDevice, Range{2, 6}),
    Dword("SETTINGS_QX311_DEVIATION", &Settings::settingsQx311Deviation),
    CheckedText("SETTINGS_PORT_TEMP_CANAL_F250", 4, &Settings::settingsPortTempCanalF250, IsF250Input),
    CheckedText("SETTINGS_PORT_TEMP_CANAL_QX311", 4, &Settings::settingsPortTempCanalQx311, IsQx311Channel),
    Path("CALIBR_FILE_PATH", &Settings::calibrFilePath),
    Text("LAB_NAME", kIdentityBytes, &Settings::labName),
    Text("LAB_ADDRESS", kIdentityBytes, &Settings::labAddress),
    Text("LAB_ACCREDITATION", kIdentityBytes, &Settings::labAccreditation),
    CheckedText("SETTINGS_LAB_HAND_PRESSURE", 24, &Settings::settingsLabHandPressure, IsHandPressure),
    CheckedText("SETTINGS_LAB_HAND_PRESSURE_U", 24, &Settings::settingsLabHandPressureU, IsHandPressureUncertainty),
    Dword("SETTINGS_LAB_STABILITY_WINDOW", &Settings::settingsLabStabilityWindow, Range{1, 240}),
    Number("SETTINGS_LAB_STABILITY_DP_DRIFT", 5, &Settings::settingsLabStabilityDpDrift, kStabilityLimit),
    Number("SETTINGS_LAB_STABILITY_DP_SD", 5, &Settings::settingsLabStabilityDpSd, kStabilityLimit),
    Number("SETTINGS_LAB_STABILITY_T_DRIFT", 5, &Settings::settingsLabStabilityTDrift, kStabilityLimit),
    Number("SETTINGS_LAB_STABILITY_T_SD", 5, &Settings::settingsLabStabilityTSd, kStabilityLimit),
    Number("SETTINGS_LAB_STABILITY_P_DRIFT", 5, &Settings::settingsLabStabilityPDrift, kStabilityLimit),
    Number("SETTINGS_LAB_STABILITY_P_SD", 5, &Settings::settingsLabStabilityPSd, kStabilityLimit),
    Number("SETTINGS_LAB_STABILITY_RH_DRIFT", 5, &Settings::settingsLabStabilityRhDrift, kStabilityLimit),
    Number("SETTINGS_LAB_STABILITY_RH_SD", 5, &Settings::settingsLabStabilityRhSd, kStabilityLimit),
    Dword("SETTINGS_LAB_RUN_WAIT_STABLE", &Settings::settingsLabRunWaitStable, Range{0, 1}),
    Dword("SETTINGS_LAB_RUN_LONGEST_WAIT", &Settings::settingsLabRunLongestWait, Range{1, 1440}),
    CheckedText("LAB_CHART_QUANTITIES", 200, &Settings::labChartQuantities, IsChartQuantityList),
    Dword("LAB_CHART_WINDOW", &Settings::labChartWindow, Range{0, 3}),
    CheckedText("QX311_CHART_QUANTITIES", 200, &Settings::qx311ChartQuantities, IsChartQuantityList),
    Dword("WINDOW_LEFT", &Settings::windowLeft, kWindowPlace),
    Dword("WINDOW_TOP", &Settings::windowTop, kWindowPlace),
    Dword("WINDOW_WIDTH", &Settings::windowWidth, kWindowSize),
    Dword("WINDOW_HEIGHT", &Settings::windowHeight, kWindowSize),
    Dword("WINDOW_MAXIMIZED", &Settings::windowMaximized, Range{0, 1}),
    Dword("WINDOW_PAGE", &Settings::windowPage, Range{0, 5}),
    Dword("MONTE_CARLO_LEFT", &Settings::monteCarloLeft, kWindowPlace),
    Dword("MONTE_CARLO_TOP", &Settings::monteCarloTop, kWindowPlace),
    Dword("MONTE_CARLO_WIDTH", &Settings::monteCarloWidth, kWindowSize),
    Dword("MONTE_CARLO_HEIGHT", &Settings::monteCarloHeight, kWindowSize),
    Dword("LAB_TEMPERATURE_UNIT", &Settings::labTemperatureUnit, Range{0, 2}),
    Dword("LAB_ENTHALPY_UNIT", &Settings::labEnthalpyUnit, Range{0, 1}),
    Dword("LAB_PRESSURE_UNIT", &Settings::labPressureUnit, Range{0, 3}),
    Dword("QX311_TEMPERATURE_UNIT", &Settings::qx311TemperatureUnit, Range{0, 2}),
    Dword("SAVE_FILE_UNCERTAINTIES", &Settings::saveFileUncertainties, Range{0, 1}),
    Dword("SAVE_FILE_BOM", &Settings::saveFileBom, Range{0, 1}),
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

// The text of a fractional setting as the next start reads it back: at most
// 15 characters with at most 7 before the point (ParseStoredNumber). A large
// value gives up fraction digits rather than being cut to a text that reads
// as something else; a value with more than 7 integer characters cannot be
// stored, and the setting's default is stored instead.
std::string FormatStoredNumber(double value, int fractionDigits, double fallback) {
    for (int digits = fractionDigits; digits >= 0; --digits) {
        const std::string text = FormatNumber(value, digits);
        const std::size_t point = text.find('.');
        const std::size_t integerChars = point == std::string::npos ? text.size() : point;
        if (integerChars > kMaxStoredIntegerChars || !IsStoredNumberText(text)) break;
        if (text.size() < kNumberBytes) return text;
    }
    return FormatNumber(fallback, fractionDigits);
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
    // Some line was a header, a key line or a value line: the file is a store,
    // however damaged. A file of nothing but other text is not.
    bool understood = false;
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

// Lines end in LF, CR LF, or CR CR LF (what a text-mode copy of a CR LF file
// gives); every CR before the LF belongs to the line end, so a kept line is
// written back the same at every save.
std::vector<std::string_view> SplitLines(std::string_view data) {
    std::vector<std::string_view> lines;
    while (!data.empty()) {
        const std::size_t end = data.find('\n');
        std::string_view line = data.substr(0, end);
        while (line.ends_with('\r')) line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        data.remove_prefix(end + 1);
    }
    return lines;
}

// Reads whatever can be read: lines that are not value lines are skipped, a
// value line cut short is no value, and values before any key line count as
// ours so that a file without its header still works.
void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// A registry editor exports in UTF-16LE with a byte-order mark. Its text
// becomes UTF-8; a lone half of a surrogate pair becomes U+FFFD.
std::string Utf16LeToUtf8(std::string_view data) {
    std::string out;
    out.reserve(data.size() / 2);
    auto unit = [&](std::size_t i) {
        return static_cast<char16_t>(static_cast<unsigned char>(data[i]) |
                                     (static_cast<unsigned char>(data[i + 1]) << 8));
    };
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
        const char16_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 3 < data.size()) {
            const char16_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        AppendUtf8(out, (u >= 0xD800 && u <= 0xDFFF) ? U'\uFFFD' : static_cast<char32_t>(u));
    }
    return out;
}

StoreContents ParseStore(std::string_view data) {
    constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
    constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
    std::string decoded;
    if (data.starts_with(kUtf16LeBom)) {
        decoded = Utf16LeToUtf8(data.substr(kUtf16LeBom.size()));
        data = decoded;
    } else if (data.starts_with(kUtf8Bom)) {
        data.remove_prefix(kUtf8Bom.size());
    }
    const std::vector<std::string_view> lines = SplitLines(data);

    StoreContents contents;
    bool inOurKey = true;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view trimmed = Trim(lines[i]);
        if (trimmed.starts_with('[') && trimmed.ends_with(']')) {
            contents.understood = true;
            inOurKey = EqualsIgnoringCase(trimmed, kKeySection);
            if (!inOurKey) contents.otherKeys.emplace_back(lines[i]);
            continue;
        }
        if (!inOurKey) {
            contents.otherKeys.emplace_back(lines[i]);
            continue;
        }
        if (EqualsIgnoringCase(trimmed, kFileHeader) || EqualsIgnoringCase(trimmed, kOldFileHeader)) {
            contents.understood = true;
            continue;
        }
        std::optional<StoredValue> value = ParseValueLine(lines[i]);
        if (!value) continue;
        contents.understood = true;
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

// A stored number's value read strictly, to tell a text that ParseStoredNumber
// rejects (giving -1) from a stored -1.
std::optional<double> StrictNumber(std::string_view text) {
    if (text.starts_with('+')) text.remove_prefix(1);
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (result.ec != std::errc{} || result.ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

// Whether a value found in the file can be taken into the setting: readable
// as the registry would read it (a dword where a dword belongs, a text no
// larger than the setting's read buffer where a text belongs), and holding a
// value the program can work with. Anything else is damage, and the setting
// keeps its default.
bool CanUse(const SettingDescriptor& setting, const StoredValue& value) {
    if (setting.IsDword()) {
        if (value.kind != ValueKind::Dword) return false;
        return !setting.range || setting.range->Holds(static_cast<std::int32_t>(value.dword));
    }
    if (value.kind != ValueKind::Text || value.text.size() > setting.readBuffer) return false;
    const std::string_view text = UpToNul(value.text);
    if (std::holds_alternative<double Settings::*>(setting.field)) {
        if (!IsStoredNumberText(text)) return false;
        const double number = ParseStoredNumber(text);
        const std::optional<double> strict = StrictNumber(text);
        if (number == -1.0 && strict != -1.0) return false;  // rejected by its length or form
        return !setting.range || setting.range->Holds(number);
    }
    return setting.textCheck == nullptr || setting.textCheck(text);
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
                return Quote(FormatStoredNumber(settings.*field, setting.fractionDigits, Settings{}.*field));
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

// Any byte but blanks and line ends: a file of nothing else holds nothing to keep.
bool HasContent(std::string_view data) {
    return data.find_first_not_of(std::string_view(" \t\r\n\0", 5)) != std::string_view::npos;
}

}  // namespace

fs::path SettingsStorePath() {
    const fs::path folder = UserConfigFolder();
    if (folder.empty()) return {};
    return folder / "WEGATOR.reg";
}

namespace {

// LoadSettings, and ReadSettingsOnly when `keep` is set: then the file is
// neither moved aside nor written.
Settings ReadStore(const fs::path& storeFile, StoreLoad& load, bool keep, bool* understood) {
    Settings settings;
    load = StoreLoad{};
    if (understood != nullptr) *understood = false;
    try {
        const FileRead file = ReadWholeFile(storeFile, kSettingsStoreSizeLimit);
        // A store that exists but cannot be read, or is too large to be one,
        // is left alone for the whole run: the defaults serve, and the user's
        // file is never overwritten by them.
        if (file.state == ReadState::Unreadable || file.state == ReadState::TooLarge) {
            load.writable = false;
            return settings;
        }

        const StoreContents contents = ParseStore(file.data);
        if (understood != nullptr) *understood = contents.understood;
        if (keep) load.writable = false;
        // Not one line could be understood: perhaps a file of another program,
        // perhaps a store in an encoding we do not know. It is kept beside the
        // store before the defaults take its place; if it cannot be kept, it
        // is not replaced either.
        if (!keep && !contents.understood && HasContent(file.data)) {
            const fs::path target = FollowLinks(storeFile);
            fs::path aside = target;
            aside += kBadStoreSuffix;
            if (std::rename(target.c_str(), aside.c_str()) != 0) {
                load.writable = false;
                return settings;
            }
            load.movedAside = aside;
        }
        std::vector<std::string> lines;
        bool anyMissing = false;
        for (const SettingDescriptor& setting : kSettingsTable) {
            const StoredValue* value = FindValue(contents, setting.name);
            if (value != nullptr && CanUse(setting, *value)) {
                Assign(settings, setting, *value);
                lines.push_back(value->line);  // what was stored stays as it was
            } else {
                anyMissing = true;
                lines.push_back(FormatDefaultLine(setting));
            }
        }
        // Failing to write the defaults back changes nothing for this run.
        if (anyMissing && !keep) ReplaceFileAtomically(storeFile, RenderStore(lines, contents));
    } catch (const std::exception&) {
        // Out of memory over a corrupt file: whatever was read so far serves.
    }
    return settings;
}

}  // namespace

Settings LoadSettings(const fs::path& storeFile, StoreLoad* report) {
    StoreLoad ignored;
    return ReadStore(storeFile, report != nullptr ? *report : ignored, false, nullptr);
}

Settings ReadSettingsOnly(const fs::path& storeFile, bool* understood) {
    StoreLoad load;
    return ReadStore(storeFile, load, true, understood);
}

Settings LoadSettings() { return LoadSettings(SettingsStorePath(), nullptr); }

bool SaveSettings(const Settings& settings, const fs::path& storeFile) {
    try {
        const FileRead file = ReadWholeFile(storeFile, kSettingsStoreSizeLimit);
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
