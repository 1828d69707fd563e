#include "station/qt_station.h"

#include <QLocale>
#include <QString>

#include <csignal>

#include "lab/lines/port_names.h"
#include "serial/serial_channel.h"

namespace wegator {

lab::DateFormats UserDateFormats() {
    const QLocale locale = QLocale::system();
    return lab::RecordDateFormats(locale.dateFormat(QLocale::ShortFormat).toStdString(),
                                  locale.timeFormat(QLocale::LongFormat).toStdString());
}

QtTimerService::~QtTimerService() {
    for (auto& [id, timer] : timers_) timer->stop();
}

void QtTimerService::StartTimer(int id, std::int64_t periodMs) {
    std::unique_ptr<QTimer>& timer = timers_[id];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer.get(), &QTimer::timeout, [this, id] { handler_(id); });
    }
    timer->start(static_cast<int>(std::min<std::int64_t>(std::max<std::int64_t>(periodMs, 0), INT32_MAX)));
}

void QtTimerService::KillTimer(int id) {
    const auto found = timers_.find(id);
    if (found != timers_.end()) found->second->stop();
}

bool QtTimerService::TimerRunning(int id) const {
    const auto found = timers_.find(id);
    return found != timers_.end() && found->second->isActive();
}

SerialInstrumentLink::~SerialInstrumentLink() {
    for (SerialChannel* channel : channels_) {
        if (channel != nullptr) channel->Close();
    }
}

bool SerialInstrumentLink::Open(lab::Stream stream, int port, std::string& error) {
    Close(stream);
    auto* channel = new SerialChannel(stream, &channelParent_);
    channel->SetByteHandler([this, stream](std::uint8_t byte, std::int64_t arrivalMs) {
        if (page_ != nullptr) page_->OnByte(stream, byte, arrivalMs);
        After();
    });
    channel->SetPurgeHandler([this, stream] {
        if (page_ != nullptr) page_->OnPurged(stream);
    });
    channel->SetLossHandler([this, stream](const QString& reason) {
        errors_[Index(stream)] = reason.toStdString();
        // The page names the instrument and its port itself.
        static const QString kLost = QStringLiteral("port lost: ");
        const qsizetype at = reason.indexOf(kLost);
        if (page_ != nullptr) {
            page_->OnChannelLost(stream, (at < 0 ? reason : reason.mid(at + kLost.size())).toStdString());
        }
        After();
    });
    // A port once opened through its link is that instrument's: when the link
    // goes (a USB adapter pulled), COMn must not fall back to the fixed device,
    // which would open a port nothing is connected to and look healthy.
    std::error_code ignored;
    const bool linked = std::filesystem::is_symlink(lab::PortLinkPath(port), ignored);
    if (!linked && linkedPort_[Index(stream)] == port) {
        error = "COM" + std::to_string(port) + ": its link " + lab::PortLinkPath(port).string() + " is gone";
        errors_[Index(stream)] = error;
        delete channel;
        return false;
    }
    if (!channel->Open(QStringLiteral("COM%1").arg(port))) {
        error = channel->ErrorText().toStdString();
        errors_[Index(stream)] = error;
        delete channel;
        return false;
    }
    errors_[Index(stream)].clear();
    channels_[Index(stream)] = channel;
    linkedPort_[Index(stream)] = linked ? port : 0;
    return true;
}

void SerialInstrumentLink::Close(lab::Stream stream) {
    SerialChannel*& channel = channels_[Index(stream)];
    if (channel == nullptr) return;
    channel->Close();
    // Close may be called from one of the channel's own handlers (a lost port).
    channel->deleteLater();
    channel = nullptr;
}

void SerialInstrumentLink::Send(lab::Stream stream, lab::F250Command command) {
    SerialChannel* channel = channels_[Index(stream)];
    if (channel == nullptr) return;
    channel->SendCommand(command);
}

QtStation::QtStation(lab::LabHost& host)
    : timers_([this](int id) {
          if (!page_) return;
          page_->OnTimer(id);
          if (after_) after_();
      }) {
    // A file-size limit must make a record's write fail (the data file then
    // keeps the record for later), not end the station.
    ::signal(SIGXFSZ, SIG_IGN);
    page_ = std::make_unique<lab::LaboratoryPage>(host, clock_, timers_, link_, eight_);
    link_.Attach(page_.get());
}

void QtStation::SetAfterEvent(std::function<void()> after) {
    after_ = after;
    link_.SetAfterEvent(std::move(after));
}

QtStation::~QtStation() {
    // The page closes its ports through the link; nothing may reach it afterwards.
    page_.reset();
    link_.Attach(nullptr);
}

}  // namespace wegator
