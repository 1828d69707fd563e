// The settings sheet ("Ustawienia"): five pages that edit copies of the
// settings and check them. Nothing but the texts of the user psychrometer
// constants (and the run's unit choices) reaches the settings record before
// the sheet ends with OK; then Result() is the edited record, which
// PlanSettingsChange turns into what each page and the laboratory must do.
//
// A page takes its values when the user first opens it; pages never opened
// keep the values in force. Leaving a page runs its checks, and a failed
// check keeps the user on it; OK runs the checks of every opened page, the
// data-file page last, and on a failure shows the page that failed.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/psychrometer_adjustment.h"
#include "app/settings.h"
#include "sheet/settings_change.h"
#include "lab/tables/calibration_table.h"
#include "lab/tables/calibration_tables.h"

namespace wegator {

class LaboratorySettingsTarget;

// The boxes the sheet and the adjustment dialogs show.
class SettingsSheetHost {
public:
    virtual ~SettingsSheetHost() = default;
    // Exclamation icon, "OK", empty title: a check that failed, a rejected number.
    virtual void ShowWarning(int messageId, const std::string& text) = 0;
    // A plain box titled with the program's name (the data-file messages).
    virtual void ShowMessage(int messageId, const std::string& text) = 0;
    // Question icon, "Tak"/"Nie", titled with the program's name; true for Yes.
    virtual bool AskYesNo(int messageId, const std::string& text) = 0;
};

// What the application keeps for the run only: the unit texts last chosen in
// the sheet and the adjustment dialogs (empty selects a list's default), and
// the hand-entered pressure of the laboratory.
struct SettingsRunState {
    std::string portsPressureUnit;          // "Porty": the hand-entered pressure
    std::string laboratoryTemperatureUnit;  // "Laboratorium": the uncertainties
    std::string laboratoryPressureUnit;
    std::string waterTemperatureUnit;  // "Regulacja" over water
    std::string waterPressureUnit;
    std::string iceTemperatureUnit;  // "Regulacja" over ice
    std::string icePressureUnit;
    HandPressure handPressure;
};

// What the pages share: the record (its user-constant texts change at once),
// the run's choices, the boxes, the laboratory (may be absent) and the
// decimal sign in force, in which numbers are shown.
struct SheetContext {
    Settings& live;
    SettingsRunState& run;
    SettingsSheetHost& host;
    LaboratorySettingsTarget* laboratory;
    std::string decimalSign;
};

// A number shown in a unit of the user's choice with three decimals but held
// in an internal unit (kPa, or K for a temperature difference). Until the
// user edits its text it keeps its exact value, so showing it rounds nothing.
class HeldNumber {
public:
    enum class Kind { Pressure, TemperatureDifference };
    HeldNumber(Kind kind, std::optional<double> internal, std::string_view unit, const SheetContext& context);
    // Digits a typed value is read with.
    static constexpr int kPrecision = 7;

    const std::string& Text() const { return text_; }
    void Edit(std::string text);
    // Reads the number in the unit shown: nullopt for an empty field; false
    // for a rejected text (reported when `report`).
    bool Read(std::optional<double>& internal, bool report = true) const;
    // Takes the edited text as the exact value (false: rejected, reported)
    // and then shows the value in `unit`.
    bool Settle();
    void Show(std::string_view unit);

private:
    // Three decimals, and for a pressure as many more as its unit is larger than the kPa.
    int ShownDecimals() const;

    Kind kind_;
    SettingsSheetHost* host_;
    std::string decimalSign_;
    std::optional<double> exact_;
    std::string unit_;
    std::string text_;
    bool edited_ = false;
};

// ---- Page "Ogólne": psychrometer constants, formula set, formula uncertainty.
class GeneralSettingsPage {
public:
    GeneralSettingsPage(const Settings& before, const SheetContext& context);

