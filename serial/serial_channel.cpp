#include "serial/serial_channel.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <QPointer>
#include <chrono>
#include <mutex>
#include <set>
#include <utility>

#include "lab/lines/port_names.h"

namespace wegator {

namespace {

// The line as Qt names it.
struct QtLine {
    qint32 baud;
    QSerialPort::DataBits dataBits;
    QSerialPort::Parity parity;
    QSerialPort::StopBits stopBits;
};

QtLine ToQt(const lab::LineSettings& line) {
    return {line.baud, static_cast<QSerialPort::DataBits>(line.dataBits),
            line.parity == 'E'   ? QSerialPort::EvenParity
            : line.parity == 'O' ? QSerialPort::OddParity
                                 : QSerialPort::NoParity,
            line.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop};
}

// "300 7N1", for messages.
QString Describe(const lab::LineSettings& line) {
    return QStringLiteral("%1 %2%3%4")
        .arg(line.baud)
        .arg(line.dataBits)
        .arg(QChar::fromLatin1(line.parity))
        .arg(line.stopBits);
}

// Slaves of Unix 98 pseudo-terminals (the simulator's ports) have these
// device majors. A pseudo-terminal has no line: it refuses 7 data bits and the
// modem lines, and that is no fault of the port.
constexpr unsigned kFirstPtySlaveMajor = 136;
constexpr unsigned kLastPtySlaveMajor = 143;

bool IsPseudoTerminal(const QString& device) {
    struct stat info {};
    if (::stat(device.toLocal8Bit().constData(), &info) != 0 || !S_ISCHR(info.st_mode)) return false;
    const unsigned deviceMajor = major(info.st_rdev);
    return deviceMajor >= kFirstPtySlaveMajor && deviceMajor <= kLastPtySlaveMajor;
}

// Errors after which the port delivers nothing more.
bool IsLoss(QSerialPort::SerialPortError error) {
    switch (error) {
        case QSerialPort::DeviceNotFoundError:
        case QSerialPort::PermissionError:
        case QSerialPort::ReadError:
        case QSerialPort::WriteError:
        case QSerialPort::ResourceError:
        case QSerialPort::UnknownError: return true;
        default: return false;
    }
}

// The first F-250 log of a run moves the previous run's file aside; a
// thermometer reopened later in the run continues the same file.
F250Log::Start LogStart(const std::filesystem::path& file) {
    static std::mutex mutex;
    static std::set<std::filesystem::path> started;
    const std::lock_guard lock(mutex);
    return started.insert(file).second ? F250Log::Start::NewRun : F250Log::Start::Continue;
}

}  // namespace

std::int64_t MonotonicMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

SerialChannel::SerialChannel(lab::Stream stream, QObject* parent) : SerialChannel(stream, F250LogPath(), parent) {}

SerialChannel::SerialChannel(lab::Stream stream, const std::filesystem::path& f250Log, QObject* parent)
    : QObject(parent), stream_(stream) {
    if (stream == lab::Stream::F250 && !f250Log.empty()) {
        log_ = std::make_unique<F250Log>(f250Log, LogStart(f250Log));
        if (!log_->IsOpen()) log_.reset();
    }
    finalWriteTimer_.setSingleShot(true);
    connect(&finalWriteTimer_, &QTimer::timeout, this, &SerialChannel::FinishClose);
    connect(&port_, &QSerialPort::readyRead, this, [this] {
        if (DeliverReceived()) WritePendingCommands();
    });
    connect(&port_, &QSerialPort::errorOccurred, this, &SerialChannel::OnError);
    connect(&port_, &QSerialPort::bytesWritten, this, [this] {
        if (finishing_ && port_.bytesToWrite() == 0) FinishClose();
    });
}

SerialChannel::~SerialChannel() {
    onClosed_ = nullptr;
    Close();
}

bool SerialChannel::Fail(const QString& reason) {
    error_ = reason;
    if (port_.isOpen()) port_.close();
    opening_ = false;
    return false;
}

bool SerialChannel::Open(const QString& nameOrPath) {
    Close();
    error_.clear();
    const lab::ResolvedPort resolved = lab::ResolvePort(nameOrPath.toStdString());
    device_ = QString::fromStdString(resolved.device.string());
    where_ =
        nameOrPath == device_ || device_.isEmpty() ? nameOrPath : nameOrPath + QStringLiteral(" (") + device_ + ')';
    if (resolved.device.empty()) return Fail(QString::fromStdString(resolved.error));
    opening_ = true;
    port_.setPortName(device_);
    // Qt applies its own defaults (9600 8N1) while opening, which every port
    // takes; the instrument's settings follow, so that a refused setting is
    // judged by the rules below instead of failing the open outright.
    port_.setBaudRate(QSerialPort::Baud9600);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!port_.open(QIODevice::ReadWrite)) {
        QString reason = port_.errorString();
        if (port_.error() == QSerialPort::PermissionError) {
            reason = QStringLiteral("in use by another program, or access denied (") + reason + ')';
        }
        return Fail(where_ + QStringLiteral(": cannot open: ") + reason);
    }

