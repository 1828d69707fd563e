#include "application.h"

#include <fstream>
#include <sstream>

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "app/settings_store.h"
#include "text/string_table.h"
#include "text/strings.h"
#include "config_folder_test.h"
#include "main_window.h"
#include "widget_texts.h"

namespace wegator {
namespace {

using StartupTest = ConfigFolderTest;

TEST_F(StartupTest, FirstStartWritesTheDefaultsAndAsksForTheLanguage) {
    std::vector<std::string> asked;
    Application app(buildData, [&](const std::string& preselected) {
        asked.push_back(preselected);
        return std::string("pl");
    });
    app.Start(SettingsStorePath());

    EXPECT_EQ(SettingsStorePath(), std::filesystem::path(config.path().toStdString()) / "TREVAN" / "WEGATOR.reg");
    const std::string written = StoreText();
    EXPECT_NE(written.find("\"Language\"=\"en\""), std::string::npos) << written;
    EXPECT_NE(written.find("\"RH_PREC_INPUT\"=dword:00000003"), std::string::npos) << written;
    ASSERT_EQ(asked, std::vector<std::string>{"pl"});
    EXPECT_EQ(app.GetSettings().language, "pl");
    EXPECT_FALSE(app.EnglishLoaded());
    EXPECT_EQ(LoadString(msg::ProgramTitle), PolishString(msg::ProgramTitle));

    ASSERT_TRUE(app.Finish());
    EXPECT_NE(StoreText().find("\"Language\"=\"pl\""), std::string::npos);
}

// Every text a user can see or hover over on the main window.
QStringList VisibleTexts(const MainWindow& window) {
    QStringList texts{window.windowTitle()};
    for (QAction* action : window.menuBar()->findChildren<QAction*>()) texts << action->text();
    for (int i = 0; i < window.Sheet()->count(); ++i) texts << window.Sheet()->tabText(i);
    for (QWidget* w : window.findChildren<QWidget*>()) {
        texts << w->toolTip();
        if (auto* label = qobject_cast<QLabel*>(w)) texts << label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(w)) texts << button->text();
        if (auto* group = qobject_cast<QGroupBox*>(w)) texts << group->title();
    }
    texts.removeAll(QString());
    return texts;
}

TEST_F(StartupTest, AnyLanguageButPolishRunsInEnglish) {
    WriteStore("\"Language\"=\"de\"\n");
    Application app(buildData, [](const std::string&) {
        ADD_FAILURE() << "a language was stored: nothing to ask";
        return std::string("pl");
    });
    app.Start(SettingsStorePath());

    EXPECT_EQ(app.GetSettings().language, "en");
    ASSERT_TRUE(app.EnglishLoaded());
    EXPECT_NE(LoadString(msg::ProgramTitle), PolishString(msg::ProgramTitle));

    MainWindow window(app.GetSettings(), app.DataDirs());
    const QString help = window.HelpUrl().toLocalFile();
    EXPECT_TRUE(help.endsWith(QStringLiteral("/help_en.html"))) << help.toStdString();
    EXPECT_TRUE(QFileInfo::exists(help));
    EXPECT_EQ(window.CommandAction(MainWindow::kCmdExit)->text(), QStringLiteral("E&xit"));

    // Not one Polish word left on the window.
    const QRegularExpression polish(QStringLiteral(
        "[ąćęłńóśźżĄĆĘŁŃÓŚŹŻ]|\\b(Oblicz|Drukuj|Nad|Temperatura|Entalpia|Ustawienia|Pomoc|Literatura|"
        "Psychrometr|Laboratorium|Polski|Wilgotno|wzgl|Warto|Niepewno|ciśnienia)\\b"));
    for (const QString& text : VisibleTexts(window)) {
        EXPECT_FALSE(polish.match(text).hasMatch()) << text.toStdString();
    }

    ASSERT_TRUE(app.Finish());
    EXPECT_NE(StoreText().find("\"Language\"=\"en\""), std::string::npos);
}

TEST_F(StartupTest, DamagedValuesStartWithDefaultsAndAnUnreadableStoreIsLeftAlone) {
    WriteStore(
        "\"Language\"=\"pl\"\n\"RH_PREC_INPUT\"=dword:05f5e100\n\"GLOBAL_AW\"=\"0\"\n"
        "\"SETTINGS_LAB_VALUES_FROM_DEVICES\"=dword:00000000\n\"SETTINGS_LAB_DP30\"=\"0.1 \"\n");
    Application app(buildData, {});
    app.Start(SettingsStorePath());
    EXPECT_EQ(app.GetSettings().rhPrecInput, 3);
    EXPECT_EQ(app.GetSettings().globalAw, -1.0);
    ASSERT_TRUE(app.Finish());
    const std::string saved = StoreText();
    for (const char* line : {"\"RH_PREC_INPUT\"=dword:00000003", "\"GLOBAL_AW\"=\"-1.0000000000\"",
                             "\"SETTINGS_LAB_VALUES_FROM_DEVICES\"=dword:0000000a",
                             "\"SETTINGS_LAB_DP30\"=\"0.10000\""}) {
        EXPECT_NE(saved.find(line), std::string::npos) << line;
    }

    // A store that cannot be read is not overwritten at exit; the user is told why.
    std::filesystem::remove(SettingsStorePath());
    ASSERT_EQ(::mkfifo(SettingsStorePath().c_str(), 0600), 0);
    Application blocked(buildData, [](const std::string&) { return std::string("pl"); });
    blocked.Start(SettingsStorePath());
    blocked.GetSettings().decimal = ".";
    EXPECT_FALSE(blocked.Finish());
    EXPECT_TRUE(std::filesystem::is_fifo(SettingsStorePath()));
    EXPECT_TRUE(blocked.UnsavedSettingsText().startsWith(StringTableText(msg::SettingsStoreUnreadable)));
}

TEST_F(StartupTest, MissingTranslationLeavesPolishWithoutComplaint) {
    WriteStore("\"Language\"=\"en\"\n");
    Application app(QStringList{config.path()}, {});
    app.Start(SettingsStorePath());

    EXPECT_EQ(app.GetSettings().language, "en");
    EXPECT_FALSE(app.EnglishLoaded());
    EXPECT_EQ(LoadString(msg::ProgramTitle), PolishString(msg::ProgramTitle));
}

}  // namespace
}  // namespace wegator
