// The laboratory page as the settings sheet and its apply step see it. The
// sheet and the main window reach the laboratory only through this interface,
// so that the settings work with no laboratory at all (the calculator pages
// and the settings record are updated all the same) and a laboratory page
// plugs in with a thin adapter.
//
// Writing the adapter. The main window calls, on the user-interface thread:
//
//  * CurrentDataFile, while the "Zapis" page is being confirmed: the file the
//    laboratory records into now (open or not, its path, its format).
//
//  * OpenNextDataFile, when "Zapis" asks for another file (other name or
//    format, or none open). Open `path` for writing, shared for reading,
//    created when absent, and hold it beside the current one; the current file
//    and its record timers go on untouched. Report whether the file could not
//    be opened, was created, or existed already (the sheet then asks the user
//    whether to empty it). A later call replaces a file held but not taken;
//    nothing else may happen to it before ApplySettingsChange.
//
//  * ApplySettingsChange, once, after the sheet closed with OK; `settings` is
//    the record now in force (copy what the page keeps: precisions, decimal
//    sign, constants, formula set and switch, ports, sources, channel texts,
//    uncertainties, N, times, table switches and paths, data-file columns,
//    name, interval). Then carry out `change` in this order:
//      1. instrumentsOff: close all six channels, stop acquisition.
//      2. streamsToStop: close those channels.
//      3. handPressure: take `handPressure` (kPa) and, while acquiring, show it
//         in the page's pressure unit with the laboratory input precision.
//      4. streamsToRestart: while acquiring close and reopen each (in list
//         order) on its port from `settings`; otherwise mark it so that the
//         next activation restarts it.
//      5. tablesOff, then tablesToLoad (CalibrationTable from the .cal file;
//         an empty path leaves that table or channel empty).
//      6. restartAveraging: stop acquisition and, when settings say the
//         instruments are on, start the averaging timers anew.
//      7. engine / recompute / format: new engine settings and results caption
//         (178/179); recompute while acquiring; redisplay in the new format.
//      8. Data file: stopSaveTimer → stop timers 1040/1034 if they run;
//         Close → close the open file; SwitchEmptied / SwitchAppended → close
//         the old file and take the held one (emptied, or appended to);
//         headerPending → a header line before the next record;
//         startSaveTimer → start the one-shot timer 1040 (60000 ms) unless
//         a record timer runs.
//    The main window itself shows page 0 when change.showFirstPage is set.
//
// The laboratory never writes into the settings record: the table paths the
// user configured stay configured even when a table fails to load.
#pragma once

#include <string>

#include "app/settings.h"
#include "sheet/settings_change.h"

namespace wegator {

class LaboratorySettingsTarget {
public:
    virtual ~LaboratorySettingsTarget() = default;

    struct DataFileState {
        bool open = false;
        std::string path;
        bool csv = false;
    };
    virtual DataFileState CurrentDataFile() const = 0;

    enum class Opening { Failed, Created, Existed };
    virtual Opening OpenNextDataFile(const std::string& path) = 0;

    virtual void ApplySettingsChange(const Settings& settings, const HandPressure& handPressure,
                                     const LaboratoryChange& change) = 0;
};

}  // namespace wegator
