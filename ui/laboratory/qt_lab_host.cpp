#include "laboratory/qt_lab_host.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "text/string_table.h"
#include "widget_texts.h"

namespace wegator {

namespace {

// How often an open question looks again at what it asks about.
constexpr int kQuestionRefreshMs = 500;

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
    ShowBox(owner_, QMessageBox::Warning, StringTableText(msg::ProgramTitle), text);
}

void QtLabHost::ShowMessage(int messageId, const std::string& text) {
    if (sink_) return sink_(false, messageId, text);
    ShowBox(owner_, QMessageBox::NoIcon, StringTableText(msg::ProgramTitle), text);
}

void QtLabHost::EnableMenuPrint(bool enabled) {
    if (printSwitch_) printSwitch_(enabled);
}

void QtLabHost::Beep() { QApplication::beep(); }

bool QtLabHost::AskYesNo(int messageId, const std::string& text) {
    return AskYesNoLive(messageId, [&text] { return text; });
}

bool QtLabHost::AskYesNoLive(int messageId, const std::function<std::string()>& text) {
    if (questionSink_) return questionSink_(messageId, text());
    // Over the window the user is in: "Kalibracja" when it asks, else the main window.
    QWidget* parent = QApplication::activeModalWidget() != nullptr ? QApplication::activeModalWidget() : owner_.data();
    QMessageBox box(QMessageBox::Question, StringTableText(msg::ProgramTitle), QString::fromStdString(text()),
                    QMessageBox::Yes | QMessageBox::No, parent);
    // Nothing is ended by a key pressed once too often.
    box.setDefaultButton(QMessageBox::No);
    // The station goes on while the box waits: what it asks about is kept up to date.
    QTimer refresh;
    QObject::connect(&refresh, &QTimer::timeout, &box, [&box, &text] {
        const QString now = QString::fromStdString(text());
        if (box.text() != now) box.setText(now);
    });
    refresh.start(kQuestionRefreshMs);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace wegator
