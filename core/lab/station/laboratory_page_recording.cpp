// What the laboratory page keeps: the data file's records (never from stale
// averages) and the printout of its inputs and results.
#include "lab/station/laboratory_page.h"

#include <algorithm>
#include <string>
#include <vector>

#include "text/string_table.h"
#include "text/strings.h"
#include "lab/base/lab_messages.h"
#include "physics/units.h"

namespace wegator::lab {

namespace {

// The first record comes a minute after recording starts.
constexpr std::int64_t kFirstRecordMs = 60000;

}  // namespace

void LaboratoryPage::ResumeRecording() {
    // Saving stored as on means the station records: after a restart the file
    // goes on where it ended, never emptied and without asking.
    const SaveFileContents contents = DecodeSaveFileCode(settings_.saveFileCode);
    if (!contents.savingOn || settings_.saveFileName.empty() || settings_.settingsLabDevices == 0) return;
    DataFileOpening opened = OpenDataFile(settings_.saveFileName);
    if (!opened.file) {
        host_.ShowWarning(msg::FileCannotBeUsed, std::string(LoadString(msg::FileCannotBeUsed)));
        return;
    }
    TakeDataFile(std::move(opened.file), false);
    StartSaveTimer();
}

HumidityPrintout LaboratoryPage::Printout(const PrintTime& printedAt) const {
    HumidityPrintout out;
    out.uncertaintyHeading = LoadString(wegator::msg::UncertaintyHeading);
    out.overWaterHeading = LoadString(wegator::msg::OverWaterHeading);
    out.overIceHeading = LoadString(wegator::msg::OverIceHeading);
    out.inputCaption = LoadString(msg::AveragedInputsCaption);
    const char* labels[kLabInputs] = {"DP/FP", "T", "Pb"};
    for (int i = 0; i < kLabInputs; ++i) {
        const auto input = static_cast<LabInput>(i);
        out.inputs.push_back({labels[i], AverageText(input), AverageUncertaintyText(input), InputUnit(input)});
    }
    out.resultsCaption = ResultsCaption();
    for (int row = 0; row < kResultRows; ++row) {
        auto& line = out.results[Index(row)];
        line.label = ResultRowLabel(row);
        for (int column = 0; column < kResultColumns; ++column) line.cells[Index(column)] = ResultText(row, column);
        line.unit = ResultRowUnit(row, TemperatureUnit(), EnthalpyUnit());
    }
    out.laboratoryLines = LaboratoryLines(settings_);
    out.traceLines = HumidityTraceLines(printedAt, engine_, settings_.formulasUncertainty != 0, format_.decimalSign);
    if (const std::string stale = StaleList(); !stale.empty()) {
        out.warnings.push_back(MessageText(msg::StalePrintWarning, {stale}));
    }
    return out;
}

LaboratoryPage::DataFileOpening LaboratoryPage::OpenDataFile(const std::string& path) {
    RecordFile::Opened opened = RecordFile::Open(path, RecordFile::Mode::OpenOrCreate);
    return {std::move(opened.file), opened.existed};
}

void LaboratoryPage::TakeDataFile(std::unique_ptr<RecordFile> file, bool empty) {
    if (!file) return;
    // What the file before still waits for goes first, its chain ended after it.
    dataFile_.Close();
    CloseDataChain();
    if (empty) file->Empty();
    std::string path = file->Path();
    // Appended to, the file goes on under its own last header when the
    // columns are the same.
    DataFileTail tail = ReadDataFileTail(path);
    // Every line written is confirmed in the chain beside the file; a file
    // whose chain cannot be kept still gets its records, the user told.
    std::string error;
    dataChain_ = RecordChain::Open(path, [this] { return IsoLocalTime(clock_.LocalTime()); }, &error);
    std::unique_ptr<LineSink> sink = std::move(file);
    if (dataChain_) {
        sink = std::make_unique<ChainedSink>(std::move(sink), dataChain_);
    } else {
        host_.ShowWarning(msg::ChainCannotBeKept, MessageText(msg::ChainCannotBeKept, {error}));
    }
    dataFile_.Attach(std::move(sink), std::move(path), std::move(tail));
    dataFile_.SetCsv(DecodeSaveFileCode(settings_.saveFileCode).csvFormat);
    OpenDataManifest();
    Changed();
}

void LaboratoryPage::CloseDataFile() {
    dataFile_.Close();
    CloseDataChain();
    dataManifest_.Close();
    Changed();
}

void LaboratoryPage::CloseDataChain() {
    if (!dataChain_) return;
    dataChain_->Event(chain_event::kClosed);
    dataChain_.reset();
}

void LaboratoryPage::SkipRecord(std::string_view reason) {
    ++skippedRecords_;
    ++skippedInGap_;
    // The chain holds why the file has a gap, written when the gap begins.
    if (skippedInGap_ == 1 && dataChain_ && dataFile_.IsOpen()) dataChain_->Event(chain_event::kSkipped, reason);
}

void LaboratoryPage::StartSaveTimer() {
    if (timers_.TimerRunning(timer::kFirstRecord) || timers_.TimerRunning(timer::kRecord)) return;
    timers_.StartTimer(timer::kFirstRecord, kFirstRecordMs);
}

void LaboratoryPage::StopSaveTimer() {
    timers_.KillTimer(timer::kFirstRecord);
    timers_.KillTimer(timer::kRecord);
}

std::vector<std::string> LaboratoryPage::RecordLabels() const {
    const bool uncertainties = settings_.saveFileUncertainties != 0;
    std::vector<std::string> labels;
    for (const DataColumn& column : SelectedColumns(DecodeSaveFileCode(settings_.saveFileCode))) {
        // The kelvin is "K" in a file, whatever the unit list shows.
        const std::string unit(RecordedUnit(column.input ? InputUnit(static_cast<LabInput>(column.index))
                                                         : ResultRowUnit(column.index, TemperatureUnit(), EnthalpyUnit())));
        labels.push_back(ColumnLabel(column, unit));
        if (uncertainties) labels.push_back(UncertaintyLabel(column, unit));
    }
    return labels;
}

std::vector<std::string> LaboratoryPage::RecordValues() const {
    const bool uncertainties = settings_.saveFileUncertainties != 0;
    std::vector<std::string> values;
    for (const DataColumn& column : SelectedColumns(DecodeSaveFileCode(settings_.saveFileCode))) {
        if (column.input) {
            const auto input = static_cast<LabInput>(column.index);
            values.push_back(AverageText(input));
            if (uncertainties) values.push_back(AverageUncertaintyText(input));
        } else {
            // The grid's columns: value and uncertainty over water, then over ice.
            const int value = column.phase == Phase::Water ? 0 : 2;
            values.push_back(ResultText(column.index, value));
            if (uncertainties) values.push_back(ResultText(column.index, value + 1));
        }
    }
    return values;
}

void LaboratoryPage::WriteRecord() {
    if (settings_.settingsLabDevices == 0 || !dataFile_.IsOpen()) return;
    Recompute();
    // A record from stale averages would look exactly like a live one: the
    // file gets a gap instead, told once when it opens and once when it closes.
    if (const std::string stale = StaleList(); !stale.empty()) {
        SkipRecord("stale: " + stale);
        if (skippedInGap_ == 1) {
            gapInputs_ = stale;
            gapMessage_ = msg::RecordsSkipped;
            Notify(Notice::Kind::RecordsSkipped, msg::RecordsSkipped,
                   MessageText(msg::RecordsSkipped, {stale, std::to_string(skippedInGap_)}));
        }
        Changed();
        return;
    }
    std::vector<std::string> values = RecordValues();
    // Nothing averaged (a calibration run waits out its start delay, or no
    // result could be computed): a record of empty fields says nothing, so
    // none is written; the chain tells why, once for the span.
    const bool nothing = std::all_of(values.begin(), values.end(), [](const std::string& v) { return v.empty(); });
    if (nothing) {
        const bool delay = run_.CurrentState() == CalibrationRun::State::Waiting;
        SkipRecord(delay ? "run delay" : "no results");
        if (skippedInGap_ == 1) {
            gapInputs_ = LoadString(delay ? msg::SkippedForRunDelay : msg::SkippedForNoResults);
            gapMessage_ = msg::RecordsSkippedNoResults;
            Notify(Notice::Kind::RecordsSkipped, msg::RecordsSkippedNoResults,
                   MessageText(msg::RecordsSkippedNoResults, {gapInputs_, std::to_string(skippedInGap_)}));
        }
        Changed();
        return;
    }
    if (skippedInGap_ > 0) {
        Notify(Notice::Kind::RecordingResumed, msg::RecordingResumed,
               MessageText(msg::RecordingResumed, {std::to_string(skippedInGap_)}));
        if (dataChain_) dataChain_->Event(chain_event::kResumed, std::to_string(skippedInGap_));
        skippedInGap_ = 0;
        gapInputs_.clear();
    }
    dataFile_.SetByteOrderMark(settings_.saveFileBom != 0);
    UpdateManifests(false);
    dataFile_.Write(clock_.LocalTime(), RecordLabels(), values);
    ++writtenRecords_;
    Changed();
}

}  // namespace wegator::lab
