// The settings sheet's laboratory pages: "Porty" (instruments and their
// ports, the pressure by hand), "Laboratorium" (averaging, uncertainties,
// correction tables) and "Zapis" (the data file), each with its checks.
#include "sheet/settings_sheet.h"

#include <algorithm>

#include "sheet/laboratory_settings_target.h"
#include "sheet/settings_sheet_support.h"
#include "text/strings.h"
#include "lab/tables/cal_file.h"
#include "lab/records/data_file.h"
#include "lab/base/lab_messages.h"
#include "lab/lines/stream_use.h"
#include "pages/number_entry.h"
#include "physics/units.h"

namespace wegator {

using namespace sheet_detail;

// ---- "Porty" ----------------------------------------------------------------

namespace {
// The stream each port list configures.
constexpr std::array<lab::Stream, PortsSettingsPage::kPorts> kPortStreams = {
    lab::Stream::Dp30,  lab::Stream::Qx310Temperature, lab::Stream::Qx311, lab::Stream::F250,
    lab::Stream::Qx316, lab::Stream::Qx310Environment};
// Checked in this order, each with its message.
constexpr std::array<int, PortsSettingsPage::kPorts> kMissingPortMessages = {
    id::kChooseDp30Port, id::kChooseQx310Port, id::kChooseQx311Port,
    id::kChooseF250Port, id::kChooseQx316Port, id::kChooseEnvironmentPort};

std::int32_t& PortField(Settings& s, PortsSettingsPage::Port p) { return lab::StreamPort(s, kPortStreams[p]); }
}  // namespace

int PortNumberOfEntry(std::string_view entry) {
    if (entry.size() < 4) return -1;
    const std::int64_t n = ParseStoredInteger(entry.substr(3));
    return (n > 0 && n <= INT32_MAX) ? static_cast<int>(n) : -1;
}

std::vector<std::string> PortListEntries(std::string_view text) {
    std::vector<std::string> entries;
    for (std::size_t end = text.find('\n'); end != std::string_view::npos; end = text.find('\n')) {
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 1);
        if (line.empty()) continue;
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) {
            entries.emplace_back(line);
        } else {
            entries.push_back(std::string(line.substr(0, colon)) + " (" + std::string(line.substr(colon + 1)) + ")");
        }
    }
    return entries;
}

PortsSettingsPage::PortsSettingsPage(const Settings& before, const HandPressure& hand, const SheetContext& context)
    : context_(context),
      qx311Channel_(before.settingsPortTempCanalQx311),
      f250Input_(before.settingsPortTempCanalF250),
      pressureByHand_(before.settingsPortPressDevice == 1),
      environment_(before.settingsPortEnvQx310Device != 0),
      devices_(before.settingsLabDevices != 0),
      unit_(UnitIndex(kPressureUnits, context.run.portsPressureUnit)),
      pressure_(HeldNumber::Kind::Pressure, hand.kilopascal, kPressureUnits[unit_], context),
      uncertainty_(HeldNumber::Kind::Pressure, hand.uncertaintyKilopascal, kPressureUnits[unit_], context) {
    Settings copy = before;
    for (int p = 0; p < kPorts; ++p) ports_[p] = std::max(PortField(copy, static_cast<Port>(p)), -1);
    for (int& port : ports_) {
        if (port == 0) port = -1;
    }

    SetPortList({});

    switch (before.settingsPortTempDevice) {
        case 2:
        case 5: thermometer_ = Thermometer::Qx310; break;
        case 3: thermometer_ = Thermometer::Qx311; break;
        case 4:
        case 6: thermometer_ = Thermometer::F250; break;
        default: thermometer_ = Thermometer::None; break;
    }
    gradient_ = before.settingsQx311Deviation != 0;
}

