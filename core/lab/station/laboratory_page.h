// The laboratory page (SWega5PP, "Laboratorium"): a reference station. It
// reads a dew or frost point from the MBW DP30, an air temperature from a
// QX-310, a QX-311 or an ASL F-250, and the barometric pressure from a QX-316
// (or takes it from the settings), corrects each reading with its calibration
// table, averages each input over the last N observations with the standard
// uncertainty of that average, and every few seconds computes every humidity
// quantity over water and over ice. It records a data file and runs
// calibration series.
//
// Nothing here waits or reads a clock of its own: bytes, timer ticks and
// button presses come in as calls, time comes from the Clock, timers are
// started through the TimerService, ports through the InstrumentLink. The
// desktop program, the command line and the tests drive the same model.
//
// Every number is held as a number: averages, uncertainties and results are
// computed from the corrected readings as received, never from the texts the
// fields show, and the "no reading" marker never enters a calculation.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings.h"
#include "lab/station/calibration_run.h"
#include "lab/tables/calibration_tables.h"
#include "lab/records/data_file.h"
#include "lab/station/eight_channel_page.h"
#include "lab/trends/history.h"
#include "lab/base/lab_messages.h"
#include "lab/records/manifest.h"
#include "lab/records/record_chain.h"
#include "lab/station/lab_host.h"
#include "lab/station/observation_buffer.h"
#include "lab/station/station_end.h"
#include "lab/base/station_time.h"
#include "lab/lines/stream.h"
#include "lab/lines/stream_decoder.h"
#include "lab/trends/trend.h"
#include "lab/trends/trend_chart.h"
#include "pages/number_entry.h"
#include "pages/print_layout.h"
#include "pages/result_grid.h"
#include "physics/humidity_engine.h"

namespace wegator::lab {

// The serial ports, as the station sees them.
class InstrumentLink {
public:
    virtual ~InstrumentLink() = default;
    // Opens COMn (n = port) with the stream's line settings; received bytes
    // then come through LaboratoryPage::OnByte, a lost port through
    // OnChannelLost. False (with the reason in `error`) when it cannot be opened.
    virtual bool Open(Stream stream, int port, std::string& error) = 0;
    // Closes the stream's port; nothing of it is delivered afterwards.
    virtual void Close(Stream stream) = 0;
    // Writes an ASL F-250 command.
    virtual void Send(Stream stream, F250Command command) = 0;
};

// Stored settings can hold anything: the station uses them only within the
// ranges the settings sheet allows (update 3 … 600 s, collection 60 … 600 s,
// N 2 … 100, records 1 … 6000 min, precisions 0 … 7, temperature source 2 … 6).
Settings ClampLaboratorySettings(Settings settings);

// The averaged inputs, in the order of the page's rows.
enum class LabInput { DewPoint = 0, Temperature = 1, Pressure = 2 };
inline constexpr int kLabInputs = 3;

// The instantaneous values "Wartości chwilowe z przyrządów".
enum class LabValue { DewPoint = 0, Temperature = 1, Pressure = 2, EnvironmentTemperature = 3, EnvironmentHumidity = 4 };
inline constexpr int kLabValues = 5;

// Where the air temperature comes from (SETTINGS_PORT_TEMP_DEVICE).
enum TemperatureSource : int {
    kSourceQx310 = 2,
    kSourceQx311 = 3,
    kSourceF250 = 4,
    kSourceQx310WithGradient = 5,
    kSourceF250WithGradient = 6,
};

// The terms of the averaged temperature's uncertainty besides the scatter.
struct TemperatureTerms {
    double uI = 0.0;  // the instruments'
    double uC = 0.0;  // the calibration tables'
};
// The instrument and table terms for a temperature source: u310, u311, u250
// the instruments' standard uncertainties, utnj the chamber's non-uniformity,
// k310, k311, k250 the tables' uncertainties at the average (0 for a table not
// in use). With `includeInstruments` off the instrument terms are 0. The
// gradient adds utnj to the instrument term of the sources that use a QX-311.
TemperatureTerms TemperatureBudget(int source, bool gradient, bool includeInstruments, double u310, double u311,
                                   double u250, double utnj, double k310, double k311, double k250);

class LaboratoryPage {
public:
    // The stream's instrument state, as far as the page is concerned.
    enum class StreamPhase {
        Stopped,   // not in use, or not started yet
        Stopping,  // the F-250 has its "A4": the port closes in 200 ms
        Waiting,   // the port opens after the 500 ms wait
        Open,
        Failed,    // could not be opened: "Błąd" until the settings are applied again
        Lost,      // the port went away: tried again every 10 s
    };

