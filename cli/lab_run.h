// `wegator-cli lab run`: the laboratory station without a window. The same
// LaboratoryPage as the desktop program reads the instruments named in the
// settings, averages, recomputes on its timer, records the data file and,
// when asked, one calibration run; every recomputation is printed as a line
// (or a JSON object, with the stability of every quantity in use). It runs
// for --seconds or until SIGINT or SIGTERM, closes its files cleanly either
// way and, when asked, prints the laboratory's printout into a PDF at the end.
#pragma once

#include <string>
#include <vector>

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
    // The stability window (minutes) and criteria "KEY=DRIFT,SD" for this
    // run, over those of the settings.
    double stabilityWindow = 0.0;
    CLI::Option* stabilityWindowOption = nullptr;
    std::vector<std::string> criteria;
    // The calibration run starts only once the station is stable, waiting at
    // most this many minutes (the settings' when not given).
    bool startWhenStable = false;
    int longestWait = 0;
    CLI::Option* longestWaitOption = nullptr;
    std::string printPdf;  // the printout as a PDF at the end
    CLI::Option* printPdfOption = nullptr;
    // Each value column of the data file followed by its standard uncertainty.
    bool recordUncertainties = false;
    // The page's units (its unit lists): of the lines, the data file and the run files.
    std::string temperatureUnit = "°C";
    std::string pressureUnit = "kPa";
    std::string enthalpyUnit = "kcal/kg";
};

// Exit statuses, what is printed, examples: the end of `lab run --help`.
extern const char* const kLabRunFooter;

// Adds the options of `lab run` to its subcommand.
void AddLabRunOptions(CLI::App& run, LabRunOptions& options);
// Runs the station; the exit status: 0 done, 1 it could not run or keep what
// it measured (no instrument opened, the settings use none, the data file or a
// correction table in use cannot be loaded, not one result computed), 2 a usage
// error, 3 it ran but its calibration run did not give its N rows.
int RunLabStation(const LabRunOptions& options);

}  // namespace wegator::cli
