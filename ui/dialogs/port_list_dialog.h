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
// each ended by a line feed (ListSerialPorts of serial/port_list.h). Runs on
// a worker thread: it must not touch widgets.
using PortLister = std::function<QString()>;

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
