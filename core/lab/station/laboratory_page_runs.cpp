// The laboratory page's side of a calibration run: its start after the
// delay (and, when asked, once the station is stable), a row per
// observation with the stability of its moment, the summary, and its end
// however it comes.
#include "lab/station/laboratory_page.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "text/string_table.h"
#include "lab/base/lab_messages.h"
#include "lab/lines/stream_use.h"

namespace wegator::lab {

namespace {

// A run whose delay is over before an instrument's first reading looks again this often.
constexpr std::int64_t kFirstReadingRetryMs = 1000;
// A run waiting for stability judges the station again this often.
constexpr std::int64_t kStabilityRetryMs = 1000;

}  // namespace

void LaboratoryPage::PrepareRun() {
    // The averaging starts afresh for the run; the chamber has not changed,
    // so the trends go on unmarked and a run may wait for stability at once.
    StopAveraging();
    StartAveragingTimers();
    run_.SetTemperatureUnit(TemperatureUnit());
    run_.SetEngine(&engine_);
    run_.SetSchedule(settings_.settingsLabMeanTime, settings_.settingsLabValuesFromDevices);
    run_.SetFolder(settings_.calibrFilePath);
    run_.SetStoredStabilityWait({settings_.settingsLabRunWaitStable != 0, settings_.settingsLabRunLongestWait});
    run_.OpenDialog();
    Changed();
}

void LaboratoryPage::RunDialogClosed() {
    InterruptRun(RunInterruption::DialogClosed);
    if (run_.DialogOpen()) run_.CloseDialog(false, {});
    settings_.calibrFilePath = run_.Folder();
    settings_.settingsLabRunWaitStable = run_.KeptStabilityWait().on ? 1 : 0;
    settings_.settingsLabRunLongestWait = run_.KeptStabilityWait().longestMinutes;
    Changed();
}

void LaboratoryPage::StartRunNow() {
    EnsureRunManifest();
    // A run that waits for the station to settle looks at it once a second
    // until it is stable, or ends when the longest wait passes without that.
    // Once stable, a short wait for the first readings no longer looks back.
    if (run_.Wait().on && !run_.AwaitingFirstReadings() && !StationVerdict(run_.UseDewPoint()).stable) {
        if (!run_.AwaitStability(kStabilityRetryMs, StationVerdictText(run_.UseDewPoint()))) {
            run_.NeverStable(FileVerdictText());
            RunEnded();
        }
        Changed();
        return;
    }
    // The delay may end before the thermometer or the hygrometer has given a
    // reading the last observation did not take (a port just opened, a run
    // started without delay just after an observation, an F-250 that reads
    // once a second): the first row waits for one, for at most one collection
    // time, then is taken as it is and says what is missing.
    const bool readingsThere = fresh_[Index(LabValue::Temperature)] &&
                               (!run_.UseDewPoint() || fresh_[Index(LabValue::DewPoint)]);
    if (!readingsThere && run_.AwaitFirstReadings(kFirstReadingRetryMs, settings_.settingsLabMeanTime * 1000LL)) {
        Changed();
        return;
    }
    if (!run_.DelayPassed()) return;
    timers_.KillTimer(timer::kRecompute);
    timers_.KillTimer(timer::kObservation);
    averaging_ = false;
    ResetAveraging();
    // The first row is the readings that came in while the run waited.
    if (settings_.settingsPortPressDevice == 0 && fresh_[Index(LabValue::Pressure)]) Observe(LabInput::Pressure);
    if (fresh_[Index(LabValue::DewPoint)]) Observe(LabInput::DewPoint);
    if (fresh_[Index(LabValue::Temperature)]) Observe(LabInput::Temperature);
    RunObservationTaken();
    StartAveragingTimers();
}

RunObservation LaboratoryPage::MakeRunObservation() const {
    RunObservation o;
    o.temperatureObservations = runCounts_[Index(LabInput::Temperature)];
    o.dewPointObservations = runCounts_[Index(LabInput::DewPoint)];
    if (!buffers_[Index(LabInput::Temperature)].Empty()) o.temperature = buffers_[Index(LabInput::Temperature)].Newest();
    if (!buffers_[Index(LabInput::DewPoint)].Empty()) o.dewPoint = buffers_[Index(LabInput::DewPoint)].Newest();
    const double p = averages_[Index(LabInput::Pressure)];
    o.pressure = p == kNoAverage ? kNoReading : p;
    o.qx311InUse = TemperatureSourceReads(settings_.settingsPortTempDevice, Stream::Qx311);
    if (eight_.ReportingChannels() > 0) {
        o.utnj = eight_.NonUniformityUncertainty();
        o.spread = eight_.Spread();
    }
    for (int c = 1; c <= EightChannelPage::kChannels; ++c) o.channels[Index(c - 1)] = eight_.ChannelReading(c);
    o.resolution = eight_.LastResolution();
    o.environmentInUse = settings_.settingsPortEnvQx310Device != 0;
    o.environmentTemperature = readings_[Index(LabValue::EnvironmentTemperature)];
    o.environmentHumidity = readings_[Index(LabValue::EnvironmentHumidity)];
    o.dewPointStability = Verdict(TrendQuantity::DewPoint).figures;
    o.temperatureStability = Verdict(TrendQuantity::Temperature).figures;
    o.stationStable = StationVerdict(run_.UseDewPoint()).stable;
    // A run without the dew point does not stand on the hygrometer.
    for (LabInput input : StaleInputs()) {
        if (input == LabInput::DewPoint && !run_.UseDewPoint()) continue;
        o.staleInputs += (o.staleInputs.empty() ? "" : ", ") + InputName(input);
    }
    return o;
}

// The station's verdict as the run files give it: with the point whatever
// the decimal sign of the page, the failing quantities first.
std::string LaboratoryPage::FileVerdictText() const {
    StationStability station = StationVerdict(run_.UseDewPoint());
    std::stable_partition(station.verdicts.begin(), station.verdicts.end(),
                          [](const auto& qv) { return !qv.second.stable; });
    std::string text;
    for (const auto& [q, v] : station.verdicts) {
        if (!text.empty()) text += "; ";
        text += lab::VerdictText(q, v, TrendUnitText(q), '.', clock_.MonotonicMs(), clock_.LocalTime());
    }
    return text;
}

void LaboratoryPage::RunObservationTaken() {
    host_.Beep();
    if (!run_.WriteRow(MakeRunObservation())) {
        // A run file that cannot be written ends the run; the other file, if
        // it still takes lines, says so. A missing observation has ended it already.
        if (run_.WriteFailed()) {
            InterruptRun(RunInterruption::WriteFailed);
        } else {
            RunEnded();
        }
        return;
    }
    if (runCounts_[Index(LabInput::DewPoint)] >= effectiveN_ || runCounts_[Index(LabInput::Temperature)] >= effectiveN_) {
        EndRun();
    }
}

RunSummaryTexts LaboratoryPage::MakeRunSummaryTexts() const {
    RunSummaryTexts texts;
    texts.temperature = AverageText(LabInput::Temperature);
    texts.temperatureUncertainty = AverageUncertaintyText(LabInput::Temperature);
    texts.dewPoint = AverageText(LabInput::DewPoint);
    texts.dewPointUncertainty = AverageUncertaintyText(LabInput::DewPoint);
    texts.humidity = ResultText(2, 0);
    texts.humidityUncertainty = ResultText(2, 1);
    texts.pressureUnit = PressureUnit();
    if (run_.Rows() > 0) {
        const std::int64_t now = clock_.MonotonicMs();
        const std::int64_t span = now - run_.FirstRowMs();
        texts.dewPointOverRun = Figures(trends_, static_cast<int>(TrendQuantity::DewPoint), now, span);
        texts.temperatureOverRun = Figures(trends_, static_cast<int>(TrendQuantity::Temperature), now, span);
    }
    // Each average's uncertainty taken apart into the terms Observe put
    // together; the scatter is what remains of the combined one.
    const bool instruments = settings_.settingsLabIsDevicesError != 0;
    auto square = [](double x) { return x * x; };
    for (int i = 0; i < kLabInputs; ++i) {
        const double mean = averages_[Index(i)];
        const double u = uncertainties_[Index(i)];
        if (mean == kNoAverage || u == kNoAverage) continue;
        UncertaintyBudget& b = texts.budgets[Index(i)];
        b.present = true;
        b.combined = u;
        double uI = 0.0;
        switch (static_cast<LabInput>(i)) {
            case LabInput::Pressure:
                uI = b.instrument = instruments ? settings_.settingsLabQx316 : 0.0;
                break;
            case LabInput::DewPoint:
                uI = b.instrument = instruments ? settings_.settingsLabDp30 : 0.0;
                b.table = tables_.Uncertainty(TableId::Dp30, mean);
                break;
            case LabInput::Temperature: {
                const TemperatureTerms terms = TemperatureTermsAt(mean);
                uI = terms.uI;
                b.table = terms.uC;
                // The source's own instrument term; the rest of uI is the chamber's non-uniformity.
                b.instrument = TemperatureBudget(settings_.settingsPortTempDevice, false, instruments,
                                                 settings_.settingsLabQx310, settings_.settingsLabQx311,
                                                 settings_.settingsLabF250, 0.0, 0.0, 0.0, 0.0)
                                   .uI;
                b.nonUniformity = std::sqrt(std::max(0.0, square(uI) - square(b.instrument)));
                break;
            }
        }
        b.scatter = std::sqrt(std::max(0.0, square(u) - square(uI) - square(b.table)));
    }
    if (!texts.humidity.empty()) {
        texts.humidityStandardUncertainty = last_.Uncertainty(Quantity::RelativeHumidity, Phase::Water);
    }
    return texts;
}

void LaboratoryPage::EndRun() {
    Recompute();
    run_.Finish(MakeRunSummaryTexts());
    RunEnded();
    Changed();
}

void LaboratoryPage::InterruptRun(RunInterruption reason) {
    if (!run_.Active()) return;
    // The summary gives the averages as they stand now; a page that is going
    // computes nothing more.
    if (!destroying_ && run_.InProgress()) Recompute();
    run_.Interrupt(reason, MakeRunSummaryTexts());
    RunEnded();
    Changed();
}

void LaboratoryPage::RunEnded() {
    if (!destroying_ && onRunEnded_) onRunEnded_();
}

bool LaboratoryPage::ConfirmRunDialogClose() {
    if (!run_.Active()) return true;
    // The run takes its rows while the question waits: it shows the count of the moment it is answered.
    const auto text = [this] {
        return MessageText(msg::InterruptRunQuestion, {std::to_string(run_.Rows()), std::to_string(run_.PlannedRows())});
    };
    if (!host_.AskYesNoLive(msg::InterruptRunQuestion, text)) return false;
    InterruptRun(RunInterruption::DialogClosed);
    return true;
}

}  // namespace wegator::lab
