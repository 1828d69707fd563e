// A calibration run ("Kalibracja"): after a start delay, N single
// observations of the air temperature (and the dew point), one row each, into
// a series file and, while a QX-311 is in use, a channel file, both named
// after the moment the run was started; then a summary with the averages, the
// chamber's non-uniformity and the environment's conditions during the run.
//
// This is the dialog's model and the run's writer. The laboratory page owns
// it: it starts the run when the delay has passed, hands it one row per
// observation and the texts of the summary.
//
// A run that ends before its N rows for any other reason than a missing
// observation (Stop, its dialog or the program closed, a file that cannot be
// written, the headless station stopped) still ends its files with a summary:
// whatever can be given, and a line saying it was interrupted, why, and after
// how many rows. Numbers in the run files always carry the point.
//
// A run may wait for the station to settle ("Start po ustabilizowaniu"):
// after its delay it starts only once the dew or frost point and the
// temperature are stable, and when that does not happen within the longest
// wait it ends without a row, its files saying so and why. Every row carries
// the drift and the standard deviation of both over the stability window at
// its moment, in columns after the existing ones, and the summary gives them
// over the whole run and whether the station stayed stable throughout. A row
// taken while an input was out of date (an instrument lost or silent) ends
// with a mark naming it, and the summary counts such rows.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lab/station/observation_buffer.h"
#include "lab/records/record_chain.h"
#include "lab/records/record_file.h"
#include "lab/trends/stability.h"
#include "lab/base/station_time.h"

namespace wegator {
class HumidityEngine;
}

namespace wegator::lab {

class LabHost;

// What one observation of a run gives (internal units: °C, K, kPa, %); a
// value that is not there is kNoReading.
struct RunObservation {
    // Observations taken since the run started.
    int temperatureObservations = 0;
    int dewPointObservations = 0;
    // The newest single observations, °C.
    double temperature = 0.0;
    double dewPoint = 0.0;
    // The averaged pressure, kPa; kNoReading when there is none.
    double pressure = kNoReading;
    // QX-311: utnj and tnmax − tnmin (K), the channel readings 1 … 8 (°C) and
    // the resolution code of the last frame; used only while a QX-311 is in use.
    bool qx311InUse = false;
    double utnj = kNoReading;
    double spread = kNoReading;
    std::array<double, 8> channels{kNoReading, kNoReading, kNoReading, kNoReading, kNoReading, kNoReading, kNoReading, kNoReading};
    int resolution = 0;
    // The room, from the environment QX-310 when it is in use.
    bool environmentInUse = false;
    double environmentTemperature = kNoReading;
    double environmentHumidity = kNoReading;
    // The instantaneous dew or frost point's and temperature's figures over
    // the stability window at this moment, and whether the station was stable.
    StabilityFigures dewPointStability, temperatureStability;
    bool stationStable = false;
    // The inputs of the run out of date at this moment ("Pb", "DP/FP, T"),
    // empty when none is: the row says so at its end.
    std::string staleInputs;
};

// Why a run ended before its N rows (the missing observations aside).
enum class RunInterruption {
    StoppedByUser,  // "Stop" in "Kalibracja"
    DialogClosed,   // "Kalibracja" closed (Escape, "Zamknij", the close box) and confirmed
    WindowClosed,   // the program's window closed: the page goes
    WriteFailed,    // a run file could not be written (message 1211)
    Signal,         // SIGINT or SIGTERM to `wegator-cli lab run`
    TimeLimit,      // `lab run --seconds` ran out
    NoInstrument,   // `lab run` could open no instrument
};

// How the last run ended.
struct RunEnding {
    // NeverStable: it waited for stability and the longest wait passed; no row was taken.
    enum class Kind { Completed, MissingObservation, Interrupted, NeverStable };
    Kind kind = Kind::Completed;
    RunInterruption reason = RunInterruption::StoppedByUser;  // with Interrupted
    int rows = 0;
};

// What an averaged input's standard uncertainty is made of at the end of a
// run (K for DP/FP and T, kPa for Pb): the instrument's, the correction
// table's, the scatter of the observations and, for the temperature, the
// chamber's non-uniformity; combined is their root sum of squares.
struct UncertaintyBudget {
    bool present = false;
    double instrument = 0.0;
    double table = 0.0;
    double scatter = 0.0;
    double nonUniformity = 0.0;
    double combined = 0.0;
};

// The page's texts for the summary, as shown.
struct RunSummaryTexts {
    std::string temperature, temperatureUncertainty;
    std::string dewPoint, dewPointUncertainty;
    std::string humidity, humidityUncertainty;  // RH over water; empty when not shown
    std::string pressureUnit;                   // the page's pressure unit text
    // The instantaneous dew or frost point's and temperature's figures from
    // the first row to the end of the run.
    StabilityFigures dewPointOverRun, temperatureOverRun;
    // The budgets of DP/FP, T and Pb, in that order.
    std::array<UncertaintyBudget, 3> budgets;
    // RH over water's standard uncertainty (%), for its expanded one;
    // negative when there is none.
    double humidityStandardUncertainty = -1.0;
};

class CalibrationRun {
public:
    enum class State {
        Closed,   // the dialog is not open
        Ready,    // the dialog is open, no run (or the last one ended)
        Waiting,  // the start delay runs
        Running,  // rows are being written
    };
    // Longest start delay in seconds: a timer counts milliseconds in 31 bits.
    static constexpr long long kLongestDelay = 2147483;
    // Each of the five lists keeps at most this many values.
    static constexpr std::size_t kListLimit = 1023;

