#include "input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "command.h"

namespace wegator::cli {

namespace {

constexpr std::size_t kBlockSize = 65536;

UsageError CannotRead(const std::string& path, const std::string& what, int error) {
    const bool standardInput = path == "-";
    return UsageError("cannot read " + what + (standardInput ? " from standard input" : " " + MessageQuoted(path)) +
                      ": " + std::strerror(error));
}

// Plain reads, not a stream: a folder or a failing disk must give its reason,
// not an exception from deep inside the library. The file at `path`, or
// standard input for "-".
int OpenInput(const std::string& path, const std::string& what) {
    const int fd = path == "-" ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw CannotRead(path, what, errno);
    return fd;
}

// Up to `size` bytes, retrying an interrupted read; -1 with errno on failure.
ssize_t ReadSome(int fd, char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t n = ::read(fd, buffer, size);
        if (n >= 0 || errno != EINTR) return n;
    }
}

}  // namespace

std::string ReadInputFile(const std::string& path, const std::string& what) {
    const int fd = OpenInput(path, what);
    std::string text;
    char buffer[kBlockSize];
    for (;;) {
        const ssize_t n = ReadSome(fd, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) {
            const int error = errno;
            if (fd != STDIN_FILENO) ::close(fd);
            throw CannotRead(path, what, error);
        }
        text.append(buffer, static_cast<std::size_t>(n));
    }
    if (fd != STDIN_FILENO) ::close(fd);
    return text;
}

TwoPassInput::TwoPassInput(const std::string& path, const std::string& what)
    : path_(path), what_(what), fd_(OpenInput(path, what)), block_(kBlockSize) {
    struct stat status {};
    if (::fstat(fd_, &status) != 0) Fail(errno);
    if (S_ISDIR(status.st_mode)) Fail(EISDIR);
    // Even a regular file is not read twice: a program (or a user's editor)
    // rewriting it between the readings would hand the second one cells that
    // were never checked. What the first reading saw is what gets computed.
    kept_ = std::tmpfile();
    if (kept_ == nullptr) throw UsageError("cannot keep " + what_ + " for its second reading: " + std::strerror(errno));
}

TwoPassInput::~TwoPassInput() {
    if (kept_ != nullptr) std::fclose(kept_);
    if (fd_ >= 0 && fd_ != STDIN_FILENO) ::close(fd_);
}

void TwoPassInput::Fail(int error) const { throw CannotRead(path_, what_, error); }

std::string_view TwoPassInput::NextBlock() {
    if (second_) {
        const std::size_t n = std::fread(block_.data(), 1, block_.size(), kept_);
        if (n == 0 && std::ferror(kept_)) {
            throw UsageError("cannot read back " + what_ + " kept for its second reading: " + std::strerror(errno));
        }
        return {block_.data(), n};
    }
    // The first reading ends at the end the file has then; rows a logger
    // appends later are neither checked nor computed.
    const ssize_t n = ReadSome(fd_, block_.data(), block_.size());
    if (n < 0) Fail(errno);
    const auto size = static_cast<std::size_t>(n);
    if (size > 0 && std::fwrite(block_.data(), 1, size, kept_) != size) {
        throw UsageError("cannot keep " + what_ + " for its second reading: " + std::strerror(errno));
    }
    return {block_.data(), size};
}

void TwoPassInput::Rewind() {
    second_ = true;
    if (std::fflush(kept_) != 0 || std::fseek(kept_, 0, SEEK_SET) != 0) {
        throw UsageError("cannot keep " + what_ + " for its second reading: " + std::strerror(errno));
    }
}

}  // namespace wegator::cli
