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

// Complete calculations with every input uncertain and the formula term on:
// these run on every press of the calculate button and every laboratory update.
namespace {

constexpr wegator::PreferenceList kPreference = {wegator::kInputT, wegator::kInputDewPoint, wegator::kInputP1,
                                                 wegator::kInputP2};

void ComputeFromDewPointAndTemperature(benchmark::State& state) {
    const HumidityEngine e;
    double t = 20.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(t);
        benchmark::DoNotOptimize(
            e.ComputeFromDewPointAndTemperature(t, 0.1, 10.0, 0.1, 100.0, 0.05, 101.325, true, kPreference, "°C",
                                                "kPa", ","));
    }
}

void ComputeFromTemperatureAndHumidity(benchmark::State& state) {
    const HumidityEngine e;
    double t = -5.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(t);
        benchmark::DoNotOptimize(e.ComputeFromTemperatureAndHumidity(t, 0.1, 60.0, 0.5, 100.0, 0.05, 150.0, true,
                                                                     kPreference, "°C", "kPa", ","));
    }
}

void ComputeFromDewPointAndHumidity(benchmark::State& state) {
    const HumidityEngine e;
    double rh = 45.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(rh);
        benchmark::DoNotOptimize(e.ComputeFromDewPointAndHumidity(rh, 0.5, -12.0, 0.1, 100.0, 0.05, 100.0, true,
                                                                  kPreference, "°C", "kPa", ","));
    }
}

// A frost point pushed below -100 °C at P2, with the output pressure blamed:
// the limit is a bisection over P2 with a frost point inside each step.
void ComputeFailingWithLimitSearch(benchmark::State& state) {
    const HumidityEngine e;
    const wegator::PreferenceList blameP2 = {wegator::kInputP2, wegator::kInputT, wegator::kInputT, wegator::kInputT};
    double dp = -99.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(dp);
        benchmark::DoNotOptimize(
            e.ComputeFromDewPointAndTemperature(20.0, 0.1, dp, 0.1, 100.0, 0.05, 80.0, true, blameP2, "°C", "kPa", ","));
    }
}

}  // namespace

BENCHMARK(ComputeFromDewPointAndTemperature)->Unit(benchmark::kMicrosecond);
BENCHMARK(ComputeFromTemperatureAndHumidity)->Unit(benchmark::kMicrosecond);
BENCHMARK(ComputeFromDewPointAndHumidity)->Unit(benchmark::kMicrosecond);
BENCHMARK(ComputeFailingWithLimitSearch)->Unit(benchmark::kMicrosecond);

namespace {

void ComputeFromMoistureContent(benchmark::State& state) {
    const HumidityEngine e;
    double ppmv = 5000.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ppmv);
        benchmark::DoNotOptimize(e.ComputeFromMoistureContent(wegator::ContentQuantity::Ppmv, ppmv, 50.0, 20.0, 0.1,
                                                              100.0, 0.05, 150.0, true, kPreference, "°C", "kPa",
                                                              ","));
    }
}

void ComputeFromPsychrometer(benchmark::State& state) {
    const HumidityEngine e;
    double tw = 15.0;
    const std::array<int, 3> history = {wegator::kInputBulb, wegator::kInputT, wegator::kInputP1};
    for (auto _ : state) {
        benchmark::DoNotOptimize(tw);
        benchmark::DoNotOptimize(
            e.ComputeFromPsychrometer(20.0, 0.1, tw, 0.1, 101.325, 0.05, true, history, "°C", "kPa", ","));
    }
}

}  // namespace

BENCHMARK(ComputeFromMoistureContent)->Unit(benchmark::kMicrosecond);
BENCHMARK(ComputeFromPsychrometer)->Unit(benchmark::kMicrosecond);