    bool UserConstant(Phase bulb) const { return bulb == Phase::Water ? waterUser_ : iceUser_; }
    // The field and its "Regulacja" are enabled only with "Użytkownik".
    void ChooseUserConstant(Phase bulb, bool user);
    const std::string& ConstantText(Phase bulb) const { return bulb == Phase::Water ? waterText_ : iceText_; }
    // Every change of the text goes into GLOBAL_AW_USER / GLOBAL_AI_USER at once.
    void EditConstantText(Phase bulb, std::string text);
    int FormulaSet() const { return formulaSet_; }
    void ChooseFormulaSet(int set) { formulaSet_ = set == 0 ? 0 : 1; }
    bool FormulaUncertainty() const { return formulaUncertainty_; }
    void SetFormulaUncertainty(bool on) { formulaUncertainty_ = on; }

    // The adjustment dialog for a bulb, with this page's formula set and the
    // units it used last in the run.
    PsychrometerAdjustment MakeAdjustment(Phase bulb) const;
    // After the dialog: its units are kept for the run; a confirmed constant
    // (above 0, from a reference) becomes the field's text and the user text.
    void FinishAdjustment(const PsychrometerAdjustment& adjustment, bool accepted);

    // The constants (-1 for the built-in one) read with ten decimals; a text
    // that is not a constant of 0.00045 … 0.001 gives message 56 (water) or 55
    // (ice) and false.
    bool Check();
    void ApplyTo(Settings& s) const;

private:
    bool CheckConstant(Phase bulb);

    SheetContext context_;
    bool waterUser_, iceUser_;
    std::string waterText_, iceText_;
    double water_, ice_;
    int formulaSet_;
    bool formulaUncertainty_;
};

// ---- Page "Znak dziesiętny": precisions of every page and the decimal sign.
class PrecisionSettingsPage {
public:
    // Rows of the page, top to bottom.
    enum Row { RelativeHumidity, MoistureContent, Psychrometer, Pressure, Laboratory };
    static constexpr int kRows = 5;
    static constexpr int kMaxPrecision = 7;

    explicit PrecisionSettingsPage(const Settings& before);

    const std::string& Text(Row row, bool computed) const { return texts_[Index(row, computed)]; }
    // A text that reads as 0 or more becomes the precision, above 7 as 7; the
    // text itself stays as typed.
    void EditText(Row row, bool computed, std::string text);
    int Precision(Row row, bool computed) const { return values_[Index(row, computed)]; }

    // "kropka" is the point, "przecinek" the comma.
    bool PointChosen() const { return decimal_ == "."; }
    void ChoosePoint(bool point) { decimal_ = point ? "." : ","; }

    void ApplyTo(Settings& s) const;

private:
    static std::size_t Index(Row row, bool computed) { return static_cast<std::size_t>(2 * row + (computed ? 1 : 0)); }

    std::array<std::string, 2 * kRows> texts_;
    std::array<int, 2 * kRows> values_{};
    std::string decimal_;
};

// ---- Page "Porty": instruments, their serial ports and the pressure source.
class PortsSettingsPage {
public:
    // The six port lists.
    enum Port { Dp30, Qx310, Qx311, F250, Qx316, EnvironmentQx310 };
    static constexpr int kPorts = 6;
    enum class Thermometer { None, Qx310, Qx311, F250 };

    PortsSettingsPage(const Settings& before, const HandPressure& hand, const SheetContext& context);

    // The text the port-list worker returned (one "COMn:description" line per
    // port), empty when it was cancelled. The ports configured now are listed
    // whether or not the worker found them.
    void SetPortList(std::string_view text);

    // Entries of every port list; the first, empty, stands for "no port".
    const std::vector<std::string>& PortEntries() const { return entries_; }
    int SelectedEntry(Port p) const;
    void SelectEntry(Port p, int entry);
    int PortNumber(Port p) const { return ports_[p]; }

