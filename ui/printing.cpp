#include "printing.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "print/printout_painter.h"

namespace wegator {

PrinterTarget::PrinterTarget() { NewPrinter(); }

PrinterTarget::~PrinterTarget() = default;

QPrinter& PrinterTarget::NewPrinter() {
    // A printer of the last job may still point at a file chosen in the
    // dialog; a new job starts from nothing.
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setDocName(QString::fromLatin1(kPrintJobName));
    printer_->setCreator(QString::fromLatin1(kPrintJobName));
    return *printer_;
}

bool PrinterTarget::SelectDefaultPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return false;
    QPrinter& printer = NewPrinter();
    printer.setPrinterName(info.printerName());
    return true;
}

bool PrinterTarget::SelectPrinterWithDialog(QWidget* parent) {
    QPrinter& printer = NewPrinter();
    QPrintDialog dialog(&printer, parent);
    // The printout is printed whole: no page range to choose.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialog.exec() == QDialog::Accepted;
}

QPaintDevice* PrinterTarget::Device() { return printer_.get(); }

QSize PrinterTarget::PrintableSize() const {
    return printer_->pageLayout().paintRectPixels(printer_->resolution()).size();
}

bool PrintPage(PrintTarget& target, const std::vector<PrintCell>& cells, PrintCommand command, QWidget* parent) {
    if (cells.empty()) return false;
    return PrintPage(target, std::vector<PrintSheet>{PrintSheet{cells, std::nullopt}}, command, parent);
}

bool PrintPage(PrintTarget& target, const std::vector<PrintSheet>& sheets, PrintCommand command, QWidget* parent) {
    if (sheets.empty()) return false;
    const bool selected = command == PrintCommand::Menu
                              ? target.SelectPrinterWithDialog(parent)
                              : target.SelectDefaultPrinter() || target.SelectPrinterWithDialog(parent);
    if (!selected) return false;

    QPainter painter;
    if (!painter.begin(target.Device())) return false;
    const QSize area = target.PrintableSize();
    auto* paged = dynamic_cast<QPagedPaintDevice*>(target.Device());
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        // A device without pages (a test's recorder) takes every sheet on one surface.
        if (i > 0 && paged != nullptr && !paged->newPage()) {
            painter.end();
            return false;
        }
        PaintSheet(painter, sheets[i], area.width(), area.height());
    }
    return painter.end();
}

}  // namespace wegator
