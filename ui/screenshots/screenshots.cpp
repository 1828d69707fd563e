#include "screenshots/screenshots.h"

#include <array>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include "laboratory/calibration_dialog.h"
#include "dialogs/dialogs.h"
#include "laboratory/laboratory_page_widget.h"
#include "station/qt_station.h"
#include "main_window.h"
#include "pages/monte_carlo_window.h"
#include "pages/moisture_page_widget.h"
#include "numeric_edit.h"
#include "pages/page_widget.h"
#include "pages/psychrometer_page_widget.h"
#include "pages/rh_page_widget.h"
#include "screenshots/settings_screenshots.h"
#include "screenshots/table_editor_screenshots.h"

namespace wegator {

namespace {

constexpr std::array<const char*, MainWindow::kPageCount> kPageNames = {
    "relative_humidity", "moisture_content", "psychrometer", "pressure", "laboratory", "eight_channel"};

void Settle() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

// With instruments configured (a simulator on their ports), the laboratory
// is given up to `seconds` to average its readings and show results.
void WaitForLaboratory(MainWindow& window, int seconds) {
    lab::LaboratoryPage& page = window.Station().Page();
    if (!page.StreamInUse(lab::Stream::Dp30)) return;
    QElapsedTimer waited;
    waited.start();
    while (!page.PrintEnabled() && waited.elapsed() < seconds * 1000) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    }
    // A few more observations, so that the counts and the QX-311 channels fill.
    while (waited.elapsed() < seconds * 1000 && page.Observations(lab::LabInput::DewPoint) < 3) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    }
    // With a short assessment window (the pictures' settings), until the
    // window has filled and the verdict is on the readings themselves.
    if (page.Stability().windowMs <= 2 * 60000) {
        while (!page.Verdict(lab::TrendQuantity::DewPoint).figures.full &&
               waited.elapsed() < seconds * 1000 + page.Stability().windowMs + 15000) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        }
    }
}

// Types a text into a field as the user would (it counts as an edit).
void Type(NumericEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    field->insert(text);
}

// Picks an entry of a list as the user would.
void Choose(QComboBox* list, int index) {
    list->setCurrentIndex(index);
    emit list->activated(index);
}

bool Save(QWidget& widget, const QDir& dir, const QString& name) {
    Settle();
    return widget.grab().save(dir.filePath(name + QStringLiteral(".png")));
}

bool SaveDialog(QDialog& dialog, const QDir& dir, const QString& name) {
    dialog.show();
    const bool saved = Save(dialog, dir, name);
    dialog.close();
    return saved;
}

// The Monte Carlo window of the relative-humidity page just below saturation
// (a dew point 0.1 °C under the air temperature), where the interval of RH
// is lopsided and stops at 100 %: a finished run, its RH row chosen.
bool SaveMonteCarloWindow(MainWindow& window, const QDir& dir) {
    RhPageWidget* rh = window.RelativeHumidityPageWidget();
    if (rh == nullptr) return true;
    window.ShowPage(MainWindow::kRelativeHumidityPage);
    Type(rh->Field(RhField::DewPoint), QStringLiteral("19.9"));
    Type(rh->Field(RhField::DewPointUncertainty), QStringLiteral("0.2"));
    Type(rh->Field(RhField::Temperature), QStringLiteral("20"));
    Type(rh->Field(RhField::TemperatureUncertainty), QStringLiteral("0.1"));
    Type(rh->Field(RhField::P1), QStringLiteral("101.325"));
    Type(rh->Field(RhField::P2), QStringLiteral("101.325"));
    rh->ComputeButton()->click();
    rh->MonteCarloButton()->click();
    MonteCarloWindow* mc = rh->MonteCarlo();
    if (mc == nullptr) return false;
    QElapsedTimer waited;
    waited.start();
    while (mc->Running() && waited.elapsed() < 180000) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    if (mc->Running() || !mc->Result()) return false;
    const std::vector<MonteCarloOutput>& outputs = mc->Result()->outputs;
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        if (outputs[i].row == static_cast<int>(RhRow::Humidity)) mc->ChooseRow(static_cast<int>(i));
    }
    const bool saved = Save(*mc, dir, QStringLiteral("window_monte_carlo"));
    mc->close();
    return saved;
}

}  // namespace

