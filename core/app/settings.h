// The settings record of the program: everything that survives from one run to
// the next, with the value each setting has before the user ever changed it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace wegator {

// The QX-311 has eight temperature channels, each with its own correction table.
inline constexpr std::size_t kQx311Channels = 8;

// One field per stored value, in the order in which start-up reads them. The
// initialisers are the values a fresh installation starts with. The settings
// store (settings_store.h) reads and writes this record; nothing else touches
// the store file.
struct Settings {
    // Interface language, "pl" or "en"; empty until the user has chosen one, which
    // makes start-up show the language dialog. Any other text counts as "en".
    std::string language;
    // Decimal sign shown and accepted by the pages: "," or "." (any text other
    // than "," counts as ".").
    std::string decimal = ",";

    // Psychrometer constant in use for a wet bulb covered with water / with ice,
    // in 1/K; -1.0 selects the built-in constant, anything else is a user constant.
    double globalAw = -1.0;
    double globalAi = -1.0;
    // The last user constants, kept as typed so they survive while the built-in
    // constant is selected.
    std::string globalAwUser = "0.0006653286";
    std::string globalAiUser = "0.0005750000";

    // Digits after the decimal sign for input and computed values of each page.
    std::int32_t rhPrecInput = 3;
    std::int32_t rhPrecCalcul = 3;
    std::int32_t misturePrecInput = 3;
    std::int32_t misturePrecCalcul = 3;
    std::int32_t psychometerPrecInput = 3;
    std::int32_t psychometerPrecCalcul = 3;
    std::int32_t laboratoryPrecInput = 3;
    std::int32_t laboratoryPrecCalcul = 3;
    std::int32_t pressurePrecInput = 4;
    std::int32_t pressurePrecCalcul = 4;

    // Nonzero: the formulas' own uncertainty is added to the results.
    std::int32_t formulasUncertainty = 1;
    // 0: ITS-90 formulations; 1: "A Guide to the Measurement of Humidity".
    std::int32_t usedFormulas = 0;

    // Standard uncertainty of each instrument's reading: kelvin for the
    // thermometers and hygrometers, kPa for the QX-316 barometer.
    double settingsLabDp30 = 0.1;
    double settingsLabF250 = 0.1;
    double settingsLabQx310 = 0.1;
    double settingsLabQx311 = 0.1;
    double settingsLabQx316 = 0.1;

    // Laboratory data file: contents as the decimal text of a bit set (see
    // SaveFileContents), its path, and minutes between two records.
    std::string saveFileCode = "0";
    std::string saveFileName;
    std::int32_t saveFileTime = 1;
    // Nonzero: every value column of the data file that has a standard
    // uncertainty (the averaged inputs, the results) is followed by it.
    std::int32_t saveFileUncertainties = 0;
    // Nonzero: a CSV data file started new or emptied begins with a UTF-8
    // byte-order mark, so that spreadsheets read its "°" and "ł" right.
    std::int32_t saveFileBom = 0;

    // Paths of the correction tables (.cal) of the instruments.
    std::string calibrationFileNameDp30;
    std::string calibrationFileNameF250;
    std::string calibrationFileNameTempQx310;
    std::array<std::string, kQx311Channels> calibrationFileNameTempQx311;

    // Laboratory page: seconds between recomputations, seconds over which
    // observations are collected, and whether instrument uncertainty counts.
    std::int32_t settingsLabUpdate = 5;
    std::int32_t settingsLabMeanTime = 60;
    std::int32_t settingsLabIsDevicesError = 1;
    // Nonzero: readings of that instrument are corrected with its table.
    std::int32_t settingsLabCalibrationTableDp30 = 0;
    std::int32_t settingsLabCalibrationTableF250 = 0;
    std::int32_t settingsLabCalibrationTableTempQx310 = 0;
    std::int32_t settingsLabCalibrationTableTempQx311 = 0;
    // Number of observations collected.
    std::int32_t settingsLabValuesFromDevices = 10;
    // Nonzero: external instruments are used.
    std::int32_t settingsLabDevices = 0;

    // Serial port numbers (shown as "COMn"); 0 or less means none.
    std::int32_t settingsPortComDp30 = -1;
    std::int32_t settingsPortComQx316 = -1;
    std::int32_t settingsPortComEnvQx310 = -1;
    std::int32_t settingsPortComQx310 = -1;
    std::int32_t settingsPortComQx311 = -1;
    std::int32_t settingsPortComF250 = -1;
    // Pressure source: 0 the QX-316, 1 entered by hand.
    std::int32_t settingsPortPressDevice = 0;
    // Nonzero: a QX-310 supplies the environment temperature and humidity.
    std::int32_t settingsPortEnvQx310Device = 0;
    // Air-temperature source: 2 QX-310; 3 QX-311; 4 ASL F-250; 5 QX-310 with the
    // QX-311 gradient; 6 ASL F-250 with the QX-311 gradient.
    std::int32_t settingsPortTempDevice = 3;
    // Nonzero: the temperature gradient from the QX-311 is taken into account.
    std::int32_t settingsQx311Deviation = 0;
    // ASL F-250 input "A" or "B"; QX-311 channel "0" … "8".
    std::string settingsPortTempCanalF250 = "A";
    std::string settingsPortTempCanalQx311 = "0";

