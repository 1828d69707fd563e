// The laboratory station on Qt's event loop: a QTimer for every timer number,
// a serial channel for every open instrument stream, the system's clocks, and
// the page models wired to them. The desktop program and `wegator-cli lab
// run` build the very same station; everything it does is in the models.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include <QObject>
#include <QTimer>

#include "lab/station/eight_channel_page.h"
#include "lab/station/laboratory_page.h"
#include "lab/base/station_time.h"

namespace wegator {

class SerialChannel;

// Timers by number as QTimers; every tick goes to the handler.
class QtTimerService : public lab::TimerService {
public:
    using TickHandler = std::function<void(int id)>;
    explicit QtTimerService(TickHandler handler) : handler_(std::move(handler)) {}
    ~QtTimerService() override;

    void StartTimer(int id, std::int64_t periodMs) override;
    void KillTimer(int id) override;
    bool TimerRunning(int id) const override;

private:
    TickHandler handler_;
    std::map<int, std::unique_ptr<QTimer>> timers_;
};

// The instrument streams on serial channels (COMn as the port names say).
class SerialInstrumentLink : public lab::InstrumentLink {
public:
    SerialInstrumentLink() = default;
    ~SerialInstrumentLink() override;

    // Where the bytes, purges and losses go.
    void Attach(lab::LaboratoryPage* page) { page_ = page; }
    // Runs after every byte, purge and loss handed to the page.
    void SetAfterEvent(std::function<void()> after) { after_ = std::move(after); }

    bool Open(lab::Stream stream, int port, std::string& error) override;
    void Close(lab::Stream stream) override;
    void Send(lab::Stream stream, lab::F250Command command) override;

    // Why the last open of a stream failed (empty when it did not).
    const std::string& LastError(lab::Stream stream) const { return errors_[Index(stream)]; }

private:
    static std::size_t Index(lab::Stream s) { return static_cast<std::size_t>(s); }

    void After() const {
        if (after_) after_();
    }

    lab::LaboratoryPage* page_ = nullptr;
    std::function<void()> after_;
    // Parent of every channel: one closed from its own handler goes later,
    // and whatever is left goes with the link.
    QObject channelParent_;
    std::array<SerialChannel*, lab::kStreamCount> channels_{};
    std::array<std::string, lab::kStreamCount> errors_;
    // The port number each stream last opened through a COMn link (0: none).
    std::array<int, lab::kStreamCount> linkedPort_{};
};

// The user's short date format and time format, for text-format data files.
lab::DateFormats UserDateFormats();

// A whole station: its clock, timers, ports, eight-channel page and laboratory page.
class QtStation {
public:
    explicit QtStation(lab::LabHost& host);
    ~QtStation();

    lab::LaboratoryPage& Page() { return *page_; }
    lab::EightChannelPage& EightChannels() { return eight_; }
    SerialInstrumentLink& Link() { return link_; }
    lab::TimerService& Timers() { return timers_; }
    const lab::Clock& Clock() const { return clock_; }
    // Runs after every event the station handled (a tick, a byte): a view
    // looks whether the page changed.
    void SetAfterEvent(std::function<void()> after);

private:
    std::function<void()> after_;
    lab::SystemClock clock_;
    QtTimerService timers_;
    SerialInstrumentLink link_;
    lab::EightChannelPage eight_;
    std::unique_ptr<lab::LaboratoryPage> page_;
};

}  // namespace wegator
