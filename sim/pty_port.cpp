#include "pty_port.h"

#include <fcntl.h>
#include <poll.h>
#include <pwd.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

namespace wegator::sim {

namespace fs = std::filesystem;

namespace {

constexpr int kFirstCom = 1;
constexpr int kLastCom = 256;

std::string Reason(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

}  // namespace

bool PtyPort::Create(std::string& error) {
    Close();
    const int fd = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = Reason("cannot create a pseudo-terminal");
        return false;
    }
    const char* name = ::grantpt(fd) == 0 && ::unlockpt(fd) == 0 ? ::ptsname(fd) : nullptr;
    if (name == nullptr) {
        error = Reason("cannot unlock the pseudo-terminal");
        ::close(fd);
        return false;
    }
    // Raw both ways: no echo of what is sent (it would come back as commands),
    // no translation of CR and LF.
    termios t{};
    if (::tcgetattr(fd, &t) == 0) {
        ::cfmakeraw(&t);
        ::tcsetattr(fd, TCSANOW, &t);
    }
    master_ = fd;
    device_ = name;
    // Until the other end has been opened once, the master cannot tell whether
    // anyone listens; one open and close puts it in the "nobody" state.
    const int peer = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (peer >= 0) ::close(peer);
    return true;
}

void PtyPort::Close() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
    device_.clear();
}

bool PtyPort::PeerOpen() const {
    if (master_ < 0) return false;
    pollfd p{master_, POLLIN, 0};
    if (::poll(&p, 1, 0) < 0) return false;
    return (p.revents & POLLHUP) == 0;
}

fs::path PortsFolder() {
    fs::path config;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && *xdg != '\0' && fs::path(xdg).is_absolute()) {
        config = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || *home == '\0') {
            const passwd* user = ::getpwuid(::getuid());
            home = user != nullptr ? user->pw_dir : nullptr;
        }
        if (home == nullptr) return {};
        config = fs::path(home) / ".config";
    }
    return config / "TREVAN" / "ports";
}

bool ValidComName(const std::string& name) {
    if (name.size() < 4 || name.size() > 6 || name.compare(0, 3, "COM") != 0) return false;
    if (name[3] == '0') return false;
    int n = 0;
    for (std::size_t i = 3; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') return false;
        n = n * 10 + (name[i] - '0');
    }
    return n >= kFirstCom && n <= kLastCom;
}

bool CreateLink(const std::string& comName, const std::string& device, std::string& error) {
    const fs::path folder = PortsFolder();
    if (folder.empty()) {
        error = "no home folder for the ports links";
        return false;
    }
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        error = "cannot create " + folder.string() + ": " + ec.message();
        return false;
    }
    const fs::path link = folder / comName;
    const auto status = fs::symlink_status(link, ec);
    if (!ec && fs::exists(status) && !fs::is_symlink(status)) {
        error = link.string() + " exists and is not a link; not replaced";
        return false;
    }
    const fs::path temp = folder / ("." + comName + ".tmp" + std::to_string(::getpid()));
    fs::remove(temp, ec);
    fs::create_symlink(device, temp, ec);
    if (!ec) fs::rename(temp, link, ec);
    if (ec) {
        error = "cannot create the link " + link.string() + ": " + ec.message();
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

void RemoveLink(const std::string& comName, const std::string& device) {
    const fs::path link = PortsFolder() / comName;
    std::error_code ec;
    if (fs::is_symlink(link, ec) && fs::read_symlink(link, ec) == device) fs::remove(link, ec);
}

}  // namespace wegator::sim
