#include "lab/records/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "lab/base/lab_messages.h"
#include "lab/records/recorded_file.h"
#include "text/strings.h"

namespace wegator::lab {

namespace {

constexpr std::uintmax_t kMiB = 1024 * 1024;

// The limit as a person reads it: "512 MiB", or bytes when it is no whole MiB.
std::string LimitText(std::uintmax_t limit) {
    return limit % kMiB == 0 ? std::to_string(limit / kMiB) + " MiB" : std::to_string(limit) + " B";
}

RegularFileRead Refused(int id, std::string text) {
    RegularFileRead read;
    read.errorId = id;
    read.error = std::move(text);
    return read;
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

std::optional<std::pair<int, std::string>> NotARegularFile(unsigned mode) {
    int id = 0;
    if (S_ISREG(mode)) return std::nullopt;
    if (S_ISDIR(mode)) {
        id = msg::FileIsFolder;
    } else if (S_ISFIFO(mode) || S_ISSOCK(mode)) {
        id = msg::FileIsPipe;
    } else {
        id = msg::FileIsDevice;  // a character or block device, or anything else that is no file
    }
    return std::pair{id, std::string(LoadString(id))};
}

RegularFileRead ReadRegularFile(const std::string& path, std::uintmax_t limit) {
    const auto cannotRead = [&] {
        return Refused(msg::RecordedCannotRead, MessageText(msg::RecordedCannotRead, {path}));
    };
    // Looked at before it is opened: opening a device may already act on it
    // (a serial port's lines change, a tape rewinds).
    struct stat named {};
    if (::stat(path.c_str(), &named) != 0) return cannotRead();
    if (auto reason = NotARegularFile(named.st_mode)) return Refused(reason->first, std::move(reason->second));

    // Not waiting, and looked at again once open: what was a file a moment
    // ago may have been replaced by a pipe.
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    struct stat opened {};
    if (fd.get() < 0 || ::fstat(fd.get(), &opened) != 0) return cannotRead();
    if (auto reason = NotARegularFile(opened.st_mode)) return Refused(reason->first, std::move(reason->second));
    const auto overLimit = [&] {
        return Refused(msg::FileOverLimit, MessageText(msg::FileOverLimit, {LimitText(limit)}));
    };
    if (opened.st_size < 0 || static_cast<std::uintmax_t>(opened.st_size) > limit) return overLimit();

    std::string text;
    text.reserve(static_cast<std::size_t>(opened.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return cannotRead();
        if (n == 0) break;
        if (text.size() + static_cast<std::size_t>(n) > limit) return overLimit();
        text.append(buffer, static_cast<std::size_t>(n));
    }
    RegularFileRead read;
    read.text = std::move(text);
    read.modified = static_cast<std::int64_t>(opened.st_mtime);
    return read;
}

}  // namespace wegator::lab
