// "wegator-cli lab read": reads instruments on their serial ports until a
// number of readings, a time or an interrupt ends the run, and prints every
// accepted reading with its correction as it comes.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "lab/lines/stream.h"
#include "lab_output.h"

namespace wegator::cli {

struct LabReadOptions {
    struct Port {
        lab::Stream stream;
        std::string name;  // "COMn" or a device path, as given
    };
    std::vector<Port> ports;
    lab::F250Command f250Input = lab::F250Command::InputA;
    LabTables tables;
    std::optional<long long> count;  // readings, all instruments together
    std::optional<double> seconds;
    bool retry = false;    // reopen a port that failed or vanished
    bool json = false;     // one JSON object per line
    bool dropped = false;  // report every dropped line on standard error
};

// Exit status: 0 readings received and the run ended as asked (count, time,
// interrupt); 1 a port failed (without --retry) or no reading came; 2
// standard output could not be written.
int RunLabRead(const LabReadOptions& options);

}  // namespace wegator::cli
