// Drawing a page's printout: the cells of the virtual sheet placed on a
// printer's (or a PDF's) printable area. Shared by the desktop program and
// the command line, so a PDF from either looks like the printed sheet.
#pragma once

#include <string>
#include <vector>

#include "pages/print_layout.h"

class QIODevice;
class QPainter;

namespace wegator {

// The document name of every print job.
inline constexpr const char* kPrintJobName = "TREVAN";

// Draws each cell with the device's default font, left-aligned, the top left
// of its text at the cell's position on an area of width × height device pixels.
void PaintPrintout(QPainter& painter, const std::vector<PrintCell>& cells, int width, int height);

// Draws the printout as a one-page A4 PDF onto `device`, open for writing and
// seekable (a file, a buffer). Returns false, with a reason in *error, when
// the PDF could not be started.
bool DrawPrintoutPdf(QIODevice& device, const std::vector<PrintCell>& cells, std::string* error);

// Writes the printout as a one-page A4 PDF file, atomically. Returns false, with a reason in
// *error, when the file cannot be written; no partial file is left behind.
bool WritePrintoutPdf(const std::string& path, const std::vector<PrintCell>& cells, std::string* error);

}  // namespace wegator
