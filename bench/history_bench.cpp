// Cost of the station's history and its stability figures. The station adds
// some twenty readings a second and judges each quantity once a second, and a
// trend chart of a whole day is redrawn whenever its window moves, so adding
// must stay near a microsecond, the figures of a 10-minute window near ten,
// and a day's chart query well under a millisecond.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>

#include "lab/trends/history.h"
#include "lab/trends/stability.h"

namespace {

using namespace wegator::lab;

constexpr std::int64_t kSecond = 1000;
constexpr std::int64_t kDay = 24 * 3600 * kSecond;

double Value(std::int64_t t) { return -12.0 + 0.01 * std::sin(static_cast<double>(t) * 1e-4); }

// A history holding `ms` of one quantity at one reading a second.
History Filled(std::int64_t ms) {
    History history;
    for (std::int64_t t = 0; t <= ms; t += kSecond) history.Add(0, t, Value(t));
    return history;
}

// One reading of one quantity, folding into the buckets included.
void HistoryAdd(benchmark::State& state) {
    History history;
    std::int64_t t = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(history.Add(0, t, Value(t)));
        t += kSecond;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(HistoryAdd);

// The figures of the last 10 minutes (601 readings).
void StabilityFigures10Min(benchmark::State& state) {
    const History history = Filled(3600 * kSecond);
    for (auto _ : state) benchmark::DoNotOptimize(Figures(history, 0, 3600 * kSecond));
}
BENCHMARK(StabilityFigures10Min);

// The whole verdict after a day of stillness: the walk back to "stable since"
// crosses the whole history, its worst case.
void StabilityVerdictStableForADay(benchmark::State& state) {
    const History history = Filled(kDay);
    const StabilityCriterion criterion = DefaultCriterion(StabilityQuantity::DewOrFrostPoint);
    for (auto _ : state) benchmark::DoNotOptimize(Evaluate(history, 0, kDay, criterion));
}
BENCHMARK(StabilityVerdictStableForADay);

// A day folded into 1600 chart columns.
void HistoryQueryDay1600(benchmark::State& state) {
    const History history = Filled(kDay);
    for (auto _ : state) benchmark::DoNotOptimize(history.Query(0, 0, kDay, 1600));
}
BENCHMARK(HistoryQueryDay1600);

}  // namespace
