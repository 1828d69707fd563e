// A calibration run ("Kalibracja"): after a start delay, N single
// observations of the air temperature (and the dew point), one row each, into
// a series file and, while a QX-311 is in use, a channel file, both named
// after the moment the run was started; then a summary with the averages, the
// chamber's non-uniformity and the environment's conditions during the run.
//
// This is the dialog's model and the run's writer. The laboratory page owns
// it: it starts the run when the delay has passed, hands it one row per
// observation and the texts of the summary.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "lab/observation_buffer.h"
#include "lab/record_file.h"
#include "lab/station_time.h"

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
};

// The page's texts for the summary, as shown.
struct RunSummaryTexts {
    std::string temperature, temperatureUncertainty;
    std::string dewPoint, dewPointUncertainty;
    std::string humidity, humidityUncertainty;  // RH over water; empty when not shown
    std::string pressureUnit;                   // the page's pressure unit text
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

    // ---- the dialog
    // Opens it: the log empties, the information line and the folder show.
    void OpenDialog();
    // "Zostanie przeprowadzone %d pomiarów co %d s".
    std::string InformationLine() const;
    bool UseDewPoint() const { return useDewPoint_; }
    void SetUseDewPoint(bool on) { useDewPoint_ = on; }
    // "Start" (or the key S): false when the run did not start waiting (a
    // message was shown). The delay is the text of "Opóźnienie startu".
    bool Start(std::string_view delayText, std::string_view folderText);
    bool StartEnabled() const { return state_ == State::Ready; }
    // "Zamknij" keeps the folder (for CALIBR_FILE_PATH); Escape and the close
    // box do not. Either way the files close and the dialog is gone.
    void CloseDialog(bool keepFolder, std::string_view folderText);
    State CurrentState() const { return state_; }
    bool DialogOpen() const { return state_ != State::Closed; }
    bool InProgress() const { return state_ == State::Running; }
    const std::string& Log() const { return log_; }
    // The files of the last run started: the series and the channel file.
    const std::string& SeriesPath() const { return seriesPath_; }
    const std::string& ChannelPath() const { return channelPath_; }

    // ---- the page's side
    // Timer 1111: the delay has passed; true when the run begins now (the page
    // then takes its first observation and calls WriteRow).
    bool DelayPassed();
    // One row after an observation. False when the run ended on a missing
    // observation ("Brak pomiarów …", shown and written).
    bool WriteRow(const RunObservation& observation);
    // N observations were taken: the summary ends the run.
    void Finish(const RunSummaryTexts& texts);
    int Rows() const { return rows_; }

private:
    void Append(std::string_view line, bool toChannelFile, bool toSeriesFile = true);
    void Stop(int messageId);
    void CloseFiles();
    void Reset();
    std::string InUnit(double celsius) const;
    double DifferenceInUnit(double kelvin) const;

    LabHost& host_;
    TimerService& timers_;
    const Clock& clock_;
    const HumidityEngine* engine_ = nullptr;
    State state_ = State::Closed;
    std::string folder_;
    std::string unit_ = "°C";
    bool useDewPoint_ = true;
    int collection_ = 60;
    int observations_ = 10;

    std::unique_ptr<RecordFile> series_;
    std::unique_ptr<RecordFile> channel_;
    std::string seriesPath_, channelPath_;
    std::string log_;
    std::string channelText_;
    bool writeFailed_ = false;
    CalendarTime startTime_;
    int rows_ = 0;
    // Per row: utnj, tnmax − tnmin, pressure, environment temperature and humidity.
    std::vector<double> utnj_, spread_, pressure_, environmentTemperature_, environmentHumidity_;
};

}  // namespace wegator::lab
