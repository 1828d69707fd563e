#include "application.h"

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
#include "app/string_table.h"
#include "app/strings.h"
#include "data_files.h"
#include "main_window.h"
#include "screenshots.h"
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
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("wegator"));
    QApplication::setOrganizationName(QStringLiteral("TREVAN"));

    QString screenshotDir;
    const QStringList arguments = QCoreApplication::arguments();
    const qsizetype option = arguments.indexOf(QStringLiteral("--screenshots"));
    if (option >= 0 && option + 1 < arguments.size()) screenshotDir = arguments.at(option + 1);

    Application app(DefaultDataDirs(),
                    [](const std::string& preselected) { return AskLanguageWithDialog(preselected); });
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
