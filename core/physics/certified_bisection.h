// Bisections that give exactly the double of a plain bisection at the cost of
// a few evaluations.
//
// The result of a bisection on a fixed interval is fixed by the sequence of
// its comparisons. When the function is monotone and its root is known to lie
// in a narrow certified zone [below, above], every midpoint outside that zone
// decides its comparison without an evaluation; only the few midpoints inside
// the zone (the last steps of the bisection) are evaluated. The zone comes
// from Newton's method on the same function and a bound on the rounding error
// of each evaluation, so the replay makes every comparison the plain
// bisection makes, and ends on the same double.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace wegator {

struct Bracket {
    double lo;
    double hi;
};

// The neighbouring doubles of a finite x (std::nextafter without the library call).
inline double NextUp(double x) {
    if (x == 0.0) return std::numeric_limits<double>::denorm_min();
    // One up in the magnitude of a positive x, one down in that of a
    // negative one, without a branch on the sign (either is as likely).
    const auto bits = std::bit_cast<std::uint64_t>(x);
    return std::bit_cast<double>(bits + 1 - 2 * (bits >> 63));
}
inline double NextDown(double x) { return -NextUp(-x); }

// The bisection every inversion shares: halves [lo, hi] while it is wider
// than the tolerance (hi - tolerance > lo); movesHi(mid) says whether the root
// lies at or below mid, so that hi moves there (otherwise lo does).
template <typename MovesHi>
Bracket Bisect(Bracket b, double tolerance, MovesHi&& movesHi) {
    do {
        const double mid = (b.lo + b.hi) / 2.0;
        if (movesHi(mid)) {
            b.hi = mid;
        } else {
            b.lo = mid;
        }
    } while (b.hi - tolerance > b.lo);
    return b;
}

// What is certain about the comparison g(t) > target of a rising function g
// inside a piece [pieceLo, pieceHi] where it is monotone: false at every t up
// to `below`, true at every t from `above` on. Outside the piece, or between
// the two, nothing is known. The defaults know nothing; a NaN anywhere also
// leaves every midpoint to be evaluated.
struct Certificate {
    double pieceLo = std::numeric_limits<double>::infinity();
    double pieceHi = -std::numeric_limits<double>::infinity();
    double below = -std::numeric_limits<double>::infinity();
    double above = std::numeric_limits<double>::infinity();

    // 1: certainly rises above the target at t, 0: certainly not, -1: unknown.
    int Decide(double t) const {
        if (!(t >= pieceLo && t <= pieceHi)) return -1;
        if (t <= below) return 0;
        if (t >= above) return 1;
        return -1;
    }
};

// One evaluation of a rising function: the value exactly as the bisection
// computes it, its slope dg/dt, a bound on the difference between the
// computed value and the exact one (absolute, same unit as the value), and
// how much the argument itself is rounded on its way into the formula (the
// absolute temperature t + 273.15 is a double too), which a zone must exceed.
struct CurvePoint {
    double value;
    double slope;
    double noise;
    double argumentRounding = 0.0;
    // For the search's steps only, where the evaluation gives them: the
    // second derivative (of ln value for a logarithmic search, else of the
    // value), and for a logarithmic search ln value and its slope, which
    // spare a logarithm per step (and let a point that only guides the
    // search leave its value unformed). NaN: not given.
    double curvature = std::numeric_limits<double>::quiet_NaN();
    double lnValue = std::numeric_limits<double>::quiet_NaN();
    double lnSlope = std::numeric_limits<double>::quiet_NaN();
    // For a point that may certify its neighbour without an evaluation there:
    // a bound on the third derivative (of ln value, or of the value) within
    // a millikelvin of the point, and for a logarithmic search the bound on
    // the rounding of lnValue (the value's own `noise` otherwise).
    double thirdBound = std::numeric_limits<double>::quiet_NaN();
    double lnNoise = std::numeric_limits<double>::quiet_NaN();
};

