#include "main_window.h"

#include <QAction>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "dialogs.h"
#include "hyperlink_label.h"
#include "numeric_edit.h"
#include "page_widget.h"
#include "pressure_page_widget.h"
#include "url_opener.h"

namespace wegator {
namespace {

TEST(MainWindow, SheetMenuAndPrintItemFollowThePages) {
    Settings settings;
    settings.language = "pl";
    MainWindow window(settings, {});
    QTabWidget* sheet = window.Sheet();

    ASSERT_EQ(sheet->objectName(), QStringLiteral("SMainSheet"));
    ASSERT_EQ(sheet->count(), 4);
    EXPECT_EQ(sheet->tabText(0), QStringLiteral("Wilgotność względna"));
    EXPECT_EQ(sheet->tabText(1), QStringLiteral("Zawartość wilgoci"));
    EXPECT_EQ(sheet->tabText(2), QStringLiteral("Psychrometr"));
    EXPECT_EQ(sheet->tabText(3), QStringLiteral("Ciśnienie"));
    EXPECT_EQ(window.Page(MainWindow::kMoistureContentPage)->objectName(), QStringLiteral("SWega3PP"));
    EXPECT_EQ(window.Page(MainWindow::kPsychrometerPage)->objectName(), QStringLiteral("SWega4PP"));
    EXPECT_EQ(window.Page(MainWindow::kPressurePage), sheet->widget(3));
    EXPECT_EQ(window.Page(MainWindow::kLaboratoryPage), nullptr);
    EXPECT_EQ(window.ActivePageIndex(), MainWindow::kRelativeHumidityPage);

    // The command of a page that does not exist yet is grey.
    EXPECT_FALSE(window.CommandAction(MainWindow::kCmdLaboratory)->isEnabled());
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
