// The per-user settings store: one text file in the format of a registry export,
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\SOFTWARE\TREVAN\WEGATOR]
//   "Language"="pl"
//   "RH_PREC_INPUT"=dword:00000003
//
// read once when the program starts and written once when it ends. Texts are
// UTF-8; each text value is stored cut to its byte budget.
#pragma once

#include <filesystem>

#include "app/settings.h"

namespace wegator {

// $XDG_CONFIG_HOME/TREVAN/WEGATOR.reg, or ~/.config/TREVAN/WEGATOR.reg when
// XDG_CONFIG_HOME is not set. Empty when no home folder can be found.
std::filesystem::path SettingsStorePath();

// A store that no line of could be understood is moved aside under this
// suffix (WEGATOR.reg.bad) before a new one takes its place.
inline constexpr const char* kBadStoreSuffix = ".bad";

// What reading the store found, beyond the settings themselves.
struct StoreLoad {
    // False when the store exists but could not be read (or could not be moved
    // aside): it must not be written in this run, or the user's settings in it
    // would be replaced by defaults.
    bool writable = true;
    // Where an unintelligible store was moved; empty when it was not.
    std::filesystem::path movedAside;
};

// Reads the store. A value that is absent, of the wrong type, too large, or
// damaged (a number that is not plainly written, a value outside the range the
// program works with) gets its default, and the defaults of all such values
// are written back in one atomic rewrite that keeps every value this program
// does not know. A missing "Language" is written back as "en" but stays empty
// in the returned record, so that the first start asks for the language.
// Exports of a registry editor (UTF-16LE with a byte-order mark) and lines
// ending in CR CR LF are read as well. Never throws: a missing, garbled or
// unreadable file gives defaults, and when the file cannot be written the
// settings are returned all the same. `report`, when given, tells whether the
// store may be written at exit.
Settings LoadSettings(const std::filesystem::path& storeFile, StoreLoad* report = nullptr);
Settings LoadSettings();
// Reads the store as LoadSettings does but leaves the file as it is: no
// defaults written back, nothing moved aside. For a program that only uses
// the settings the desktop program keeps (wegator-cli lab run). `understood`,
// when given, tells whether the file held any line of a store.
Settings ReadSettingsOnly(const std::filesystem::path& storeFile, bool* understood = nullptr);

// Writes every setting, replacing the store atomically: on failure the old file
// is left as it was and false is returned. Values this program does not know
// are kept. A store that is a symbolic link is replaced at the link's target;
// temporary files of an earlier save that was killed are removed.
bool SaveSettings(const Settings& settings, const std::filesystem::path& storeFile);
bool SaveSettings(const Settings& settings);

}  // namespace wegator
