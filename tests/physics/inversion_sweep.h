// A sweep of the engine's inversions over their whole ranges, comparing the
// fast ones bit for bit with the plain bisections they replay. `make test`
// runs it at scale 1 (about a million inputs); the benchmark runs it ten
// times larger before it times anything.
#pragma once

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>

#include "physics/humidity_engine.h"

namespace wegator::sweep {

// The inversions swept, with their share of the inputs at scale 1.
enum Inversion {
    kDewPoint,
    kFrostPoint,
    kSaturationTemperatureWater,
    kSaturationTemperatureIce,
    kWetBulb,
    kIceBulb,
    kConstantWater,
    kConstantIce,
    kRangePredicates,
    kInversionCount
};
inline constexpr std::array<const char*, kInversionCount> kNames = {
    "DewPoint",         "FrostPoint",         "SaturationTemperatureWater", "SaturationTemperatureIce",
    "WetBulbTemperature", "IceBulbTemperature", "PsychrometerConstantWater",  "PsychrometerConstantIce",
    "CondensesBelowMinus100/Above100"};
// The ice constant's reference runs a saturation-temperature bisection inside
// each of its steps, so it gets fewer inputs.
inline constexpr std::array<long, kInversionCount> kInputs = {250000, 250000, 100000, 100000, 100000,
                                                              100000, 50000,  5000,   50000};

struct Result {
    std::array<long, kInversionCount> inputs{};
    std::array<long, kInversionCount> mismatches{};
    std::string firstMismatch;
    long Inputs() const {
        long n = 0;
        for (long i : inputs) n += i;
        return n;
    }
    long Mismatches() const {
        long n = 0;
        for (long i : mismatches) n += i;
        return n;
    }
};

class Sweep {
public:
    explicit Sweep(std::uint64_t seed) : random_(seed) {}

    // Sweeps one inversion over scale × its share of inputs, both formula sets.
    void Run(Inversion which, long scale, Result& result) {
        const long n = kInputs[which] * scale;
        for (long i = 0; i < n; ++i) {
            const int set = static_cast<int>(i % 2);
            fast_.SetFormulaSet(set);
            reference_.SetFormulaSet(set);
            const bool userConstants = i % 5 == 4;
            const double aw = userConstants ? Uniform(0.00045, 0.001) : HumidityEngine::kDefaultConstant;
            const double ai = userConstants ? Uniform(0.00045, 0.001) : HumidityEngine::kDefaultConstant;
            for (HumidityEngine* e : {&fast_, &reference_}) {
                e->SetPsychrometerConstantWater(aw);
                e->SetPsychrometerConstantIce(ai);
            }
            Compare(which, result);
        }
        result.inputs[which] += n;
    }

private:
    double Uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(random_); }
    double LogUniform(double lo, double hi) { return std::exp(Uniform(std::log(lo), std::log(hi))); }
    bool Chance(double p) { return Uniform(0.0, 1.0) < p; }

    // Pressures of the pages (3 kPa … 20 MPa), now and then those a limit search reaches.
    double Pressure() { return Chance(0.9) ? LogUniform(3000.0, 2e7) : LogUniform(50.0, 5e8); }

    // A temperature of an interval from -200 to 200 °C: mostly the formulas'
    // range, often close to where water and ice (or the factor's rows) meet,
    // sometimes exactly on an interval's edge.
    double Temperature() {
        static constexpr double kEdges[] = {-200.0, -150.0, -100.0, -50.0, 0.0, 50.0, 100.0, 150.0, 200.0};
        const double u = Uniform(0.0, 1.0);
        if (u < 0.55) return Uniform(-100.0, 100.0);
        if (u < 0.7) return Uniform(-1e-3, 1e-3);
        if (u < 0.8) return kEdges[std::uniform_int_distribution<int>(0, 8)(random_)] * (1.0 + Uniform(-1e-12, 1e-12));
        if (u < 0.85) return kEdges[std::uniform_int_distribution<int>(0, 8)(random_)];
        return Uniform(-200.0, 200.0);
    }

    // A vapour pressure whose dew or frost point is `t`, moved by a little, or
    // none at all (now and then any pressure, zero or negative).
    double VapourAt(Phase phase, double t, double p) {
        const double u = Uniform(0.0, 1.0);
        if (u < 0.03) return Chance(0.5) ? 0.0 : -Uniform(0.0, 10.0);
        if (u < 0.1) return LogUniform(1e-40, 1e9);
        const double g = reference_.MoistSaturationPressure(phase, t, p);
        if (u < 0.2) return g;
        return g * (1.0 + Uniform(-1e-9, 1e-9) * (Chance(0.5) ? 1.0 : 1e-4));
    }

