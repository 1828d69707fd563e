// One instrument's serial line. The channel opens the port with the line
// settings of its instrument and hands every received byte, one at a time and
// in order, with the moment it arrived, to its owner. It runs on the thread
// that created it (the window's, or the command line's) on Qt's event loop:
// no reader threads, no locks, and never a blocking wait.
//
// What the owner may rely on:
// - nothing is delivered after Close() (or destruction) has begun;
// - a port that vanishes (an adapter pulled, a simulator ended) is closed at
//   the first error and reported once through the loss handler; Open() may be
//   called again later;
// - an F-250 command is written only after every byte already received was
//   delivered, and the purge before it is announced, so that a line in
//   progress is never spliced with the next one.
//
// The handlers must not destroy the channel; use deleteLater() from them.
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSerialPort>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>

#include "lab/lines/stream.h"
#include "serial/f250_log.h"

namespace wegator {

// Milliseconds on the system's monotonic clock: the arrival time of a byte.
std::int64_t MonotonicMs();

class SerialChannel : public QObject {
    Q_OBJECT
public:
    // A received byte and its arrival time (MonotonicMs()). QX bytes come
    // reduced to their seven data bits, as a 7-bit line delivers them.
    using ByteHandler = std::function<void(std::uint8_t byte, std::int64_t arrivalMs)>;
    // The input was purged before an F-250 command: a line in progress is gone.
    using PurgeHandler = std::function<void()>;
    // The open port was lost; the channel is closed already.
    using LossHandler = std::function<void(const QString& reason)>;

    static constexpr int kFinalWriteMs = 200;

    // A channel for one instrument stream, on the stream's line settings
    // (lab::StreamLineSettings). The F-250's channel keeps its dialogue log in
    // `f250Log` (F250LogPath() by default; an empty path keeps none).
    explicit SerialChannel(lab::Stream stream, QObject* parent = nullptr);
    SerialChannel(lab::Stream stream, const std::filesystem::path& f250Log, QObject* parent = nullptr);
    ~SerialChannel() override;

    void SetByteHandler(ByteHandler handler) { onByte_ = std::move(handler); }
    void SetPurgeHandler(PurgeHandler handler) { onPurge_ = std::move(handler); }
    void SetLossHandler(LossHandler handler) { onLoss_ = std::move(handler); }

    // Opens "COMn" (through its link or the fixed device, see lab/lines/port_names.h)
    // or a device path, exclusively, with the stream's line settings, and
    // purges both buffers. An open channel is closed first. On failure nothing stays
    // open and ErrorText() says why.
    bool Open(const QString& nameOrPath);
    bool IsOpen() const { return open_; }
    // The device that was opened (or was to be opened).
    QString Device() const { return device_; }
    // The port as messages name it: "COM7 (/dev/ttyUSB0)", or the device path alone.
    QString Where() const { return where_; }
    // Why the last Open failed, or why the port was lost.
    QString ErrorText() const { return error_; }
    lab::Stream Stream() const { return stream_; }

    // Stops delivery and closes the port. Safe to call at any time.
    void Close();

    // Sends an F-250 command: first the bytes already received are
    // delivered, then the input is purged (the purge handler runs), the
    // command's bytes go into the log and out to the thermometer. Called from
    // the byte handler, the command goes out once the received bytes are
    // delivered. False when the channel is not open.
    bool SendCommand(lab::F250Command command);
    // Ends the channel's work: the F-250's channel sends "A4" and closes once
    // it is written, at most kFinalWriteMs later, without blocking; other
    // channels close at once. `closed` runs when the port is closed. Nothing
    // is delivered meanwhile.
    void StopAndClose(std::function<void()> closed);

private:
    // False when a handler destroyed the channel.
    bool DeliverReceived();
    void WritePendingCommands();
    void OnError(QSerialPort::SerialPortError error);
    void ReportLoss(const QString& reason);
    void FinishClose();
    bool Fail(const QString& reason);
    bool QueueCommand(const QByteArray& bytes);

    lab::Stream stream_;
    QSerialPort port_;
    QTimer finalWriteTimer_;
    std::unique_ptr<F250Log> log_;
    ByteHandler onByte_;
    PurgeHandler onPurge_;
    LossHandler onLoss_;
    std::function<void()> onClosed_;
    QList<QByteArray> pendingCommands_;
    QString device_;
    QString where_;
    QString error_;
    bool open_ = false;
    bool opening_ = false;
    bool delivering_ = false;
    bool finishing_ = false;
    bool lossPending_ = false;
};

}  // namespace wegator