    // Folder into which a calibration run writes its files.
    std::string calibrFilePath;

    // The laboratory the station belongs to, as its printouts name it: its
    // name, its address and its accreditation number; empty when not given.
    std::string labName;
    std::string labAddress;
    std::string labAccreditation;

    // The barometric pressure entered by hand ("Ręcznie" on "Porty") and its
    // standard uncertainty, kPa, as stored numbers with a point; empty while
    // none was entered. Kept so that a station restarted with the pressure
    // by hand computes at once.
    std::string settingsLabHandPressure;
    std::string settingsLabHandPressureU;

    // Stability: the window the figures are taken over (minutes) and, per
    // kind of quantity, the largest drift (unit per minute) and standard
    // deviation (unit) it may show to count as stable: dew or frost point and
    // temperature in K, pressure in kPa, relative humidity in %.
    std::int32_t settingsLabStabilityWindow = 10;
    double settingsLabStabilityDpDrift = 0.02;
    double settingsLabStabilityDpSd = 0.02;
    double settingsLabStabilityTDrift = 0.02;
    double settingsLabStabilityTSd = 0.02;
    double settingsLabStabilityPDrift = 0.05;
    double settingsLabStabilityPSd = 0.05;
    double settingsLabStabilityRhDrift = 0.1;
    double settingsLabStabilityRhSd = 0.1;
    // A calibration run starts only when the station is stable ("Start po
    // ustabilizowaniu"), waiting at most this many minutes.
    std::int32_t settingsLabRunWaitStable = 0;
    std::int32_t settingsLabRunLongestWait = 60;
    // The trend chart: the quantities shown (keys separated by spaces) and
    // its time window (0: 10 min, 1: 1 h, 2: 8 h, 3: 24 h).
    std::string labChartQuantities = "dp t";
    std::int32_t labChartWindow = 0;
    std::string qx311ChartQuantities = "ch1 ch2 ch3 ch4 ch5 ch6 ch7 ch8";

    // The main window as the user left it: its place and size (a width of 0:
    // the window's own size, at the desktop's choice of place), whether it
    // was maximised, and the page shown (0 "Wilgotność względna" … 5 QX-311).
    std::int32_t windowLeft = 0;
    std::int32_t windowTop = 0;
    std::int32_t windowWidth = 0;
    std::int32_t windowHeight = 0;
    std::int32_t windowMaximized = 0;
    std::int32_t windowPage = 0;
    // The Monte Carlo window as the user left it: its place and size (a width
    // of 0: its own size, at the desktop's choice of place).
    std::int32_t monteCarloLeft = 0;
    std::int32_t monteCarloTop = 0;
    std::int32_t monteCarloWidth = 0;
    std::int32_t monteCarloHeight = 0;
    // Units last chosen on the laboratory page (indexes into the temperature,
    // enthalpy and pressure lists) and on the QX-311 page.
    std::int32_t labTemperatureUnit = 0;
    std::int32_t labEnthalpyUnit = 0;
    std::int32_t labPressureUnit = 0;
    std::int32_t qx311TemperatureUnit = 0;

    bool operator==(const Settings&) const = default;
};

// Reads an integer the way stored texts have always been read: an optional
// sign, then decimal digits up to the first other character. No digits gives 0;
// a value beyond the 64-bit range is clamped to it.
std::int64_t ParseStoredInteger(std::string_view text);

// Turns the stored text of a fractional setting back into a number. Only "." is
// a decimal point. Texts that cannot be a stored number (more than 7 characters
// before the point, more than 15 in all, a second point) give -1.0, which for the
// psychrometer constants selects the built-in constant. Fraction digits past the
// tenth are ignored.
double ParseStoredNumber(std::string_view text);

// What the laboratory data file holds and how, as chosen in the settings sheet.
// Stored as the decimal text of a bit set, bit 1 for the first member up to
// bit 16384 for the last.
struct SaveFileContents {
    bool dewPointInput = false;             // 1: DP/FP input
    bool temperatureInput = false;          // 2: T input
    bool pressureInput = false;             // 4: Pb input
    bool dewPointComputed = false;          // 8: DP/FP computed
    bool temperatureComputed = false;       // 16: T computed
    bool relativeHumidity = false;          // 32: RH
    bool saturationVapourPressure = false;  // 64: SWVP
    bool ppmv = false;                      // 128
    bool ppmw = false;                      // 256
    bool mixingRatio = false;               // 512: x
    bool vapourPressure = false;            // 1024: WVP
    bool enthalpy = false;                  // 2048: I
    bool wetBulb = false;                   // 4096: Tw/Ti
    bool csvFormat = false;                 // 8192: CSV (clear: text format)
    bool savingOn = false;                  // 16384: saving of laboratory data is on

    bool operator==(const SaveFileContents&) const = default;
};

// Text that is not a number decodes as nothing selected.
SaveFileContents DecodeSaveFileCode(std::string_view code);
std::string EncodeSaveFileCode(const SaveFileContents& contents);

}  // namespace wegator