// The first bisection steps, made exactly, while the interval still contains
// one of the breakpoints (where the function jumps or changes its formula);
// afterwards the interval lies inside one smooth piece. The breakpoints are
// midpoints of the first steps, so the interval is still far wider than any
// tolerance.
template <typename MovesHi, std::size_t N>
Bracket ExactAcrossBreakpoints(Bracket b, const std::array<double, N>& breakpoints, MovesHi&& movesHi) {
    for (;;) {
        bool spans = false;
        for (double x : breakpoints) spans = spans || (x > b.lo && x < b.hi);
        if (!spans) return b;
        const double mid = (b.lo + b.hi) / 2.0;
        if (movesHi(mid)) {
            b.hi = mid;
        } else {
            b.lo = mid;
        }
    }
}

namespace detail {

// Exponent e and integer mantissa m of a finite nonzero double, x = m·2^e.
struct Binary {
    std::int64_t mantissa;
    int exponent;
};
inline Binary Decompose(double x) {
    const auto bits = std::bit_cast<std::uint64_t>(std::abs(x));
    const int field = static_cast<int>(bits >> 52);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (field == 0) return {static_cast<std::int64_t>(fraction), -1074};
    return {static_cast<std::int64_t>(fraction | (std::uint64_t{1} << 52)), field - 1075};
}
// floor(log2 |x|) for a finite nonzero double.
inline int Log2(double x) {
    const Binary b = Decompose(x);
    return b.exponent + 63 - std::countl_zero(static_cast<std::uint64_t>(b.mantissa));
}

// A bisection on [lo, hi] halved `levels` times moves over the grid
// lo + k·u, u = (hi - lo)/2^levels. Its midpoints (lo + hi)/2 are exactly
// those grid points when every grid point and every sum of two is a double:
// with u = odd·2^s, lo a multiple of 2^s and 2·max(|lo|, |hi|) below 2^(53+s).
inline bool GridIsExact(double lo, double hi, int levels) {
    const double w = hi - lo;
    if (!(w > 0.0) || lo + w != hi || !std::isfinite(w)) return false;
    const Binary width = Decompose(w);
    const int s = width.exponent + std::countr_zero(static_cast<std::uint64_t>(width.mantissa)) - levels;
    if (lo != 0.0) {
        const Binary low = Decompose(lo);
        if (low.exponent + std::countr_zero(static_cast<std::uint64_t>(low.mantissa)) < s) return false;
    }
    const double largest = std::max(std::abs(lo), std::abs(hi));
    return largest == 0.0 || Log2(largest) + 2 <= 53 + s;
}

}  // namespace detail

