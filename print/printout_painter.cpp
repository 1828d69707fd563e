#include "print/printout_painter.h"

#include <QFile>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QString>

#include "chart/trend_painter.h"

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

void PaintSheet(QPainter& painter, const PrintSheet& sheet, int width, int height) {
    PaintPrintout(painter, sheet.cells, width, height);
    if (!sheet.chart) return;
    const DevicePoint topLeft = ToDevice(sheet.chartK, sheet.chartN, width, height);
    const DevicePoint bottomRight =
        ToDevice(sheet.chartK + sheet.chartWidth, sheet.chartN + sheet.chartHeight, width, height);
    painter.save();
    PaintTrendChart(painter, *sheet.chart,
                    QRectF(QPointF(static_cast<qreal>(topLeft.x), static_cast<qreal>(topLeft.y)),
                           QPointF(static_cast<qreal>(bottomRight.x), static_cast<qreal>(bottomRight.y))));
    painter.restore();
}

bool DrawPrintoutPdf(QIODevice& device, const std::vector<PrintSheet>& sheets, std::string* error) {
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
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        if (i > 0) writer.newPage();
        PaintSheet(painter, sheets[i], area.width(), area.height());
    }
    painter.end();
    return true;
}

bool DrawPrintoutPdf(QIODevice& device, const std::vector<PrintCell>& cells, std::string* error) {
    return DrawPrintoutPdf(device, std::vector<PrintSheet>{PrintSheet{cells, std::nullopt}}, error);
}

bool WritePrintoutPdf(const std::string& path, const std::vector<PrintSheet>& sheets, std::string* error) {
    // Written to a temporary file beside the target and moved into place only
    // when complete, so a failed run never leaves half a PDF under the name.
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) {
        if (error != nullptr) *error = file.errorString().toStdString();
        return false;
    }
    if (!DrawPrintoutPdf(file, sheets, error)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error != nullptr) *error = file.errorString().toStdString();
        return false;
    }
    return true;
}

bool WritePrintoutPdf(const std::string& path, const std::vector<PrintCell>& cells, std::string* error) {
    return WritePrintoutPdf(path, std::vector<PrintSheet>{PrintSheet{cells, std::nullopt}}, error);
}

}  // namespace wegator
