// The keyboard a daily user leans on: access keys that never clash within a
// window in either language, Enter on a focused button, F10 for the menu.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTranslator>
#include <functional>
#include <map>
#include <utility>

#include "dialogs/adjustment_dialog.h"
#include "application.h"
#include "laboratory/calibration_dialog.h"
#include "laboratory/laboratory_page_widget.h"
#include "main_window.h"
#include "pages/monte_carlo_window.h"
#include "numeric_edit.h"
#include "pages/rh_page.h"
#include "dialogs/settings_sheet_dialog.h"
#include "station/qt_station.h"
#include "dialogs/table_editor_dialog.h"

namespace wegator {
namespace {

class SilentSheetHost : public SettingsSheetHost {
public:
    void ShowWarning(int, const std::string&) override {}
    void ShowMessage(int, const std::string&) override {}
    bool AskYesNo(int, const std::string&) override { return false; }
};

// Every text the user reaches with Alt+letter in `window` as it stands now,
// by its access key: buttons, labels that lead to a field, the menu bar.
std::multimap<QString, QString> AccessKeys(QWidget* window) {
    std::multimap<QString, QString> keys;
    auto add = [&keys](const QString& text) {
        const QString key = QKeySequence::mnemonic(text).toString();
        if (!key.isEmpty()) keys.emplace(key.toUpper(), text);
    };
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (button->isVisibleTo(window)) add(button->text());
    }
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->buddy() != nullptr && label->isVisibleTo(window)) add(label->text());
    }
    for (QMenuBar* bar : window->findChildren<QMenuBar*>()) {
        for (QAction* action : bar->actions()) add(action->text());
    }
    return keys;
}

std::multimap<QString, QString> MenuKeys(QMenu* menu) {
    std::multimap<QString, QString> keys;
    for (QAction* action : menu->actions()) {
        const QString key = QKeySequence::mnemonic(action->text()).toString();
        if (!key.isEmpty()) keys.emplace(key.toUpper(), action->text());
    }
    return keys;
}

void ExpectNoClash(const std::multimap<QString, QString>& keys, const std::string& where) {
    EXPECT_FALSE(keys.empty()) << where;
    for (auto it = keys.begin(); it != keys.end(); it = keys.upper_bound(it->first)) {
        if (keys.count(it->first) < 2) continue;
        std::string texts;
        for (auto [first, last] = keys.equal_range(it->first); first != last; ++first) {
            texts += " \"" + first->second.toStdString() + "\"";
        }
        ADD_FAILURE() << where << ": " << it->first.toStdString() << " on" << texts;
    }
}

// Each page of the main window, each menu, each page of the settings sheet and
// each dialog with buttons of its own, in Polish and in English.
TEST(Keyboard, AccessKeysDoNotClashWithinAWindow) {
    for (const bool english : {false, true}) {
        SCOPED_TRACE(english ? "en" : "pl");
        QTranslator translator;
        if (english) {
            ASSERT_TRUE(InstallEnglish(translator, {QStringLiteral(WEGATOR_BUILD_DATA_DIR)}));
        }
        {
            Settings settings;
            MainWindow window(settings, {});
            for (int page = 0; page < MainWindow::kPageCount; ++page) {
                if (window.Page(page) == nullptr) continue;
                window.ShowPage(page);
                ExpectNoClash(AccessKeys(&window), "page " + std::to_string(page));
            }
            for (QAction* title : window.menuBar()->actions()) {
                ExpectNoClash(MenuKeys(title->menu()), title->text().toStdString());
            }

            SettingsRunState run;
            SettingsSheetHooks hooks;
            hooks.portLister = [] { return QStringLiteral("COM1:USB\n"); };
            SettingsSheetDialog sheet(settings, run, nullptr, hooks);
            for (int page = 0; page < SettingsSheetModel::kPageCount; ++page) {
                sheet.Sheet()->setCurrentIndex(page);
                ExpectNoClash(AccessKeys(&sheet), "settings page " + std::to_string(page));
            }
            SilentSheetHost host;
            PsychrometerAdjustment adjustment(Phase::Water, 0, ",", "", "", host);
            AdjustmentDialog adjust(adjustment);
            ExpectNoClash(AccessKeys(&adjust), "adjustment");
            TableEditorDialog editor(lab::CalibrationTable{}, "", ",");
            ExpectNoClash(AccessKeys(&editor), "table editor");
            {
                RecordingHost pageHost;
                RelativeHumidityPage rh(pageHost);
                for (auto [field, text] : {std::pair{RhField::DewPoint, "10"}, {RhField::Temperature, "20"},
                                           {RhField::P1, "101.325"}, {RhField::P2, "101.325"}}) {
                    rh.SetFieldText(field, text);
                }
                rh.Compute();
                auto calculation = MonteCarloCalculationOf(rh, QString());
                ASSERT_TRUE(calculation.has_value());
                MonteCarloWindow monteCarlo(std::move(*calculation));
                ExpectNoClash(AccessKeys(&monteCarlo), "monte carlo");
            }
            lab::LaboratoryPage& lab = window.Station().Page();
            lab.PrepareRun();
            {
                CalibrationDialog calibration(lab);
                ExpectNoClash(AccessKeys(&calibration), "calibration");
            }
            lab.RunDialogClosed();
        }
        if (english) RemoveEnglish(translator);
    }
}

// Enter presses the focused button where the page has no default button of its
// own, Enter in the filled adjustment computes and then takes the constant,
// and F10 opens the menu.
TEST(Keyboard, EnterOnFocusedButtonsAndF10) {
    Settings settings;
    settings.language = "pl";
    MainWindow window(settings, {});
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_F10);  // the menu's first title opens
    EXPECT_EQ(window.menuBar()->activeAction(), window.menuBar()->actions().constFirst());
    window.menuBar()->setActiveAction(nullptr);

    window.ShowPage(MainWindow::kLaboratoryPage);
    auto* lab = static_cast<LaboratoryPageWidget*>(window.Page(MainWindow::kLaboratoryPage));
    for (QPushButton* button : {lab->ClearButton(), lab->CalibrationButton(), lab->PrintButton()}) {
        // Only whether the button takes Enter: what the page does on it is tested elsewhere.
        QObject::disconnect(button, &QPushButton::clicked, nullptr, nullptr);
        QObject listener;
        bool pressed = false;
        QObject::connect(button, &QPushButton::clicked, &listener, [&pressed] { pressed = true; });
        button->setEnabled(true);
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Return);
        EXPECT_TRUE(pressed) << button->objectName().toStdString();
    }

    SilentSheetHost host;
    PsychrometerAdjustment adjustment(Phase::Water, 0, ",", "", "", host);
    AdjustmentDialog adjust(adjustment);
    adjust.show();
    using F = PsychrometerAdjustment::Field;
    const std::pair<F, const char*> typed[] = {
        {F::Temperature, "20"}, {F::Bulb, "15"}, {F::Reference, "10"}, {F::Pressure, "101,325"}};
    for (const auto& [field, text] : typed) QTest::keyClicks(adjust.Field(field), QString::fromLatin1(text));
    QTest::keyClick(adjust.Field(F::Pressure), Qt::Key_Return);
    EXPECT_TRUE(adjust.ResultField()->text().startsWith(QStringLiteral("0,000")));
    EXPECT_EQ(adjust.Field(F::Pressure)->text(), QStringLiteral("101,3250000"));
    EXPECT_TRUE(adjust.isVisible());
    QTest::keyClick(adjust.Field(F::Pressure), Qt::Key_Return);
    EXPECT_EQ(adjust.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace wegator