    LaboratoryPage(LabHost& host, Clock& clock, TimerService& timers, InstrumentLink& link,
                   EightChannelPage& eightChannels);
    ~LaboratoryPage();
    LaboratoryPage(const LaboratoryPage&) = delete;
    LaboratoryPage& operator=(const LaboratoryPage&) = delete;

    // ---- set-up
    // Copies the settings the page works with (clamped, see above) into the
    // page, its engine and the eight-channel page.
    void ApplySettings(const Settings& settings);
    const Settings& CurrentSettings() const { return settings_; }
    // Loads the calibration tables and, with the instruments on, starts the
    // streams; resumes recording when saving is stored as on.
    void SetUp();
    // The page is shown. False when it may not be: without instruments after
    // the first activation it asks for the ports (182) instead.
    bool Activate();
    // The user's date and time formats for text-format data files.
    void SetDateFormats(DateFormats formats) { dataFile_.SetDateFormats(std::move(formats)); }

    // ---- events
    void OnTimer(int id);
    void OnByte(Stream stream, std::uint8_t byte, std::int64_t arrivalMs);
    // The input of a stream was purged (before an F-250 command): the line in
    // progress is gone.
    void OnPurged(Stream stream);
    // The port of a stream went away (an adapter pulled, the instrument off);
    // `reason` is the port's own word for it.
    void OnChannelLost(Stream stream, std::string_view reason = {});

    // ---- buttons and lists
    // "Wyczyść": the averaging starts again from nothing.
    void Clear();
    // "Kalibracja": the averaging starts again, the run dialog may open (Run()).
    void PrepareRun();
    // The run dialog has closed; the folder then goes into CALIBR_FILE_PATH.
    void RunDialogClosed();
    CalibrationRun& Run() { return run_; }
    // Ends a waiting or running calibration run before its N rows: the summary
    // the page can give, marked as interrupted for `reason`.
    void InterruptRun(RunInterruption reason);
    // Before "Kalibracja" closes: with a run waiting or running, asks whether
    // to end it and, on Yes, interrupts it. True when nothing is lost or the
    // user said Yes.
    bool ConfirmRunDialogClose();
    // What the station has in hand: the instruments averaging, the data file
    // recorded, a calibration series waiting or running.
    StationWork Work() const;
    bool StationAtWork() const { return Work().Any(); }
    // Before the program ends, whichever way it is ended: asks once, naming
    // what stops, while the station is at work; true when nothing is lost or
    // the user said Yes.
    bool ConfirmStationEnd();
    // The desktop session ends: nobody is there to answer, so the series ends
    // its files saying the program was closed and the data file is closed now,
    // before the session may cut the program short.
    void EndStationWork();
    // Called whenever a calibration run ends (its N rows, a missing
    // observation, an interruption); Run().LastEnding() says how.
    void SetRunEndedHandler(std::function<void()> handler) { onRunEnded_ = std::move(handler); }
    void ChangeTemperatureUnit(int index);
    void ChangePressureUnit(int index);
    void ChangeEnthalpyUnit(int index);
    int TemperatureUnitIndex() const { return temperatureUnit_; }
    int PressureUnitIndex() const { return pressureUnit_; }
    int EnthalpyUnitIndex() const { return enthalpyUnit_; }
    std::string_view TemperatureUnit() const;
    std::string_view PressureUnit() const;
    std::string_view EnthalpyUnit() const;
    // What "Drukuj" prints; only while results are shown. The sheet's trace
    // line says when it was printed and with which formulas.
    bool PrintEnabled() const { return printEnabled_; }
    HumidityPrintout Printout(const PrintTime& printedAt) const;