    CalibrationRun(LabHost& host, TimerService& timers, const Clock& clock);
    ~CalibrationRun();

    // ---- what the page gives before the dialog opens
    void SetFolder(std::string folder) { folder_ = std::move(folder); }
    const std::string& Folder() const { return folder_; }
    // "°C", "°K" or "°F": the page's temperature unit at the moment "Kalibracja" was pressed.
    void SetTemperatureUnit(std::string_view unit) { unit_ = unit; }
    const std::string& TemperatureUnit() const { return unit_; }
    void SetEngine(const HumidityEngine* engine) { engine_ = engine; }
    // The collection time (s) and the number of observations N.
    void SetSchedule(int collectionSeconds, int observations);
    int Observations() const { return observations_; }
    // The rows a run takes and their period: N spread over the collection
    // time, but never closer than 3 s (then fewer rows), as the page observes.
    int PlannedRows() const;
    std::int64_t PeriodMs() const;

    // ---- the dialog
    // Opens it: the log empties, the information line and the folder show.
    void OpenDialog();
    // "Zostanie przeprowadzone %d pomiarów co %d s".
    std::string InformationLine() const;
    bool UseDewPoint() const { return useDewPoint_; }
    void SetUseDewPoint(bool on) { useDewPoint_ = on; }
    // "Start po ustabilizowaniu" and its longest wait in minutes (1 … 1440).
    // The page gives the stored ones before the dialog opens; what the dialog
    // then shows is kept for the next time by "Zamknij" only, as the folder is.
    struct StabilityWait {
        bool on = false;
        int longestMinutes = 60;
    };
    static constexpr int kLongestStabilityWait = 1440;
    void SetStoredStabilityWait(StabilityWait wait);
    void SetStabilityWait(StabilityWait wait);
    const StabilityWait& Wait() const { return wait_; }
    const StabilityWait& KeptStabilityWait() const { return keptWait_; }
    // "Start" (or the key S): false when the run did not start waiting (a
    // message was shown). The delay is the text of "Opóźnienie startu".
    bool Start(std::string_view delayText, std::string_view folderText);
    bool StartEnabled() const { return state_ == State::Ready; }
    // "Stop" may end the run: it waits or runs.
    bool StopEnabled() const { return Active(); }
    // "Zamknij" keeps the folder (for CALIBR_FILE_PATH) and the wait for
    // stability; Escape and the close box do not. Either way the files close
    // and the dialog is gone; a run still going is interrupted (the page does
    // that first, with its texts).
    void CloseDialog(bool keepFolder, std::string_view folderText);
    State CurrentState() const { return state_; }
    bool DialogOpen() const { return state_ != State::Closed; }
    bool InProgress() const { return state_ == State::Running; }
    // A run waits for its start or runs.
    bool Active() const { return state_ == State::Waiting || state_ == State::Running; }
    // "pomiar 7 z 20, następny za 4 s, koniec ok. 16:31", or when and how the
    // run will start; empty without a run.
    std::string ProgressLine() const;
    // How the last run ended; nothing before the first end.
    const std::optional<RunEnding>& LastEnding() const { return ending_; }
    const std::string& Log() const { return log_; }
    // The files of the last run started: the series and the channel file.
    const std::string& SeriesPath() const { return seriesPath_; }
    const std::string& ChannelPath() const { return channelPath_; }

