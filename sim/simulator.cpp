#include "simulator.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <deque>
#include <fstream>
#include <memory>

#include "pty_port.h"

namespace wegator::sim {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using std::chrono::nanoseconds;

constexpr unsigned char kCr = '\r';
// After a program opens a port it still sets the line up and purges it; the
// first line waits for that.
constexpr milliseconds kSettle{100};
// A closed port is looked at this often to see whether a program opened it.
constexpr milliseconds kOpenCheck{20};
// The last bytes get time to reach the program before the ports vanish.
constexpr milliseconds kLinger{300};
constexpr milliseconds kLongestWait{200};

struct Pending {
    Line line;
    std::size_t sent = 0;
    bool started = false;
    bool splitDone = false;
    Clock::time_point resumeAt{};
};

struct Running {
    explicit Running(const InstrumentOptions& o, std::uint64_t seed) : instrument(o, seed) {}

    Instrument instrument;
    PtyPort port;
    bool open = false;
    bool gone = false;
    bool goneForGood = false;
    Clock::time_point reconnectAt = Clock::time_point::max();
    std::vector<bool> disconnectFired;
    Clock::time_point nextLine{}, nextByte{}, lastCr{};
    std::deque<Pending> queue;
    long periods = 0;
    bool writeBlocked = false;
    std::string received;
};

std::string Escaped(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (c < 0x20 || c >= 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string Number(const std::optional<double>& v) {
    if (!v) return "-";
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.6f", *v);
    return buffer;
}

class Simulator {
public:
    Simulator(const SimOptions& options, std::ostream& out, std::ostream& err)
        : options_(options), out_(out), err_(err), start_(Clock::now()) {}

    ~Simulator() {
        for (auto& r : running_) {
            if (r->port.Exists() && !r->instrument.Options().link.empty()) {
                RemoveLink(r->instrument.Options().link, r->port.DevicePath());
            }
        }
    }

    int Run(volatile std::sig_atomic_t& stop) {
        if (!options_.logFile.empty()) {
            log_.open(options_.logFile, std::ios::trunc);
            if (!log_) {
                err_ << "wegator-sim: cannot write the log " << options_.logFile << "\n";
                return 1;
            }
        }
        std::uint64_t seed = options_.seed;
        for (const InstrumentOptions& o : options_.instruments) {
            auto r = std::make_unique<Running>(o, seed++);
            r->disconnectFired.assign(o.faults.size(), false);
            if (!Plug(*r)) return 1;
            running_.push_back(std::move(r));
        }
        out_.flush();

        while (!stop) {
            const Clock::time_point now = Clock::now();
            if (options_.seconds > 0 && now - start_ >= std::chrono::duration<double>(options_.seconds)) break;
            bool allDone = true;
            for (auto& r : running_) {
                Step(*r, now);
                allDone = allDone && Done(*r);
            }
            if (allDone) {
                ::usleep(static_cast<useconds_t>(std::chrono::microseconds(kLinger).count()));
                break;
            }
            Wait(now);
        }
        return 0;
    }

private:
    // A new pseudo-terminal for the instrument, its link, and its name on the output.
    bool Plug(Running& r) {
        std::string error;
        const std::string& link = r.instrument.Options().link;
        if (!r.port.Create(error) || (!link.empty() && !CreateLink(link, r.port.DevicePath(), error))) {
            err_ << "wegator-sim: " << error << "\n";
            r.port.Close();
            return false;
        }
        out_ << (link.empty() ? "" : link + " ") << r.port.DevicePath() << std::endl;
        return true;
    }

    void Unplug(Running& r) {
        const std::string& link = r.instrument.Options().link;
        if (!link.empty()) RemoveLink(link, r.port.DevicePath());
        Log(r, "port\tgone");
        r.port.Close();
        r.open = false;
        r.queue.clear();
    }

    bool CountReached(const Running& r) const { return options_.count > 0 && r.periods >= options_.count; }
    bool Done(const Running& r) const { return r.goneForGood || (CountReached(r) && r.queue.empty()); }

    Clock::time_point At(double seconds) const {
        return start_ + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    }

    bool Silenced(const Running& r, Clock::time_point now) const {
        for (const Fault& f : r.instrument.Options().faults) {
            if (f.type == Fault::Type::Silence && now >= At(f.atSeconds) && now < At(f.atSeconds + f.forSeconds)) {
                return true;
            }
        }
        return false;
    }

    void Step(Running& r, Clock::time_point now) {
        const auto& faults = r.instrument.Options().faults;
        for (std::size_t i = 0; i < faults.size(); ++i) {
            if (faults[i].type != Fault::Type::Disconnect || r.disconnectFired[i] || now < At(faults[i].atSeconds)) {
                continue;
            }
            r.disconnectFired[i] = true;
            if (!r.gone) Unplug(r);
            r.gone = true;
            if (faults[i].forSeconds >= 0) {
                r.reconnectAt = At(faults[i].atSeconds + faults[i].forSeconds);
            } else {
                r.goneForGood = true;
            }
        }
        if (r.gone) {
            if (r.goneForGood || now < r.reconnectAt) return;
            if (!Plug(r)) {
                r.goneForGood = true;
                return;
            }
            r.gone = false;
            r.reconnectAt = Clock::time_point::max();
            Log(r, "port\tback");
        }

        const bool peerOpen = r.port.PeerOpen();
        if (peerOpen && !r.open) {
            r.open = true;
            r.instrument.PortOpened();
            r.queue.clear();
            r.lastCr = now;
            r.nextLine = now + kSettle;
            r.nextByte = now;
            Log(r, "port\topened");
        } else if (!peerOpen && r.open) {
            r.open = false;
            r.queue.clear();
            Log(r, "port\tclosed");
        }
        if (!r.open) return;

        if (r.queue.empty() && now >= r.nextLine && !CountReached(r)) {
            const auto period = milliseconds(r.instrument.Options().periodMs);
            if (!Silenced(r, now)) {
                const double seconds = std::chrono::duration<double>(now - start_).count();
                const std::vector<Line> lines = r.instrument.NextPeriod(seconds);
                if (!lines.empty()) ++r.periods;
                for (const Line& l : lines) r.queue.push_back(Pending{l});
            }
            r.nextLine = std::max(r.nextLine + period, now);
        }
        Send(r, now);
    }

    nanoseconds BytePeriod(const Running& r) const {
        const Kind k = r.instrument.GetKind();
        return nanoseconds(1'000'000'000LL * BitsPerCharacter(k) / Baud(k));
    }

    void Send(Running& r, Clock::time_point now) {
        const bool sevenBit = BitsPerCharacter(r.instrument.GetKind()) == 9;
        const nanoseconds bytePeriod = BytePeriod(r);
        // A program that falls behind gets what is due, not a burst of the backlog.
        if (r.nextByte < now - milliseconds(50)) r.nextByte = now - milliseconds(50);
        r.writeBlocked = false;
        while (!r.queue.empty()) {
            Pending& p = r.queue.front();
            if (!p.started) {
                p.started = true;
                p.resumeAt = now + milliseconds(p.line.delayMs);
            }
            if (now < p.resumeAt) return;
            // After a pause the line goes on at the baud rate, not in a burst.
            r.nextByte = std::max(r.nextByte, p.resumeAt);
            std::size_t limit = p.line.bytes.size();
            if (p.line.splitMs > 0 && !p.splitDone && p.sent < p.line.splitAt) limit = p.line.splitAt;
            std::size_t due = limit - p.sent;
            if (!options_.fast) {
                if (now < r.nextByte) return;
                due = std::min<std::size_t>(due, static_cast<std::size_t>((now - r.nextByte) / bytePeriod) + 1);
            }
            const ssize_t written = ::write(r.port.Fd(), p.line.bytes.data() + p.sent, due);
            if (written <= 0) {
                r.writeBlocked = written < 0 && errno == EAGAIN;
                return;
            }
            const std::size_t decisive = p.line.bytes.rfind(static_cast<char>(kCr));
            for (std::size_t i = p.sent; i < p.sent + static_cast<std::size_t>(written); ++i) {
                const unsigned char c = static_cast<unsigned char>(p.line.bytes[i]);
                if ((sevenBit ? (c & 0x7F) : c) != kCr) continue;
                if (i == decisive) Judge(r, p.line, now);
                r.lastCr = now;
            }
            p.sent += static_cast<std::size_t>(written);
            r.nextByte += bytePeriod * written;
            if (p.sent == p.line.splitAt && p.line.splitMs > 0 && !p.splitDone) {
                p.splitDone = true;
                p.resumeAt = now + milliseconds(p.line.splitMs);
                continue;
            }
            if (p.sent < p.line.bytes.size()) {
                if (static_cast<std::size_t>(written) < due) r.writeBlocked = true;
                if (r.writeBlocked) return;
                continue;
            }
            if (p.line.logged) LogLine(r, p.line);
            r.queue.pop_front();
        }
    }

    // The time check the program makes when the line's carriage return arrives.
    // Close to the window either outcome may happen; such a line stays "accept"
    // (it may be read), and only a line clearly too late is marked "drop".
    void Judge(const Running& r, Line& line, Clock::time_point now) const {
        const int window = WindowMs(r.instrument.GetKind());
        const milliseconds margin(std::max(50, window / 10));
        if (line.accept && now - r.lastCr >= milliseconds(window) + margin) {
            line.accept = false;
            line.reason = "late";
        }
    }

    void Wait(Clock::time_point now) {
        Clock::time_point wake = now + kLongestWait;
        std::vector<pollfd> fds;
        std::vector<Running*> owners;
        for (auto& rp : running_) {
            Running& r = *rp;
            const auto& faults = r.instrument.Options().faults;
            for (std::size_t i = 0; i < faults.size(); ++i) {
                if (faults[i].type == Fault::Type::Disconnect && !r.disconnectFired[i]) {
                    wake = std::min(wake, At(faults[i].atSeconds));
                }
            }
            if (r.gone) {
                wake = std::min(wake, r.reconnectAt);
                continue;
            }
            if (!r.open) {
                wake = std::min(wake, now + kOpenCheck);
                continue;
            }
            short events = POLLIN;
            if (r.writeBlocked) {
                events |= POLLOUT;
            } else if (!r.queue.empty()) {
                const Pending& p = r.queue.front();
                wake = std::min(wake, !p.started ? now : std::max(p.resumeAt, options_.fast ? now : r.nextByte));
            } else if (!CountReached(r)) {
                wake = std::min(wake, r.nextLine);
            }
            fds.push_back({r.port.Fd(), events, 0});
            owners.push_back(&r);
        }
        const auto timeout = std::max(nanoseconds(0), std::chrono::duration_cast<nanoseconds>(wake - now));
        const timespec ts{static_cast<time_t>(timeout.count() / 1'000'000'000),
                          static_cast<long>(timeout.count() % 1'000'000'000)};
        if (::ppoll(fds.data(), fds.size(), &ts, nullptr) <= 0) return;
        for (std::size_t i = 0; i < fds.size(); ++i) {
            if (fds[i].revents & POLLIN) Receive(*owners[i]);
        }
    }

    // Commands written by the program, one per line.
    void Receive(Running& r) {
        char buffer[256];
        const ssize_t n = ::read(r.port.Fd(), buffer, sizeof buffer);
        if (n <= 0) return;
        r.received.append(buffer, static_cast<std::size_t>(n));
        for (std::size_t end; (end = r.received.find_first_of("\r\n")) != std::string::npos;) {
            const std::string command = r.received.substr(0, end);
            r.received.erase(0, end + 1);
            if (command.empty()) continue;
            Log(r, "command\t" + Escaped(command));
            r.instrument.Command(command);
        }
        if (r.received.size() > 1024) r.received.clear();  // no line end in sight: noise
    }

    void Log(const Running& r, const std::string& what) {
        if (!log_.is_open()) return;
        char ms[32];
        std::snprintf(ms, sizeof ms, "%.1f", std::chrono::duration<double, std::milli>(Clock::now() - start_).count());
        const std::string& link = r.instrument.Options().link;
        log_ << ms << '\t' << KindName(r.instrument.GetKind()) << '\t' << (link.empty() ? r.port.DevicePath() : link)
             << '\t' << what << std::endl;
    }

    void LogLine(const Running& r, const Line& l) {
        Log(r, "line\t" + std::string(l.accept ? "accept" : "drop") + '\t' + (l.reason.empty() ? "-" : l.reason) +
                   '\t' + Number(l.value) + '\t' + Number(l.humidity) + '\t' +
                   (l.channel ? std::to_string(*l.channel) : "-") + '\t' + Escaped(l.bytes));
    }

    const SimOptions& options_;
    std::ostream& out_;
    std::ostream& err_;
    const Clock::time_point start_;
    std::ofstream log_;
    std::vector<std::unique_ptr<Running>> running_;
};

}  // namespace

int RunSimulator(const SimOptions& options, std::ostream& out, std::ostream& err, volatile std::sig_atomic_t& stop) {
    Simulator simulator(options, out, err);
    return simulator.Run(stop);
}

}  // namespace wegator::sim
