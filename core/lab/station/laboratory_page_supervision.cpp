// The laboratory page's watch over its instruments: a port lost or fallen
// silent is closed and opened again by one path for every stream, inputs go
// stale, and what the station cannot be trusted with is said once, as it
// happens, and on the status line for as long as it lasts.
#include "lab/station/laboratory_page.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "text/string_table.h"
#include "text/strings.h"
#include "lab/base/lab_messages.h"
#include "lab/lines/stream_use.h"

namespace wegator::lab {

namespace {

// A lost instrument is tried again this often, without a message.
constexpr std::int64_t kRetryMs = 10000;
// An open port that has given no reading for this long is treated as lost:
// closed and opened again, as a port that vanished is. Some ports never
// report their loss (a link that went away leaves COMn on the fixed device).
constexpr std::int64_t kSilentMs = 30000;
// An input is never called stale sooner than this: a QX-311 reports its
// channels one after another, and the chosen one comes every few seconds.
constexpr std::int64_t kShortestStaleMs = 10000;

// Waiting for the instruments' first readings: no news, and no failure.
bool AwaitingReadings(int messageId) {
    return messageId == msg::WaitingForReadings || messageId == msg::WaitingForQx311;
}

}  // namespace

void LaboratoryPage::OnChannelLost(Stream stream, std::string_view reason) {
    LoseStream(stream, std::string(reason));
}

void LaboratoryPage::LoseStream(Stream stream, std::string reason) {
    StreamState& state = streams_[Index(stream)];
    if (state.phase != StreamPhase::Open) return;
    link_.Close(stream);
    // The last reading keeps ageing; the port is tried again quietly.
    state.phase = StreamPhase::Lost;
    timers_.StartTimer(timer::kFirstStreamRetry + static_cast<int>(stream), kRetryMs);
    // Told once per outage: a port that opens again but stays silent is the
    // same outage, which ends with the first reading.
    if (!outage_[Index(stream)]) {
        outage_[Index(stream)] = true;
        MarkStreamTrends(stream, MarkerKind::InstrumentLost);
        Notify(Notice::Kind::InstrumentLost, msg::InstrumentLostNotice,
               MessageText(msg::InstrumentLostNotice,
                           {LoadString(msg::FirstInstrumentName + static_cast<int>(stream)),
                            "COM" + std::to_string(StreamPort(stream)), reason}));
    }
    Changed();
}

void LaboratoryPage::Supervise() {
    const std::int64_t now = clock_.MonotonicMs();
    for (Stream s : kAllStreams) {
        if (streams_[Index(s)].phase != StreamPhase::Open || now - lastLineMs_[Index(s)] <= kSilentMs) continue;
        LoseStream(s, MessageText(msg::InstrumentSilent, {std::to_string((now - lastLineMs_[Index(s)]) / 1000)}));
    }
    // Inputs go stale with time alone: the views look again.
    Changed();
}

void LaboratoryPage::Notify(Notice::Kind kind, int messageId, std::string text) {
    if (onNotice_) onNotice_(Notice{kind, messageId, std::move(text)});
}

bool LaboratoryPage::StreamFeeds(Stream stream, LabInput input) const {
    if (!StreamInUse(stream)) return false;
    switch (input) {
        case LabInput::DewPoint: return stream == Stream::Dp30;
        case LabInput::Pressure: return stream == Stream::Qx316;
        case LabInput::Temperature: {
            const int source = settings_.settingsPortTempDevice;
            if (!TemperatureSourceReads(source, stream)) return false;
            // The QX-311 beside another thermometer counts only through its gradient.
            return stream != Stream::Qx311 || source == kSourceQx311 || settings_.settingsQx311Deviation != 0;
        }
    }
    return false;
}

bool LaboratoryPage::InputLost(LabInput input) const {
    for (Stream s : kAllStreams) {
        if (outage_[Index(s)] && StreamFeeds(s, input)) return true;
    }
    return false;
}

std::int64_t LaboratoryPage::StaleLimitMs() const {
    return std::max<std::int64_t>(2 * static_cast<std::int64_t>(periodMs_), kShortestStaleMs);
}

bool LaboratoryPage::GradientInUse() const {
    return settings_.settingsQx311Deviation != 0 &&
           TemperatureSourceReads(settings_.settingsPortTempDevice, Stream::Qx311);
}

std::int64_t LaboratoryPage::InputAgeMs(LabInput input) const {
    const std::int64_t now = clock_.MonotonicMs();
    std::int64_t age = now - lastReadingMs_[Index(input)];
    // The chamber's non-uniformity enters the temperature's uncertainty: a
    // QX-311 gone quiet leaves the temperature standing on old channels.
    if (input == LabInput::Temperature && GradientInUse() && eight_.ReportingChannels() > 0) {
        age = std::max(age, now - lastGradientMs_);
    }
    return age;
}

bool LaboratoryPage::InputStale(LabInput input) const {
    if (settings_.settingsLabDevices == 0) return false;
    if (input == LabInput::Pressure && settings_.settingsPortPressDevice != 0) return false;
    if (InputLost(input)) return true;
    if (readings_[Index(input)] == kNoReading) return false;
    return InputAgeMs(input) > StaleLimitMs();
}

std::vector<LabInput> LaboratoryPage::StaleInputs() const {
    std::vector<LabInput> stale;
    for (int i = 0; i < kLabInputs; ++i) {
        if (InputStale(static_cast<LabInput>(i))) stale.push_back(static_cast<LabInput>(i));
    }
    return stale;
}

int LaboratoryPage::ReadingAgeSeconds(LabValue value) const {
    if (readings_[Index(value)] == kNoReading) return -1;
    return static_cast<int>((clock_.MonotonicMs() - lastReadingMs_[Index(value)]) / 1000);
}

std::string LaboratoryPage::InputName(LabInput input) const {
    static constexpr const char* kNames[kLabInputs] = {"DP/FP", "T", "Pb"};
    return kNames[Index(input)];
}

std::string LaboratoryPage::StaleList() const {
    std::string list;
    for (LabInput input : StaleInputs()) {
        const std::string part =
            InputLost(input) ? MessageText(msg::StaleLost, {InputName(input)})
                             : MessageText(msg::StaleAge, {InputName(input), std::to_string(InputAgeMs(input) / 1000)});
        list += (list.empty() ? "" : ", ") + part;
    }
    return list;
}

std::string LaboratoryPage::StaleMark() const {
    std::string names;
    for (LabInput input : StaleInputs()) names += (names.empty() ? "" : ", ") + InputName(input);
    return names.empty() ? std::string() : MessageText(msg::StaleLineMark, {names});
}

std::vector<TableId> LaboratoryPage::MissingTables() const {
    std::vector<TableId> missing;
    if (settings_.settingsLabDevices == 0) return missing;
    for (std::size_t i = 0; i < kTableCount; ++i) {
        const auto id = static_cast<TableId>(i);
        const TableFamily family = FamilyOf(id);
        if (TableSwitchOn(settings_, family) && lab::StreamInUse(settings_, StreamOf(family)) &&
            !TableFileName(settings_, id).empty() && !tables_.Loaded(id)) {
            missing.push_back(id);
        }
    }
    return missing;
}

bool LaboratoryPage::HandPressureMissing() const {
    return settings_.settingsLabDevices != 0 && settings_.settingsPortPressDevice != 0 && !handPressure_;
}

void LaboratoryPage::RetryLost(Stream stream) {
    if (streams_[Index(stream)].phase != StreamPhase::Lost) {
        timers_.KillTimer(timer::kFirstStreamRetry + static_cast<int>(stream));
        return;
    }
    if (OpenNow(stream, true)) timers_.KillTimer(timer::kFirstStreamRetry + static_cast<int>(stream));
}

void LaboratoryPage::SetCalculation(Calculation state) {
    if (state == calculation_) return;
    const bool wasFailure = !calculation_.ok && calculation_.messageId != 0 && !AwaitingReadings(calculation_.messageId);
    // A tick comes every few seconds: a failed calculation goes on the status
    // line, never into a box, and is told once when it starts; waiting for
    // readings at the start is no news.
    if (!state.ok && !AwaitingReadings(state.messageId)) {
        Notify(Notice::Kind::Calculation, state.messageId, state.text);
    } else if (state.ok && wasFailure) {
        Notify(Notice::Kind::Calculation, 0, MessageText(msg::ResultsAgain));
    }
    calculation_ = std::move(state);
}

std::string LaboratoryPage::StatusText() const {
    std::vector<std::string> parts;
    const Calculation& c = calculation_;
    if (!c.ok && c.messageId != 0) {
        // Waiting, and a missing hand pressure, say it as they are; the rest is a failed calculation.
        const bool asItIs = AwaitingReadings(c.messageId) || c.messageId == msg::HandPressureMissing;
        parts.push_back(asItIs ? c.text : MessageText(msg::CalculationFailed, {c.text}));
    }
    for (Stream s : kAllStreams) {
        if (outage_[Index(s)]) {
            parts.push_back(MessageText(msg::InstrumentLost,
                                        {LoadString(msg::FirstInstrumentName + static_cast<int>(s))}));
        }
    }
    // A table that should correct the readings and does not: the results
    // must not look corrected.
    std::string tables;
    for (TableId id : MissingTables()) {
        tables += (tables.empty() ? "" : ", ") + std::filesystem::path(TableFileName(settings_, id)).filename().string();
    }
    if (!tables.empty()) parts.push_back(MessageText(msg::TableMissing, {tables}));
    if (const std::string stale = StaleList(); !stale.empty()) parts.push_back(MessageText(msg::StaleInputs, {stale}));
    if (skippedInGap_ > 0) {
        parts.push_back(MessageText(gapMessage_, {gapInputs_, std::to_string(skippedInGap_)}));
    }
    if (dataFile_.Backlog() > 0) parts.push_back(MessageText(msg::RecordsWaiting, {std::to_string(dataFile_.Backlog())}));
    if (dataFile_.Dropped() > 0) parts.push_back(MessageText(msg::RecordsDropped, {std::to_string(dataFile_.Dropped())}));
    std::string text;
    for (const std::string& part : parts) text += (text.empty() ? "" : "; ") + part;
    return text;
}

LaboratoryPage::RecordingLine LaboratoryPage::RecordingStatus() const {
    const SaveFileContents contents = DecodeSaveFileCode(settings_.saveFileCode);
    if (!contents.savingOn) return {};
    // Saving on with nothing to record looks like a working station until
    // someone opens the file: said in the colour of a warning.
    int reason = 0;
    if (settings_.settingsLabDevices == 0) {
        reason = msg::RecordingInstrumentsOff;
    } else if (SelectedColumns(contents).empty()) {
        reason = msg::RecordingNoColumns;
    } else if (!dataFile_.IsOpen()) {
        reason = msg::RecordingFileNotOpen;
    }
    if (reason != 0) return {MessageText(msg::RecordingNothing, {LoadString(reason)}), true};

    const std::string name = std::filesystem::path(dataFile_.Path()).filename().string();
    const std::string every = std::to_string(settings_.saveFileTime);
    const std::int64_t now = clock_.MonotonicMs();
    // About when a record falls due: to the nearest minute.
    auto about = [&](std::int64_t dueMs) {
        const std::int64_t seconds = (std::max<std::int64_t>(dueMs - now, 0) + 30000) / 1000;
        const CalendarTime due = CalendarPlusSeconds(clock_.LocalTime(), seconds);
        return FormatCalendar("HH:mm", CalendarPlusSeconds(due, -due.second));
    };
    if (timers_.TimerRunning(timer::kFirstRecord)) {
        const std::int64_t due = firstRecordDueMs_ >= 0 ? firstRecordDueMs_ : now + kFirstRecordDelayMs;
        return {MessageText(msg::RecordingFirstDue, {name, every, about(due)})};
    }
    if (lastRecordAt_ && lastRecordPath_ == dataFile_.Path()) {
        return {MessageText(msg::RecordingLast, {name, every, FormatCalendar("HH:mm:ss", *lastRecordAt_)})};
    }
    if (timers_.TimerRunning(timer::kRecord) && recordTickMs_ >= 0) {
        return {MessageText(msg::RecordingFirstDue,
                            {name, every, about(recordTickMs_ + std::int64_t{settings_.saveFileTime} * 60000)})};
    }
    return {MessageText(msg::RecordingTo, {name, every})};
}

}  // namespace wegator::lab
