// Start and end of a run: the settings are read once before any window
// exists, the language is asked on the first start, English is loaded when
// chosen, and the settings are written once when the main window has closed.
#pragma once

#include <filesystem>
#include <memory>

#include <QString>
#include <QStringList>

#include "app/settings.h"
#include "app/settings_store.h"
#include "dialogs/dialogs.h"

class QTranslator;

namespace wegator {

class Application {
public:
    // `dataDirs` are searched for wegator_en.qm and the help pages;
    // `askLanguage` is asked when no language was ever chosen.
    Application(QStringList dataDirs, LanguageQuestion askLanguage);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Reads the settings store, settles the language and installs English when
    // it is the language in force. A missing translation leaves Polish in
    // place, without a message.
    void Start(const std::filesystem::path& storeFile);
    // Writes every setting back; false when the store could not be written,
    // or was left alone because it could not be read at start.
    bool Finish();
    // What to tell the user after Finish returned false: why the settings of
    // the run were not saved, and where the store is.
    QString UnsavedSettingsText() const;

    Settings& GetSettings() { return settings_; }
    const QStringList& DataDirs() const { return dataDirs_; }
    bool EnglishLoaded() const { return englishLoaded_; }

private:
    QStringList dataDirs_;
    LanguageQuestion askLanguage_;
    std::filesystem::path storeFile_;
    Settings settings_;
    StoreLoad storeLoad_;
    std::unique_ptr<QTranslator> translator_;
    // Qt's own texts (context menus of entry fields) in Polish.
    std::unique_ptr<QTranslator> qtTranslator_;
    bool englishLoaded_ = false;
    bool qtPolishLoaded_ = false;
};

// The language of a run from the stored text: "pl" stays Polish, any other
// text (also one that is not a language) means English.
std::string RunLanguage(const std::string& stored);

// Loads the English translation from `dirs` into `translator`, installs it and
// makes the string table answer in English. False when no translation was found.
bool InstallEnglish(QTranslator& translator, const QStringList& dirs);
// Takes the English string table and translator out again.
void RemoveEnglish(QTranslator& translator);

// Runs the desktop program; `argv` may hold "--screenshots DIR", or "--help" or
// "--version", which are answered without starting Qt.
int RunWegator(int argc, char** argv);

}  // namespace wegator
