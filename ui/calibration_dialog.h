// The dialog "Kalibracja": shows what the calibration run will do, takes its
// folder (typed, or chosen with "..."), its start delay and the dew-point
// column, starts it ("Start", or the key S), shows its log, and closes
// ("Zamknij" keeps the folder, Escape and the close box do not). The run
// itself is the model's; the dialog only forwards and shows.
#pragma once

#include <functional>
#include <memory>

#include <QDialog>
#include <QString>

namespace Ui {
class CalibrationDialog;
}

namespace wegator {

namespace lab {
class CalibrationRun;
}

class CalibrationDialog : public QDialog {
    Q_OBJECT
public:
    // Asks for a folder, starting at `current`; empty when cancelled.
    using FolderQuestion = std::function<QString(QWidget* parent, const QString& current)>;

    CalibrationDialog(lab::CalibrationRun& run, QWidget* parent = nullptr);
    ~CalibrationDialog() override;

    // Shows the run's state again (its log, whether "Start" may be pressed).
    void Refresh();
    // Replaces the folder chooser (tests).
    void SetFolderQuestion(FolderQuestion question) { folderQuestion_ = std::move(question); }

    // "Start" as the button or the key does it.
    void Start();
    // "Zamknij".
    void CloseKeepingFolder();
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ChooseFolder();

    std::unique_ptr<Ui::CalibrationDialog> ui_;
    lab::CalibrationRun& run_;
    FolderQuestion folderQuestion_;
    bool closed_ = false;
};

}  // namespace wegator
