#include "app/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <system_error>

namespace wegator {

namespace fs = std::filesystem;

namespace {

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// A replaced file keeps its permissions; a new one gets what the user's umask
// leaves of read and write for everyone, as any program's new file would.
mode_t PermissionsFor(const fs::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) == 0) return info.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

FileRead ReadWholeFile(const fs::path& file) {
    FileRead result;
    if (file.empty()) {
        result.state = ReadState::Unreadable;
        return result;
    }
    // Not blocking: a pipe put where a file belongs must not hang the program.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        result.state = errno == ENOENT ? ReadState::Missing : ReadState::Unreadable;
        return result;
    }
    struct stat info {};
    result.state = ReadState::Unreadable;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        char buffer[8192];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n > 0) {
                result.data.append(buffer, static_cast<std::size_t>(n));
            } else if (n == 0) {
                result.state = ReadState::Read;
                break;
            } else if (errno != EINTR) {
                break;
            }
        }
    }
    ::close(fd);
    if (result.state != ReadState::Read) result.data.clear();
    return result;
}

// The new contents go to a temporary file beside the target, reach the disk,
// and only then replace the target, so a crash or a full disk never leaves a
// half-written file behind.
bool ReplaceFileAtomically(const fs::path& file, std::string_view contents, FileAccess access) {
    if (file.empty()) return false;
    const fs::path folder = file.parent_path();
    if (!folder.empty()) {
        std::error_code error;
        fs::create_directories(folder, error);
        if (error) return false;
    }
    std::string tempName = file.string() + ".tmpXXXXXX";
    const int fd = ::mkstemp(tempName.data());
    if (fd < 0) return false;
    bool ok = access == FileAccess::Private || ::fchmod(fd, PermissionsFor(file)) == 0;
    ok = ok && WriteAll(fd, contents) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && std::rename(tempName.c_str(), file.c_str()) == 0;
    if (!ok) {
        ::unlink(tempName.c_str());
        return false;
    }
    // Make the rename itself durable; the file is already complete either way.
    const int folderFd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
    return true;
}

}  // namespace wegator
