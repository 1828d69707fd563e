#include "digest/qt_file_digest.h"

#include <QByteArrayView>
#include <QCryptographicHash>

#include "app/file_digest.h"

namespace wegator {

std::string QtSha256(std::string_view bytes) {
    const QByteArray hash = QCryptographicHash::hash(
        QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())), QCryptographicHash::Sha256);
    return hash.toHex().toStdString();
}

void InstallQtFileDigest() { SetFileDigest(&QtSha256); }

}  // namespace wegator
