#include "main_window.h"

#include <QAction>
#include <QComboBox>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "dialogs/dialogs.h"
#include "hyperlink_label.h"
#include "laboratory/laboratory_page_widget.h"
#include "numeric_edit.h"
#include "pages/page_widget.h"
#include "pages/pressure_page_widget.h"
#include "station/qt_station.h"
#include "pages/psychrometer_page_widget.h"
#include "text/string_table.h"
#include "widget_texts.h"
#include "url_opener.h"

namespace wegator {
namespace {

TEST(MainWindow, SheetMenuAndPrintItemFollowThePages) {
    Settings settings;
    settings.language = "pl";
    MainWindow window(settings, {});
    QTabWidget* sheet = window.Sheet();

    ASSERT_EQ(sheet->objectName(), QStringLiteral("SMainSheet"));
    ASSERT_EQ(sheet->count(), 6);
    EXPECT_EQ(sheet->tabText(0), QStringLiteral("Wilgotność względna"));
    EXPECT_EQ(sheet->tabText(1), QStringLiteral("Zawartość wilgoci"));
    EXPECT_EQ(sheet->tabText(2), QStringLiteral("Psychrometr"));
    EXPECT_EQ(sheet->tabText(3), QStringLiteral("Ciśnienie"));
    EXPECT_EQ(sheet->tabText(4), QStringLiteral("Laboratorium"));
    EXPECT_EQ(sheet->tabText(5), QStringLiteral("QX-311"));
    EXPECT_EQ(window.Page(MainWindow::kMoistureContentPage)->objectName(), QStringLiteral("SWega3PP"));
    EXPECT_EQ(window.Page(MainWindow::kPsychrometerPage)->objectName(), QStringLiteral("SWega4PP"));
    EXPECT_EQ(window.Page(MainWindow::kPressurePage), sheet->widget(3));
    EXPECT_EQ(window.Page(MainWindow::kLaboratoryPage)->objectName(), QStringLiteral("SWega5PP"));
    EXPECT_EQ(window.Page(MainWindow::kEightChannelPage)->objectName(), QStringLiteral("SWega6PP"));
    EXPECT_EQ(window.ActivePageIndex(), MainWindow::kRelativeHumidityPage);
    EXPECT_TRUE(window.CommandAction(MainWindow::kCmdLaboratory)->isEnabled());
    EXPECT_TRUE(window.CommandAction(MainWindow::kCmdSettings)->isEnabled());
    window.CommandAction(MainWindow::kCmdMoistureContent)->trigger();
    EXPECT_EQ(window.ActivePageIndex(), MainWindow::kMoistureContentPage);
    window.CommandAction(MainWindow::kCmdPsychrometer)->trigger();
    EXPECT_EQ(window.ActivePageIndex(), MainWindow::kPsychrometerPage);
    QAction* print = window.CommandAction(MainWindow::kCmdPrint);
    EXPECT_EQ(print->data().toInt(), 32779);
    EXPECT_FALSE(print->isEnabled());  // no results on the first page yet

    // The pressure page opens with results, so "Drukuj" comes on with it.
    window.CommandAction(MainWindow::kCmdPressure)->trigger();
    EXPECT_EQ(window.ActivePageIndex(), MainWindow::kPressurePage);
    EXPECT_TRUE(print->isEnabled());
    QTest::keyClicks(window.PressurePageWidgetAt()->InputField(), QStringLiteral("5"));
    EXPECT_FALSE(print->isEnabled());
    QTest::mouseClick(window.PressurePageWidgetAt()->ComputeButton(), Qt::LeftButton);
    EXPECT_TRUE(print->isEnabled());
    window.CommandAction(MainWindow::kCmdRelativeHumidity)->trigger();
    EXPECT_FALSE(print->isEnabled());

    // "Język" preselects the language in force; the choice is kept for the next start.
    std::string preselected;
    window.SetLanguageQuestion([&](const std::string& current) {
        preselected = current;
        return std::string("en");
    });
    window.CommandAction(MainWindow::kCmdLanguage)->trigger();
    EXPECT_EQ(preselected, "pl");
    EXPECT_EQ(settings.language, "en");
    EXPECT_EQ(sheet->tabText(0), QStringLiteral("Wilgotność względna"));
    EXPECT_TRUE(window.HelpUrl().toLocalFile().endsWith(QStringLiteral("help_en.html")));

    // Escape ends the window as "Wyjście" does.
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

// What the next message box showed; it is closed with OK as soon as it is up.
struct ShownBox {
    bool shown = false;
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool gridEmpty = false;  // the page's results, seen behind the box
};
void CaptureNextBox(ShownBox& box, const PsychrometerPageWidget* page) {
    QTimer::singleShot(0, [&box, page] {
        auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (shown == nullptr) return;
        box = {true, shown->windowTitle(), shown->text(), shown->icon(), true};
        for (int row = 0; row < CalculatorPage::kRows; ++row) {
            for (int column = 0; column < 4; ++column) box.gridEmpty &= page->ResultField(row, column)->text().isEmpty();
        }
        shown->accept();
    });
}

// The next start finds the window as the user left it: place, size, page and
// the laboratory's units; a store without these values opens as before.
TEST(MainWindow, ComesBackWhereItWasLeft) {
    Settings settings;
    settings.language = "pl";
    {
        MainWindow first(settings, {});
        EXPECT_EQ(first.ActivePageIndex(), MainWindow::kRelativeHumidityPage);
        first.show();
        first.setGeometry(60, 70, 1400, 950);
        first.ShowPage(MainWindow::kPressurePage);
        first.Station().Page().ChangeTemperatureUnit(2);
        first.Station().Page().ChangeEnthalpyUnit(1);
        first.Station().EightChannels().ChangeTemperatureUnit(1);
        first.close();
    }
    EXPECT_EQ(settings.windowPage, MainWindow::kPressurePage);
    EXPECT_EQ(settings.windowWidth, 1400);
    EXPECT_EQ(settings.windowHeight, 950);
    EXPECT_EQ(settings.windowMaximized, 0);
    EXPECT_EQ(settings.labTemperatureUnit, 2);

    MainWindow second(settings, {});
    EXPECT_EQ(second.ActivePageIndex(), MainWindow::kPressurePage);
    EXPECT_EQ(second.size(), QSize(1400, 950));
    EXPECT_EQ(second.Station().Page().TemperatureUnitIndex(), 2);
    EXPECT_EQ(second.Station().Page().EnthalpyUnitIndex(), 1);
    EXPECT_EQ(second.Station().EightChannels().TemperatureUnitIndex(), 1);
    auto* lab = static_cast<LaboratoryPageWidget*>(second.Page(MainWindow::kLaboratoryPage));
    EXPECT_EQ(lab->TemperatureUnitList()->currentIndex(), 2);
}

TEST(MainWindow, PageMessagesShowInAWarningTitledWithTheProgramOverAnEmptyGrid) {
    Settings settings;
    settings.language = "pl";
    MainWindow window(settings, {});
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.ShowPage(MainWindow::kPsychrometerPage);
    PsychrometerPageWidget* page = window.PsychrometerPageWidgetAt();
    auto type = [](NumericEdit* field, const char* text) {
        field->selectAll();
        QTest::keyClicks(field, QString::fromUtf8(text));
    };
    auto computeWith = [&](const char* t, const char* bulb) {
        type(page->Field(PsychrometerField::Pressure), "101.325");
        type(page->Field(PsychrometerField::Bulb), "15");
        type(page->Field(PsychrometerField::Temperature), "20");
        QTest::mouseClick(page->ComputeButton(), Qt::LeftButton);  // results first
        EXPECT_FALSE(page->ResultField(0, 0)->text().isEmpty());
        type(page->Field(PsychrometerField::Temperature), t);
        type(page->Field(PsychrometerField::Bulb), bulb);
        ShownBox box;
        CaptureNextBox(box, page);
        QTest::mouseClick(page->ComputeButton(), Qt::LeftButton);
        return box;
    };

    // An input check, a computed value out of the formulas' range and a
    // rejected entry: one box for all, over a grid already empty.
    const ShownBox inputCheck = computeWith("20", "20.5");
    const ShownBox rangeCheck = computeWith("40", "0");
    const ShownBox rejected = computeWith("4-0", "0");
    for (const ShownBox& box : {inputCheck, rangeCheck, rejected}) {
        ASSERT_TRUE(box.shown);
        EXPECT_EQ(box.title, StringTableText(msg::ProgramTitle));
        EXPECT_EQ(box.icon, QMessageBox::Warning);
        EXPECT_TRUE(box.gridEmpty) << box.text.toStdString();
    }
    EXPECT_EQ(inputCheck.text, StringTableText(59));
    EXPECT_TRUE(rangeCheck.text.contains(QStringLiteral("Wartość Tw/Ti powinna"))) << rangeCheck.text.toStdString();
    EXPECT_EQ(rejected.text, StringTableText(15));
}

TEST(MainWindow, HelpOpensThePageOrSaysWhereItShouldBe) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString page = dir.filePath(QStringLiteral("help_pl.html"));
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    std::vector<QUrl> opened;
    bool viewer = true;
    SetUrlOpener([&](const QUrl& url) {
        opened.push_back(url);
        return viewer;
    });
    Settings settings;
    settings.language = "pl";
    MainWindow window(settings, {dir.path()});
    std::vector<std::pair<int, QString>> messages;
    window.SetMessageSink([&](bool warning, int id, const std::string& text) {
        EXPECT_TRUE(warning);
        messages.emplace_back(id, QString::fromStdString(text));
    });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    QTest::keyClick(&window, Qt::Key_F1);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(page));
    EXPECT_TRUE(messages.empty());

