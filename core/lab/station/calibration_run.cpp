#include "lab/station/calibration_run.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <limits>
#include <cstdio>
#include <numeric>
#include <unistd.h>

#include "text/string_table.h"
#include "text/strings.h"
#include "lab/station/lab_host.h"
#include "lab/base/lab_messages.h"
#include "lab/records/manifest.h"
#include "physics/humidity_engine.h"
#include "physics/units.h"

namespace wegator::lab {

namespace {

// Run files are read by people and by spreadsheets: their texts speak the
// interface's language, as the data file's header does. A missing value keeps
// its column's tabs, so that every later value stays under its heading.
std::string NoMeasurement() { return std::string(LoadString(msg::RunNoMeasurement)) + "\t\t"; }
// The shortest observation period a run (and the page) takes.
constexpr int kShortestPeriod = 3;
constexpr std::int64_t kMinuteMs = 60000;
// Each row's moment, in its last column.
constexpr std::string_view kRowTimeFormat = "yyyy-MM-dd HH:mm:ss";
// Why a run was interrupted, as its files say it (string-table numbers).
constexpr int kInterruptionText[] = {
    msg::InterruptedByStop,     msg::InterruptedDialogClosed, msg::InterruptedWindowClosed,
    msg::InterruptedWriteFailed, msg::InterruptedBySignal,     msg::InterruptedTimeLimit,
    msg::InterruptedNoInstrument,
};

std::string Printf(const char* format, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

std::string Stamp(const CalendarTime& t) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return buffer;
}

// "16:31", or with its date when the moment is not today.
std::string ClockText(const CalendarTime& t, const CalendarTime& today) {
    char buffer[32];
    if (t.year == today.year && t.month == today.month && t.day == today.day) {
        std::snprintf(buffer, sizeof buffer, "%02d:%02d", t.hour, t.minute);
    } else {
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour, t.minute);
    }
    return buffer;
}

// Whole seconds until `dueMs`, rounded up: a countdown never shows 0 before the moment.
std::int64_t SecondsUntil(std::int64_t dueMs, std::int64_t nowMs) {
    return dueMs <= nowMs ? 0 : (dueMs - nowMs + 999) / 1000;
}

// A text the page shows in the user's decimal sign, with the point of the run files.
std::string WithPoint(std::string text) {
    std::replace(text.begin(), text.end(), ',', '.');
    return text;
}

std::string Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return std::string(text.substr(first, last - first + 1));
}

// The integer reading of a field: an optional sign, then digits up to the first
// other character; no digits reads as 0.
long long IntegerReading(std::string_view text) {
    std::string trimmed = Trim(text);
    std::size_t digitsEnd = (!trimmed.empty() && (trimmed[0] == '-' || trimmed[0] == '+')) ? 1 : 0;
    while (digitsEnd < trimmed.size() && trimmed[digitsEnd] >= '0' && trimmed[digitsEnd] <= '9') ++digitsEnd;
    long long value = 0;
    const char* begin = trimmed.data() + (!trimmed.empty() && trimmed[0] == '+' ? 1 : 0);
    const auto [end, error] = std::from_chars(begin, trimmed.data() + digitsEnd, value);
    if (error == std::errc::result_out_of_range) {
        return (!trimmed.empty() && trimmed[0] == '-') ? std::numeric_limits<long long>::min()
                                                       : std::numeric_limits<long long>::max();
    }
    (void)end;
    return value;
}

// A stability figure to four decimals; a rounding residue of a still reading
// is no "-0.0000".
std::string Figure(double value) { return Printf("%.04f", std::fabs(value) < 0.00005 ? 0.0 : value); }

void Add(std::vector<double>& list, double value) {
    if (value != kNoReading && list.size() < CalibrationRun::kListLimit) list.push_back(value);
}

// Decimals of a number as the page shows it ("0.102" has three).
int ShownDecimals(std::string_view shown) {
    const std::size_t sign = shown.find_first_of(".,");
    return sign == std::string_view::npos ? 0 : static_cast<int>(shown.size() - sign - 1);
}

std::string Decimals(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

double Mean(const std::vector<double>& list) {
    return std::accumulate(list.begin(), list.end(), 0.0) / static_cast<double>(list.size());
}

}  // namespace

