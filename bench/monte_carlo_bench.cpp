// Cost of a Monte Carlo evaluation: 10^6 draws of the dew point and
// temperature route with every input uncertain (DP, T, P1 and the formulas'
// two errors), on one thread and on every core. Goal: at most 2 s on one core.
#include <benchmark/benchmark.h>

#include "pages/humidity_monte_carlo.h"
#include "physics/humidity_engine.h"

namespace {

using namespace wegator;

CalculationRequest DewPointAndTemperature() {
    CalculationRequest r;
    r.route = Route::DewPointAndTemperature;
    r.values = {20.0, 10.0, 0.0, 0.0, 101.325, 101.325};
    r.uncertainties = {0.1, 0.1, 0.0, 0.0, 0.05, 0.0};
    r.formulaUncertainty = true;
    r.halves = {.water = true, .ice = false};
    return r;
}

// Argument: worker threads (0: one per core).
void BM_MonteCarloMillionDraws(benchmark::State& state) {
    const HumidityEngine engine;
    const CalculationRequest request = DewPointAndTemperature();
    montecarlo::Options options;
    options.draws = 1'000'000;
    options.threads = static_cast<unsigned>(state.range(0));
    for (auto _ : state) {
        const HumidityMonteCarlo mc = RunMonteCarlo(engine, request, options);
        benchmark::DoNotOptimize(mc.outcome.outputs.data());
    }
    state.counters["draws/s"] = benchmark::Counter(1e6, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_MonteCarloMillionDraws)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