void PortsSettingsPage::SetPortList(std::string_view text) {
    entries_.assign(1, std::string());  // no port
    for (std::string& entry : PortListEntries(text)) entries_.push_back(std::move(entry));
    // A configured port stays on the list although the worker did not find it
    // (unplugged, or the list was cancelled): choosing nothing must not lose it.
    std::vector<int> missing;
    for (int port : ports_) {
        if (port > 0 &&
            std::none_of(entries_.begin(), entries_.end(),
                         [&](const std::string& e) { return PortNumberOfEntry(e) == port; }) &&
            std::find(missing.begin(), missing.end(), port) == missing.end()) {
            missing.push_back(port);
        }
    }
    std::sort(missing.begin(), missing.end());
    for (int port : missing) entries_.push_back("COM" + std::to_string(port));
}

int PortsSettingsPage::SelectedEntry(Port p) const {
    if (ports_[p] <= 0) return 0;
    for (std::size_t i = 1; i < entries_.size(); ++i) {
        if (PortNumberOfEntry(entries_[i]) == ports_[p]) return static_cast<int>(i);
    }
    return 0;
}

void PortsSettingsPage::SelectEntry(Port p, int entry) {
    if (entry < 0 || entry >= static_cast<int>(entries_.size())) return;
    ports_[p] = PortNumberOfEntry(entries_[static_cast<std::size_t>(entry)]);
}

int PortsSettingsPage::Qx311Channel() const {
    return static_cast<int>(std::clamp<std::int64_t>(ParseStoredInteger(qx311Channel_), 0, kQx311Channels));
}

void PortsSettingsPage::ChooseQx311Channel(int index) {
    qx311Channel_ = std::to_string(std::clamp(index, 0, static_cast<int>(kQx311Channels)));
}

bool PortsSettingsPage::ChangePressureUnit(int index) {
    if (index < 0 || index >= static_cast<int>(kPressureUnits.size())) return false;
    if (!pressure_.Settle() || !uncertainty_.Settle()) return false;
    unit_ = index;
    context_.run.portsPressureUnit = kPressureUnits[static_cast<std::size_t>(index)];
    pressure_.Show(kPressureUnits[static_cast<std::size_t>(index)]);
    uncertainty_.Show(kPressureUnits[static_cast<std::size_t>(index)]);
    return true;
}

PortsSettingsPage::Enabling PortsSettingsPage::Enabled() const {
    Enabling e;
    if (!devices_) return e;
    for (bool& list : e.portList) list = true;
    e.thermometerButtons = e.gradientBox = e.pressureButtons = e.environmentBox = true;
    e.qx311Channel = e.f250Input = true;
    e.handFields = pressureByHand_;
    e.portList[Qx316] = !pressureByHand_;
    e.portList[EnvironmentQx310] = environment_;
    switch (thermometer_) {
        case Thermometer::Qx310:
            e.f250Input = e.portList[F250] = e.qx311Channel = false;
            e.portList[Qx311] = gradient_;
            break;
        case Thermometer::Qx311: e.portList[Qx310] = e.portList[F250] = e.f250Input = false; break;
        case Thermometer::F250:
            e.portList[Qx310] = e.qx311Channel = false;
            e.portList[Qx311] = gradient_;
            break;
        case Thermometer::None: break;
    }
    return e;
}

int PortsSettingsPage::SourceCode() const {
    switch (thermometer_) {
        case Thermometer::Qx310: return gradient_ ? 5 : 2;
        case Thermometer::Qx311: return 3;
        case Thermometer::F250: return gradient_ ? 6 : 4;
        case Thermometer::None: break;
    }
    return 0;
}

Settings PortsSettingsPage::Configured() const {
    Settings s;
    for (int p = 0; p < kPorts; ++p) PortField(s, static_cast<Port>(p)) = ports_[p];
    s.settingsLabDevices = devices_ ? 1 : 0;
    s.settingsPortTempDevice = SourceCode();
    s.settingsPortPressDevice = pressureByHand_ ? 1 : 0;
    s.settingsPortEnvQx310Device = environment_ ? 1 : 0;
    return s;
}