CalibrationRun::CalibrationRun(LabHost& host, TimerService& timers, const Clock& clock)
    : host_(host), timers_(timers), clock_(clock) {}

CalibrationRun::~CalibrationRun() { timers_.KillTimer(timer::kRunStart); }

void CalibrationRun::SetSchedule(int collectionSeconds, int observations) {
    collection_ = collectionSeconds;
    observations_ = observations;
}

int CalibrationRun::PlannedRows() const {
    if (observations_ > 0 && collection_ * 1000LL / observations_ >= kShortestPeriod * 1000) return observations_;
    return collection_ / kShortestPeriod;
}

std::int64_t CalibrationRun::PeriodMs() const {
    if (observations_ > 0 && collection_ * 1000LL / observations_ >= kShortestPeriod * 1000) {
        return collection_ * 1000LL / observations_;
    }
    return kShortestPeriod * 1000;
}

std::string CalibrationRun::InformationLine() const {
    return MessageText(msg::RunInformation, {std::to_string(PlannedRows()), std::to_string(PeriodMs() / 1000)});
}

void CalibrationRun::SetStoredStabilityWait(StabilityWait wait) {
    SetStabilityWait(wait);
    keptWait_ = wait_;
}

void CalibrationRun::SetStabilityWait(StabilityWait wait) {
    wait.longestMinutes = std::clamp(wait.longestMinutes, 1, kLongestStabilityWait);
    wait_ = wait;
}

std::string CalibrationRun::ProgressLine() const {
    const std::int64_t now = clock_.MonotonicMs();
    const CalendarTime today = clock_.LocalTime();
    const int planned = PlannedRows();
    auto at = [&](std::int64_t dueMs) {
        return ClockText(CalendarPlusSeconds(today, SecondsUntil(dueMs, now)), today);
    };
    if (state_ == State::Waiting) {
        if (stabilitySinceMs_ && !awaitSinceMs_) {
            return MessageText(msg::RunAwaitsStability,
                               {stabilityVerdict_, at(*stabilitySinceMs_ + wait_.longestMinutes * kMinuteMs)});
        }
        if (awaitSinceMs_) {
            return MessageText(msg::RunAwaitsReadings,
                               {std::to_string(SecondsUntil(*awaitSinceMs_ + awaitLongestMs_, now))});
        }
        return MessageText(msg::RunStartsIn, {std::to_string(SecondsUntil(startDueMs_, now)),
                                              at(startDueMs_ + (planned - 1) * PeriodMs())});
    }
    if (state_ != State::Running) return {};
    const std::int64_t next = lastRowMs_ + PeriodMs();
    return MessageText(msg::RunProgress, {std::to_string(rows_), std::to_string(planned),
                                          std::to_string(SecondsUntil(next, now)),
                                          at(lastRowMs_ + (planned - rows_) * PeriodMs())});
}

void CalibrationRun::OpenDialog() {
    log_.clear();
    state_ = State::Ready;
}

void CalibrationRun::Reset() {
    rows_ = 0;
    unstableRows_ = 0;
    staleRows_ = 0;
    staleInputs_.clear();
    startTime_ = {};
    awaitSinceMs_.reset();
    stabilitySinceMs_.reset();
    stabilityVerdict_.clear();
    log_.clear();
    channelText_.clear();
    writeFailed_ = false;
    for (auto* list : {&utnj_, &spread_, &pressure_, &environmentTemperature_, &environmentHumidity_}) list->clear();
}

void CalibrationRun::CloseFiles() {
    for (auto* chain : {&seriesChain_, &channelChain_}) {
        if (*chain) (*chain)->Event(chain_event::kClosed);
        chain->reset();
    }
    series_.reset();
    channel_.reset();
}

std::string CalibrationRun::NowIso() const { return IsoLocalTime(clock_.LocalTime()); }

