// The per-user folders of the program, after the XDG base directory rules:
// settings and the serial-port links live in the configuration folder, the
// ASL F-250 dialogue log in the state folder.
#pragma once

#include <filesystem>

namespace wegator {

// $XDG_CONFIG_HOME/TREVAN, or ~/.config/TREVAN when XDG_CONFIG_HOME is not set
// or not absolute. Empty when no home folder can be found.
std::filesystem::path UserConfigFolder();
// $XDG_STATE_HOME/TREVAN, or ~/.local/state/TREVAN, by the same rules.
std::filesystem::path UserStateFolder();

}  // namespace wegator
