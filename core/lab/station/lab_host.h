// What the laboratory station needs from the window around it, beyond the
// message boxes every page uses: the information sound of a calibration run
// and a question before a run or the station's work is ended.
#pragma once

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

    std::vector<RecordingHost::Shown> shown;
    bool menuPrintEnabled = false;
    int beeps = 0;
    // The questions asked, and the answer each gets.
    std::vector<RecordingHost::Shown> asked;
    bool answer = false;
};

}  // namespace wegator::lab