    const lab::LineSettings settings = lab::StreamLineSettings(stream_);
    const QtLine line = ToQt(settings);
    bool lineTaken = port_.setBaudRate(line.baud);
    lineTaken = port_.setDataBits(line.dataBits) && lineTaken;
    lineTaken = port_.setParity(line.parity) && lineTaken;
    lineTaken = port_.setStopBits(line.stopBits) && lineTaken;
    lineTaken = port_.setFlowControl(QSerialPort::NoFlowControl) && lineTaken;
    // The thermometer answers on any settings the port takes; a QX or DP30
    // on the wrong speed or framing would only ever deliver garbage.
    if (!lineTaken && stream_ != lab::Stream::F250 && !IsPseudoTerminal(device_)) {
        return Fail(where_ + QStringLiteral(": the port refuses ") + Describe(settings) + QStringLiteral(": ") +
                    port_.errorString());
    }
    // Modem lines power some adapters and instruments; a port without them
    // (a pseudo-terminal, a three-wire adapter) still carries the data.
    port_.setRequestToSend(true);
    if (stream_ == lab::Stream::F250) port_.setDataTerminalReady(true);
    port_.clear(QSerialPort::AllDirections);
    port_.clearError();
    opening_ = false;
    open_ = true;
    return true;
}

void SerialChannel::Close() {
    open_ = false;
    finishing_ = false;
    lossPending_ = false;
    pendingCommands_.clear();
    finalWriteTimer_.stop();
    if (port_.isOpen()) {
        // A command just written (the F-250's "A4" when the program ends) goes
        // out before the port closes.
        port_.flush();
        port_.close();
    }
    if (log_) log_->Flush();
}

bool SerialChannel::DeliverReceived() {
    if (delivering_) return true;  // the loop already running takes what has come
    delivering_ = true;
    const QPointer<SerialChannel> alive(this);
    const std::uint8_t mask = lab::IsSevenBitStream(stream_) ? 0x7F : 0xFF;
    while (open_ && !finishing_) {
        const QByteArray chunk = port_.readAll();
        if (chunk.isEmpty()) break;
        const std::int64_t arrival = MonotonicMs();
        for (const char received : chunk) {
            const auto byte = static_cast<std::uint8_t>(received);
            if (log_) log_->Received(byte);
            if (onByte_) onByte_(static_cast<std::uint8_t>(byte & mask), arrival);
            if (alive.isNull()) return false;
            if (!open_ || finishing_) break;
        }
        if (log_) log_->Flush();
    }
    delivering_ = false;
    return true;
}

bool SerialChannel::SendCommand(lab::F250Command command) {
    const std::string_view bytes = lab::F250CommandBytes(command);
    return QueueCommand(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

bool SerialChannel::QueueCommand(const QByteArray& bytes) {
    if (!open_ || finishing_) return false;
    pendingCommands_.append(bytes);
    if (!delivering_ && DeliverReceived()) WritePendingCommands();
    return true;
}

void SerialChannel::WritePendingCommands() {
    while (open_ && !delivering_ && !pendingCommands_.isEmpty()) {
        const QByteArray command = pendingCommands_.takeFirst();
        // Only the input is purged: output purged here could cut a command
        // written a moment ago before it left the port.
        port_.clear(QSerialPort::Input);
        if (onPurge_) onPurge_();
        if (!open_) return;
        if (log_) log_->Sent(std::string_view(command.constData(), static_cast<std::size_t>(command.size())));
        port_.write(command);
    }
}

void SerialChannel::StopAndClose(std::function<void()> closed) {
    if (!open_ || stream_ != lab::Stream::F250) {
        Close();
        if (closed) closed();
        return;
    }
    SendCommand(lab::F250Command::Stop);
    onClosed_ = std::move(closed);
    finishing_ = true;
    if (!delivering_ && port_.bytesToWrite() == 0 && pendingCommands_.isEmpty()) {
        FinishClose();
        return;
    }
    finalWriteTimer_.start(kFinalWriteMs);
}

void SerialChannel::FinishClose() {
    Close();
    const std::function<void()> closed = std::exchange(onClosed_, nullptr);
    if (closed) closed();
}

void SerialChannel::OnError(QSerialPort::SerialPortError error) {
    if (!open_ || opening_ || lossPending_ || !IsLoss(error)) return;
    // A vanished port keeps reporting the same error for as long as it stays
    // open (hundreds of thousands a second): take the first one only, and
    // close outside Qt's own read notification.
    lossPending_ = true;
    // Qt's texts for these are often a stale system error ("Inappropriate
    // ioctl for device" for a pseudo-terminal whose other end closed).
    const QString reason = error == QSerialPort::WriteError  ? QStringLiteral("writing failed")
                           : error == QSerialPort::ReadError ? QStringLiteral("reading failed")
                           : error == QSerialPort::ResourceError || error == QSerialPort::DeviceNotFoundError
                               ? QStringLiteral("the device is gone")
                               : port_.errorString();
    QTimer::singleShot(0, this, [this, reason] {
        if (!lossPending_) return;  // closed or reopened meanwhile
        ReportLoss(reason);
    });
}

void SerialChannel::ReportLoss(const QString& reason) {
    if (finishing_) {
        FinishClose();
        return;
    }
    // Bytes read before the loss are good data.
    if (!DeliverReceived() || !open_) return;
    Close();
    error_ = where_ + QStringLiteral(": port lost: ") + reason;
    if (onLoss_) onLoss_(error_);
}

}  // namespace wegator
