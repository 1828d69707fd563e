#include "serial/f250_log.h"

#include <array>
#include <string>
#include <system_error>
#include <utility>

#include "app/user_folders.h"

namespace wegator {

namespace {

namespace fs = std::filesystem;

fs::path RotatedPath(const fs::path& file) { return fs::path(file.string() + ".1"); }

// "\n2024.05.17 14:03:09   ": a new line, the local date and time, three blanks.
std::string Stamp(std::time_t now) {
    std::tm local{};
    localtime_r(&now, &local);
    std::array<char, 48> text{};
    std::snprintf(text.data(), text.size(), "\n%04u.%02u.%02u %02u:%02u:%02u   ",
                  static_cast<unsigned>(local.tm_year + 1900), static_cast<unsigned>(local.tm_mon + 1),
                  static_cast<unsigned>(local.tm_mday), static_cast<unsigned>(local.tm_hour),
                  static_cast<unsigned>(local.tm_min), static_cast<unsigned>(local.tm_sec));
    return text.data();
}

// CR and LF are written as \r and \n, a backslash as \\: a byte never breaks
// the log's lines, and each escape reads back as the one byte it stands for.
// Every other control byte and every byte from 0x7F up (ESC, or 0x9B, which
// some terminals take for a control sequence) is written as \xHH, so a log
// shown in a terminal only shows what the thermometer sent and runs nothing.
std::string Escaped(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '\r': text += "\\r"; break;
            case '\n': text += "\\n"; break;
            case '\\': text += "\\\\"; break;
            default:
                if (byte < 0x20 || byte >= 0x7F) {
                    std::array<char, 8> code{};
                    std::snprintf(code.data(), code.size(), "\\x%02x", static_cast<unsigned>(byte));
                    text += code.data();
                } else {
                    text += c;
                }
                break;
        }
    }
    return text;
}

}  // namespace

fs::path F250LogPath() {
    const fs::path folder = UserStateFolder();
    if (folder.empty()) return {};
    return folder / "F250.txt";
}

F250Log::F250Log(fs::path file, Start start, std::uintmax_t rotateBytes, Clock clock)
    : path_(std::move(file)), rotateBytes_(rotateBytes), clock_(std::move(clock)) {
    if (!clock_) clock_ = [] { return std::time(nullptr); };
    if (path_.empty()) return;
    std::error_code error;
    fs::create_directories(path_.parent_path(), error);
    if (start == Start::NewRun) {
        Rotate();
        return;
    }
    file_ = std::fopen(path_.c_str(), "ab");
    if (file_ != nullptr) size_ = fs::file_size(path_, error);
    if (error) size_ = 0;
}

F250Log::~F250Log() {
    if (file_ != nullptr) std::fclose(file_);
}

// Moves the current file (if any) to "<file>.1" and starts an empty one.
bool F250Log::Rotate() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    std::error_code error;
    if (fs::exists(path_, error)) fs::rename(path_, RotatedPath(path_), error);
    file_ = std::fopen(path_.c_str(), "wb");
    size_ = 0;
    lastStamp_ = 0;
    return file_ != nullptr;
}

void F250Log::Received(std::uint8_t byte) {
    const char character = static_cast<char>(byte);
    std::array<char, 8> code{};
    std::snprintf(code.data(), code.size(), "0x%02x ", static_cast<unsigned>(byte));
    Write(Escaped(std::string_view(&character, 1)) + code.data(), false);
}

void F250Log::Sent(std::string_view bytes) {
    Write(Escaped(bytes), true);
    lastStamp_ = 0;
    Flush();
}

void F250Log::Flush() {
    if (file_ != nullptr) std::fflush(file_);
}

void F250Log::Write(std::string_view data, bool command) {
    if (file_ == nullptr) return;
    const std::time_t now = clock_();
    std::string text;
    if (command || now != lastStamp_) {
        text = Stamp(now);
        lastStamp_ = now;
    }
    text += data;
    if (size_ > 0 && size_ + text.size() > rotateBytes_) {
        if (!Rotate()) return;
        // The new file starts with a stamped line.
        if (text.front() != '\n') text = Stamp(now) + text;
        lastStamp_ = now;
    }
    if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) return;
    size_ += text.size();
}

}  // namespace wegator