    Thermometer ChosenThermometer() const { return thermometer_; }
    void ChooseThermometer(Thermometer t) { thermometer_ = t; }
    bool Gradient() const { return gradient_; }
    void SetGradient(bool on) { gradient_ = on; }
    // QX-311 channel list "0" … "8" and ASL F-250 input list "A", "B".
    int Qx311Channel() const;
    void ChooseQx311Channel(int index);
    int F250Input() const { return f250Input_ == "B" ? 1 : 0; }
    void ChooseF250Input(int index) { f250Input_ = index == 1 ? "B" : "A"; }
    bool PressureByHand() const { return pressureByHand_; }
    void SetPressureByHand(bool byHand) { pressureByHand_ = byHand; }
    bool Environment() const { return environment_; }
    void SetEnvironment(bool on) { environment_ = on; }
    bool Devices() const { return devices_; }
    void SetDevices(bool on) { devices_ = on; }

    const std::string& HandPressureText() const { return pressure_.Text(); }
    const std::string& HandUncertaintyText() const { return uncertainty_.Text(); }
    void EditHandPressure(std::string text) { pressure_.Edit(std::move(text)); }
    void EditHandUncertainty(std::string text) { uncertainty_.Edit(std::move(text)); }
    int PressureUnitIndex() const { return unit_; }
    // False (the unit stays) when a typed value does not read as a number.
    bool ChangePressureUnit(int index);

    struct Enabling {
        bool portList[kPorts] = {};
        bool thermometerButtons = false;
        bool gradientBox = false;
        bool qx311Channel = false;
        bool f250Input = false;
        bool pressureButtons = false;
        bool handFields = false;  // pressure, uncertainty and their unit list
        bool environmentBox = false;
    };
    Enabling Enabled() const;

    // With external instruments on: a thermometer (212), the ports of the
    // instruments in use (165, 217, 166, 201, 167, 241), no port twice (168),
    // and the hand-entered pressure (13, 1, 2).
    bool Check();
    void ApplyTo(Settings& s, HandPressure& hand) const;

private:
    // The temperature source code the buttons stand for; 0 with none chosen.
    int SourceCode() const;
    Settings Configured() const;

    SheetContext context_;
    std::vector<std::string> entries_;
    std::array<int, kPorts> ports_{};
    Thermometer thermometer_ = Thermometer::None;
    bool gradient_ = false;
    std::string qx311Channel_, f250Input_;
    bool pressureByHand_ = false, environment_ = false, devices_ = false;
    int unit_ = 0;
    HeldNumber pressure_, uncertainty_;
};

// Port number of a port-list entry: the integer reading from its fourth
// character ("COM" skipped); -1 for none.
int PortNumberOfEntry(std::string_view entry);
// The entries of the port-list worker's text: "COMn:description" becomes
// "COMn (description)", a line without ":" stays as it is; empty lines and a
// last line without its line feed are left out.
std::vector<std::string> PortListEntries(std::string_view text);

// ---- Page "Laboratorium": averaging, instrument uncertainties, correction tables.
class LaboratorySettingsPage {
public:
    enum class Integer { UpdatePeriod, CollectionTime, Observations, StabilityWindow };
    enum class Instrument { Dp30, F250, Qx310, Qx311, Qx316 };
    static constexpr int kInstruments = 5;
    // The stability criteria: drift (unit per minute) and standard deviation
    // (unit) of dew or frost point and temperature (K), pressure (kPa) and
    // relative humidity (%); shown and typed in those units.
    enum class Limit { DewPointDrift, DewPointSd, TemperatureDrift, TemperatureSd, PressureDrift, PressureSd,
                       HumidityDrift, HumiditySd };
    static constexpr int kLimits = 8;

    LaboratorySettingsPage(const Settings& before, const SheetContext& context);

