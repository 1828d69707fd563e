// What the laboratory station still has in hand when the program is to end,
// and the question put to the user before it all stops. Hours of averaging,
// a data file being recorded or a calibration series half done are not to be
// lost to a key pressed once too often, whichever way out was taken.
#pragma once

#include <string>

namespace wegator::lab {

struct StationWork {
    // The instruments are on and their readings are being averaged.
    bool measuring = false;
    // The data file being recorded; empty when none is open.
    std::string dataFile;
    // A calibration series waits for its start, or takes its rows.
    bool runWaiting = false;
    bool runRunning = false;
    int runRows = 0;
    int runPlannedRows = 0;

    bool Any() const { return measuring || !dataFile.empty() || runWaiting || runRunning; }
};

// The Yes/No question naming everything that stops, in the language in
// force; empty when nothing would be lost and the program may simply end.
std::string StationEndQuestion(const StationWork& work);

}  // namespace wegator::lab