bool PortsSettingsPage::Check() {
    if (!devices_) return true;
    SettingsSheetHost& host = context_.host;
    if (SourceCode() == 0) {
        Warn(host, id::kChooseThermometer);
        return false;
    }
    const Settings configured = Configured();
    for (int p = 0; p < kPorts; ++p) {
        if (lab::StreamInUse(configured, kPortStreams[p]) && ports_[p] <= 0) {
            Warn(host, kMissingPortMessages[p]);
            return false;
        }
    }
    // The two QX-310 roles count as two instruments: they cannot share a port either.
    for (int p = 0; p < kPorts; ++p) {
        for (int q = p + 1; q < kPorts; ++q) {
            if (lab::StreamInUse(configured, kPortStreams[p]) && lab::StreamInUse(configured, kPortStreams[q]) &&
                ports_[p] == ports_[q]) {
                Warn(host, id::kPortsMustDiffer);
                return false;
            }
        }
    }
    if (pressureByHand_) {
        std::optional<double> pressure, uncertainty;
        if (!pressure_.Read(pressure)) return false;
        if (!pressure) {
            Warn(host, id::kEnterInputPressure);
            return false;
        }
        if (*pressure < 3.0 || *pressure > 20000.0) {
            Warn(host, id::kInputPressureOutOfRange);
            return false;
        }
        if (!uncertainty_.Read(uncertainty)) return false;
        if (uncertainty && (*uncertainty < 0.0 || *uncertainty > 1000.0)) {
            Warn(host, id::kInputPressureUncertaintyOutOfRange);
            return false;
        }
    }
    return true;
}

void PortsSettingsPage::ApplyTo(Settings& s, HandPressure& hand) const {
    for (int p = 0; p < kPorts; ++p) {
        std::int32_t& field = PortField(s, static_cast<Port>(p));
        // "None" keeps the stored way of saying it.
        if (!(ports_[p] <= 0 && field <= 0)) field = ports_[p];
    }
    if (SourceCode() != 0) s.settingsPortTempDevice = SourceCode();
    SetFlag(s.settingsQx311Deviation, gradient_);
    s.settingsPortTempCanalQx311 = qx311Channel_;
    s.settingsPortTempCanalF250 = f250Input_;
    s.settingsPortPressDevice = pressureByHand_ ? 1 : 0;
    SetFlag(s.settingsPortEnvQx310Device, environment_);
    SetFlag(s.settingsLabDevices, devices_);
    // Read quietly: a text that does not read (possible only while the
    // pressure comes from the QX-316, unchecked) leaves the hand pressure as it was.
    std::optional<double> value;
    if (pressure_.Read(value, false)) hand.kilopascal = value;
    if (uncertainty_.Read(value, false)) hand.uncertaintyKilopascal = value;
}

// ---- "Laboratorium" ---------------------------------------------------------

namespace {
struct UncertaintyLimit {
    double Settings::*field;
    double highest;  // K, or kPa for the QX-316
    int message;
};
// In the order of LaboratorySettingsPage::Instrument, which is the order of the checks.
constexpr std::array<UncertaintyLimit, LaboratorySettingsPage::kInstruments> kUncertainties = {{
    {&Settings::settingsLabDp30, 50.0, 173},
    {&Settings::settingsLabF250, 50.0, 174},
    {&Settings::settingsLabQx310, 50.0, 218},
    {&Settings::settingsLabQx311, 50.0, 175},
    {&Settings::settingsLabQx316, 1000.0, 176},
}};
constexpr int kQx316 = static_cast<int>(LaboratorySettingsPage::Instrument::Qx316);

// The stored stability limits, in the order of LaboratorySettingsPage::Limit.
constexpr std::array<double Settings::*, LaboratorySettingsPage::kLimits> kLimitFields{
    &Settings::settingsLabStabilityDpDrift, &Settings::settingsLabStabilityDpSd,
    &Settings::settingsLabStabilityTDrift,  &Settings::settingsLabStabilityTSd,
    &Settings::settingsLabStabilityPDrift,  &Settings::settingsLabStabilityPSd,
    &Settings::settingsLabStabilityRhDrift, &Settings::settingsLabStabilityRhSd,
};
constexpr double kHighestLimit = 100.0;
constexpr std::int64_t kLongestStabilityWindow = 240;
}  // namespace

