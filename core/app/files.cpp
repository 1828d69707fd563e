#include "app/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <system_error>

namespace wegator {

namespace fs = std::filesystem;

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

namespace {

// A replaced file keeps its permissions; a new one gets what the user's umask
// leaves of read and write for everyone, as any program's new file would.
mode_t PermissionsFor(const fs::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) == 0) return info.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

constexpr std::string_view kTempSuffix = ".tmp";
constexpr std::size_t kTempRandomChars = 6;  // mkstemp's XXXXXX

// Temporary files of a write that never finished (killed between writing and
// renaming) are removed, so that they do not pile up beside the file.
void RemoveLeftoverTempFiles(const fs::path& file) {
    const std::string prefix = file.filename().string() + std::string(kTempSuffix);
    std::error_code error;
    for (fs::directory_iterator it(file.parent_path().empty() ? fs::path(".") : file.parent_path(), error), end;
         !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() == prefix.size() + kTempRandomChars && name.starts_with(prefix) &&
            std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                        [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }) &&
            it->is_regular_file(error) && !it->is_symlink(error)) {
            std::error_code ignored;
            fs::remove(it->path(), ignored);
        }
    }
}

}  // namespace

fs::path FollowLinks(fs::path file) {
    constexpr int kMaxLinks = 40;  // a loop of links ends here, as the kernel's lookups do
    for (int i = 0; i < kMaxLinks; ++i) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(file, error))) return file;
        const fs::path target = fs::read_symlink(file, error);
        if (error) return file;
        file = target.is_absolute() ? target : file.parent_path() / target;
    }
    return file;
}

FileRead ReadWholeFile(const fs::path& file, std::uintmax_t sizeLimit) {
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
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && static_cast<std::uintmax_t>(info.st_size) > sizeLimit) {
        result.state = ReadState::TooLarge;
    } else if (S_ISREG(info.st_mode)) {
        char buffer[8192];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n > 0 && result.data.size() + static_cast<std::size_t>(n) > sizeLimit) {
                result.state = ReadState::TooLarge;
                break;
            }
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
bool ReplaceFileAtomically(const fs::path& target, std::string_view contents, FileAccess access) {
    if (target.empty()) return false;
    // A linked file (a store kept in a synchronised folder, say) is replaced
    // where the link points; replacing the link would cut it.
    const fs::path file = FollowLinks(target);
    // Only a regular file is replaced. Renaming over a pipe or a device node
    // would put a plain file where something else listened (as root, over
    // /dev/null) and report success for contents nobody received; a folder
    // cannot take a file's place at all.
    struct stat existing {};
    if (::lstat(file.c_str(), &existing) == 0 ? !S_ISREG(existing.st_mode) : errno != ENOENT) return false;
    const fs::path folder = file.parent_path();
    if (!folder.empty()) {
        std::error_code error;
        fs::create_directories(folder, error);
        if (error) return false;
    }
    RemoveLeftoverTempFiles(file);
    std::string tempName = file.string() + std::string(kTempSuffix) + std::string(kTempRandomChars, 'X');
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