// The rest of a bisection with every midpoint the certificate decides taken
// from it, the others evaluated. Once the bracket's midpoints are exact points
// of a dyadic grid (at once for the engine's intervals near their middle),
// the bisection runs on the grid's integer indices: a decided step is then an
// integer halving, a comparison and a conditional move, and the replay costs
// a small part of one evaluation.
template <typename MovesHi>
Bracket Replay(Bracket b, double tolerance, const Certificate& c, MovesHi&& movesHi) {
    for (;;) {
        // Enough halvings for the grid to outlast the loop: the grid unit is
        // at most a quarter of the tolerance.
        const int levels = detail::Log2(b.hi - b.lo) - detail::Log2(tolerance) + 3;
        if (levels > 0 && levels <= 60 && detail::GridIsExact(b.lo, b.hi, levels)) break;
        const double mid = (b.lo + b.hi) / 2.0;
        const int known = c.Decide(mid);
        if (known < 0 ? movesHi(mid) : known == 1) {
            b.hi = mid;
        } else {
            b.lo = mid;
        }
        if (!(b.hi - tolerance > b.lo)) return b;
    }
    const int levels = detail::Log2(b.hi - b.lo) - detail::Log2(tolerance) + 3;
    const double lo = b.lo;
    const double unit = (b.hi - b.lo) * std::bit_cast<double>(static_cast<std::uint64_t>(1023 - levels) << 52);
    const std::int64_t last = std::int64_t{1} << levels;
    const auto at = [&](std::int64_t k) { return lo + static_cast<double>(k) * unit; };
    // The last index at or below x, and the first at or above it, settled by
    // exact comparisons of grid points.
    const double perUnit = 1.0 / unit;
    const auto atOrBelow = [&](double x) -> std::int64_t {
        if (!(x >= lo)) return -1;
        if (x >= at(last)) return last;
        auto k = static_cast<std::int64_t>((x - lo) * perUnit);
        k = std::min(std::max(k, std::int64_t{0}), last);
        while (k < last && at(k + 1) <= x) ++k;
        while (k > 0 && at(k) > x) --k;
        return k;
    };
    const auto atOrAbove = [&](double x) -> std::int64_t {
        if (!(x <= at(last))) return last + 1;  // beyond the bracket, or not a number
        const std::int64_t k = atOrBelow(x);
        return k >= 0 && at(k) == x ? k : k + 1;
    };
    // Usually the piece spans the whole bracket.
    const std::int64_t pieceLo = c.pieceLo <= at(1) ? 0 : atOrAbove(c.pieceLo);
    const std::int64_t pieceHi = c.pieceHi >= at(last - 1) ? last : atOrBelow(c.pieceHi);
    const std::int64_t below = atOrBelow(c.below), above = atOrAbove(c.above);
    std::int64_t a = 0, z = last;
    // The decided steps keep [a, z] around [below, above]: they end in the
    // smallest interval of the grid that holds both, whose midpoint is the
    // first left undecided. Jump there, no finer than twice the tolerance
    // (wider intervals never stop the loop), when the piece spans the bracket.
    if (pieceLo <= 1 && pieceHi >= last - 1) {
        const std::int64_t low = std::max(below, std::int64_t{0}), high = std::min(above, last);
        if (low < high) {
            int k = std::bit_width(static_cast<std::uint64_t>(low ^ high));
            const int coarsest = detail::Log2(2.0 * tolerance / unit) + 1;  // 2^coarsest units >= 2·tolerance
            k = std::min(std::max(k, coarsest), levels);
            a = (low >> k) << k;
            z = a + (std::int64_t{1} << k);
        }
    }
    do {
        const std::int64_t m = (a + z) >> 1;
        const bool decided = (m >= pieceLo) & (m <= pieceHi) & ((m <= below) | (m >= above));
        bool up = m >= above;
        if (!decided) [[unlikely]] up = movesHi(at(m));
        // Masks rather than branches: the decisions follow the root's digits.
        const std::int64_t keep = -static_cast<std::int64_t>(up);
        a = (a & keep) | (m & ~keep);
        z = (m & keep) | (z & ~keep);
    } while (at(z) - tolerance > at(a));
    return {at(a), at(z)};
}

