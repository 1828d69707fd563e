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

// Reads the store. A value that is absent, of the wrong type or too large gets
// its default, and the defaults of all such values are written back in one
// atomic rewrite that keeps every value this program does not know. A missing
// "Language" is written back as "en" but stays empty in the returned record, so
// that the first start asks for the language. Never throws: a missing, garbled
// or unreadable file gives defaults, and when the file cannot be written the
// settings are returned all the same.
Settings LoadSettings(const std::filesystem::path& storeFile);
Settings LoadSettings();

// Writes every setting, replacing the store atomically: on failure the old file
// is left as it was and false is returned. Values this program does not know
// are kept.
bool SaveSettings(const Settings& settings, const std::filesystem::path& storeFile);
bool SaveSettings(const Settings& settings);

}  // namespace wegator
