// The settings sheet and its dialogs, opened from the menu, typed into and
// clicked, with the changes put into force on the pages and the store.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <atomic>
#include <fstream>
#include <functional>
#include <future>
#include <sstream>

#include "dialogs/adjustment_dialog.h"
#include "sheet/laboratory_settings_target.h"
#include "app/settings_store.h"
#include "application.h"
#include "config_folder_test.h"
#include "main_window.h"
#include "numeric_edit.h"
#include "pages/page_widget.h"
#include "dialogs/port_list_dialog.h"
#include "pages/pressure_page_widget.h"
#include "pages/recompute_marker.h"
#include "pages/rh_page_widget.h"
#include "dialogs/settings_sheet_dialog.h"
#include "dialogs/table_editor_dialog.h"

namespace wegator {
namespace {

// Runs `act` on the first modal dialog of type T once it is shown; a dialog
// that never comes fails the test instead of blocking it.
template <typename T>
void WhenShown(std::function<void(T*)> act, int triesLeft = 500) {
    QTimer::singleShot(10, [act = std::move(act), triesLeft] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) return act(dialog);
        if (triesLeft == 0) {
            ADD_FAILURE() << "the dialog did not open";
            if (QWidget* other = QApplication::activeModalWidget()) other->close();
            return;
        }
        WhenShown<T>(act, triesLeft - 1);
    });
}

void ClickTab(QTabWidget* sheet, int index) {
    QTabBar* bar = sheet->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
}

