#include "lab/station/laboratory_page.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "text/string_table.h"
#include "text/strings.h"
#include "lab/tables/cal_file.h"
#include "lab/base/lab_messages.h"
#include "lab/lines/stream_use.h"
#include "pages/edit_history.h"
#include "pages/input_limits.h"
#include "physics/units.h"

namespace wegator::lab {

namespace {

using namespace input_limits;

// Ages are shown up to this many seconds.
constexpr int kOldestAge = 999999;
constexpr std::int64_t kAgeTickMs = 1000;
// The shortest observation period: the QX instruments report every few seconds.
constexpr int kShortestPeriodMs = 3000;
// Ports are released before a stream opens again; the F-250 takes its "A4" first.
constexpr std::int64_t kReopenWaitMs = 500;
constexpr std::int64_t kF250StopWaitMs = 200;
constexpr std::int64_t kMinuteMs = 60000;
// The F-250 is asked for its input again after this many seconds without a reading.
constexpr int kF250ResendSeconds = 10;

// Codes of the averaged inputs in the preference list.
constexpr int kCodeOfInput[kLabInputs] = {kInputDewPoint, kInputT, kInputP1};

// Streams in the order the page starts them when it is set up (an activation
// restarts those marked in kStreamRestartOrder).
constexpr Stream kSetUpOrder[] = {Stream::Qx316, Stream::Qx310Environment, Stream::Qx310Temperature,
                                  Stream::Qx311, Stream::F250,             Stream::Dp30};

int Clamp(int value, int low, int high) { return std::min(std::max(value, low), high); }

std::string Fixed(double value, int decimals, std::string_view sign) { return FormatFixed(value, decimals, sign); }

}  // namespace

Settings ClampLaboratorySettings(Settings s) {
    s.settingsLabUpdate = Clamp(s.settingsLabUpdate, 3, 600);
    s.settingsLabMeanTime = Clamp(s.settingsLabMeanTime, 60, 600);
    s.settingsLabValuesFromDevices = Clamp(s.settingsLabValuesFromDevices, 2, 100);
    s.saveFileTime = Clamp(s.saveFileTime, 1, 6000);
    s.laboratoryPrecInput = Clamp(s.laboratoryPrecInput, 0, 7);
    s.laboratoryPrecCalcul = Clamp(s.laboratoryPrecCalcul, 0, 7);
    if (s.settingsPortTempDevice < kSourceQx310 || s.settingsPortTempDevice > kSourceF250WithGradient) {
        s.settingsPortTempDevice = kSourceQx311;
    }
    return s;
}

LaboratoryPage::LaboratoryPage(LabHost& host, Clock& clock, TimerService& timers, InstrumentLink& link,
                               EightChannelPage& eightChannels)
    : host_(host),
      clock_(clock),
      timers_(timers),
      link_(link),
      eight_(eightChannels),
      dataFile_(host),
      run_(host, timers, clock) {
    run_.SetOnFilesCreated([this] { EnsureRunManifest(); });
    ApplySettings(Settings{});
}

LaboratoryPage::~LaboratoryPage() {
    // A run still going ends its files with what it has, saying why.
    destroying_ = true;
    InterruptRun(RunInterruption::WindowClosed);
    dataFile_.Close();
    CloseDataChain();
    for (int id : {timer::kRecord, timer::kDewPointAge, timer::kTemperatureAge, timer::kPressureAge,
                   timer::kRecompute, timer::kObservation, timer::kFirstRecord, timer::kEnvironmentAge,
                   timer::kStreamOpenWait, timer::kF250StopWait, timer::kSupervision}) {
        timers_.KillTimer(id);
    }
    for (Stream s : kAllStreams) {
        timers_.KillTimer(timer::kFirstStreamRetry + static_cast<int>(s));
        const StreamPhase phase = streams_[Index(s)].phase;
        // The F-250 is told to stop before its port goes, at the end as always.
        if (s == Stream::F250 && phase == StreamPhase::Open) link_.Send(s, F250Command::Stop);
        if (phase == StreamPhase::Open || (s == Stream::F250 && f250Closing_)) link_.Close(s);
    }
}

// ---------------------------------------------------------------- settings

void LaboratoryPage::ApplySettings(const Settings& settings) {
    settings_ = ClampLaboratorySettings(settings);
    // A pressure entered by hand in an earlier session is used at once.
    if (!settings_.settingsLabHandPressure.empty()) {
        handPressure_ = ParseStoredNumber(settings_.settingsLabHandPressure);
        handPressureUncertainty_ = settings_.settingsLabHandPressureU.empty()
                                       ? 0.0
                                       : ParseStoredNumber(settings_.settingsLabHandPressureU);
    }
    engine_.SetFormulaSet(settings_.usedFormulas);
    engine_.SetPsychrometerConstantWater(settings_.globalAw);
    engine_.SetPsychrometerConstantIce(settings_.globalAi);
    format_.inputPrecision = settings_.laboratoryPrecInput;
    format_.resultPrecision = settings_.laboratoryPrecCalcul;
    // One character assigned, not a literal: GCC 12 warns falsely (-Wrestrict) on the literal here.
    format_.decimalSign.assign(1, settings_.decimal == "," ? ',' : '.');
    eight_.SetFormat(format_);
    if (!stabilityOverridden_) stability_ = StabilityFromSettings(settings_);
    tables_.ApplySwitches(settings_);
    dataFile_.SetCsv(DecodeSaveFileCode(settings_.saveFileCode).csvFormat);
    if (!run_.DialogOpen()) run_.SetFolder(settings_.calibrFilePath);
    UpdateManifests(true);
    ShowAll();
    // Results already shown take the new precision and sign.
    if (printEnabled_) {
        results_ = FormatResultGrid(last_, HalvesThatApply(last_, last_.Value(Quantity::BulbTemperature, Phase::Ice)),
                                    TemperatureUnit(), EnthalpyUnit(), format_.resultPrecision, format_.decimalSign);
    }
    Changed();
}

bool LaboratoryPage::StreamInUse(Stream stream) const { return lab::StreamInUse(settings_, stream); }

int LaboratoryPage::StreamPort(Stream stream) const { return lab::StreamPort(settings_, stream); }

std::optional<LabValue> LaboratoryPage::ValueOf(Stream stream) const {
    switch (stream) {
        case Stream::Qx316: return LabValue::Pressure;
        case Stream::Qx310Environment: return LabValue::EnvironmentTemperature;
        case Stream::Dp30: return LabValue::DewPoint;
        case Stream::Qx310Temperature:
        case Stream::F250: return LabValue::Temperature;
        case Stream::Qx311:
            if (settings_.settingsPortTempDevice == kSourceQx311) return LabValue::Temperature;
            return std::nullopt;
    }
    return std::nullopt;
}

int LaboratoryPage::AgeTimerOf(LabValue value) const {
    switch (value) {
        case LabValue::DewPoint: return timer::kDewPointAge;
        case LabValue::Temperature: return timer::kTemperatureAge;
        case LabValue::Pressure: return timer::kPressureAge;
        case LabValue::EnvironmentTemperature:
        case LabValue::EnvironmentHumidity: return timer::kEnvironmentAge;
    }
    return 0;
}

void LaboratoryPage::SetUp() {
    tables_.Load(settings_, host_);
    if (settings_.settingsLabDevices != 0) {
        for (Stream s : kSetUpOrder) {
            if (StreamInUse(s)) RestartStream(s);
        }
        if (settings_.settingsPortPressDevice != 0 && handPressure_) {
            SetHandPressure(*handPressure_, handPressureUncertainty_.value_or(0.0));
        }
    }
    ResumeRecording();
    Changed();
}

bool LaboratoryPage::Activate() {
    const bool first = !activated_;
    activated_ = true;
    for (Stream s : kStreamRestartOrder) {
        if (streams_[Index(s)].restartMarked) {
            streams_[Index(s)].restartMarked = false;
            if (StreamInUse(s)) {
                RestartStream(s);
            } else {
                StopStream(s);
            }
        }
    }
    Changed();
    if (settings_.settingsLabDevices == 0 && !first) {
        host_.ShowWarning(msg::SetPorts, std::string(LoadString(msg::SetPorts)));
        return false;
    }
    if (!averaging_) StartAveragingTimers();
    host_.EnableMenuPrint(printEnabled_);
    return true;
}

// ---------------------------------------------------------------- streams

void LaboratoryPage::StopStream(Stream stream) {
    StreamState& state = streams_[Index(stream)];
    switch (state.phase) {
        case StreamPhase::Open:
            if (stream == Stream::F250) {
                // The F-250 is told to stop before its port goes.
                link_.Send(stream, F250Command::Stop);
                state.phase = StreamPhase::Stopping;
                f250Closing_ = true;
                timers_.StartTimer(timer::kF250StopWait, kF250StopWaitMs);
            } else {
                link_.Close(stream);
                state.phase = StreamPhase::Stopped;
            }
            break;
        case StreamPhase::Waiting:
            std::erase(openQueue_, stream);
            state.phase = StreamPhase::Stopped;
            break;
        case StreamPhase::Lost:
        case StreamPhase::Failed:
            state.phase = StreamPhase::Stopped;
            break;
        case StreamPhase::Stopping:
        case StreamPhase::Stopped:
            break;
    }
    timers_.KillTimer(timer::kFirstStreamRetry + static_cast<int>(stream));
    outage_[Index(stream)] = false;

    if (const auto value = ValueOf(stream)) {
        timers_.KillTimer(AgeTimerOf(*value));
        const std::vector<LabValue> values = *value == LabValue::EnvironmentTemperature
                                                 ? std::vector<LabValue>{LabValue::EnvironmentTemperature,
                                                                         LabValue::EnvironmentHumidity}
                                                 : std::vector<LabValue>{*value};
        for (LabValue v : values) {
            readings_[Index(v)] = kNoReading;
            fresh_[Index(v)] = false;
            valueTexts_[Index(v)].clear();
            ageTexts_[Index(v)].clear();
        }
        if (Index(*value) < kLabInputs) {
            const LabInput input = static_cast<LabInput>(Index(*value));
            buffers_[Index(input)].Clear();
            counts_[Index(input)] = 0;
            countTexts_[Index(input)].assign(1, '0');  // "0"
        }
    }
    Changed();
}

void LaboratoryPage::CloseStream(Stream stream) { StopStream(stream); }

void LaboratoryPage::MarkForRestart(Stream stream) { streams_[Index(stream)].restartMarked = true; }

void LaboratoryPage::RestartStream(Stream stream) {
    StopStream(stream);
    QueueOpen(stream);
}

void LaboratoryPage::QueueOpen(Stream stream) {
    if (std::find(openQueue_.begin(), openQueue_.end(), stream) == openQueue_.end()) openQueue_.push_back(stream);
    streams_[Index(stream)].phase = StreamPhase::Waiting;
    // While the F-250 takes its "A4" the wait starts once its port is closed.
    if (!f250Closing_) timers_.StartTimer(timer::kStreamOpenWait, kReopenWaitMs);
}

void LaboratoryPage::FinishF250Stop() {
    timers_.KillTimer(timer::kF250StopWait);
    if (!f250Closing_) return;
    f250Closing_ = false;
    link_.Close(Stream::F250);
    StreamState& state = streams_[Index(Stream::F250)];
    if (state.phase == StreamPhase::Stopping) state.phase = StreamPhase::Stopped;
    if (!openQueue_.empty()) timers_.StartTimer(timer::kStreamOpenWait, kReopenWaitMs);
}

void LaboratoryPage::OpenQueued() {
    timers_.KillTimer(timer::kStreamOpenWait);
    const std::vector<Stream> queue = std::move(openQueue_);
    openQueue_.clear();
    for (Stream s : queue) {
        if (streams_[Index(s)].phase == StreamPhase::Waiting) OpenNow(s, false);
    }
    Changed();
}

bool LaboratoryPage::OpenNow(Stream stream, bool quietly) {
    StreamState& state = streams_[Index(stream)];
    std::string error;
    const int port = StreamPort(stream);
    const bool opened = port > 0 && link_.Open(stream, port, error);
    const auto value = ValueOf(stream);
    if (!opened) {
        if (quietly) return false;
        state.phase = StreamPhase::Failed;
        if (value) {
            timers_.KillTimer(AgeTimerOf(*value));
            valueTexts_[Index(*value)] = LoadString(msg::PortError);
        }
        Changed();
        return false;
    }
    state.phase = StreamPhase::Open;
    if (!state.decoder) state.decoder.emplace(stream);
    state.decoder->Reset(clock_.MonotonicMs());
    // Silence is counted from the opening.
    lastLineMs_[Index(stream)] = clock_.MonotonicMs();
    if (!timers_.TimerRunning(timer::kSupervision)) timers_.StartTimer(timer::kSupervision, kAgeTickMs);
    if (value && !quietly) {
        ages_[Index(*value)] = 1;
        timers_.StartTimer(AgeTimerOf(*value), kAgeTickMs);
    }
    if (stream == Stream::F250) {
        if (const auto command = F250CommandFromName(settings_.settingsPortTempCanalF250)) link_.Send(stream, *command);
    }
    Changed();
    return true;
}

void LaboratoryPage::OnByte(Stream stream, std::uint8_t byte, std::int64_t arrivalMs) {
    StreamState& state = streams_[Index(stream)];
    if (state.phase != StreamPhase::Open || !state.decoder) return;
    const auto line = state.decoder->Feed(byte, arrivalMs);
    if (!line) return;
    for (F250Command command : line->commands) link_.Send(stream, command);
    if (line->reading) Accept(stream, *line->reading);
}

void LaboratoryPage::OnPurged(Stream stream) {
    StreamState& state = streams_[Index(stream)];
    if (state.decoder) state.decoder->Reset(clock_.MonotonicMs());
}

// ---------------------------------------------------------------- readings

void LaboratoryPage::Accept(Stream stream, const Reading& r) {
    const std::vector<LabInput> staleBefore = StaleInputs();
    lastLineMs_[Index(stream)] = clock_.MonotonicMs();
    if (stream != Stream::Dp30 && stream != Stream::F250) SeenIdentifier(stream, r.identifier);
    if (outage_[Index(stream)]) {
        outage_[Index(stream)] = false;
        MarkStreamTrends(stream, MarkerKind::InstrumentBack);
        Notify(Notice::Kind::InstrumentBack, msg::InstrumentBackNotice,
               MessageText(msg::InstrumentBackNotice, {LoadString(msg::FirstInstrumentName + static_cast<int>(stream)),
                                                       "COM" + std::to_string(StreamPort(stream))}));
    }
    const int source = settings_.settingsPortTempDevice;
    // The reading with its calibration table's correction, when that table is in use.
    const double corrected = tables_.Corrected(r);
    switch (stream) {
        case Stream::Qx316:
            NewReading(LabValue::Pressure, r.value);
            break;
        case Stream::Qx310Environment:
            readings_[Index(LabValue::EnvironmentHumidity)] = r.humidity;
            ShowReading(LabValue::EnvironmentHumidity);
            NewReading(LabValue::EnvironmentTemperature, r.value);
            ageTexts_[Index(LabValue::EnvironmentHumidity)] = ageTexts_[Index(LabValue::EnvironmentTemperature)];
            break;
        case Stream::Qx310Temperature:
            if (source == kSourceQx310 || source == kSourceQx310WithGradient) {
                NewReading(LabValue::Temperature, corrected);
            }
            break;
        case Stream::Qx311:
            eight_.SetChannel(corrected, r.channel, r.resolution);
            if (r.channel >= 1 && r.channel <= EightChannelPage::kChannels) {
                lastGradientMs_ = clock_.MonotonicMs();
                Remember(ChannelQuantity(r.channel), corrected);
                if (eight_.Spread() != kNoReading) Remember(TrendQuantity::ChannelSpread, eight_.Spread());
            }
            if (source != kSourceQx311) break;
            if (settings_.settingsQx311Deviation != 0) {
                if (eight_.ReportingChannels() > 0) NewReading(LabValue::Temperature, eight_.MeanTemperature());
            } else if (r.channel == static_cast<int>(ParseStoredInteger(settings_.settingsPortTempCanalQx311))) {
                NewReading(LabValue::Temperature, corrected);
            }
            break;
        case Stream::Dp30:
            NewReading(LabValue::DewPoint, corrected);
            break;
        case Stream::F250:
            NewReading(LabValue::Temperature, corrected);
            break;
    }
    // An input back from a gap averages afresh: the observations before the
    // gap are older than the collection time says.
    for (LabInput input : staleBefore) {
        if (!InputStale(input)) RestartInput(input);
    }
    Changed();
}

void LaboratoryPage::RestartInput(LabInput input) {
    const std::size_t i = Index(input);
    buffers_[i].Clear();
    counts_[i] = 0;
    countTexts_[i].assign(1, '0');  // "0"
    averages_[i] = kNoAverage;
    uncertainties_[i] = kNoAverage;
    SetAverageText(input, "");
    uncertaintyTexts_[i].clear();
}

void LaboratoryPage::NewReading(LabValue value, double number) {
    const std::size_t v = Index(value);
    readings_[v] = number;
    lastReadingMs_[v] = clock_.MonotonicMs();
    fresh_[v] = true;
    // The reading is one second old when the age is first shown.
    ages_[v] = 2;
    ageTexts_[v] = "1s";
    timers_.StartTimer(AgeTimerOf(value), kAgeTickMs);
    ShowReading(value);
    // The instantaneous values and their trend quantities share their numbering.
    Remember(static_cast<TrendQuantity>(v), number);
    if (value == LabValue::EnvironmentTemperature) {
        Remember(TrendQuantity::RoomHumidity, readings_[Index(LabValue::EnvironmentHumidity)]);
    }
}

void LaboratoryPage::AgeTick(LabValue value) {
    // The counter holds the age the next tick shows.
    const std::size_t v = Index(value);
    ageTexts_[v] = std::to_string(ages_[v]) + "s";
    const int shown = ages_[v];
    ages_[v] = std::min(ages_[v] + 1, kOldestAge);
    if (value == LabValue::EnvironmentTemperature) ageTexts_[Index(LabValue::EnvironmentHumidity)] = ageTexts_[v];
    if (value == LabValue::Temperature && shown % kF250ResendSeconds == 0 &&
        streams_[Index(Stream::F250)].phase == StreamPhase::Open) {
        // An F-250 that stays quiet is asked for its input again.
        if (const auto command = F250CommandFromName(settings_.settingsPortTempCanalF250)) {
            link_.Send(Stream::F250, *command);
        }
    }
    Changed();
}

const std::string& LaboratoryPage::AgeText(LabValue value) const {
    if (value == LabValue::EnvironmentHumidity) return ageTexts_[Index(LabValue::EnvironmentTemperature)];
    return ageTexts_[Index(value)];
}

std::string LaboratoryPage::FormatValue(LabValue value, double number) const {
    const std::string_view sign = format_.decimalSign;
    switch (value) {
        case LabValue::DewPoint: return Fixed(ShownTemperature(number, TemperatureUnit()), 2, sign);
        case LabValue::Temperature: return Fixed(ShownTemperature(number, TemperatureUnit()), 3, sign);
        case LabValue::Pressure:
            return Fixed(PressureFromKilopascal(number, PressureUnit()), PressureUnit() == "MPa" ? 4 : 2, sign);
        case LabValue::EnvironmentTemperature: return Fixed(ShownTemperature(number, TemperatureUnit()), 1, sign);
        case LabValue::EnvironmentHumidity: return Fixed(number, 1, sign);
    }
    return {};
}

void LaboratoryPage::ShowReading(LabValue value) {
    const double number = readings_[Index(value)];
    if (number != kNoReading) valueTexts_[Index(value)] = FormatValue(value, number);
}

// ---------------------------------------------------------------- averaging

bool LaboratoryPage::Acquiring() const { return averaging_; }

void LaboratoryPage::StartAveragingTimers() {
    Recompute();
    timers_.StartTimer(timer::kRecompute, static_cast<std::int64_t>(settings_.settingsLabUpdate) * 1000);
    // N observations spread over the collection time, but never closer than
    // 3 s: then fewer observations, held apart from the user's N.
    effectiveN_ = settings_.settingsLabValuesFromDevices;
    periodMs_ = settings_.settingsLabMeanTime * 1000 / effectiveN_;
    if (periodMs_ < kShortestPeriodMs) {
        effectiveN_ = settings_.settingsLabMeanTime / 3;
        periodMs_ = kShortestPeriodMs;
    }
    timers_.StartTimer(timer::kObservation, periodMs_);
    averaging_ = true;
    Changed();
}

void LaboratoryPage::ResetAveraging() {
    const bool handPressure = settings_.settingsPortPressDevice != 0;
    for (int i = 0; i < kLabInputs; ++i) {
        const auto input = static_cast<LabInput>(i);
        buffers_[Index(input)].Clear();
        counts_[Index(input)] = 0;
        runCounts_[Index(input)] = 0;
        // No observations yet ("0"; written so that GCC 12 sees no overlap in a literal assignment).
        countTexts_[Index(input)].assign(1, '0');
        if (input == LabInput::Pressure && handPressure) continue;
        averages_[Index(input)] = kNoAverage;
        uncertainties_[Index(input)] = kNoAverage;
        SetAverageText(input, "");
        uncertaintyTexts_[Index(input)].clear();
    }
    ClearResults();
    Changed();
}

void LaboratoryPage::StopAcquisition() {
    // New settings may change what the readings mean (a table, a source):
    // the trends note where; the readings before stay.
    if (averaging_) MarkTrends(MarkerKind::SettingsChanged);
    StopAveraging();
}

void LaboratoryPage::StopAveraging() {
    timers_.KillTimer(timer::kRecompute);
    timers_.KillTimer(timer::kObservation);
    averaging_ = false;
    ResetAveraging();
}

void LaboratoryPage::Clear() {
    MarkTrends(MarkerKind::Cleared);
    StopAveraging();
    StartAveragingTimers();
}

void LaboratoryPage::TakeObservations() {
    // While a run is being prepared nothing is averaged: the run starts from nothing.
    if (run_.DialogOpen() && !run_.InProgress()) return;
    if (settings_.settingsPortPressDevice == 0 && fresh_[Index(LabValue::Pressure)]) Observe(LabInput::Pressure);
    if (fresh_[Index(LabValue::DewPoint)]) Observe(LabInput::DewPoint);
    if (fresh_[Index(LabValue::Temperature)]) Observe(LabInput::Temperature);
    if (run_.InProgress()) RunObservationTaken();
    Changed();
}

void LaboratoryPage::Observe(LabInput input) {
    const std::size_t i = Index(input);
    // The averaged inputs and their instantaneous values share their numbering.
    fresh_[i] = false;
    ObservationBuffer& buffer = buffers_[i];
    buffer.Push(readings_[i]);
    const double mean = buffer.Mean(effectiveN_);
    if (mean == kNoAverage) return;
    averages_[i] = mean;
    counts_[i] = std::min(counts_[i] + 1, effectiveN_);
    if (run_.InProgress()) ++runCounts_[i];

    const bool instruments = settings_.settingsLabIsDevicesError != 0;
    double uI = 0.0;
    double uC = 0.0;
    switch (input) {
        case LabInput::Pressure:
            uI = instruments ? settings_.settingsLabQx316 : 0.0;
            break;
        case LabInput::DewPoint:
            uI = instruments ? settings_.settingsLabDp30 : 0.0;
            uC = tables_.Uncertainty(TableId::Dp30, mean);
            break;
        case LabInput::Temperature: {
            const TemperatureTerms terms = TemperatureTermsAt(mean);
            uI = terms.uI;
            uC = terms.uC;
            break;
        }
    }
    uncertainties_[i] = buffer.CombinedUncertainty(effectiveN_, uI, uC, mean);
    // Without a QX-311 channel the non-uniformity is unknown: the temperature
    // has no uncertainty yet, and the results wait.
    if (input == LabInput::Temperature && WaitingForQx311()) uncertainties_[i] = kNoAverage;
    ShowAverage(input);
    Remember(static_cast<TrendQuantity>(static_cast<int>(TrendQuantity::DewPointAverage) + static_cast<int>(i)), mean);
}

void LaboratoryPage::ShowAverage(LabInput input) {
    const std::size_t i = Index(input);
    countTexts_[i] = std::to_string(counts_[i]);
    const double mean = averages_[i];
    const double u = uncertainties_[i];
    const bool pressure = input == LabInput::Pressure;
    std::string value;
    std::string uncertainty;
    if (mean != kNoAverage) {
        value = FormatInput(pressure ? PressureFromKilopascal(mean, PressureUnit()) : ShownTemperature(mean, TemperatureUnit()),
                            format_.inputPrecision, format_.decimalSign);
    }
    if (u != kNoAverage) {
        uncertainty = FormatInput(pressure ? PressureFromKilopascal(u, PressureUnit())
                                           : ShownTemperature(u, TemperatureUnit(), true),
                                  format_.inputPrecision, format_.decimalSign);
    }
    SetAverageText(input, std::move(value));
    uncertaintyTexts_[i] = std::move(uncertainty);
}

void LaboratoryPage::SetAverageText(LabInput input, std::string text) {
    std::string& shown = averageTexts_[Index(input)];
    if (shown == text) return;
    shown = std::move(text);
    // The input whose average moved last is the one a failed check names.
    if (!busy_) RecordEdit(kCodeOfInput[Index(input)]);
}

void LaboratoryPage::RecordEdit(int code) { MoveToFront(history_, code); }

void LaboratoryPage::SetHandPressure(double kilopascal, double uncertaintyKilopascal) {
    handPressure_ = kilopascal;
    handPressureUncertainty_ = uncertaintyKilopascal;
    if (settings_.settingsPortPressDevice == 0) return;
    averages_[Index(LabInput::Pressure)] = kilopascal;
    uncertainties_[Index(LabInput::Pressure)] = std::fabs(uncertaintyKilopascal);
    ShowAverage(LabInput::Pressure);
    Changed();
}

// ---------------------------------------------------------------- results

void LaboratoryPage::ClearResults() {
    for (std::string& text : results_) text.clear();
    last_ = HumidityResult{};
    if (printEnabled_) host_.EnableMenuPrint(false);
    printEnabled_ = false;
}

void LaboratoryPage::Recompute() {
    busy_ = true;
    auto present = [](double v) { return v != kNoAverage; };
    const double p = averages_[Index(LabInput::Pressure)];
    const double up = std::fabs(uncertainties_[Index(LabInput::Pressure)]);
    const double dp = averages_[Index(LabInput::DewPoint)];
    const double udp = uncertainties_[Index(LabInput::DewPoint)];
    const double t = averages_[Index(LabInput::Temperature)];
    const double ut = uncertainties_[Index(LabInput::Temperature)];

    // Why there can be no results: the first input missing, then the first
    // check that fails, in the order the calculator pages check them.
    Calculation state;
    // A failed check, with the message the calculator pages give for it.
    const auto FailedCheck = [](int messageId) { return Calculation{false, messageId, MessageText(messageId)}; };
    std::string missing;
    for (int i = 0; i < kLabInputs; ++i) {
        const auto input = static_cast<LabInput>(i);
        if (present(averages_[Index(input)]) && present(uncertainties_[Index(input)])) continue;
        if (input == LabInput::Temperature && WaitingForQx311()) continue;
        missing += (missing.empty() ? "" : ", ") + InputName(input);
    }
    if (HandPressureMissing()) {
        state = {false, msg::HandPressureMissing, MessageText(msg::HandPressureMissing)};
    } else if (!missing.empty()) {
        state = {false, msg::WaitingForReadings, MessageText(msg::WaitingForReadings, {missing})};
    } else if (!present(ut)) {
        state = {false, msg::WaitingForQx311, MessageText(msg::WaitingForQx311)};
    } else if (!Within(p, kLowestPressure, kHighestPressure)) {
        state = FailedCheck(wegator::msg::InputPressureOutOfRange);
    } else if (!(up < kPressureUncertaintyLimit)) {
        state = FailedCheck(wegator::msg::InputPressureUncertaintyOutOfRange);
    } else if (!Within(dp, kLowestTemperature, kHighestTemperature)) {
        state = FailedCheck(kDewPointOutOfRange);
    } else if (!(std::fabs(udp) < kTemperatureUncertaintyLimit)) {
        state = FailedCheck(kDewPointUncertaintyOutOfRange);
    } else if (!Within(t, kLowestTemperature, kHighestTemperature)) {
        state = FailedCheck(wegator::msg::TemperatureOutOfRange);
    } else if (!(std::fabs(ut) < kTemperatureUncertaintyLimit)) {
        state = FailedCheck(wegator::msg::TemperatureUncertaintyOutOfRange);
    } else if (!(t >= dp)) {
        state = FailedCheck(wegator::msg::DewPointAboveTemperature);
    } else {
        const HumidityResult result = engine_.ComputeFromDewPointAndTemperature(
            t, std::fabs(ut), dp, std::fabs(udp), p, up, p, settings_.formulasUncertainty != 0,
            {history_[3], history_[2], history_[1], history_[0]}, TemperatureUnit(), PressureUnit(),
            format_.decimalSign);
        if (result.failed) {
            std::string text = result.message;
            std::replace(text.begin(), text.end(), '\n', ' ');
            state = {false, result.messageId, std::move(text)};
        } else {
            state = {true, 0, {}};
            last_ = result;
            results_ =
                FormatResultGrid(result, HalvesThatApply(result, result.Value(Quantity::BulbTemperature, Phase::Ice)),
                                 TemperatureUnit(), EnthalpyUnit(), format_.resultPrecision, format_.decimalSign);
            if (!printEnabled_) host_.EnableMenuPrint(true);
            printEnabled_ = true;
            everComputed_ = true;
            Remember(TrendQuantity::ResultDewPoint, result.Value(Quantity::DewFrostPoint, Phase::Water));
            Remember(TrendQuantity::ResultHumidity, result.Value(Quantity::RelativeHumidity, Phase::Water));
            Remember(TrendQuantity::ResultTemperature, result.Value(Quantity::Temperature, Phase::Water));
        }
    }
    if (!state.ok) ClearResults();
    SetCalculation(std::move(state));
    busy_ = false;
    Changed();
    if (onRecomputed_) onRecomputed_();
}

int LaboratoryPage::ResultsCaptionId() const {
    return settings_.formulasUncertainty != 0 ? wegator::msg::CaptionWithFormulaUncertainty
                                              : wegator::msg::CaptionWithoutFormulaUncertainty;
}

std::string LaboratoryPage::ResultsCaption() const { return std::string(LoadString(ResultsCaptionId())); }

// ---------------------------------------------------------------- units

std::string_view LaboratoryPage::TemperatureUnit() const { return kTemperatureUnits[Index(temperatureUnit_)]; }

std::string_view LaboratoryPage::PressureUnit() const { return kPressureUnits[Index(pressureUnit_)]; }

std::string_view LaboratoryPage::EnthalpyUnit() const { return kEnthalpyUnits[Index(enthalpyUnit_)]; }

std::string LaboratoryPage::ValueUnit(LabValue value) const {
    switch (value) {
        case LabValue::Pressure: return std::string(PressureUnit());
        case LabValue::EnvironmentHumidity: return "%";
        default: return std::string(TemperatureUnit());
    }
}

std::string LaboratoryPage::InputUnit(LabInput input) const {
    return std::string(input == LabInput::Pressure ? PressureUnit() : TemperatureUnit());
}

void LaboratoryPage::ShowAll() {
    for (int v = 0; v < kLabValues; ++v) ShowReading(static_cast<LabValue>(v));
    // A change of unit or format rewrites the averages; it is no new average,
    // so the preference list stays.
    const bool wasBusy = busy_;
    busy_ = true;
    for (int i = 0; i < kLabInputs; ++i) {
        if (averages_[Index(i)] != kNoAverage || uncertainties_[Index(i)] != kNoAverage) ShowAverage(static_cast<LabInput>(i));
    }
    busy_ = wasBusy;
}

void LaboratoryPage::ChangeTemperatureUnit(int index) {
    if (index < 0 || index >= static_cast<int>(kTemperatureUnits.size())) return;
    temperatureUnit_ = index;
    ShowAll();
    Recompute();
}

void LaboratoryPage::ChangePressureUnit(int index) {
    if (index < 0 || index >= static_cast<int>(kPressureUnits.size())) return;
    pressureUnit_ = index;
    // No result shows a pressure: the next update recomputes.
    ShowAll();
    Changed();
}

void LaboratoryPage::ChangeEnthalpyUnit(int index) {
    if (index < 0 || index >= static_cast<int>(kEnthalpyUnits.size())) return;
    enthalpyUnit_ = index;
    Recompute();
}

// ---------------------------------------------------------------- timers

void LaboratoryPage::OnTimer(int id) {
    NoteRecordTimers();
    switch (id) {
        case timer::kDewPointAge: AgeTick(LabValue::DewPoint); return;
        case timer::kTemperatureAge: AgeTick(LabValue::Temperature); return;
        case timer::kPressureAge: AgeTick(LabValue::Pressure); return;
        case timer::kEnvironmentAge: AgeTick(LabValue::EnvironmentTemperature); return;
        case timer::kRecompute: Recompute(); return;
        case timer::kObservation: TakeObservations(); return;
        case timer::kFirstRecord:
            timers_.KillTimer(timer::kFirstRecord);
            RecordTick();
            timers_.StartTimer(timer::kRecord, static_cast<std::int64_t>(settings_.saveFileTime) * kMinuteMs);
            return;
        case timer::kRecord: RecordTick(); return;
        case timer::kRunStart: StartRunNow(); return;
        case timer::kStreamOpenWait: OpenQueued(); return;
        case timer::kF250StopWait: FinishF250Stop(); return;
        case timer::kSupervision: Supervise(); return;
        default: break;
    }
    const int stream = id - timer::kFirstStreamRetry;
    if (stream >= 0 && stream < static_cast<int>(kStreamCount)) RetryLost(static_cast<Stream>(stream));
}

void LaboratoryPage::RecordTick() {
    const bool recordable = settings_.settingsLabDevices != 0 && dataFile_.IsOpen();
    const std::size_t skipped = skippedRecords_;
    WriteRecord();
    recordTickMs_ = clock_.MonotonicMs();
    // A record skipped for stale inputs is no record: the line keeps the last one written.
    if (recordable && skippedRecords_ == skipped) {
        lastRecordAt_ = clock_.LocalTime();
        lastRecordPath_ = dataFile_.Path();
    }
}

// Timer 1040 is started from several places; the page learns of it at its
// next tick (a second at most, the ages tick every second), which is close
// enough for the recording line's "about".
void LaboratoryPage::NoteRecordTimers() {
    if (!timers_.TimerRunning(timer::kFirstRecord)) {
        firstRecordDueMs_ = -1;
    } else if (firstRecordDueMs_ < 0) {
        firstRecordDueMs_ = clock_.MonotonicMs() + kFirstRecordDelayMs;
    }
}

void LaboratoryPage::LoadTable(TableId table, const std::string& path) {
    CalibrationTable loaded;
    std::string name;
    if (!path.empty()) {
        const CalParseResult read = ReadCalFile(path);
        if (read.ok) {
            loaded = CalibrationTable(read.rows);
            name = path;
        } else {
            const CalFileMessage message = CalLoadFailureMessage(read, path);
            host_.ShowWarning(message.messageId, message.text);
        }
    }
    tables_.Replace(table, loaded, name);
    Changed();
}

void LaboratoryPage::ReloadTables() {
    tables_.Load(settings_, host_);
    UpdateManifests(true);
    Changed();
}

}  // namespace wegator::lab
