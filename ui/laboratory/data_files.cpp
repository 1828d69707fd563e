#include "laboratory/data_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#ifndef WEGATOR_DATA_DIR
#define WEGATOR_DATA_DIR "/usr/local/share/wegator"
#endif

namespace wegator {

QStringList DefaultDataDirs() {
    const QString exeDir = QCoreApplication::applicationDirPath();
    QStringList dirs;
    for (const QString& dir : {exeDir, exeDir + QStringLiteral("/../share/wegator"),
                               QStringLiteral(WEGATOR_DATA_DIR)}) {
        const QString clean = QDir::cleanPath(dir);
        if (!dirs.contains(clean)) dirs.append(clean);
    }
    return dirs;
}

QString FindDataFile(const QStringList& dirs, const QString& name) {
    for (const QString& dir : dirs) {
        const QFileInfo file(QDir(dir), name);
        if (file.isFile()) return file.absoluteFilePath();
    }
    return {};
}

const char* HelpPageName(std::string_view language) {
    return language == "pl" ? "help_pl.html" : "help_en.html";
}

}  // namespace wegator