    // ---- what the page shows
    const std::string& ValueText(LabValue value) const { return valueTexts_[static_cast<std::size_t>(value)]; }
    // "Ostatnia zmiana": the age of the value's last reading ("%ds").
    const std::string& AgeText(LabValue value) const;
    // "Obserwacji": observations in the average.
    const std::string& ObservationText(LabInput input) const { return countTexts_[Index(input)]; }
    const std::string& AverageText(LabInput input) const { return averageTexts_[Index(input)]; }
    const std::string& AverageUncertaintyText(LabInput input) const { return uncertaintyTexts_[Index(input)]; }
    const ResultGridTexts& ResultTexts() const { return results_; }
    const std::string& ResultText(int row, int column) const { return results_[kResultColumns * row + column]; }
    int ResultsCaptionId() const;
    std::string ResultsCaption() const;
    // The line under the results: a failed calculation, an instrument lost,
    // results waiting for the QX-311, records waiting for the disk.
    std::string StatusText() const;
    // The recording line: the data file, how often it gets a record and when
    // it got the last one (or, before the first, about when that comes);
    // empty while saving is off. A warning when saving is on but nothing can
    // be recorded (the instruments off, no column chosen, the file not open).
    struct RecordingLine {
        std::string text;
        bool warning = false;
        bool operator==(const RecordingLine&) const = default;
    };
    RecordingLine RecordingStatus() const;
    TableStatus TableStatusLine(TableFamily family) const { return tables_.Status(family); }
    // The unit label beside an instantaneous value or an averaged input.
    std::string ValueUnit(LabValue value) const;
    std::string InputUnit(LabInput input) const;
    // Counts every change of what the page shows, so a view knows when to look again.
    std::uint64_t Revision() const { return revision_; }

    // ---- the numbers behind the texts
    // Corrected reading in °C (kPa, %), kNoReading before the first.
    double CurrentReading(LabValue value) const { return readings_[static_cast<std::size_t>(value)]; }
    // Average and its standard uncertainty (°C or K, kPa); kNoAverage when none.
    double Average(LabInput input) const { return averages_[Index(input)]; }
    double AverageUncertainty(LabInput input) const { return uncertainties_[Index(input)]; }
    // The last results shown (failed when none are shown).
    const HumidityResult& Results() const { return last_; }
    // The number of observations averaged: the user's N, or fewer when the
    // collection time cannot give N observations 3 s apart (never stored back).
    int EffectiveObservations() const { return effectiveN_; }
    int ObservationPeriodMs() const { return periodMs_; }
    // Observations taken since the averaging started.
    int Observations(LabInput input) const { return counts_[Index(input)]; }
    StreamPhase Phase(Stream stream) const { return streams_[Index(stream)].phase; }
    // Whether the settings read this stream (instruments on, the sources asking for it).
    bool StreamInUse(Stream stream) const;
    bool Busy() const { return busy_; }
    // Move-to-front list of the averaged inputs' codes (P 0, T 1, DP/FP 3), h[3] the most recent.
    const std::array<int, 4>& EditHistory() const { return history_; }
    bool RunInProgress() const { return run_.InProgress(); }
    const EightChannelPage& EightChannels() const { return eight_; }

    // ---- what the settings sheet asks of the page
    // Observations are being taken and results computed.
    bool Acquiring() const;
    // Recomputes the results now (timer 1038 does it periodically).
    void Recompute();
    // Stops the averaging timers and forgets the observations and their displays.
    void StopAcquisition();
    // Computes once, then starts timer 1038 and the observation timer 1039.
    void StartAveragingTimers();
    // Closes the stream's port (nothing more comes from it).
    void CloseStream(Stream stream);
    // Closes (if open) and opens the stream again after the 500 ms wait, on
    // the port the settings name.
    void RestartStream(Stream stream);
    // Marks the stream so that the next activation restarts it.
    void MarkForRestart(Stream stream);
    // Reloads every table from the files the settings name.
    void ReloadTables();
    // Loads one table from its .cal file; an empty path leaves it empty. A
    // file that cannot be read is told (209, 1101 … 1104) and leaves it empty.
    void LoadTable(TableId table, const std::string& path);
    CalibrationTables& Tables() { return tables_; }
    // The pressure entered by hand (kPa) with its standard uncertainty.
    void SetHandPressure(double kilopascal, double uncertaintyKilopascal);
    // The data file: open (OpenOrCreate) and take `path`; existed tells whether
    // it held something before. Returns false (with message 195) when it
    // cannot be opened.
    struct DataFileOpening {
        std::unique_ptr<RecordFile> file;
        bool existed = false;
    };
    static DataFileOpening OpenDataFile(const std::string& path);
    // Takes an opened data file (emptied first when `empty`); the next record
    // starts with a header.
    void TakeDataFile(std::unique_ptr<RecordFile> file, bool empty);
    void CloseDataFile();
    const DataFile& Data() const { return dataFile_; }
    DataFile& Data() { return dataFile_; }
    // The next record starts with a header line.
    void SetHeaderPending() { dataFile_.SetHeaderPending(); }
    // Timer 1040 (one minute, then 1034 every SAVE_FILE_TIME minutes), unless
    // a record timer runs already.
    void StartSaveTimer();
    // How long timer 1040 waits for the first record.
    static constexpr std::int64_t kFirstRecordDelayMs = 60000;
    void StopSaveTimer();
    // Writes one record now (what timers 1040 and 1034 do).
    void WriteRecord();