template <typename W>
W* Child(QWidget* parent, const char* name) {
    W* widget = parent->findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

void Retype(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

bool ShowsOutOfDate(PageWidget* page) {
    return page->findChild<RecomputeMarker*>()->IsShown() &&
           !page->findChild<QPushButton*>(QStringLiteral("printButton"))->isEnabled();
}

class RecordingSheetHost : public SettingsSheetHost {
public:
    void ShowWarning(int, const std::string&) override {}
    void ShowMessage(int, const std::string&) override {}
    bool AskYesNo(int, const std::string&) override { return false; }
};

struct Recorded {
    std::vector<int> ids;
    std::function<void(bool, int, const std::string&)> Sink() {
        return [this](bool, int id, const std::string&) { ids.push_back(id); };
    }
};

TEST(SettingsSheetWidget, KropkaAndOkPutThePointIntoForceOnEveryPage) {
    Settings settings;
    settings.language = "pl";
    MainWindow window(settings, {});
    Recorded messages;
    window.SetMessageSink(messages.Sink());
    QAction* sheetCommand = window.CommandAction(MainWindow::kCmdSettings);
    ASSERT_TRUE(sheetCommand->isEnabled());

    // Printable results on the visible page before the change.
    RhPageWidget* rh = window.RelativeHumidityPageWidget();
    QTest::keyClicks(rh->Field(RhField::DewPoint), QStringLiteral("10"));
    QTest::keyClicks(rh->Field(RhField::Temperature), QStringLiteral("20"));
    QTest::keyClicks(rh->Field(RhField::P1), QStringLiteral("101,325"));
    QTest::keyClicks(rh->Field(RhField::P2), QStringLiteral("101,325"));
    QTest::mouseClick(rh->ComputeButton(), Qt::LeftButton);
    ASSERT_TRUE(window.CommandAction(MainWindow::kCmdPrint)->isEnabled());

    WhenShown<SettingsSheetDialog>([](SettingsSheetDialog* sheet) {
        EXPECT_EQ(sheet->Sheet()->objectName(), QStringLiteral("SPropertiesSheet"));
        ClickTab(sheet->Sheet(), SettingsSheetModel::kPrecisionPage);
        QWidget* page = sheet->Page(SettingsSheetModel::kPrecisionPage);
        EXPECT_TRUE(Child<QRadioButton>(page, "commaButton")->isChecked());  // "," is "przecinek"
        QTest::mouseClick(Child<QRadioButton>(page, "pointButton"), Qt::LeftButton);
        QTest::mouseClick(sheet->OkButton(), Qt::LeftButton);
    });
    sheetCommand->trigger();

    EXPECT_TRUE(messages.ids.empty());
    EXPECT_EQ(settings.decimal, ".");
    EXPECT_FALSE(window.CommandAction(MainWindow::kCmdPrint)->isEnabled());  // at once
    for (int index : {0, 1, 2, 3}) {
        window.ShowPage(index);
        EXPECT_TRUE(ShowsOutOfDate(window.Page(index))) << index;
    }
    PressurePageWidget* pressure = window.PressurePageWidgetAt();
    QTest::mouseClick(pressure->ComputeButton(), Qt::LeftButton);
    EXPECT_EQ(pressure->ResultField(0)->text(), QStringLiteral("1000.0000"));  // Pa
}

TEST(SettingsSheetWidget, LeavingLaboratoryWithACollectionTimeOf59Stays) {
    Settings settings;
    SettingsRunState run;
    Recorded messages;
    // The page in view while a message refuses a change of page.
    QTabWidget* tabs = nullptr;
    std::vector<int> pageBehind;
    auto sink = [&messages, &tabs, &pageBehind](bool warning, int id, const std::string& text) {
        messages.Sink()(warning, id, text);
        if (tabs != nullptr) pageBehind.push_back(tabs->currentIndex());
    };
    SettingsSheetDialog sheet(settings, run, nullptr, {sink, {}, {}, {}});
    tabs = sheet.Sheet();
    sheet.show();
    ClickTab(sheet.Sheet(), SettingsSheetModel::kLaboratoryPage);
    QWidget* page = sheet.Page(SettingsSheetModel::kLaboratoryPage);
    Retype(Child<QLineEdit>(page, "meanTimeEdit"), QStringLiteral("59"));
    // Ticking a table opens its editor at once; "Anuluj" there leaves the table's file alone.
    EXPECT_FALSE(Child<QPushButton>(page, "dp30TableButton")->isEnabled());
    bool editorShown = false;
    WhenShown<TableEditorDialog>([&editorShown](TableEditorDialog* editor) {
        editorShown = true;
        QTest::mouseClick(editor->CancelButton(), Qt::LeftButton);
    });
    QTest::mouseClick(Child<QCheckBox>(page, "dp30TableBox"), Qt::LeftButton);
    EXPECT_TRUE(editorShown);
    EXPECT_TRUE(Child<QPushButton>(page, "dp30TableButton")->isEnabled());
    EXPECT_TRUE(sheet.Model().Laboratory().TablesEdited().empty());

    ClickTab(sheet.Sheet(), SettingsSheetModel::kGeneralPage);
    EXPECT_EQ(messages.ids, std::vector<int>{171});
    EXPECT_EQ(pageBehind, std::vector<int>{SettingsSheetModel::kLaboratoryPage});
    EXPECT_EQ(sheet.Sheet()->currentIndex(), SettingsSheetModel::kLaboratoryPage);
    QTest::mouseClick(sheet.OkButton(), Qt::LeftButton);
    EXPECT_EQ(messages.ids, (std::vector<int>{171, 171}));
    EXPECT_TRUE(sheet.isVisible());
    QTest::mouseClick(sheet.CancelButton(), Qt::LeftButton);
    EXPECT_EQ(sheet.result(), QDialog::Rejected);
    EXPECT_EQ(settings, Settings{});
}

TEST(SettingsSheetWidget, TheLaboratoryOnThePrintoutsIsTypedOnItsPage) {
    Settings settings;
    settings.labAccreditation = "AB 123";
    SettingsRunState run;
    SettingsSheetDialog sheet(settings, run, nullptr, {});
    sheet.show();
    ClickTab(sheet.Sheet(), SettingsSheetModel::kLaboratoryPage);
    QWidget* page = sheet.Page(SettingsSheetModel::kLaboratoryPage);
    EXPECT_EQ(Child<QLineEdit>(page, "labAccreditationEdit")->text(), QStringLiteral("AB 123"));
    Retype(Child<QLineEdit>(page, "labNameEdit"), QStringLiteral("Lab 7"));
    QTest::mouseClick(sheet.OkButton(), Qt::LeftButton);
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_EQ(sheet.Model().Result().settings.labName, "Lab 7");
    EXPECT_EQ(sheet.Model().Result().settings.labAccreditation, "AB 123");
}

// An existing data file is asked about once, by message 196 (empty it or
// append) when the laboratory opens it, never first by the file chooser.
TEST(SettingsSheetWidget, AnExistingDataFileIsAskedAboutOnce) {
    QTemporaryDir folder;
    const QString existing = folder.filePath(QStringLiteral("pomiary.csv"));
    std::ofstream(existing.toStdString()) << "1\n";
    Settings settings;
    SettingsRunState run;
    SettingsSheetHooks hooks;
    bool asksToReplace = true;
    hooks.runDialog = [&](QDialog& dialog) {
        auto* chooser = qobject_cast<QFileDialog*>(&dialog);
        if (chooser == nullptr) return static_cast<int>(QDialog::Rejected);
        asksToReplace = !chooser->testOption(QFileDialog::DontConfirmOverwrite);
        chooser->selectFile(existing);
        return static_cast<int>(QDialog::Accepted);
    };
    SettingsSheetDialog sheet(settings, run, nullptr, hooks);
    sheet.Sheet()->setCurrentIndex(SettingsSheetModel::kFilePage);
    QWidget* page = sheet.Page(SettingsSheetModel::kFilePage);
    QTest::mouseClick(Child<QCheckBox>(page, "savingBox"), Qt::LeftButton);
    QTest::mouseClick(Child<QPushButton>(page, "browseButton"), Qt::LeftButton);
    EXPECT_FALSE(asksToReplace);
    EXPECT_EQ(Child<QLineEdit>(page, "fileNameEdit")->text(), existing);
}

// Every value of the sheet with a range names it, and its unit, in its tooltip.
TEST(SettingsSheetWidget, ValuesWithARangeNameItInTheirTooltips) {
    Settings settings;
    SettingsRunState run;
    SettingsSheetDialog sheet(settings, run, nullptr, {});
    for (const char* name : {"updateEdit", "meanTimeEdit", "observationsEdit", "dp30UncertaintyEdit",
                             "f250UncertaintyEdit", "qx310UncertaintyEdit", "qx311UncertaintyEdit",
                             "qx316UncertaintyEdit", "intervalEdit"}) {
        const QString tip = Child<QLineEdit>(&sheet, name)->toolTip();
        EXPECT_TRUE(tip.contains(QRegularExpression(QStringLiteral("\\d+ do \\d+( s| K| kPa| minut|$)"))))
            << name << ": " << tip.toStdString();
    }
}

TEST(SettingsSheetWidget, CancelledPortListLeavesTheConfiguredPortsListed) {
    Settings settings;
    settings.settingsLabDevices = 1;
    settings.settingsPortComDp30 = 3;
    SettingsRunState run;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<bool> workerDone = false;
    SettingsSheetHooks hooks;
    hooks.portLister = [released, &workerDone] {
        released.wait();  // a port list that takes its time
        workerDone = true;
        return QStringLiteral("COM1:USB\n");
    };
    SettingsSheetDialog sheet(settings, run, nullptr, hooks);
    sheet.show();

    WhenShown<PortListDialog>(
        [](PortListDialog* wait) { QTest::mouseClick(Child<QPushButton>(wait, "cancelButton"), Qt::LeftButton); });
    ClickTab(sheet.Sheet(), SettingsSheetModel::kPortsPage);  // returns when "Anuluj" closed the wait
    QComboBox* dp30 = Child<QComboBox>(sheet.Page(SettingsSheetModel::kPortsPage), "dp30PortList");
    EXPECT_EQ(dp30->currentText(), QStringLiteral("COM3"));
    EXPECT_FALSE(workerDone);

    // The list that arrives afterwards changes nothing.
    release.set_value();
    while (!workerDone) QTest::qWait(5);
    QTest::qWait(20);
    EXPECT_EQ(dp30->count(), 2);
    EXPECT_EQ(dp30->currentText(), QStringLiteral("COM3"));
}

class FakeLaboratory : public LaboratorySettingsTarget {
public:
    DataFileState CurrentDataFile() const override { return {}; }
    Opening OpenNextDataFile(const std::string&) override { return Opening::Created; }
    void ApplySettingsChange(const Settings& s, const HandPressure&, const LaboratoryChange& change) override {
        settings.push_back(s);
        changes.push_back(change);
    }
    std::vector<Settings> settings;
    std::vector<LaboratoryChange> changes;
};

TEST(SettingsApply, TheLaboratoryGetsItsChangeAndTheRecordKeepsWhatWasConfigured) {
    Settings settings;
    settings.settingsLabDevices = 1;
    settings.settingsPortComDp30 = 1;
    settings.settingsPortComQx311 = 2;
    settings.settingsPortComQx316 = 3;
    settings.settingsLabCalibrationTableDp30 = 1;
    settings.calibrationFileNameDp30 = "/cal/dp30.cal";
    MainWindow window(settings, {});
    FakeLaboratory laboratory;
    window.SetLaboratoryTarget(&laboratory);
    window.ShowPage(MainWindow::kPressurePage);

    EditedSettings after;
    after.settings = settings;
    after.settings.settingsLabDevices = 0;
    after.settings.calibrationFileNameDp30 = "/cal/dp30-2024.cal";
    window.ApplySettingsChange({settings, {}}, after);

    ASSERT_EQ(laboratory.changes.size(), 1u);
    const LaboratoryChange& change = laboratory.changes[0];
    EXPECT_TRUE(change.instrumentsOff);
    EXPECT_EQ(change.tablesToLoad, (std::vector<TableLoad>{{lab::TableId::Dp30, "/cal/dp30-2024.cal"}}));
    EXPECT_EQ(laboratory.settings[0], after.settings);
    // Whatever the laboratory made of the table, the record keeps the configured path.
    EXPECT_EQ(settings.calibrationFileNameDp30, "/cal/dp30-2024.cal");
    // Without instruments the laboratory cannot be shown: back to the first page.
    EXPECT_EQ(window.ActivePageIndex(), MainWindow::kRelativeHumidityPage);
    // Nothing the calculator pages use changed.
    EXPECT_FALSE(ShowsOutOfDate(window.Page(MainWindow::kPressurePage)));
}

// Every text a user can read on a widget and its children.
QStringList VisibleTexts(QWidget* root) {
    QStringList texts{root->windowTitle()};
    for (QWidget* w : root->findChildren<QWidget*>()) {
        texts << w->toolTip();
        if (auto* label = qobject_cast<QLabel*>(w)) texts << label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(w)) texts << button->text();
        if (auto* group = qobject_cast<QGroupBox*>(w)) texts << group->title();
        if (auto* list = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < list->count(); ++i) texts << list->itemText(i);
        }
        if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            for (int i = 0; i < tabs->count(); ++i) texts << tabs->tabText(i);
        }
    }
    texts.removeAll(QString());
    return texts;
}

