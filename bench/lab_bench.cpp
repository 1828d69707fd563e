// Cost of the laboratory's instrument decoding and correction tables. Every
// received byte passes a decoder on the window's thread, so one second of all
// six streams at their full line rate should cost well under a millisecond.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <bit>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "lab/tables/cal_file.h"
#include "lab/tables/calibration_table.h"
#include "lab/lines/stream_decoder.h"

namespace {

using namespace wegator::lab;

// A QX frame from its data characters, with the start character, odd parity and CR.
std::string Qx(std::string_view body) {
    std::string frame(1, '@');
    for (char c : body) frame += static_cast<char>(std::popcount(static_cast<unsigned>(c)) % 2 ? c : c | 0x40);
    return frame + '\r';
}

// One typical line of each stream.
std::string LineOf(Stream s) {
    switch (s) {
        case Stream::Qx311: return Qx("0341230123450");
        case Stream::Qx316: return Qx("0341210132");
        case Stream::Dp30: return "R**B*-012.34\r";
        case Stream::F250: return "\nA 23.456C\r";
        default: return Qx("034124561234");
    }
}

// The bytes a stream carries in `seconds` at its full baud rate, in whole lines.
std::string FullRate(Stream s, double seconds) {
    const LineSettings l = StreamLineSettings(s);
    const auto bytes = static_cast<std::size_t>(seconds * l.baud / (l.dataBits + l.stopBits + 1));
    const std::string line = LineOf(s);
    std::string out;
    while (out.size() + line.size() <= bytes) out += line;
    return out;
}

// Bytes to readings: items are lines.
void DecodeLines(benchmark::State& state) {
    const auto stream = static_cast<Stream>(state.range(0));
    std::string bytes;
    for (int i = 0; i < 1000; ++i) bytes += LineOf(stream);
    StreamDecoder decoder(stream);
    std::int64_t t = 0;
    std::size_t readings = 0;
    for (auto _ : state) {
        for (char c : bytes) {
            if (auto r = decoder.Feed(static_cast<std::uint8_t>(c), t)) readings += r->reading.has_value();
        }
        t += 1;
        benchmark::DoNotOptimize(readings);
    }
    if (readings == 0) state.SkipWithError("no reading");
    state.SetItemsProcessed(state.iterations() * 1000);
    state.SetLabel(std::string(StreamName(stream)));
}
BENCHMARK(DecodeLines)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);

// One second of all six streams at full line rate, bytes interleaved as they arrive.
void OneSecondOfAllStreams(benchmark::State& state) {
    std::vector<StreamDecoder> decoders;
    std::vector<std::string> seconds;
    for (Stream s : kAllStreams) {
        decoders.emplace_back(s);
        seconds.push_back(FullRate(s, 1.0));
    }
    std::size_t total = 0;
    for (const auto& b : seconds) total += b.size();
    std::int64_t t = 0;
    for (auto _ : state) {
        for (std::size_t k = 0; k < decoders.size(); ++k) {
            for (char c : seconds[k]) benchmark::DoNotOptimize(decoders[k].Feed(static_cast<std::uint8_t>(c), t));
        }
        t += 1;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * total));
    state.SetLabel(std::to_string(total) + " bytes");
}
BENCHMARK(OneSecondOfAllStreams)->Unit(benchmark::kMicrosecond);

CalibrationTable TableOf(int points) {
    CalibrationTable t;
    for (int i = 0; i < points; ++i) t.Insert(-50.0 + i * 150.0 / points, 0.001 * i, 0.01);
    return t;
}

void Correction(benchmark::State& state) {
    const CalibrationTable table = TableOf(static_cast<int>(state.range(0)));
    double x = 23.4567;
    for (auto _ : state) {
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(table.Correction(x));
    }
}
BENCHMARK(Correction)->Arg(20)->Arg(1000);

void ReadThousandRowCalFile(benchmark::State& state) {
    const auto file = std::filesystem::temp_directory_path() / ("wegator_bench_" + std::to_string(::getpid()) + ".cal");
    const CalibrationTable table = TableOf(1000);
    WriteCalFile(file, table.Entries());
    for (auto _ : state) {
        const CalParseResult r = ReadCalFile(file);
        if (!r.ok || r.rows.size() != 1000) state.SkipWithError("not read");
        benchmark::DoNotOptimize(r.rows.data());
    }
    std::filesystem::remove(file);
}
BENCHMARK(ReadThousandRowCalFile)->Unit(benchmark::kMicrosecond);

}  // namespace
