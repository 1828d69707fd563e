// The dialog "Kalibracja": shows what the calibration run will do and how far
// it has come, takes its folder (typed, or chosen with "..."), its start delay,
// the dew-point column and whether to start only once the station is stable
// (and how long to wait at most), starts it ("Start", or the key S), stops it
// ("Stop"), shows its log, and closes ("Zamknij" keeps the folder and the
// wait, Escape and the close box do not; during a run each asks first). The run itself is the
// laboratory page's; the dialog only forwards and shows.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include <QDialog>
#include <QElapsedTimer>
#include <QString>

namespace Ui {
class CalibrationDialog;
}

namespace wegator {

namespace lab {
class CalibrationRun;
class LaboratoryPage;
}  // namespace lab

class CalibrationDialog : public QDialog {
    Q_OBJECT
public:
    // Asks for a folder, starting at `current`; empty when cancelled.
    using FolderQuestion = std::function<QString(QWidget* parent, const QString& current)>;

    CalibrationDialog(lab::LaboratoryPage& page, QWidget* parent = nullptr);
    ~CalibrationDialog() override;

    // Shows the run's state again (its log and progress, which buttons may be pressed).
    void Refresh();
    // Replaces the folder chooser (tests).
    void SetFolderQuestion(FolderQuestion question) { folderQuestion_ = std::move(question); }

    // "Start" as the button or the key does it.
    void Start();
    // "Stop": the run ends now, its files saying so.
    void Stop();
    // "Zamknij".
    void CloseKeepingFolder();
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ChooseFolder();

    std::unique_ptr<Ui::CalibrationDialog> ui_;
    lab::LaboratoryPage& page_;
    lab::CalibrationRun& run_;
    FolderQuestion folderQuestion_;
    bool closed_ = false;
    // What the log and the progress line show, and how long ago the
    // countdown was worked out: the page asks for a refresh on every byte
    // an instrument sends.
    std::string shownLog_;
    int shownRows_ = -1;
    int shownState_ = -1;
    QElapsedTimer progressAge_;
};

}  // namespace wegator
