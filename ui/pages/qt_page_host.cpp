#include "pages/qt_page_host.h"

#include <QMessageBox>

#include "text/string_table.h"
#include "text/strings.h"
#include "widget_texts.h"

namespace wegator {

QtPageHost::QtPageHost(QWidget* owner, PrintSwitch printSwitch, PageRefresh refresh)
    : owner_(owner), printSwitch_(std::move(printSwitch)), refresh_(std::move(refresh)) {}

void QtPageHost::RefreshPage() const {
    if (refresh_) refresh_();
}

void QtPageHost::ShowWarning(int messageId, const std::string& text) {
    RefreshPage();
    if (sink_) return sink_(true, messageId, text);
    QMessageBox box(QMessageBox::Warning, StringTableText(msg::ProgramTitle), QString::fromStdString(text), QMessageBox::Ok, owner_);
    box.exec();
}

void QtPageHost::ShowMessage(int messageId, const std::string& text) {
    RefreshPage();
    if (sink_) return sink_(false, messageId, text);
    QMessageBox box(QMessageBox::NoIcon, StringTableText(msg::ProgramTitle), QString::fromStdString(text),
                    QMessageBox::Ok, owner_);
    box.exec();
}

void QtPageHost::EnableMenuPrint(bool enabled) {
    if (printSwitch_) printSwitch_(enabled);
}

}  // namespace wegator