    // Called after every recomputation, whether it gave results or not (the
    // command line prints it).
    void SetRecomputedHandler(std::function<void()> handler) { onRecomputed_ = std::move(handler); }

    // ---- when the station cannot be trusted
    // What the station tells once, as it happens: an instrument lost or back,
    // records skipped or resumed, the calculation failing or working again.
    struct Notice {
        enum class Kind { InstrumentLost, InstrumentBack, RecordsSkipped, RecordingResumed, Calculation };
        Kind kind;
        int messageId;     // the string-table text it is made of (0: results again)
        std::string text;  // in the language in force
    };
    void SetNoticeHandler(std::function<void(const Notice&)> handler) { onNotice_ = std::move(handler); }
    // The instrument of the stream went away or fell silent and has not sent
    // a reading since (its port may have been opened again meanwhile).
    bool InOutage(Stream stream) const { return outage_[Index(stream)]; }
    // An averaged input in use is stale while an instrument it is read from is
    // lost, or when its last accepted reading is older than StaleLimitMs():
    // twice the observation period, at least 10 s (a QX-311 gives one channel
    // after another). The pressure entered by hand is never stale.
    bool InputStale(LabInput input) const;
    std::vector<LabInput> StaleInputs() const;
    std::int64_t StaleLimitMs() const;
    // Seconds since the value's last accepted reading; -1 before the first.
    int ReadingAgeSeconds(LabValue value) const;
    // The results stand on a stale input: shown as out of date, printed with a
    // warning, never recorded.
    bool ResultsStale() const { return !StaleInputs().empty(); }
    // The state of the last recomputation: results, or the message that says
    // why there are none (its string-table number and text).
    struct Calculation {
        bool ok = false;
        int messageId = 0;
        std::string text;
        bool operator==(const Calculation&) const = default;
    };
    const Calculation& CalculationState() const { return calculation_; }
    // Results were computed at least once since the page was set up.
    bool EverComputed() const { return everComputed_; }
    // Records not written because an input was stale (all of them, and in
    // the present gap).
    std::size_t SkippedRecords() const { return skippedRecords_; }
    std::size_t SkippedInGap() const { return skippedInGap_; }
    // Records handed to the data file since the page was made.
    std::size_t WrittenRecords() const { return writtenRecords_; }
    // "NIEAKTUALNE: Pb, T" while an input is stale, empty otherwise: what a
    // line of the headless station starts with.
    std::string StaleMark() const;
    // The correction tables switched on for an instrument in use, named in the
    // settings, yet not loaded: their readings go uncorrected.
    std::vector<TableId> MissingTables() const;
    // The hand-entered pressure is in use but none was entered.
    bool HandPressureMissing() const;

