#include "screenshots/settings_screenshots.h"

#include <QApplication>
#include <QPixmap>
#include <QTabWidget>
#include <atomic>
#include <future>

#include "dialogs/adjustment_dialog.h"
#include "dialogs/port_list_dialog.h"
#include "dialogs/settings_sheet_dialog.h"

namespace wegator {

namespace {

void Settle() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

bool Grab(QWidget& widget, const QDir& dir, const QString& name) {
    widget.show();
    Settle();
    const bool saved = widget.grab().save(dir.filePath(name + QStringLiteral(".png")));
    return saved;
}

// A station as a laboratory would set it up, so that every page shows something.
Settings SampleStation(const Settings& inForce) {
    Settings s = inForce;
    s.globalAw = 0.0006653286;
    s.settingsLabDevices = 1;
    s.settingsPortComDp30 = 1;
    s.settingsPortComQx311 = 3;
    s.settingsPortComQx316 = 4;
    s.settingsPortTempDevice = 3;
    s.settingsPortTempCanalQx311 = "2";
    s.settingsLabCalibrationTableDp30 = 1;
    s.saveFileCode = "30243";  // saving on, CSV, the inputs and the usual results
    s.saveFileName = "/home/laboratorium/pomiary/wzorzec.csv";
    s.saveFileTime = 5;
    return s;
}

const QString kSamplePorts =
    QStringLiteral("COM1:Communications Port\nCOM3:USB-Serial Controller\nCOM4:USB-Serial Controller\nCOM65:QX-316\n");

}  // namespace

bool SaveSettingsScreenshots(QWidget* parent, const QDir& dir) {
    bool saved = true;
    Settings settings = SampleStation(Settings{});
    SettingsRunState run;
    run.handPressure = {101.325, 0.01};
    SettingsSheetHooks hooks;
    hooks.messages = [](bool, int, const std::string&) {};
    hooks.portLister = [] { return kSamplePorts; };

    {
        SettingsSheetDialog sheet(settings, run, nullptr, hooks, parent);
        static const char* kNames[] = {"general", "precision", "ports", "laboratory", "file"};
        for (int page = 0; page < SettingsSheetModel::kPageCount; ++page) {
            sheet.Sheet()->setCurrentIndex(page);
            saved &=
                Grab(sheet, dir, QStringLiteral("dialog_settings_%1_%2").arg(page).arg(QLatin1String(kNames[page])));
        }
        sheet.reject();
    }

    // The wait dialog, held open until its picture is taken.
    {
        std::promise<void> release;
        std::shared_future<void> released = release.get_future().share();
        std::atomic<bool> done = false;
        {
            PortListDialog wait(
                [released, &done] {
                    released.wait();
                    done = true;
                    return QString();
                },
                parent);
            saved &= Grab(wait, dir, QStringLiteral("dialog_settings_port_list_wait"));
            wait.reject();
        }
        release.set_value();
        while (!done) QApplication::processEvents();
    }

    SettingsSheetHooks quiet;
    quiet.messages = hooks.messages;
    QtSettingsSheetHost host(parent, quiet);
    struct Sample {
        Phase bulb;
        const char *name, *t, *bulbT, *reference;
    };
    for (const Sample& sample :
         {Sample{Phase::Water, "water", "20", "15", "10"}, Sample{Phase::Ice, "ice", "-5", "-8", "-16"}}) {
        PsychrometerAdjustment adjustment(sample.bulb, 0, settings.decimal, "°C", "kPa", host);
        using F = PsychrometerAdjustment::Field;
        adjustment.EditField(F::Temperature, sample.t);
        adjustment.EditField(F::Bulb, sample.bulbT);
        adjustment.EditField(F::Reference, sample.reference);
        adjustment.EditField(F::Pressure, "101,325");
        adjustment.Compute();
        AdjustmentDialog dialog(adjustment, parent);
        saved &= Grab(dialog, dir, QStringLiteral("dialog_adjust_%1").arg(QLatin1String(sample.name)));
        dialog.reject();
    }
    return saved;
}

}  // namespace wegator
