// `wegator-cli lab run`: the laboratory station without a window. The same
// LaboratoryPage as the desktop program reads the instruments named in the
// settings, averages, recomputes on its timer, records the data file and,
// when asked, one calibration run; every recomputation is printed as a line
// (or a JSON object). It runs for --seconds or until SIGINT or SIGTERM, and
// closes its files cleanly either way.
#pragma once

#include <string>

#include <CLI/CLI.hpp>

namespace wegator::cli {

struct LabRunOptions {
    std::string settingsFile;  // empty: the user's stored settings
    int seconds = 0;           // 0: until a signal
    bool json = false;
    double pressure = 0.0;     // entered by hand (kPa), when the settings say so
    double pressureUncertainty = 0.0;
    CLI::Option* pressureOption = nullptr;
    std::string runFolder;     // a calibration run into this folder
    long long runDelay = 10;
    bool runWithoutDewPoint = false;
    bool ignoreMissingTables = false;  // run without a table that cannot be loaded
};

// Exit statuses, what is printed, examples: the end of `lab run --help`.
extern const char* const kLabRunFooter;

// Adds the options of `lab run` to its subcommand.
void AddLabRunOptions(CLI::App& run, LabRunOptions& options);
// Runs the station; the exit status: 0 done, 1 it could not run or keep what
// it measured (no instrument opened, the settings use none, the data file or a
// correction table in use cannot be loaded, not one result computed), 2 a usage error.
int RunLabStation(const LabRunOptions& options);

}  // namespace wegator::cli