    const std::string& IntegerText(Integer i) const { return integers_[static_cast<std::size_t>(i)]; }
    void EditIntegerText(Integer i, std::string text) { integers_[static_cast<std::size_t>(i)] = std::move(text); }
    const std::string& UncertaintyText(Instrument i) const { return Held(i).Text(); }
    void EditUncertaintyText(Instrument i, std::string text) { Held(i).Edit(std::move(text)); }
    const std::string& LimitText(Limit l) const { return limitTexts_[static_cast<std::size_t>(l)]; }
    void EditLimitText(Limit l, std::string text) { limitTexts_[static_cast<std::size_t>(l)] = std::move(text); }
    int TemperatureUnitIndex() const { return temperatureUnit_; }
    int PressureUnitIndex() const { return pressureUnit_; }
    // False (the unit stays) when a typed value does not read as a number.
    bool ChangeTemperatureUnit(int index);
    bool ChangePressureUnit(int index);

    // The laboratory as its printouts name it: taken as typed, without the
    // blanks around it; never refused.
    enum class Identity { Name, Address, Accreditation };
    static constexpr int kIdentities = 3;
    const std::string& IdentityText(Identity i) const { return identity_[static_cast<std::size_t>(i)]; }
    void EditIdentityText(Identity i, std::string text) { identity_[static_cast<std::size_t>(i)] = std::move(text); }
    // "Uwzględnij niepewność przyrządów": the uncertainty fields are enabled with it.
    bool DevicesError() const { return devicesError_; }
    void SetDevicesError(bool on) { devicesError_ = on; }
    bool TableSwitch(lab::TableFamily f) const { return tables_[static_cast<std::size_t>(f)]; }
    // True when the table editor should open at once (a box that was clear
    // was ticked and the program has an editor).
    bool SetTableSwitch(lab::TableFamily f, bool on);
    // "Tablica": only while its box is ticked, and only when the program has
    // a table editor.
    bool TableButtonEnabled(lab::TableFamily f) const { return tableEditor_ && TableSwitch(f); }
    void SetTableEditorAvailable(bool available) { tableEditor_ = available; }
    const std::string& TableFile(lab::TableId t) const { return lab::TableFileName(paths_, t); }
    // The table "Tablica" opens the editor on: the one in the configured file
    // (for the QX-311, the chosen channel's). A file that cannot be read gives
    // its message (209 or 1101) and an empty table on that name.
    lab::CalibrationTable TableToEdit(lab::TableId t) const;
    // The editor ended with OK on `path`: the table is loaded from it when
    // the sheet is confirmed, even if the name stayed the same.
    void TableEdited(lab::TableId t, std::string path);
    const std::vector<TableLoad>& TablesEdited() const { return edited_; }

    // In order: collection time 60 … 600 s (171), observations 2 … 100 (177),
    // update period 3 … 600 s (172), then the uncertainties (173, 174, 218,
    // 175, 176), the stability window 1 … 240 min and the stability limits
    // (above 0, at most 100). Integers compare in 64 bits.
    bool Check();
    void ApplyTo(Settings& s) const;

private:
    HeldNumber& Held(Instrument i) { return held_[static_cast<std::size_t>(i)]; }
    const HeldNumber& Held(Instrument i) const { return held_[static_cast<std::size_t>(i)]; }

    SheetContext context_;
    std::array<std::string, 4> integers_;
    std::array<std::int64_t, 4> values_{};
    std::array<std::string, kLimits> limitTexts_;
    std::array<double, kLimits> limits_{};
    std::vector<HeldNumber> held_;
    std::array<double, kInstruments> uncertainties_{};
    int temperatureUnit_ = 0, pressureUnit_ = 0;
    bool devicesError_;
    std::array<bool, lab::kTableFamilyCount> tables_{};
    std::array<std::string, kIdentities> identity_;
    bool tableEditor_ = false;
    Settings paths_;  // only the correction-table paths are used
    std::vector<TableLoad> edited_;
};

// ---- Page "Zapis": the laboratory data file.
class FileSettingsPage {
public:
    FileSettingsPage(const Settings& before, const SheetContext& context);

