// A pseudo-terminal opened by a test: the test plays the instrument on the
// master side, the channel opens the slave device.
#pragma once

#include <fcntl.h>
#include <pty.h>
#include <stdlib.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QTest>
#include <filesystem>
#include <string>
#include <string_view>

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
    // Writes all of `bytes`, letting the event loop run while the pty is full.
    bool Send(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t written = ::write(master_, bytes.data(), bytes.size());
            if (written > 0) {
                bytes.remove_prefix(static_cast<std::size_t>(written));
            } else if (written < 0 && errno != EAGAIN) {
                return false;
            } else {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
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

// A folder of its own for each test, removed at its end.
class TempFolder {
public:
    TempFolder() {
        std::string folder = (std::filesystem::temp_directory_path() / "wegator-serial-XXXXXX").string();
        if (::mkdtemp(folder.data()) != nullptr) path_ = folder;
    }
    ~TempFolder() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Runs the event loop until `done` holds (generous limit: a slow machine is no failure).
template <typename Condition>
bool WaitFor(Condition done, int limitMs = 5000) {
    return QTest::qWaitFor(done, limitMs);
}

}  // namespace wegator::test
