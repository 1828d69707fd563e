// What a page model needs from the window around it: message boxes and the
// main menu's print item. The desktop program shows real boxes; the command
// line and the tests record what would have been shown.
#pragma once

#include <string>
#include <vector>

namespace wegator {

class PageHost {
public:
    virtual ~PageHost() = default;
    // A warning box: exclamation icon, OK button, empty title (input checks,
    // rejected entries).
    // messageId is the string-table number of the text.
    virtual void ShowWarning(int messageId, const std::string& text) = 0;
    // A plain box titled with the program's name (a calculation that left the
    // formulas' range).
    virtual void ShowMessage(int messageId, const std::string& text) = 0;
    // The page gained or lost printable results: the main menu's "Drukuj" item
    // follows the page's print button.
    virtual void EnableMenuPrint(bool enabled) = 0;
};

// Keeps every message instead of showing it.
class RecordingHost : public PageHost {
public:
    struct Shown {
        bool warning;  // true: warning box; false: plain box
        int messageId;
        std::string text;
    };
    void ShowWarning(int messageId, const std::string& text) override { shown.push_back({true, messageId, text}); }
    void ShowMessage(int messageId, const std::string& text) override { shown.push_back({false, messageId, text}); }
    void EnableMenuPrint(bool enabled) override { menuPrintEnabled = enabled; }

    std::vector<Shown> shown;
    bool menuPrintEnabled = false;
};

}  // namespace wegator
