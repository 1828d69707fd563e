// The laboratory and eight-channel pages and the "Kalibracja" dialog on
// screen, bound to models that run in virtual time: lines go in, ticks pass,
// the widgets show what the models hold and forward what the user does.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

#include "../lab/lab_test_support.h"
#include "../lab/station_test_support.h"
#include "text/string_table.h"
#include "laboratory/calibration_dialog.h"
#include "laboratory/eight_channel_page_widget.h"
#include "lab/base/lab_messages.h"
#include "lab/station/laboratory_page.h"
#include "lab/station/station_end.h"
#include "laboratory/laboratory_page_widget.h"
#include "main_window.h"
#include "station/qt_station.h"
#include "widget_texts.h"

namespace wegator {
namespace {

using namespace lab;
using namespace lab::testing;

// The station with ten observations over the minute (6 s apart), its
// instruments reporting as they do.
struct LiveStation : VirtualStation {
    LiveStation() : VirtualStation(Settings10()) { Start(); }
    static Settings Settings10() {
        Settings s = StationSettings();
        s.settingsLabValuesFromDevices = 10;
        return s;
    }
    void Live(int ms) {
        for (int t = 0; t < ms; t += 100) {
            time.Advance(100);
            Feed(Stream::Dp30, Dp30Line(10));
            if (t % 1000 == 0) Feed(Stream::F250, F250Line(20));
            if (t % 2000 == 0) Feed(Stream::Qx316, QxPressure(101.33));
        }
    }
};

TEST(LaboratoryPageWidget, ShowsTheStationAndForwardsTheUser) {
    LiveStation station;
    LaboratoryPageWidget widget(station.page);
    station.Live(10500);  // one observation (N = 10 over 60 s), then a recomputation
    widget.RefreshIfChanged();
    EXPECT_EQ(widget.ValueField(LabValue::DewPoint)->text(), QStringLiteral("10,00"));
    EXPECT_EQ(widget.AgeField(LabValue::DewPoint)->text(), QStringLiteral("1s"));
    EXPECT_EQ(widget.CountField(LabInput::Temperature)->text(), QStringLiteral("1"));
    EXPECT_EQ(widget.AverageField(LabInput::Pressure)->text(), QStringLiteral("101,330"));
    EXPECT_EQ(widget.ResultField(1, 0)->text(), QStringLiteral("20,000"));
    EXPECT_TRUE(widget.PrintButton()->isEnabled());

    // A unit chosen in the list: the page shows its numbers in °F.
    widget.TemperatureUnitList()->setCurrentIndex(2);
    emit widget.TemperatureUnitList()->activated(2);
    EXPECT_EQ(widget.AverageField(LabInput::Temperature)->text(), QStringLiteral("68,000"));
    EXPECT_EQ(widget.ResultField(1, 0)->text(), QStringLiteral("68,000"));

    // "Wyczyść": the averaging starts from nothing, and nothing is printable.
    QTest::mouseClick(widget.ClearButton(), Qt::LeftButton);
    EXPECT_EQ(widget.AverageField(LabInput::Temperature)->text(), QString());
    EXPECT_EQ(widget.CountField(LabInput::Temperature)->text(), QStringLiteral("0"));
    EXPECT_FALSE(widget.PrintButton()->isEnabled());

    // The recording line: none while saving is off, a warning in dark red
    // when saving is on and nothing can be recorded.
    EXPECT_TRUE(widget.RecordingLine()->isHidden());
    Settings saving = LiveStation::Settings10();
    SaveFileContents contents;
    contents.dewPointInput = contents.savingOn = true;
    saving.saveFileCode = EncodeSaveFileCode(contents);
    station.page.ApplySettings(saving);
    widget.Refresh();
    EXPECT_FALSE(widget.RecordingLine()->isHidden());
    EXPECT_EQ(widget.RecordingLine()->text().toStdString(), station.page.RecordingStatus().text);
    EXPECT_EQ(widget.RecordingLine()->palette().color(QPalette::WindowText), QColor(Qt::darkRed));
}

TEST(CalibrationDialog, StartsChecksStopsAndAsksBeforeClosingARun) {
    LiveStation station;
    QTemporaryDir folder;
    station.page.PrepareRun();
    CalibrationRun& run = station.page.Run();
    CalibrationDialog dialog(station.page);
    auto* delay = dialog.findChild<QLineEdit*>(QStringLiteral("delayEdit"));
    auto* path = dialog.findChild<QLineEdit*>(QStringLiteral("folderEdit"));
    auto* start = dialog.findChild<QPushButton*>(QStringLiteral("startButton"));
    auto* stop = dialog.findChild<QPushButton*>(QStringLiteral("stopButton"));
    auto* progress = dialog.findChild<QLabel*>(QStringLiteral("progressLine"));
    auto* log = dialog.findChild<QPlainTextEdit*>();
    dialog.show();
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("informationLine"))->text(),
              QStringLiteral("Zostanie przeprowadzone 10 pomiarów co 6 s"));
    EXPECT_FALSE(stop->isEnabled());

