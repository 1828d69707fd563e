// What a confirmed settings sheet changes. The plan is worked out from the
// settings in force and the edited ones before anything is touched; the main
// window then carries it out on the calculator pages, and the laboratory
// (through LaboratorySettingsTarget) on its channels, tables, timers and data
// file. A change that touches nothing restarts nothing.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/settings.h"
#include "lab/tables/calibration_tables.h"
#include "lab/lines/stream.h"

namespace wegator {

// The barometric pressure the laboratory uses when it is entered by hand on
// the "Porty" page, and its standard uncertainty, both in kPa. Empty until the
// user types one; kept for the run only, like the unit choices.
struct HandPressure {
    std::optional<double> kilopascal;
    std::optional<double> uncertaintyKilopascal;

    bool operator==(const HandPressure&) const = default;
};

// The hand-entered pressure as the settings store keeps it (texts in kPa
// with a point, empty when none), and back.
HandPressure StoredHandPressure(const Settings& settings);
void StoreHandPressure(Settings& settings, const HandPressure& hand);

// The settings as they stand: the stored record and what the run keeps beside it.
struct SettingsState {
    Settings settings;
    HandPressure handPressure;
};

// What confirming the "Zapis" page did about the laboratory data file.
enum class DataFileAction {
    Keep,            // the open file (if any) goes on as it is
    Close,           // saving was switched off: the open file is closed
    SwitchEmptied,   // the file prepared by OpenNextDataFile replaces the old one, emptied first
    SwitchAppended,  // the same, and records follow what the file already holds
};

// A table to load from its file; an empty path leaves that table (or QX-311
// channel) empty.
struct TableLoad {
    lab::TableId table;
    std::string path;

    bool operator==(const TableLoad&) const = default;
};

// A confirmed sheet: the edited settings, the data-file decision taken when
// "Zapis" was checked, and the tables saved in the table editor (to be loaded
// again even when their file name stayed the same).
struct EditedSettings : SettingsState {
    DataFileAction dataFile = DataFileAction::Keep;
    std::vector<TableLoad> tablesEdited;
};

// What the laboratory does with a confirmed change. Every list is in the
// laboratory's own order (streams as lab::kStreamRestartOrder, tables as
// lab::TableFamily and lab::TableId).
struct LaboratoryChange {
    // Formula set, a psychrometer constant or the formula-uncertainty switch
    // changed: the laboratory takes them into its engine, shows the results
    // caption 178/179 anew and, while acquiring, recomputes at once.
    bool engine = false;
    bool recompute = false;
    // The decimal sign or the laboratory precisions changed (also for the
    // eight-channel page).
    bool format = false;
    // External instruments were switched off: close every channel and stop
    // acquisition.
    bool instrumentsOff = false;
    // Close these channels: the new configuration does not read them.
    std::vector<lab::Stream> streamsToStop;
    // Close (if open) and open again on the configured port: at once while
    // acquiring, otherwise at the page's next activation. Only streams the new
    // configuration reads are ever listed.
    std::vector<lab::Stream> streamsToRestart;
    // A new hand-entered pressure: shown (while acquiring) and used.
    bool handPressure = false;
    // The update period, the number of observations or the collection time
    // changed: stop acquisition (timers, observations and their displays) and,
    // with external instruments on, start its timers anew.
    bool restartAveraging = false;
    // Tables switched off (removed; for the QX-311 every channel's), and
    // tables to load because they were switched on or their file changed.
    std::vector<lab::TableFamily> tablesOff;
    std::vector<TableLoad> tablesToLoad;
    // The data file: what to do with it, whether the next record needs a header
    // line first, and the record timers (stop them if they run; with saving on,
    // start the one-minute timer 1040 unless it runs).
    DataFileAction dataFile = DataFileAction::Keep;
    bool headerPending = false;
    bool stopSaveTimer = false;
    bool startSaveTimer = false;
    // The laboratory cannot be shown without instruments: the main window
    // shows page 0.
    bool showFirstPage = false;

    bool operator==(const LaboratoryChange&) const = default;
};

// What one calculator page takes from a change: its engine settings (formula
// set, constants, formula-uncertainty switch), its number format (decimal
// sign, precisions), and whether its shown results are now out of date.
struct CalculatorPageChange {
    bool engine = false;
    bool format = false;
    bool stale = false;

    bool operator==(const CalculatorPageChange&) const = default;
};

struct SettingsChangePlan {
    // By main-sheet index: 0 relative humidity, 1 moisture content,
    // 2 psychrometer, 3 pressure (which has no engine).
    std::array<CalculatorPageChange, 4> pages;
    LaboratoryChange laboratory;
};

// The plan for a confirmed sheet. Pure: the same two states give the same plan.
SettingsChangePlan PlanSettingsChange(const SettingsState& before, const EditedSettings& after);

}  // namespace wegator
