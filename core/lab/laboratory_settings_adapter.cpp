#include "lab/laboratory_settings_adapter.h"

namespace wegator::lab {

Stream StreamOf(LabStream stream) {
    switch (stream) {
        case LabStream::Qx316: return Stream::Qx316;
        case LabStream::EnvironmentQx310: return Stream::Qx310Environment;
        case LabStream::Dp30: return Stream::Dp30;
        case LabStream::Qx310: return Stream::Qx310Temperature;
        case LabStream::Qx311: return Stream::Qx311;
        case LabStream::F250: return Stream::F250;
    }
    return Stream::Dp30;
}

namespace {

TableId TableOf(CorrectionTable table, int channel) {
    switch (table) {
        case CorrectionTable::Dp30: return TableId::Dp30;
        case CorrectionTable::F250: return TableId::F250;
        case CorrectionTable::Qx310: return TableId::Qx310;
        case CorrectionTable::Qx311: return Qx311Table(channel);
    }
    return TableId::Dp30;
}

}  // namespace

LaboratorySettingsTarget::DataFileState LaboratorySettingsAdapter::CurrentDataFile() const {
    return {page_.Data().IsOpen(), page_.Data().Path(), page_.Data().Csv()};
}

LaboratorySettingsTarget::Opening LaboratorySettingsAdapter::OpenNextDataFile(const std::string& path) {
    LaboratoryPage::DataFileOpening opened = LaboratoryPage::OpenDataFile(path);
    nextFile_ = std::move(opened.file);
    if (!nextFile_) return Opening::Failed;
    return opened.existed ? Opening::Existed : Opening::Created;
}

void LaboratorySettingsAdapter::ApplySettingsChange(const Settings& settings, const HandPressure& handPressure,
                                                    const LaboratoryChange& change) {
    page_.ApplySettings(settings);
    if (change.instrumentsOff) {
        for (Stream s : kAllStreams) page_.CloseStream(s);
        page_.StopAcquisition();
    }
    for (LabStream s : change.streamsToStop) page_.CloseStream(StreamOf(s));
    if (change.handPressure && handPressure.kilopascal) {
        page_.SetHandPressure(*handPressure.kilopascal, handPressure.uncertaintyKilopascal.value_or(0.0));
    }
    for (LabStream s : change.streamsToRestart) {
        if (page_.Acquiring()) {
            page_.RestartStream(StreamOf(s));
        } else {
            page_.MarkForRestart(StreamOf(s));
        }
    }
    for (CorrectionTable table : change.tablesOff) {
        const int channels = table == CorrectionTable::Qx311 ? EightChannelPage::kChannels : 1;
        for (int c = 1; c <= channels; ++c) page_.LoadTable(TableOf(table, c), {});
    }
    for (const TableLoad& load : change.tablesToLoad) page_.LoadTable(TableOf(load.table, load.channel), load.path);
    if (change.restartAveraging) {
        page_.StopAcquisition();
        if (settings.settingsLabDevices != 0) page_.StartAveragingTimers();
    }
    if ((change.recompute || change.engine || change.format) && page_.Acquiring()) page_.Recompute();

    if (change.stopSaveTimer) page_.StopSaveTimer();
    switch (change.dataFile) {
        case DataFileAction::Keep: break;
        case DataFileAction::Close: page_.CloseDataFile(); break;
        case DataFileAction::SwitchEmptied:
        case DataFileAction::SwitchAppended:
            page_.TakeDataFile(std::move(nextFile_), change.dataFile == DataFileAction::SwitchEmptied);
            break;
    }
    nextFile_.reset();
    if (change.headerPending) page_.SetHeaderPending();
    if (change.startSaveTimer) page_.StartSaveTimer();
}

}  // namespace wegator::lab
