#include "port_list_dialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSerialPortInfo>
#include <map>
#include <thread>

#include "app/settings_store.h"
#include "artwork.h"
#include "ui_port_list_wait_dialog.h"

namespace wegator {

namespace {

// COMn of a device name under the fixed mapping; 0 when it has none.
int ComNumberOfDevice(const QString& name) {
    static const struct {
        const char* prefix;
        int first;
    } kFamilies[] = {{"ttyS", 1}, {"ttyUSB", 33}, {"ttyACM", 65}};
    for (const auto& family : kFamilies) {
        const QString prefix = QString::fromLatin1(family.prefix);
        if (!name.startsWith(prefix)) continue;
        bool ok = false;
        const int index = name.mid(prefix.size()).toInt(&ok);
        if (ok && index >= 0 && index < 32) return family.first + index;
    }
    return 0;
}

}  // namespace

QString ListPortsOfThisMachine() {
    std::map<int, QString> ports;  // by COM number: the description
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        if (const int n = ComNumberOfDevice(info.portName()); n > 0) ports[n] = info.description();
    }
    // Links the user (or the instrument simulator) made: COMn → a device.
    const QDir links(QString::fromStdString((SettingsStorePath().parent_path() / "ports").string()));
    static const QRegularExpression kComName(QStringLiteral("^COM([1-9][0-9]{0,2})$"));
    for (const QFileInfo& link : links.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
        const QRegularExpressionMatch match = kComName.match(link.fileName());
        if (match.hasMatch() && link.isSymLink()) ports[match.captured(1).toInt()] = link.symLinkTarget();
    }
    QString text;
    for (const auto& [number, description] : ports) {
        text += QStringLiteral("COM%1").arg(number);
        if (!description.isEmpty()) text += QLatin1Char(':') + description;
        text += QLatin1Char('\n');
    }
    return text;
}

PortListDialog::PortListDialog(PortLister lister, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::PortListWaitDialog>()) {
    ui_->setupUi(this);
    setWindowIcon(ProgramIcon());
    ui_->pictureLabel->setPixmap(ProgramPicture(48, devicePixelRatioF()));
    connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    // The worker holds no pointer it may use: its text is posted to the
    // application, and handed to this dialog only if it still exists.
    QPointer<PortListDialog> self(this);
    std::thread([lister = std::move(lister), self]() {
        QString text = lister ? lister() : QString();
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, text = std::move(text)] {
                if (self) self->Done(text);
            },
            Qt::QueuedConnection);
    }).detach();
}

PortListDialog::~PortListDialog() = default;

void PortListDialog::reject() {
    cancelled_ = true;
    QDialog::reject();
}

void PortListDialog::Done(const QString& text) {
    if (cancelled_ || finished_) return;  // a list that comes after "Anuluj" is dropped
    text_ = text;
    finished_ = true;
    accept();
}

}  // namespace wegator
