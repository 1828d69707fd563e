#include "lab/records/record_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace wegator::lab {

namespace {

constexpr mode_t kNewFileMode = 0644;  // readable by others, like any document

int OpenPath(const std::string& path, int extraFlags) {
    int fd = -1;
    do {
        fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC | extraFlags, kNewFileMode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

std::string Describe(int errorNumber) { return std::strerror(errorNumber); }

}  // namespace

RecordFile::Opened RecordFile::Open(const std::string& path, Mode mode) {
    Opened opened;
    struct stat before {};
    // The station's own files are looked at as they are: a link is not followed.
    opened.existed = (mode == Mode::OwnFile ? ::lstat(path.c_str(), &before) : ::stat(path.c_str(), &before)) == 0;
    if (opened.existed && !S_ISREG(before.st_mode)) {
        opened.error = "not a regular file";
        return opened;
    }
    const int flags = mode == Mode::Exclusive ? O_EXCL : mode == Mode::OwnFile ? O_NOFOLLOW : 0;
    const int fd = OpenPath(path, flags);
    if (fd < 0) {
        opened.error = Describe(errno);
        return opened;
    }
    opened.file.reset(new RecordFile(path, fd, flags));
    return opened;
}

RecordFile::~RecordFile() {
    if (fd_ >= 0) ::close(fd_);
}

bool RecordFile::CutTo(std::uintmax_t size) {
    if (::ftruncate(fd_, static_cast<off_t>(size)) != 0) return Fail("cannot cut the file back", errno);
    return true;
}

bool RecordFile::Fail(const std::string& what, int errorNumber) {
    error_ = what + ": " + Describe(errorNumber);
    return false;
}

bool RecordFile::FollowPath() {
    struct stat held {};
    struct stat named {};
    const bool same = ::fstat(fd_, &held) == 0 && ::stat(path_.c_str(), &named) == 0 &&
                      held.st_dev == named.st_dev && held.st_ino == named.st_ino;
    if (same) return true;
    // Deleted or replaced: the records go where the user looks for them.
    const int fd = OpenPath(path_, flags_ & O_NOFOLLOW);
    if (fd < 0) return Fail("cannot open the file again", errno);
    ::close(fd_);
    fd_ = fd;
    recreated_ = true;
    return true;
}

bool RecordFile::StartedAnew() {
    FollowPath();
    return TakeRecreated();
}

bool RecordFile::TakeRecreated() {
    const bool was = recreated_;
    recreated_ = false;
    return was;
}

bool RecordFile::Append(std::string_view lines) {
    if (!FollowPath()) return false;
    struct stat now {};
    if (::fstat(fd_, &now) != 0) return Fail("cannot read the file's size", errno);
    const off_t end = now.st_size;

    // A torn last line gets its end first, so the new line starts a line.
    std::string buffer;
    if (end > 0) {
        char last = '\n';
        if (::pread(fd_, &last, 1, end - 1) == 1 && last != '\n') buffer = "\r\n";
    }
    buffer.append(lines);

    std::size_t written = 0;
    while (written < buffer.size()) {
        const ssize_t n = ::write(fd_, buffer.data() + written, buffer.size() - written);
        if (n > 0) {
            written += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        const int error = n < 0 ? errno : ENOSPC;
        // Nothing half written stays behind.
        if (written > 0 && ::ftruncate(fd_, end) != 0) return Fail("write failed and the file could not be cut back", errno);
        return Fail("write failed", error);
    }
    return true;
}

}  // namespace wegator::lab