    const std::string& FileName() const { return name_; }
    // The name from the save dialog ("..."), completed by DataFileNameWithExtension.
    // A name with a line break cannot be stored: it is refused with message 195
    // and the name stays as it was.
    bool ChooseFileName(std::string name);
    // Columns, the CSV format and the saving switch.
    SaveFileContents& Contents() { return contents_; }
    const SaveFileContents& Contents() const { return contents_; }
    const std::string& IntervalText() const { return interval_; }
    void EditIntervalText(std::string text) { interval_ = std::move(text); }
    // "Zapisuj niepewności": each value column followed by its standard uncertainty.
    bool Uncertainties() const { return uncertainties_; }
    void SetUncertainties(bool on) { uncertainties_ = on; }
    // "Zapisuj CSV ze znacznikiem BOM": a new or emptied CSV file starts with
    // the UTF-8 byte-order mark spreadsheets look for.
    bool ByteOrderMark() const { return byteOrderMark_; }
    void SetByteOrderMark(bool on) { byteOrderMark_ = on; }

    // With saving on: interval 1 … 6000 minutes (193), a name (194), at least
    // one column (a file of dates alone records nothing), a name that the
    // store can hold and that opens (195), then, for a file that exists, Yes
    // empties it and No appends (196). The old file records until the new one
    // has opened. With saving off an open file is closed.
    bool Check();
    DataFileAction Action() const { return action_; }
    void ApplyTo(Settings& s) const;

private:
    SheetContext context_;
    std::string name_;
    SaveFileContents contents_;
    std::string interval_;
    std::int64_t minutes_ = 1;
    bool uncertainties_ = false;
    bool byteOrderMark_ = false;
    DataFileAction action_ = DataFileAction::Keep;
};

// The save dialog's name: with no extension typed, ".csv" is appended when the
// first filter (CSV) was chosen and ".txt" when the second (text).
std::string DataFileNameWithExtension(const std::string& name, int filterIndex);

class SettingsSheetModel {
public:
    enum Page { kGeneralPage, kPrecisionPage, kPortsPage, kLaboratoryPage, kFilePage };
    static constexpr int kPageCount = 5;

    // `settings` is the record in force; only the user-constant texts change in
    // it before OK. `laboratory` may be null (no laboratory page).
    SettingsSheetModel(Settings& settings, SettingsRunState& run, SettingsSheetHost& host,
                       LaboratorySettingsTarget* laboratory = nullptr);
    ~SettingsSheetModel();

    int CurrentPage() const { return current_; }
    bool Opened(int page) const;
    // The user picks another tab: the page being left checks its values and
    // may keep the user; the new page takes its values when first opened.
    bool GoToPage(int page);
    // Whether the "Tablica" buttons have an editor to open.
    void SetTableEditorAvailable(bool available);

    // OK: true when every opened page passed its checks (the data file is
    // settled last); otherwise CurrentPage() is the page that failed.
    bool Accept();
    const SettingsState& Before() const { return before_; }
    EditedSettings Result() const;

    GeneralSettingsPage& General() { return *general_; }
    PrecisionSettingsPage& Precision() { return *precision_; }
    PortsSettingsPage& Ports() { return *ports_; }
    LaboratorySettingsPage& Laboratory() { return *laboratory_; }
    FileSettingsPage& File() { return *file_; }
    const std::string& DecimalSign() const { return context_.decimalSign; }

private:
    void Open(int page);
    bool CheckPage(int page);

    SheetContext context_;
    SettingsState before_;
    bool tableEditor_ = false;
    int current_ = kGeneralPage;
    std::optional<GeneralSettingsPage> general_;
    std::optional<PrecisionSettingsPage> precision_;
    std::optional<PortsSettingsPage> ports_;
    std::optional<LaboratorySettingsPage> laboratory_;
    std::optional<FileSettingsPage> file_;
};

}  // namespace wegator