    // No viewer on this desktop, then no help page at all: the message names the file.
    viewer = false;
    window.RunCommand(MainWindow::kCmdHelp);
    ASSERT_TRUE(QFile::remove(page));
    window.RunCommand(MainWindow::kCmdHelp);
    EXPECT_EQ(opened.size(), 2u);  // a missing page is not handed to a viewer
    ASSERT_EQ(messages.size(), 2u);
    for (const auto& [id, text] : messages) {
        EXPECT_EQ(id, 1017);
        EXPECT_EQ(text, StringTableText(1017) + QStringLiteral("\n\n") + page);
    }
    SetUrlOpener({});
}

TEST(AboutDialog, LinksOpenThroughTheDesktopAndReportFailure) {
    std::vector<QUrl> opened;
    bool accept = true;
    SetUrlOpener([&](const QUrl& url) {
        opened.push_back(url);
        return accept;
    });
    AboutDialog about;

    QTest::mouseClick(about.EmailLink(), Qt::LeftButton);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl(QStringLiteral("mailto:biuro@example.com")));
    EXPECT_EQ(about.EmailLink()->text(), QStringLiteral("email: biuro@example.com"));
    EXPECT_TRUE(about.EmailLink()->Visited());
    EXPECT_EQ(about.EmailLink()->CurrentColour(), HyperlinkLabel::kVisitedColour);
    EXPECT_EQ(about.WebLink()->CurrentColour(), HyperlinkLabel::kLinkColour);

    accept = false;
    QString reported;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            reported = box->text();
            box->accept();
        }
    });
    EXPECT_FALSE(about.WebLink()->Open());
    EXPECT_EQ(opened.back(), QUrl(QStringLiteral("https://www.example.com")));
    EXPECT_TRUE(reported.startsWith(QStringLiteral("Unable to open hyperlink:\n\n"))) << reported.toStdString();
    EXPECT_FALSE(about.WebLink()->Visited());
    SetUrlOpener({});
}

}  // namespace
}  // namespace wegator
