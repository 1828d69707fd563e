#include "sheet/settings_change.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>

#include "lab/lines/stream_use.h"

namespace wegator {

namespace {

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

bool Contains(const std::vector<lab::Stream>& streams, lab::Stream s) {
    return std::find(streams.begin(), streams.end(), s) != streams.end();
}

void PlanStreams(const Settings& b, const Settings& a, LaboratoryChange& change) {
    const bool wasOn = b.settingsLabDevices != 0;
    const bool isOn = a.settingsLabDevices != 0;
    if (!isOn) {
        change.instrumentsOff = wasOn;
        change.showFirstPage = wasOn;
        return;
    }

    std::vector<lab::Stream> flagged;
    if (!wasOn) flagged.assign(std::begin(lab::kAllStreams), std::end(lab::kAllStreams));
    if (b.settingsPortComQx316 != a.settingsPortComQx316 || b.settingsPortPressDevice != a.settingsPortPressDevice) {
        flagged.push_back(lab::Stream::Qx316);
    }
    if (b.settingsPortComEnvQx310 != a.settingsPortComEnvQx310 ||
        b.settingsPortEnvQx310Device != a.settingsPortEnvQx310Device) {
        flagged.push_back(lab::Stream::Qx310Environment);
    }
    if (b.settingsPortComDp30 != a.settingsPortComDp30) flagged.push_back(lab::Stream::Dp30);

    // A thermometer keeps running when both the old and the new source read it
    // on the same port: switching 2 → 5 starts the QX-311 and leaves the QX-310 alone.
    const int oldCode = b.settingsPortTempDevice, newCode = a.settingsPortTempDevice;
    constexpr lab::Stream kThermometers[] = {lab::Stream::Qx310Temperature, lab::Stream::Qx311, lab::Stream::F250};
    const bool thermometryChanged = oldCode != newCode || b.settingsQx311Deviation != a.settingsQx311Deviation ||
                                    b.settingsPortTempCanalF250 != a.settingsPortTempCanalF250 ||
                                    b.settingsPortTempCanalQx311 != a.settingsPortTempCanalQx311 ||
                                    b.settingsPortComQx310 != a.settingsPortComQx310 ||
                                    b.settingsPortComQx311 != a.settingsPortComQx311 ||
                                    b.settingsPortComF250 != a.settingsPortComF250;
    if (thermometryChanged) {
        for (lab::Stream t : kThermometers) {
            if (!(lab::TemperatureSourceReads(oldCode, t) && lab::TemperatureSourceReads(newCode, t) &&
                  lab::StreamPort(b, t) == lab::StreamPort(a, t))) {
                flagged.push_back(t);
            }
        }
    }
    // The ASL F-250 is told its input only when its channel starts, so a new
    // input needs a new start.
    if (b.settingsPortTempCanalF250 != a.settingsPortTempCanalF250) flagged.push_back(lab::Stream::F250);

    // Only what the new configuration reads is started again; what it no
    // longer reads is closed (a QX-316 while the pressure is entered by hand).
    for (lab::Stream s : lab::kStreamRestartOrder) {
        if (wasOn && lab::StreamInUse(b, s) && !lab::StreamInUse(a, s)) change.streamsToStop.push_back(s);
        if (Contains(flagged, s) && lab::StreamInUse(a, s)) change.streamsToRestart.push_back(s);
    }
}

void PlanTables(const Settings& b, const Settings& a, const std::vector<TableLoad>& edited, LaboratoryChange& change) {
    for (std::size_t f = 0; f < lab::kTableFamilyCount; ++f) {
        const auto family = static_cast<lab::TableFamily>(f);
        if (lab::TableSwitchOn(b, family) && !lab::TableSwitchOn(a, family)) change.tablesOff.push_back(family);
    }
    for (std::size_t i = 0; i < lab::kTableCount; ++i) {
        const auto id = static_cast<lab::TableId>(i);
        const lab::TableFamily family = lab::FamilyOf(id);
        if (!lab::TableSwitchOn(a, family)) continue;
        const std::string& path = lab::TableFileName(a, id);
        const bool wasEdited =
            std::any_of(edited.begin(), edited.end(), [&](const TableLoad& e) { return e.table == id; });
        if (!lab::TableSwitchOn(b, family) || path != lab::TableFileName(b, id) || wasEdited) {
            change.tablesToLoad.push_back({id, path});
        }
    }
}

void PlanDataFile(const Settings& b, const Settings& a, DataFileAction action, LaboratoryChange& change) {
    const bool savingOn = DecodeSaveFileCode(a.saveFileCode).savingOn;
    const bool savingChanged = DecodeSaveFileCode(b.saveFileCode).savingOn != savingOn;
    change.dataFile = action;
    change.headerPending = Layout(b.saveFileCode) != Layout(a.saveFileCode) || b.saveFileName != a.saveFileName ||
                           action == DataFileAction::SwitchEmptied || action == DataFileAction::SwitchAppended;
    change.stopSaveTimer = savingChanged || b.saveFileName != a.saveFileName || b.saveFileTime != a.saveFileTime ||
                           action != DataFileAction::Keep;
    change.startSaveTimer = savingOn;
}

}  // namespace

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

    LaboratoryChange& change = plan.laboratory;
    change.engine = engine;
    change.recompute = engine;
    change.format =
        decimal || b.laboratoryPrecInput != a.laboratoryPrecInput || b.laboratoryPrecCalcul != a.laboratoryPrecCalcul;
    PlanStreams(b, a, change);
    change.handPressure =
        before.handPressure != after.handPressure || (a.settingsPortPressDevice == 1 && b.settingsPortPressDevice != 1);
    // A new collection time changes what an average means as much as a new N does.
    change.restartAveraging = b.settingsLabUpdate != a.settingsLabUpdate ||
                              b.settingsLabValuesFromDevices != a.settingsLabValuesFromDevices ||
                              b.settingsLabMeanTime != a.settingsLabMeanTime;
    PlanTables(b, a, after.tablesEdited, change);
    // Corrected and uncorrected observations must never share an average.
    if (!change.tablesOff.empty() || !change.tablesToLoad.empty()) change.restartAveraging = true;
    PlanDataFile(b, a, after.dataFile, change);
    return plan;
}

HandPressure StoredHandPressure(const Settings& settings) {
    HandPressure hand;
    if (!settings.settingsLabHandPressure.empty()) {
        hand.kilopascal = ParseStoredNumber(settings.settingsLabHandPressure);
        hand.uncertaintyKilopascal = settings.settingsLabHandPressureU.empty()
                                         ? 0.0
                                         : ParseStoredNumber(settings.settingsLabHandPressureU);
    }
    return hand;
}

void StoreHandPressure(Settings& settings, const HandPressure& hand) {
    auto text = [](double kpa) {
        char buffer[64];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, kpa, std::chars_format::fixed, 5);
        return std::string(buffer, result.ptr);
    };
    settings.settingsLabHandPressure = hand.kilopascal ? text(*hand.kilopascal) : std::string();
    settings.settingsLabHandPressureU =
        hand.kilopascal ? text(std::fabs(hand.uncertaintyKilopascal.value_or(0.0))) : std::string();
}

}  // namespace wegator
