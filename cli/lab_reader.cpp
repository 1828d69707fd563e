#include "lab_reader.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdio>
#include <iostream>
#include <memory>

#include "evaluation_output.h"
#include "lab/lines/stream_decoder.h"
#include "stop_signals.h"
#include "time_limit.h"
#include "serial/serial_channel.h"
#include "text_output.h"

namespace wegator::cli {

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitOutput = 2;

// The pause before a failed or vanished port is tried again.
constexpr int kRetryMs = 500;
// The F-250 is asked for its input again after this long without a reading.
constexpr int kF250QuietMs = 10000;

// A port's name and the system's reasons reach the terminal escaped.
void Report(const std::string& text) { std::cerr << "wegator-cli: " << MessagePrintable(OneLine(text)) << std::endl; }

class LabReader {
public:
    explicit LabReader(const LabReadOptions& options) : options_(options) {}

    int Run() {
        StopSignals stopSignals;
        QSocketNotifier interrupt(stopSignals.ReadEnd(), QSocketNotifier::Read);
        QObject::connect(&interrupt, &QSocketNotifier::activated, [this] { Stop(); });
        TimeLimit deadline([this] { Stop(); });

        for (const LabReadOptions::Port& port : options_.ports) {
            instruments_.push_back(std::make_unique<Instrument>(port.stream, port.name));
        }
        for (auto& instrument : instruments_) {
            Prepare(*instrument);
            if (!OpenAtStart(*instrument)) break;
        }
        if (!stopping_ && options_.seconds) deadline.Start(*options_.seconds);
        // Also after a failed start: the F-250, if open, gets its "A4" first.
        QCoreApplication::exec();
        if (outputFailed_) return kExitOutput;
        if (failed_) return kExitFailure;
        if (readings_ == 0) {
            Report("no reading received");
            return kExitFailure;
        }
        return kExitSuccess;
    }

private:
    struct Instrument {
        Instrument(lab::Stream s, std::string n) : stream(s), name(std::move(n)), channel(s), decoder(s) {}
        lab::Stream stream;
        std::string name;
        SerialChannel channel;
        lab::StreamDecoder decoder;
        QTimer retry;
        QTimer quiet;                  // F-250: time since the last reading
        bool troubleReported = false;  // a failed open or a loss waits for its reopen
        std::string Label() const { return std::string(lab::StreamName(stream)); }
    };

    void Prepare(Instrument& instrument) {
        instrument.channel.SetByteHandler(
            [this, &instrument](std::uint8_t byte, std::int64_t arrival) { OnByte(instrument, byte, arrival); });
        instrument.channel.SetPurgeHandler([&instrument] { instrument.decoder.Reset(MonotonicMs()); });
        instrument.channel.SetLossHandler([this, &instrument](const QString& reason) { OnLoss(instrument, reason); });
        instrument.retry.setSingleShot(true);
        instrument.retry.setInterval(kRetryMs);
        QObject::connect(&instrument.retry, &QTimer::timeout, [this, &instrument] { Retry(instrument); });
        instrument.quiet.setInterval(kF250QuietMs);
        QObject::connect(&instrument.quiet, &QTimer::timeout,
                         [this, &instrument] { instrument.channel.SendCommand(options_.f250Input); });
    }

    // A port that cannot be opened ends the run, unless --retry asks to wait for it.
    bool OpenAtStart(Instrument& instrument) {
        if (Open(instrument)) return true;
        if (options_.retry) {
            Report(instrument.Label() + ": " + instrument.channel.ErrorText().toStdString() + "; trying again");
            instrument.troubleReported = true;
            instrument.retry.start();
            return true;
        }
        Report(instrument.Label() + ": " + instrument.channel.ErrorText().toStdString());
        failed_ = true;
        Stop();
        return false;
    }

    bool Open(Instrument& instrument) {
        if (!instrument.channel.Open(QString::fromStdString(instrument.name))) return false;
        // The line in progress and its window start afresh with the port.
        instrument.decoder.Reset(MonotonicMs());
        if (instrument.stream == lab::Stream::F250) {
            instrument.channel.SendCommand(options_.f250Input);
            instrument.quiet.start();
        }
        return true;
    }

    void Retry(Instrument& instrument) {
        if (stopping_) return;
        if (!Open(instrument)) {
            instrument.retry.start();
            return;
        }
        if (instrument.troubleReported) {
            Report(instrument.Label() + ": " + instrument.channel.Where().toStdString() + ": reopened");
        }
        instrument.troubleReported = false;
    }

    void OnLoss(Instrument& instrument, const QString& reason) {
        instrument.quiet.stop();
        if (stopping_) return;
        if (options_.retry) {
            Report(instrument.Label() + ": " + reason.toStdString() + "; trying again");
            instrument.troubleReported = true;
            instrument.retry.start();
            return;
        }
        Report(instrument.Label() + ": " + reason.toStdString());
        failed_ = true;
        Stop();
    }

    void OnByte(Instrument& instrument, std::uint8_t byte, std::int64_t arrival) {
        const std::optional<lab::LineResult> line = instrument.decoder.Feed(byte, arrival);
        if (!line || stopping_) return;
        for (const lab::F250Command command : line->commands) instrument.channel.SendCommand(command);
        if (!line->reading) {
            if (options_.dropped) {
                Report(instrument.Label() + ": line dropped: " + std::string(lab::VerdictName(line->verdict)));
            }
            return;
        }
        if (instrument.stream == lab::Stream::F250) instrument.quiet.start();
        Print(Correct(*line->reading, options_.tables), instrument);
        ++readings_;
        if (options_.count && readings_ >= *options_.count) Stop();
    }

    void Print(const CorrectedReading& reading, const Instrument& instrument) {
        const QString time = QDateTime::currentDateTime().toString(Qt::ISODateWithMs);
        if (options_.json) {
            JsonWriter json(std::cout);
            json.BeginObject();
            json.Member("time", time.toStdString());
            json.Member("port", instrument.name);
            WriteReadingMembers(json, reading);
            json.EndObject();
            std::cout << '\n';
        } else {
            std::cout << time.mid(11).toStdString() << "  " << ReadingText(reading) << '\n';
        }
        std::cout.flush();
        if (!std::cout.good()) {
            outputFailed_ = true;
            Stop();
        }
    }

    // Ends the run: every channel stops (the F-250's after its "A4" is out), then the loop ends.
    void Stop() {
        if (stopping_) return;
        stopping_ = true;
        openChannels_ = 0;
        for (auto& instrument : instruments_) {
            instrument->retry.stop();
            instrument->quiet.stop();
            ++openChannels_;
        }
        for (auto& instrument : instruments_) {
            instrument->channel.StopAndClose([this] {
                if (--openChannels_ == 0) QTimer::singleShot(0, [] { QCoreApplication::quit(); });
            });
        }
        if (instruments_.empty()) QTimer::singleShot(0, [] { QCoreApplication::quit(); });
    }

    const LabReadOptions& options_;
    std::vector<std::unique_ptr<Instrument>> instruments_;
    long long readings_ = 0;
    int openChannels_ = 0;
    bool stopping_ = false;
    bool failed_ = false;
    bool outputFailed_ = false;
};

}  // namespace

int RunLabRead(const LabReadOptions& options) {
    // Qt's own command-line options are not the user's: the application gets
    // the program name only.
    int argc = 1;
    char name[] = "wegator-cli";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    LabReader reader(options);
    return reader.Run();
}

}  // namespace wegator::cli
