#include "qt_lab_host.h"

#include <QApplication>
#include <QMessageBox>

#include "app/string_table.h"
#include "widget_texts.h"

namespace wegator {

namespace {

void ShowBox(QWidget* owner, QMessageBox::Icon icon, const QString& title, const std::string& text) {
    auto* box = new QMessageBox(icon, title, QString::fromStdString(text), QMessageBox::Ok, owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->open();
}

}  // namespace

QtLabHost::QtLabHost(QWidget* owner, QtPageHost::PrintSwitch printSwitch)
    : owner_(owner), printSwitch_(std::move(printSwitch)) {}

void QtLabHost::ShowWarning(int messageId, const std::string& text) {
    if (sink_) return sink_(true, messageId, text);
    ShowBox(owner_, QMessageBox::Warning, QString(), text);
}

void QtLabHost::ShowMessage(int messageId, const std::string& text) {
    if (sink_) return sink_(false, messageId, text);
    ShowBox(owner_, QMessageBox::NoIcon, StringTableText(msg::ProgramTitle), text);
}

void QtLabHost::EnableMenuPrint(bool enabled) {
    if (printSwitch_) printSwitch_(enabled);
}

void QtLabHost::Beep() { QApplication::beep(); }

}  // namespace wegator