// The certified zone around the root of g(t) = target from one evaluated
// point x of a piece where g rises. Over the zone, at most a micro-kelvin
// wide, the slope is taken as at least 0.9 of its value at x (it changes by
// parts in a million there). For t <= below: G(t) <= g(t) + noise <=
// g(below) + noise <= g(x) - 0.9·slope·(x - below) + noise, so the computed
// G(t) stays below the target when x - below >= (G(x) - target + 2·noise)/
// (0.9·slope); likewise above. Points far from x have a margin of many orders
// above any rounding.
// Near a kink (where the slope changes abruptly, though g stays continuous
// and rising) only the sides that need no slope bound are certified.
inline Certificate CertifyAround(double x, const CurvePoint& at, double target, double pieceLo, double pieceHi,
                                 double kink) {
    Certificate c;
    const double slope = 0.9 * at.slope;
    // Rounding of G - target and of the zone's ends, beyond the evaluation's own.
    const double slack = 2.0 * at.noise + 4.0 * std::numeric_limits<double>::epsilon() *
                                              (std::abs(at.value) + std::abs(target));
    const double excess = at.value - target;
    if (!(slope > 0.0) || !std::isfinite(slope) || !std::isfinite(slack) || !std::isfinite(excess)) return c;
    const double perSlope = 1.0 / slope;
    const double downBySlope = (excess + slack) * perSlope, upBySlope = (slack - excess) * perSlope;
    const double down = downBySlope > 0.0 ? downBySlope + at.argumentRounding : 0.0;
    const double up = upBySlope > 0.0 ? upBySlope + at.argumentRounding : 0.0;
    c.pieceLo = pieceLo;
    c.pieceHi = pieceHi;
    // A side that needs the slope bound is certified only over a narrow zone,
    // where the slope cannot have halved.
    const double reach = std::abs(x - kink) < 2e-6 ? 0.0 : 1e-6;
    if (down == 0.0 || down < reach) c.below = NextDown(x - down * (1.0 + 1e-9));
    if (up == 0.0 || up < reach) c.above = NextUp(x + up * (1.0 + 1e-9));
    return c;
}

// The point a second-order step from `p` (at x) leads to, as the Taylor
// polynomial of degree two at x tells it, its bound widened by the third
// derivative's remainder and the rounding of the polynomial: a point that
// certifies as an evaluation there would, within a millikelvin of x, where
// the remainder is orders below the rounding of an evaluation. Its value is
// NaN where p carries no such bounds.
inline CurvePoint TaylorPoint(const CurvePoint& p, double d, bool logarithmic) {
    constexpr double kEps = std::numeric_limits<double>::epsilon();
    CurvePoint at{std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::quiet_NaN(), 0.0,
                  p.argumentRounding};
    const double base = logarithmic ? p.lnValue : p.value;
    const double slope = logarithmic ? p.lnSlope : p.slope;
    const double noise = logarithmic ? p.lnNoise : p.noise;
    const double linear = slope * d, quadratic = 0.5 * p.curvature * d * d;
    const double predicted = base + linear + quadratic;
    // The remainder, the derivatives' own rounding (parts in 1e14, taken as
    // parts in 1e11) and the rounding of the sum: half an ulp of each
    // running sum and of the products.
    const double terms = std::abs(linear) + std::abs(quadratic);
    const double error = noise + p.thirdBound * std::abs(d * d * d) / 6.0 + 1e-11 * terms +
                         kEps * (std::abs(base) + std::abs(predicted) + 2.0 * terms);
    if (!std::isfinite(predicted) || !std::isfinite(error)) return at;
    if (logarithmic) {
        at.value = std::exp(predicted);
        at.slope = at.value * (slope + p.curvature * d);
        at.noise = at.value * (error + 2.0 * kEps);
    } else {
        at.value = predicted;
        at.slope = slope + p.curvature * d;
        at.noise = error;
    }
    return at;
}

// Safeguarded Newton on a function rising over [pieceLo, pieceHi]: steps in
// ln g (logarithmic, for saturation pressures, which are nearly exponential)
// or in g, kept inside the bracket of evaluated points, until a step is small
// enough for the next point to lie within about 1e-12 of the root; that point
// gives the certificate. Where the evaluation gives the curvature, each step
// is of second order (Halley's), which reaches that closeness from a point a
// thousand times farther away, one evaluation sooner. `evaluate(t, certify)`
// returns a CurvePoint; only the point that certifies (certify true) needs
// its value and noise exactly, the others guide the search. `kink` is where
// the slope changes abruptly inside the piece (or any point outside it).
// logTarget, when the caller has it, is log(target).
// Returns a certificate that knows nothing when the root cannot be pinned down.
// What the search for a root found: the certificate, and the last point
// evaluated (a start for a search of a neighbouring root).
struct Root {
    Certificate certificate;
    double x = std::numeric_limits<double>::quiet_NaN();
    CurvePoint at{std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::quiet_NaN(), 0.0};
};