    // ---- trends and stability
    // Every reading, average and result the page has had, for the trend
    // chart and the stability figures; times on the station's monotonic clock.
    const History& Trends() const { return trends_; }
    // The window and criteria judged by: from the settings, unless the
    // command line gave its own for this run (then settings changes keep them).
    const StabilitySettings& Stability() const { return stability_; }
    void OverrideStability(const StabilitySettings& stability);
    // The verdict on one quantity now, and on the station: the instantaneous
    // dew or frost point (unless only the temperature is used, see
    // `useDewPoint`) and temperature both stable.
    StabilityVerdict Verdict(TrendQuantity quantity) const;
    StationStability StationVerdict(bool useDewPoint = true) const;
    // The verdict in words, in the page's units: one quantity's, and the
    // station's (all its quantities, the failing ones first).
    std::string VerdictText(TrendQuantity quantity) const;
    std::string VerdictText(TrendQuantity quantity, const StabilityVerdict& verdict) const;
    std::string StationVerdictText(bool useDewPoint = true) const;
    std::string StationVerdictText(const StationStability& station) const;
    // The unit text a quantity is shown in on this page ("°C", "kPa", "%").
    std::string TrendUnitText(TrendQuantity quantity) const;
    // The quantities the station reads with its present settings.
    std::vector<TrendQuantity> TrendQuantitiesInUse() const;
    // The trend chart of `quantities` over the last `windowMs` (from the
    // first reading when the history is shorter, said in its note), `columns`
    // pixel columns wide, in the page's units (or `temperatureUnit`, for the
    // QX-311 page), with the stability band of every quantity judged.
    // `dated`: its first time tick carries the date (paper).
    TrendChart Chart(const std::vector<TrendQuantity>& quantities, std::int64_t windowMs, std::size_t columns,
                     std::string_view temperatureUnit = {}, bool dated = false) const;
    // The quantities whose stability the page judges and prints.
    static const std::vector<TrendQuantity>& JudgedQuantities();
    // The printout's second sheet: the stability figures of the quantities
    // judged, their verdicts, and the trend of `quantities` (the judged ones
    // when empty) over the chart window shown on screen (`windowMs`; the
    // settings' window when 0), never shorter than the assessment window,
    // with the trace lines.
    struct TrendPrintout {
        std::vector<PrintCell> cells;
        TrendChart chart;
        // Where the chart goes, in sheet units (2300 × 3000).
        int chartK = 100, chartN = 1300, chartWidth = 2100, chartHeight = 1350;
    };
    TrendPrintout PrintTrends(const PrintTime& printedAt, std::vector<TrendQuantity> quantities = {},
                              std::int64_t windowMs = 0) const;
    // The printout's record sheet, what an auditor needs to follow the
    // numbers back: the instantaneous readings with their ages and observation
    // counts, N and the collection time, the correction tables in use (file,
    // rows, modification time, short checksum), the ports, the data file and
    // the last run's series file, with the trace lines.
    std::vector<PrintCell> PrintRecord(const PrintTime& printedAt) const;

private:
    struct StreamState {
        StreamPhase phase = StreamPhase::Stopped;
        std::optional<StreamDecoder> decoder;
        bool restartMarked = false;
    };
    template <typename E>
    static std::size_t Index(E e) {
        return static_cast<std::size_t>(e);
    }

    int StreamPort(Stream stream) const;
    // The instantaneous value a stream feeds (the QX-311 only with source 3).
    std::optional<LabValue> ValueOf(Stream stream) const;
    int AgeTimerOf(LabValue value) const;
    void StopStream(Stream stream);
    void QueueOpen(Stream stream);
    void OpenQueued();
    bool OpenNow(Stream stream, bool quietly);
    void FinishF250Stop();
    void RetryLost(Stream stream);
    void LoseStream(Stream stream, std::string reason);
    void RestartInput(LabInput input);
    void Supervise();
    bool StreamFeeds(Stream stream, LabInput input) const;
    // An instrument the input is read from is in outage.
    bool InputLost(LabInput input) const;
    void Notify(Notice::Kind kind, int messageId, std::string text);
    void SetCalculation(Calculation state);
    std::string InputName(LabInput input) const;
    std::string StaleList() const;
    // How old the oldest reading an input stands on is (ms): for the
    // temperature with the QX-311's gradient, the gradient's too.
    std::int64_t InputAgeMs(LabInput input) const;
    bool GradientInUse() const;

    void Accept(Stream stream, const Reading& reading);
    void NewReading(LabValue value, double number);
    void AgeTick(LabValue value);
    void TakeObservations();
    void Observe(LabInput input);
    TemperatureTerms TemperatureTermsAt(double mean) const;
    double Qx311TableUncertainty(double celsius) const;
    bool WaitingForQx311() const;
    void ResetAveraging();
    void ClearResults();
    void ShowReading(LabValue value);
    void ShowAverage(LabInput input);
    void ShowAll();
    void SetAverageText(LabInput input, std::string text);
    void RecordEdit(int code);
    void Changed() { ++revision_; }
    void StartRunNow();
    void RunObservationTaken();
    RunObservation MakeRunObservation() const;
    RunSummaryTexts MakeRunSummaryTexts() const;
    std::string FileVerdictText() const;
    // The two trace lines at the foot of a printout sheet, from `firstLine`
    // down, and the laboratory's lines right above them.
    void AddTraceLines(std::vector<PrintCell>& cells, const PrintTime& printedAt, int firstLine) const;
    void EndRun();
    void RunEnded();
    std::string FormatValue(LabValue value, double number) const;
    std::vector<std::string> RecordLabels() const;
    std::vector<std::string> RecordValues() const;
    void ResumeRecording();
    // The manifests beside the data file and the run's series file.
    Manifest CurrentManifest(ManifestKind kind, const std::string& file, bool hashTables) const;
    void OpenDataManifest();
    void EnsureRunManifest();
    void UpdateManifests(bool hashTables);
    void TellManifestFailure(const ManifestKeeper& keeper);
    // The data file's chain tells why records are not written; once per span.
    void SkipRecord(std::string_view reason);
    void CloseDataChain();
    void SeenIdentifier(Stream stream, std::uint16_t identifier);
    void Remember(TrendQuantity quantity, double value);
    void MarkTrends(MarkerKind kind, int quantity = kAllQuantities);
    void MarkStreamTrends(Stream stream, MarkerKind kind);
    void StopAveraging();
    // A record timer's tick: writes the record and notes when one was written.
    void RecordTick();
    void NoteRecordTimers();

