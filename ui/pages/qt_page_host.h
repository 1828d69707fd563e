// The page models' window around them in the desktop program: message boxes
// and the main menu's "Drukuj" item.
#pragma once

#include <functional>
#include <string>

#include <QPointer>
#include <QWidget>

#include "pages/page_host.h"

namespace wegator {

class QtPageHost : public PageHost {
public:
    using PrintSwitch = std::function<void(bool enabled)>;
    // Shows the page as its model holds it, so that a box never covers results
    // the model has already emptied.
    using PageRefresh = std::function<void()>;
    // Receives a message instead of a box being shown (used where no one may click OK).
    using MessageSink = std::function<void(bool warning, int messageId, const std::string& text)>;

    QtPageHost(QWidget* owner, PrintSwitch printSwitch, PageRefresh refresh = {});

    // Warning box: exclamation icon, OK, empty title.
    void ShowWarning(int messageId, const std::string& text) override;
    // Plain box titled with the program's name.
    void ShowMessage(int messageId, const std::string& text) override;
    void EnableMenuPrint(bool enabled) override;

    void SetMessageSink(MessageSink sink) { sink_ = std::move(sink); }

private:
    void RefreshPage() const;

    QPointer<QWidget> owner_;
    PrintSwitch printSwitch_;
    PageRefresh refresh_;
    MessageSink sink_;
};

}  // namespace wegator
