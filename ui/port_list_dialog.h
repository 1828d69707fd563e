// "Proszę czekać": the small dialog shown while a worker thread lists the
// serial ports for the "Porty" settings page. The worker only returns text;
// the dialog closes when the text arrives, or at once on "Anuluj" (the worker
// then finishes on its own and its text is dropped).
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>

namespace Ui {
class PortListWaitDialog;
}

namespace wegator {

// Lists the serial ports, one "COMn:description" line (or "COMn") per port,
// each ended by a line feed. Runs on a worker thread: it must not touch widgets.
using PortLister = std::function<QString()>;

// The port list of this machine: the ports Qt finds, named COMn by the fixed
// mapping (COM1–32 /dev/ttyS0–31, COM33–64 /dev/ttyUSB0–31, COM65–96
// /dev/ttyACM0–31), and the links COMn in the user's TREVAN/ports folder.
QString ListPortsOfThisMachine();

class PortListDialog : public QDialog {
    Q_OBJECT
public:
    // Starts the worker at once.
    explicit PortListDialog(PortLister lister, QWidget* parent = nullptr);
    ~PortListDialog() override;

    // After exec(): whether the worker finished, and its text (empty when cancelled).
    bool Finished() const { return finished_; }
    const QString& Text() const { return text_; }

    // "Anuluj", Escape or the close box: the dialog goes at once.
    void reject() override;

private:
    void Done(const QString& text);

    std::unique_ptr<Ui::PortListWaitDialog> ui_;
    QString text_;
    bool finished_ = false;
    bool cancelled_ = false;
};

}  // namespace wegator
