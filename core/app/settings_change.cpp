#include "app/settings_change.h"

#include <algorithm>

namespace wegator {

namespace {

// Temperature source codes: 2 QX-310; 3 QX-311; 4 ASL F-250; 5 QX-310 with the
// QX-311 gradient; 6 ASL F-250 with the QX-311 gradient.
bool SourceReadsQx310(int code) { return code == 2 || code == 5; }
bool SourceReadsQx311(int code) { return code == 3 || code == 5 || code == 6; }
bool SourceReadsF250(int code) { return code == 4 || code == 6; }

bool EngineSettingsDiffer(const Settings& a, const Settings& b) {
    return a.globalAw != b.globalAw || a.globalAi != b.globalAi || a.usedFormulas != b.usedFormulas ||
           a.formulasUncertainty != b.formulasUncertainty;
}

// The columns and the format of the data file, without the saving switch.
SaveFileContents Layout(const std::string& code) {
    SaveFileContents contents = DecodeSaveFileCode(code);
    contents.savingOn = false;
    return contents;
}

bool Contains(const std::vector<LabStream>& streams, LabStream s) {
    return std::find(streams.begin(), streams.end(), s) != streams.end();
}

void PlanStreams(const Settings& b, const Settings& a, LaboratoryChange& lab) {
    const bool wasOn = b.settingsLabDevices != 0;
    const bool isOn = a.settingsLabDevices != 0;
    if (!isOn) {
        lab.instrumentsOff = wasOn;
        lab.showFirstPage = wasOn;
        return;
    }

    std::vector<LabStream> flagged;
    if (!wasOn) flagged.assign(kLabStreams.begin(), kLabStreams.end());
    if (b.settingsPortComQx316 != a.settingsPortComQx316 || b.settingsPortPressDevice != a.settingsPortPressDevice) {
        flagged.push_back(LabStream::Qx316);
    }
    if (b.settingsPortComEnvQx310 != a.settingsPortComEnvQx310 ||
        b.settingsPortEnvQx310Device != a.settingsPortEnvQx310Device) {
        flagged.push_back(LabStream::EnvironmentQx310);
    }
    if (b.settingsPortComDp30 != a.settingsPortComDp30) flagged.push_back(LabStream::Dp30);

    // A thermometer keeps running when both the old and the new source read it
    // on the same port: switching 2 → 5 starts the QX-311 and leaves the QX-310 alone.
    const int oldCode = b.settingsPortTempDevice, newCode = a.settingsPortTempDevice;
    const struct {
        LabStream stream;
        bool (*reads)(int);
        int Settings::*port;
    } thermometers[] = {
        {LabStream::Qx310, SourceReadsQx310, &Settings::settingsPortComQx310},
        {LabStream::Qx311, SourceReadsQx311, &Settings::settingsPortComQx311},
        {LabStream::F250, SourceReadsF250, &Settings::settingsPortComF250},
    };
    const bool thermometryChanged = oldCode != newCode || b.settingsQx311Deviation != a.settingsQx311Deviation ||
                                    b.settingsPortTempCanalF250 != a.settingsPortTempCanalF250 ||
                                    b.settingsPortTempCanalQx311 != a.settingsPortTempCanalQx311 ||
                                    b.settingsPortComQx310 != a.settingsPortComQx310 ||
                                    b.settingsPortComQx311 != a.settingsPortComQx311 ||
                                    b.settingsPortComF250 != a.settingsPortComF250;
    if (thermometryChanged) {
        for (const auto& t : thermometers) {
            if (!(t.reads(oldCode) && t.reads(newCode) && b.*t.port == a.*t.port)) flagged.push_back(t.stream);
        }
    }
    // The ASL F-250 is told its input only when its channel starts, so a new
    // input needs a new start.
    if (b.settingsPortTempCanalF250 != a.settingsPortTempCanalF250) flagged.push_back(LabStream::F250);

    // Only what the new configuration reads is started again; what it no
    // longer reads is closed (a QX-316 while the pressure is entered by hand).
    for (LabStream s : kLabStreams) {
        if (wasOn && StreamInUse(b, s) && !StreamInUse(a, s)) lab.streamsToStop.push_back(s);
        if (Contains(flagged, s) && StreamInUse(a, s)) lab.streamsToRestart.push_back(s);
    }
}

void PlanTables(const Settings& b, const Settings& a, const std::vector<TableLoad>& edited, LaboratoryChange& lab) {
    auto wasEdited = [&](CorrectionTable t, int channel) {
        return std::any_of(edited.begin(), edited.end(),
                           [&](const TableLoad& e) { return e.table == t && e.channel == channel; });
    };
    for (CorrectionTable t : kCorrectionTables) {
        const bool wasOn = TableSwitchedOn(b, t), isOn = TableSwitchedOn(a, t);
        if (wasOn && !isOn) lab.tablesOff.push_back(t);
        if (!isOn) continue;
        const int channels = t == CorrectionTable::Qx311 ? static_cast<int>(kQx311Channels) : 1;
        for (int c = 1; c <= channels; ++c) {
            const int channel = t == CorrectionTable::Qx311 ? c : 0;
            const std::string& path = TablePath(a, t, c);
            if (!wasOn || path != TablePath(b, t, c) || wasEdited(t, channel)) {
                lab.tablesToLoad.push_back({t, channel, path});
            }
        }
    }
}

void PlanDataFile(const Settings& b, const Settings& a, DataFileAction action, LaboratoryChange& lab) {
    const bool savingOn = DecodeSaveFileCode(a.saveFileCode).savingOn;
    const bool savingChanged = DecodeSaveFileCode(b.saveFileCode).savingOn != savingOn;
    lab.dataFile = action;
    lab.headerPending = Layout(b.saveFileCode) != Layout(a.saveFileCode) || b.saveFileName != a.saveFileName ||
                        action == DataFileAction::SwitchEmptied || action == DataFileAction::SwitchAppended;
    lab.stopSaveTimer = savingChanged || b.saveFileName != a.saveFileName || b.saveFileTime != a.saveFileTime ||
                        action != DataFileAction::Keep;
    lab.startSaveTimer = savingOn;
}

}  // namespace

bool StreamInUse(const Settings& s, LabStream stream) {
    if (s.settingsLabDevices == 0) return false;
    switch (stream) {
        case LabStream::Qx316: return s.settingsPortPressDevice == 0;
        case LabStream::EnvironmentQx310: return s.settingsPortEnvQx310Device != 0;
        case LabStream::Dp30: return true;
        case LabStream::Qx310: return SourceReadsQx310(s.settingsPortTempDevice);
        case LabStream::Qx311: return SourceReadsQx311(s.settingsPortTempDevice);
        case LabStream::F250: return SourceReadsF250(s.settingsPortTempDevice);
    }
    return false;
}

int StreamPort(const Settings& s, LabStream stream) {
    switch (stream) {
        case LabStream::Qx316: return s.settingsPortComQx316;
        case LabStream::EnvironmentQx310: return s.settingsPortComEnvQx310;
        case LabStream::Dp30: return s.settingsPortComDp30;
        case LabStream::Qx310: return s.settingsPortComQx310;
        case LabStream::Qx311: return s.settingsPortComQx311;
        case LabStream::F250: return s.settingsPortComF250;
    }
    return -1;
}

bool TableSwitchedOn(const Settings& s, CorrectionTable table) {
    switch (table) {
        case CorrectionTable::Dp30: return s.settingsLabCalibrationTableDp30 != 0;
        case CorrectionTable::F250: return s.settingsLabCalibrationTableF250 != 0;
        case CorrectionTable::Qx310: return s.settingsLabCalibrationTableTempQx310 != 0;
        case CorrectionTable::Qx311: return s.settingsLabCalibrationTableTempQx311 != 0;
    }
    return false;
}

std::string& TablePath(Settings& s, CorrectionTable table, int channel) {
    switch (table) {
        case CorrectionTable::Dp30: return s.calibrationFileNameDp30;
        case CorrectionTable::F250: return s.calibrationFileNameF250;
        case CorrectionTable::Qx310: return s.calibrationFileNameTempQx310;
        case CorrectionTable::Qx311: break;
    }
    const int c = std::clamp(channel, 1, static_cast<int>(kQx311Channels));
    return s.calibrationFileNameTempQx311[static_cast<std::size_t>(c - 1)];
}

const std::string& TablePath(const Settings& s, CorrectionTable table, int channel) {
    return TablePath(const_cast<Settings&>(s), table, channel);
}

SettingsChangePlan PlanSettingsChange(const SettingsState& before, const EditedSettings& after) {
    const Settings& b = before.settings;
    const Settings& a = after.settings;
    SettingsChangePlan plan;

    const bool engine = EngineSettingsDiffer(b, a);
    const bool decimal = b.decimal != a.decimal;
    const std::array<std::pair<int Settings::*, int Settings::*>, 4> precisions = {{
        {&Settings::rhPrecInput, &Settings::rhPrecCalcul},
        {&Settings::misturePrecInput, &Settings::misturePrecCalcul},
        {&Settings::psychometerPrecInput, &Settings::psychometerPrecCalcul},
        {&Settings::pressurePrecInput, &Settings::pressurePrecCalcul},
    }};
    for (std::size_t i = 0; i < plan.pages.size(); ++i) {
        CalculatorPageChange& page = plan.pages[i];
        const auto [input, result] = precisions[i];
        page.engine = engine && i < 3;
        page.format = decimal || b.*input != a.*input || b.*result != a.*result;
        page.stale = page.engine || page.format;
    }

    LaboratoryChange& lab = plan.laboratory;
    lab.engine = engine;
    lab.recompute = engine;
    lab.format =
        decimal || b.laboratoryPrecInput != a.laboratoryPrecInput || b.laboratoryPrecCalcul != a.laboratoryPrecCalcul;
    PlanStreams(b, a, lab);
    lab.handPressure =
        before.handPressure != after.handPressure || (a.settingsPortPressDevice == 1 && b.settingsPortPressDevice != 1);
    // A new collection time changes what an average means as much as a new N does.
    lab.restartAveraging = b.settingsLabUpdate != a.settingsLabUpdate ||
                           b.settingsLabValuesFromDevices != a.settingsLabValuesFromDevices ||
                           b.settingsLabMeanTime != a.settingsLabMeanTime;
    PlanTables(b, a, after.tablesEdited, lab);
    PlanDataFile(b, a, after.dataFile, lab);
    return plan;
}

}  // namespace wegator