    LabHost& host_;
    Clock& clock_;
    TimerService& timers_;
    InstrumentLink& link_;
    EightChannelPage& eight_;
    HumidityEngine engine_;
    Settings settings_;
    NumberFormat format_;
    CalibrationTables tables_;
    DataFile dataFile_;
    CalibrationRun run_;
    ManifestKeeper dataManifest_, runManifest_, channelManifest_;
    // The chain confirming each line of the data file, and whether a manifest
    // the disk refused was told (it is tried again with every record).
    std::shared_ptr<RecordChain> dataChain_;
    bool manifestFailureTold_ = false;
    // The identifier each QX instrument last sent, for the manifests.
    std::array<std::optional<std::uint16_t>, kStreamCount> qxIdentifiers_{};

    std::array<StreamState, kStreamCount> streams_{};
    std::vector<Stream> openQueue_;
    // The F-250 has its "A4" and its port closes when the 200 ms are over.
    bool f250Closing_ = false;

    std::array<double, kLabValues> readings_{kNoReading, kNoReading, kNoReading, kNoReading, kNoReading};
    std::array<bool, kLabValues> fresh_{};
    std::array<int, kLabValues> ages_{};
    std::array<std::string, kLabValues> valueTexts_;
    std::array<std::string, kLabValues> ageTexts_;

    std::array<ObservationBuffer, kLabInputs> buffers_;
    std::array<int, kLabInputs> counts_{};
    std::array<int, kLabInputs> runCounts_{};
    std::array<double, kLabInputs> averages_{kNoAverage, kNoAverage, kNoAverage};
    std::array<double, kLabInputs> uncertainties_{kNoAverage, kNoAverage, kNoAverage};
    std::array<std::string, kLabInputs> countTexts_{"0", "0", "0"};
    std::array<std::string, kLabInputs> averageTexts_;
    std::array<std::string, kLabInputs> uncertaintyTexts_;
    std::optional<double> handPressure_, handPressureUncertainty_;

    ResultGridTexts results_{};
    HumidityResult last_;
    bool printEnabled_ = false;
    std::array<int, 4> history_{};
    bool busy_ = false;
    bool activated_ = false;
    bool averaging_ = false;
    int effectiveN_ = 10;
    int periodMs_ = 6000;
    int temperatureUnit_ = 0, pressureUnit_ = 0, enthalpyUnit_ = 0;
    std::uint64_t revision_ = 0;
    std::function<void()> onRecomputed_;
    std::function<void(const Notice&)> onNotice_;
    // Monotonic time of each value's last accepted reading, of each stream's
    // last reading (or its port's opening), and whether an outage runs.
    std::array<std::int64_t, kLabValues> lastReadingMs_{};
    std::array<std::int64_t, kStreamCount> lastLineMs_{};
    // Monotonic time of the QX-311's last channel reading (its gradient).
    std::int64_t lastGradientMs_ = 0;
    std::array<bool, kStreamCount> outage_{};
    Calculation calculation_;
    bool everComputed_ = false;
    std::size_t skippedRecords_ = 0;
    std::size_t skippedInGap_ = 0;
    std::size_t writtenRecords_ = 0;
    std::string gapInputs_;
    int gapMessage_ = msg::RecordsSkipped;  // what the span of skipped records is told with
    std::function<void()> onRunEnded_;
    History trends_;
    StabilitySettings stability_;
    bool stabilityOverridden_ = false;
    // The last record written (and to which file), the last record timer's
    // tick and, while timer 1040 runs, about when it falls due (monotonic ms).
    std::optional<CalendarTime> lastRecordAt_;
    std::string lastRecordPath_;
    std::int64_t recordTickMs_ = -1;
    std::int64_t firstRecordDueMs_ = -1;
    // The page is going: nothing is recomputed or reported any more.
    bool destroying_ = false;
};

}  // namespace wegator::lab
