// The laboratory's window around it in the desktop program. Its messages
// come from timer ticks and received bytes as well as from the user, so a box
// never waits in a loop of its own: it is shown and the station goes on (a
// record that could not be written is not held up by the box that says so).
#pragma once

#include <QPointer>
#include <QWidget>

#include "lab/lab_host.h"
#include "qt_page_host.h"

namespace wegator {

class QtLabHost : public lab::LabHost {
public:
    QtLabHost(QWidget* owner, QtPageHost::PrintSwitch printSwitch);

    void ShowWarning(int messageId, const std::string& text) override;
    void ShowMessage(int messageId, const std::string& text) override;
    void EnableMenuPrint(bool enabled) override;
    void Beep() override;

    void SetMessageSink(QtPageHost::MessageSink sink) { sink_ = std::move(sink); }

private:
    QPointer<QWidget> owner_;
    QtPageHost::PrintSwitch printSwitch_;
    QtPageHost::MessageSink sink_;
};

}  // namespace wegator
