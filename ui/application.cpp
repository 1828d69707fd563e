#include "application.h"

#include <iostream>
#include <map>
#include <string>
#include <string_view>

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

#include "app/settings_store.h"
#include "text/string_table.h"
#include "text/strings.h"
#include "laboratory/data_files.h"
#include "digest/qt_file_digest.h"
#include "main_window.h"
#include "screenshots/screenshots.h"
#include "wegator_version.h"
#include "widget_texts.h"

namespace wegator {

namespace {

// The English translation of every string-table text sits in the context
// "StringTable", keyed by its Polish text.
constexpr const char* kStringTableContext = "StringTable";

std::map<int, std::string>& EnglishCache() {
    static std::map<int, std::string> cache;
    return cache;
}

// The string table's English look-up. Each text is translated once and kept,
// so that the view handed out stays valid for the whole run.
std::string_view EnglishString(int id) {
    auto& cache = EnglishCache();
    if (const auto found = cache.find(id); found != cache.end()) return found->second;
    const std::string_view polish = PolishString(id);
    if (polish.empty()) return {};
    const std::string source(polish);
    const QString english = QCoreApplication::translate(kStringTableContext, source.c_str());
    return cache.emplace(id, english.toStdString()).first->second;
}

const char* const kCommandLineHelp =
    "wegator: the desktop humidity calculator. It turns one measured humidity state into every other\n"
    "humidity quantity with its standard uncertainty, and runs the laboratory station that reads the\n"
    "serial instruments. Its texts are Polish or English, as chosen at the first start.\n"
    "Usage: wegator [OPTIONS]\n"
    "\n"
    "Options:\n"
    "  -h,--help          Print this help message and exit\n"
    "  --version          Print the program's version and exit\n"
    "  --screenshots DIR  Fill a sample calculation into each page, save a picture of every page and\n"
    "                     dialog into DIR as PNG files and exit, without showing the window\n"
    "  --lang pl|en       With --screenshots on a first start: the language of the pictures instead\n"
    "                     of asking (Polish when not given); the stored language otherwise wins\n"
    "\n"
    "Qt's own options (-platform NAME, -style NAME, ...) are understood as well.\n"
    "Settings: $XDG_CONFIG_HOME/TREVAN/WEGATOR.reg (by default ~/.config/TREVAN/WEGATOR.reg).\n"
    "See also: wegator-cli --help, wegator-sim --help, man wegator.\n";

// --help and --version are answered before Qt starts, so that they need no display.
bool AnswersInformationOption(int argc, char** argv, int& status) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--screenshots" || argument == "--lang") {
            ++i;  // its value may have any name
            continue;
        }
        if (argument == "-h" || argument == "--help") {
            std::cout << kCommandLineHelp;
        } else if (argument == "--version") {
            std::cout << "wegator " << kVersion << '\n';
        } else {
            continue;
        }
        std::cout.flush();
        status = std::cout.good() ? 0 : 2;
        return true;
    }
    return false;
}

}  // namespace

std::string RunLanguage(const std::string& stored) { return stored == "pl" ? "pl" : "en"; }

bool InstallEnglish(QTranslator& translator, const QStringList& dirs) {
    const QString file = FindDataFile(dirs, QString::fromLatin1(kEnglishTranslationFile));
    if (file.isEmpty() || !translator.load(file)) return false;
    QCoreApplication::installTranslator(&translator);
    EnglishCache().clear();
    SetStringLookup(&EnglishString);
    return true;
}

void RemoveEnglish(QTranslator& translator) {
    SetStringLookup(nullptr);
    EnglishCache().clear();
    QCoreApplication::removeTranslator(&translator);
}

Application::Application(QStringList dataDirs, LanguageQuestion askLanguage)
    : dataDirs_(std::move(dataDirs)), askLanguage_(std::move(askLanguage)),
      translator_(std::make_unique<QTranslator>()), qtTranslator_(std::make_unique<QTranslator>()) {}

Application::~Application() {
    if (englishLoaded_) RemoveEnglish(*translator_);
    if (qtPolishLoaded_) QCoreApplication::removeTranslator(qtTranslator_.get());
}

void Application::Start(const std::filesystem::path& storeFile) {
    storeFile_ = storeFile;
    settings_ = LoadSettings(storeFile_, &storeLoad_);
    // First start: no language was ever chosen.
    if (settings_.language.empty() && askLanguage_) settings_.language = askLanguage_("pl");
    settings_.language = RunLanguage(settings_.language);
    if (settings_.language == "en") {
        englishLoaded_ = InstallEnglish(*translator_, dataDirs_);
    } else if (qtTranslator_->load(QStringLiteral("qtbase_pl"),
                                   QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        qtPolishLoaded_ = QCoreApplication::installTranslator(qtTranslator_.get());
    }
}

bool Application::Finish() {
    // A store that could not be read still holds the user's settings: the
    // defaults this run started from must not replace them.
    return storeLoad_.writable && SaveSettings(settings_, storeFile_);
}

QString Application::UnsavedSettingsText() const {
    const int id = storeLoad_.writable ? msg::SettingsNotSaved : msg::SettingsStoreUnreadable;
    return StringTableText(id) + QLatin1Char('\n') + QString::fromStdString(storeFile_.string());
}

int RunWegator(int argc, char** argv) {
    if (int status = 0; AnswersInformationOption(argc, argv, status)) return status;
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("wegator"));
    QApplication::setOrganizationName(QStringLiteral("TREVAN"));
    InstallQtFileDigest();

    QString screenshotDir;
    const QStringList arguments = QCoreApplication::arguments();
    const qsizetype option = arguments.indexOf(QStringLiteral("--screenshots"));
    if (option >= 0 && option + 1 < arguments.size()) screenshotDir = arguments.at(option + 1);
    const qsizetype langOption = arguments.indexOf(QStringLiteral("--lang"));
    const std::string givenLanguage =
        langOption >= 0 && langOption + 1 < arguments.size() ? arguments.at(langOption + 1).toStdString() : "";

    // Pictures are taken unattended: a first start there must not wait for a
    // language answer nobody gives (the language dialog is pictured anyway).
    LanguageQuestion askLanguage = [](const std::string& preselected) {
        return AskLanguageWithDialog(preselected);
    };
    if (!screenshotDir.isEmpty()) {
        askLanguage = [givenLanguage](const std::string&) -> std::string {
            return givenLanguage == "en" ? "en" : "pl";
        };
    }
    Application app(DefaultDataDirs(), std::move(askLanguage));
    app.Start(SettingsStorePath());

    MainWindow window(app.GetSettings(), app.DataDirs());
    int status = 0;
    if (!screenshotDir.isEmpty()) {
        status = TakeScreenshots(window, screenshotDir) ? 0 : 1;
    } else {
        window.show();
        status = QApplication::exec();
    }
    // Told once, at the very end: the old store is intact, this run's changes are not in it.
    if (!app.Finish() && screenshotDir.isEmpty()) {
        QMessageBox box(QMessageBox::Warning, StringTableText(msg::ProgramTitle), app.UnsavedSettingsText(),
                        QMessageBox::Ok);
        box.exec();
    }
    return status;
}

}  // namespace wegator