    static bool Same(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

    template <typename... Args>
    void Check(Inversion which, double fast, double reference, Result& result, Args... args) {
        if (Same(fast, reference)) return;
        if (result.mismatches[which]++ == 0 && result.firstMismatch.empty()) {
            std::ostringstream text;
            text.precision(17);
            text << kNames[which] << " formula set " << fast_.FormulaSet() << " of";
            ((text << ' ' << args), ...);
            text << ": " << fast << ", bisection " << reference;
            result.firstMismatch = text.str();
        }
    }

    void Compare(Inversion which, Result& result) {
        switch (which) {
            case kDewPoint:
            case kFrostPoint: {
                const Phase phase = which == kDewPoint ? Phase::Water : Phase::Ice;
                // Half of them a neighbour of the last one, found from where
                // that one ended, as the uncertainty evaluation finds them.
                Neighbour& last = neighbours_[which];
                const bool near = Chance(0.5);
                const double p = near ? last.p : Pressure();
                const double t = near ? last.t + Uniform(-0.3, 0.3) : Temperature();
                const double e = VapourAt(phase, t, p);
                last.p = p, last.t = t;
                Check(which, fast_.Condensation(phase, e, p, near ? &last.hint : nullptr),
                      reference_.Condensation(phase, e, p), result, e, p);
                break;
            }
            case kSaturationTemperatureWater:
            case kSaturationTemperatureIce: {
                const bool ice = which == kSaturationTemperatureIce;
                const double range = ice ? 500.0 : 1000.0;
                double es = 0.0;
                const double u = Uniform(0.0, 1.0);
                if (u < 0.5) {
                    es = LogUniform(1e-300, 1e12);
                } else if (u < 0.6) {
                    // The table's ends, and just inside and outside them.
                    es = reference_.SaturationPressureIce(Chance(0.5) ? -range : range);
                    if (!ice) es = reference_.SaturationPressureWater(Chance(0.5) ? -range : range);
                    es *= 1.0 + Uniform(-1e-15, 1e-15) * (Chance(0.5) ? 1.0 : 0.0);
                } else {
                    const double t = Chance(0.7) ? Temperature() : Uniform(-range, range);
                    es = ice ? reference_.SaturationPressureIce(t) : reference_.SaturationPressureWater(t);
                    if (Chance(0.8)) es *= 1.0 + Uniform(-1e-9, 1e-9);
                }
                const double a = ice ? fast_.SaturationTemperatureIce(es) : fast_.SaturationTemperatureWater(es);
                const double b =
                    ice ? reference_.SaturationTemperatureIce(es) : reference_.SaturationTemperatureWater(es);
                Check(which, a, b, result, es);
                break;
            }
            case kWetBulb:
            case kIceBulb: {
                const bool ice = which == kIceBulb;
                Neighbour& last = neighbours_[which];
                const bool near = Chance(0.5);
                const double p = near ? last.p : Pressure() / 1000.0;
                const double t = near ? last.t + Uniform(-0.3, 0.3)
                                      : Chance(0.9) ? Uniform(-100.0, 100.0) : Uniform(-200.0, 200.0);
                const double td = near ? last.td + Uniform(-0.3, 0.3) : Chance(0.8) ? t - Uniform(0.0, 60.0) : Temperature();
                last.p = p, last.t = t, last.td = td;
                double e = ice ? reference_.SaturationPressureIce(td) : reference_.SaturationPressureWater(td);
                if (Chance(0.05)) e = Uniform(-100.0, 100.0);
                // About the reading at the bisection's second midpoint, -500 °C, where the
                // default constant's reading turns from falling to rising.
                if (Chance(0.02)) {
                    e = (ice ? reference_.PsychrometricPressureIce(t, -500.0, p)
                             : reference_.PsychrometricPressureWater(t, -500.0, p)) *
                        (1.0 + Uniform(-1e-6, 1e-6));
                }
                const double a =
                    fast_.BulbTemperature(ice ? Phase::Ice : Phase::Water, p, t, e, near ? &last.hint : nullptr);
                const double b = ice ? reference_.IceBulbTemperature(p, t, e) : reference_.WetBulbTemperature(p, t, e);
                Check(which, a, b, result, p, t, e);
                break;
            }
            case kConstantWater:
            case kConstantIce: {
                const bool ice = which == kConstantIce;
                const double p = Pressure() / 1000.0;
                const double t = Uniform(-100.0, 100.0);
                const double bulb = t - (Chance(0.9) ? Uniform(0.0, 15.0) : Uniform(-5.0, 5.0));
                const double reference = bulb - (Chance(0.9) ? Uniform(0.0, 20.0) : Uniform(-5.0, 5.0));
                const double a = ice ? fast_.PsychrometerConstantIce(t, bulb, reference, p)
                                     : fast_.PsychrometerConstantWater(t, bulb, reference, p);
                const double b = ice ? reference_.PsychrometerConstantIce(t, bulb, reference, p)
                                     : reference_.PsychrometerConstantWater(t, bulb, reference, p);
                Check(which, a, b, result, t, bulb, reference, p);
                break;
            }
            default: {
                const Phase phase = Chance(0.5) ? Phase::Water : Phase::Ice;
                const double p = Pressure();
                const double t = Chance(0.5) ? (Chance(0.5) ? -100.0 : 100.0) + Uniform(-1e-9, 1e-9) : Temperature();
                const double e = VapourAt(phase, t, p);
                Check(which, fast_.CondensesBelowMinus100(phase, e, p),
                      reference_.Condensation(phase, e, p) < -100.0, result, "below", e, p);
                Check(which, fast_.CondensesAbove100(phase, e, p), reference_.Condensation(phase, e, p) > 100.0,
                      result, "above", e, p);
                // Both bisections move their lower end at their first midpoint, 0 °C.
                Check(which, fast_.FrostPointIsDewPoint(e, p),
                      !(reference_.MoistSaturationPressure(Phase::Water, 0.0, p) > e) &&
                          !(reference_.MoistSaturationPressure(Phase::Ice, 0.0, p) > e),
                      result, "frost point is dew point", e, p);
                break;
            }
        }
    }

    // The last input of an inversion, and where its fast search ended.
    struct Neighbour {
        double p = 101325.0, t = 20.0, td = 10.0;
        HumidityEngine::InversionHint hint;
    };
    std::array<Neighbour, kInversionCount> neighbours_{};
    std::mt19937_64 random_;
    HumidityEngine fast_;
    HumidityEngine reference_ = [] {
        HumidityEngine e;
        e.SetInversions(HumidityEngine::Inversions::Bisection);
        return e;
    }();
};

}  // namespace wegator::sweep
