// The saturation-vapour-pressure formulas, the enhancement factor's
// coefficients and the fixed intervals and constants HumidityEngine works
// with, shared by its formulas (humidity_engine.cpp) and its inversions
// (humidity_inversions.cpp), which must evaluate them by the very same
// expressions. Internal to the engine.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include "physics/humidity_engine.h"

namespace wegator::engine_detail {

constexpr double kZeroCelsius = 273.15;
// Below absolute zero the formulas have no meaning; evaluate just above it.
constexpr double kAbsoluteZero = -273.15;
constexpr double kJustAboveAbsoluteZero = -273.14;

// Near absolute zero exp(ln e) underflows to 0. A vapour pressure of exactly
// zero would make the enhancement factor and the inverses meaningless (P/e),
// so the smallest positive double stands in for "vanishingly small".
constexpr double kTinyPressure = std::numeric_limits<double>::min();

inline double Absolute(double t) {
    if (t <= kAbsoluteZero) t = kJustAboveAbsoluteZero;
    return t + kZeroCelsius;
}

inline double PositivePressure(double lnE) {
    const double e = std::exp(lnE);
    return e > 0.0 ? e : kTinyPressure;
}

// Hardy (1998), ITS-90: saturation vapour pressure over water.
inline double LnWaterIts90(double T) {
    constexpr double g0 = -2836.5744, g1 = -6028.076559, g2 = 19.54263612, g3 = -0.02737830188,
                     g4 = 1.6261698e-5, g5 = 7.0229056e-10, g6 = -1.8680009e-13, g7 = 2.7150305;
    return g0 / (T * T) + g1 / T + g2 + g3 * T + g4 * T * T + g5 * T * T * T + g6 * T * T * T * T +
           g7 * std::log(T);
}

// Sonntag (1990): saturation vapour pressure over water.
inline double LnWaterGuide(double T) {
    return -6096.9385 / T + 21.2409642 - 2.711193e-2 * T + 1.673952e-5 * T * T + 2.433502 * std::log(T);
}

// Hardy (1998), ITS-90: saturation vapour pressure over ice.
inline double LnIceIts90(double T) {
    constexpr double k0 = -5866.6426, k1 = 22.32870244, k2 = 1.39387003e-2, k3 = -3.4262402e-5,
                     k4 = 2.7040955e-8, k5 = 0.67063522;
    return k0 / T + k1 + k2 * T + k3 * T * T + k4 * T * T * T + k5 * std::log(T);
}

// Sonntag (1990): saturation vapour pressure over ice.
inline double LnIceGuide(double T) {
    return -6024.5282 / T + 29.32707 + 1.0613868e-2 * T - 1.3198825e-5 * T * T - 0.49382577 * std::log(T);
}

// Coefficients of the enhancement factor f = exp(α(1 - e_s/P) + β(P/e_s - 1)),
// α = A0 + A1·t + A2·t² + A3·t³, β = exp(B0 + B1·t + B2·t² + B3·t³), t in °C.
struct EnhancementCoefficients {
    double a0, a1, a2, a3, b0, b1, b2, b3;
};

// Hardy (1998).
constexpr EnhancementCoefficients kIts90WaterAbove0 = {3.53624e-4,  2.9328363e-5,  2.6168979e-7,
                                                       8.5813609e-9, -10.7588,     6.3268134e-2,
                                                       -2.5368934e-4, 6.3405286e-7};
constexpr EnhancementCoefficients kIts90WaterBelow0 = {3.62183e-4,  2.6061244e-5,  3.866777e-7,
                                                       3.8268958e-9, -10.7604,     6.3987441e-2,
                                                       -2.6351566e-4, 1.6725084e-6};
constexpr EnhancementCoefficients kIts90IceTo50 = {3.61345e-4,  2.9471685e-5,  5.2191167e-7,
                                                   5.019421e-9, -10.7401,      7.3698447e-2,
                                                   -2.6890021e-4, 1.5395086e-6};
constexpr EnhancementCoefficients kIts90IceBelow50 = {9.8830022e-4, 5.7429701e-5,  8.9023096e-7,
                                                      6.2038841e-9, -10.415113,    9.1177156e-2,
                                                      -5.1128274e-5, 3.5499292e-6};
// The humidity-measurement guide.
constexpr EnhancementCoefficients kGuideWaterAbove0 = {3.53624e-4, 2.93228e-5, 2.61474e-7, 8.57538e-9,
                                                       -10.7588,   6.32529e-2, -2.53591e-4, 6.33784e-7};
constexpr EnhancementCoefficients kGuideWaterBelow0 = {3.62183e-4, 2.60553e-5, 3.86501e-7, 3.82449e-9,
                                                       -10.7604,   6.39725e-2, -2.63416e-4, 1.67254e-6};
constexpr EnhancementCoefficients kGuideIceTo50 = {3.61345e-4, 2.9465e-5,  5.21676e-7,  5.01622e-9,
                                                   -10.7401,   7.36812e-2, -2.68806e-4, 1.53964e-6};
constexpr EnhancementCoefficients kGuideIceBelow50 = {9.88896e-4, 5.74491e-5, 8.90422e-7,  6.20355e-9,
                                                      -10.4148,   9.11735e-2, -5.14117e-5, 3.55087e-6};

// The two parts of the factor that depend on t alone (t above absolute zero).
struct FactorTerms {
    double alpha;     // α
    double betaPoly;  // ln β
    double beta;      // β
};
inline FactorTerms Terms(const EnhancementCoefficients& c, double t) {
    const double betaPoly = c.b0 + c.b1 * t + c.b2 * t * t + c.b3 * t * t * t;
    return {c.a0 + c.a1 * t + c.a2 * t * t + c.a3 * t * t * t, betaPoly, std::exp(betaPoly)};
}
inline double Factor(const FactorTerms& k, double es, double p) {
    return std::exp(k.alpha * (1.0 - es / p) + k.beta * (p / es - 1.0));
}

inline double Enhancement(const EnhancementCoefficients& c, double es, double t, double p) {
    // The fits mean nothing below absolute zero either; clamping like the
    // vapour pressures keeps β from vanishing against an infinite P/e_s.
    if (t <= kAbsoluteZero) t = kJustAboveAbsoluteZero;
    return Factor(Terms(c, t), es, p);
}

// ∂(ln f)/∂t = α'·(1 - e_s/P) + β'·(P/e_s - 1) at fixed e_s and P.
inline double EnhancementSlope(const EnhancementCoefficients& c, double es, double t, double p) {
    if (t <= kAbsoluteZero) return 0.0;
    const double dAlpha = c.a1 + 2.0 * c.a2 * t + 3.0 * c.a3 * t * t;
    const double dBeta = Terms(c, t).beta * (c.b1 + 2.0 * c.b2 * t + 3.0 * c.b3 * t * t);
    return dAlpha * (1.0 - es / p) + dBeta * (p / es - 1.0);
}

// The row of coefficients in force at t: water's split at 0 °C; ice takes
// water's upper row at and above 0 °C and splits at -50 °C below.
inline const EnhancementCoefficients& WaterRow(bool its90, double t) {
    return its90 ? (t >= 0.0 ? kIts90WaterAbove0 : kIts90WaterBelow0)
                 : (t >= 0.0 ? kGuideWaterAbove0 : kGuideWaterBelow0);
}
inline const EnhancementCoefficients& IceRow(bool its90, double t) {
    if (t >= 0.0) return WaterRow(its90, t);
    return its90 ? (t >= -50.0 ? kIts90IceTo50 : kIts90IceBelow50) : (t >= -50.0 ? kGuideIceTo50 : kGuideIceBelow50);
}

// The enhancement-factor fits hold down to -100 °C. Below it the factor of
// saturated air at -100 °C is used: extrapolated, β·P/e_s grows so fast that
// e_s·f turns round (near -126 °C over water at 10 MPa) and then overflows.
constexpr double kLowestFactorTemperature = -100.0;

// Relative standard uncertainty given to the enhancement factor when the
// formulas' own uncertainty is counted.
constexpr double kEnhancementShiftUp = 1.0008;
constexpr double kEnhancementShiftDown = 0.9992;

// The factors by which an error of the formulas of z standard uncertainties
// moves a saturation pressure (of relative uncertainty r) and the enhancement
// factor: z = ±1 is the step the propagation takes (the very factors above),
// any other z a Monte Carlo draw.
struct FormulaErrorFactors {
    double pressure;
    double enhancement;
};
constexpr FormulaErrorFactors FormulaError(double z, double r) {
    if (z == 1.0) return {1.0 + r, kEnhancementShiftUp};
    if (z == -1.0) return {1.0 - r, kEnhancementShiftDown};
    return {1.0 + z * r, 1.0 + z * (kEnhancementShiftUp - 1.0)};
}

// Width at which the dew- and frost-point bisections stop, °C.
constexpr double kDewPointTolerance = 1e-11;
constexpr double kDewPointLow = -200.0;
constexpr double kDewPointHigh = 200.0;

// Sentinels of the saturation-temperature inverses outside their tables.
constexpr double kBelowTable = -100.0;
constexpr double kAboveTable = 100.0;

// Psychrometer defaults (1/K).
constexpr double kDefaultWaterConstant = 0.000653;
constexpr double kDefaultWaterConstantSlope = 0.000944;
constexpr double kDefaultIceConstant = 0.000575;

constexpr double kBulbLow = -1000.0;
constexpr double kBulbHigh = 1000.0;
constexpr double kBulbTolerance = 1e-9;

constexpr double kConstantSearchLow = 0.000224;
constexpr double kConstantSearchHigh = 0.002001;
constexpr double kConstantLowest = 0.000225;
constexpr double kConstantHighest = 0.002;
constexpr double kConstantTolerance = 1e-11;

}  // namespace wegator::engine_detail
