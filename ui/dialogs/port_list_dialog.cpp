#include "dialogs/port_list_dialog.h"

#include <QCoreApplication>
#include <QPointer>
#include <QPushButton>
#include <thread>

#include "artwork.h"
#include "ui_port_list_wait_dialog.h"

namespace wegator {

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
