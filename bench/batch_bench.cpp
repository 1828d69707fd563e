// The batch path of wegator-cli: the rows of a CSV file read in blocks,
// checked, computed on fresh relative-humidity pages and written as CSV.
// Argument 0 is the program as it is (fast inversions, no printout laid out
// for a row that is never printed); 1 is the batch as it was before, with the
// plain bisections and a printout laid out for every row.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <streambuf>
#include <string>

#include "command.h"
#include "evaluation_output.h"
#include "input_file.h"

namespace {

constexpr int kBatchRows = 2000;

// Output of a benchmark: the bytes are produced and let go.
class Discard : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// A logger's batch: dew point and temperature with their uncertainties and
// P1, P2 near the atmosphere, a few rows ending in a message as real files do.
// Written once, removed at exit.
char batchFile[] = "/tmp/wegator-batch-bench-XXXXXX";

std::string BatchFile() {
    static const bool written = [] {
        const int fd = ::mkstemp(batchFile);
        if (fd < 0) std::abort();
        std::string text = "p1,u-p1,p2,dp,u-dp,t,u-t\n";
        std::mt19937 random(20261207u);
        std::uniform_real_distribution<double> temperature(-40.0, 80.0), depression(0.5, 30.0), pressure(80.0, 120.0);
        char row[160];
        for (int i = 0; i < kBatchRows; ++i) {
            const double t = temperature(random);
            std::snprintf(row, sizeof row, "%.3f,0.05,%.3f,%.3f,0.1,%.3f,0.1\n", pressure(random), pressure(random),
                          t - depression(random), t);
            text += row;
        }
        if (::write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) std::abort();
        ::close(fd);
        std::atexit([] { std::remove(batchFile); });
        return true;
    }();
    return written ? batchFile : "";
}

void BatchRows(benchmark::State& state) {
    const bool before = state.range(0) == 1;
    const auto command = wegator::cli::MakeRelativeHumidityCommand();
    command->SetBuildPrintout(before);
    if (before) command->SetInversions(wegator::HumidityEngine::Inversions::Bisection);
    const std::string file = BatchFile();
    Discard discard;
    std::ostream out(&discard), err(&discard);
    for (auto _ : state) {
        wegator::cli::TwoPassInput input(file, "the batch file");
        benchmark::DoNotOptimize(wegator::cli::RunBatchRows(*command, input, false, out, err));
    }
    state.counters["rows_per_second"] =
        benchmark::Counter(static_cast<double>(kBatchRows) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BatchRows)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
