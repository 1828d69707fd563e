// The laboratory subcommands of wegator-cli:
//
//   lab read     read instruments on serial ports, corrected with .cal tables
//   lab decode   run an instrument's line decoder over bytes from a file
//   lab ports    the serial ports, as the settings list them
//   lab verify   a recorded data file or run series against its manifest
//   cal show     the rows of a .cal correction table
//   cal lookup   the interpolated correction and uncertainty at given readings
#pragma once

#include <CLI/CLI.hpp>
#include <memory>
#include <optional>

#include "lab/records/recorded_file.h"

namespace wegator::cli {

class LabCommands {
public:
    // Adds "lab" and "cal" with their subcommands.
    explicit LabCommands(CLI::App& app);
    ~LabCommands();
    LabCommands(const LabCommands&) = delete;
    LabCommands& operator=(const LabCommands&) = delete;

    // When one of these subcommands was chosen: runs it and returns its exit
    // status; nullopt otherwise. Throws UsageError for a mistake in the call.
    std::optional<int> Run();

    // How `lab verify` reads a recorded file: the user's date formats and
    // the languages its header may be in.
    void SetRecordedReadOptions(lab::RecordedReadOptions options);

private:
    struct Options;
    std::unique_ptr<Options> options_;
};

}  // namespace wegator::cli