bool CalibrationRun::Start(std::string_view delayText, std::string_view folderText) {
    if (state_ != State::Ready) return false;
    const long long delay = IntegerReading(delayText);
    if (delay < 0) {
        host_.ShowWarning(msg::NegativeDelay, MessageText(msg::NegativeDelay));
        return false;
    }
    if (delay > kLongestDelay) {
        host_.ShowWarning(msg::DelayTooLong, MessageText(msg::DelayTooLong));
        return false;
    }
    const std::string folder = Trim(folderText);
    if (folder.empty()) {
        host_.ShowWarning(msg::EmptyFolder, MessageText(msg::EmptyFolder));
        return false;
    }

    // A second run in the same dialog starts from nothing: new files, new counts.
    CloseFiles();
    Reset();

    const CalendarTime now = clock_.LocalTime();
    char name[64];
    std::snprintf(name, sizeof name, "%04d_%02d_%02d_%02d_%02d_%02d", now.year, now.month, now.day, now.hour,
                  now.minute, now.second);
    const std::string base = folder + (folder.back() == '/' ? "" : "/") + name;
    // Created, never emptied: a run never overwrites another run's files.
    RecordFile::Opened series = RecordFile::Open(base + ".txt", RecordFile::Mode::Exclusive);
    RecordFile::Opened channel;
    if (series.file) channel = RecordFile::Open(base + "_QX-311.txt", RecordFile::Mode::Exclusive);
    if (!series.file || !channel.file) {
        // Nothing half-created stays behind.
        if (series.file) {
            series.file.reset();
            ::unlink((base + ".txt").c_str());
        }
        host_.ShowWarning(msg::FileCannotBeUsed, std::string(LoadString(msg::FileCannotBeUsed)));
        return false;
    }
    series_ = std::move(series.file);
    channel_ = std::move(channel.file);
    seriesPath_ = base + ".txt";
    channelPath_ = base + "_QX-311.txt";
    // The files are new: so are their chains. A chain that cannot be kept
    // leaves its file unconfirmed, the user told; the run goes on.
    for (auto [chain, path] : {std::pair{&seriesChain_, &seriesPath_}, std::pair{&channelChain_, &channelPath_}}) {
        std::string error;
        *chain = RecordChain::Open(*path, [this] { return NowIso(); }, &error);
        if (!*chain) host_.ShowWarning(msg::ChainCannotBeKept, MessageText(msg::ChainCannotBeKept, {error}));
    }
    // The folder is kept for the next time only by "Zamknij" (CloseDialog).

    // The kelvin is "K" in the files, whatever the unit list shows.
    const std::string u(RecordedUnit(unit_));
    // The stability columns come after the old ones, so that a script reading
    // the columns by position still finds them where they were.
    const std::string k = DifferenceUnit();
    const std::string timeLabel(LoadString(msg::RunRowTime));
    Append("\t" + std::string(LoadString(msg::RunTemperature)) + "[" + u + "]\t" +
               std::string(LoadString(msg::RunDewPoint)) + "[" + u + "]\t" +
               std::string(LoadString(msg::RunHumidityColumn)) + "[%]\t" + MessageText(msg::RunDriftColumn, {"DP/FP"}) +
               "[" + k + "/min]\tDP/FP SD[" + k + "]\t" + MessageText(msg::RunDriftColumn, {"T"}) + "[" + k +
               "/min]\tT SD[" + k + "]\t" + timeLabel,
           false);
    std::string header;
    for (int c = 1; c <= 8; ++c) header += "\tTemp" + std::to_string(c) + "[" + u + "]";
    Append(header + "\t" + std::string(LoadString(msg::RunUncertaintyColumn)) + "\t" +
               std::string(LoadString(msg::RunSpreadColumn)) + "\t" + timeLabel,
           true, false);
    state_ = State::Waiting;
    if (!writeFailed_ && onFilesCreated_) onFilesCreated_();
    if (writeFailed_) {
        // The files end at once, the one that still takes it saying why.
        Interrupt(RunInterruption::WriteFailed, {});
        return false;
    }
    startDueMs_ = clock_.MonotonicMs() + delay * 1000;
    timers_.StartTimer(timer::kRunStart, delay * 1000);
    return true;
}

bool CalibrationRun::DelayPassed() {
    timers_.KillTimer(timer::kRunStart);
    awaitSinceMs_.reset();
    stabilitySinceMs_.reset();
    if (state_ != State::Waiting) return false;
    state_ = State::Running;
    return true;
}