    delay->setText(QStringLiteral("-5"));
    QTest::mouseClick(start, Qt::LeftButton);
    ASSERT_EQ(station.host.shown.size(), 1u);
    EXPECT_EQ(station.host.shown[0].messageId, lab::msg::NegativeDelay);

    // "..." asks for the folder; "S" starts the run like the button.
    dialog.SetFolderQuestion([&](QWidget*, const QString&) { return folder.path(); });
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("browseButton")), Qt::LeftButton);
    EXPECT_EQ(path->text(), folder.path());
    delay->setText(QStringLiteral("30"));
    start->setFocus();
    QTest::keyClick(&dialog, Qt::Key_S);
    EXPECT_EQ(run.CurrentState(), CalibrationRun::State::Waiting);
    EXPECT_FALSE(start->isEnabled());
    EXPECT_TRUE(stop->isEnabled());
    EXPECT_TRUE(log->toPlainText().startsWith(QStringLiteral("\tTemperatura[°C]")));
    EXPECT_TRUE(progress->text().startsWith(QStringLiteral("start za 30 s, koniec ok. "))) << progress->text().toStdString();
    // The log is wide enough for a row and the widest summary line.
    EXPECT_GE(log->viewport()->width(), log->fontMetrics().horizontalAdvance(
                                            QStringLiteral("Seria przerwana: zatrzymana przyciskiem „Stop”; wykonano 11 z 20 pomiarów")));
    // At the dialog's own size the heading row, the widest there is, stands on one line.
    QCoreApplication::processEvents();
    const QTextBlock heading = log->document()->firstBlock();
    ASSERT_TRUE(heading.text().contains(QStringLiteral("T SD[K]")));
    ASSERT_NE(heading.layout(), nullptr);
    EXPECT_EQ(heading.layout()->lineCount(), 1);

    // "Stop" ends it at once, its files saying so.
    QTest::mouseClick(stop, Qt::LeftButton);
    EXPECT_EQ(run.CurrentState(), CalibrationRun::State::Ready);
    EXPECT_TRUE(log->toPlainText().endsWith(
        QStringLiteral("Seria przerwana: zatrzymana przyciskiem „Stop”; wykonano 0 z 10 pomiarów\n")));
    EXPECT_FALSE(stop->isEnabled());
    EXPECT_TRUE(start->isEnabled());
    EXPECT_TRUE(station.host.asked.empty());

    // During a run, Escape and "Zamknij" ask first; No keeps the dialog and the run.
    station.time.Advance(1000);
    delay->setText(QStringLiteral("0"));
    QTest::mouseClick(start, Qt::LeftButton);
    station.Live(2000);
    ASSERT_TRUE(run.InProgress());
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("closeButton")), Qt::LeftButton);
    ASSERT_EQ(station.host.asked.size(), 2u);
    EXPECT_EQ(station.host.asked[0].messageId, lab::msg::InterruptRunQuestion);
    EXPECT_EQ(station.host.asked[0].text, "Seria kalibracyjna trwa (wykonano 1 z 10 pomiarów).\nPrzerwać ją?");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(run.InProgress());

    // Yes: the run ends marked, the dialog closes and keeps the folder.
    station.host.answer = true;
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("closeButton")), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(run.LastEnding()->reason, RunInterruption::DialogClosed);
    station.page.RunDialogClosed();
    EXPECT_FALSE(run.DialogOpen());
    EXPECT_EQ(station.page.CurrentSettings().calibrFilePath, folder.path().toStdString());
}

TEST(EightChannelPageWidget, ChannelsStatisticsAndUnit) {
    EightChannelPage model;
    EightChannelPageWidget widget(model);
    model.SetChannel(20.0, 1, 1);
    model.SetChannel(22.0, 2, 2);
    widget.Refresh();
    EXPECT_EQ(widget.ChannelField(1)->text(), QStringLiteral("20,0"));
    EXPECT_EQ(widget.ChannelField(2)->text(), QStringLiteral("22,00"));
    EXPECT_EQ(widget.ChannelField(3)->text(), QString());
    EXPECT_EQ(widget.MeanField()->text(), QStringLiteral("21,000"));
    EXPECT_EQ(widget.UncertaintyField()->text(), QStringLiteral("0,577"));
    widget.TemperatureUnitList()->setCurrentIndex(1);
    emit widget.TemperatureUnitList()->activated(1);
    EXPECT_EQ(widget.MeanField()->text(), QStringLiteral("294,150"));
}