LaboratorySettingsPage::LaboratorySettingsPage(const Settings& before, const SheetContext& context)
    : context_(context),
      values_{before.settingsLabUpdate, before.settingsLabMeanTime, before.settingsLabValuesFromDevices,
              before.settingsLabStabilityWindow},
      temperatureUnit_(UnitIndex(kTemperatureUnits, context.run.laboratoryTemperatureUnit)),
      pressureUnit_(UnitIndex(kPressureUnits, context.run.laboratoryPressureUnit)),
      devicesError_(before.settingsLabIsDevicesError != 0),
      paths_(before) {
    for (std::size_t i = 0; i < values_.size(); ++i) integers_[i] = std::to_string(values_[i]);
    for (std::size_t i = 0; i < kLimitFields.size(); ++i) {
        limits_[i] = before.*kLimitFields[i];
        limitTexts_[i] = FormatFixed(limits_[i], kShownDecimals, context.decimalSign);
    }
    for (int i = 0; i < kInstruments; ++i) {
        uncertainties_[i] = before.*kUncertainties[i].field;
        if (i == kQx316) {
            held_.emplace_back(HeldNumber::Kind::Pressure, uncertainties_[i], kPressureUnits[pressureUnit_], context);
        } else {
            held_.emplace_back(HeldNumber::Kind::TemperatureDifference, uncertainties_[i],
                               kTemperatureUnits[temperatureUnit_], context);
        }
    }
    for (std::size_t f = 0; f < tables_.size(); ++f)
        tables_[f] = lab::TableSwitchOn(before, static_cast<lab::TableFamily>(f));
    identity_ = {before.labName, before.labAddress, before.labAccreditation};
}

bool LaboratorySettingsPage::ChangeTemperatureUnit(int index) {
    if (index < 0 || index >= static_cast<int>(kTemperatureUnits.size())) return false;
    for (int i = 0; i < kInstruments; ++i) {
        if (i != kQx316 && !held_[i].Settle()) return false;
    }
    temperatureUnit_ = index;
    context_.run.laboratoryTemperatureUnit = kTemperatureUnits[static_cast<std::size_t>(index)];
    for (int i = 0; i < kInstruments; ++i) {
        if (i != kQx316) held_[i].Show(kTemperatureUnits[static_cast<std::size_t>(index)]);
    }
    return true;
}

bool LaboratorySettingsPage::ChangePressureUnit(int index) {
    if (index < 0 || index >= static_cast<int>(kPressureUnits.size())) return false;
    if (!held_[kQx316].Settle()) return false;
    pressureUnit_ = index;
    context_.run.laboratoryPressureUnit = kPressureUnits[static_cast<std::size_t>(index)];
    held_[kQx316].Show(kPressureUnits[static_cast<std::size_t>(index)]);
    return true;
}

bool LaboratorySettingsPage::SetTableSwitch(lab::TableFamily f, bool on) {
    const bool wasOn = TableSwitch(f);
    tables_[static_cast<std::size_t>(f)] = on;
    return on && !wasOn && tableEditor_;
}

lab::CalibrationTable LaboratorySettingsPage::TableToEdit(lab::TableId t) const {
    const std::string& path = TableFile(t);
    if (path.empty()) return {};
    const lab::CalParseResult read = lab::ReadCalFile(path);
    if (read.ok) return lab::CalibrationTable(read.rows);
    const lab::CalFileMessage message = lab::CalLoadFailureMessage(read, path);
    context_.host.ShowWarning(message.messageId, message.text);
    return {};
}

