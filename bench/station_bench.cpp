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
#include "lab/laboratory_page.h"

namespace {

using namespace wegator;
using namespace wegator::lab;
using namespace wegator::lab::testing;

// Ports that always open; commands go nowhere.
class NullLink : public InstrumentLink {
public:
    bool Open(Stream, int, std::string&) override { return true; }
    void Close(Stream) override {}
    void Send(Stream, F250Command) override {}
};

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

struct BenchStation {
    BenchStation() : page(host, time, time, link, eight) {
        time.SetTickHandler([this](int id) { page.OnTimer(id); });
        Settings s;
        s.settingsLabDevices = 1;
        s.settingsPortComQx316 = 1;
        s.settingsPortComEnvQx310 = 2;
        s.settingsPortComDp30 = 3;
        s.settingsPortComQx310 = 4;
        s.settingsPortComQx311 = 5;
        s.settingsPortComF250 = 6;
        s.settingsPortEnvQx310Device = 1;
        s.settingsPortTempDevice = kSourceF250WithGradient;
        s.settingsQx311Deviation = 1;
        SaveFileContents contents;
        contents = {true, true, true, true, true, true, true, true, true, true, true, true, true, true, true};
        s.saveFileCode = EncodeSaveFileCode(contents);
        page.ApplySettings(s);
        page.SetUp();
        page.Activate();
        time.Advance(500);
        page.Data().Attach(std::make_unique<NullSink>(), "bench.csv");
    }
    void Feed(Stream stream, const std::string& line) {
        for (char c : line) page.OnByte(stream, static_cast<std::uint8_t>(c), time.MonotonicMs());
    }

    VirtualTime time;
    RecordingLabHost host;
    NullLink link;
    EightChannelPage eight;
    LaboratoryPage page;
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
