// The simulator's command line and station files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "instrument.h"

namespace wegator::sim {

struct SimOptions {
    std::vector<InstrumentOptions> instruments;
    bool fast = false;  // no pacing at the baud rate
    std::uint64_t seed = 1;
    std::string logFile;   // empty: no log
    long count = 0;        // periods per instrument, 0: no limit
    double seconds = 0.0;  // run time, 0: no limit
};

// What parsing the command line gave: options, or a message and the exit code
// (0 after --help, 2 for a usage error), or a station file that could not be read (1).
struct ParseResult {
    std::optional<SimOptions> options;
    std::string message;
    int exitCode = 0;
};

ParseResult ParseCommandLine(int argc, const char* const* argv);

// One station file line, "INSTRUMENT [OPTIONS…]", into an instrument; the
// message says what is wrong with it.
std::optional<InstrumentOptions> ParseStationLine(const std::string& line, std::string& message);

}  // namespace wegator::sim
