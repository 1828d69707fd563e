#include "lab/station/station_end.h"

#include "lab/base/lab_messages.h"
#include "lab/station/laboratory_page.h"

namespace wegator::lab {

std::string StationEndQuestion(const StationWork& work) {
    if (!work.Any()) return {};
    // One line for each thing that stops, the series last, right above the
    // question, so that it is read with the series in mind.
    std::string lines;
    auto add = [&lines](const std::string& line) {
        if (!lines.empty()) lines += '\n';
        lines += line;
    };
    if (work.measuring) add(MessageText(msg::EndStationMeasuring));
    if (!work.dataFile.empty()) add(MessageText(msg::EndStationDataFile, {work.dataFile}));
    if (work.runRunning) {
        add(MessageText(msg::EndStationRunRunning,
                        {std::to_string(work.runRows), std::to_string(work.runPlannedRows)}));
    } else if (work.runWaiting) {
        add(MessageText(msg::EndStationRunWaiting, {std::to_string(work.runPlannedRows)}));
    }
    return MessageText(msg::EndStationQuestion, {lines});
}

// ---- the page's side

StationWork LaboratoryPage::Work() const {
    StationWork work;
    work.measuring = settings_.settingsLabDevices != 0 && averaging_;
    if (dataFile_.IsOpen()) work.dataFile = dataFile_.Path();
    work.runRunning = run_.InProgress();
    work.runWaiting = run_.CurrentState() == CalibrationRun::State::Waiting;
    work.runRows = run_.Rows();
    work.runPlannedRows = run_.PlannedRows();
    return work;
}

bool LaboratoryPage::ConfirmStationEnd() {
    const std::string question = StationEndQuestion(Work());
    return question.empty() || host_.AskYesNo(msg::EndStationQuestion, question);
}

void LaboratoryPage::EndStationWork() {
    InterruptRun(RunInterruption::WindowClosed);
    CloseDataFile();
}

}  // namespace wegator::lab
