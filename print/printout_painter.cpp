#include "print/printout_painter.h"

#include <QFile>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QString>

namespace wegator {

void PaintPrintout(QPainter& painter, const std::vector<PrintCell>& cells, int width, int height) {
    // A cell's position is the top left of its text, so the baseline sits one
    // ascent lower.
    const int ascent = painter.fontMetrics().ascent();
    for (const PrintCell& cell : cells) {
        if (cell.text.empty()) continue;
        const DevicePoint p = ToDevice(cell.k, cell.n, width, height);
        painter.drawText(QPointF(static_cast<qreal>(p.x), static_cast<qreal>(p.y + ascent)),
                         QString::fromStdString(cell.text));
    }
}

bool DrawPrintoutPdf(QIODevice& device, const std::vector<PrintCell>& cells, std::string* error) {
    QPdfWriter writer(&device);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(600);
    writer.setTitle(QString::fromLatin1(kPrintJobName));
    writer.setCreator(QString::fromLatin1(kPrintJobName));
    QPainter painter;
    if (!painter.begin(&writer)) {
        if (error != nullptr) *error = "the PDF could not be started";
        return false;
    }
    const QRect area = writer.pageLayout().paintRectPixels(writer.resolution());
    PaintPrintout(painter, cells, area.width(), area.height());
    painter.end();
    return true;
}

bool WritePrintoutPdf(const std::string& path, const std::vector<PrintCell>& cells, std::string* error) {
    // Written to a temporary file beside the target and moved into place only
    // when complete, so a failed run never leaves half a PDF under the name.
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) {
        if (error != nullptr) *error = file.errorString().toStdString();
        return false;
    }
    if (!DrawPrintoutPdf(file, cells, error)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error != nullptr) *error = file.errorString().toStdString();
        return false;
    }
    return true;
}

}  // namespace wegator
