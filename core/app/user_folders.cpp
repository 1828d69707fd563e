#include "app/user_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace wegator {

namespace {

namespace fs = std::filesystem;

fs::path HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') return home;
    if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_dir != nullptr) {
        return user->pw_dir;
    }
    return {};
}

// A relative XDG variable is ignored, as the XDG base directory rules ask: the
// user's files must not move with the current directory.
fs::path TrevanFolder(const char* variable, const fs::path& underHome) {
    const char* xdg = std::getenv(variable);
    if (xdg != nullptr && *xdg != '\0' && fs::path(xdg).is_absolute()) return fs::path(xdg) / "TREVAN";
    const fs::path home = HomeFolder();
    if (home.empty()) return {};
    return home / underHome / "TREVAN";
}

}  // namespace

fs::path UserConfigFolder() { return TrevanFolder("XDG_CONFIG_HOME", ".config"); }

fs::path UserStateFolder() { return TrevanFolder("XDG_STATE_HOME", fs::path(".local") / "state"); }

}  // namespace wegator
