// Cost of the humidity engine's elementary operations. A dew point should
// cost little more than its ~45 evaluations of e_w and f_w.
#include <benchmark/benchmark.h>

#include "physics/humidity_engine.h"

namespace {

using wegator::HumidityEngine;

HumidityEngine MakeEngine(const benchmark::State& state) {
    HumidityEngine e;
    e.SetFormulaSet(static_cast<std::int32_t>(state.range(0)));
    return e;
}

void SaturationPressureWater(benchmark::State& state) {
    const HumidityEngine e = MakeEngine(state);
    double t = 20.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(t);
        benchmark::DoNotOptimize(e.SaturationPressureWater(t));
    }
}

void SaturationPressureIce(benchmark::State& state) {
    const HumidityEngine e = MakeEngine(state);
    double t = -20.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(t);
        benchmark::DoNotOptimize(e.SaturationPressureIce(t));
    }
}

void EnhancementFactorWater(benchmark::State& state) {
    const HumidityEngine e = MakeEngine(state);
    double t = 20.0, p = 101325.0;
    const double es = e.SaturationPressureWater(t);
    for (auto _ : state) {
        benchmark::DoNotOptimize(t);
        benchmark::DoNotOptimize(e.EnhancementFactorWater(es, t, p));
    }
}

void DewPoint(benchmark::State& state) {
    const HumidityEngine e = MakeEngine(state);
    double wvp = 1232.88, p = 101325.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(wvp);
        benchmark::DoNotOptimize(e.DewPoint(wvp, p));
    }
}

void FrostPoint(benchmark::State& state) {
    const HumidityEngine e = MakeEngine(state);
    double wvp = 103.3, p = 101325.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(wvp);
        benchmark::DoNotOptimize(e.FrostPoint(wvp, p));
    }
}

void WetBulbTemperature(benchmark::State& state) {
    const HumidityEngine e = MakeEngine(state);
    double wvp = 1228.1, t = 20.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(wvp);
        benchmark::DoNotOptimize(e.WetBulbTemperature(101.325, t, wvp));
    }
}

void PsychrometerConstantWater(benchmark::State& state) {
    const HumidityEngine e = MakeEngine(state);
    double t = 22.0, tw = 16.0, td = 12.7;
    for (auto _ : state) {
        benchmark::DoNotOptimize(td);
        benchmark::DoNotOptimize(e.PsychrometerConstantWater(t, tw, td, 100.0));
    }
}

}  // namespace

// Argument: formula set (0 ITS-90, 1 the humidity-measurement guide).
BENCHMARK(SaturationPressureWater)->Arg(0)->Arg(1);
BENCHMARK(SaturationPressureIce)->Arg(0)->Arg(1);
BENCHMARK(EnhancementFactorWater)->Arg(0)->Arg(1);
BENCHMARK(DewPoint)->Arg(0)->Arg(1);
BENCHMARK(FrostPoint)->Arg(0)->Arg(1);
BENCHMARK(WetBulbTemperature)->Arg(0)->Arg(1);
BENCHMARK(PsychrometerConstantWater)->Arg(0)->Arg(1);
