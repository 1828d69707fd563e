// wegator-sim: the laboratory's serial instruments played on pseudo-terminals.
#include <csignal>
#include <iostream>

#include "options.h"
#include "simulator.h"

namespace {
volatile std::sig_atomic_t gStop = 0;
void OnSignal(int) { gStop = 1; }
}  // namespace

int main(int argc, char** argv) {
    const wegator::sim::ParseResult parsed = wegator::sim::ParseCommandLine(argc, argv);
    if (!parsed.options) {
        (parsed.exitCode == 0 ? std::cout : std::cerr) << parsed.message << (parsed.exitCode == 0 ? "" : "\n");
        return parsed.exitCode;
    }
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    for (int s : {SIGINT, SIGTERM, SIGHUP}) sigaction(s, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    return wegator::sim::RunSimulator(*parsed.options, std::cout, std::cerr, gStop);
}
