// The language of wegator-cli's messages, captions and table headings: the
// one the desktop program keeps in the settings store, or --lang. A store
// without a language (no first start yet) gives Polish. English is the
// desktop program's own translation of the string table, compiled into
// wegator-cli, so both programs say the same thing under the same number.
#pragma once

#include <filesystem>
#include <string>

#include "text/strings.h"

namespace wegator::cli {

// "pl" or "en": `given` (--lang) when not empty, else the store's language.
std::string CommandLineLanguage(const std::string& given, const std::filesystem::path& store);

// Makes the string table answer in English; false when the translation
// cannot be loaded (the texts stay Polish).
bool UseEnglish();

// The English look-up without putting it in force (a file's header may be in
// either language); nullptr when the translation cannot be loaded.
StringLookup EnglishTexts();

}  // namespace wegator::cli