TEST(SettingsSheetWidget, EnglishLeavesNoPolishWord) {
    QTranslator translator;
    ASSERT_TRUE(InstallEnglish(translator, {QStringLiteral(WEGATOR_BUILD_DATA_DIR)}));
    Settings settings;
    SettingsRunState run;
    SettingsSheetHooks hooks;
    hooks.portLister = [] { return QStringLiteral("COM1:USB\n"); };
    SettingsSheetDialog sheet(settings, run, nullptr, hooks);
    for (int page = 0; page < SettingsSheetModel::kPageCount; ++page) sheet.Sheet()->setCurrentIndex(page);
    QStringList texts = VisibleTexts(&sheet);
    RecordingSheetHost host;
    for (Phase bulb : {Phase::Water, Phase::Ice}) {
        PsychrometerAdjustment model(bulb, 0, ".", "", "", host);
        AdjustmentDialog adjust(model);
        texts << VisibleTexts(&adjust);
    }
    PortListDialog wait([] { return QString(); });
    texts << VisibleTexts(&wait);
    RemoveEnglish(translator);

    const QRegularExpression polish(QStringLiteral(
        "[ąćęłńóśźżĄĆĘŁŃÓŚŹŻ]|\\b(Ustawienia|Ogólne|Porty|Zapis|Regulacja|Temperatura|Niepewność|Wartości|Anuluj|"
        "kropka|przecinek|Używaj|Tablica|minut|Ręcznie|Domyślna|Użytkownik|Wzory|Oparte|Nad)\\b"));
    for (const QString& text : texts) EXPECT_FALSE(polish.match(text).hasMatch()) << text.toStdString();
}