void LaboratorySettingsPage::TableEdited(lab::TableId t, std::string path) {
    std::erase_if(edited_, [&](const TableLoad& e) { return e.table == t; });
    edited_.push_back({t, path});
    lab::TableFileName(paths_, t) = std::move(path);
}

bool LaboratorySettingsPage::Check() {
    SettingsSheetHost& host = context_.host;
    struct IntegerRule {
        Integer field;
        std::int64_t lowest, highest;
        int message;
    };
    static constexpr IntegerRule kRules[] = {
        {Integer::CollectionTime, 60, 600, id::kCollectionTime},
        {Integer::Observations, 2, 100, id::kObservations},
        {Integer::UpdatePeriod, 3, 600, id::kUpdatePeriod},
        {Integer::StabilityWindow, 1, kLongestStabilityWindow, lab::msg::StabilityWindowOutOfRange},
    };
    for (const IntegerRule& rule : kRules) {
        // In 64 bits: "4294967356" seconds is not 60 seconds.
        const std::int64_t value = ParseStoredInteger(IntegerText(rule.field));
        if (value < rule.lowest || value > rule.highest) {
            Warn(host, rule.message);
            return false;
        }
        values_[static_cast<std::size_t>(rule.field)] = value;
    }
    for (int i = 0; i < kInstruments; ++i) {
        std::optional<double> value;
        if (!held_[i].Read(value)) return false;
        const double u = value.value_or(0.0);  // an empty field reads as 0, as GetValue reads it
        if (u < 0.0 || u > kUncertainties[i].highest) {
            Warn(host, kUncertainties[i].message);
            return false;
        }
        uncertainties_[i] = u;
    }
    for (std::size_t i = 0; i < limitTexts_.size(); ++i) {
        const EntryReading reading = GetValue(limitTexts_[i], HeldNumber::kPrecision, context_.decimalSign);
        if (reading.messageId != 0) {
            Warn(host, reading.messageId);
            return false;
        }
        // A limit of 0 could never be met: the station would wait for ever.
        if (!(reading.value > 0.0) || reading.value > kHighestLimit) {
            Warn(host, lab::msg::StabilityLimitOutOfRange);
            return false;
        }
        limits_[i] = reading.value;
    }
    return true;
}

void LaboratorySettingsPage::ApplyTo(Settings& s) const {
    s.settingsLabUpdate = static_cast<std::int32_t>(values_[static_cast<std::size_t>(Integer::UpdatePeriod)]);
    s.settingsLabMeanTime = static_cast<std::int32_t>(values_[static_cast<std::size_t>(Integer::CollectionTime)]);
    s.settingsLabValuesFromDevices =
        static_cast<std::int32_t>(values_[static_cast<std::size_t>(Integer::Observations)]);
    for (int i = 0; i < kInstruments; ++i) s.*kUncertainties[i].field = uncertainties_[i];
    s.settingsLabStabilityWindow =
        static_cast<std::int32_t>(values_[static_cast<std::size_t>(Integer::StabilityWindow)]);
    for (std::size_t i = 0; i < kLimitFields.size(); ++i) s.*kLimitFields[i] = limits_[i];
    SetFlag(s.settingsLabIsDevicesError, devicesError_);
    const auto trimmed = [](const std::string& text) {
        const std::size_t first = text.find_first_not_of(" \t");
        if (first == std::string::npos) return std::string();
        return text.substr(first, text.find_last_not_of(" \t") - first + 1);
    };
    s.labName = trimmed(identity_[0]);
    s.labAddress = trimmed(identity_[1]);
    s.labAccreditation = trimmed(identity_[2]);
    for (std::size_t f = 0; f < lab::kTableFamilyCount; ++f) {
        const auto family = static_cast<lab::TableFamily>(f);
        SetFlag(lab::TableSwitch(s, family), TableSwitch(family));
    }
    for (std::size_t i = 0; i < lab::kTableCount; ++i) {
        const auto id = static_cast<lab::TableId>(i);
        lab::TableFileName(s, id) = lab::TableFileName(paths_, id);
    }
}

