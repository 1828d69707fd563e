// Printing a page as one sheet: from the page's own "Drukuj" button on the
// default printer without asking, from the menu on the printer chosen in the
// print dialog (whose "print to file" gives a PDF). The printers are reached
// through a PrintTarget, so that tests can stand in for them.
#pragma once

#include <memory>
#include <vector>

#include <QSize>

#include "pages/print_layout.h"
#include "print/printout_painter.h"

class QPaintDevice;
class QPrinter;
class QWidget;

namespace wegator {

class PrintTarget {
public:
    virtual ~PrintTarget() = default;
    // Makes the default printer the one printed on next; false when no
    // default printer is known.
    virtual bool SelectDefaultPrinter() = 0;
    // Shows the print dialog over `parent`, with the page range 1 … 1, and
    // makes the printer chosen there the one printed on next; false when the
    // dialog is cancelled.
    virtual bool SelectPrinterWithDialog(QWidget* parent) = 0;
    // The printer selected last. Beginning a painter on it starts the print
    // job (and may fail), ending the painter ends the job.
    virtual QPaintDevice* Device() = 0;
    // The printable area of that printer in device pixels.
    virtual QSize PrintableSize() const = 0;
};

// Real printers, through QPrinter. Every job gets a printer of its own,
// with the document name "Wegator".
class PrinterTarget : public PrintTarget {
public:
    PrinterTarget();
    ~PrinterTarget() override;

    bool SelectDefaultPrinter() override;
    bool SelectPrinterWithDialog(QWidget* parent) override;
    QPaintDevice* Device() override;
    QSize PrintableSize() const override;

protected:
    // Replaces the printer with a fresh one for the next job and returns it.
    QPrinter& NewPrinter();

private:
    std::unique_ptr<QPrinter> printer_;
};

enum class PrintCommand {
    PageButton,  // the page's "Drukuj": the default printer, the dialog only when there is none
    Menu,        // the menu's "Drukuj": always the dialog
};

// Prints `cells` on one page, scaled to the printable area. Returns false when
// nothing was printed: no cells, no printer chosen (the dialog cancelled) or a
// printer that could not be opened. None of these is reported to the user.
bool PrintPage(PrintTarget& target, const std::vector<PrintCell>& cells, PrintCommand command, QWidget* parent);
// Prints the sheets, one page each.
bool PrintPage(PrintTarget& target, const std::vector<PrintSheet>& sheets, PrintCommand command, QWidget* parent);

}  // namespace wegator