using SettingsRunTest = ConfigFolderTest;

TEST_F(SettingsRunTest, AFittedConstantIsKeptAfterTheSheetIsCancelled) {
    Application app({}, [](const std::string&) { return std::string("pl"); });
    app.Start(SettingsStorePath());
    MainWindow window(app.GetSettings(), {});

    std::string shown;
    WhenShown<SettingsSheetDialog>([&shown](SettingsSheetDialog* sheet) {
        QWidget* page = sheet->Page(SettingsSheetModel::kGeneralPage);
        QTest::mouseClick(Child<QRadioButton>(page, "waterUserButton"), Qt::LeftButton);
        WhenShown<AdjustmentDialog>([](AdjustmentDialog* adjust) {
            using F = PsychrometerAdjustment::Field;
            QTest::keyClicks(adjust->Field(F::Temperature), QStringLiteral("20"));
            QTest::keyClicks(adjust->Field(F::Bulb), QStringLiteral("15"));
            QTest::keyClicks(adjust->Field(F::Reference), QStringLiteral("10"));
            QTest::keyClicks(adjust->Field(F::Pressure), QStringLiteral("101,325"));
            EXPECT_FALSE(adjust->OkButton()->isEnabled());
            QTest::mouseClick(adjust->ComputeButton(), Qt::LeftButton);
            EXPECT_TRUE(adjust->ResultField()->text().startsWith(QStringLiteral("0,000")));
            QTest::mouseClick(adjust->OkButton(), Qt::LeftButton);
        });
        QTest::mouseClick(Child<QPushButton>(page, "waterAdjustButton"), Qt::LeftButton);
        shown = Child<QLineEdit>(page, "waterConstantEdit")->text().toStdString();
        QTest::mouseClick(sheet->CancelButton(), Qt::LeftButton);
    });
    window.CommandAction(MainWindow::kCmdSettings)->trigger();

    ASSERT_EQ(shown.size(), 12u) << shown;
    EXPECT_NE(shown, "0,0006653286");
    EXPECT_EQ(app.GetSettings().globalAw, -1.0);  // not in force: the sheet was cancelled
    ASSERT_TRUE(app.Finish());
    EXPECT_NE(StoreText().find("\"GLOBAL_AW_USER\"=\"" + shown + "\""), std::string::npos) << StoreText();
}

