// Drawing a page's printout: the cells of the virtual sheet placed on a
// printer's (or a PDF's) printable area. Shared by the desktop program and
// the command line, so a PDF from either looks like the printed sheet.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "lab/trends/trend_chart.h"
#include "pages/print_layout.h"

class QIODevice;
class QPainter;

namespace wegator {

// The document name of every print job.
inline constexpr const char* kPrintJobName = "Wegator";

// Draws each cell with the device's default font, left-aligned, the top left
// of its text at the cell's position on an area of width × height device pixels.
void PaintPrintout(QPainter& painter, const std::vector<PrintCell>& cells, int width, int height);

// One sheet of a printout: its texts and, on the laboratory's trend sheet, a
// chart in a region of the virtual sheet (sheet units, as the cells).
struct PrintSheet {
    std::vector<PrintCell> cells;
    std::optional<lab::TrendChart> chart;
    int chartK = 0, chartN = 0, chartWidth = 0, chartHeight = 0;
};

// Draws one sheet on an area of width × height device pixels.
void PaintSheet(QPainter& painter, const PrintSheet& sheet, int width, int height);

// Draws the sheets as an A4 PDF, one page each, onto `device`; false (with the
// reason) when the PDF could not be started.
bool DrawPrintoutPdf(QIODevice& device, const std::vector<PrintSheet>& sheets, std::string* error);
// Writes the sheets as an A4 PDF file, atomically.
bool WritePrintoutPdf(const std::string& path, const std::vector<PrintSheet>& sheets, std::string* error);

// Draws the printout as a one-page A4 PDF onto `device`, open for writing and
// seekable (a file, a buffer). Returns false, with a reason in *error, when
// the PDF could not be started.
bool DrawPrintoutPdf(QIODevice& device, const std::vector<PrintCell>& cells, std::string* error);

// Writes the printout as a one-page A4 PDF file, atomically. Returns false, with a reason in
// *error, when the file cannot be written; no partial file is left behind.
bool WritePrintoutPdf(const std::string& path, const std::vector<PrintCell>& cells, std::string* error);

}  // namespace wegator
