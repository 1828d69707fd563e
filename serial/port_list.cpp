#include "serial/port_list.h"

#include <QSerialPortInfo>
#include <algorithm>
#include <filesystem>
#include <map>
#include <system_error>

#include "lab/lines/port_names.h"

namespace wegator {

namespace {

namespace fs = std::filesystem;

// What the system says of a port: the description, and the maker when the
// description does not already name it.
QString Describe(const QSerialPortInfo& info) {
    QString text = info.description();
    const QString maker = info.manufacturer();
    if (!maker.isEmpty() && !text.contains(maker, Qt::CaseInsensitive)) {
        text = text.isEmpty() ? maker : text + QStringLiteral(", ") + maker;
    }
    return text;
}

}  // namespace

std::vector<SerialPortEntry> FindSerialPorts() {
    // Device path → description, for every port the system knows.
    std::map<QString, QString> known;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        known[info.systemLocation()] = Describe(info);
    }

    std::map<int, SerialPortEntry> byNumber;
    std::error_code error;
    const fs::path folder = lab::PortLinkFolder();
    if (!folder.empty()) {
        for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
            const std::optional<int> number = lab::ParseComName(it->path().filename().string());
            if (!number) continue;
            std::error_code linkError;
            const fs::path device = fs::canonical(it->path(), linkError);
            if (linkError) continue;  // a link to a port that is not there now
            const QString path = QString::fromStdString(device.string());
            const auto found = known.find(path);
            byNumber[*number] = {*number, path, found != known.end() ? found->second : QString()};
        }
    }
    for (const auto& [device, description] : known) {
        const std::optional<int> number = lab::FixedPortNumber(device.toStdString());
        if (number && byNumber.count(*number) == 0) byNumber[*number] = {*number, device, description};
    }

    std::vector<SerialPortEntry> entries;
    entries.reserve(byNumber.size());
    for (auto& [number, entry] : byNumber) entries.push_back(std::move(entry));
    return entries;
}

QString PortListText(const std::vector<SerialPortEntry>& entries) {
    QString text;
    for (const SerialPortEntry& entry : entries) {
        text += QString::fromStdString(lab::ComName(entry.number)) + ':' + entry.device;
        if (!entry.description.isEmpty()) text += QStringLiteral(": ") + entry.description;
        text += '\n';
    }
    return text;
}

QString ListSerialPorts(int* count) {
    const std::vector<SerialPortEntry> entries = FindSerialPorts();
    if (count != nullptr) *count = static_cast<int>(entries.size());
    return PortListText(entries);
}

}  // namespace wegator
