#include "sheet/laboratory_settings_adapter.h"

namespace wegator::lab {

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
    for (Stream s : change.streamsToStop) page_.CloseStream(s);
    if (change.handPressure && handPressure.kilopascal) {
        page_.SetHandPressure(*handPressure.kilopascal, handPressure.uncertaintyKilopascal.value_or(0.0));
    }
    for (Stream s : change.streamsToRestart) {
        if (page_.Acquiring()) {
            page_.RestartStream(s);
        } else {
            page_.MarkForRestart(s);
        }
    }
    // A table switched off is removed; for the QX-311, every channel's.
    for (TableFamily family : change.tablesOff) {
        for (std::size_t i = 0; i < kTableCount; ++i) {
            if (FamilyOf(static_cast<TableId>(i)) == family) page_.LoadTable(static_cast<TableId>(i), {});
        }
    }
    for (const TableLoad& load : change.tablesToLoad) page_.LoadTable(load.table, load.path);
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
