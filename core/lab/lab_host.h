// What the laboratory station needs from the window around it, beyond the
// message boxes every page uses: the information sound of a calibration run.
#pragma once

#include <string>
#include <vector>

#include "pages/page_host.h"

namespace wegator::lab {

class LabHost : public PageHost {
public:
    // The system's information sound (a calibration run takes an observation).
    virtual void Beep() = 0;
};

// Keeps every message and counts the sounds (tests, the command line).
class RecordingLabHost : public LabHost {
public:
    void ShowWarning(int messageId, const std::string& text) override { shown.push_back({true, messageId, text}); }
    void ShowMessage(int messageId, const std::string& text) override { shown.push_back({false, messageId, text}); }
    void EnableMenuPrint(bool enabled) override { menuPrintEnabled = enabled; }
    void Beep() override { ++beeps; }

    std::vector<RecordingHost::Shown> shown;
    bool menuPrintEnabled = false;
    int beeps = 0;
};

}  // namespace wegator::lab