bool CalibrationRun::AwaitFirstReadings(std::int64_t retryMs, std::int64_t longestMs) {
    if (state_ != State::Waiting) return false;
    const std::int64_t now = clock_.MonotonicMs();
    if (!awaitSinceMs_) {
        awaitSinceMs_ = now;
        awaitLongestMs_ = longestMs;
    }
    if (now - *awaitSinceMs_ >= awaitLongestMs_) return false;
    timers_.StartTimer(timer::kRunStart, retryMs);
    return true;
}

bool CalibrationRun::AwaitStability(std::int64_t retryMs, std::string_view verdict) {
    if (state_ != State::Waiting) return false;
    const std::int64_t now = clock_.MonotonicMs();
    if (!stabilitySinceMs_) stabilitySinceMs_ = now;
    stabilityVerdict_ = verdict;
    if (now - *stabilitySinceMs_ >= wait_.longestMinutes * kMinuteMs) return false;
    timers_.StartTimer(timer::kRunStart, retryMs);
    return true;
}

void CalibrationRun::NeverStable(std::string_view fileVerdict) {
    if (state_ != State::Waiting) return;
    Append("", false);
    Append("", true, false);
    Append(FillIn(LoadString(msg::RunNeverStable), {std::to_string(wait_.longestMinutes), fileVerdict}), true);
    End(RunEnding::Kind::NeverStable);
}

void CalibrationRun::Append(std::string_view line, bool toChannelFile, bool toSeriesFile) {
    const std::string bytes = std::string(line) + "\r\n";
    // A file that cannot be written is given up; the other one may still take
    // the end of the run. The user hears of the first failure only.
    auto write = [&](std::unique_ptr<RecordFile>& file, std::unique_ptr<RecordChain>& chain) {
        if (!file) return;
        if (file->Append(bytes)) {
            if (chain) chain->Confirm(bytes);
            return;
        }
        if (!writeFailed_) {
            writeFailed_ = true;
            host_.ShowWarning(msg::RunFileWriteFailed,
                              MessageText(msg::RunFileWriteFailed, {file->Path(), file->Error()}));
        }
        if (chain) chain->Event(chain_event::kWriteFailed, file->Error());
        file.reset();
    };
    if (toSeriesFile) {
        log_ += std::string(line) + "\n";
        write(series_, seriesChain_);
    }
    if (toChannelFile) {
        channelText_ += std::string(line) + "\n";
        write(channel_, channelChain_);
    }
}

void CalibrationRun::Stop(int messageId) {
    host_.ShowWarning(messageId, std::string(LoadString(messageId)));
    // The text ends both files as a whole line, so that a reader never finds
    // it run together with whatever comes after it.
    Append(LoadString(messageId), true);
    // The row that found the observation missing was never written.
    --rows_;
    End(RunEnding::Kind::MissingObservation);
}

void CalibrationRun::End(RunEnding::Kind kind, RunInterruption reason) {
    timers_.KillTimer(timer::kRunStart);
    awaitSinceMs_.reset();
    stabilitySinceMs_.reset();
    CloseFiles();
    ending_ = RunEnding{kind, reason, rows_};
    if (state_ != State::Closed) state_ = State::Ready;
}

std::string CalibrationRun::InUnit(double celsius) const { return Printf("%.03f", TemperatureFromCelsius(celsius, unit_)); }

double CalibrationRun::DifferenceInUnit(double kelvin) const { return TemperatureDifferenceFromCelsius(kelvin, unit_); }

std::string CalibrationRun::DifferenceUnit() const { return unit_ == "°F" ? "°F" : "K"; }

// The drift per minute and the standard deviation, in the run's unit of a
// temperature difference; empty cells while fewer than two readings say nothing.
std::string CalibrationRun::StabilityCells(const StabilityFigures& figures) const {
    if (figures.count < 2) return "\t\t\t\t";
    return "\t\t" + Figure(DifferenceInUnit(figures.drift)) + "\t\t" +
           Figure(DifferenceInUnit(figures.standardDeviation));
}

