// SIGINT and SIGTERM end a long-running subcommand (lab read, lab run) the
// way its own end would: the event loop hears them through a pipe and the
// instruments and files close in order. A closed output pipe makes writes
// fail instead of killing the program. One instance at a time.
#pragma once

#include <signal.h>

namespace wegator::cli {

class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // Becomes readable when a signal came: watch it with a QSocketNotifier.
    int ReadEnd() const;

private:
    struct sigaction oldInt_ {};
    struct sigaction oldTerm_ {};
    struct sigaction oldPipe_ {};
};

}  // namespace wegator::cli
