// A pseudo-terminal opened by a test: the test plays the instrument on the
// master side, the program under test opens the slave device.
#pragma once

#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <thread>

namespace wegator::test {

class PtyPair {
public:
    PtyPair() {
        int slave = -1;
        char name[256] = {};
        if (::openpty(&master_, &slave, name, nullptr, nullptr) != 0) return;
        ::close(slave);  // the channel opens its own
        ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
        device_ = name;
    }
    ~PtyPair() { CloseMaster(); }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool IsOpen() const { return master_ >= 0; }
    const std::string& Device() const { return device_; }
    // The instrument goes away (the simulator ended, the adapter was pulled).
    void CloseMaster() {
        if (master_ >= 0) ::close(master_);
        master_ = -1;
    }
    // Writes all of `bytes`; while the pseudo-terminal is full, `whileFull`
    // runs (the reading side's event loop, or a short sleep).
    bool Send(std::string_view bytes, const std::function<void()>& whileFull = {}) {
        while (!bytes.empty()) {
            const ssize_t written = ::write(master_, bytes.data(), bytes.size());
            if (written > 0) {
                bytes.remove_prefix(static_cast<std::size_t>(written));
            } else if (written < 0 && errno != EAGAIN) {
                return false;
            } else if (whileFull) {
                whileFull();
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        }
        return true;
    }
    // What the channel wrote so far.
    std::string Received() {
        std::string text;
        char buffer[256];
        ssize_t n;
        while ((n = ::read(master_, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<std::size_t>(n));
        return text;
    }

private:
    int master_ = -1;
    std::string device_;
};

}  // namespace wegator::test
