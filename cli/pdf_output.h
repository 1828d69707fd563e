// Where `--print-pdf FILE` goes and how the PDF gets there, the same for the
// calculator pages and the laboratory station: a new or regular file is
// replaced only once the PDF is complete, a pipe or a character device is
// written into as it stands (so /dev/null is never replaced), and the file
// standard output goes to gets the PDF instead of the usual output.
#pragma once

#include <string>
#include <vector>

#include "print/printout_painter.h"

namespace wegator::cli {

enum class PdfTarget {
    File,            // absent or a regular file: replaced atomically by a complete new file
    Stream,          // a pipe or a character device: written into as it stands
    StandardOutput,  // the file standard output goes to: the PDF takes the place of the usual output
};

// Decided before anything is computed, so that a target that can never take
// a PDF stops the command before any output. Throws UsageError for a folder,
// a socket, a block device or a path that cannot be looked at.
PdfTarget ClassifyPdfTarget(const std::string& path);

// Qt draws the PDF and needs a QGuiApplication to find fonts. Called before
// that application is made: it runs without a display on the "offscreen"
// platform unless the environment chooses another, and Qt's notes on the
// environment stay off standard error (its critical errors are kept).
void PreparePdfApplication();

// Writes the sheets, one A4 page each, while a QGuiApplication exists.
// Throws UsageError when the PDF cannot be written.
void WritePdfSheets(const std::string& path, PdfTarget target, const std::vector<PrintSheet>& sheets);

}  // namespace wegator::cli