bool CalibrationRun::WriteRow(const RunObservation& o) {
    if (state_ != State::Running || writeFailed_) return false;
    // The chamber's non-uniformity is summarised only from rows where all
    // eight channels had reported: fewer points say less about the chamber.
    const bool allChannels =
        std::none_of(o.channels.begin(), o.channels.end(), [](double c) { return c == kNoReading; });
    if (o.qx311InUse && allChannels) {
        Add(utnj_, o.utnj);
        Add(spread_, o.spread);
    }
    Add(pressure_, o.pressure);
    if (o.environmentInUse) {
        Add(environmentTemperature_, o.environmentTemperature);
        Add(environmentHumidity_, o.environmentHumidity);
    }
    if (rows_ == 0) {
        startTime_ = clock_.LocalTime();
        firstRowMs_ = clock_.MonotonicMs();
    }
    ++rows_;
    lastRowMs_ = clock_.MonotonicMs();

    if (o.temperatureObservations < rows_) {
        Stop(msg::NoTemperatureObservations);
        return false;
    }
    if (useDewPoint_ && o.dewPointObservations < rows_) {
        Stop(msg::NoDewPointObservations);
        return false;
    }

    const std::string r = std::to_string(rows_);
    // Every cell keeps its column: a dew point or a humidity not given leaves
    // its cell empty, so that the stability figures stay under their headings.
    std::string row = r + "\t" + InUnit(o.temperature) + "\t\t";
    std::string humidity;
    if (useDewPoint_) {
        row += Printf("%.02f", TemperatureFromCelsius(o.dewPoint, unit_));
        const bool pressureUsable = o.pressure != kNoReading && o.pressure >= 3.0 && o.pressure <= 20000.0;
        if (engine_ != nullptr && pressureUsable) {
            const HumidityResult rh = engine_->ComputeFromDewPointAndTemperature(
                o.temperature, 0.0, o.dewPoint, 0.0, o.pressure, 0.0, o.pressure, false, {0, 0, 0, 0}, "°C", "kPa", ".");
            // A failed calculation only leaves the humidity out of this row.
            if (!rh.failed) humidity = Printf("%.03f", rh.Value(Quantity::RelativeHumidity, Phase::Water));
        }
    }
    row += "\t\t" + humidity + StabilityCells(o.dewPointStability) + StabilityCells(o.temperatureStability);
    // The row's moment after every other column, so that each keeps its
    // place and a run that waited is drawn where it was taken; a row that
    // stands on an out-of-date input says so after it.
    const std::string time = FormatCalendar(kRowTimeFormat, clock_.LocalTime());
    row += "\t\t" + time;
    const std::string staleMark =
        o.staleInputs.empty() ? std::string() : "\t\t" + FillIn(LoadString(msg::StaleRowMark), {o.staleInputs});
    row += staleMark;
    Append(row, false);
    if (writeFailed_) {
        // A row the series file did not take is not one the run has made.
        --rows_;
        return false;
    }
    if (!o.stationStable) ++unstableRows_;
    if (!staleMark.empty()) {
        ++staleRows_;
        std::size_t from = 0;
        while (from <= o.staleInputs.size()) {
            const std::size_t to = std::min(o.staleInputs.find(", ", from), o.staleInputs.size());
            const std::string name = o.staleInputs.substr(from, to - from);
            if (std::find(staleInputs_.begin(), staleInputs_.end(), name) == staleInputs_.end()) {
                staleInputs_.push_back(name);
            }
            from = to + 2;
        }
    }

    if (o.qx311InUse) {
        const char* format = o.resolution == 1 ? "%.01f\t\t" : "%.02f\t\t";
        std::string channels = r + "\t";
        for (double reading : o.channels) {
            channels += reading == kNoReading ? NoMeasurement()
                                              : Printf(format, TemperatureFromCelsius(reading, unit_));
        }
        channels += o.utnj == kNoReading ? NoMeasurement() : Printf("%.03f\t\t", DifferenceInUnit(o.utnj));
        channels += o.spread == kNoReading ? NoMeasurement() : Printf(format, DifferenceInUnit(o.spread));
        Append(channels + time + staleMark, true, false);
    }
    return !writeFailed_;
}

void CalibrationRun::Finish(const RunSummaryTexts& texts) {
    if (state_ != State::Running) return;
    WriteSummary(texts, std::nullopt);
    End(RunEnding::Kind::Completed);
}

