// The simulator's run: pseudo-terminals for the instruments, lines sent while
// a program holds a port open and paced at the baud rate, commands received,
// faults played on time, and the log of it all.
#pragma once

#include <csignal>
#include <ostream>

#include "options.h"

namespace wegator::sim {

// Runs until --count or --seconds is reached, every instrument is unplugged
// for good, or `stop` becomes nonzero (a signal). Prints each port as
// "COMn /dev/pts/N" on `out`, problems on `err`. Returns the exit status: 0,
// or 1 when a pseudo-terminal, a link or the log could not be made.
int RunSimulator(const SimOptions& options, std::ostream& out, std::ostream& err, volatile std::sig_atomic_t& stop);

}  // namespace wegator::sim
