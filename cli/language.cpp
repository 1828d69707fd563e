#include "language.h"

#include <QString>
#include <QTranslator>
#include <map>
#include <string_view>

#include "app/settings_store.h"
#include "text/string_table.h"
#include "text/strings.h"

namespace wegator::cli {

namespace {

// The translation sits in the program's resources (see CMakeLists.txt), in
// the context the desktop program looks it up in, keyed by the Polish text.
constexpr const char* kTranslation = ":/wegator_cli_en.qm";
constexpr const char* kStringTableContext = "StringTable";

QTranslator& Translator() {
    static QTranslator translator;
    return translator;
}

// Each text is translated once and kept, so that the view handed out stays
// valid for the whole run. An untranslated text is empty here and stays Polish.
std::string_view EnglishString(int id) {
    static std::map<int, std::string> cache;
    if (const auto found = cache.find(id); found != cache.end()) return found->second;
    const std::string polish(PolishString(id));
    if (polish.empty()) return {};
    return cache.emplace(id, Translator().translate(kStringTableContext, polish.c_str()).toStdString()).first->second;
}

}  // namespace

std::string CommandLineLanguage(const std::string& given, const std::filesystem::path& store) {
    if (!given.empty()) return given;
    // Only read: a command-line run never writes the desktop program's store.
    const std::string stored = store.empty() ? std::string() : ReadSettingsOnly(store).language;
    // The desktop program counts every language but Polish as English; a
    // store without one has never been used, and Polish is the default.
    return stored.empty() || stored == "pl" ? "pl" : "en";
}

bool UseEnglish() {
    if (!Translator().load(QString::fromLatin1(kTranslation))) return false;
    SetStringLookup(&EnglishString);
    return true;
}

StringLookup EnglishTexts() {
    if (Translator().isEmpty() && !Translator().load(QString::fromLatin1(kTranslation))) return nullptr;
    return &EnglishString;
}

}  // namespace wegator::cli