bool CalibrationRun::Interrupt(RunInterruption reason, const RunSummaryTexts& texts) {
    if (!Active()) return false;
    WriteSummary(texts, reason);
    End(RunEnding::Kind::Interrupted, reason);
    return true;
}

void CalibrationRun::WriteSummary(const RunSummaryTexts& texts, std::optional<RunInterruption> interruption) {
    const std::string u(RecordedUnit(unit_));
    // The page's texts carry the user's decimal sign; the files carry the point.
    auto shown = [](const std::string& text) { return text.empty() ? std::string("???") : WithPoint(text); };
    Append("", false);
    Append("", true, false);
    if (rows_ == 0) {
        // Interrupted before its first row: nothing to summarise but that.
        const std::string line = FillIn(LoadString(msg::RunInterrupted),
                                        {LoadString(kInterruptionText[static_cast<int>(*interruption)]), "0",
                                         std::to_string(PlannedRows())});
        Append(line, true);
        return;
    }
    Append(LoadString(msg::RunSummary), false);
    const std::string started = MessageText(msg::RunStarted, {Stamp(startTime_)});
    const std::string ended = MessageText(msg::RunEnded, {Stamp(clock_.LocalTime())});
    Append(started, false);
    Append(ended, false);
    Append(started, true, false);
    Append(ended, true, false);
    if (interruption) {
        Append(FillIn(LoadString(msg::RunInterrupted),
                      {LoadString(kInterruptionText[static_cast<int>(*interruption)]), std::to_string(rows_),
                       std::to_string(PlannedRows())}),
               true);
    }
    Append(MessageText(msg::RunTemperatureResult,
                       {shown(texts.temperature) + u, WithPoint(texts.temperatureUncertainty) + u}),
           false);
    if (!spread_.empty()) {
        Append(MessageText(msg::RunSpread, {Printf("%.03f", DifferenceInUnit(Mean(spread_))) + u}), false);
    }
    if (!utnj_.empty()) {
        Append(MessageText(msg::RunSpreadUncertainty, {Printf("%.03f", DifferenceInUnit(Mean(utnj_))) + u}),
               false);
    }
    if (useDewPoint_) {
        Append(MessageText(msg::RunDewPointResult,
                           {shown(texts.dewPoint) + u, WithPoint(texts.dewPointUncertainty) + u}),
               false);
        if (!texts.humidity.empty()) {
            Append("", false);
            Append(LoadString(msg::RunComputedValues), false);
            Append(MessageText(msg::RunHumidityResult,
                               {WithPoint(texts.humidity) + "%", WithPoint(texts.humidityUncertainty) + "%"}),
                   false);
        }
    }
    Append("", false);
    Append(LoadString(msg::RunEnvironment), false);
    auto range = [](const std::vector<double>& list, auto convert) {
        const auto [low, high] = std::minmax_element(list.begin(), list.end());
        return "<" + Printf("%.01f", convert(*low)) + "; " + Printf("%.01f", convert(*high)) + ">";
    };
    if (!environmentTemperature_.empty()) {
        Append(MessageText(msg::RunEnvironmentTemperature,
                           {range(environmentTemperature_, [&](double t) { return TemperatureFromCelsius(t, unit_); }) +
                            " " + u}),
               false);
    }
    if (!environmentHumidity_.empty()) {
        Append(MessageText(msg::RunEnvironmentHumidity, {range(environmentHumidity_, [](double h) { return h; }) + " %"}),
               false);
    }
    if (!pressure_.empty()) {
        const std::string& p = texts.pressureUnit;
        Append(MessageText(msg::RunEnvironmentPressure,
                           {range(pressure_, [&](double kpa) { return PressureFromKilopascal(kpa, p); }) + " " + p}),
               false);
    }
    // Last, so that the lines before stay where scripts look for them.
    const std::string k = DifferenceUnit();
    auto figures = [&](const char* name, const StabilityFigures& f) {
        if (f.count < 2) return;
        Append(MessageText(msg::RunStabilityFigures, {name, Figure(DifferenceInUnit(f.drift)) + " " + k + "/min",
                                                      Figure(DifferenceInUnit(f.standardDeviation)) + " " + k}),
               false);
    };
    Append("", false);
    Append(LoadString(msg::RunStability), false);
    if (useDewPoint_) figures("DP/FP", texts.dewPointOverRun);
    figures("T", texts.temperatureOverRun);
    Append(unstableRows_ == 0 ? MessageText(msg::RunStationStable)
                              : MessageText(msg::RunStationUnstable,
                                            {std::to_string(unstableRows_), std::to_string(rows_)}),
           false);
    if (staleRows_ > 0) {
        std::string names;
        for (const std::string& name : staleInputs_) names += (names.empty() ? "" : ", ") + name;
        Append(FillIn(LoadString(msg::StaleRows), {std::to_string(staleRows_), std::to_string(rows_), names}), false);
    }
    WriteUncertainties(texts);
}