TEST_F(SettingsRunTest, APersonSetsThePointThroughTheMenuAndItIsStored) {
    // An empty settings folder: the language dialog comes first; Enter keeps Polish.
    WhenShown<LanguageDialog>([](LanguageDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Return); });
    Application app({}, [](const std::string& preselected) { return AskLanguageWithDialog(preselected); });
    app.Start(SettingsStorePath());
    MainWindow window(app.GetSettings(), {});
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    // "Ustawienia" in the menu bar, then its first item.
    QMenuBar* bar = window.menuBar();
    QAction* menuTitle = bar->actions().at(1);
    ASSERT_EQ(menuTitle->text(), QStringLiteral("&Ustawienia"));
    WhenShown<SettingsSheetDialog>([](SettingsSheetDialog* sheet) {
        ClickTab(sheet->Sheet(), SettingsSheetModel::kPrecisionPage);
        QTest::mouseClick(Child<QRadioButton>(sheet->Page(SettingsSheetModel::kPrecisionPage), "pointButton"),
                          Qt::LeftButton);
        QTest::keyClick(sheet->OkButton(), Qt::Key_Space);
    });
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menuTitle).center());
    QMenu* menu = menuTitle->menu();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    QAction* item = window.CommandAction(MainWindow::kCmdSettings);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    QTRY_COMPARE(app.GetSettings().decimal, std::string("."));

    QTest::keyClick(&window, Qt::Key_Escape);
    ASSERT_TRUE(app.Finish());
    EXPECT_NE(StoreText().find("\"Decimal\"=\".\""), std::string::npos);
}

}  // namespace
}  // namespace wegator
