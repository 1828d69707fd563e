// HumidityEngine's formulas: saturation vapour pressures over water and ice,
// the enhancement factor, the psychrometer equation and the formulas' own
// uncertainty. Its inversions are in humidity_inversions.cpp.
#include "physics/humidity_engine.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "physics/saturation_formulas.h"

namespace wegator {

using namespace engine_detail;

double RelativeHumidityPercent(double e, double es) { return 100.0 / es * e; }
double PercentRatio(double a, double b) { return a / b * 100.0; }
double PercentOf(double a, double b) { return a * b * 0.01; }
double Enthalpy(double t, double ppmw) { return 0.24 * t + (595.0 + 0.47 * t) * ppmw * 1e-6; }

bool IsDefaultConstant(double a) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(HumidityEngine::kDefaultConstant);
}

double HumidityEngine::SaturationPressureWater(double t) const {
    const double T = Absolute(t);
    return PositivePressure(Its90() ? LnWaterIts90(T) : LnWaterGuide(T));
}

double HumidityEngine::SaturationPressureIce(double t) const {
    if (t > 0.0) return SaturationPressureWater(t);
    const double T = Absolute(t);
    return PositivePressure(Its90() ? LnIceIts90(T) : LnIceGuide(T));
}

double HumidityEngine::EnhancementFactorWater(double es, double t, double p) const {
    return Enhancement(WaterRow(Its90(), t), es, t, p);
}

double HumidityEngine::EnhancementFactorIce(double es, double t, double p) const {
    return Enhancement(IceRow(Its90(), t), es, t, p);
}

double HumidityEngine::MoistAirFactor(Phase phase, double es, double t, double p) const {
    const bool ice = phase == Phase::Ice;
    if (t < kLowestFactorTemperature) {
        t = kLowestFactorTemperature;
        es = ice ? SaturationPressureIce(t) : SaturationPressureWater(t);
    }
    return ice ? EnhancementFactorIce(es, t, p) : EnhancementFactorWater(es, t, p);
}

double HumidityEngine::MoistAirFactorSlope(Phase phase, double es, double t, double p) const {
    if (t < kLowestFactorTemperature) return 0.0;
    return EnhancementSlope(phase == Phase::Ice ? IceRow(Its90(), t) : WaterRow(Its90(), t), es, t, p);
}

double HumidityEngine::MoistSaturationPressure(Phase phase, double t, double p, double formulaShift) const {
    const bool ice = phase == Phase::Ice;
    double es = ice ? SaturationPressureIce(t) : SaturationPressureWater(t);
    double factorShift = 1.0;
    if (formulaShift != 0.0) {
        const FormulaErrorFactors error =
            FormulaError(formulaShift, ice ? FormulaUncertaintyIce(t) : FormulaUncertaintyWater(t));
        es *= error.pressure;
        factorShift = error.enhancement;
    }
    return es * MoistAirFactor(phase, es, t, p) * factorShift;
}

double HumidityEngine::FormulaUncertaintyWater(double t) const {
    return t >= 0.0 ? 0.0001 : 0.006;
}

double HumidityEngine::FormulaUncertaintyIce(double t) const {
    return t > 0.0 ? FormulaUncertaintyWater(t) : 0.01;
}

double HumidityEngine::EffectiveConstantWater(double tw) const {
    if (IsDefaultConstant(constantWater_)) {
        return kDefaultWaterConstant * (1.0 + kDefaultWaterConstantSlope * tw);
    }
    return constantWater_;
}

double HumidityEngine::EffectiveConstantIce() const {
    return IsDefaultConstant(constantIce_) ? kDefaultIceConstant : constantIce_;
}

double HumidityEngine::PsychrometricPressureWater(double t, double tw, double pKilopascal) const {
    return SaturationPressureWater(tw) - EffectiveConstantWater(tw) * 1000.0 * pKilopascal * (t - tw);
}

double HumidityEngine::PsychrometricPressureIce(double t, double ti, double pKilopascal) const {
    return SaturationPressureIce(ti) - EffectiveConstantIce() * 1000.0 * pKilopascal * (t - ti);
}

}  // namespace wegator
