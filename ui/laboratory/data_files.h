// Where the program finds its data files: the English translation
// (wegator_en.qm) and the help pages. The folder of the executable comes
// first (the build tree holds them there), then the installed share folder.
#pragma once

#include <string_view>

#include <QString>
#include <QStringList>

namespace wegator {

inline constexpr const char* kEnglishTranslationFile = "wegator_en.qm";

QStringList DefaultDataDirs();
// The first existing file `name` in `dirs`, or an empty string.
QString FindDataFile(const QStringList& dirs, const QString& name);
// "help_pl.html" for the language "pl", "help_en.html" for any other.
const char* HelpPageName(std::string_view language);

}  // namespace wegator