// ---- "Zapis" ----------------------------------------------------------------

namespace {

// "Nie wybrano żadnej kolumny do zapisu…"
constexpr int kNoColumnChosen = 1520;

}  // namespace

std::string DataFileNameWithExtension(const std::string& name, int filterIndex) {
    const std::size_t slash = name.find_last_of('/');
    const std::string_view base =
        slash == std::string::npos ? std::string_view(name) : std::string_view(name).substr(slash + 1);
    if (name.empty() || base.find('.') != std::string_view::npos) return name;
    if (filterIndex == 0) return name + ".csv";
    if (filterIndex == 1) return name + ".txt";
    return name;
}

FileSettingsPage::FileSettingsPage(const Settings& before, const SheetContext& context)
    : context_(context),
      name_(before.saveFileName),
      contents_(DecodeSaveFileCode(before.saveFileCode)),
      interval_(std::to_string(before.saveFileTime)),
      minutes_(before.saveFileTime),
      uncertainties_(before.saveFileUncertainties != 0),
      byteOrderMark_(before.saveFileBom != 0) {}

bool FileSettingsPage::ChooseFileName(std::string name) {
    // The settings store keeps one line per value: a name with a line break
    // could never be stored whole.
    if (HasLineBreak(name)) {
        Tell(context_.host, id::kFileUnusable);
        return false;
    }
    name_ = std::move(name);
    return true;
}

bool FileSettingsPage::Check() {
    SettingsSheetHost& host = context_.host;
    LaboratorySettingsTarget* laboratory = context_.laboratory;
    action_ = DataFileAction::Keep;
    if (!contents_.savingOn) {
        if (laboratory != nullptr && laboratory->CurrentDataFile().open) action_ = DataFileAction::Close;
        return true;
    }
    const std::int64_t minutes = ParseStoredInteger(interval_);
    if (minutes < 1 || minutes > 6000) {
        Tell(host, id::kIntervalOutOfRange);
        return false;
    }
    if (name_.empty()) {
        Tell(host, id::kSetFileName);
        return false;
    }
    if (lab::SelectedColumns(contents_).empty()) {
        Tell(host, kNoColumnChosen);
        return false;
    }
    minutes_ = minutes;
    if (laboratory == nullptr) return true;

    const LaboratorySettingsTarget::DataFileState current = laboratory->CurrentDataFile();
    if (current.open && current.path == name_ && current.csv == contents_.csvFormat) return true;
    // The new file opens before the old one closes: if it cannot be used, the
    // old file and its timer go on recording.
    switch (laboratory->OpenNextDataFile(name_)) {
        case LaboratorySettingsTarget::Opening::Failed: Tell(host, id::kFileUnusable); return false;
        case LaboratorySettingsTarget::Opening::Created: action_ = DataFileAction::SwitchAppended; break;
        case LaboratorySettingsTarget::Opening::Existed:
            action_ = host.AskYesNo(id::kEmptyExistingFile, std::string(LoadString(id::kEmptyExistingFile)))
                          ? DataFileAction::SwitchEmptied
                          : DataFileAction::SwitchAppended;
            break;
    }
    return true;
}

void FileSettingsPage::ApplyTo(Settings& s) const {
    s.saveFileCode = EncodeSaveFileCode(contents_);
    s.saveFileName = name_;
    const std::int64_t minutes = ParseStoredInteger(interval_);
    s.saveFileTime = static_cast<std::int32_t>((minutes >= 1 && minutes <= 6000) ? minutes : minutes_);
    s.saveFileUncertainties = uncertainties_ ? 1 : 0;
    s.saveFileBom = byteOrderMark_ ? 1 : 0;
}

}  // namespace wegator
