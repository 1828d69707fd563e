// What the laboratory station needs from the window around it, beyond the
// message boxes every page uses: the information sound of a calibration run
// and a question before a run or the station's work is ended.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "pages/page_host.h"

namespace wegator::lab {

class LabHost : public PageHost {
public:
    // The system's information sound (a calibration run takes an observation).
    virtual void Beep() = 0;
    // Question icon, "Tak"/"Nie" with "Nie" the default, titled with the
    // program's name; true for Yes. Where no one can answer (the command
    // line), nothing is ended on a question: No.
    virtual bool AskYesNo(int /*messageId*/, const std::string& /*text*/) { return false; }
    // The same question about something that goes on while it waits for its
    // answer (a calibration run takes its rows): the box shows `text()` as it
    // is now, again and again, so that the answer is given to what holds at
    // that moment. By default asked once with the text of the moment it opens.
    virtual bool AskYesNoLive(int messageId, const std::function<std::string()>& text) {
        return AskYesNo(messageId, text());
    }
};

// Keeps every message and counts the sounds (tests, the command line).
class RecordingLabHost : public LabHost {
public:
    void ShowWarning(int messageId, const std::string& text) override { shown.push_back({true, messageId, text}); }
    void ShowMessage(int messageId, const std::string& text) override { shown.push_back({false, messageId, text}); }
    void EnableMenuPrint(bool enabled) override { menuPrintEnabled = enabled; }
    void Beep() override { ++beeps; }
    bool AskYesNo(int messageId, const std::string& text) override {
        asked.push_back({false, messageId, text});
        return answer;
    }
    // The question's text is taken once `whileAsked` has run (time passing
    // while the box waits).
    bool AskYesNoLive(int messageId, const std::function<std::string()>& text) override {
        if (whileAsked) whileAsked();
        return AskYesNo(messageId, text());
    }

    std::vector<RecordingHost::Shown> shown;
    bool menuPrintEnabled = false;
    int beeps = 0;
    // The questions asked, and the answer each gets.
    std::vector<RecordingHost::Shown> asked;
    bool answer = false;
    std::function<void()> whileAsked;
};

}  // namespace wegator::lab
