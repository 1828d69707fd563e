// Cost of the laboratory station on the window's thread: everything between
// two observations must leave the window idle nearly all the time.
//
//   StationCycle: three instrument lines, one observation of each input, a
//   recomputation with its 40 result texts and one data-file record (goal: at
//   most 100 µs).
//   SixStreamsOneSecond: one second of all six instrument streams at their
//   full line rate through the page, with the second's timer ticks (goal: at
//   most 1 ms).
#include <benchmark/benchmark.h>

#include <string>

#include "../tests/lab/lab_test_support.h"
#include "../tests/lab/station_test_support.h"
#include "lab/station/laboratory_page.h"

namespace {

using namespace wegator;
using namespace wegator::lab;
using namespace wegator::lab::testing;

// A disk that takes every record.
class NullSink : public LineSink {
public:
    bool Append(std::string_view lines) override {
        bytes += lines.size();
        return true;
    }
    bool StartedAnew() override { return false; }
    std::string Error() const override { return {}; }
    std::size_t bytes = 0;
};

// Every instrument on, the F-250 with the QX-311's gradient, every column
// of the data file written to a disk that takes everything.
struct BenchStation : VirtualStation {
    BenchStation() : VirtualStation(BenchSettings()) {
        link.logging = false;
        Start();
        page.Data().Attach(std::make_unique<NullSink>(), "bench.csv");
    }
    static Settings BenchSettings() {
        Settings s = StationSettings();
        s.settingsPortEnvQx310Device = 1;
        s.settingsPortTempDevice = kSourceF250WithGradient;
        s.settingsQx311Deviation = 1;
        s.settingsLabValuesFromDevices = 10;
        s.saveFileCode = EncodeSaveFileCode(
            {true, true, true, true, true, true, true, true, true, true, true, true, true, true, true});
        return s;
    }
};

void StationCycle(benchmark::State& state) {
    BenchStation station;
    for (int c = 1; c <= 8; ++c) station.Feed(Stream::Qx311, QxChannel(c, 20.0 + 0.01 * c));
    double shift = 0.0;
    for (auto _ : state) {
        shift = shift > 0.5 ? 0.0 : shift + 0.01;
        station.Feed(Stream::Dp30, Dp30Line(10.0 + shift));
        station.Feed(Stream::F250, F250Line(20.0 + shift));
        station.Feed(Stream::Qx316, QxPressure(101.3 + shift));
        station.page.OnTimer(timer::kObservation);
        // A record recomputes first: the 40 results are formatted and filed.
        station.page.WriteRecord();
        benchmark::DoNotOptimize(station.page.ResultText(9, 3));
    }
}
BENCHMARK(StationCycle)->Unit(benchmark::kMicrosecond);

// The lines a stream carries in one second at its full baud rate.
std::string OneSecondOf(Stream stream) {
    const LineSettings l = StreamLineSettings(stream);
    const std::size_t bytes = static_cast<std::size_t>(l.baud / (l.dataBits + l.stopBits + 1));
    std::string line;
    switch (stream) {
        case Stream::Dp30: line = Dp30Line(10.25); break;
        case Stream::F250: line = F250Line(20.125); break;
        case Stream::Qx316: line = QxPressure(101.3); break;
        case Stream::Qx311: line = QxChannel(3, 20.5); break;
        default: line = QxEnvironment(45, 21.5); break;
    }
    std::string out;
    while (out.size() + line.size() <= bytes) out += line;
    return out;
}

void SixStreamsOneSecond(benchmark::State& state) {
    BenchStation station;
    std::string seconds[kStreamCount];
    std::size_t total = 0;
    for (Stream s : kAllStreams) total += (seconds[static_cast<int>(s)] = OneSecondOf(s)).size();
    for (auto _ : state) {
        for (Stream s : kAllStreams) station.Feed(s, seconds[static_cast<int>(s)]);
        station.time.Advance(1000);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * total));
}
BENCHMARK(SixStreamsOneSecond)->Unit(benchmark::kMicrosecond);

}  // namespace