    // ---- the page's side
    // Called once a run's files were created, before anything else is
    // written into them but their headers: their manifests go beside them.
    void SetOnFilesCreated(std::function<void()> created) { onFilesCreated_ = std::move(created); }
    // Timer 1111: the delay has passed; true when the run begins now (the page
    // then takes its first observation and calls WriteRow).
    bool DelayPassed();
    // The delay has passed but an instrument has not given its first reading
    // yet: the start is tried again in `retryMs`, for at most `longestMs` after
    // the delay ended. False when that time is over (the run then starts and
    // its first row tells what is missing).
    bool AwaitFirstReadings(std::int64_t retryMs, std::int64_t longestMs);
    bool AwaitingFirstReadings() const { return awaitSinceMs_.has_value(); }
    // The delay has passed and the run waits for stability, which the station
    // has not reached: `verdict` (the station's, as shown) goes into the
    // progress line and the start is tried again in `retryMs`. False when the
    // longest wait is over: NeverStable() then ends the run.
    bool AwaitStability(std::int64_t retryMs, std::string_view verdict);
    bool AwaitingStability() const { return stabilitySinceMs_.has_value(); }
    // The longest wait passed without stability: both files end saying so,
    // with the station's verdict as the files give it (Polish, with the point).
    void NeverStable(std::string_view fileVerdict);
    // One row after an observation. False when the run ended on a missing
    // observation ("Brak pomiarów …", shown and written) or when a file could
    // not be written (shown once; WriteFailed() tells, and the page then
    // interrupts the run).
    bool WriteRow(const RunObservation& observation);
    bool WriteFailed() const { return writeFailed_; }
    // N observations were taken: the summary ends the run.
    void Finish(const RunSummaryTexts& texts);
    // Ends a waiting or running run early: the summary as far as it can be
    // given, marked as interrupted, into whichever file still takes it. False
    // when no run was going.
    bool Interrupt(RunInterruption reason, const RunSummaryTexts& texts);
    // Rows written into the series file (of the last run, once it ended).
    int Rows() const { return rows_; }
    // The monotonic moment of the first row of the run going (or last run).
    std::int64_t FirstRowMs() const { return firstRowMs_; }

private:
    void Append(std::string_view line, bool toChannelFile, bool toSeriesFile = true);
    void Stop(int messageId);
    void WriteSummary(const RunSummaryTexts& texts, std::optional<RunInterruption> interruption);
    void WriteUncertainties(const RunSummaryTexts& texts);
    void End(RunEnding::Kind kind, RunInterruption reason = RunInterruption::StoppedByUser);
    void CloseFiles();
    std::string NowIso() const;
    void Reset();
    std::string InUnit(double celsius) const;
    double DifferenceInUnit(double kelvin) const;
    std::string DifferenceUnit() const;
    std::string StabilityCells(const StabilityFigures& figures) const;

    LabHost& host_;
    TimerService& timers_;
    const Clock& clock_;
    const HumidityEngine* engine_ = nullptr;
    State state_ = State::Closed;
    std::string folder_;
    std::string unit_ = "°C";
    bool useDewPoint_ = true;
    StabilityWait wait_, keptWait_;
    int collection_ = 60;
    int observations_ = 10;

    std::unique_ptr<RecordFile> series_;
    std::unique_ptr<RecordFile> channel_;
    // Each line of either file confirmed in the chain beside it.
    std::unique_ptr<RecordChain> seriesChain_, channelChain_;
    std::function<void()> onFilesCreated_;
    std::string seriesPath_, channelPath_;
    std::string log_;
    std::string channelText_;
    bool writeFailed_ = false;
    CalendarTime startTime_;
    int rows_ = 0;
    // Monotonic moments: when the delay ends, when the last row was written,
    // since when the start waits for the instruments' first readings.
    std::int64_t startDueMs_ = 0;
    std::int64_t lastRowMs_ = 0;
    std::optional<std::int64_t> awaitSinceMs_;
    std::int64_t awaitLongestMs_ = 0;
    // Since when the start waits for stability, and the last verdict shown.
    std::optional<std::int64_t> stabilitySinceMs_;
    std::string stabilityVerdict_;
    std::int64_t firstRowMs_ = 0;
    // Rows taken while the station was not stable, and while an input was
    // stale (with the inputs that were, in the order first seen).
    int unstableRows_ = 0;
    int staleRows_ = 0;
    std::vector<std::string> staleInputs_;
    std::optional<RunEnding> ending_;
    // Per row: utnj, tnmax − tnmin, pressure, environment temperature and humidity.
    std::vector<double> utnj_, spread_, pressure_, environmentTemperature_, environmentHumidity_;
};

}  // namespace wegator::lab