TEST(MainWindow, EveryWayOutAsksOnceWhileTheStationWorks) {
    // Instruments on (no port named, so none opens): the station averages.
    Settings settings;
    settings.language = "pl";
    settings.settingsLabDevices = 1;
    MainWindow window(settings, {});
    window.SetMessageSink([](bool, int, const std::string&) {});
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    // The box: a question titled with the program's name, naming what stops,
    // "No" the default; No keeps the program.
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool noIsDefault = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        noIsDefault = box->defaultButton() == box->button(QMessageBox::No);
        box->button(QMessageBox::No)->click();
    });
    window.close();
    EXPECT_EQ(icon, QMessageBox::Question);
    EXPECT_EQ(title, StringTableText(wegator::msg::ProgramTitle));
    EXPECT_EQ(text.toStdString(), StationEndQuestion(window.Station().Page().Work()));
    EXPECT_TRUE(noIsDefault);
    EXPECT_TRUE(window.isVisible());

    std::vector<int> asked;
    bool answer = false;
    window.SetQuestionSink([&](int id, const std::string&) {
        asked.push_back(id);
        return answer;
    });
    auto escapeOn = [&](int page) {
        return [&window, page] {
            window.ShowPage(page);
            ASSERT_EQ(window.ActivePageIndex(), page);
            QTest::keyClick(&window, Qt::Key_Escape);
        };
    };
    const std::vector<std::pair<std::string, std::function<void()>>> waysOut = {
        {"Escape, relative humidity", escapeOn(MainWindow::kRelativeHumidityPage)},
        {"Escape, moisture content", escapeOn(MainWindow::kMoistureContentPage)},
        {"Escape, psychrometer", escapeOn(MainWindow::kPsychrometerPage)},
        {"Escape, pressure", escapeOn(MainWindow::kPressurePage)},
        {"Escape, laboratory", escapeOn(MainWindow::kLaboratoryPage)},
        {"Escape, QX-311", escapeOn(MainWindow::kEightChannelPage)},
        {"Program > Exit", [&] { window.CommandAction(MainWindow::kCmdExit)->trigger(); }},
        // The close box and Alt+F4 reach the program as the window manager's close request.
        {"close box", [&] { window.windowHandle()->close(); }},
    };
    for (const auto& [way, leave] : waysOut) {
        asked.clear();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window)) << way;
        leave();
        EXPECT_EQ(asked, std::vector<int>{lab::msg::EndStationQuestion}) << way;
        EXPECT_TRUE(window.isVisible()) << way;
    }
    answer = true;
    asked.clear();
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_FALSE(window.isVisible());
}

TEST(MainWindow, LogoutEndsTheStationWithoutAsking) {
    Settings settings;
    settings.language = "pl";
    settings.settingsLabDevices = 1;
    MainWindow window(settings, {});
    window.SetMessageSink([](bool, int, const std::string&) {});
    std::vector<int> asked;
    window.SetQuestionSink([&](int id, const std::string&) {
        asked.push_back(id);
        return false;
    });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.EndSession();
    window.windowHandle()->close();
    EXPECT_TRUE(asked.empty());
    EXPECT_FALSE(window.isVisible());
}

TEST(MainWindow, LaboratoryWithoutInstrumentsAsksForThePorts) {
    Settings settings;
    settings.language = "pl";
    MainWindow window(settings, {});
    std::vector<int> shown;
    window.SetMessageSink([&](bool, int id, const std::string&) { shown.push_back(id); });
    window.CommandAction(MainWindow::kCmdPressure)->trigger();
    window.CommandAction(MainWindow::kCmdLaboratory)->trigger();
    EXPECT_EQ(shown, std::vector<int>{182});
    EXPECT_EQ(window.ActivePageIndex(), MainWindow::kPressurePage);
    // The eight-channel page prints nothing.
    window.ShowPage(MainWindow::kEightChannelPage);
    EXPECT_FALSE(window.CommandAction(MainWindow::kCmdPrint)->isEnabled());
}

}  // namespace
}  // namespace wegator