bool TakeScreenshots(MainWindow& window, const QString& dirPath) {
    QDir dir(dirPath);
    if (!dir.mkpath(QStringLiteral("."))) return false;

    window.show();
    window.resize(window.sizeHint());
    Settle();

    if (RhPageWidget* rh = window.RelativeHumidityPageWidget()) {
        window.ShowPage(MainWindow::kRelativeHumidityPage);
        Type(rh->Field(RhField::DewPoint), QStringLiteral("10"));
        Type(rh->Field(RhField::DewPointUncertainty), QStringLiteral("0.1"));
        Type(rh->Field(RhField::Temperature), QStringLiteral("20"));
        Type(rh->Field(RhField::TemperatureUncertainty), QStringLiteral("0.1"));
        Type(rh->Field(RhField::P1), QStringLiteral("101.325"));
        Type(rh->Field(RhField::P2), QStringLiteral("101.325"));
        rh->ComputeButton()->click();
    }
    if (MoisturePageWidget* moisture = window.MoisturePageWidgetAt()) {
        window.ShowPage(MainWindow::kMoistureContentPage);
        Choose(moisture->ContentQuantityList(), static_cast<int>(ContentQuantity::Ppmv));
        Type(moisture->Field(MoistureField::Content), QStringLiteral("5000"));
        Type(moisture->Field(MoistureField::ContentUncertainty), QStringLiteral("50"));
        Type(moisture->Field(MoistureField::Temperature), QStringLiteral("20"));
        Type(moisture->Field(MoistureField::TemperatureUncertainty), QStringLiteral("0.1"));
        Type(moisture->Field(MoistureField::P1), QStringLiteral("101.325"));
        Type(moisture->Field(MoistureField::P2), QStringLiteral("101.325"));
        moisture->ComputeButton()->click();
    }
    if (PsychrometerPageWidget* psychrometer = window.PsychrometerPageWidgetAt()) {
        window.ShowPage(MainWindow::kPsychrometerPage);
        Type(psychrometer->Field(PsychrometerField::Temperature), QStringLiteral("20"));
        Type(psychrometer->Field(PsychrometerField::TemperatureUncertainty), QStringLiteral("0.1"));
        Type(psychrometer->Field(PsychrometerField::Bulb), QStringLiteral("15"));
        Type(psychrometer->Field(PsychrometerField::BulbUncertainty), QStringLiteral("0.1"));
        Type(psychrometer->Field(PsychrometerField::Pressure), QStringLiteral("101.325"));
        psychrometer->ComputeButton()->click();
    }

    window.ShowPage(MainWindow::kLaboratoryPage);
    WaitForLaboratory(window, 40);

    bool saved = true;
    for (int index = 0; index < MainWindow::kPageCount; ++index) {
        if (window.Page(index) == nullptr) continue;
        window.ShowPage(index);
        saved &= Save(window, dir, QStringLiteral("page%1_%2").arg(index).arg(QString::fromLatin1(kPageNames[index])));
    }

    LanguageDialog language(false, &window);  // as on a first start
    saved &= SaveDialog(language, dir, QStringLiteral("dialog_language"));
    LiteratureDialog literature(&window);
    saved &= SaveDialog(literature, dir, QStringLiteral("dialog_literature"));
    AboutDialog about(&window);
    saved &= SaveDialog(about, dir, QStringLiteral("dialog_about"));
    saved &= SaveSettingsScreenshots(&window, dir);
    saved &= SaveTableEditorScreenshots(&window, dir);
    if (window.Station().Page().Acquiring()) {
        lab::LaboratoryPage& page = window.Station().Page();
        page.PrepareRun();
        {
            // A run under way, a few rows into its files (kept in a folder of
            // their own, gone with the picture), with its progress.
            QTemporaryDir runFolder;
            CalibrationDialog calibration(page, &window);
            calibration.show();
            if (auto* folder = calibration.findChild<QLineEdit*>(QStringLiteral("folderEdit"))) {
                folder->setText(runFolder.path());
            }
            calibration.Start();
            if (runFolder.isValid() && page.Run().Active()) {
                QElapsedTimer waited;
                waited.start();
                while (page.Run().Rows() < 3 && page.Run().Active() && waited.elapsed() < 20000) {
                    QApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
                }
            }
            calibration.Refresh();
            saved &= Save(calibration, dir, QStringLiteral("dialog_calibration"));
            // Ended here, so that closing the dialog has nothing to ask.
            page.InterruptRun(lab::RunInterruption::DialogClosed);
            calibration.close();
        }
        page.RunDialogClosed();
    }

    if (window.Station().Page().StationAtWork()) {
        // Escape while the station measures: the question before the program
        // ends, pictured and answered "Nie".
        window.ShowPage(MainWindow::kLaboratoryPage);
        QTimer::singleShot(300, &window, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                saved &= Save(*box, dir, QStringLiteral("question_end_station"));
                box->button(QMessageBox::No)->click();
            }
        });
        window.Station().Page().ConfirmStationEnd();
    }

    if (window.Station().Page().StreamInUse(lab::Stream::Dp30)) {
        // The dew point has stopped ramping (the simulator holds it): once a
        // whole window has passed, the page says since when it is stable.
        lab::LaboratoryPage& page = window.Station().Page();
        window.ShowPage(MainWindow::kLaboratoryPage);
        QElapsedTimer waited;
        waited.start();
        while (!page.StationVerdict().stable && waited.elapsed() < 150000) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        }
        window.LaboratoryPageWidgetAt()->Refresh();
        saved &= Save(window, dir, QStringLiteral("page4_laboratory_stable"));
    }

    if (window.Station().Page().StreamInUse(lab::Stream::Qx316)) {
        // The barometer's port goes away: the page names it, marks the
        // pressure and the results out of date and keeps trying the port.
        lab::LaboratoryPage& page = window.Station().Page();
        page.OnChannelLost(lab::Stream::Qx316, "the device is gone");
        window.ShowPage(MainWindow::kLaboratoryPage);
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 2500) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        saved &= Save(window, dir, QStringLiteral("page4_laboratory_instrument_lost"));
    }

    saved &= SaveMonteCarloWindow(window, dir);

    window.ShowPage(MainWindow::kRelativeHumidityPage);
    // Nobody is there to answer the question before the station stops.
    window.SetQuestionSink([](int, const std::string&) { return true; });
    window.close();
    return saved;
}

}  // namespace wegator