// After everything else, so that the lines before stay where scripts look for
// them: what each average's uncertainty is made of, and each value's expanded
// uncertainty for a certificate.
void CalibrationRun::WriteUncertainties(const RunSummaryTexts& texts) {
    const std::string u(RecordedUnit(unit_));
    const std::string& p = texts.pressureUnit;
    auto temperature = [&](double kelvin) { return Figure(DifferenceInUnit(kelvin)) + u; };
    auto pressure = [&](double kpa) { return Figure(PressureFromKilopascal(kpa, p)) + " " + p; };
    const UncertaintyBudget& dp = texts.budgets[0];
    const UncertaintyBudget& t = texts.budgets[1];
    const UncertaintyBudget& pb = texts.budgets[2];
    std::vector<std::string> budget;
    if (useDewPoint_ && dp.present) {
        budget.push_back(MessageText(msg::RunBudgetDewPoint, {temperature(dp.instrument), temperature(dp.table),
                                                              temperature(dp.scatter), temperature(dp.combined)}));
    }
    if (t.present) {
        budget.push_back(MessageText(msg::RunBudgetTemperature,
                                     {temperature(t.instrument), temperature(t.table), temperature(t.scatter),
                                      temperature(t.nonUniformity), temperature(t.combined)}));
    }
    if (pb.present) {
        budget.push_back(MessageText(msg::RunBudgetPressure,
                                     {pressure(pb.instrument), pressure(pb.scatter), pressure(pb.combined)}));
    }
    std::vector<std::string> expanded;
    // U to the decimals the page shows u with, and u beside it with one more,
    // so that 2u can be checked against U without a rounding step between them.
    auto expand = [&](std::string_view name, double standard, const std::string& shown, const std::string& unit) {
        if (shown.empty()) return;
        const int decimals = ShownDecimals(shown);
        expanded.push_back(std::string(name) + ": u = " + Decimals(standard, decimals + 1) + unit +
                           ", U = " + Decimals(2.0 * standard, decimals) + unit);
    };
    if (t.present) expand(LoadString(msg::RunTemperature), DifferenceInUnit(t.combined), texts.temperatureUncertainty, u);
    if (useDewPoint_ && dp.present) expand(LoadString(msg::RunDewPoint), DifferenceInUnit(dp.combined), texts.dewPointUncertainty, u);
    if (useDewPoint_ && !texts.humidity.empty() && texts.humidityStandardUncertainty >= 0.0) {
        expand(LoadString(msg::RunHumidity), texts.humidityStandardUncertainty, texts.humidityUncertainty, "%");
    }
    for (const auto& [heading, lines] : {std::pair{msg::RunBudget, &budget}, std::pair{msg::RunExpanded, &expanded}}) {
        if (lines->empty()) continue;
        Append("", false);
        Append(LoadString(heading), false);
        for (const std::string& line : *lines) Append(line, false);
    }
}

void CalibrationRun::CloseDialog(bool keepFolder, std::string_view folderText) {
    if (keepFolder) {
        folder_ = Trim(folderText);
        keptWait_ = wait_;
    }
    // The page interrupts a run with its texts before the dialog goes; should
    // it not have, the files still say that the run was cut short.
    Interrupt(RunInterruption::DialogClosed, {});
    timers_.KillTimer(timer::kRunStart);
    CloseFiles();
    state_ = State::Closed;
}

}  // namespace wegator::lab
