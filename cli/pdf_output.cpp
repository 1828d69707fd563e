#include "pdf_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <cerrno>
#include <cstring>
#include <iostream>

#include "app/files.h"
#include "command.h"
#include "evaluation_output.h"
#include "text_output.h"

namespace wegator::cli {

namespace {

std::string CannotWritePdf(const std::string& path, std::string_view reason) {
    return "cannot write PDF " + MessageQuoted(path) + ": " + std::string(reason.empty() ? "unknown error" : reason);
}

// A PDF made in memory and written into a pipe or a device (or standard output) as it stands.
bool StreamPdf(const std::string& path, PdfTarget target, const std::vector<PrintSheet>& sheets, std::string* reason) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!DrawPrintoutPdf(buffer, sheets, reason)) return false;
    const QByteArray& bytes = buffer.data();
    // A pipe waits here until something reads it, as any program writing into one does.
    const int fd =
        target == PdfTarget::StandardOutput ? STDOUT_FILENO : ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    bool written = fd >= 0 && WriteAll(fd, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    int error = errno;
    if (fd >= 0 && fd != STDOUT_FILENO && ::close(fd) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written) *reason = std::strerror(error);
    return written;
}

}  // namespace

// A folder, a socket or a block device is refused: renaming a new file over a
// device node (as root, over /dev/null) or into a folder is never what was asked for.
PdfTarget ClassifyPdfTarget(const std::string& path) {
    struct stat target {};
    if (::stat(path.c_str(), &target) != 0) {
        // A new file; a missing folder on the way is reported when it is written.
        if (errno == ENOENT) return PdfTarget::File;
        throw UsageError(CannotWritePdf(path, std::strerror(errno)));
    }
    struct stat output {};
    if (::fstat(STDOUT_FILENO, &output) == 0 && output.st_dev == target.st_dev && output.st_ino == target.st_ino) {
        return PdfTarget::StandardOutput;  // /dev/stdout, or the file the output is redirected to
    }
    if (S_ISREG(target.st_mode)) return PdfTarget::File;
    if (S_ISFIFO(target.st_mode) || S_ISCHR(target.st_mode)) return PdfTarget::Stream;
    throw UsageError(CannotWritePdf(path, S_ISDIR(target.st_mode)
                                              ? "it is a folder"
                                              : "it is neither a regular file nor a pipe nor a character device"));
}

void PreparePdfApplication() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) {
            std::cerr << "wegator-cli: " << OneLine(text.toStdString()) << '\n';
        }
    });
}

void WritePdfSheets(const std::string& path, PdfTarget target, const std::vector<PrintSheet>& sheets) {
    std::string reason;
    const bool written =
        target == PdfTarget::File ? WritePrintoutPdf(path, sheets, &reason) : StreamPdf(path, target, sheets, &reason);
    if (!written) throw UsageError(CannotWritePdf(path, reason));
}

}  // namespace wegator::cli
