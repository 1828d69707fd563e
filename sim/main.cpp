// wegator-sim: the laboratory's serial instruments played on pseudo-terminals.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "options.h"
#include "simulator.h"

namespace {
volatile std::sig_atomic_t gStop = 0;
void OnSignal(int) { gStop = 1; }

// Whatever was printed must have reached standard output: the help into a
// full disk or a closed pipe is a failure, not a success.
int Flushed(int status) {
    errno = 0;
    std::cout.flush();
    if (std::cout.good() && std::fflush(stdout) == 0 && std::ferror(stdout) == 0) return status;
    const int error = errno;
    std::cerr << "wegator-sim: cannot write to standard output" << (error != 0 ? ": " : "")
              << (error != 0 ? std::strerror(error) : "") << '\n';
    return 2;
}

int Main(int argc, char** argv) {
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
}  // namespace

int main(int argc, char** argv) { return Flushed(Main(argc, argv)); }
