#include "lab/trends/stability.h"

#include <algorithm>
#include <cmath>

namespace wegator::lab {

namespace {

constexpr double kMsPerMinute = 60000.0;

// Takes `part` back out of `whole` (the inverse of Moments::Merge), so a window
// can slide over the history without summing it afresh at every step.
void Unmerge(Moments& whole, const Moments& part) {
    const std::int64_t remaining = whole.count - part.count;
    if (remaining <= 0) {
        whole = Moments{};
        return;
    }
    const double n = static_cast<double>(whole.count);
    const double nb = static_cast<double>(part.count);
    const double na = static_cast<double>(remaining);
    const double tA = (n * whole.tMean - nb * part.tMean) / na;
    const double vA = (n * whole.vMean - nb * part.vMean) / na;
    const double dt = part.tMean - tA;
    const double dv = part.vMean - vA;
    const double w = na * nb / n;
    whole.ctt = std::max(0.0, whole.ctt - part.ctt - dt * dt * w);
    whole.cvv = std::max(0.0, whole.cvv - part.cvv - dv * dv * w);
    whole.ctv = whole.ctv - part.ctv - dt * dv * w;
    whole.tMean = tA;
    whole.vMean = vA;
    whole.count = remaining;
}

double DriftPerMinute(const Moments& m) {
    return m.count > 1 && m.ctt > 0 ? m.ctv / m.ctt * kMsPerMinute : 0.0;
}

double StandardDeviation(const Moments& m) {
    return m.count > 1 ? std::sqrt(std::max(0.0, m.cvv) / static_cast<double>(m.count - 1)) : 0.0;
}

// The earliest moment a window may start at and still describe the present
// state: the start of the kept history, or the latest restart if later.
std::int64_t Floor(const History& history, int quantity, std::int64_t t) {
    std::int64_t floor = history.Earliest(quantity);
    if (const Marker* m = history.LastMarker(quantity, t)) floor = std::max(floor, m->time);
    return floor;
}

}  // namespace

StabilityFigures Figures(const History& history, int quantity, std::int64_t now, std::int64_t windowMs) {
    StabilityFigures f;
    f.to = now;
    f.from = now - windowMs;
    const bool any = history.Earliest(quantity) >= 0;
    const std::int64_t floor = Floor(history, quantity, now);
    f.full = any && floor <= f.from;
    // Without a reading the window holds nothing yet: it spans no time.
    f.from = any ? std::clamp(floor, f.from, now) : now;
    const Span span = history.Summary(quantity, f.from, f.to);
    f.count = span.Count();
    if (f.count == 0) return f;
    f.mean = span.Mean();
    f.drift = DriftPerMinute(span.moments);
    f.standardDeviation = StandardDeviation(span.moments);
    f.peakToPeak = span.max - span.min;
    return f;
}

StabilityCriterion DefaultCriterion(StabilityQuantity quantity) {
    switch (quantity) {
        case StabilityQuantity::Pressure: return {0.05, 0.05, 10};
        case StabilityQuantity::RelativeHumidity: return {0.1, 0.1, 10};
        case StabilityQuantity::DewOrFrostPoint:
        case StabilityQuantity::Temperature: break;
    }
    return {0.02, 0.02, 10};
}

StabilityVerdict Judge(const StabilityFigures& figures, const StabilityCriterion& criterion, std::int64_t windowMs) {
    StabilityVerdict v;
    v.figures = figures;
    const auto fail = [&](StabilityFigure which, double value, double limit) {
        v.exceeded = which;
        v.value = value;
        v.limit = limit;
        return v;
    };
    if (!figures.full) {
        return fail(StabilityFigure::Window, static_cast<double>(figures.to - figures.from) / kMsPerMinute,
                    static_cast<double>(windowMs) / kMsPerMinute);
    }
    if (figures.count < criterion.minReadings) {
        return fail(StabilityFigure::Readings, static_cast<double>(figures.count), static_cast<double>(criterion.minReadings));
    }
    if (std::abs(figures.drift) > criterion.driftLimit) return fail(StabilityFigure::Drift, figures.drift, criterion.driftLimit);
    if (figures.standardDeviation > criterion.sdLimit) {
        return fail(StabilityFigure::StandardDeviation, figures.standardDeviation, criterion.sdLimit);
    }
    v.stable = true;
    v.exceeded = StabilityFigure::None;
    return v;
}

std::int64_t StableSince(const History& history, int quantity, const StabilityCriterion& criterion, std::int64_t windowMs) {
    const History::Spans spans = history.SpansOf(quantity);
    const std::size_t n = spans.size();
    if (n == 0) return -1;
    const std::int64_t floor = Floor(history, quantity, spans[n - 1].last);
    // The window ending at element j holds the elements lo … j, all starting
    // at or after its start. Walking j back, elements leave at the end and
    // join at the start, each once.
    std::size_t j = n - 1;
    std::size_t lo = j;
    Moments window = spans[j].moments;
    std::int64_t since = -1;
    for (;;) {
        const std::int64_t end = spans[j].last;
        const std::int64_t start = end - windowMs;
        while (lo > 0) {
            const Span older = spans[lo - 1];
            if (older.first < start) break;
            window.Merge(older.moments);
            --lo;
        }
        StabilityFigures f;
        f.from = std::max(start, floor);
        f.to = end;
        f.full = start >= floor;
        f.count = window.count;
        f.mean = window.vMean;
        f.drift = DriftPerMinute(window);
        f.standardDeviation = StandardDeviation(window);
        if (!Judge(f, criterion, windowMs).stable) return since;
        since = end;
        if (j == 0) return since;
        if (lo == j) {
            --j;
            lo = j;
            window = spans[j].moments;
        } else {
            Unmerge(window, spans[j].moments);
            --j;
        }
    }
}

StabilityVerdict Evaluate(const History& history, int quantity, std::int64_t now, const StabilityCriterion& criterion,
                          std::int64_t windowMs) {
    StabilityVerdict v = Judge(Figures(history, quantity, now, windowMs), criterion, windowMs);
    if (!v.stable) return v;
    const std::int64_t since = StableSince(history, quantity, criterion, windowMs);
    v.since = since >= 0 ? std::min(since, now) : now;
    v.stableForMs = now - v.since;
    return v;
}

}  // namespace wegator::lab
