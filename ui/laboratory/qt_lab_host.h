// The laboratory's window around it in the desktop program. Its messages
// come from timer ticks and received bytes as well as from the user, so a box
// never waits in a loop of its own: it is shown and the station goes on (a
// record that could not be written is not held up by the box that says so).
// A question comes only from the user's own keys and buttons and waits for
// its answer.
#pragma once

#include <functional>

#include <QPointer>
#include <QWidget>

#include "lab/station/lab_host.h"
#include "pages/qt_page_host.h"

namespace wegator {

class QtLabHost : public lab::LabHost {
public:
    QtLabHost(QWidget* owner, QtPageHost::PrintSwitch printSwitch);

    void ShowWarning(int messageId, const std::string& text) override;
    void ShowMessage(int messageId, const std::string& text) override;
    void EnableMenuPrint(bool enabled) override;
    void Beep() override;
    bool AskYesNo(int messageId, const std::string& text) override;
    bool AskYesNoLive(int messageId, const std::function<std::string()>& text) override;

    // Answers a question instead of a box being shown (tests); true for Yes.
    using QuestionSink = std::function<bool(int messageId, const std::string& text)>;
    void SetMessageSink(QtPageHost::MessageSink sink) { sink_ = std::move(sink); }
    void SetQuestionSink(QuestionSink sink) { questionSink_ = std::move(sink); }

private:
    QPointer<QWidget> owner_;
    QtPageHost::PrintSwitch printSwitch_;
    QtPageHost::MessageSink sink_;
    QuestionSink questionSink_;
};

}  // namespace wegator
