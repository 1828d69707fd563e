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
#include <cmath>
#include <limits>

namespace wegator {

struct Bracket {
    double lo;
    double hi;
};

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
};

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
    const double downBySlope = (excess + slack) / slope, upBySlope = (slack - excess) / slope;
    const double down = downBySlope > 0.0 ? downBySlope + at.argumentRounding : 0.0;
    const double up = upBySlope > 0.0 ? upBySlope + at.argumentRounding : 0.0;
    constexpr double inf = std::numeric_limits<double>::infinity();
    c.pieceLo = pieceLo;
    c.pieceHi = pieceHi;
    // A side that needs the slope bound is certified only over a narrow zone,
    // where the slope cannot have halved.
    const double reach = std::abs(x - kink) < 2e-6 ? 0.0 : 1e-6;
    if (down == 0.0 || down < reach) c.below = std::nextafter(x - down * (1.0 + 1e-9), -inf);
    if (up == 0.0 || up < reach) c.above = std::nextafter(x + up * (1.0 + 1e-9), inf);
    return c;
}

// Safeguarded Newton on a function rising over [pieceLo, pieceHi]: steps in
// ln g (logarithmic, for saturation pressures, which are nearly exponential)
// or in g, kept inside the bracket of evaluated points, until a step is small
// enough for the next point to lie within about 1e-12 of the root; that point
// gives the certificate. `evaluate(t)` returns a CurvePoint; `kink` is where
// the slope changes abruptly inside the piece (or any point outside it).
// Returns a certificate that knows nothing when the root cannot be pinned down.
template <typename Evaluate>
Certificate CertifyRoot(Evaluate&& evaluate, double target, double guess, double pieceLo, double pieceHi,
                        bool logarithmic, double kink) {
    constexpr int kMaxEvaluations = 12;
    // A Newton step this small (in t) leaves the next point within ~1e-12 of the root.
    constexpr double kFinalStep = 1e-5;
    double a = pieceLo, b = pieceHi;  // bracket: g(a) <= target < g(b) where evaluated
    double x = std::min(std::max(guess, pieceLo), pieceHi);
    bool last = false;
    for (int i = 0; i < kMaxEvaluations; ++i) {
        const CurvePoint p = evaluate(x);
        if (last) return CertifyAround(x, p, target, pieceLo, pieceHi, kink);
        if (!std::isfinite(p.value) || !(p.slope > 0.0) || !std::isfinite(p.slope)) return {};
        if (p.value > target) {
            b = std::min(b, x);
        } else {
            a = std::max(a, x);
        }
        const double step =
            logarithmic ? std::log(p.value / target) / (p.slope / p.value) : (p.value - target) / p.slope;
        if (!std::isfinite(step)) return {};
        // Already as close as the rounding allows.
        if (std::abs(step) < 1e-13) return CertifyAround(x, p, target, pieceLo, pieceHi, kink);
        double next = x - step;
        if (std::abs(step) < kFinalStep && next > pieceLo && next < pieceHi) {
            last = true;
        } else if (!(next > a && next < b)) {
            // Outside what is known: the root lies beyond an end of the piece
            // when the step leaves it from its end, otherwise bisect the bracket.
            if ((x == pieceLo && next <= pieceLo) || (x == pieceHi && next >= pieceHi)) {
                return CertifyAround(x, p, target, pieceLo, pieceHi, kink);
            }
            next = next <= pieceLo ? pieceLo : next >= pieceHi ? pieceHi : (a + b) / 2.0;
            if (next <= a || next >= b) next = (a + b) / 2.0;
        }
        x = next;
    }
    return {};
}

}  // namespace wegator
