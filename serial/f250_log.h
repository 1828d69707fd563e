// The ASL F-250 dialogue log: every command sent to the thermometer and every
// byte it answered, stamped with the local time, for finding out why a
// thermometer stays silent. Each stamp starts a line; CR, LF and the
// backslash are written as \r, \n and \\, so a line never breaks inside
// the thermometer's bytes or a command, and any other control byte or byte
// from 0x7F up as \xHH, so the log shown in a terminal runs nothing. It is bounded: past 10 MiB the file
// moves to "F250.txt.1" and a new one starts. The first log of a run also
// moves the previous run's log there; a thermometer reopened later in the
// same run continues the file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string_view>

namespace wegator {

// <user state folder>/F250.txt; empty when no home folder can be found.
std::filesystem::path F250LogPath();

class F250Log {
public:
    static constexpr std::uintmax_t kRotateBytes = 10 * 1024 * 1024;
    // Calendar time in whole seconds (std::time by default).
    using Clock = std::function<std::time_t()>;

    enum class Start {
        NewRun,    // an earlier file moves to "<file>.1", the log starts empty
        Continue,  // the log goes on at the end of the file
    };

    // Opens the log `file`. When the file cannot be created there is no log
    // and every call does nothing.
    F250Log(std::filesystem::path file, Start start, std::uintmax_t rotateBytes = kRotateBytes, Clock clock = {});
    ~F250Log();
    F250Log(const F250Log&) = delete;
    F250Log& operator=(const F250Log&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    // A received byte, as the character itself (escaped) followed by its
    // code: "A0x41 ", "\r0x0d ", "\x1b0x1b ".
    void Received(std::uint8_t byte);
    // The bytes of a sent command (escaped), always on a line of its own with its stamp.
    void Sent(std::string_view bytes);
    // Hands what was written to the system, so that a reader sees it at once.
    void Flush();

private:
    void Write(std::string_view data, bool command);
    bool Rotate();

    std::filesystem::path path_;
    std::uintmax_t rotateBytes_;
    Clock clock_;
    std::FILE* file_ = nullptr;
    std::uintmax_t size_ = 0;
    // The second of the last stamp; 0 after a command, so that the next byte
    // starts a stamped line of its own.
    std::time_t lastStamp_ = 0;
};

}  // namespace wegator
