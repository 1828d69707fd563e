#include "input_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "command.h"

namespace wegator::cli {

std::string ReadInputFile(const std::string& path, const std::string& what) {
    const bool standardInput = path == "-";
    const auto cannotRead = [&](int error) {
        return UsageError("cannot read " + what + (standardInput ? " from standard input" : " " + MessageQuoted(path)) +
                          ": " + std::strerror(error));
    };
    // Plain reads, not a stream: a folder or a failing disk must give its
    // reason, not an exception from deep inside the library.
    const int fd = standardInput ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw cannotRead(errno);
    std::string text;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            text.append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0) {
            break;
        } else if (errno != EINTR) {
            const int error = errno;
            if (!standardInput) ::close(fd);
            throw cannotRead(error);
        }
    }
    if (!standardInput) ::close(fd);
    return text;
}

}  // namespace wegator::cli
