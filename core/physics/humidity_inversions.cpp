// HumidityEngine's inversions: dew and frost points, saturation temperatures,
// wet- and ice-bulb temperatures and the psychrometer constants. Each is the
// plain bisection of its interval, or (Inversions::Fast) a certified Newton
// root that replays that bisection to the very same double.
#include "physics/humidity_engine.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "physics/certified_bisection.h"
#include "physics/saturation_formulas.h"

namespace wegator {

using namespace engine_detail;

namespace {

// ---------------------------------------------------------------------------
// What the fast inversions need beyond the values: slopes, rounding bounds and
// a first guess. Every value below is computed by the very expressions the
// bisections evaluate, so a point evaluated here is the bisection's own.

constexpr double kEps = std::numeric_limits<double>::epsilon();

// d(ln e)/dT of each saturation formula, 1/K (u = 1/T).
double DLnWaterIts90(double T, double u) {
    constexpr double g0 = -2836.5744, g1 = -6028.076559, g3 = -0.02737830188, g4 = 1.6261698e-5,
                     g5 = 7.0229056e-10, g6 = -1.8680009e-13, g7 = 2.7150305;
    return (-2.0 * g0 * u - g1) * u * u + g7 * u + g3 + T * (2.0 * g4 + T * (3.0 * g5 + T * 4.0 * g6));
}
double DLnWaterGuide(double T, double u) {
    return (6096.9385 * u + 2.433502) * u - 2.711193e-2 + 2.0 * 1.673952e-5 * T;
}
double DLnIceIts90(double T, double u) {
    constexpr double k0 = -5866.6426, k2 = 1.39387003e-2, k3 = -3.4262402e-5, k4 = 2.7040955e-8, k5 = 0.67063522;
    return (-k0 * u + k5) * u + k2 + T * (2.0 * k3 + T * 3.0 * k4);
}
double DLnIceGuide(double T, double u) {
    return (6024.5282 * u - 0.49382577) * u + 1.0613868e-2 - 2.0 * 1.3198825e-5 * T;
}

// d²(ln e)/dT² of each saturation formula, 1/K² (u = 1/T): the curvature of
// a second-order step.
double D2LnWaterIts90(double T, double u) {
    constexpr double g0 = -2836.5744, g1 = -6028.076559, g4 = 1.6261698e-5, g5 = 7.0229056e-10,
                     g6 = -1.8680009e-13, g7 = 2.7150305;
    return ((6.0 * g0 * u + 2.0 * g1) * u - g7) * u * u + 2.0 * g4 + T * (6.0 * g5 + T * 12.0 * g6);
}
double D2LnWaterGuide(double u) { return (-2.0 * 6096.9385 * u - 2.433502) * u * u + 2.0 * 1.673952e-5; }
double D2LnIceIts90(double T, double u) {
    constexpr double k0 = -5866.6426, k3 = -3.4262402e-5, k4 = 2.7040955e-8, k5 = 0.67063522;
    return (2.0 * k0 * u - k5) * u * u + 2.0 * k3 + 6.0 * k4 * T;
}
double D2LnIceGuide(double u) { return (-2.0 * 6024.5282 * u + 0.49382577) * u * u - 2.0 * 1.3198825e-5; }

// d³(ln e)/dT³, 1/K³: with the curvature, the bound on the remainder of a
// second-order Taylor polynomial.
double D3LnWaterIts90(double T, double u) {
    constexpr double g0 = -2836.5744, g1 = -6028.076559, g5 = 7.0229056e-10, g6 = -1.8680009e-13, g7 = 2.7150305;
    return ((-24.0 * g0 * u - 6.0 * g1) * u + 2.0 * g7) * u * u * u + 6.0 * g5 + 24.0 * g6 * T;
}
double D3LnWaterGuide(double u) { return (6.0 * 6096.9385 * u + 2.0 * 2.433502) * u * u * u; }
double D3LnIceIts90(double u) {
    constexpr double k0 = -5866.6426, k4 = 2.7040955e-8, k5 = 0.67063522;
    return (-6.0 * k0 * u + 2.0 * k5) * u * u * u + 6.0 * k4;
}
double D3LnIceGuide(double u) { return (6.0 * 6024.5282 * u - 2.0 * 0.49382577) * u * u * u; }

// Bound on the rounding error of ln e as the formulas above compute it: each
// term carries half an ulp per multiplication or division (three halves for
// the one with the logarithm, whose |ln T| is at most 7.2 below 1340 K), each
// running sum half an ulp of itself; the last running sum is ln e itself.
// In units of eps.
struct RoundingSum {
    double sum = 0.0;    // the running sum, as the formula adds it up
    double bound = 0.0;  // accumulated bound
    void Add(double term, double roundings) {
        sum += term;
        bound += roundings * 0.5 * std::abs(term) + 0.5 * std::abs(sum);
    }
    // The final term c·ln T, with ln e the final sum.
    double Close(double c, double lnE) const {
        constexpr double kLargestLnT = 7.2;
        return bound + 1.5 * std::abs(c) * kLargestLnT + 0.5 * std::abs(lnE);
    }
};
double LnWaterRounding(bool its90, double T, double u, double lnE) {
    RoundingSum r;
    if (its90) {
        constexpr double g0 = -2836.5744, g1 = -6028.076559, g2 = 19.54263612, g3 = -0.02737830188,
                         g4 = 1.6261698e-5, g5 = 7.0229056e-10, g6 = -1.8680009e-13, g7 = 2.7150305;
        r.sum = g0 * u * u;
        r.bound = std::abs(r.sum);
        r.Add(g1 * u, 1), r.Add(g2, 0), r.Add(g3 * T, 1), r.Add(g4 * T * T, 2), r.Add(g5 * T * T * T, 3);
        r.Add(g6 * T * T * T * T, 4);
        return r.Close(g7, lnE);
    }
    r.sum = -6096.9385 * u;
    r.bound = 0.5 * std::abs(r.sum);
    r.Add(21.2409642, 0), r.Add(-2.711193e-2 * T, 1), r.Add(1.673952e-5 * T * T, 2);
    return r.Close(2.433502, lnE);
}
double LnIceRounding(bool its90, double T, double u, double lnE) {
    RoundingSum r;
    if (its90) {
        constexpr double k0 = -5866.6426, k1 = 22.32870244, k2 = 1.39387003e-2, k3 = -3.4262402e-5,
                         k4 = 2.7040955e-8, k5 = 0.67063522;
        r.sum = k0 * u;
        r.bound = 0.5 * std::abs(r.sum);
        r.Add(k1, 0), r.Add(k2 * T, 1), r.Add(k3 * T * T, 2), r.Add(k4 * T * T * T, 3);
        return r.Close(k5, lnE);
    }
    r.sum = -6024.5282 * u;
    r.bound = 0.5 * std::abs(r.sum);
    r.Add(29.32707, 0), r.Add(1.0613868e-2 * T, 1), r.Add(-1.3198825e-5 * T * T, 2);
    return r.Close(-0.49382577, lnE);
}
// Relative bound of a computed saturation pressure: that of ln e, one ulp of
// exp, and a quarter more for everything of second order.
double SaturationNoise(double lnRounding) { return 1.25 * kEps * (lnRounding + 1.0); }

// Two temperatures whose absolute temperatures t + 273.15 differ as doubles
// lie at least this close: the rounding of that sum, with a margin.
double AbsoluteRounding(double t) { return 2.0 * kEps * (std::abs(t) + kZeroCelsius); }

// A saturation pressure with its logarithmic slope and curvature and its
// rounding bound (only where asked for: only the point that certifies a root
// needs it).
struct SaturationPoint {
    double es;     // Pa, as SaturationPressureWater/Ice give it
    double lnE;    // the logarithm it is the exponential of
    double dLn;    // d(ln e_s)/dt, 1/K
    double d2Ln;   // d²(ln e_s)/dt², 1/K²
    double d3Ln;   // d³(ln e_s)/dt³, 1/K³
    double noise;  // relative (and the bound on the rounding of lnE)
};
SaturationPoint WaterPoint(bool its90, double t, bool withNoise = true) {
    const double T = Absolute(t), u = 1.0 / T;
    const double lnE = its90 ? LnWaterIts90(T) : LnWaterGuide(T);
    SaturationPoint s{PositivePressure(lnE), lnE, 0.0, 0.0, 0.0, 0.0};
    if (t > kAbsoluteZero) {
        s.dLn = its90 ? DLnWaterIts90(T, u) : DLnWaterGuide(T, u);
        s.d2Ln = its90 ? D2LnWaterIts90(T, u) : D2LnWaterGuide(u);
        s.d3Ln = its90 ? D3LnWaterIts90(T, u) : D3LnWaterGuide(u);
    }
    if (withNoise) s.noise = SaturationNoise(LnWaterRounding(its90, T, u, lnE));
    return s;
}
SaturationPoint IcePoint(bool its90, double t, bool withNoise = true) {
    if (t > 0.0) return WaterPoint(its90, t, withNoise);
    const double T = Absolute(t), u = 1.0 / T;
    const double lnE = its90 ? LnIceIts90(T) : LnIceGuide(T);
    SaturationPoint s{PositivePressure(lnE), lnE, 0.0, 0.0, 0.0, 0.0};
    if (t > kAbsoluteZero) {
        s.dLn = its90 ? DLnIceIts90(T, u) : DLnIceGuide(T, u);
        s.d2Ln = its90 ? D2LnIceIts90(T, u) : D2LnIceGuide(u);
        s.d3Ln = its90 ? D3LnIceIts90(u) : D3LnIceGuide(u);
    }
    if (withNoise) s.noise = SaturationNoise(LnIceRounding(its90, T, u, lnE));
    return s;
}
SaturationPoint PhasePoint(bool its90, Phase phase, double t, bool withNoise = true) {
    return phase == Phase::Ice ? IcePoint(its90, t, withNoise) : WaterPoint(its90, t, withNoise);
}

// Within a millikelvin the derivatives of these smooth curves change by parts
// in 1e4 at most: twice the value at a point bounds them around it.
constexpr double kNearbyBound = 2.0;

// The third derivative of e_s, bounded around t (Pa/K³).
double SaturationThirdBound(const SaturationPoint& s) {
    const double L = std::abs(s.dLn), L2 = std::abs(s.d2Ln), L3 = std::abs(s.d3Ln);
    return kNearbyBound * s.es * (L * L * L + 3.0 * L * L2 + L3);
}

// e_s(t)·f over a phase as MoistSaturationPressure(phase, t, p) computes it,
// with d/dt and a bound on its rounding; a point that only guides the search
// (certify false) gives ln(e_s·f) with its slope, curvature, rounding and the
// bound on its third derivative instead, and no value.
CurvePoint MoistPoint(bool its90, Phase phase, double t, double p, bool certify = true) {
    const SaturationPoint s = PhasePoint(its90, phase, t);
    const auto& row = [&](double at) -> const EnhancementCoefficients& {
        return phase == Phase::Ice ? IceRow(its90, at) : WaterRow(its90, at);
    };
    if (t < kLowestFactorTemperature) {
        // The held factor is one computed constant for every t: only e_s varies.
        const double held = PhasePoint(its90, phase, kLowestFactorTemperature).es;
        const double g = s.es * Enhancement(row(kLowestFactorTemperature), held, kLowestFactorTemperature, p);
        CurvePoint point{g, g * s.dLn, g * (s.noise + 2.0 * kEps), AbsoluteRounding(t)};
        point.curvature = s.d2Ln;
        return point;
    }
    const EnhancementCoefficients& c = row(t);
    const FactorTerms k = Terms(c, t);
    const double lnF = k.alpha * (1.0 - s.es / p) + k.beta * (p / s.es - 1.0);
    const double r = s.es / p, q = p / s.es;
    const double dAlpha = c.a1 + 2.0 * c.a2 * t + 3.0 * c.a3 * t * t;
    const double dBetaPoly = c.b1 + 2.0 * c.b2 * t + 3.0 * c.b3 * t * t;
    const double dBeta = k.beta * dBetaPoly;
    const double dLnF = dAlpha * (1.0 - r) - k.alpha * r * s.dLn + dBeta * (q - 1.0) - k.beta * q * s.dLn;
    // Rounding of ln f: α and ln β from their sums of terms, e_s's own error
    // carried through e_s/P and P/e_s, then exp and the product.
    const double at = std::abs(t);
    const double alphaError = 4.0 * kEps * (std::abs(c.a0) + std::abs(c.a1) * at + std::abs(c.a2) * at * at +
                                            std::abs(c.a3) * at * at * at);
    const double betaError = 4.0 * kEps * (std::abs(c.b0) + std::abs(c.b1) * at + std::abs(c.b2) * at * at +
                                           std::abs(c.b3) * at * at * at + 1.0);
    const double lnFError = (std::abs(k.alpha) * 4.0 * kEps + alphaError) * std::abs(1.0 - r) +
                            std::abs(k.alpha) * r * s.noise +
                            std::abs(k.beta * (q - 1.0)) * (betaError + 4.0 * kEps) + k.beta * q * s.noise +
                            2.0 * kEps * std::abs(lnF);
    const double relativeNoise = s.noise + lnFError + 4.0 * kEps;
    if (!certify) {
        // With L = d(ln e_s)/dt and its derivatives L1, L2: r' = r·L,
        // r'' = r·(L² + L1), r''' = r·(L³ + 3L·L1 + L2), likewise for q = 1/r
        // with -L; β·q = exp(h) with h = ln β - ln e_s + ln P.
        const double L = s.dLn, L1 = s.d2Ln, L2 = s.d3Ln, LL = L * L;
        const double d2Alpha = 2.0 * c.a2 + 6.0 * c.a3 * t, d3Alpha = 6.0 * c.a3;
        const double d2BetaPoly = 2.0 * c.b2 + 6.0 * c.b3 * t, d3BetaPoly = 6.0 * c.b3;
        const double d2Beta = k.beta * (dBetaPoly * dBetaPoly + d2BetaPoly);
        const double d2LnF = d2Alpha * (1.0 - r) - 2.0 * dAlpha * r * L - k.alpha * r * (LL + L1) +
                             d2Beta * (q - 1.0) - 2.0 * dBeta * q * L + k.beta * q * (LL - L1);
        const double aL = std::abs(L), aL1 = std::abs(L1), aL2 = std::abs(L2);
        const double h1 = std::abs(dBetaPoly - L), h2 = std::abs(d2BetaPoly - L1), h3 = std::abs(d3BetaPoly - L2);
        const double p1 = std::abs(dBetaPoly), p2 = std::abs(d2BetaPoly), p3 = std::abs(d3BetaPoly);
        const double alphaThird = std::abs(d3Alpha) * std::abs(1.0 - r) + 3.0 * std::abs(d2Alpha) * r * aL +
                                  3.0 * std::abs(dAlpha) * r * (LL + aL1) +
                                  std::abs(k.alpha) * r * (aL * LL + 3.0 * aL * aL1 + aL2);
        const double betaThird =
            k.beta * q * (h1 * h1 * h1 + 3.0 * h1 * h2 + h3) + k.beta * (p1 * p1 * p1 + 3.0 * p1 * p2 + p3);
        CurvePoint point{std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::quiet_NaN(), 0.0,
                         AbsoluteRounding(t)};
        point.lnValue = s.lnE + lnF;
        point.lnSlope = s.dLn + dLnF;
        point.curvature = s.d2Ln + d2LnF;
        point.lnNoise = relativeNoise;
        point.thirdBound = kNearbyBound * (aL2 + alphaThird + betaThird);
        return point;
    }
    const double g = s.es * std::exp(lnF);
    return {g, g * (s.dLn + dLnF), g * relativeNoise, AbsoluteRounding(t)};
}

// Hardy's (1998) rational approximations of the dew point over water and the
// frost point over ice (°C) from ln e (e in Pa), without enhancement: within
// 0.3 mK of the ITS-90 formulations over their ranges, within 0.1 K of the
// guide's. A first guess for Newton, nothing more.
double ApproximateSaturationTemperature(Phase phase, double lnE) {
    const double y = lnE;
    const double kelvin =
        phase == Phase::Ice
            ? (2.1257969e2 + y * (-1.0264612e1 + y * 1.4354796e-1)) /
                  (1.0 + y * (-8.2871619e-2 + y * (2.3540411e-3 + y * -2.4363951e-5)))
            : (2.0798233e2 + y * (-2.0156028e1 + y * (4.6778925e-1 + y * -9.2288067e-6))) /
                  (1.0 + y * (-1.3319669e-1 + y * (5.6577518e-3 + y * -7.5172865e-5)));
    return kelvin - kZeroCelsius;
}

// ln f of the moist-air factor at t for air whose vapour pressure is e at P,
// given as e/P and P/e, with e_s taken as e/f from the last estimate lnF.
// Where f is within 5 % of 1 (most air) its powers come from the series of
// exp, off the chain of the guess's evaluations: parts in 1e7 of ln f, far
// below what the guess needs.
double ApproximateLnFactor(bool its90, Phase phase, double t, double eOverP, double pOverE, double lnF) {
    if (!(t >= kLowestFactorTemperature)) t = kLowestFactorTemperature;
    const FactorTerms k = Terms(phase == Phase::Ice ? IceRow(its90, t) : WaterRow(its90, t), t);
    double f = 0.0, perF = 0.0;
    if (std::abs(lnF) < 0.05) {
        f = 1.0 + lnF * (1.0 + lnF * (0.5 + lnF * (1.0 / 6.0)));
        perF = 1.0 - lnF * (1.0 - lnF * (0.5 - lnF * (1.0 / 6.0)));
    } else {
        f = std::exp(lnF), perF = 1.0 / f;
    }
    return k.alpha * (1.0 - eOverP * perF) + k.beta * (pOverE * f - 1.0);
}

// A first guess of the dew (frost) point of e = exp(lnE) at P, refined twice
// for the enhancement factor at the guess, starting from ln f0 at 0 °C. The
// saturation phase is the piece's: over water above 0 °C.
double ApproximateCondensation(bool its90, Phase phase, double e, double lnE, double p, double lnF0) {
    const double eOverP = e / p, pOverE = p / e;
    double lnF = lnF0;
    double t = ApproximateSaturationTemperature(phase, lnE - lnF);
    const auto refine = [&] {
        lnF = ApproximateLnFactor(its90, phase, t, eOverP, pOverE, lnF);
        t = ApproximateSaturationTemperature(t > 0.0 ? Phase::Water : phase, lnE - lnF);
    };
    refine();
    refine();
    return t;
}

// A first guess of the bulb temperature at which e_s(bulb) - γ·(T - bulb) = e,
// with γ = A·1000·P: e_s linearised at the saturation temperature td of e,
// where it equals e, gives bulb = (e·L·td + γ·T)/(e·L + γ) with L the slope
// of ln e_s (Clausius-Clapeyron: about 5420 K/T² over water, 6150 K/T² over
// ice).
double ApproximateBulb(Phase phase, double t, double e, double gamma) {
    if (!(e > 0.0)) return t;
    const double td = ApproximateSaturationTemperature(phase, std::log(e));
    const double absolute = td + kZeroCelsius;
    const double slope = e * (phase == Phase::Ice ? 6150.0 : 5420.0) / (absolute * absolute);
    const double bulb = (slope * td + gamma * t) / (slope + gamma);
    return std::isfinite(bulb) ? bulb : t;
}

// Evaluations of saturation curves made by inversions on this thread.
thread_local std::uint64_t tInversionEvaluations = 0;

// The open interior of a bracket: its ends are never midpoints again, and may
// belong to a neighbouring piece.
Bracket Interior(Bracket b) { return {NextUp(b.lo), NextDown(b.hi)}; }

// Pressures (Pa) over which e_s·f rises with t on each piece from -200 °C to
// 100 °C for both formula sets: below 3 kPa a 100 °C dew point has so much
// more vapour than air that the factor falls faster than e_s rises, and
// above some 50 MPa the factor's fit turns e_s·f round near -100 °C. Outside,
// the plain bisection runs.
constexpr double kMonotonePressureLow = 3000.0;
constexpr double kMonotonePressureHigh = 2.5e7;
// e_s·f of the t >= 0 row is rising up to here at those pressures.
constexpr double kMonotoneUpTo = 100.0;

}  // namespace

std::uint64_t HumidityEngine::InversionEvaluations() { return tInversionEvaluations; }

namespace {
// The temperatures every bisection visits first (0, ±100, -50 °C, and -500 °C
// of the bulb temperatures), with e_s of both phases there and the factor's
// terms: computed once per formula set by the very functions the bisections
// call, so the value of e_s·f at such a midpoint costs one exp.
constexpr std::array<double, 5> kFixedTemperatures = {0.0, 100.0, -100.0, -50.0, -500.0};
struct FixedPoints {
    std::array<std::array<double, 2>, kFixedTemperatures.size()> es{};
    std::array<std::array<double, 2>, kFixedTemperatures.size()> lnEs{};   // log(es)
    std::array<std::array<double, 2>, kFixedTemperatures.size()> perEs{};  // 1/es
    std::array<std::array<FactorTerms, 2>, kFixedTemperatures.size()> terms{};
};
FixedPoints ComputeFixedPoints(std::int32_t set) {
    HumidityEngine e;
    e.SetFormulaSet(set);
    FixedPoints fixed;
    for (std::size_t i = 0; i < kFixedTemperatures.size(); ++i) {
        // Read through volatile so that the compiler evaluates them as at run time.
        volatile double at = kFixedTemperatures[i];
        const double t = at;
        fixed.es[i] = {e.SaturationPressureWater(t), e.SaturationPressureIce(t)};
        fixed.lnEs[i] = {std::log(fixed.es[i][0]), std::log(fixed.es[i][1])};
        fixed.perEs[i] = {1.0 / fixed.es[i][0], 1.0 / fixed.es[i][1]};
        if (t >= kLowestFactorTemperature) {
            fixed.terms[i] = {Terms(WaterRow(set == 0, t), t), Terms(IceRow(set == 0, t), t)};
        }
    }
    return fixed;
}
const FixedPoints& Fixed(bool its90) {
    static const FixedPoints its = ComputeFixedPoints(0), guide = ComputeFixedPoints(1);
    return its90 ? its : guide;
}
// The index of t among kFixedTemperatures, or -1.
int FixedIndex(double t) {
    for (std::size_t i = 0; i < kFixedTemperatures.size(); ++i) {
        if (t == kFixedTemperatures[i]) return static_cast<int>(i);
    }
    return -1;
}
constexpr std::size_t kAtZero = 0, kAtHundred = 1, kAtMinusHundred = 2;

// Whether e_s·f at kFixedTemperatures[i] over a phase (ice 0 or 1) exceeds e
// at P, exactly as MoistSaturationPressure(phase, t, p) > e decides it. With
// e_s known there, ln(e_s·f) costs no exponential, and decides unless it lies
// within its rounding of ln e (lnE = log e); only then is e_s·f formed as the
// bisection forms it. perP is 1/P; lnFactor, when given, receives ln f there.
bool FixedPointAbove(const FixedPoints& fixed, std::size_t i, std::size_t ice, double e, double lnE, double p,
                     double perP, double* lnFactor = nullptr) {
    const double es = fixed.es[i][ice];
    const FactorTerms& k = fixed.terms[i][ice];
    // ln f as Factor forms it, e_s/P and P/e_s but an ulp apart.
    const double lnF = k.alpha * (1.0 - es * perP) + k.beta * (p * fixed.perEs[i][ice] - 1.0);
    if (lnFactor != nullptr) *lnFactor = lnF;
    // exp and the product round by at most two ulps, each logarithm by one;
    // the two quotients, an ulp further from Factor's, move ln f by at most
    // eps·(|α|·e_s/P + β·P/e_s), well within eps·(1 + |ln f|) where |α| is
    // below 0.01.
    const double lnG = fixed.lnEs[i][ice] + lnF;
    const double margin = 8.0 * kEps * (1.0 + std::abs(fixed.lnEs[i][ice]) + std::abs(lnF) + std::abs(lnE));
    if (lnG > lnE + margin) return true;
    if (lnG < lnE - margin) return false;
    ++tInversionEvaluations;
    return es * Factor(k, es, p) > e;
}
}  // namespace

// Dew point: bisection on [-200, 200] °C for e_s·f over water rising above e;
// frost point the same over ice (over water above 0 °C). The result is lo.
double HumidityEngine::Condensation(Phase phase, double e, double p, InversionHint* hint) const {
    const auto movesHi = [&](double t) {
        ++tInversionEvaluations;
        return MoistSaturationPressure(phase, t, p) > e;
    };
    const Bracket whole = {kDewPointLow, kDewPointHigh};
    if (inversions_ == Inversions::Bisection || !(e > 0.0) || !std::isfinite(e) || !(p >= kMonotonePressureLow) ||
        !(p <= kMonotonePressureHigh)) {
        return Bisect(whole, kDewPointTolerance, movesHi).lo;
    }
    // The factor's rows meet at 0 °C (and over ice at -50 °C), where e_s also
    // turns from ice to water: e_s·f may jump either way there, so those
    // midpoints are decided by the value there, and so is 100 °C, above
    // which e_s·f need not rise; e_s is known at each of them. The first,
    // 0 °C, also tells the factor at this pressure for the first guess.
    const bool its90 = Its90();
    const FixedPoints& fixed = Fixed(its90);
    const auto ice = static_cast<std::size_t>(phase);
    const double lnE = std::log(e), perP = 1.0 / p;
    double lnFactorAtZero = 0.0;
    const auto firstSteps = [&](double t) {
        const int i = FixedIndex(t);
        if (i < 0) {
            ++tInversionEvaluations;
            return MoistSaturationPressure(phase, t, p) > e;
        }
        return FixedPointAbove(fixed, static_cast<std::size_t>(i), ice, e, lnE, p, perP,
                               t == 0.0 ? &lnFactorAtZero : nullptr);
    };
    const Bracket b = phase == Phase::Ice
                          ? ExactAcrossBreakpoints(whole, std::array{0.0, -50.0, kMonotoneUpTo}, firstSteps)
                          : ExactAcrossBreakpoints(whole, std::array{0.0, kMonotoneUpTo}, firstSteps);
    if (b.lo >= kMonotoneUpTo) return Bisect(b, kDewPointTolerance, movesHi).lo;
    const Bracket piece = Interior(b);
    // From a neighbour's root a step along its slope, bent like ln e_s, whose
    // curvature is about -2/T times its slope; from afar Hardy's approximation.
    double guess = std::numeric_limits<double>::quiet_NaN();
    if (hint != nullptr && hint->target > 0.0 && hint->slope > 0.0) {
        const double lnRatio = std::log(e / hint->target);
        const double step = lnRatio * hint->target / hint->slope;
        if (std::abs(lnRatio) < 0.3) guess = hint->root + step + step * step / (hint->root + kZeroCelsius);
    }
    if (!(guess > piece.lo && guess < piece.hi)) {
        guess = ApproximateCondensation(its90, b.lo >= 0.0 ? Phase::Water : phase, e, lnE, p, lnFactorAtZero);
    }
    const Root root = CertifyRoot(
        [&](double t, bool certify) {
            ++tInversionEvaluations;
            return MoistPoint(its90, phase, t, p, certify);
        },
        e, guess, piece.lo, piece.hi, true, kLowestFactorTemperature, lnE);
    if (hint != nullptr) *hint = {root.x, root.at.value, root.at.slope, hint->air};
    return Replay(b, kDewPointTolerance, root.certificate, movesHi).lo;
}

namespace {
// The midpoints a dew- or frost-point bisection visits after reaching
// [100, 200] while the root keeps lying below each of them: 150, 125, ...
// down to 100 plus the tolerance.
struct AboveHundredPath {
    std::array<double, 64> mids{};
    int count = 0;
};
constexpr AboveHundredPath kAboveHundredPath = [] {
    AboveHundredPath path;
    double lo = 100.0, hi = kDewPointHigh;
    do {
        const double mid = (lo + hi) / 2.0;
        path.mids[static_cast<std::size_t>(path.count++)] = mid;
        hi = mid;
    } while (hi - kDewPointTolerance > lo);
    return path;
}();
}  // namespace

// The bisection's first midpoints are 0 and -100 °C: its result lies below
// -100 °C exactly when e_s·f exceeds e at both.
bool HumidityEngine::CondensesBelowMinus100(Phase phase, double e, double p) const {
    if (inversions_ == Inversions::Bisection) return Condensation(phase, e, p) < -100.0;
    if (!(e > 0.0) || !std::isfinite(e)) {
        const auto above = [&](double t) {
            ++tInversionEvaluations;
            return MoistSaturationPressure(phase, t, p) > e;
        };
        return above(0.0) && above(-100.0);
    }
    const FixedPoints& fixed = Fixed(Its90());
    const auto ice = static_cast<std::size_t>(phase);
    const double lnE = std::log(e);
    const double perP = 1.0 / p;
    return FixedPointAbove(fixed, kAtZero, ice, e, lnE, p, perP) &&
           FixedPointAbove(fixed, kAtMinusHundred, ice, e, lnE, p, perP);
}

bool HumidityEngine::FrostPointIsDewPoint(double e, double p) const {
    const FixedPoints& fixed = Fixed(Its90());
    if (!(e > 0.0) || !std::isfinite(e)) {
        const auto lowerEndMoves = [&](Phase phase) {
            ++tInversionEvaluations;
            const double es = fixed.es[kAtZero][static_cast<std::size_t>(phase)];
            return !(es * Factor(fixed.terms[kAtZero][static_cast<std::size_t>(phase)], es, p) > e);
        };
        return lowerEndMoves(Phase::Water) && lowerEndMoves(Phase::Ice);
    }
    const double lnE = std::log(e);
    const double perP = 1.0 / p;
    return !FixedPointAbove(fixed, kAtZero, 0, e, lnE, p, perP) && !FixedPointAbove(fixed, kAtZero, 1, e, lnE, p, perP);
}

// Above 100 °C exactly when the first midpoints 0 and 100 °C move the lower
// end up and so does some midpoint after them; until that one, every midpoint
// moved the upper end down, so they are those of kAboveHundredPath. The
// smallest decides in all but a band of e a few parts in 1e13 wide.
bool HumidityEngine::CondensesAbove100(Phase phase, double e, double p) const {
    if (inversions_ == Inversions::Bisection) return Condensation(phase, e, p) > 100.0;
    const auto lowerEndMoves = [&](double t) {
        ++tInversionEvaluations;
        return !(MoistSaturationPressure(phase, t, p) > e);
    };
    if (!(e > 0.0) || !std::isfinite(e)) {
        if (!lowerEndMoves(0.0) || !lowerEndMoves(100.0)) return false;
    } else {
        const FixedPoints& fixed = Fixed(Its90());
        const auto ice = static_cast<std::size_t>(phase);
        const double lnE = std::log(e);
        const double perP = 1.0 / p;
        if (FixedPointAbove(fixed, kAtZero, ice, e, lnE, p, perP) ||
            FixedPointAbove(fixed, kAtHundred, ice, e, lnE, p, perP)) {
            return false;
        }
    }
    for (int i = kAboveHundredPath.count - 1; i >= 0; --i) {
        if (lowerEndMoves(kAboveHundredPath.mids[static_cast<std::size_t>(i)])) return true;
    }
    return false;
}

double HumidityEngine::DewPoint(double e, double p) const { return Condensation(Phase::Water, e, p); }

double HumidityEngine::FrostPoint(double e, double p) const { return Condensation(Phase::Ice, e, p); }

namespace {
// Saturation pressures at the ends of the saturation-temperature tables, which
// decide the sentinels: computed once per formula set, by the same functions.
struct TableEnds {
    double waterLow, waterHigh, iceLow, iceHigh;
};
TableEnds ComputeTableEnds(std::int32_t set) {
    HumidityEngine e;
    e.SetFormulaSet(set);
    // Read through volatile so that the compiler evaluates them as at run time.
    volatile double water = 1000.0, ice = 500.0;
    return {e.SaturationPressureWater(-water), e.SaturationPressureWater(water), e.SaturationPressureIce(-ice),
            e.SaturationPressureIce(ice)};
}
const TableEnds& Ends(bool its90) {
    static const TableEnds its = ComputeTableEnds(0), guide = ComputeTableEnds(1);
    return its90 ? its : guide;
}
// Saturation pressures the fast inversion handles: far from the underflow
// of the formulas near absolute zero.
constexpr double kSmallestFastPressure = 1e-280;
}  // namespace

// t with e_s(t) = es over the phase, by bisection on [-range, range] (1000 °C
// over water, 500 °C over ice); the result is hi. Pressures beyond the ends of
// that table give the sentinels -100 and 100.
double HumidityEngine::SaturationTemperature(Phase phase, double es) const {
    const bool ice = phase == Phase::Ice;
    const double range = ice ? 500.0 : 1000.0;
    const auto pressure = [&](double t) {
        ++tInversionEvaluations;
        return ice ? SaturationPressureIce(t) : SaturationPressureWater(t);
    };
    const auto movesHi = [&](double t) { return pressure(t) > es; };
    const Bracket whole = {-range, range};
    if (inversions_ == Inversions::Bisection || !(es >= kSmallestFastPressure) || !std::isfinite(es)) {
        if (es < pressure(-range)) return kBelowTable;
        if (es > pressure(range)) return kAboveTable;
        return Bisect(whole, kDewPointTolerance, movesHi).hi;
    }
    const TableEnds& ends = Ends(Its90());
    if (es < (ice ? ends.iceLow : ends.waterLow)) return kBelowTable;
    if (es > (ice ? ends.iceHigh : ends.waterHigh)) return kAboveTable;
    // e_s rises over the whole table; over ice it steps up at 0 °C to water.
    const bool its90 = Its90();
    const Bracket piece = Interior(whole);
    const Root root = CertifyRoot(
        [&](double t, bool certify) {
            ++tInversionEvaluations;
            const SaturationPoint s = PhasePoint(its90, phase, t);
            CurvePoint point{s.es, s.es * s.dLn, s.es * s.noise, AbsoluteRounding(t)};
            if (!certify) {
                point.lnValue = s.lnE, point.lnSlope = s.dLn, point.curvature = s.d2Ln;
                point.lnNoise = s.noise, point.thirdBound = kNearbyBound * std::abs(s.d3Ln);
            }
            return point;
        },
        es, ApproximateSaturationTemperature(phase, std::log(es)), piece.lo, piece.hi, true,
        ice ? 0.0 : kAbsoluteZero);
    return Replay(whole, kDewPointTolerance, root.certificate, movesHi).hi;
}

double HumidityEngine::SaturationTemperatureWater(double es) const {
    return SaturationTemperature(Phase::Water, es);
}

double HumidityEngine::SaturationTemperatureIce(double es) const { return SaturationTemperature(Phase::Ice, es); }

// The bulb temperature whose psychrometric pressure reaches e, by bisection on
// [-1000, 1000] °C (tolerance 1e-9 K); the result is lo.
double HumidityEngine::BulbTemperature(Phase phase, double pKilopascal, double t, double e,
                                       InversionHint* hint) const {
    const bool ice = phase == Phase::Ice;
    const auto reading = [&](double bulb) {
        ++tInversionEvaluations;
        return ice ? PsychrometricPressureIce(t, bulb, pKilopascal) : PsychrometricPressureWater(t, bulb, pKilopascal);
    };
    const auto movesHi = [&](double bulb) { return reading(bulb) >= e; };
    const Bracket whole = {kBulbLow, kBulbHigh};
    const bool defaultWater = !ice && IsDefaultConstant(constantWater_);
    const double stored = ice ? EffectiveConstantIce() : constantWater_;
    if (inversions_ == Inversions::Bisection || !std::isfinite(e) || !std::isfinite(t) ||
        !std::isfinite(pKilopascal) || !(pKilopascal > 0.0) || !(defaultWater || stored >= 0.0)) {
        return Bisect(whole, kBulbTolerance, movesHi).lo;
    }
    // The reading rises with the bulb temperature: e_s does, and so does
    // -A·P·(T - bulb) for a constant A >= 0; the default constant over water
    // grows with the bulb temperature, and the term still rises wherever
    // 1 + 0.000944·(2·bulb - T) > 0. The first midpoints (0 and -500 °C, with
    // their saturation pressures known) are evaluated until the bracket lies
    // where it rises.
    const bool its90 = Its90();
    const FixedPoints& fixed = Fixed(its90);
    const double rising = defaultWater ? (t - 1.0 / kDefaultWaterConstantSlope) / 2.0 + 1.0 : kBulbLow;
    const Bracket b = ExactAcrossBreakpoints(whole, std::array{rising}, [&](double bulb) {
        const int i = FixedIndex(bulb);
        if (i < 0) return movesHi(bulb);
        ++tInversionEvaluations;
        const double es = fixed.es[static_cast<std::size_t>(i)][static_cast<std::size_t>(phase)];
        const double a = ice ? EffectiveConstantIce() : EffectiveConstantWater(bulb);
        return es - a * 1000.0 * pKilopascal * (t - bulb) >= e;  // as PsychrometricPressureWater/Ice
    });
    // Below the turn the default constant's reading falls as the bulb
    // temperature rises (a negative vapour pressure can lead the bisection
    // there): no root to certify, the bisection goes on as it is.
    if (defaultWater && b.hi <= rising) return Bisect(b, kBulbTolerance, movesHi).lo;
    const Bracket piece = Interior(b);
    const double scale = 1000.0 * pKilopascal;
    // From a neighbour's root one Newton step, its reading moved by the change
    // of the air temperature; from afar a linearised psychrometer equation.
    double guess = std::numeric_limits<double>::quiet_NaN();
    if (hint != nullptr && hint->slope > 0.0) {
        const double a = ice ? EffectiveConstantIce() : EffectiveConstantWater(hint->root);
        const double moved = hint->target - a * scale * (t - hint->air);
        const double step = (e - moved) / hint->slope;
        // The reading bends with e_s: e_s'' = e_s·(L² - 2L/T), L = d(ln e_s)/dt
        // about 5400/T² over water (6100/T² over ice).
        const double absolute = hint->root + kZeroCelsius;
        const double es = hint->target + a * scale * (hint->air - hint->root);
        const double slopeLn = (ice && hint->root <= 0.0 ? 6150.0 : 5420.0) / (absolute * absolute);
        const double bend = es * (slopeLn * slopeLn - 2.0 * slopeLn / absolute);
        guess = hint->root + step - bend / (2.0 * hint->slope) * step * step;
        if (!(std::abs(guess - hint->root) < 5.0)) guess = std::numeric_limits<double>::quiet_NaN();
    }
    if (!(guess > piece.lo && guess < piece.hi)) {
        guess = ApproximateBulb(phase, t, e, scale * (ice ? EffectiveConstantIce() : EffectiveConstantWater(t)));
    }
    const Root root = CertifyRoot(
        [&](double bulb, bool certify) {
            ++tInversionEvaluations;
            const SaturationPoint s = ice ? IcePoint(its90, bulb) : WaterPoint(its90, bulb);
            const double a = ice ? EffectiveConstantIce() : EffectiveConstantWater(bulb);
            const double depression = a * 1000.0 * pKilopascal * (t - bulb);
            const double value = s.es - depression;  // as PsychrometricPressureWater/Ice
            const double da = defaultWater ? kDefaultWaterConstant * kDefaultWaterConstantSlope : 0.0;
            const double slope = s.es * s.dLn + scale * (a - da * (t - bulb));
            const double noise = s.es * s.noise + 8.0 * kEps * std::abs(depression) + 2.0 * kEps * std::abs(value);
            CurvePoint point{value, slope, noise, AbsoluteRounding(bulb)};
            // The constant's term is at most quadratic in the bulb temperature.
            point.curvature = s.es * (s.dLn * s.dLn + s.d2Ln) + 2.0 * scale * da;
            if (!certify) point.thirdBound = SaturationThirdBound(s);
            return point;
        },
        e, guess, piece.lo, piece.hi, false, ice ? 0.0 : kAbsoluteZero);
    if (hint != nullptr) *hint = {root.x, root.at.value, root.at.slope, t};
    return Replay(b, kBulbTolerance, root.certificate, movesHi).lo;
}

double HumidityEngine::WetBulbTemperature(double pKilopascal, double t, double e) const {
    return BulbTemperature(Phase::Water, pKilopascal, t, e);
}

double HumidityEngine::IceBulbTemperature(double pKilopascal, double t, double e) const {
    return BulbTemperature(Phase::Ice, pKilopascal, t, e);
}

namespace {
// The constant solvers bisect over the constant A for the reading
// v(A) = e_s(bulb) - A·1000·P·(T - bulb) against a reference. With P > 0 and
// T > bulb the computed v falls with A exactly (each rounded product is
// monotone), so the comparisons change once: two exact evaluations around
// the straight line's root certify all the others.
template <typename MovesHi>
Certificate CertifyLinear(MovesHi&& movesHi, double root) {
    Certificate c;
    if (!std::isfinite(root)) return c;
    const double margin = 1e-12 * std::abs(root) + 1e-300;
    const double below = root - margin, above = root + margin;
    if (movesHi(below) || !movesHi(above)) return c;
    c.pieceLo = -std::numeric_limits<double>::infinity();
    c.pieceHi = std::numeric_limits<double>::infinity();
    c.below = below;
    c.above = above;
    return c;
}
}  // namespace

double HumidityEngine::PsychrometerConstantWater(double t, double tw, double td, double pKilopascal) const {
    const double bulb = SaturationPressureWater(tw);
    const double reference = SaturationPressureWater(td);
    // hi moves when the reading with constant A does not exceed the reference.
    const auto movesHi = [&](double a) { return !(bulb - a * 1000.0 * pKilopascal * (t - tw) > reference); };
    Certificate c;
    if (inversions_ == Inversions::Fast && pKilopascal > 0.0 && t - tw > 0.0) {
        c = CertifyLinear(movesHi, (bulb - reference) / (1000.0 * pKilopascal * (t - tw)));
    }
    const Bracket b = Replay({kConstantSearchLow, kConstantSearchHigh}, kConstantTolerance, c, movesHi);
    if (b.lo < kConstantLowest || b.hi > kConstantHighest) return kDefaultConstant;
    return b.lo;
}

double HumidityEngine::PsychrometerConstantIce(double t, double ti, double tf, double pKilopascal) const {
    const double bulb = SaturationPressureIce(ti);
    const double reference = SaturationPressureIce(tf);
    const auto reading = [&](double a) { return bulb - a * 1000.0 * pKilopascal * (t - ti); };
    Certificate c;
    Bracket b{};
    if (inversions_ == Inversions::Bisection) {
        // A vapour pressure whose frost point lies above 0 °C cannot be
        // reached over ice: the constant must be larger.
        b = Bisect({kConstantSearchLow, kConstantSearchHigh}, kConstantTolerance, [&](double a) {
            const double v = reading(a);
            return !(v > reference || SaturationTemperatureIce(v) > 0.0);
        });
    } else {
        // The saturation temperature of v lies above 0 °C exactly when v is not
        // below e_i(0): its bisection's first midpoint is 0 °C and its table
        // ends lie far on either side.
        const double iceAtZero = SaturationPressureIce(0.0);
        const auto movesHi = [&](double a) {
            const double v = reading(a);
            return !(v > reference || !(iceAtZero > v));
        };
        if (pKilopascal > 0.0 && t - ti > 0.0) {
            c = CertifyLinear(movesHi, (bulb - std::min(reference, iceAtZero)) / (1000.0 * pKilopascal * (t - ti)));
        }
        b = Replay({kConstantSearchLow, kConstantSearchHigh}, kConstantTolerance, c, movesHi);
    }
    if (b.lo < kConstantLowest || b.hi > kConstantHighest) return kDefaultConstant;
    return b.lo;
}

}  // namespace wegator