template <typename Evaluate>
Root CertifyRoot(Evaluate&& evaluate, double target, double guess, double pieceLo, double pieceHi,
                 bool logarithmic, double kink,
                 double logTarget = std::numeric_limits<double>::quiet_NaN()) {
    constexpr int kMaxEvaluations = 12;
    // A Newton step this small (in t) leaves the next point within ~1e-12 of
    // the root; a second-order step one this small.
    constexpr double kFinalStep = 1e-5;
    constexpr double kFinalSecondOrderStep = 3e-4;
    constexpr double kTaylorReach = 1e-3;
    const double lnTarget = !logarithmic ? 0.0 : std::isnan(logTarget) ? std::log(target) : logTarget;
    double a = pieceLo, b = pieceHi;  // bracket: g(a) <= target < g(b) where evaluated
    double x = std::min(std::max(guess, pieceLo), pieceHi);
    bool last = false;
    for (int i = 0; i < kMaxEvaluations; ++i) {
        const CurvePoint p = evaluate(x, last);
        const auto certifyHere = [&]() -> Root {
            const CurvePoint q = last ? p : evaluate(x, true);
            return {CertifyAround(x, q, target, pieceLo, pieceHi, kink), x, q};
        };
        if (last) return certifyHere();
        // The distance from the target and the slope, in ln g or in g.
        double r = 0.0, s = 0.0;
        if (!logarithmic) {
            r = p.value - target, s = p.slope;
        } else if (std::isnan(p.lnValue)) {
            r = std::log(p.value) - lnTarget, s = p.slope / p.value;
        } else {
            r = p.lnValue - lnTarget, s = p.lnSlope;
        }
        if (!std::isfinite(r) || !(s > 0.0) || !std::isfinite(s)) return {};
        if (r > 0.0) {
            b = std::min(b, x);
        } else {
            a = std::max(a, x);
        }
        // Already as close as the rounding allows.
        if (std::abs(r) < 1e-13 * s) return certifyHere();
        // Halley's step r/s / (1 - c·r/(2s²)) with one division, taken while
        // the bend stays between 1/2 and 2 (else Newton's r/s).
        const double twiceSquare = 2.0 * s * s;
        const double bent = std::isnan(p.curvature) ? 0.0 : twiceSquare - p.curvature * r;
        const bool secondOrder = bent > 0.5 * twiceSquare && bent < 2.0 * twiceSquare;
        const double step = secondOrder ? 2.0 * r * s / bent : r / s;
        if (!std::isfinite(step)) return {};
        double next = x - step;
        // Close enough for the Taylor polynomial at x to certify the next
        // point without evaluating it, when no kink lies between.
        if (secondOrder && std::abs(step) < kTaylorReach && next > pieceLo && next < pieceHi &&
            !std::isnan(p.thirdBound) && !(std::min(x, next) - 2e-6 <= kink && kink <= std::max(x, next) + 2e-6)) {
            const CurvePoint at = TaylorPoint(p, next - x, logarithmic);
            if (std::isfinite(at.value)) return {CertifyAround(next, at, target, pieceLo, pieceHi, kink), next, at};
        }
        if (std::abs(step) < (secondOrder ? kFinalSecondOrderStep : kFinalStep) && next > pieceLo && next < pieceHi) {
            last = true;
        } else if (!(next > a && next < b)) {
            // Outside what is known: the root lies beyond an end of the piece
            // when the step leaves it from its end, otherwise bisect the bracket.
            if ((x == pieceLo && next <= pieceLo) || (x == pieceHi && next >= pieceHi)) return certifyHere();
            next = next <= pieceLo ? pieceLo : next >= pieceHi ? pieceHi : (a + b) / 2.0;
            if (next <= a || next >= b) next = (a + b) / 2.0;
        }
        x = next;
    }
    return {};
}

}  // namespace wegator
